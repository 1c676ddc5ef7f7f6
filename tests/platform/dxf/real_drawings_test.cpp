// The folder of real drawings comes from KORVEL_REALDXF when set, and a missing folder or file is
// named, so that a test without its drawing is skipped with a reason instead of failing.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "real_drawings.h"

namespace {

// Sets the environment for the test and puts the previous values back afterwards.
class Real_Drawings_Folder_Test : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"KORVEL_REALDXF", "KORVEL_REALDXF_REQUIRED"})
            if (const char* value = std::getenv(name))
                m_Previous.emplace_back(name, value);
        unsetenv("KORVEL_REALDXF_REQUIRED");
        // A folder of each test's own: ctest runs the tests of this file side by side.
        m_Folder = std::filesystem::path(KORVEL_BINARY_DIR) / "real_drawings_test" /
                   testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_Folder);
        std::filesystem::create_directories(m_Folder / "set");
        std::ofstream(m_Folder / "set" / "a.dxf") << "  0\nEOF\n";
    }
    void TearDown() override
    {
        unsetenv("KORVEL_REALDXF");
        unsetenv("KORVEL_REALDXF_REQUIRED");
        for (const auto& [name, value] : m_Previous)
            setenv(name.c_str(), value.c_str(), 1);
        std::filesystem::remove_all(m_Folder);
    }

    std::filesystem::path m_Folder;
    std::vector<std::pair<std::string, std::string>> m_Previous;
};

TEST_F(Real_Drawings_Folder_Test, The_Environment_Names_The_Folder)
{
    setenv("KORVEL_REALDXF", m_Folder.c_str(), 1);
    EXPECT_EQ(korvel_test::Real_Drawings_Folder(), m_Folder);
    EXPECT_EQ(korvel_test::Real_Drawing("set/a.dxf"), (m_Folder / "set" / "a.dxf").string());
    setenv("KORVEL_REALDXF", "", 1);
    EXPECT_EQ(korvel_test::Real_Drawings_Folder(), std::filesystem::path(KORVEL_REALDXF_DIR));
}

TEST_F(Real_Drawings_Folder_Test, Says_What_Is_Missing)
{
    struct Case {
        std::filesystem::path folder;
        const char* drawing;
        std::string missing;
    };
    const Case cases[] = {
        {m_Folder, "set/a.dxf", ""},
        {m_Folder, "set/b.dxf", "the real drawing " + (m_Folder / "set" / "b.dxf").string()},
        {m_Folder, "set", "the real drawing " + (m_Folder / "set").string()},
        {m_Folder / "absent", "set/a.dxf", "the folder of real drawings " + (m_Folder / "absent").string()},
        {m_Folder / "set" / "a.dxf", "a.dxf", "the folder of real drawings " + (m_Folder / "set" / "a.dxf").string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.string() + " " + c.drawing);
        setenv("KORVEL_REALDXF", c.folder.c_str(), 1);
        const std::string missing = korvel_test::Missing_Real_Drawing(c.drawing);
        EXPECT_EQ(missing.substr(0, c.missing.size()), c.missing);
        EXPECT_EQ(missing.empty(), c.missing.empty()) << missing;
    }
}

void Require(const char* drawing) { KORVEL_REQUIRE_REAL_DRAWING(drawing); }

// A missing drawing skips the test, or fails it when the drawings are required.
TEST_F(Real_Drawings_Folder_Test, A_Missing_Drawing_Skips_Or_Fails)
{
    struct Case {
        const char* drawing;
        const char* required;
        int results;
        testing::TestPartResult::Type type;
    };
    const Case cases[] = {
        {"set/a.dxf", "1", 0, testing::TestPartResult::kSuccess},
        {"set/b.dxf", "0", 1, testing::TestPartResult::kSkip},
        {"set/b.dxf", "1", 1, testing::TestPartResult::kFatalFailure},
    };
    setenv("KORVEL_REALDXF", m_Folder.c_str(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.drawing) + " required=" + c.required);
        setenv("KORVEL_REALDXF_REQUIRED", c.required, 1);
        testing::TestPartResultArray results;
        {
            testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            Require(c.drawing);
        }
        ASSERT_EQ(results.size(), c.results);
        if (c.results) {
            EXPECT_EQ(results.GetTestPartResult(0).type(), c.type);
            EXPECT_NE(std::string(results.GetTestPartResult(0).message()).find("b.dxf"), std::string::npos);
        }
    }
}

}  // namespace
