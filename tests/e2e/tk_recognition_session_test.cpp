// A session with a title-block library file in the per-user folder recognises the sheets of
// the title-block fixture in model space and both layouts: the title-block window lists each
// with its texts and the paper of its frame's size. The titles are the fixture's own, and
// Chinese ones in a Chinese folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"
#include "tk_library_file.h"

namespace fs = std::filesystem;

namespace {

// What a row shows of a sheet: number, revision, file name, date, paper and scale.
using Shown_Sheet = std::tuple<std::string, std::string, std::string, std::string, std::string, std::string>;

struct Title_Words {
    const char* name;
    const char* plan;   // the first title line's word, " PLAN" in the fixture
    const char* level;  // the second line's, " LEVEL 1" in the fixture
    const char* folder;
};
void PrintTo(const Title_Words& words, std::ostream* out) { *out << words.name; }

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

class TK_Recognition_Session : public ::testing::TestWithParam<Title_Words> {
protected:
    Shown_Sheet Expected(const std::string& p, const std::string& date, const std::string& paper,
                         const std::string& scale) const
    {
        return {p + "-001", "B" + p, "  " + p + "-001_" + p + GetParam().plan + "+" + p + GetParam().level, date, paper,
                scale};
    }
    // The fixture with the title words of the case, in the case's folder.
    fs::path Drawing(const fs::path& root) const
    {
        std::ifstream in(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/title_blocks.dxf", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const fs::path drawing = root / GetParam().folder / "图框.dxf";
        fs::create_directories(drawing.parent_path());
        std::ofstream(drawing, std::ios::binary)
            << Replaced(Replaced(bytes.str(), " PLAN", GetParam().plan), " LEVEL 1", GetParam().level);
        return drawing;
    }
};

TEST_P(TK_Recognition_Session, Library_File_Drives_The_Recognition_Of_Model_Space_And_Layouts)
{
    Cadhost_Runner runner;
    Write_TK_Library(TK_Library_Path(runner.folder() / "machine"));
    const fs::path script =
        runner.Write_Script("tk.scr", "command KV_DivezUrez_4\nenter\npick 2\n@806 rows 1164\n@806 click 2\n");
    const Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH,
                                        "--script", script.string(), Drawing(runner.folder()).string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    std::vector<Shown_Sheet> shown;
    for (const std::vector<std::string>& row : Rows(run.out)) {
        ASSERT_EQ(row.size(), 10u) << run.out;
        shown.emplace_back(row[6], row[7], row[2], row[8], row[4], row[5]);
    }
    std::sort(shown.begin(), shown.end());
    // Model space: M1..M7 without M4 (not a title block), M2 the A3 frame twice as large, M3
    // its title a two-paragraph MText beginning left of the range, M5 the dynamic frame
    // stretched; layouts: L1 and L2.
    const std::vector<Shown_Sheet> expected = {
        Expected("L1", "2026-01-10", "A3", "1:1"), Expected("L2", "2026-01-20", "A3", "1:1"),
        Expected("M1", "2026-01-10", "A3", "1:1"), Expected("M2", "2026-01-20", "A3", "1:2"),
        Expected("M3", "2026-01-30", "A3", "1:1"), Expected("M5", "2026-01-50", "A3+1", "1:1"),
        Expected("M6", "2026-01-60", "A3", "1:1"), Expected("M7", "2026-01-70", "A3", "1:1"),
    };
    EXPECT_EQ(shown, expected) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Titles, TK_Recognition_Session,
                         ::testing::Values(Title_Words{"Fixture", " PLAN", " LEVEL 1", "drawings"},
                                           Title_Words{"Chinese", " 平面", " 一层", "项目 资料"}),
                         [](const ::testing::TestParamInfo<Title_Words>& info) { return std::string(info.param.name); });

}  // namespace
