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
#include "mfc/afxdll.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "services_fixture.h"
#include "script/utf8.h"
#include "win/win_msgbox.h"

class Plot_Dialog_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
        g_Cur_Plot_Option = nullptr;
        g_Plot_Style_Folder = L"C:\\Korvel Dialogs\\Styles";
        std::filesystem::create_directories(Host(g_Plot_Style_Folder));
        ASSERT_EQ(zcedSetEnv(L"PrinterStyleSheetDir", g_Plot_Style_Folder.GetString()), RTNORM);
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Korvel Dialogs"), ignored);
        Services_Test::TearDown();
    }

    static void Script(const std::string& steps) { platform::ScriptInput::instance().push_text(steps); }
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
