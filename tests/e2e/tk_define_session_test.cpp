// The title-block library dialog in cadhost sessions: a definition made from a fixture's
// sample frame with ranges picked by points reaches the library file and drives the
// recognition of a second session; the catalogue of the recognised sheets, drawn at a
// picked point, is read back by ezdxf.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"

namespace {

const char* const Fixture = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf";

std::filesystem::path Library_File(const Cadhost_Runner& runner)
{
    return runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel" / "BPlot_TK.tk";
}

std::vector<std::string> Lines_Starting(const std::string& out, const std::string& head)
{
    std::vector<std::string> lines;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);)
        if (line.rfind(head, 0) == 0) lines.push_back(line);
    return lines;
}

// The TK_ATTR frame at the origin defined with its drawing number (A) and title (C).
const char* const Define_Steps =
    "command KV_DivezUrez_3\n"
    "click 897\nselect window -1,-1 421,298\n"
    "click 882\npoint 330,45\npoint 415,65\n"
    "click 884\npoint 240,25\npoint 330,65\n"
    "click 891\ntext 216 \"A_C\"\nclick 1\n"
    "click 1\n"
    "click 1\n";

TEST(TK_Define_Session, A_Definition_Picked_In_One_Session_Recognises_Sheets_In_The_Next)
{
    Cadhost_Runner runner;
    std::filesystem::create_directories(Library_File(runner).parent_path());
    const std::filesystem::path define = runner.Write_Script("define.scr", Define_Steps);
    const Cadhost_Run first = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                          TK_LIST_MODULE_PATH, "--script", define.string(), Fixture});
    ASSERT_EQ(first.status, 0) << first.err << first.out;
    ASSERT_TRUE(std::filesystem::exists(Library_File(runner))) << first.out;
    std::ifstream library(Library_File(runner), std::ios::binary);
    std::stringstream bytes;
    bytes << library.rdbuf();
    EXPECT_NE(bytes.str().find("TK_ATTR"), std::string::npos);
    EXPECT_NE(bytes.str().find("A_C"), std::string::npos);

    const std::filesystem::path list = runner.Write_Script("list.scr", "command KV_TK_LIST_TEST\nenter\npick 2\n");
    const Cadhost_Run second = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                           TK_LIST_MODULE_PATH, "--script", list.string(), Fixture});
    ASSERT_EQ(second.status, 0) << second.err << second.out;
    const std::vector<std::string> sheets = Lines_Starting(second.out, "TK ");
    ASSERT_FALSE(sheets.empty()) << second.out;
    EXPECT_EQ(sheets[0], "TK 1 | 0,0 420,297 | M1-001 |  | M1 PLAN[++}M1 LEVEL 1 |  |  | ") << second.out;

    // The catalogue of the recognised sheets at (5000, 3000), saved and read by ezdxf.
    const std::filesystem::path saved = runner.folder() / "catalogue.dxf";
    const std::filesystem::path draw = runner.Write_Script(
        "draw.scr", "command KV_TK_CATALOGUE_TEST\nenter\npick 2\npoint 5000,3000\nsave \"" + saved.string() + "\"\n");
    const Cadhost_Run third = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                          TK_LIST_MODULE_PATH, "--script", draw.string(), Fixture});
    ASSERT_EQ(third.status, 0) << third.err << third.out;
    const std::string command = "/usr/bin/python3 '" KORVEL_SOURCE_DIR
                                "/tests/titleblock/tk_dialogs/catalogue_dump.py' '" + saved.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0) << out;
    const std::vector<std::string> texts = Lines_Starting(out, "TEXT|");
    // The library's catalogue: sequence number, drawing number and title, 900, 2300 and 9850
    // wide, rows 1000 high; the first sheet's cells in the first row, the title left aligned.
    for (const char* text : {"TEXT|01|5450.000|2500.000|0|1|2|300.000|Standard",
                             "TEXT|M1-001|7050.000|2500.000|0|1|2|300.000|Standard",
                             "TEXT|M1 PLAN M1 LEVEL 1|8533.333|2500.000|0|0|2|300.000|Standard"})
        EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
    EXPECT_NE(out.find("LINE|5000.000|3000.000|18050.000|3000.000|Defpoints"), std::string::npos) << out;
    EXPECT_GE(texts.size(), 2 * sheets.size()) << out;
}

}  // namespace
