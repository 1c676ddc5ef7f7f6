// Bodies of the numbered commands whose work starts in the core.
#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/hidden_layers.h"
#include "core/host_command.h"
#include "core/monitor_fit.h"
#include "core/plot_config.h"
#include "plot/plot_host_setup.h"
#include "core/program_folders.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "core/ucs_transform.h"
#include "dialogs/dlg_bplot.h"
#include "dialogs/dlg_setting.h"
#include "dialogs/dlg_shortcut.h"
#include "dialogs/dlg_tk_define.h"
#include "ed/host_window.h"
#include "plot/batch_run.h"
#include "res/resource.h"
#include "sheets/frame_detection.h"
#include "sheets/paper_scale.h"
#include "signstamp/dlg_sign.h"
#include "signstamp/dlg_stamp_lib.h"
#include "signstamp/sign_insert.h"
#include "titleblock/tk_find_sheets.h"
#include "titleblock/tk_library.h"
#include "ui/dialog_detection_feedback.h"
#include "ui/dlg_about.h"
#include "ui/module_resources.h"
#include "win/windows.h"

void Plot_Single_Sheet()
{
    Command_Scope scope;
    Prepare_Host_For_Plot(Plot_Host_Setup());
    SetFocus(adsw_zcadDocWnd());
    if (g_Plot_Config.Single_Pick_Mode == 1)
        SinglePlot_SelectW();
    else
        SinglePlot_SelectP();
}

namespace {

// Shows a result window filled for its sheets, moved onto the monitor under the cursor.
void Show_Result_Window(CWnd* window)
{
    CRect rect;
    window->GetWindowRect(&rect);
    Fit_Rect_To_Monitor(rect.left, rect.top, rect.right, rect.bottom);
    window->MoveWindow(&rect);
    window->ShowWindow(SW_SHOW);
}

}  // namespace

void Batch_Plot_To_Files()
{
    Command_Scope scope;
    Prepare_Host_For_Plot(Plot_Host_Setup());
    Destroy_Window_Object(g_Dlg_BPlot1);

    Module_Resource_Scope resources;
    auto* window = new Dlg_BPlot1(CWnd::FromHandle(adsw_zcadMainWnd()));
    g_Dlg_BPlot1 = window;
    window->Options.Read_Dwg_Setting();
    g_Cur_Plot_Option = &window->Options;
    g_Sheet_Set = &window->Sheet_Set;
    Destroy_Window_Object(g_Dlg_BPlot2);
    Destroy_Window_Object(g_Dlg_BPlot3);
    if (!window->Create(IDD_DLG_BPLOT1, CWnd::FromHandle(adsw_zcadMainWnd())))
        return;
    SetFocus(adsw_zcadDocWnd());

    Dialog_Detection_Feedback feedback;
    if (!Find_Plot_Frames(window->Sheet_Set, feedback))
        return;
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    window->Sheet_Set.Filter_By_Area();
    Vote_Default_Scale(window->Sheet_Set, true);
    window->Merge_Pdf = g_Plot_Config.Merge_Pdf;
    window->Save_As_Block = g_Plot_Config.Dwg_As_Block;
    window->Print_Sign = window->Options.Print_Sign;
    window->UpdateData(FALSE);
    window->Fill_On_Open();

    Show_Result_Window(window);
}
void Batch_Plot_By_TK()
{
    Command_Scope scope;
    Prepare_Host_For_Plot(Plot_Host_Setup());
    Destroy_Window_Object(g_Dlg_BPlot2);

    Module_Resource_Scope resources;
    auto* window = new Dlg_BPlot2(CWnd::FromHandle(adsw_zcadMainWnd()));
    g_Dlg_BPlot2 = window;
    window->Options.Read_Dwg_Setting();
    g_Cur_Plot_Option = &window->Options;
    g_TK_Sheet_List = &window->Sheet_List;
    Destroy_Window_Object(g_Dlg_BPlot1);
    Destroy_Window_Object(g_Dlg_BPlot3);
    if (!window->Create(IDD_DLG_BPLOT2, CWnd::FromHandle(adsw_zcadMainWnd())))
        return;
    SetFocus(adsw_zcadDocWnd());

    Dialog_Detection_Feedback feedback;
    if (!Find_TK_Sheets(window->Sheet_List, feedback)) {
        if (window->IsWindowVisible())
            window->EndDialog(IDCANCEL);
        return;
    }
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    window->Merge_Pdf = g_Plot_Config.Merge_Pdf;
    window->Save_As_Block = g_Plot_Config.Dwg_As_Block;
    window->Print_Sign = window->Options.Print_Sign;
    window->Print_Stamp = window->Options.Stamps_On;
    bool used[4] = {false, false, false, false};
    window->Sheet_List.Get_Stamp_Positions_Used(used);
    window->Stamp_Positions = used[0] || used[1] || used[2] || used[3] ? 1 : 0;
    if (window->Stamp_Positions == 0)
        window->Print_Stamp = 0;
    window->UpdateData(FALSE);
    window->Fill_Style_Combo();
    window->Fill_Sheet_List();
    window->Init_Folder_Mode();
    window->Init_Output_Format();
    window->Fill_Margin_Combo();

    Show_Result_Window(window);
}
void Manage_TK_Library()
{
    g_Ucs.Reset();
    g_Ucs.Set_World();
    g_Hidden_Layers.Collect_Hidden_Layers();
    TK_Library& library = g_TK_Library;
    const int in_front = library.No_In_Front, start = library.No_Start, digits = library.No_Digits;
    const CString prefix = library.No_Prefix, suffix = library.No_Suffix;
    library.Load(0);
    {
        Module_Resource_Scope resources;
        Dlg_TK_Define dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
        dialog.DoModal();
    }
    library.No_In_Front = in_front;
    library.No_Prefix = prefix;
    library.No_Start = start;
    library.No_Suffix = suffix;
    library.No_Digits = digits;
}
void Batch_Plot_To_Paper()
{
    Command_Scope scope;
    Prepare_Host_For_Plot(Plot_Host_Setup{.Shx = Shx_Text::Keep});
    Destroy_Window_Object(g_Dlg_BPlot3);

    Module_Resource_Scope resources;
    auto* window = new Dlg_BPlot3(CWnd::FromHandle(adsw_zcadMainWnd()));
    g_Dlg_BPlot3 = window;
    window->Options.Read_Dwg_Setting();
    g_Cur_Plot_Option = &window->Options;
    g_Sheet_Set = &window->Sheet_Set;
    if (!window->Create(IDD_DLG_BPLOT3, CWnd::FromHandle(adsw_zcadMainWnd())))
        return;
    Destroy_Window_Object(g_Dlg_BPlot1);
    Destroy_Window_Object(g_Dlg_BPlot2);
    SetFocus(adsw_zcadDocWnd());

    Dialog_Detection_Feedback feedback;
    if (!Find_Plot_Frames(window->Sheet_Set, feedback))
        return;
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    window->Sheet_Set.Filter_By_Area();
    window->Device_Name = window->Options.Device_Name;
    window->Print_Sign = window->Options.Print_Sign;
    window->Output_Mode = window->Options.Plt_Output;
    window->Auto_Rotate = window->Options.Auto_Rotate;
    window->Collate = window->Options.Collate;
    window->UpdateData(FALSE);
    window->Fill_On_Open();

    Show_Result_Window(window);
}
void Manage_Sign_Library()
{
    Command_Scope scope;
    g_Ucs.Reset();
    Module_Resource_Scope resources;
    Dlg_Sign_Lib dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    if (dialog.DoModal() != IDOK)
        return;
    ++g_Sign_Lib_Generation;
    Update_Screen();
}
void Insert_Library_Signature()
{
    Command_Scope scope;
    Run_Insert_Library_Signature();
}
void Edit_Shortcuts()
{
    Module_Resource_Scope resources;
    Dlg_ShortCut dialog(AfxGetMainWnd());
    dialog.DoModal();
}

void Open_Help()
{
    CString path;
    path.Format(L"%s\\BPHelp.pdf", static_cast<const wchar_t*>(g_App_Folder));
    ShellExecuteW(adsw_zcadMainWnd(), L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void Show_About()
{
    Module_Resource_Scope resources;
    Dlg_About dialog(AfxGetMainWnd());
    dialog.DoModal();
}

void Show_Uninstall()
{
    CString text;
    text.Format(L"本软件为绿色软件，关闭CAD后将以下安装文件夹删除即可：\n\n%s", static_cast<const wchar_t*>(g_App_Folder));
    MessageBoxW(adsw_zcadMainWnd(), text, L"Korvel打印", MB_OK | MB_ICONQUESTION);
}
void Manage_Stamp_Library()
{
    Command_Scope scope;
    Module_Resource_Scope resources;
    Dlg_Stamp_Lib dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    dialog.DoModal();
}
void Edit_Plot_Settings()
{
    Module_Resource_Scope resources;
    Dlg_Setting dialog(AfxGetMainWnd());
    dialog.DoModal();
}
void Old_Batch_Plot()
{
    Command_Scope scope;
    g_Dwg_Plot_Option.Read_Dwg_Setting();
    g_Cur_Plot_Option = &g_Dwg_Plot_Option;
    Prepare_Host_For_Plot({Printer_Folders::Keep, Shx_Text::Keep, Plot_Styles::Keep});

    Module_Resource_Scope resources;
    Dlg_BPlot dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    if (dialog.DoModal() != IDOK)
        return;
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    dialog.Setting.Collect_Areas(dialog.Frame_Mode);
    if (dialog.Setting.Plot_Areas())
        dialog.Setting.Write_Xrecord(dialog.Frame_Mode);
}
