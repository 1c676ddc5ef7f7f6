// The plot dialogs' tests: a host with one drawing (Services_Test), the module's resource
// script served from the current resource handle, an empty message queue and a
// plot-style folder of the test's own.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "core/plot_option.h"
#include "core/program_folders.h"
#include "ed/sysvars.h"
#include "dialog_fixture.h"
#include "script/utf8.h"
#include "win/win_msgbox.h"

class Plot_Dialog_Test : public Dialog_Test {
public:
    void SetUp() override
    {
        Dialog_Test::SetUp();
        if (HasFatalFailure()) return;
        g_Cur_Plot_Option = nullptr;
        g_Plot_Style_Folder = L"C:\\Korvel Dialogs\\Styles";
        std::filesystem::create_directories(Host(g_Plot_Style_Folder));
        ASSERT_EQ(zcedSetEnv(L"PrinterStyleSheetDir", g_Plot_Style_Folder.GetString()), RTNORM);
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Korvel Dialogs"), ignored);
        Dialog_Test::TearDown();
    }

    static bool Script_Used() { return platform::ScriptInput::instance().size() == 0; }
    // A snapshot path (UTF-8) in the machine's temporary folder of the test process.
    static std::string Temp_Shot(const std::string& name)
    {
        const std::filesystem::path folder = Host(L"C:\\Korvel Dialogs");
        std::filesystem::create_directories(folder);
        return (folder / name).string();
    }
    // Plot-style tables in the test's folder; PSTYLEMODE 1 lists the colour-dependent ones.
    static void Add_Style_Tables(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names) Write_File(g_Plot_Style_Folder + L"\\" + name, "table");
    }
};
