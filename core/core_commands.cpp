// Bodies of the numbered commands whose work starts in the core.
// Filled in as the dialogs and drivers they open land; until then each prints the notice.
#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/hidden_layers.h"
#include "core/pending_notice.h"
#include "core/program_folders.h"
#include "core/ucs_transform.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "sheets/frame_detection.h"
#include "ui/dlg_about.h"
#include "ui/module_resources.h"
#include "win/windows.h"

void Plot_Single_Sheet() { Print_Pending_Notice(); }
namespace {

// The name of the layout that owns the space; "Selection" for a null id.
CString Space_Name(ZcDbObjectId space_id)
{
    if (space_id.isNull())
        return L"Selection";
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(space_id, ZcDb::kForRead);
    if (space.openStatus() != Zcad::eOk)
        return L"?";
    ZcDbObjectPointer<ZcDbLayout> layout(space->getLayoutId(), ZcDb::kForRead);
    const wchar_t* name = nullptr;
    if (layout.openStatus() != Zcad::eOk || layout->getLayoutName(name) != Zcad::eOk || name == nullptr)
        return L"?";
    return name;
}

// Until the result window lists them: the number of sheets found in each space, in the
// order the spaces were searched.
void Print_Sheets_Per_Space(const Plot_Sheet_Set& set)
{
    ZcDbObjectIdArray spaces;
    ZcArray<int> counts;
    for (INT_PTR i = 0; i < set.All_Sheets.GetSize(); ++i) {
        const ZcDbObjectId space_id = set.All_Sheets[i]->Space_Id;
        int at = spaces.find(space_id);
        if (at < 0) {
            at = spaces.append(space_id);
            counts.append(0);
        }
        ++counts[at];
    }
    for (int i = 0; i < spaces.length(); ++i)
        zcutPrintf(L"\nSheets found in %s: %d", static_cast<const wchar_t*>(Space_Name(spaces[i])), counts[i]);
}

}  // namespace

void Batch_Plot_To_Files()
{
    Command_Scope scope;
    g_Ucs.Capture(true);
    g_Hidden_Layers.Collect_Hidden_Layers();
    Plot_Sheet_Set sheets;
    if (Find_Plot_Frames(sheets))
        Print_Sheets_Per_Space(sheets);
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
