#include "dialogs/file_result_dialog.h"

#include "core/doc_lock.h"
#include "core/file_dialogs.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/result_window_parts.h"
#include "dialogs/print_order_unequal_margins.h"
#include "plot/output_folders.h"
#include "plot/pdf_merge.h"
#include "sheets/paper_table.h"
#include "signstamp/sign_authorisation.h"
#include "ui/small_value_dialogs.h"
#include "win/win_files.h"
#include "win/win_msgbox.h"
#include "win/win_shell.h"

File_Result_Dialog::File_Result_Dialog(UINT template_id, CWnd* parent, const Control_Ids& ids,
                                       const Option_Ids& option_ids, std::initializer_list<int> tool_ids)
    : Result_Dialog(template_id, parent, ids, tool_ids), Option_Control_Ids(option_ids)
{
}

void File_Result_Dialog::DoDataExchange(CDataExchange* exchange)
{
    Result_Dialog::DoDataExchange(exchange);
    const Option_Ids& ids = Option_Control_Ids;
    DDX_Control(exchange, ids.Folder_Mode_Combo, Folder_Mode_Combo);
    DDX_Control(exchange, ids.Format_Combo, Format_Combo);
    DDX_Control(exchange, ids.Margin_Combo, Margin_Combo);
    DDX_CBIndex(exchange, ids.Format_Combo, Format_Index);
    DDX_CBIndex(exchange, ids.Folder_Mode_Combo, Folder_Mode_Index);
    DDX_Check(exchange, ids.Merge_Pdf, Merge_Pdf);
    DDX_Check(exchange, ids.Dwg_Block, Save_As_Block);
    DDX_Check(exchange, ids.Sign_Check, Print_Sign);
    DDX_Text(exchange, ids.Path, Path_Text);
}

void File_Result_Dialog::Load_Output_Options()
{
    Fill_Format_List(&Format_Combo, true);
    Folder_Mode_Combo.Fill();
    Merge_Pdf = g_Plot_Config.Merge_Pdf;
    Save_As_Block = g_Plot_Config.Dwg_As_Block;
    Print_Sign = Options.Print_Sign;
    Format_Index = Options.Output_Type;
}

void File_Result_Dialog::Init_Folder_Mode()
{
    Folder_Mode_Index = Options.Folder_Mode;
    Folder_Mode_Combo.SetCurSel(Folder_Mode_Index);
    Update_Output_Path();
}

void File_Result_Dialog::Init_Output_Format()
{
    Format_Index = Options.Output_Type;
    Format_Combo.SetCurSel(Format_Index);
    Apply_Output_Format(false);
}

void File_Result_Dialog::Fill_Margin_Combo()
{
    Fill_Margin_List(&Margin_Combo, Margin_Index, Options.Margin, Options.Unequal_Margin);
}

void File_Result_Dialog::Update_Output_Path()
{
    Read_Controls();
    Path_Text = Get_Output_Folder(Folder_Mode_Index, Format_Index, Options.Folder, CString());
    SetDlgItemText(Option_Control_Ids.Path, Path_Text);
}

void File_Result_Dialog::Apply_Output_Format(bool rebuild)
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    if (rebuild)
        Rewrite_Device_Files();

    if (Folder_Mode_Combo.Name_Sub_Folder(Options.Output_Type) == 1)
        Update_Output_Path();

    const Option_Ids& ids = Option_Control_Ids;
    const int type = Options.Output_Type;
    GetDlgItem(ids.Swatch)->ShowWindow(type == Output_Jpg || type == Output_Png ? SW_SHOW : SW_HIDE);
    const bool dwg = type == Output_Dwg;
    for (int id : {ids.Margin_Label, ids.Margin_Combo, ids.Style_Label, Ids.Style_Combo, Ids.Edit_Style})
        GetDlgItem(id)->EnableWindow(!dwg);
    GetDlgItem(ids.Dwg_Block)->ShowWindow(dwg ? SW_SHOW : SW_HIDE);
    GetDlgItem(ids.Merge_Pdf)->ShowWindow(type == Output_Pdf ? SW_SHOW : SW_HIDE);
    Show_Type_Controls(type);
}

void File_Result_Dialog::On_Format_Changed()
{
    Read_Controls();
    if (Format_Index < 0 || Format_Index == Options.Output_Type)
        return;
    const bool was_dwg = Dwg_Output();
    Apply_Output_Format(true);
    if (was_dwg != Dwg_Output())
        Set_Column_Classes();
    On_Format_Rows();
    List.Invalidate();
}

void File_Result_Dialog::On_Margin_Changed()
{
    g_Margin_Combo_Idle = false;
    const int selection = Margin_Combo.GetCurSel();
    if (selection > 0 && selection != Margin_Index) {
        Margin_Index = selection;
        int margin = Options.Margin, unequal = Options.Unequal_Margin;
        Parse_Margin_Combo(&Margin_Combo, margin, unequal, true);
        Options.Margin = margin;
        Options.Unequal_Margin = unequal;
        Refit_Papers();
    } else if (selection == 0) {
        Margin_Index = 0;
        Dlg_Unequal_Edge dialog(this);
        dialog.Mode = Options.Unequal_Mode;
        int* fields[8] = {&Options.Land_Top, &Options.Land_Bottom, &Options.Land_Left, &Options.Land_Right,
                          &Options.Port_Top, &Options.Port_Bottom, &Options.Port_Left, &Options.Port_Right};
        for (int k = 0; k < 8; ++k) dialog.Margins[k] = *fields[k];
        const bool ok = dialog.DoModal() == IDOK;
        Options.Unequal_Margin = 1;
        if (ok) {
            Options.Unequal_Mode = dialog.Mode;
            for (int k = 0; k < 8; ++k) *fields[k] = dialog.Margins[k];
        }
        Rewrite_Device_Files();
    }
    g_Margin_Combo_Idle = true;
}

void File_Result_Dialog::On_Margin_Edited()
{
    if (!g_Margin_Combo_Idle)
        return;
    int margin = Options.Margin, unequal = Options.Unequal_Margin;
    const bool changed = Reparse_Margin_Combo(&Margin_Combo, Margin_Index, margin, unequal);
    Options.Margin = margin;
    Options.Unequal_Margin = unequal;
    if (changed)
        Refit_Papers();
}

void File_Result_Dialog::On_Merge_Pdf()
{
    Read_Controls();
    g_Plot_Config.Merge_Pdf = Merge_Pdf;
}

void File_Result_Dialog::On_Save_As_Block()
{
    Read_Controls();
    g_Plot_Config.Dwg_As_Block = Save_As_Block;
}

void File_Result_Dialog::On_Edit_Style() { Edit_Selected_Style(this, &Style_Combo, Style_Index); }

bool File_Result_Dialog::Print_Checks_Pass(bool dwg)
{
    if (!Check_File_Names())
        return false;
    if (!dwg && !Check_Papers())
        return false;
    return !Print_Sign || dwg || !Has_Unauthorized_Signature() ||
           MessageBoxW(GetSafeHwnd(), L"文件中存在未授权的签名 !\n\n未经授权的签名将无法打印，是否继续打印 ?",
                       L"Korvel打印", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void File_Result_Dialog::Run_Output(bool dwg, const std::function<bool(CString& folder)>& export_dwg,
                                    const wchar_t* follow_up)
{
    if (dwg)
        Export_Dwg_And_Close(export_dwg);
    else if (Ask_Merged_Pdf_Path())
        Launch_Plot(follow_up);
}

bool File_Result_Dialog::Ask_Merged_Pdf_Path()
{
    g_Merged_Pdf_Path.Empty();
    if (Options.Output_Type != Output_Pdf || !g_Plot_Config.Merge_Pdf)
        return true;
    CString folder = Get_Output_Folder(Options.Folder_Mode, Options.Output_Type, Options.Folder, CString());
    CreateDirectoryW(folder.GetString(), nullptr);
    CString path;
    path.Format(L"%s\\%s.pdf", folder.GetString(), Get_Dwg_Title().GetString());
    if (!Save_File_Dialog_At(L"合并后的PDF文件保存为...", path, L"pdf"))
        return false;
    g_Merged_Pdf_Path = path;
    return true;
}

void File_Result_Dialog::Export_Dwg_And_Close(const std::function<bool(CString& folder)>& export_sheets)
{
    Doc_Lock lock;
    CString folder;
    if (export_sheets(folder) && g_Plot_Config.Open_Folder)
        ShellExecuteW(nullptr, L"open", folder.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
    Options.Write_Dwg_Setting();
    Erase_Markers();
    Release_Devices();
    CZcUiDialog::OnOK();
}

bool File_Result_Dialog::Check_Output_Names(const CStringArray& names, const CStringArray& compared)
{
    if (Format_Index == Output_Pdf && g_Plot_Config.Merge_Pdf)
        return true;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        CString message;
        if (names[i].IsEmpty()) {
            message.Format(L"第 %d 个文件的文件名为空，退出 !", static_cast<int>(i + 1));
        } else {
            // Files of equal names would overwrite each other.
            for (INT_PTR j = 0; j < i && message.IsEmpty(); ++j)
                if (compared[j].CompareNoCase(compared[i]) == 0)
                    message.Format(L"第 %d 个文件与第 %d 个文件的文件名相同，退出 !", static_cast<int>(j + 1),
                                   static_cast<int>(i + 1));
        }
        if (!message.IsEmpty()) {
            MessageBoxW(GetSafeHwnd(), message, L"Korvel打印", MB_OK | MB_ICONQUESTION);
            return false;
        }
    }
    return true;
}

bool File_Result_Dialog::Check_Paper_Limit()
{
    CStringArray sheet_papers;
    Get_Sheet_Papers(sheet_papers);
    for (INT_PTR i = 0; i < sheet_papers.GetSize(); ++i) {
        const MyPaper* paper = Find_Paper_By_Name(Window_Papers(), sheet_papers[i]);
        if (paper == nullptr || (paper->Long_Side <= 5080 && paper->Short_Side <= 5080))
            continue;
        MessageBoxW(GetSafeHwnd(), L"有纸张尺寸过大，已超过 5080 mm (即200英寸)。\n\n请检查是否打印比例有误。\n\n打印退出 !",
                    L"Korvel打印", MB_OK | MB_ICONQUESTION);
        return false;
    }
    return true;
}

void File_Result_Dialog::Count_Listed_Papers(int standard)
{
    CStringArray sheet_papers;
    Get_Sheet_Papers(sheet_papers);
    Count_Sheet_Papers(this, Window_Papers(), sheet_papers, standard);
}

void File_Result_Dialog::Preview_Listed_Sheet(int kind, int row, UINT refusal_flags)
{
    Preview_With_Paging(this, kind, row, [this] { return List.GetItemCount(); }, [&](int shown) {
        Read_Controls();
        Batch_Sheet sheet{};
        ZcDbObjectId marker;
        if (!Row_Batch_Sheet(shown, sheet, marker))
            return false;
        const MyPaper* paper = Find_Paper_By_Name(Window_Papers(), sheet.paper_name);
        if (paper != nullptr && (paper->Long_Side > 5080 || paper->Short_Side > 5080)) {
            MessageBoxW(GetSafeHwnd(), L"纸张尺寸过大，已超过 5080 mm (即200英寸)。\n\n请检查是否打印比例有误。\n\n打印预览退出 !",
                        L"Korvel打印预览", refusal_flags);
            return false;
        }
        Preview_Result_Sheet(this, Options, Style_Index, Print_Sign, kind, shown, sheet, marker);
        return true;
    });
}

bool File_Result_Dialog::Ask_Rows_Scale(double current, const ZcArray<int>& rows, double& scale)
{
    if (rows.length() > 1)
        Select_Rows(List, rows);
    Dlg_Sc_Set dialog(this);
    dialog.Scale_Value = current;
    dialog.Scale_Mode = Whole_List(rows) ? 1 : 0;
    if (dialog.DoModal() != IDOK || dialog.Scale_Value <= 0.0)
        return false;
    scale = dialog.Scale_Value;
    return true;
}

bool File_Result_Dialog::Pick_Rows_Paper(const CString* clicked_paper, const ZcArray<int>& rows, Paper_Pick& pick)
{
    if (rows.length() > 1)
        Select_Rows(List, rows);
    CStringArray sheet_papers;
    Get_Sheet_Papers(sheet_papers);
    return Pick_Paper(this, Window_Papers(), sheet_papers, clicked_paper, Whole_List(rows), pick);
}

int File_Result_Dialog::Paper_Standard_Of(UINT command_id, std::initializer_list<UINT> commands)
{
    int standard = 1;
    for (UINT command : commands) {
        if (command == command_id)
            return standard;
        ++standard;
    }
    return 0;
}
