#include "core/editor_reactor.h"

#include "core/menu.h"
#include "core/plot_config.h"
#include "mfc/afxstr.h"

MyAcEditorReactor* g_Editor_Reactor = nullptr;
int32_t g_Merge_Cmd_Ran = 0;
int32_t g_Rotate_Cmd_Ran = 0;
bool g_Menubar_Changed = false;

namespace {

bool Same_Name(const wchar_t* name, const wchar_t* other)
{
    return name != nullptr && CString(name).CompareNoCase(other) == 0;
}

// The host's commands that change its menus or workspace.
bool Is_Menu_Command(const wchar_t* name)
{
    for (const wchar_t* command : {L"OPTIONS", L"CUI", L"MENU", L"MENULOAD", L"MENUBAR"})
        if (Same_Name(name, command))
            return true;
    return false;
}

}  // namespace

void MyAcEditorReactor::commandWillStart(const wchar_t* cmdStr)
{
    g_Menubar_Changed = false;
    if (Same_Name(cmdStr, L"K_PDF_Merge"))
        g_Merge_Cmd_Ran = 1;
    else if (Same_Name(cmdStr, L"K_PDF_Rotate"))
        g_Rotate_Cmd_Ran = 1;
}

void MyAcEditorReactor::commandEnded(const wchar_t* cmdStr)
{
    if (Is_Menu_Command(cmdStr) || g_Menubar_Changed) {
        Refresh_Menu(false);
        g_Menubar_Changed = false;
    }
    if (Same_Name(cmdStr, L"Korvel"))
        After_Korvel_Command();
}

void MyAcEditorReactor::sysVarChanged(const wchar_t* varName, bool success)
{
    if (Same_Name(varName, L"MENUBAR")) {
        g_Menubar_Changed = true;
    } else if (Same_Name(varName, L"WSCURRENT")) {
        g_Plot_Config.Set_Menubar = 1;
        Refresh_Menu(false);
    }
}
