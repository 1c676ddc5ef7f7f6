// The result windows that plot to files (by file list and by title block) built on the
// result dialog: format, folder mode and path, margin combo, and the merge, block and
// signature switches.
#pragma once

#include <functional>
#include <initializer_list>

#include "core/plot_option.h"
#include "dialogs/output_folder_combo.h"
#include "dialogs/result_dialog.h"
#include "mfc/afxcoll.h"
#include "mfc/afxwin.h"
#include "dialogs/result_window_parts.h"
#include "plot/batch_plot_driver.h"
#include "sheets/sheet_records.h"

class File_Result_Dialog : public Result_Dialog {
public:
    // The window's own ids of the output option controls.
    struct Option_Ids {
        int Format_Combo;
        int Folder_Mode_Combo;
        int Margin_Combo;
        int Margin_Label;
        int Style_Label;
        int Path;
        int Swatch;
        int Merge_Pdf;
        int Dwg_Block;
        int Sign_Check;
    };

    File_Result_Dialog(UINT template_id, CWnd* parent, const Control_Ids& ids, const Option_Ids& option_ids,
                       std::initializer_list<int> tool_ids);

    // Filling at the opening.
    void Init_Folder_Mode();
    void Init_Output_Format();
    void Fill_Margin_Combo();

    // The option controls for the format index: sub-folder entry, swatch, check boxes,
    // style and margin controls; with rebuild the device files are written for it first.
    void Apply_Output_Format(bool rebuild);
    // The path text of the folder mode and format.
    void Update_Output_Path();
    bool Dwg_Output() const { return Options.Output_Type == Output_Dwg; }

    int Format_Index = 0;
    int Margin_Index = 0;
    int Folder_Mode_Index = 0;
    CString Path_Text;
    int Merge_Pdf = 0;
    int Save_As_Block = 0;
    int Print_Sign = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;

    afx_msg void On_Format_Changed();
    afx_msg void On_Margin_Changed();
    afx_msg void On_Margin_Edited();
    afx_msg void On_Merge_Pdf();
    afx_msg void On_Save_As_Block();
    afx_msg void On_Edit_Style();

    // The opening's format and folder mode entries, and the switches and format from the
    // settings and options (the controls not yet updated).
    void Load_Output_Options();
    // Print's checks in order: the output names, the papers (not for DWG), and the question
    // whether to go on with unauthorised signatures (when signatures are printed, not for
    // DWG); false to stop.
    bool Print_Checks_Pass(bool dwg);
    // Print's run once the options are stored: DWG exported under the document lock (the
    // folder opened when the settings ask) and the window closed; any other output type
    // launched with the follow-up command after the merged PDF's path is asked when the run
    // merges.
    void Run_Output(bool dwg, const std::function<bool(CString& folder)>& export_dwg, const wchar_t* follow_up);
    // Print's check of the output names unless a merged PDF run numbers its files: none
    // empty, no two of the compared names equal without regard to case; the user is told
    // of the first fault. False on a fault.
    bool Check_Output_Names(const CStringArray& names, const CStringArray& compared);
    // Print's check that no sheet's paper is above 5080 mm; the user is told. False to stop.
    bool Check_Paper_Limit();
    // The number of listed sheets of each paper into the statistics of the standard.
    void Count_Listed_Papers(int standard);
    // The host's preview of the row's sheet of the preview kind, then of the rows paged to;
    // a paper above 5080 mm is refused with a message box of the flags.
    void Preview_Listed_Sheet(int kind, int row, UINT refusal_flags);

    // The scale dialog for the rows (selected when several), preset to the clicked sheet's
    // scale; the positive scale entered, false when the user cancelled.
    bool Ask_Rows_Scale(double current, const ZcArray<int>& rows, double& scale);
    // The paper picker for the rows (selected when several), preset to the clicked sheet's
    // paper (none: null); false when the user cancelled.
    bool Pick_Rows_Paper(const CString* clicked_paper, const ZcArray<int>& rows, Paper_Pick& pick);
    // Which of the statistics commands (A4 .. A0) it is: 1 .. 5, 0 for none of them.
    static int Paper_Standard_Of(UINT command_id, std::initializer_list<UINT> commands);

    // Print's checks of the output names and of the papers; false to stop.
    virtual bool Check_File_Names() = 0;
    virtual bool Check_Papers() = 0;
    // The papers of the window's sheets.
    virtual Paper_Array& Window_Papers() = 0;
    // The paper names of the listed sheets.
    virtual void Get_Sheet_Papers(CStringArray& names) const = 0;
    // The row's sheet as the plot drivers take it, with its marker; false outside the list.
    virtual bool Row_Batch_Sheet(int row, Batch_Sheet& sheet, ZcDbObjectId& marker) const = 0;

    // The papers fitted again with the margins in force.
    virtual void Refit_Papers() = 0;
    // The device files written for the output type with the margins in force; the sheets
    // keep the papers the list shows.
    virtual void Rewrite_Device_Files() = 0;
    // Which columns hover, group and turn grey, by the output type.
    virtual void Set_Column_Classes() = 0;
    // The window's own option controls for the output type.
    virtual void Show_Type_Controls(int type) = 0;
    // After a change of the format, before the list is repainted.
    virtual void On_Format_Rows() {}

    Output_Folder_Combo Folder_Mode_Combo;
    CComboBox Format_Combo;
    CComboBox Margin_Combo;

private:
    bool Ask_Merged_Pdf_Path();
    void Export_Dwg_And_Close(const std::function<bool(CString& folder)>& export_sheets);

    Option_Ids Option_Control_Ids;
};
