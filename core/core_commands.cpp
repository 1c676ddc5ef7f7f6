// Bodies of the numbered commands whose work starts in the core.
// Filled in as the dialogs and drivers they open land; until then each prints the notice.
#include "core/command_handlers.h"
#include "core/pending_notice.h"
#include "core/program_folders.h"
#include "ui/dlg_about.h"
#include "ui/module_resources.h"
#include "win/windows.h"

void Plot_Single_Sheet() { Print_Pending_Notice(); }
void Batch_Plot_To_Files() { Print_Pending_Notice(); }
void Manage_TK_Library() { Print_Pending_Notice(); }
void Batch_Plot_By_TK() { Print_Pending_Notice(); }
void Batch_Plot_To_Paper() { Print_Pending_Notice(); }
void Manage_Sign_Library() { Print_Pending_Notice(); }
void Insert_Library_Signature() { Print_Pending_Notice(); }
void Authorize_Signatures() { Print_Pending_Notice(); }
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
