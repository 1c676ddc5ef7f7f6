// The result window of the batch plot to files: a modeless dialog that lists the found
// sheets and lets the user rename, delete, re-paper, re-scale, re-order and filter them,
// holds the output options of the run and shows the plot's progress with a stop button.
// It owns the sheet set and the options that g_Sheet_Set and g_Cur_Plot_Option point at
// while it exists.
#pragma once

#include "dialogs/file_result_dialog.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "sheets/paper_records.h"
#include "sheets/sheet_records.h"
#include "ui/pic_button.h"

class Dlg_BPlot1 : public File_Result_Dialog {
public:
    explicit Dlg_BPlot1(CWnd* parent = nullptr);
    ~Dlg_BPlot1() override;

    // Filling at the opening, in this order; Fill_On_Open calls them all.
    void Fill_On_Open();
    void Fill_Sheet_List(bool sort);
    void Apply_Saved_Scales();

    // Papers, scales and names of the rows.
    void Reassign_Papers();
    void Apply_Naming_Rule();
    CString Make_Sheet_Name(const Plot_Drawing1* sheet, int row, const CString& prefix, bool numbered) const;
    void Mark_Duplicate_Names();
    CString Paper_Size_Remark(int row, const MyPaper& paper);
    void Apply_Paper_To_Row(MyPaper* paper, Plot_Drawing1* sheet, int row);

    // Edits started from the list.
    // The host's preview of the row's sheet, then of the rows paged to; hidden meanwhile.
    void Preview_Sheet(int row);
    void Rename_Sheet(int row);
    void Delete_Sheets(int row, bool erase_markers, const ZcArray<int>& rows) override;
    void Choose_Paper(int row, const ZcArray<int>& rows);
    void Choose_Scale(int row, const ZcArray<int>& rows);
    void Count_Papers(int standard);

    // Stores each listed sheet's frame with its scale and paper in "SC_INFOR".
    void Save_Scales();
    // Print's checks of the output names (none empty, no two equal without regard to
    // case; a merged PDF run numbers its files) and of the papers; false to stop.
    bool Check_File_Names() override;
    bool Check_Papers() override;

    // Output type, folder mode and signature switch from the controls into the options.
    void Store_Controls() override;
    // The sheet of a row; null outside the list.
    Plot_Drawing1* Row_Sheet(int row) const;
    const ZcDbObjectId* Row_Marker(int row) const override { return Marker_Of(Row_Sheet(row)); }

    Plot_Sheet_Set Sheet_Set;
    Sheet_Infor_List Frame_Infor;
    CRect Merge_Box_Rect;
    CRect Sign_Box_Rect;


protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void On_Name_Rule();
    afx_msg void On_Scale_Filter();
    afx_msg void On_Path_Click();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    afx_msg void OnPaint();
    afx_msg void On_Swatch_Click();
    afx_msg void On_Paper_Statistics(UINT command_id);
    DECLARE_MESSAGE_MAP()

    // Eye, name, delete, paper and scale cells (the eye, paper and scale not for DWG);
    // the paper and scale headers.
    void Click_Cell(int row, int column, const ZcArray<int>& rows) override;
    bool Column_Acts(int column) const override;
    void Edit_Column(int column, const ZcArray<int>& rows) override;
    void Highlight_Selected_Rows() override;
    UINT List_Menu() const override;

    void Refit_Papers() override { Reassign_Papers(); }
    // Writes the device files of the output type for the papers of the list, with the
    // margins in force, and sets the device; the sheets keep their papers.
    void Rewrite_Device_Files() override;
    void Set_Column_Classes() override;
    // The signature check hidden for DWG, and moved up to the merge box's place for DWF,
    // PLT and SVG.
    void Show_Type_Controls(int type) override;
    // The rows' paper remarks for the new output type.
    void On_Format_Rows() override;
    void Save_Frame_Records() override { Save_Scales(); }
    Paper_Array& Window_Papers() override { return Sheet_Set.Paper_List; }
    void Get_Sheet_Papers(CStringArray& names) const override;
    bool Row_Batch_Sheet(int row, Batch_Sheet& batch_sheet, ZcDbObjectId& marker) const override;
    void Erase_Markers() override;
    void Release_Devices() override;

private:
    void Show_Row_Paper(int row, Plot_Drawing1* sheet);
    void Fit_Columns(std::initializer_list<int> columns);
    bool Swatch_Shown() const;

    Pic_Button Name_Rule_Button;
    Pic_Button Scale_Filter_Button;
    CFont Path_Font;
};

// The path link and the swatch are under the mouse.
extern bool g_Path_Hover;
extern bool g_Swatch_Hover;

// Erases the marker of every sheet of the set that has one (without the erase notification)
// and clears the sheets' marker ids.
void Erase_Sheet_Markers(Plot_Sheet_Set& sheet_set);

// The host's query whether a modeless dialog keeps the keyboard focus.
constexpr UINT WM_ZC_KEEP_FOCUS = 0x7101;
