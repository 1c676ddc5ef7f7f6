// The host's menu commands ("MENULOAD", "MENUUNLOAD", "MENU") and the script step
// `menubar`, registered when the library is loaded.
#include <string>

#include "com/menu_model.h"
#include "ed/command_file.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/editor.h"
#include "ed/input.h"
#include "script/utf8.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

void Load_Menu_File_Command()
{
    std::wstring path;
    if (!Ask_Command_File(L"Load Customization File", L"mns", L"\nEnter name of customization file to load: ", path) ||
        path.empty())
        return;
    Menu_Source source;
    std::string error;
    if (!Read_Menu_Source(path, source, error) || !Load_Menu_Group(source, path, error)) {
        Print(L"\nCannot load the menu file " + path + L": " + From_Utf8(error) + L".");
        return;
    }
    Print(L"\nMenu group \"" + source.group_name + L"\" loaded.");
}

void Unload_Menu_Group_Command()
{
    wchar_t name[512] = {};
    if (zcedGetString(1, L"\nEnter the name of the menu group to unload: ", name, 512) != RTNORM || name[0] == L'\0')
        return;
    if (Unload_Menu_Group(name))
        Print(L"\nMenu group \"" + std::wstring(name) + L"\" unloaded.");
    else
        Print(L"\nMenu group \"" + std::wstring(name) + L"\" is not loaded.");
}

// Loads the main menu again: the host's own, or (with a file) the file's group alone.
void Menu_Command()
{
    std::wstring path;
    if (!Ask_Command_File(L"Select Customization File", L"mns", L"\nEnter customization file name <main menu>: ", path))
        return;
    Menu_Source source;
    std::string error;
    if (!path.empty() && !Read_Menu_Source(path, source, error)) {
        Print(L"\nCannot load the menu file " + path + L": " + From_Utf8(error) + L".");
        return;
    }
    Reset_Menu_Model();
    if (path.empty())
        return;
    while (Unload_Menu_Group(L"ZWCAD")) {
    }
    Load_Menu_Group(source, path, error);
}

const bool gRegistered = [] {
    Register_Host_Command(L"MENULOAD", Load_Menu_File_Command);
    Register_Host_Command(L"MENUUNLOAD", Unload_Menu_Group_Command);
    Register_Host_Command(L"MENU", Menu_Command);
    Register_Step_Handler(StepKind::Menubar, [](const Step&) { Print(Describe_Menu_Bar()); }, true);
    return true;
}();

}  // namespace

}  // namespace platform
