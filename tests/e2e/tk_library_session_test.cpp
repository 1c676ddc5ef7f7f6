// The title-block library file in the per-user folder: read when the module loads, written
// back when it unloads, and left as it is when it could not be read whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cadhost_runner.h"

namespace {

std::string Library_Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A library file of an older version: two definitions (without the fields of later
// versions), the catalogue and the numbering with the prefix "P-".
std::string Old_Library_File()
{
    std::string text = "20200101\r\n2\r\n";
    for (const char* block : {"TK_A1", "TK_A2"}) {
        text += std::string("Frame\r\n") + block + "\r\nA_B\r\n0\r\n1\r\n841\r\n594\r\n";
        for (int i = 0; i < 10; ++i) text += "-10\r\n-5\r\n10\r\n5\r\n";
        text += "2\r\n1\r\n";
    }
    text += "Standard\r\nKorvel_EN.shx\r\nKorvel_HZ.shx\r\n300\r\n0.8\r\n1\r\n300\r\n0.8\r\n256\r\n0\r\n1\r\n"
            "Continuous\r\n-3\r\n1\r\n1000\r\n3\r\n900\r\n2300\r\n9850\r\n3\r\n0\r\n1\r\n3\r\n"
            "1\r\nP-\r\n1\r\n_\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    return text;
}

class TK_Library_Session_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A first session sets the host profile up, so that the next one writes the library
        // only when it unloads.
        const Cadhost_Run first = runner.Run_Script({MODULE_2025_PATH}, "command Korvel\n");
        ASSERT_EQ(first.status, 0) << first.err;
    }
    std::filesystem::path Library_File() const
    {
        return runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel" /
               "BPlot_TK.tk";
    }

    Cadhost_Runner runner;
};

TEST_F(TK_Library_Session_Test, The_Library_File_Is_Read_At_Load_And_Written_Back_At_Unload)
{
    const std::string old_file = Old_Library_File();
    std::ofstream(Library_File(), std::ios::binary) << old_file;
    const Cadhost_Run run = runner.Run_Script({MODULE_2025_PATH}, "command Korvel\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("不完整"), std::string::npos) << run.out;

    // Rewritten in the current format: a newer stamp, the definitions, the numbering, and
    // the fields the old file did not have (47 paper names at the end).
    const std::string written = Library_Bytes(Library_File());
    EXPECT_GT(std::stol(written.substr(0, 8)), 20241215L);
    EXPECT_NE(written.find("\r\nTK_A1\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\nTK_A2\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\nP-\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\nA_B_T_C\r\n+\r\n0\r\n0\r\n47\r\n"), std::string::npos) << written;
}

TEST_F(TK_Library_Session_Test, A_Library_File_Cut_Short_Is_Reported_At_Load_And_Left_As_It_Is)
{
    const std::string old_file = Old_Library_File();
    const std::string cut = old_file.substr(0, old_file.find("TK_A2") + 30);
    std::ofstream(Library_File(), std::ios::binary) << cut;
    const Cadhost_Run run = runner.Run_Script({MODULE_2025_PATH}, "command Korvel\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const size_t notice = run.out.find("BPlot_TK.tk > 不完整或已损坏，读入了其中完整的 1 个图框信息。");
    ASSERT_NE(notice, std::string::npos) << run.out;
    EXPECT_LT(notice, run.out.find("K-批打印软件已成功加载"));
    EXPECT_EQ(Library_Bytes(Library_File()), cut);
}

}  // namespace
