// cadhost sessions with the shortcut dialog, the plot settings dialog and the uninstall
// notice: what they change lasts through an unload into the next session.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace {

const std::string Frames = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/frames.dxf";

std::filesystem::path Config_Folder(const Cadhost_Runner& runner)
{
    return runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";
}

std::string Config_File(const Cadhost_Runner& runner, const char* name)
{
    const std::filesystem::path path = Config_Folder(runner) / name;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Cadhost_Run Session(const Cadhost_Runner& runner, const std::string& steps, const std::string& drawing)
{
    const std::filesystem::path script = runner.Write_Script("session.scr", steps);
    return runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                       script.string(), drawing});
}

// The settings file's lines after the shortcut list, one program-wide field each.
std::vector<std::string> Config_Fields(const std::string& settings)
{
    std::vector<std::string> lines;
    std::istringstream in(settings);
    for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find('\r')));
    // The version stamp, the option block of 45 lines, the alias count and two lines an alias.
    const size_t aliases = lines.size() > 46 ? std::stoul(lines[46]) : 0;
    const size_t first = 47 + 2 * aliases;
    return first < lines.size() ? std::vector<std::string>(lines.begin() + first, lines.end()) : std::vector<std::string>{};
}

TEST(Settings_Dialogs_Session, An_Alias_Given_In_The_Shortcut_Dialog_Shows_In_The_Menus_And_Runs_Its_Command)
{
    Cadhost_Runner runner;
    const Cadhost_Run first = Session(runner,
                                      "command KV_DivezUrez_9\n"
                                      "@253 cell 1164 1 1\n@253 text 202 \"PP\"\n@253 click 1\n"
                                      "menubar\ncommand Korvel_Load\n"
                                      "command PP\nenter\npick 0\n@712 rows 1164\n",
                                      Frames);
    ASSERT_EQ(first.status, 0) << first.err << first.out;
    EXPECT_NE(first.out.find("\nK-批打印\n  单张打印到文件  \"KV_DivezUrez_1 \"\n  ----\n"
                             "  批打到文件(通用型)--PP  \"KV_DivezUrez_2 \"\n"),
              std::string::npos)
        << first.out;
    // "[批打到文件(通用型)--PP]" in the menu file's code page (CP936).
    const std::string label = "[\xC5\xFA\xB4\xF2\xB5\xBD\xCE\xC4\xBC\xFE(\xCD\xA8\xD3\xC3\xD0\xCD)--PP]";
    EXPECT_NE(Config_File(runner, "ZKBP.mns").find("ID_KDivezUrez1_2   " + label + "KV_DivezUrez_2\r\n"),
              std::string::npos);
    EXPECT_EQ(Rows(first.out).size(), 6u) << first.out;

    const Cadhost_Run second = Session(runner, "command PP\nenter\npick 0\n@712 rows 1164\n", Frames);
    ASSERT_EQ(second.status, 0) << second.err << second.out;
    EXPECT_EQ(second.out.find("Unknown command"), std::string::npos) << second.out;
    EXPECT_EQ(Rows(second.out).size(), 6u) << second.out;
}

TEST(Settings_Dialogs_Session, Plot_Settings_Reach_The_Settings_File_And_The_Next_Detection)
{
    Cadhost_Runner runner;
    const Cadhost_Run before = Session(runner, "command KV_DivezUrez_2\nenter\npick 0\n@712 rows 1164\n", Frames);
    ASSERT_EQ(before.status, 0) << before.err;
    ASSERT_EQ(Rows(before.out).size(), 6u) << "four loose lines make one of the sheets\n" << before.out;
    std::vector<std::string> fields = Config_Fields(Config_File(runner, "BPlot_Cfg_ZCAD.cfg"));
    ASSERT_GT(fields.size(), 14u);
    EXPECT_EQ(fields[10], "43");  // Vector_Res
    EXPECT_EQ(fields[14], "1");   // Frames_Loose_Lines

    const Cadhost_Run settings =
        Session(runner, "command KV_DivezUrez_14\n@825 choose 931 50\n@825 check 936 0\n@825 click 1\n", "");
    ASSERT_EQ(settings.status, 0) << settings.err << settings.out;
    fields = Config_Fields(Config_File(runner, "BPlot_Cfg_ZCAD.cfg"));
    ASSERT_GT(fields.size(), 14u);
    EXPECT_EQ(fields[10], "50");
    EXPECT_EQ(fields[14], "0");

    const Cadhost_Run after = Session(runner, "command KV_DivezUrez_2\nenter\npick 0\n@712 rows 1164\n", Frames);
    ASSERT_EQ(after.status, 0) << after.err;
    EXPECT_EQ(Rows(after.out).size(), 5u) << after.out;
}

TEST(Settings_Dialogs_Session, The_Uninstall_Notice_Names_The_Plugin_Folder)
{
    Cadhost_Runner runner;
    const Cadhost_Run run = Session(runner, "command KV_DivezUrez_12\nmsgbox OK\n", "");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    // The plug-in folder as the machine's Z: drive names it, in upper case.
    std::string folder = "Z:" + std::filesystem::path(MODULE_2025_PATH).parent_path().string();
    std::replace(folder.begin(), folder.end(), '/', '\\');
    std::transform(folder.begin(), folder.end(), folder.begin(), [](unsigned char c) { return std::toupper(c); });
    EXPECT_NE(run.out.find("[MessageBox] Korvel打印 | 本软件为绿色软件，关闭CAD后将以下安装文件夹删除即可：\n\n" + folder +
                           " | question -> OK"),
              std::string::npos)
        << run.out;
}

}  // namespace
