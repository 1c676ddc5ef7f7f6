// A host as Core_Test gives it, with an empty Windows fonts folder and the support path
// set by the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#include "core_fixture.h"
#include "mfc/afxdll.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "win/machine.h"
#include "win/win_files.h"
#include "win/win_registry.h"

class Font_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        std::filesystem::remove_all(Host(L"C:\\Windows\\Fonts"));
        std::filesystem::remove_all(Host(L"C:\\FontTest"));
        std::filesystem::create_directories(Host(L"C:\\Windows\\Fonts"));
        Set_Support_Path(L"");
        platform::Clear_Message_Queue();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
    }
    void TearDown() override
    {
        platform::Clear_Message_Queue();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        Set_Support_Path(L"");
        Core_Test::TearDown();
    }

    static std::filesystem::path Host(const std::wstring& windows_path) { return platform::To_Host_Path(windows_path); }
    static void Write(const std::wstring& windows_path, const std::string& bytes)
    {
        std::filesystem::create_directories(Host(windows_path).parent_path());
        std::ofstream(Host(windows_path), std::ios::binary) << bytes;
    }
    static void Set_Support_Path(const std::wstring& path)
    {
        platform::Registry::instance().set_value(platform::Machine::instance().host_profile_general_key(), L"ACAD",
                                                 path);
    }
};
