// The sample drawing's title-block library: the shipped file is what the definition session
// writes, and the demo's title-block batch plots the sample's sheets by it, one PDF a sheet
// named by drawing number and title, then one PDF whose outline carries those names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"
#include "tk_library_file.h"

namespace fs = std::filesystem;

namespace {

const fs::path Samples = KORVEL_SOURCE_DIR "/samples";

// The file without its first line, the version stamp of the program that wrote it.
std::string Bytes_After_Stamp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    const size_t line_end = text.find('\n');
    return line_end == std::string::npos ? std::string() : text.substr(line_end + 1);
}

TEST(Sample_Title_Blocks, The_Shipped_Library_Is_What_The_Definition_Session_Writes)
{
    Cadhost_Runner runner;
    const fs::path machine = runner.folder() / "machine";
    const Cadhost_Run run = runner.Run({"--root", machine.string(), "--module", MODULE_2025_PATH, "--script",
                                        (Samples / "title_blocks.scr").string(), (Samples / "sample.dxf").string()});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::string written = Bytes_After_Stamp(TK_Library_Path(machine));
    ASSERT_FALSE(written.empty()) << run.out;
    EXPECT_EQ(written, Bytes_After_Stamp(Samples / "BPlot_TK.tk"))
        << "samples/BPlot_TK.tk is out of date: run samples/make_title_blocks.sh";
}

// As scripts/demo.sh runs it: from the folder that holds out/, the library in the machine's
// per-user folder, on a machine where the last batch merged its PDF files.
TEST(Sample_Title_Blocks, The_Demo_Batch_Names_The_Pdf_Files_And_The_Outline_By_Number_And_Title)
{
    Cadhost_Runner runner;
    const fs::path out = runner.folder() / "out";
    fs::create_directories(out / "title-blocks");
    fs::copy_file(Samples / "sample.dxf", out / "title-blocks" / "sample.dxf");
    fs::create_directories(TK_Library_Path(out / "machine").parent_path());
    fs::copy_file(Samples / "BPlot_TK.tk", TK_Library_Path(out / "machine"));
    const fs::path merge_once = runner.Write_Script(
        "merge_once.scr", "command KV_DivezUrez_4\nenter\npick 2\n@IDD_DLG_BPLOT2 check IDC_BP2_MERGE_PDF 1\n"
                          "@IDD_DLG_BPLOT2 click IDCANCEL\n");
    for (const fs::path& script : {merge_once, Samples / "demo_title_blocks.scr"}) {
        const Cadhost_Run run = runner.Run_In(runner.folder(), {"--root", "out/machine", "--module", MODULE_2025_PATH,
                                                                "--script", script.string(), "out/title-blocks/sample.dxf"});
        ASSERT_EQ(run.status, 0) << script << "\n" << run.err << run.out;
    }

    const std::vector<std::string> names = {"KV-001_总平面图", "KV-002_立面图", "KV-003_剖面图", "KV-004_详图"};
    const std::vector<double> long_sides = {420, 420, 594, 420};
    const std::vector<fs::path> files = Files_In(out / "title-blocks" / "PDF", ".pdf");
    ASSERT_EQ(files.size(), names.size());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].filename().string(), names[i] + ".pdf");
        const auto pages = Page_Sides(files[i]);
        ASSERT_EQ(pages.size(), 1u) << files[i];
        EXPECT_NEAR(pages[0].first, long_sides[i], 1.0) << files[i];
    }
    const fs::path merged = out / "title-blocks" / "merged.pdf";
    ASSERT_EQ(Page_Sides(merged).size(), names.size());
    EXPECT_NE(Shell("qpdf --check " + Quoted(merged) + " 2>&1").find("No syntax or stream encoding errors"),
              std::string::npos);
    // The outline: one entry a page, in page order, titled by the sheet's name.
    const std::string outline = Shell(
        "qpdf --json --json-key=outlines " + Quoted(merged) +
        " | /usr/bin/python3 -c 'import json,sys\n"
        "for o in json.load(sys.stdin)[\"outlines\"]: print(o[\"title\"], o[\"destpageposfrom1\"])'");
    std::string expected;
    for (size_t i = 0; i < names.size(); ++i) expected += names[i] + " " + std::to_string(i + 1) + "\n";
    EXPECT_EQ(outline, expected);
}

}  // namespace
