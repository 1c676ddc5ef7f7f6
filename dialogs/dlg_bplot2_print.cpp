// Print and Cancel of the title-block window.
#include "core/doc_lock.h"
#include "core/file_dialogs.h"
#include "core/follow_up.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "dialogs/dlg_bplot2.h"
#include "plot/batch_plot_driver.h"
#include "plot/dwg_export.h"
#include "plot/output_folders.h"
#include "plot/pdf_merge.h"
#include "plot/tk_batch_driver.h"
#include "sheets/paper_table.h"
#include "sheets/plotter_files.h"
#include "signstamp/sign_authorisation.h"
#include "signstamp/stamp_choice.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace {
constexpr const wchar_t* Bplot2_Caption = L"Korvel打印";
}  // namespace

bool Dlg_BPlot2::Check_File_Names()
{
    if (Format_Index == Output_Pdf && g_Plot_Config.Merge_Pdf)
        return true;
    const INT_PTR count = Sheet_List.Sheets.GetSize();
    for (INT_PTR i = 0; i < count; ++i) {
        CString name = Sheet_List.Sheets[i]->File_Name;
        name.Replace(Line_Break_Marker, L"");
        CString message;
        if (name.IsEmpty()) {
            message.Format(L"第 %d 个文件的文件名为空，退出 !", static_cast<int>(i + 1));
        } else {
            // Files of equal names would overwrite each other.
            const CString shown = Shown_File_Name(Sheet_List.Sheets[i]->File_Name);
            for (INT_PTR j = 0; j < i && message.IsEmpty(); ++j)
                if (Shown_File_Name(Sheet_List.Sheets[j]->File_Name).CompareNoCase(shown) == 0)
                    message.Format(L"第 %d 个文件与第 %d 个文件的文件名相同，退出 !", static_cast<int>(j + 1),
                                   static_cast<int>(i + 1));
        }
        if (!message.IsEmpty()) {
            MessageBoxW(GetSafeHwnd(), message, Bplot2_Caption, MB_OK | MB_ICONQUESTION);
            return false;
        }
    }
    return true;
}

bool Dlg_BPlot2::Check_Papers()
{
    for (INT_PTR i = 0; i < Sheet_List.Sheets.GetSize(); ++i) {
        const MyPaper* paper = Find_Paper_By_Name(Sheet_List.Papers, Sheet_List.Sheets[i]->Paper_Name);
        if (paper == nullptr || (paper->Long_Side <= 5080 && paper->Short_Side <= 5080))
            continue;
        MessageBoxW(GetSafeHwnd(),
                    L"有纸张尺寸过大，已超过 5080 mm (即200英寸)。\n\n请检查是否打印比例有误。\n\n打印退出 !",
                    Bplot2_Caption, MB_OK | MB_ICONQUESTION);
        return false;
    }
    return true;
}

void Dlg_BPlot2::OnOK()
{
    if (Plot_Running)
        return;
    Read_Controls();
    const bool dwg = Format_Index == Output_Dwg;
    if (!Check_File_Names())
        return;
    if (!dwg && !Check_Papers())
        return;
    if (Print_Sign && !dwg && Has_Unauthorized_Signature() &&
        MessageBoxW(GetSafeHwnd(), L"文件中存在未授权的签名 !\n\n未经授权的签名将无法打印，是否继续打印 ?",
                    Bplot2_Caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Options.Stamps_On = Print_Stamp;
    if (!dwg && Format_Index != Output_Plt && Options.Stamps_On != 0 &&
        !Choose_Stamps_Before_Plot(Options, Sheet_List))
        return;

    Options.Output_Type = Format_Index;
    Options.Folder_Mode = Folder_Mode_Index;
    Options.Print_Sign = Print_Sign;
    g_Plot_Style_Index = Style_Index - 1;
    if (Style_Index > 0 && Style_Index < Style_Combo.GetCount()) {
        CString name;
        Style_Combo.GetLBText(Style_Index, name);
        Trim_Left_Blanks(name);
        g_Plot_Config.Last_Style = name;
        Options.Style_Name = name;
    }

    if (dwg) {
        Doc_Lock lock;
        CString folder;
        if (Export_Sheets_To_Dwg2(Sheet_List, folder) && g_Plot_Config.Open_Folder)
            ShellExecuteW(nullptr, L"open", folder.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
        Options.Write_Dwg_Setting();
        Sheet_List.Erase_Markers();
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
    Queue_Follow_Up(L"Plot_Temp2");
    Doc_Lock lock;
    Options.Write_Dwg_Setting();
    Sheet_List.Erase_Markers();
    Plot_Launched = 1;
}

void Dlg_BPlot2::OnCancel()
{
    if (Plot_Running)
        return;
    Store_Controls();
    {
        Doc_Lock lock;
        Options.Write_Dwg_Setting();
        Sheet_List.Erase_Markers();
        Plot_Device_Files::End_Plot();
    }
    CZcUiDialog::OnCancel();
}
