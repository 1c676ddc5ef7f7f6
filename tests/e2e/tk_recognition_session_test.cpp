// A session with a title-block library file in the per-user folder recognises the sheets of
// the title-block fixture in model space and both layouts, with their texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "tk_library_file.h"

namespace {

std::vector<std::string> Sheet_Lines(const std::string& out)
{
    std::vector<std::string> lines;
    std::istringstream text(out);
    for (std::string line; std::getline(text, line);)
        if (line.rfind("TK ", 0) == 0)
            lines.push_back(line);
    return lines;
}

std::string Line(int n, const std::string& box, const std::string& p, const std::string& date)
{
    return "TK " + std::to_string(n) + " | " + box + " | " + p + "-001 | B" + p + " | " + p + " PLAN[++}" + p +
           " LEVEL 1 | " + date + " | " + p + "-INFO1 | " + p + "-INFO2";
}

TEST(TK_Recognition_Session, Library_File_Drives_The_Recognition_Of_Model_Space_And_Layouts)
{
    Cadhost_Runner runner;
    Write_TK_Library(TK_Library_Path(runner.folder() / "machine"));
    const std::filesystem::path script =
        runner.Write_Script("tk.scr", "command KV_TK_LIST_TEST\nenter\npick 2\n");
    const Cadhost_Run run =
        runner.Run({"--root", (runner.folder() / "machine").string(), "--module", TK_LIST_MODULE_PATH, "--script",
                    script.string(), KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<std::string> expected = {
        Line(1, "0,0 420,297", "M1", "2026-01-10"),
        Line(2, "1106,0 1700,840", "M2", "2026-01-20"),
        Line(3, "0,1000 420,1297", "M3", "2026-01-30"),
        Line(4, "2280,0 3120,297", "M5", "2026-01-50"),
        Line(5, "0,2000 420,2297", "M6", "2026-01-60"),
        Line(6, "1000,2000 1420,2297", "M7", "2026-01-70"),
        Line(7, "10,10 430,307", "L1", "2026-01-10"),
        Line(8, "0,0 420,297", "L2", "2026-01-20"),
    };
    EXPECT_EQ(Sheet_Lines(run.out), expected) << run.out;
}

}  // namespace
