// The batch plot command finds the sheets of a drawing and tells how many each space holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cadhost_runner.h"

namespace {

// Runs KV_DivezUrez_2 on the drawing, answering the selection with Enter and the space
// chooser with the item.
Cadhost_Run Detect(const Cadhost_Runner& runner, const std::string& drawing, int space_item)
{
    const std::filesystem::path script =
        runner.Write_Script("detect.scr", "command KV_DivezUrez_2\nenter\npick " + std::to_string(space_item) + "\n");
    return runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                       script.string(), drawing});
}

const std::string Fixture = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/frames.dxf";

TEST(Frame_Detection_Session, Fixture_Counts_Per_Space)
{
    struct Case {
        int item;
        std::vector<std::string> lines;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {2, {"Sheets found in Model: 6", "Sheets found in Layout1: 1", "Sheets found in Layout2: 2"}, {}},
        {0, {"Sheets found in Model: 6"}, {"Layout1"}},
        {1, {"Sheets found in Layout1: 1", "Sheets found in Layout2: 2"}, {"in Model"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Cadhost_Runner runner;
        const Cadhost_Run run = Detect(runner, Fixture, c.item);
        ASSERT_EQ(run.status, 0) << run.err;
        size_t at = 0;
        for (const std::string& line : c.lines) {
            const size_t found = run.out.find(line, at);
            EXPECT_NE(found, std::string::npos) << line << " in order, in:\n" << run.out;
            if (found != std::string::npos)
                at = found;
        }
        for (const std::string& text : c.absent)
            EXPECT_EQ(run.out.find(text), std::string::npos) << run.out;
    }
}

TEST(Frame_Detection_Session, Cancelled_Chooser_Prints_No_Count)
{
    Cadhost_Runner runner;
    const std::filesystem::path script = runner.Write_Script("cancel.scr", "command KV_DivezUrez_2\nenter\nesc\n");
    const Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH,
                                        "--script", script.string(), Fixture});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Sheets found"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("未选择到"), std::string::npos) << run.out;
}

// Real drawings of other programs, read in place: frames drawn as loose lines (the A4
// template), block frames in a layout (flange), many frames over several spaces.
TEST(Frame_Detection_Session, Real_Drawings_With_Frames)
{
    const std::string root = KORVEL_SHARED_DIR "/realdxf/";
    struct Case {
        const char* drawing;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"qcad/libraries/templates/metric/iso_en_a4_metric_landscape_aec.dxf", {"Sheets found in Model: 1"}},
        {"qcad/examples/flange.dxf", {"Sheets found in Layout: 1"}},
        {"cad-viewer/packages/cad-viewer-example/e2e/fixtures/sheet_0.dxf", {"Sheets found in Model: 1"}},
        {"libredwg/test/test-data/example_2000.dxf", {"Sheets found in Model: 1"}},
        {"qcad/libraries/templates/metric/dl3dl/DIN-A3-Querformat-Rahmen-mit PK.dxf", {"Sheets found in Model: 1"}},
        {"dxf-json/sample/A_000217.dxf",
         {"Sheets found in Model: 1026", "Sheets found in PLAN: 1", "Sheets found in SECTION: 1"}},
        {"dxf-parser/samples/data/api-cw750-details.dxf",
         {"Sheets found in Model: 131", "Sheets found in Sheet 1: 1", "Sheets found in Sheet 4: 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drawing);
        Cadhost_Runner runner;
        const Cadhost_Run run = Detect(runner, root + c.drawing, 2);
        ASSERT_EQ(run.status, 0) << run.err;
        for (const std::string& line : c.lines)
            EXPECT_NE(run.out.find(line + "\n"), std::string::npos) << line << " in:\n" << run.out;
    }
}

TEST(Frame_Detection_Session, Real_Drawings_Without_Frames_Say_So)
{
    const std::string root = KORVEL_SHARED_DIR "/realdxf/";
    for (const char* drawing : {"dxf-parser/test/data/blocks.dxf", "ezdxf/integration_tests/data/bin_dxf_r13.dxf"}) {
        SCOPED_TRACE(drawing);
        Cadhost_Runner runner;
        const Cadhost_Run run = Detect(runner, root + drawing, 2);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("排除空白矩形后，未选择到满足要求的打印外框！！！"), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find("Sheets found"), std::string::npos) << run.out;
    }
}

}  // namespace
