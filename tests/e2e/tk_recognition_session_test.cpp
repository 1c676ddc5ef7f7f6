// A session with a title-block library file in the per-user folder recognises the sheets of
// the title-block fixture in model space and both layouts: the title-block window lists each
// with its texts and the paper of its frame's size.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"
#include "tk_library_file.h"

namespace {

// What a row shows of a sheet: number, revision, file name, date, paper and scale.
using Shown_Sheet = std::tuple<std::string, std::string, std::string, std::string, std::string, std::string>;

Shown_Sheet Expected(const std::string& p, const std::string& date, const std::string& paper, const std::string& scale)
{
    return {p + "-001", "B" + p, "  " + p + "-001_" + p + " PLAN+" + p + " LEVEL 1", date, paper, scale};
}

TEST(TK_Recognition_Session, Library_File_Drives_The_Recognition_Of_Model_Space_And_Layouts)
{
    Cadhost_Runner runner;
    Write_TK_Library(TK_Library_Path(runner.folder() / "machine"));
    const std::filesystem::path script =
        runner.Write_Script("tk.scr", "command KV_DivezUrez_4\nenter\npick 2\n@806 rows 1164\n@806 click 2\n");
    const Cadhost_Run run =
        runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                    script.string(), KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::vector<Shown_Sheet> shown;
    for (const std::vector<std::string>& row : Rows(run.out)) {
        ASSERT_EQ(row.size(), 10u) << run.out;
        shown.emplace_back(row[6], row[7], row[2], row[8], row[4], row[5]);
    }
    std::sort(shown.begin(), shown.end());
    // Model space: M1..M7 without M4 (not a title block), M2 the A3 frame twice as large, M5
    // the dynamic frame stretched; layouts: L1 and L2.
    const std::vector<Shown_Sheet> expected = {
        Expected("L1", "2026-01-10", "A3", "1:1"), Expected("L2", "2026-01-20", "A3", "1:1"),
        Expected("M1", "2026-01-10", "A3", "1:1"), Expected("M2", "2026-01-20", "A3", "1:2"),
        Expected("M3", "2026-01-30", "A3", "1:1"), Expected("M5", "2026-01-50", "A3+1", "1:1"),
        Expected("M6", "2026-01-60", "A3", "1:1"), Expected("M7", "2026-01-70", "A3", "1:1"),
    };
    EXPECT_EQ(shown, expected) << run.out;
}

}  // namespace
