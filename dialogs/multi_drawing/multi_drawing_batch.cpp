// The driver of the batch over several drawing files: a command body that no command
// registers. It shows the list and stores it with the options; it plots nothing.
#include "dialogs/multi_drawing/multi_drawing_batch.h"

#include "core/command_context.h"
#include "core/file_operations.h"
#include "core/host_command.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/sysvar_helpers.h"
#include "core/temp_folder.h"
#include "core/ucs_transform.h"
#include "dialogs/multi_drawing/dlg_multi_files.h"
#include "ed/host_window.h"
#include "ed/sysvars.h"
#include "plot/multi_drawing/multi_dwg_list.h"
#include "plot/batch_run.h"
#include "plot/output_folders.h"
#include "sheets/plot_styles.h"
#include "ui/module_resources.h"

void Multi_Drawing_Batch()
{
    Command_Scope scope;
    for (const wchar_t* name : {L"PDFSHX", L"EPDFSHX", L"BACKGROUNDPLOT"})
        Set_Var_Int(name, 0);
    zcedSetEnv(L"AutomaticPlotLog", L"0");
    Install_Ctb_Files();
    g_Ucs.Reset();
    Delete_Folder_Files(Get_Temp_Folder());
    g_Dwg_Plot_Option.Read_Dwg_Setting();
    g_Cur_Plot_Option = &g_Dwg_Plot_Option;

    Clear_Multi_Dwg_Lists();
    CStringArray paths;
    Load_Multi_Dwg_List(paths);
    Module_Resource_Scope resources;
    Dlg_MultiFiles dialog(CWnd::FromHandle(adsw_zcadMainWnd()));
    Add_Dwg_Files(paths);
    if (dialog.DoModal() != IDOK)
        return;
    g_Dwg_Plot_Option.Write_Dwg_Setting();
    Run_Host_Command({L"-plotstamp", g_Plot_Config.Plot_Stamp ? L"O" : L"OFF", L""});
    File_Dialogs_Off file_dialogs_off;
    Save_Multi_Dwg_List();
    Clear_Multi_Dwg_Lists();
    g_Dwg_Plot_Option.Write_Dwg_Setting();
    g_Plot_Config.Save(true);
}
