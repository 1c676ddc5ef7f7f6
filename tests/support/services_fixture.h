// A host as Core_Test gives it, with the program folders determined, an empty per-user
// folder, the program settings at their defaults and the machine's clock fixed.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/plot_config.h"
#include "core/program_folders.h"
#include "core/temp_folder.h"
#include "core_fixture.h"
#include "script/script_input.h"
#include "win/windows.h"

class Services_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        Fix_Clock(2026, 12, 8, 23, 14, 30);
        Init_Program_Folders();
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(Host(g_Config_Folder), ignored))
            std::filesystem::remove_all(entry.path(), ignored);
        g_Plot_Config = Plot_Config();
        g_Temp_Folder_Choice = -1;
        platform::MessageBoxLog.clear();
    }
    void TearDown() override
    {
        Core_Test::TearDown();
        platform::Machine::instance().clear_local_time();
        g_Plot_Config = Plot_Config();
    }

    static void Fix_Clock(int year, int month, int day, int hour, int minute, int second)
    {
        SYSTEMTIME time{};
        time.wYear = static_cast<WORD>(year);
        time.wMonth = static_cast<WORD>(month);
        time.wDay = static_cast<WORD>(day);
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        time.wSecond = static_cast<WORD>(second);
        platform::Machine::instance().set_local_time(time);
    }

    static std::filesystem::path Host(const CString& windows_path)
    {
        return platform::To_Host_Path(windows_path.GetString());
    }
    // The bytes of a file of the machine; empty when there is none.
    static std::string File_Bytes(const CString& windows_path)
    {
        std::ifstream in(Host(windows_path), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static void Write_File(const CString& windows_path, const std::string& bytes)
    {
        std::filesystem::create_directories(Host(windows_path).parent_path());
        std::ofstream(Host(windows_path), std::ios::binary) << bytes;
    }
    static bool Exists(const CString& windows_path) { return std::filesystem::exists(Host(windows_path)); }
    // Answers the next message boxes.
    static void Answer_Boxes(int count)
    {
        for (int i = 0; i < count; ++i)
            platform::ScriptInput::instance().push_text("msgbox OK\n");
    }
};
