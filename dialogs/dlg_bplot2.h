// The result window of the batch plot by title blocks: a modeless dialog that lists the
// sheets recognised by their title blocks with their names, papers, scales, drawing
// numbers, revisions and dates, lets the user edit them (edited texts go back into the
// title blocks), holds the output options of the run and shows the plot's progress with a
// stop button. It owns the sheet list and the options that g_TK_Sheet_List and
// g_Cur_Plot_Option point at while it exists.
#pragma once

#include "dialogs/file_result_dialog.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "titleblock/tk_sheets.h"
#include "ui/pic_button.h"

// The columns of the list.
enum Bplot2_Column {
    Col2_No = 0, Col2_Eye, Col2_Name, Col2_Del, Col2_Paper, Col2_Scale, Col2_Number, Col2_Revision, Col2_Date,
    Col2_Remark
};

class Dlg_BPlot2 : public File_Result_Dialog {
public:
    explicit Dlg_BPlot2(CWnd* parent = nullptr);
    ~Dlg_BPlot2() override;

    // Filling at the opening, in this order.
    void Fill_Sheet_List();

    // Names, marks, papers of the rows.
    void Rename_Sheet(int row);
    void Rename_All_Sheets();
    void Mark_Duplicate_Names();
    void Mark_Duplicate_Numbers();
    void Mark_Title_Remarks();
    void Refresh_Papers(bool rebuild);
    // Columns 2 and 4 to 8 of the row written from its sheet.
    void Show_Row(int row);

    // Edits started from the list.
    // The host's preview of the row's sheet, then of the rows paged to; hidden meanwhile.
    void Preview_Sheet(int row);
    void Edit_File_Name(int row);
    void Delete_Sheets(int row, bool erase_markers, const ZcArray<int>& rows) override;
    void Edit_Paper(int row, const ZcArray<int>& rows);
    void Edit_Scale(int row, const ZcArray<int>& rows);
    void Edit_Drawing_No(int row);
    // Several rows: the renumbering dialog preset from the first row's number, then its numbers.
    void Renumber_Drawing_Nos(const ZcArray<int>& rows);
    // Writes prefix + the number start + k (digits wide) + suffix into the k-th of the rows
    // (ascending); what the renumbering dialog's OK does.
    void Write_Drawing_Nos(const ZcArray<int>& rows, const CString& prefix, int start, const CString& suffix,
                           int digits);
    void Edit_Revision(int row, const ZcArray<int>& rows);
    void Edit_Date(int row, const ZcArray<int>& rows);
    void Resort_Rows(const ZcArray<Plot_Drawing2*>& edited);

    // Exports of the list's pop-up menu.
    void Paper_Statistics(int standard);
    void Export_File_List();
    void Export_Catalogue();

    // Print's checks: no empty output name and no two equal without regard to case (unless
    // a merged PDF run numbers its files), no paper above 5080 mm; false to stop.
    bool Check_File_Names() override;
    bool Check_Papers() override;

    void Update_Folder_Label() { Update_Output_Path(); }
    // Output type, folder mode, signature and stamp switches from the controls into the options.
    void Store_Controls() override;
    Plot_Drawing2* Row_Sheet(int row) const;
    const ZcDbObjectId* Row_Marker(int row) const override { return Marker_Of(Row_Sheet(row)); }

    TK_Sheet_List Sheet_List;
    int Print_Stamp = 1;
    BYTE Stamp_Positions = 0;


protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void On_Number_Order();
    afx_msg void On_Catalogue();
    afx_msg void On_Merge_Clicked() { On_Merge_Pdf(); }
    afx_msg void On_As_Block_Clicked() { On_Save_As_Block(); }
    afx_msg void On_Statistics(UINT command_id);
    afx_msg void On_Export_File_List();
    afx_msg void On_Export_Catalogue();
    DECLARE_MESSAGE_MAP()

    // Eye, name, delete, paper, scale (eye, paper and scale not for DWG), number, revision
    // and date cells; the headers of the same columns but eye, name and delete.
    void Click_Cell(int row, int column, const ZcArray<int>& rows) override;
    bool Column_Acts(int column) const override;
    void Edit_Column(int column, const ZcArray<int>& rows) override;
    void Highlight_Selected_Rows() override;
    UINT List_Menu() const override;

    void Refit_Papers() override { Refresh_Papers(true); }
    // The device files carry the margins; the sheets keep the papers the list shows.
    void Rewrite_Device_Files() override { Sheet_List.Assign_Papers(false); }
    void Set_Column_Classes() override;
    // The signature check off for DWG, the stamp check on only with stamp positions and
    // neither DWG nor PLT.
    void Show_Type_Controls(int type) override;
    Paper_Array& Window_Papers() override { return Sheet_List.Papers; }
    void Get_Sheet_Papers(CStringArray& names) const override;
    bool Row_Batch_Sheet(int row, Batch_Sheet& batch_sheet, ZcDbObjectId& marker) const override;
    void Erase_Markers() override { Sheet_List.Erase_Markers(); }
    void Release_Devices() override;

private:
    void Fit_Columns(std::initializer_list<int> columns);
    // The sheet's paper and fit scale into the row; the name rebuilt when its rule shows the paper.
    bool Apply_Paper_To_Row(MyPaper* paper, Plot_Drawing2* sheet, int row);
    // Revision (field 2) or date (field 4) of the rows.
    void Edit_Text_Field(int field, int row, const ZcArray<int>& rows);

    Pic_Button Number_Order_Button;
    Pic_Button Catalogue_Button;
};

// The drawing numbers a renumbering writes: prefix + number (digits wide) + suffix.
struct Renumbering {
    CString Prefix = L"结施-";
    int Start = 1;
    CString Suffix;
    int Digits = 2;
};
// The renumbering dialog (Dlg_TuHao) on the values; true on OK with the values taken.
bool Ask_Renumbering(CWnd* owner, Renumbering& numbering);


// The text the list shows for a file name: the line-break markers as the library's separator.
CString Shown_File_Name(const CString& file_name);
// True when the sheet's naming rule uses the letter (a doubled letter stands for itself).
bool Name_Rule_Uses(const Plot_Drawing2& sheet, wchar_t letter);
// The scale at which the sheet just fits the paper.
double TK_Scale_From_Paper(const MyPaper& paper, const Plot_Drawing2& sheet);
// The title's lines, each trimmed; empty for a blank title.
void Get_Title_Lines(const Plot_Drawing2& sheet, CStringArray& lines);
