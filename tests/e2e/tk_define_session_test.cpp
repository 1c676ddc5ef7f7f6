// The title-block library dialog in cadhost sessions: a definition made from a fixture's
// sample frame with ranges picked by points reaches the library file and drives the
// recognition of a second session, where the title-block window lists the sheets and draws
// their catalogue at a picked point, read back by ezdxf.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace {

const char* const Fixture = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf";

std::filesystem::path Library_File(const Cadhost_Runner& runner)
{
    return runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel" / "BPlot_TK.tk";
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
                                          MODULE_2025_PATH, "--script", define.string(), Fixture});
    ASSERT_EQ(first.status, 0) << first.err << first.out;
    ASSERT_TRUE(std::filesystem::exists(Library_File(runner))) << first.out;
    std::ifstream library(Library_File(runner), std::ios::binary);
    std::stringstream bytes;
    bytes << library.rdbuf();
    EXPECT_NE(bytes.str().find("TK_ATTR"), std::string::npos);
    EXPECT_NE(bytes.str().find("A_C"), std::string::npos);

    // The title-block window lists the sheets of that definition, and draws their catalogue.
    const std::filesystem::path saved = runner.folder() / "catalogue.dxf";
    const std::filesystem::path list = runner.Write_Script(
        "list.scr", "command KV_DivezUrez_4\nenter\npick 2\n@806 rows 1164\n@806 click 900\npoint 5000,3000\n"
                    "@806 click 2\nsave \"" + saved.string() + "\"\n");
    const Cadhost_Run second = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                           MODULE_2025_PATH, "--script", list.string(), Fixture});
    ASSERT_EQ(second.status, 0) << second.err << second.out;
    // The sheets of TK_ATTR by number: the layout's first, each with its number (A), no revision
    // nor date, named from A and the title (C).
    const std::vector<std::vector<std::string>> sheets = Rows(second.out);
    ASSERT_EQ(sheets.size(), 4u) << second.out;
    const char* const numbers[] = {"L1", "M1", "M2", "M4"};
    for (size_t i = 0; i < sheets.size(); ++i) {
        const std::string p = numbers[i];
        ASSERT_EQ(sheets[i].size(), 10u) << second.out;
        EXPECT_EQ(sheets[i][6], p + "-001");
        EXPECT_EQ(sheets[i][7], "");
        EXPECT_EQ(sheets[i][8], "");
        EXPECT_EQ(sheets[i][2], "  " + p + "-001_" + p + " PLAN+" + p + " LEVEL 1");
    }

    // The catalogue drawn at (5000, 3000), saved and read by ezdxf.
    const std::string command = "/usr/bin/python3 '" KORVEL_SOURCE_DIR
                                "/tests/titleblock/tk_dialogs/catalogue_dump.py' '" + saved.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0) << out;
    const std::vector<std::string> texts = Lines(out, "TEXT|");
    // The library's catalogue: sequence number, drawing number and title, 900, 2300 and 9850
    // wide, rows 1000 high; the sheets' cells in the window's order, the title left aligned.
    for (const char* text : {"TEXT|01|5450.000|2500.000|0|1|2|300.000|Standard",
                             "TEXT|L1-001|7050.000|2500.000|0|1|2|300.000|Standard",
                             "TEXT|L1 PLAN L1 LEVEL 1|8533.333|2500.000|0|0|2|300.000|Standard",
                             "TEXT|02|5450.000|1500.000|0|1|2|300.000|Standard",
                             "TEXT|M1-001|7050.000|1500.000|0|1|2|300.000|Standard",
                             "TEXT|M1 PLAN M1 LEVEL 1|8533.333|1500.000|0|0|2|300.000|Standard"})
        EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
    EXPECT_NE(out.find("LINE|5000.000|3000.000|18050.000|3000.000|Defpoints"), std::string::npos) << out;
    EXPECT_GE(texts.size(), 2 * sheets.size()) << out;
}

}  // namespace
