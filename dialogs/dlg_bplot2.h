// The result window of the batch plot by title blocks: a modeless dialog that lists the
// sheets recognised by their title blocks with their names, papers, scales, drawing
// numbers, revisions and dates, lets the user edit them (edited texts go back into the
// title blocks), holds the output options of the run and shows the plot's progress with a
// stop button. It owns the sheet list and the options that g_TK_Sheet_List and
// g_Cur_Plot_Option point at while it exists.
#pragma once

#include "core/plot_option.h"
#include "dialogs/output_folder_combo.h"
#include "dialogs/result_dialog.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "titleblock/tk_sheets.h"
#include "ui/gradient_progress.h"
#include "ui/ico_button.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

// The columns of the list.
enum Bplot2_Column {
    Col2_No = 0, Col2_Eye, Col2_Name, Col2_Del, Col2_Paper, Col2_Scale, Col2_Number, Col2_Revision, Col2_Date,
    Col2_Remark
};

class Dlg_BPlot2 : public Result_Dialog {
public:
    explicit Dlg_BPlot2(CWnd* parent = nullptr);
    ~Dlg_BPlot2() override;

    // Filling at the opening, in this order.
    void Fill_Sheet_List();
    void Init_Folder_Mode();
    void Init_Output_Format();
    void Fill_Margin_Combo();

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
    bool Check_File_Names();
    bool Check_Papers();

    void Plot_Done_Close() override;

    void Apply_Output_Format(bool reassign);
    void Update_Folder_Label();
    void Read_Controls();
    // Output type, folder mode, signature and stamp switches from the controls into the options.
    void Store_Controls();
    Plot_Drawing2* Row_Sheet(int row) const;
    const ZcDbObjectId* Row_Marker(int row) const override;
    bool Dwg_Output() const { return Options.Output_Type == Output_Dwg; }

    TK_Sheet_List Sheet_List;
    Plot_Option Options;
    int Format_Index = 0;
    int Margin_Index = 0;
    int Folder_Mode_Index = 1;
    CString Path_Text;
    int Merge_Pdf = 0;
    int Save_As_Block = 1;
    int Print_Sign = 1;
    int Print_Stamp = 1;
    BYTE Stamp_Positions = 0;


protected:
    void DoDataExchange(CDataExchange* exchange) override;
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg LRESULT On_Keep_Focus(WPARAM, LPARAM);
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_List_Right_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Column_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Selection_Changed(NMHDR* header, LRESULT* result);
    afx_msg void On_Number_Order();
    afx_msg void On_Catalogue();
    afx_msg void On_Merge_Clicked();
    afx_msg void On_As_Block_Clicked();
    afx_msg void On_Format_Changed();
    afx_msg void On_Style_Changed();
    afx_msg void On_Margin_Changed();
    afx_msg void On_Margin_Edited();
    afx_msg void On_Edit_Style();
    afx_msg void On_Statistics(UINT command_id);
    afx_msg void On_Export_File_List();
    afx_msg void On_Export_Catalogue();
    DECLARE_MESSAGE_MAP()

private:
    void Set_Column_Classes();
    void Fit_Columns(std::initializer_list<int> columns);
    // The sheet's paper and fit scale into the row; the name rebuilt when its rule shows the paper.
    bool Apply_Paper_To_Row(MyPaper* paper, Plot_Drawing2* sheet, int row);
    // Revision (field 2) or date (field 4) of the rows.
    void Edit_Text_Field(int field, int row, const ZcArray<int>& rows);
    // The edited sheets' rows selected.
    void Select_Rows(const ZcArray<int>& rows);

    Output_Folder_Combo Folder_Mode_Combo;
    CComboBox Format_Combo;
    CComboBox Margin_Combo;
    Pic_Button Print_Button;
    Pic_Button Cancel_Button;
    Pic_Button Number_Order_Button;
    Pic_Button Catalogue_Button;
    Pic_Button Interrupt_Button;
    Ico_Button Edit_Style_Button;
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
