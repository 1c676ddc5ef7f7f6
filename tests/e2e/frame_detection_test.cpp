// The batch plot command finds the sheets of a drawing and lists them in its result window.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "real_drawings.h"
#include "cadhost_runner.h"

namespace {

// Runs KV_DivezUrez_2 on the drawing, answering the selection with Enter and the space
// chooser with the item, then prints the result window's rows.
Cadhost_Run Detect(const Cadhost_Runner& runner, const std::string& drawing, int space_item)
{
    const std::filesystem::path script = runner.Write_Script(
        "detect.scr", "command KV_DivezUrez_2\nenter\npick " + std::to_string(space_item) + "\n@712 rows 1164\n");
    return runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                       script.string(), drawing});
}

// The printed rows of the sheet list, the cells of each.
std::vector<std::string> Rows(const std::string& out)
{
    std::vector<std::string> rows;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("rows 1164:", 0) == 0)
            rows.push_back(line.substr(10));
    return rows;
}

const std::string Fixture = KORVEL_SOURCE_DIR "/tests/fixtures/dxf/frames.dxf";

TEST(Frame_Detection_Session, Fixture_Sheets_Listed_Per_Chosen_Space)
{
    struct Case {
        int item;
        size_t rows;
    };
    // Model space holds 6 sheets, the two layouts 1 and 2.
    for (const Case& c : {Case{2, 9}, Case{0, 6}, Case{1, 3}}) {
        SCOPED_TRACE(c.item);
        Cadhost_Runner runner;
        const Cadhost_Run run = Detect(runner, Fixture, c.item);
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> rows = Rows(run.out);
        ASSERT_EQ(rows.size(), c.rows) << run.out;
        for (size_t i = 0; i < rows.size(); ++i) {
            std::ostringstream prefix;
            prefix << " " << std::string(i + 1 < 10 ? 3 : 2, ' ') << i + 1 << " | EYE | frames0" << i + 1 << " | DEL |";
            EXPECT_EQ(rows[i].rfind(prefix.str(), 0), 0u) << rows[i];
        }
    }
}

TEST(Frame_Detection_Session, The_Sheet_Count_Is_No_Longer_Printed)
{
    Cadhost_Runner runner;
    const Cadhost_Run run = Detect(runner, Fixture, 2);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("Sheets found"), std::string::npos) << run.out;
}

// Runs the steps after KV_DivezUrez_2 and expects no window to print rows of: the session ends
// on the rows step, with the message when one is given.
void Expect_No_Window(const std::string& drawing, const std::string& steps, const std::string& message)
{
    SCOPED_TRACE(drawing);
    Cadhost_Runner runner;
    const std::filesystem::path script =
        runner.Write_Script("none.scr", "command KV_DivezUrez_2\n" + steps + "@712 rows 1164\n");
    const Cadhost_Run run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module",
                                        MODULE_2025_PATH, "--script", script.string(), drawing});
    EXPECT_NE(run.status, 0) << run.out;
    EXPECT_NE(run.err.find("no dialog 712 (IDD_DLG_BPLOT1) is open; no window is open"), std::string::npos) << run.err;
    if (!message.empty()) {
        EXPECT_NE(run.out.find(message), std::string::npos) << run.out;
    }
}

// The chooser cancelled: the window stays hidden.
TEST(Frame_Detection_Session, No_Window_Without_Sheets)
{
    Expect_No_Window(Fixture, "enter\nesc\n", "");
}

// Real drawings without frames: the window stays hidden and the command says why.
TEST(Frame_Detection_Session, No_Window_For_Real_Drawings_Without_Frames)
{
    const char* const drawings[] = {"dxf-parser/test/data/blocks.dxf", "ezdxf/integration_tests/data/bin_dxf_r13.dxf"};
    for (const char* drawing : drawings)
        KORVEL_REQUIRE_REAL_DRAWING(drawing);
    for (const char* drawing : drawings)
        Expect_No_Window(korvel_test::Real_Drawing(drawing), "enter\npick 2\n",
                         "排除空白矩形后，未选择到满足要求的打印外框！！！");
}

// Real drawings of other programs, read in place: frames drawn as loose lines (the A4
// template), block frames in a layout (flange), many frames over several spaces. A fresh
// machine takes the voted scale without asking.
TEST(Frame_Detection_Session, Real_Drawings_With_Frames)
{
    struct Case {
        const char* drawing;
        size_t rows;
    };
    const Case cases[] = {
        {"qcad/libraries/templates/metric/iso_en_a4_metric_landscape_aec.dxf", 1},
        {"qcad/examples/flange.dxf", 1},
        {"cad-viewer/packages/cad-viewer-example/e2e/fixtures/sheet_0.dxf", 1},
        {"libredwg/test/test-data/example_2000.dxf", 1},
        {"qcad/libraries/templates/metric/dl3dl/DIN-A3-Querformat-Rahmen-mit PK.dxf", 1},
        {"dxf-json/sample/A_000217.dxf", 1028},
        {"dxf-parser/samples/data/api-cw750-details.dxf", 135},
    };
    for (const Case& c : cases)
        KORVEL_REQUIRE_REAL_DRAWING(c.drawing);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drawing);
        Cadhost_Runner runner;
        const Cadhost_Run run = Detect(runner, korvel_test::Real_Drawing(c.drawing), 2);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(Rows(run.out).size(), c.rows);
    }
}

}  // namespace
