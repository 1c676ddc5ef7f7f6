// The main job in a host session: KV_DivezUrez_2 finds the sheets of a drawing with sheets
// in model space and two layouts, the result window lists them, Print plots them to files
// (and merges the PDF files), the window opens again; Stop, drawing-file output and the
// paper statistics from the same window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

// A session on a copy of the fixture drawing (sheets in model space and two layouts) in
// the runner's folder, so that the outputs beside the drawing land there.
class Batch_Plot_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/frames.dxf", Folder() / "frames.dxf");
    }
    fs::path Folder() const { return runner.folder(); }
    fs::path Documents() const { return Folder() / "machine/c/Users/korvel/Documents"; }
    Cadhost_Run Run(const std::string& steps)
    {
        const fs::path script = runner.Write_Script("session.scr", steps);
        return runner.Run({"--root", (Folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                           script.string(), (Folder() / "frames.dxf").string()});
    }
    // Opens the window over all spaces.
    static std::string Open() { return "command KV_DivezUrez_2\nenter\npick 2\n"; }
    static std::string Show_Variables()
    {
        return "command SETVAR\nanswer \"CMDECHO\"\nenter\ncommand SETVAR\nanswer \"FILEDIA\"\nenter\n";
    }

    Cadhost_Run run;
    Cadhost_Runner runner;
};

TEST_F(Batch_Plot_Session, Pdf_With_Merge_Plots_Every_Sheet_And_Opens_The_Window_Again)
{
    const fs::path merged = Folder() / "merged.pdf";
    const fs::path saved = Folder() / "after.dxf";
    run = Run(Show_Variables() + Open() +
              // The naming rule from the window: a modal dialog over the modeless one.
              "@712 click 876\ntext 216 \"图-\"\nclick 1\n@712 rows 1164\n"
              "@712 check 903 1\n@712 click 1\nfile \"" + merged.string() + "\"\n" +
              "enter\npick 2\n@712 rows 1164\n" + Show_Variables() + "save \"" + saved.string() + "\"\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const std::vector<std::vector<std::string>> all_rows = Rows(run.out);
    ASSERT_EQ(all_rows.size(), 18u) << "nine sheets listed before the plot and again after it:\n" << run.out;
    const std::vector<std::vector<std::string>> rows(all_rows.begin(), all_rows.begin() + 9);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 8u);
        EXPECT_EQ(row[2].rfind("图-", 0), 0u) << row[2];
    }

    // One page a sheet, in the listed order, each on its sheet's paper.
    const auto pages = Page_Sides(merged);
    ASSERT_EQ(pages.size(), rows.size()) << Shell("pdfinfo " + Quoted(merged));
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto paper = Paper_Sides(rows[i][4]);
        EXPECT_NEAR(pages[i].first, paper.first, 1.0) << "page " << i + 1 << " " << rows[i][4];
        EXPECT_NEAR(pages[i].second, paper.second, 1.0) << "page " << i + 1 << " " << rows[i][4];
    }
    const std::string titles = Shell("qpdf --json " + Quoted(merged) +
                                     " | /usr/bin/python3 -c \"import json,sys; "
                                     "[print('title:', o['title']) for o in json.load(sys.stdin)['outlines']]\"");
    std::vector<std::string> expected;
    for (const auto& row : rows) expected.push_back(row[2]);
    EXPECT_EQ(Lines(titles, "title: "), expected);

    // The window's records are in the saved drawing.
    const std::string records = Shell(
        "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]).rootdict; "
        "print(*[n for n in ('DWG_PLOT_SETTING','SC_INFOR') if n in d and d[n].get(n) is not None])\" " +
        Quoted(saved));
    EXPECT_EQ(records, "DWG_PLOT_SETTING SC_INFOR\n");

    // CMDECHO and FILEDIA as they were.
    const std::vector<std::string> values = Lines(run.out, "Enter new value for ");
    EXPECT_EQ(values, (std::vector<std::string>{"CMDECHO <1>: ", "FILEDIA <1>: ", "CMDECHO <1>: ", "FILEDIA <1>: "}));
}

// Each Print rewrites the plug-in's device files for the margin in force; the host reads
// them again at once, so a second Print in the same session has every page 10 mm larger on
// each side.
TEST_F(Batch_Plot_Session, A_Second_Print_With_Other_Margins_Uses_The_Rewritten_Device_Files)
{
    const fs::path first = Folder() / "first.pdf", second = Folder() / "second.pdf";
    run = Run(Open() + "@712 choose 864 1\n@712 check 903 1\n@712 click 1\nfile \"" + first.string() + "\"\n" +
              "enter\npick 2\n@712 choose 864 20\n@712 click 1\nfile \"" + second.string() + "\"\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    ASSERT_EQ(Page_Sides(first).size(), 9u) << Shell("pdfinfo " + Quoted(first));
    EXPECT_EQ(Pages_Grown_By(first, second, 20), "");
}

// A margin typed into the window's margin combo, beyond the list's, reaches the device
// files: every page 20 mm larger on each side than without a margin.
TEST_F(Batch_Plot_Session, A_Typed_Margin_Widens_Every_Page)
{
    const fs::path first = Folder() / "first.pdf", second = Folder() / "second.pdf";
    run = Run(Open() + "@712 choose 864 1\n@712 check 903 1\n@712 click 1\nfile \"" + first.string() + "\"\n" +
              "enter\npick 2\n@712 text 864 \"20\"\n@712 click 1\nfile \"" + second.string() + "\"\nquit\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    ASSERT_EQ(Page_Sides(first).size(), 9u) << Shell("pdfinfo " + Quoted(first));
    EXPECT_EQ(Pages_Grown_By(first, second, 40), "");
}

TEST_F(Batch_Plot_Session, Png_Stopped_After_The_Second_Sheet_Leaves_Two_Files)
{
    // The driver takes one step a sheet: the stop comes while the second sheet plots.
    run = Run(Open() + "@712 choose 863 3\n@712 click 1\nwait pumps 1\n@712 click 934\nmsgbox YES\n" +
              "enter\npick 2\n@712 rows 1164\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<fs::path> files = Files_In(Folder() / "PNG", ".png");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), "frames01.png");
    EXPECT_EQ(files[1].filename(), "frames02.png");
    for (const fs::path& file : files)
        EXPECT_NE(Shell("file -b " + Quoted(file)).find("PNG image data"), std::string::npos);
    EXPECT_EQ(Rows(run.out).size(), 9u) << "the window is there again";
}

TEST_F(Batch_Plot_Session, Dwg_Output_Writes_One_Drawing_File_Per_Sheet)
{
    run = Run(Open() + "@712 choose 863 6\n@712 click 1\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<fs::path> files = Files_In(Folder() / "DWG", ".dxf");
    ASSERT_EQ(files.size(), 9u) << run.out;
    // A model-space sheet comes as a block reference, a layout sheet in its layout.
    for (const fs::path& file : files) {
        const std::string check =
            Shell("/usr/bin/python3 -c \"import ezdxf,sys; print(sum(len(l) for l in ezdxf.readfile(sys.argv[1]).layouts) > 0)\" " +
                  Quoted(file) + " 2>&1");
        EXPECT_EQ(check, "True\n") << file;
    }
}

TEST_F(Batch_Plot_Session, Paper_Statistics_Export_Is_A_Workbook_Of_The_Listed_Papers)
{
    // The list's pop-up menu, A3 equivalents; the spreadsheet shows the workbook.
    run = Run(Open() + "@712 rclick 1164 0 4\nmenu 32787\n@712 rows 1164\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<fs::path> books = Files_In(Documents(), ".xlsx");
    ASSERT_EQ(books.size(), 1u);
    // The data rows: number, paper, count.
    const std::string sheet = Shell(
        "/usr/bin/python3 -c \"import openpyxl,sys; ws=openpyxl.load_workbook(sys.argv[1])['纸张统计']; "
        "[print('paper:', r[1], r[2]) for r in ws.iter_rows(values_only=True) if isinstance(r[0], int)]\" " +
        Quoted(books[0]) + " 2>&1");
    std::map<std::string, int> expected;
    for (const auto& row : Rows(run.out))
        ++expected[row[4].substr(0, row[4].find(" ("))];
    std::map<std::string, int> counted;
    for (const std::string& line : Lines(sheet, "paper: ")) {
        const size_t blank = line.rfind(' ');
        counted[line.substr(0, blank)] = std::stoi(line.substr(blank + 1));
    }
    EXPECT_EQ(counted, expected) << sheet;
}

// The sample drawing has a layout sheet at the corners of its first model-space sheet: after
// Print each reopened row takes back its own stored paper, not the first frame's.
TEST(Saved_Papers_Session, A_Layout_Sheet_At_A_Model_Sheets_Corners_Keeps_Its_Own_Paper)
{
    Cadhost_Runner runner;
    fs::copy_file(KORVEL_SOURCE_DIR "/samples/sample.dxf", runner.folder() / "sample.dxf");
    const fs::path script = runner.Write_Script(
        "session.scr", "command KV_DivezUrez_2\nenter\npick 2\n@712 cell 1164 0 4\npick 0\n@712 rows 1164\n"
                       "@712 click 1\nenter\npick 2\n@712 rows 1164\nquit\n");
    const Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH,
                                        "--script", script.string(), (runner.folder() / "sample.dxf").string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<std::vector<std::string>> rows = Rows(run.out);
    ASSERT_EQ(rows.size(), 8u) << "four sheets before the plot and again after it:\n" << run.out;
    ASSERT_NE(rows[0][4], rows[3][4]) << "the first sheet's paper was changed";
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[4 + i][4], rows[i][4]) << "row " << i + 1;
        EXPECT_EQ(rows[4 + i][5], rows[i][5]) << "row " << i + 1;
    }
}

// The README's main job: the bundled sample drawing and session script, run as scripts/demo.sh
// runs them, from the folder that holds out/.
TEST(Demo_Session, Sample_Sheets_Come_Out_As_Pdf_Files_And_One_Merged_Pdf)
{
    Cadhost_Runner runner;
    const fs::path out = runner.folder() / "out";
    fs::create_directories(out);
    fs::copy_file(KORVEL_SOURCE_DIR "/samples/sample.dxf", out / "sample.dxf");
    const Cadhost_Run run = runner.Run_In(runner.folder(), {"--root", "out/machine", "--module", MODULE_2025_PATH, "--script",
                                                            KORVEL_SOURCE_DIR "/samples/demo.scr", "out/sample.dxf"});
    ASSERT_EQ(run.status, 0) << run.err << run.out;

    const std::vector<fs::path> files = Files_In(out / "PDF", ".pdf");
    ASSERT_EQ(files.size(), 4u) << run.out;
    const std::vector<std::pair<double, double>> a3 = {{420, 297}}, a2 = {{594, 420}};
    const std::vector<std::pair<double, double>> papers[] = {a3, a3, a2, a3};
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].filename(), "sample0" + std::to_string(i + 1) + ".pdf");
        const auto pages = Page_Sides(files[i]);
        ASSERT_EQ(pages.size(), 1u) << files[i];
        EXPECT_NEAR(pages[0].first, papers[i][0].first, 1.0) << files[i];
        EXPECT_NEAR(pages[0].second, papers[i][0].second, 1.0) << files[i];
    }
    const auto merged = Page_Sides(out / "merged.pdf");
    ASSERT_EQ(merged.size(), 4u);
    for (size_t i = 0; i < merged.size(); ++i) EXPECT_NEAR(merged[i].first, papers[i][0].first, 1.0) << "page " << i + 1;
    // The title blocks' Chinese values are text in the pages.
    EXPECT_NE(Shell("pdftotext -f 3 -l 3 " + Quoted(out / "merged.pdf") + " -").find("剖面图"), std::string::npos);
    EXPECT_NE(Shell("file -b " + Quoted(out / "result-window.png")).find("PNG image data"), std::string::npos);
}

}  // namespace
