// The module keeps its settings and list files in the per-user folder of the machine:
// written at unload in the ANSI code page (CP936), read back at the next load.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cadhost_runner.h"

namespace {

std::string Read_Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(Settings_Files_Test, UnloadWritesThemAndTheNextLoadReadsThemBack)
{
    Cadhost_Runner runner;
    const std::filesystem::path folder =
        runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";

    Cadhost_Run first = runner.Run_Script({MODULE_2025_PATH}, "command Korvel\n");
    ASSERT_EQ(first.status, 0) << first.err;
    std::string settings = Read_Bytes(folder / "BPlot_Cfg_ZCAD.cfg");
    const std::string lists = Read_Bytes(folder / "Korvel.Ini");
    ASSERT_FALSE(settings.empty());
    // The profile key "2025_<<未命名配置>>" in CP936.
    EXPECT_NE(lists.find("\r\n2025_<<\xCE\xB4\xC3\xFC\xC3\xFB\xC5\xE4\xD6\xC3>>\r\n"), std::string::npos) << lists;

    // An alias "QM" for command 7 in place of the empty alias list (the count follows the
    // file's stamp and the option block of 45 lines).
    std::istringstream lines(settings);
    std::string edited, line;
    for (int i = 0; std::getline(lines, line); ++i)
        edited += (i == 46 ? std::string("1\r\n7\r\nQM\r") : line) + "\n";
    std::ofstream(folder / "BPlot_Cfg_ZCAD.cfg", std::ios::binary) << edited;

    Cadhost_Run second = runner.Run_Script({MODULE_2025_PATH}, "command QM\n");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out.find("Unknown command"), std::string::npos) << second.out;
    settings = Read_Bytes(folder / "BPlot_Cfg_ZCAD.cfg");
    EXPECT_NE(settings.find("\r\n7\r\nQM\r\n"), std::string::npos);
}

}  // namespace
