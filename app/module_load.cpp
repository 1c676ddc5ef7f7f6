#include "app/module_load.h"

#include "app/command_table.h"
#include "app/custom_classes.h"
#include "sheets/doc_reactors.h"
#include "core/editor_reactor.h"
#include "core/file_messages.h"
#include "core/menu.h"
#include "core/plot_config.h"
#include "core/point_monitor.h"
#include "core/program_folders.h"
#include "dialogs/result_windows.h"
#include "core/sysvar_helpers.h"
#include "app/window_watcher.h"
#include "ed/editor.h"
#include "ed/docman.h"
#include "rx/rxregistry.h"
#include "signstamp/sign_library.h"
#include "signstamp/stamp_library.h"
#include "titleblock/tk_library.h"

namespace {

ZcEditor* Host_Editor() { return ZcEditor::cast(zcrxSysRegistry()->at(L"ZcEditor")); }

}  // namespace

void Load_Module()
{
    Init_Program_Folders();
    g_Plot_Config.Load();
    g_TK_Library.Load(0);
    Sign_Library::Load(g_Sign_Library, g_Plot_Config.Sign_Lib_Path, false);
    Stamp_Library::Load(g_Stamp_Library, g_Plot_Config.Stamp_Lib_Path, false);
    Register_Commands();
    Refresh_Menu(false);
    Attach_Point_Monitor();

    if (g_Editor_Reactor == nullptr) {
        if (ZcEditor* editor = Host_Editor()) {
            g_Editor_Reactor = new MyAcEditorReactor;
            editor->addReactor(g_Editor_Reactor);
        }
    }

    zcedRegisterWatchWinMsg(Watch_Key_Message);

    if (g_Doc_Reactors == nullptr) {
        g_Doc_Reactors = new Doc_Reactor_List;
        g_Doc_Reactors->Attach(zcDocManager->curDocument());
    }

    Register_Custom_Classes();
    Set_Var_Int(L"FILEDIA", 1);
    zcutPrintf(L"\n******* K-批打印软件已成功加载，若K-批打印菜单未显示，可输入korvel命令调出菜单 *******");
}

void Unload_Module()
{
    Destroy_Result_Windows();

    if (!g_Plot_Config.Save(false))
        Print_Write_Failure(Plot_Config::File_Path());
    if (!g_TK_Library.Resave())
        Print_Write_Failure(TK_Library::File_Path());
    g_Stamp_Library.Clear();

    Remove_Command_Group();

    Detach_Point_Monitor();

    if (g_Editor_Reactor != nullptr) {
        if (ZcEditor* editor = Host_Editor())
            editor->removeReactor(g_Editor_Reactor);
        delete g_Editor_Reactor;
        g_Editor_Reactor = nullptr;
    }

    zcedRemoveWatchWinMsg(Watch_Key_Message);

    if (g_Doc_Reactors != nullptr) {
        g_Doc_Reactors->Detach_All();
        delete g_Doc_Reactors;
        g_Doc_Reactors = nullptr;
    }

    Remove_Custom_Classes();
}
