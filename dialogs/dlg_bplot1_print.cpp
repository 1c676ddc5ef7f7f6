// Print and Cancel of the batch plot to files window.
#include "core/doc_lock.h"
#include "core/marker_sheet_window.h"
#include "core/erase_helpers.h"
#include "core/file_dialogs.h"
#include "core/follow_up.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "dialogs/dlg_bplot1.h"
#include "plot/batch_plot_driver.h"
#include "plot/dwg_export.h"
#include "plot/output_folders.h"
#include "plot/pdf_merge.h"
#include "sheets/paper_table.h"
#include "signstamp/sign_authorisation.h"
#include "sheets/plotter_files.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace {
constexpr const wchar_t* Print_Caption = L"Korvel打印";
}  // namespace

void Erase_Sheet_Markers(Plot_Sheet_Set& sheet_set)
{
    const uint8_t watch = g_Watch_Marker_Erase;
    g_Watch_Marker_Erase = 0;
    for (INT_PTR i = 0; i < sheet_set.All_Sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheet_set.All_Sheets[i];
        if (sheet->Marker_Id.isNull())
            continue;
        Erase_Entity(sheet->Marker_Id);
        sheet->Marker_Id = ZcDbObjectId::kNull;
    }
    g_Watch_Marker_Erase = watch;
}

void Dlg_BPlot1::Store_Controls()
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    Options.Folder_Mode = Folder_Mode_Index;
    Options.Print_Sign = Print_Sign;
}

void Dlg_BPlot1::Save_Scales()
{
    Frame_Infor.Sheet_Set = &Sheet_Set;
    Write_Sc_Infor(Frame_Infor);
}

bool Dlg_BPlot1::Check_File_Names()
{
    if (Format_Index == Output_Pdf && g_Plot_Config.Merge_Pdf)
        return true;
    const INT_PTR count = Sheet_Set.Plot_List.GetSize();
    for (INT_PTR i = 0; i < count; ++i) {
        CString message;
        if (Sheet_Set.Plot_List[i]->Output_Name.IsEmpty()) {
            message.Format(L"第 %d 个文件的文件名为空，退出 !", static_cast<int>(i + 1));
        } else {
            for (INT_PTR j = 0; j < i && message.IsEmpty(); ++j)
                if (Sheet_Set.Plot_List[j]->Output_Name.CompareNoCase(Sheet_Set.Plot_List[i]->Output_Name) == 0)
                    message.Format(L"第 %d 个文件与第 %d 个文件的文件名相同，退出 !", static_cast<int>(j + 1),
                                   static_cast<int>(i + 1));
        }
        if (!message.IsEmpty()) {
            MessageBoxW(GetSafeHwnd(), message, Print_Caption, MB_OK | MB_ICONQUESTION);
            return false;
        }
    }
    return true;
}

bool Dlg_BPlot1::Check_Papers()
{
    const HWND owner = GetSafeHwnd();
    for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, Sheet_Set.Plot_List[i]->Paper_Name);
        if (paper == nullptr || (paper->Long_Side >= 50 && paper->Short_Side >= 50))
            continue;
        if (MessageBoxW(owner,
                        L"有纸张尺寸过小，小于 50 x 50 mm。\n\n可能打印比例有误，或者选择的打印范围有误。\n\n是否继续 ?",
                        Print_Caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return false;
        break;
    }
    if (Format_Index == Output_Dwf)
        return true;
    for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, Sheet_Set.Plot_List[i]->Paper_Name);
        if (paper == nullptr || (paper->Long_Side <= 5080 && paper->Short_Side <= 5080))
            continue;
        MessageBoxW(owner, L"有纸张尺寸过大，已超过 5080 mm (即200英寸)。\n\n请检查是否打印比例有误。\n\n打印退出 !",
                    Print_Caption, MB_OK | MB_ICONQUESTION);
        return false;
    }
    return true;
}

void Dlg_BPlot1::OnOK()
{
    Read_Controls();
    const bool dwg = Format_Index == 6;
    if (!Check_File_Names())
        return;
    if (!dwg && !Check_Papers())
        return;
    if (Print_Sign && !dwg && Has_Unauthorized_Signature() &&
        MessageBoxW(GetSafeHwnd(), L"文件中存在未授权的签名 !\n\n未经授权的签名将无法打印，是否继续打印 ?",
                    L"Korvel打印", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (Style_Index >= 1 && Style_Index < Style_Combo.GetCount()) {
        CString name;
        Style_Combo.GetLBText(Style_Index, name);
        Trim_Left_Blanks(name);
        Options.Style_Name = name;
        g_Plot_Config.Last_Style = name;
    }
    Store_Controls();
    g_Plot_Style_Index = Style_Index - 1;

    if (dwg) {
        Doc_Lock lock;
        CString folder;
        if (Export_Sheets_To_Dwg1(Sheet_Set, folder) && g_Plot_Config.Open_Folder)
            ShellExecuteW(nullptr, L"open", folder.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
        Options.Write_Dwg_Setting();
        Erase_Sheet_Markers(Sheet_Set);
        Plot_Device_Files::End_Plot();
        CZcUiDialog::OnOK();
        return;
    }

    g_Merged_Pdf_Path.Empty();
    if (Options.Output_Type == Output_Pdf && g_Plot_Config.Merge_Pdf) {
        CString folder = Get_Output_Folder(Options.Folder_Mode, Options.Output_Type, Options.Folder, CString());
        CreateDirectoryW(folder.GetString(), nullptr);
        CString path;
        path.Format(L"%s\\%s.pdf", folder.GetString(), Get_Dwg_Title().GetString());
        if (!Save_File_Dialog_At(L"合并后的PDF文件保存为...", path, L"pdf"))
            return;
        g_Merged_Pdf_Path = path;
    }
    Queue_Follow_Up(L"Plot_Temp1");
    Doc_Lock lock;
    Save_Scales();
    Options.Write_Dwg_Setting();
    Erase_Sheet_Markers(Sheet_Set);
    Plot_Launched = 1;
}

void Dlg_BPlot1::OnCancel()
{
    if (Plot_Running)
        return;
    Store_Controls();
    {
        Doc_Lock lock;
        Options.Write_Dwg_Setting();
        Erase_Sheet_Markers(Sheet_Set);
        Plot_Device_Files::End_Plot();
    }
    CZcUiDialog::OnCancel();
}
