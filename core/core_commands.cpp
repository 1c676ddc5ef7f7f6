// Bodies of the numbered commands whose work starts in the core.
// Filled in as the dialogs and drivers they open land; until then each prints the notice.
#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/host_command.h"
#include "core/monitor_fit.h"
#include "core/pending_notice.h"
#include "core/plot_config.h"
#include "core/plot_host_setup.h"
#include "core/program_folders.h"
#include "core/result_windows.h"
#include "ed/host_window.h"
#include "res/resource.h"
#include "sheets/frame_detection.h"
#include "sheets/paper_scale.h"
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

    if (!Find_Plot_Frames(window->Sheet_Set))
        return;
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    window->Sheet_Set.Filter_By_Area();
    Vote_Default_Scale(window->Sheet_Set, true);
    window->Merge_Pdf = g_Plot_Config.Merge_Pdf;
    window->Save_As_Block = g_Plot_Config.Dwg_As_Block;
    window->Print_Sign = window->Options.Print_Sign;
    window->UpdateData(FALSE);
    window->Fill_On_Open();

    CRect rect;
    window->GetWindowRect(&rect);
    Fit_Rect_To_Monitor(rect.left, rect.top, rect.right, rect.bottom);
    window->MoveWindow(&rect);
    window->ShowWindow(SW_SHOW);
}
void Manage_TK_Library() { Print_Pending_Notice(); }
void Batch_Plot_By_TK() { Print_Pending_Notice(); }
void Batch_Plot_To_Paper() { Print_Pending_Notice(); }
void Manage_Sign_Library() { Print_Pending_Notice(); }
void Insert_Library_Signature() { Print_Pending_Notice(); }
void Edit_Shortcuts() { Print_Pending_Notice(); }

void Open_Help()
{
    CString path;
    path.Format(L"%s\\BPHelp.pdf", static_cast<const wchar_t*>(g_App_Folder));
    ShellExecuteW(platform::Host_Main_Window(), L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

void Show_About()
{
    Module_Resource_Scope resources;
    Dlg_About dialog(AfxGetMainWnd());
    dialog.DoModal();
}

void Show_Uninstall() { Print_Pending_Notice(); }
void Manage_Stamp_Library() { Print_Pending_Notice(); }
void Edit_Plot_Settings() { Print_Pending_Notice(); }
void Old_Batch_Plot() { Print_Pending_Notice(); }
