#include "plot/plot_host_setup.h"

#include "core/hidden_layers.h"
#include "core/program_folders.h"
#include "core/sysvar_helpers.h"
#include "core/ucs_transform.h"
#include "ed/sysvars.h"
#include "sheets/plot_styles.h"

void Prepare_Host_For_Plot(const Plot_Host_Setup& setup)
{
    if (setup.Folders == Printer_Folders::Read_Again)
        Init_Host_Printer_Folders();
    g_Ucs.Capture(true);
    if (setup.Shx == Shx_Text::Off) {
        Set_Var_Int(L"PDFSHX", 0);
        Set_Var_Int(L"EPDFSHX", 0);
    }
    Set_Var_Int(L"BACKGROUNDPLOT", 0);
    zcedSetEnv(L"AutomaticPlotLog", L"0");
    g_Hidden_Layers.Collect_Hidden_Layers();
    if (setup.Styles == Plot_Styles::Install)
        Install_Ctb_Files();
}
