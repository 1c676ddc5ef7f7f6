// KV_DivezUrez_1 in a host session: a window of two corners or the extents of picked
// entities plotted at once into one file of the right paper, opened afterwards; Tab switches
// the pick, S opens the settings while the pick waits and swallows its own key only.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

const std::string First_Prompt = "选择打印范围第一点：( 按Tab键-->选择打印图形 ) ( 按S键设置 )";
const std::string Settings = "@IDD_DLG_SINGLEPLOT_SETTING ";

// A session on a copy of the fixture: a landscape A3 sheet at the origin reading
// "LANDSCAPE SHEET", a portrait A4 sheet from (600, 0) reading "PORTRAIT SHEET".
class Single_Plot_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/single_sheets.dxf", Folder() / "sheets.dxf");
    }
    fs::path Folder() const { return runner.folder(); }
    fs::path Temp_Folder() const { return Folder() / "machine/c/Users/korvel/Documents/Korvel_Temp"; }
    void Run(const std::string& steps)
    {
        const fs::path script = runner.Write_Script("session.scr", steps);
        run = runner.Run({"--root", (Folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                          script.string(), (Folder() / "sheets.dxf").string()});
        ASSERT_EQ(run.status, 0) << run.err << run.out;
    }
    // The files the shell was asked to open, as the host names them.
    std::vector<std::string> Opened() const
    {
        std::vector<std::string> files;
        const std::regex opened(R"(^\[Shell\] open \| ([^|]*[^ |]) \|)");
        for (const std::string& line : Lines(run.out, "")) {
            std::smatch match;
            if (std::regex_search(line, match, opened))
                files.push_back(match[1]);
        }
        return files;
    }
    // The one PDF in the temporary folder: its page's sides in mm (width, height) and text.
    void Expect_Pdf(double width, double height, const std::string& text)
    {
        const std::vector<fs::path> files = Files_In(Temp_Folder(), ".pdf");
        ASSERT_EQ(files.size(), 1u) << run.out;
        const std::string info = Shell("pdfinfo " + Quoted(files[0]));
        std::smatch size;
        ASSERT_TRUE(std::regex_search(info, size, std::regex(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)"))) << info;
        EXPECT_NEAR(std::stod(size[1]) * 25.4 / 72, width, 0.5) << info;
        EXPECT_NEAR(std::stod(size[2]) * 25.4 / 72, height, 0.5) << info;
        EXPECT_NE(Shell("pdftotext " + Quoted(files[0]) + " -").find(text), std::string::npos);
        const std::vector<std::string> opened = Opened();
        ASSERT_EQ(opened.size(), 1u) << run.out;
        EXPECT_NE(opened[0].find(files[0].filename().string()), std::string::npos) << opened[0];
    }

    Cadhost_Runner runner;
    Cadhost_Run run;
};

TEST_F(Single_Plot_Session, TwoCornersAroundASheetGiveOnePdfOfItsPaper)
{
    Run("command KV_DivezUrez_1\npoint 0,0\npoint 420,297\n");
    Expect_Pdf(420, 297, "LANDSCAPE SHEET");
}

TEST_F(Single_Plot_Session, TabThenPickedEntitiesGiveTheSheetOfTheirExtents)
{
    Run("command KV_DivezUrez_1\nkey TAB\nselect window 590,-10 820,310\n");
    EXPECT_NE(run.out.find("Command: SinglePlot_SelectW"), std::string::npos) << run.out;
    Expect_Pdf(210, 297, "PORTRAIT SHEET");
}

TEST_F(Single_Plot_Session, TheSettingsOpenedWithSServeThePlotAndTheNextOne)
{
    Run("command KV_DivezUrez_1\nkey S\n" + Settings + "choose IDC_FORMAT_COMBO 3\n" + Settings +
        "click IDOK\npoint 0,0\npoint 420,297\ncommand KV_DivezUrez_1\npoint 600,0\npoint 810,297\n");
    const std::vector<std::string> opened = Opened();
    ASSERT_EQ(opened.size(), 2u) << run.out;
    for (const std::string& file : opened)
        EXPECT_EQ(file.substr(file.size() - 4), ".png");
    // The temporary folder keeps the newest file only.
    const std::vector<fs::path> files = Files_In(Temp_Folder(), ".png");
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(Shell("file -b " + Quoted(files[0])).find("PNG image data"), std::string::npos);
}

TEST_F(Single_Plot_Session, EveryKeyTypedAtThePickIsTakenBack)
{
    Run("command KV_DivezUrez_1\nkey A\nkey S\n" + Settings + "click IDCANCEL\nkey B\nenter\nesc\n");
    EXPECT_NE(run.out.find(First_Prompt + "\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find(First_Prompt + "a"), std::string::npos) << run.out;
    EXPECT_EQ(Opened().size(), 0u);
}

TEST_F(Single_Plot_Session, AMarginTypedIntoTheSettingsWidensThePage)
{
    // 20 mm is beyond the list's margins: the page grows by 20 mm on each side.
    Run("command KV_DivezUrez_1\nkey S\n" + Settings + "text IDC_MARGIN_COMBO \"20\"\n" + Settings +
        "click IDOK\npoint 0,0\npoint 420,297\n");
    Expect_Pdf(460, 337, "LANDSCAPE SHEET");
}

TEST_F(Single_Plot_Session, DrawingFileOutputWritesOneDrawingAndOpensIt)
{
    const fs::path target = Folder() / "sheet.dxf";
    Run("command KV_DivezUrez_1\nkey S\n" + Settings + "choose IDC_FORMAT_COMBO 6\n" + Settings +
        "check IDC_ASK_NAME_CHECK 1\n" + Settings + "click IDOK\npoint -10,-10\npoint 430,307\nfile \"" +
        target.string() + "\"\ncommand SETVAR\nanswer \"DWGNAME\"\nenter\n");
    EXPECT_NE(run.out.find("DWGNAME <\"sheet.dxf\">"), std::string::npos) << "the drawing is open:\n" << run.out;
    EXPECT_TRUE(Files_In(Temp_Folder(), ".pdf").empty());
    const std::string texts = Shell(
        "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
        "print(sorted(t.plain_text() for b in d.blocks for t in b.query('TEXT')))\" " + Quoted(target) + " 2>&1");
    EXPECT_EQ(texts, "['LANDSCAPE SHEET']\n");
}

}  // namespace
