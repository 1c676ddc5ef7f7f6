#include <unistd.h>

#include <filesystem>

#include "core_fixture.h"
#include "win/machine.h"

namespace {

// Gives the test process an emulated machine of its own, removed at the end.
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
        std::filesystem::temp_directory_path() / ("korvel_core_" + std::to_string(getpid()));
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new Machine_Environment);

}  // namespace
