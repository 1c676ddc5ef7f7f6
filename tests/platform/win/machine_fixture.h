// A fresh emulated machine in a temporary root for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "script/script_input.h"
#include "win/windows.h"

namespace platform {

class MachineTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("korvel_machine_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        Machine::instance().set_root(root_);
        ScriptInput::instance().reset();
        MessageBoxLog.clear();
        ShellLog.clear();
        FolderPickerLog.clear();
    }
    void TearDown() override {
        ScriptInput::instance().reset();
        MessageBoxLog.clear();
        ShellLog.clear();
        FolderPickerLog.clear();
        Machine::instance().clear_local_time();
        // Read-only entries cannot block removal of the temporary tree.
        std::error_code ec;
        for (auto& entry : std::filesystem::recursive_directory_iterator(root_, ec))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    // Host path of a Windows path on drive C.
    std::filesystem::path c_drive() const { return root_ / "c"; }
    static void Write_File(const std::filesystem::path& path, const std::string& content = "x") {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }
    static std::string Read_File(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path root_;
};

}  // namespace platform
