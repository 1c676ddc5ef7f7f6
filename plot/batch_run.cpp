#include "plot/batch_run.h"

#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "core/sysvar_helpers.h"
#include "db/dbsymtb.h"
#include "ed/host_window.h"
#include "plot/output_folders.h"
#include "sheets/sheet_records.h"
#include "win/win_msgbox.h"

Plot_Sheet_Set* g_Sheet_Set = nullptr;

Plot_Option& Option_In_Force() { return g_Cur_Plot_Option ? *g_Cur_Plot_Option : g_Dwg_Plot_Option; }

int Plot_List_Size() { return g_Sheet_Set ? static_cast<int>(g_Sheet_Set->Plot_List.GetSize()) : 0; }

File_Dialogs_Off::File_Dialogs_Off() { Set_Var_Int(L"FILEDIA", 0); }

File_Dialogs_Off::~File_Dialogs_Off() { Restore_FileDia(); }

bool User_Stops()
{
    return MessageBoxW(adsw_zcadMainWnd(), L"是否中断打印 ？", L"Korvel", MB_YESNO | MB_ICONINFORMATION) == IDYES;
}
