// The text brush, the attribute brush and the outer frame in host sessions on the drafting
// fixture (tests/fixtures/gen_drafting_tools.py); the saved drawing is read back by ezdxf.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

const std::string Long_Name(600, 'N');

class Drafting_Tools_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/drafting_tools.dxf", runner.folder() / "tools.dxf");
    }
    // Runs the steps, saves the drawing and returns its model space as ezdxf reads it, one
    // line an entity (tests/fixtures/dxf/drafting_dump.py).
    std::vector<std::string> Run(const std::string& steps)
    {
        const fs::path saved = runner.folder() / "saved.dxf";
        const fs::path script = runner.Write_Script("session.scr", steps + "save \"" + saved.string() + "\"\n");
        run = runner.Run({"--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH,
                          "--script", script.string(), (runner.folder() / "tools.dxf").string()});
        EXPECT_EQ(run.status, 0) << run.err << run.out;
        return Lines(Shell("/usr/bin/python3 " KORVEL_SOURCE_DIR "/tests/fixtures/dxf/drafting_dump.py " +
                           Quoted(saved)),
                     "");
    }
    static bool Has(const std::vector<std::string>& entities, const std::string& line)
    {
        return std::find(entities.begin(), entities.end(), line) != entities.end();
    }

    Cadhost_Runner runner;
    Cadhost_Run run;
};

TEST_F(Drafting_Tools_Session, TheTextBrushReplacesAndWithTabHeldAppendsTheSourcesText)
{
    const std::vector<std::string> entities = Run(
        "command KV_DivezUrez_15\n"
        "point 1,2\n"         // SOURCE
        "point 231,2\n"       // the first card's CODE
        "esc\n"
        "command KV_DivezUrez_15\n"
        "point 2,27\n"        // the two-paragraph MText
        "point 101,2\n"       // T1
        "key TAB down\n"
        "point 101,22\n"      // T2
        "point 101,42\n"      // M1
        "point 201,2\n"       // the first card's NAME
        "key TAB up\n"
        "esc\n");
    for (const char* line : {"TEXT 100,0|LINE ONE LINE TWO", "TEXT 100,20|T2 LINE ONE LINE TWO",
                             "MTEXT 100,45|M1\\PLINE ONE\\PLINE TWO", "INSERT 200,0|NAME=n1 LINE ONE LINE TWO|CODE=SOURCE",
                             "TEXT 0,0|SOURCE", "MTEXT 0,30|LINE ONE\\PLINE TWO"})
        EXPECT_TRUE(Has(entities, line)) << line << "\n" << run.out;
}

TEST_F(Drafting_Tools_Session, TheAttributeBrushCopiesTheCheckedRowsValuesWhole)
{
    const std::vector<std::string> entities = Run(
        "command KV_DivezUrez_19\n"
        "point 201,52\n"
        "@IDD_DLG_PROP_REVISE rows IDC_PROP_LIST\n"
        "@IDD_DLG_PROP_REVISE cell IDC_PROP_LIST 0 1\n"   // CODE unchecked
        "@IDD_DLG_PROP_REVISE click IDC_PROP_REFRESH\n"
        "select window 290,40 400,70\n"
        "@IDD_DLG_PROP_REVISE click IDOK\n");
    EXPECT_TRUE(Has(entities, "INSERT 300,50|NAME=" + Long_Name + "|CODE=c3")) << run.out;
    EXPECT_TRUE(Has(entities, "INSERT 200,0|NAME=n1|CODE=c1")) << "not picked";
    const std::vector<std::string> rows = Lines(run.out, "rows IDC_PROP_LIST: ");
    ASSERT_EQ(rows.size(), 2u) << run.out;
    EXPECT_EQ(rows[0], " 1 | √ | CODE | c2");
    EXPECT_EQ(rows[1], " 2 | √ | NAME | " + Long_Name);
}

TEST_F(Drafting_Tools_Session, TheOuterFrameTakesTheMarginAndProportionSetWithSDuringItsSelection)
{
    const std::vector<std::string> entities = Run(
        "command KV_DivezUrez_17\n"
        "key S\n"
        "@IDD_DLG_REC_SETTING click IDC_REC_FIXED_MARGIN\n"
        "@IDD_DLG_REC_SETTING text IDC_REC_MARGIN_EDIT \"10\"\n"
        "@IDD_DLG_REC_SETTING click IDOK\n"
        "select window -5,195 205,305\n"
        "key S\n"
        "@IDD_DLG_REC_SETTING click IDC_REC_NO_MARGIN\n"
        "@IDD_DLG_REC_SETTING check IDC_REC_SQRT2 1\n"
        "@IDD_DLG_REC_SETTING click IDOK\n"
        "select window 89,239 111,261\n"
        "esc\n");
    EXPECT_TRUE(Has(entities, "LWPOLYLINE 0|-10,190|210,190|210,310|-10,310|-10,190")) << run.out;
    EXPECT_TRUE(Has(entities, "LWPOLYLINE 0|85.858,240|114.142,240|114.142,260|85.858,260|85.858,240"))
        << "the circle's 20 by 20 box widened to 1:√2 about its centre";
}

}  // namespace
