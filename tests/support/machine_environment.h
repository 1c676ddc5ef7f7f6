// Gives a test process an emulated machine of its own, under the temporary folder, removed
// at the end. Registered by machine_environment.cpp, which test executables link as the
// object library korvel_test_machine.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "win/machine.h"

namespace korvel_test {

class Machine_Environment : public ::testing::Environment {
public:
    void SetUp() override { platform::Machine::instance().set_root(m_Root); }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_Root, ignored);
    }

private:
    const std::filesystem::path m_Root =
        std::filesystem::temp_directory_path() / ("korvel_test_" + std::to_string(getpid()));
};

inline const auto* const Machine_Environment_Registration =
    ::testing::AddGlobalTestEnvironment(new Machine_Environment);

}  // namespace korvel_test
