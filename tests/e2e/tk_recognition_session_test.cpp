// A session with a title-block library file in the per-user folder recognises the sheets of
// the title-block fixture in model space and both layouts, with their texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"

namespace {

// One definition of the fixture's A3 frame in the library file's layout of version 20210101
// (adjusted plot range and dynamic flag, no fourth stamp): cells relative to the frame centre.
void Write_Definition(std::ostream& out, const std::string& block_name, int dynamic)
{
    const double cells[][4] = {
        {0, 0, 420, 297},                                        // frame
        {330, 45, 415, 65}, {330, 25, 415, 45}, {240, 25, 330, 65},  // A, B, C
        {240, 5, 330, 25}, {330, 5, 415, 25}, {240, 65, 415, 80},    // D, E, F
        {30, 10, 90, 70}, {0, 0, 0, 0}, {0, 0, 0, 0},                // stamps 1..3
    };
    out << block_name << "\n" << block_name << "\nA_C\n0\n1\n420\n297\n";
    for (const auto& cell : cells) {
        const bool set = cell[2] > 0;
        out << (set ? cell[0] - 210 : 0) << "\n" << (set ? cell[1] - 148.5 : 0) << "\n"
            << (set ? cell[2] - 210 : 0) << "\n" << (set ? cell[3] - 148.5 : 0) << "\n";
    }
    out << "2\n1\n0\n0\n0\n0\n" << dynamic << "\n";
}

void Write_Library(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << "20210101\n4\n";
    Write_Definition(out, "TK_ATTR", 0);
    Write_Definition(out, "TK_LOOSE", 0);
    Write_Definition(out, "TK_PLAIN", 0);
    Write_Definition(out, "TK_DYN", 1);
    out << "Standard\nKorvel_EN.shx\nKorvel_HZ.shx\n300\n0.8\n1\n300\n0.8\n256\n0\n1\nContinuous\n-3\n";
    out << "1\n1000\n3\n900\n2300\n9850\n3\n0\n1\n3\n";
    out << "0\n<><\n1\n_\n2\n0\n0\n0\n0\n0\n0\n";
}

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
    Write_Library(runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel" /
                  "BPlot_TK.tk");
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
