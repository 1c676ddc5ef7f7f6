// KV_DivezUrez_22 in host sessions: the settings dialog points at a library folder and
// picks the mode, the scale step and the scale text; the frame placed in each mode is read
// back from the saved drawing with ezdxf, and KV_DivezUrez_2 finds it as a sheet.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

const std::string Insert_Settings = "@IDD_DLG_PUT_TK_SETTING ";

struct Insert_Case {
    const char* label;
    const char* drawing;   // a fixture of tests/fixtures/dxf, or "" for a new drawing
    const char* mode;      // the mode's radio button
    int scale_item;        // of the scale combo: 0 no scaling, 3 the 5 % step
    int text_position;     // 0 no scale text
    const char* placing;   // the steps that place the frame once and end the placement loop
    const char* lines;     // "lines COUNT X0 Y0 X1 Y1" of the saved drawing
    const char* text;      // the scale text line, or "" for none
    const char* paper;     // the paper cell of the frame's row in the sheet list
};

// A title-block folder "lib" beside the session holding the A3 frame with its table.
void Make_Library(const Cadhost_Runner& runner)
{
    fs::create_directories(runner.folder() / "lib");
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/tk_library/A3_table.dxf",
                  runner.folder() / "lib" / "A3_table.dxf");
}

// Sets the insertion up in the settings dialog, places the frame, saves the drawing and
// lets KV_DivezUrez_2 list the sheets of model space.
Cadhost_Run Run_Insert(const Cadhost_Runner& runner, const Insert_Case& c)
{
    std::string steps = "command KV_DivezUrez_22\npick 0\n" + Insert_Settings + "click IDC_PTK_FOLDER\nfile \"lib\"\n" +
                        Insert_Settings + "click " + c.mode + "\n" + Insert_Settings + "choose IDC_PTK_SCALE_COMBO " +
                        std::to_string(c.scale_item) + "\n" + Insert_Settings + "click IDC_PTK_TEXT_POS\npick " +
                        std::to_string(c.text_position) + "\n" + Insert_Settings + "click IDOK\npick 2\n" + c.placing +
                        "save \"" + (runner.folder() / "out.dxf").string() +
                        "\"\ncommand KV_DivezUrez_2\nenter\npick 0\n@712 rows 1164\n";
    const fs::path script = runner.Write_Script("insert.scr", steps);
    std::string drawing;
    if (*c.drawing != '\0') {
        drawing = (runner.folder() / c.drawing).string();
        fs::copy_file(std::string(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/") + c.drawing, drawing);
    }
    return runner.Run_In(runner.folder(), {"--root", (runner.folder() / "machine").string(), "--module",
                                           MODULE_2025_PATH, "--script", script.string(), drawing});
}

// What ezdxf reads of the saved drawing, the frame's own "TITLE" text left out.
std::vector<std::string> Saved_Frame(const Cadhost_Runner& runner)
{
    const std::string dump = Shell("/usr/bin/python3 " KORVEL_SOURCE_DIR "/tests/e2e/tk_frame_dump.py " +
                                   Quoted(runner.folder() / "out.dxf") + " 2>&1");
    std::vector<std::string> lines;
    for (const std::string& line : Lines(dump, ""))
        if (!line.empty() && line.rfind("text TITLE ", 0) != 0)
            lines.push_back(line);
    return lines;
}

}  // namespace

TEST(TK_Insert_Session, A_Library_Frame_Is_Placed_In_Each_Mode_And_Found_As_An_A3_Sheet)
{
    const Insert_Case cases[] = {
        {"centred, scaled to 200 % by the second point, the text above the upper left", "", "IDC_PTK_MODE_CENTRE",
         3, 2, "point 100,100\nwait pumps 1\npoint 520,100\nwait pumps 1\nesc\n",
         "lines 12 -320.000 -197.000 520.000 397.000", "text 200% -320.000 402.940 23.760 0.0", "A1 (841x594)"},
        {"by the area's lower-left corner, unscaled, without text", "", "IDC_PTK_MODE_CORNER", 0, 0,
         "point 0,0\nwait pumps 1\nesc\n", "lines 12 -25.000 -5.000 395.000 292.000", "", "A3 (420x297)"},
        {"wrapped around a rectangle, the text below the middle", "tk_insert_target.dxf", "IDC_PTK_MODE_WRAP", 0, 6,
         "select window 990,-10 1310,210\nesc\n", "lines 12 930.000 -48.500 1350.000 248.500",
         "text 100% 1140.000 -51.470 11.880 0.0", "A3 (420x297)"},
        // Measured without the clip the frame would be centred on 6000,500 instead.
        {"wrapped around a clipped block inside another", "tk_insert_target.dxf", "IDC_PTK_MODE_WRAP", 0, 0,
         "select window 4990,-10 7010,1010\nesc\n", "lines 12 4980.000 1.500 5400.000 298.500", "", "A3 (420x297)"},
    };
    for (const Insert_Case& c : cases) {
        SCOPED_TRACE(c.label);
        Cadhost_Runner runner;
        Make_Library(runner);
        const Cadhost_Run run = Run_Insert(runner, c);
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        std::vector<std::string> expected{c.lines};
        if (*c.text != '\0')
            expected.push_back(c.text);
        EXPECT_EQ(Saved_Frame(runner), expected) << run.out;
        // The command is sent again at the end, and that run only clears its guard (a picker
        // would have taken the script's next command).
        EXPECT_EQ(Lines(run.out, "Command: KV_DivezUrez_22").size(), 2u);
        // The frame is a sheet of the paper its size calls for.
        bool found = false;
        for (const std::vector<std::string>& row : Rows(run.out))
            found = found || (row.size() > 4 && row[4] == c.paper);
        EXPECT_TRUE(found) << run.out;
    }
}

TEST(TK_Insert_Session, Attributed_Blocks_Of_A_Placed_Frame_Are_Synchronised_Before_The_Command_Ends)
{
    Cadhost_Runner runner;
    fs::create_directories(runner.folder() / "lib");
    fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/tk_signed_frame.dxf",
                  runner.folder() / "lib" / "signed.dxf");
    const fs::path script = runner.Write_Script(
        "signed.scr", "command KV_DivezUrez_22\npick 0\n" + Insert_Settings + "click IDC_PTK_FOLDER\nfile \"lib\"\n" +
                          Insert_Settings + "choose IDC_PTK_SCALE_COMBO 0\n" + Insert_Settings +
                          "click IDC_PTK_TEXT_POS\npick 0\n" + Insert_Settings +
                          "click IDOK\npick 2\npoint 0,0\nwait pumps 1\nesc\nsave \"" +
                          (runner.folder() / "out.dxf").string() + "\"\n");
    const Cadhost_Run run = runner.Run_In(runner.folder(), {"--root", (runner.folder() / "machine").string(),
                                                            "--module", MODULE_2025_PATH, "--script", script.string(),
                                                            ""});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::string attsync = "Command: _ATTSYNC\nEnter an option [?/Name/Select] <Select>: Name\n"
                                "Enter name of block to synchronize: SIGN";
    const size_t synced = run.out.find(attsync);
    EXPECT_NE(synced, std::string::npos) << run.out;
    EXPECT_LT(synced, run.out.rfind("Command: KV_DivezUrez_22")) << run.out;
    const std::string attributes = Shell(
        "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
        "print([(a.dxf.tag, a.dxf.text) for i in d.modelspace().query('INSERT') for a in i.attribs])\" " +
        Quoted(runner.folder() / "out.dxf") + " 2>&1");
    EXPECT_EQ(attributes, "[('NAME', 'ZHANG')]\n");
}
