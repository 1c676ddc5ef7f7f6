// The old batch plot to paper in a host session: KV_DivezUrez_16 on a drawing with block
// frames, rectangles on layers and loose areas plots each frame mode's areas on the
// printer that the page setup chose, or to PLT files; its choices stay in the drawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

class Old_Batch_Plot_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/old_plot.dxf", Folder() / "old_plot.dxf");
        fs::create_directories(Folder() / "machine");
        std::ofstream printers(Folder() / "machine/.printers");
        printers << "printer\tOffice Laser\tC:\\spool\\laser\t100\n"
                 << "media\tA4\tA4 210x297\t210\t297\t5\t5\t5\t5\n"
                 << "media\tA3\tA3 297x420\t297\t420\t5\t5\t5\t5\n";
    }
    fs::path Folder() const { return runner.folder(); }
    fs::path Spool() const { return Folder() / "machine/c/spool/laser"; }
    Cadhost_Run Run(const std::string& steps, const std::string& drawing = "old_plot.dxf")
    {
        const fs::path script = runner.Write_Script("session.scr", steps);
        return runner.Run({"--root", (Folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                           script.string(), (Folder() / drawing).string()});
    }
    // Opens the dialog and sets the printer and its A3 paper through the page setup.
    static std::string Open_With_Printer()
    {
        return "command KV_DivezUrez_16\n@IDD_DLG_BPLOT click IDC_BPO_PAGE_SETUP\n"
               "choose IDC_ZC_PAGE_SETUP_DEVICE 1\nchoose IDC_ZC_PAGE_SETUP_PAPER 1\n@IDD_ZC_PAGE_SETUP click IDOK\n";
    }
    // Each spooled job's page sides in mm, longer first.
    std::vector<std::pair<long, long>> Jobs() const
    {
        std::vector<std::pair<long, long>> jobs;
        const std::regex size(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)");
        for (const fs::path& job : Files_In(Spool(), ".pdf")) {
            std::smatch match;
            const std::string info = Shell("pdfinfo " + Quoted(job) + " 2>/dev/null");
            if (!std::regex_search(info, match, size))
                continue;
            const long a = std::lround(std::stod(match[1]) * 25.4 / 72), b = std::lround(std::stod(match[2]) * 25.4 / 72);
            jobs.push_back({std::max(a, b), std::min(a, b)});
        }
        return jobs;
    }
    static std::vector<std::pair<long, long>> A3_Pages(size_t count) { return {count, {420, 297}}; }

    Cadhost_Runner runner;
};

TEST_F(Old_Batch_Plot_Session, Each_Frame_Mode_Plots_Its_Areas_On_The_Page_Setup_Paper)
{
    struct Case {
        const char* what;
        std::string steps;  // after the page setup, up to the confirmation
        size_t areas;
    };
    const Case cases[] = {
        {"chosen block frames", "@IDD_DLG_BPLOT choose IDC_BPO_NAME_LIST 0\n@IDD_DLG_BPLOT click IDOK\nenter\n", 2},
        // Layers "0", "Defpoints", "FRAMES".
        {"rectangles on a chosen layer",
         "@IDD_DLG_BPLOT click IDC_BPO_MODE_LAYERS\n@IDD_DLG_BPLOT choose IDC_BPO_NAME_LIST 2\n"
         "@IDD_DLG_BPLOT click IDOK\nenter\n",
         2},
        {"selected rectangles", "@IDD_DLG_BPLOT click IDC_BPO_MODE_RECTS\n@IDD_DLG_BPLOT click IDOK\nselect all\n", 3},
        {"windows with an undo",
         "@IDD_DLG_BPLOT click IDC_BPO_MODE_POINTS\n@IDD_DLG_BPLOT click IDOK\n"
         "point 420,297\npoint 0,0\npoint 500,0\npoint 920,297\nanswer \"U\"\npoint 0,400\npoint 297,820\nenter\n",
         2},
        {"selection sets widened by the margin",
         "@IDD_DLG_BPLOT click IDC_BPO_MODE_SETS\n@IDD_DLG_BPLOT text IDC_BPO_MARGIN \"10\"\n@IDD_DLG_BPLOT click IDOK\n"
         "select window -1,-1 421,298\nselect window 499,-1 921,298\nenter\n",
         2},
    };
    for (const Case& c : cases) {
        fs::remove_all(Spool());
        const fs::path saved = Folder() / "after.dxf";
        const Cadhost_Run run = Run(Open_With_Printer() + c.steps + "msgbox YES\nsave \"" + saved.string() + "\"\n");
        ASSERT_EQ(run.status, 0) << c.what << "\n" << run.err << run.out;
        const std::string asked = "共有 " + std::to_string(c.areas) + " 张图纸打印，打印 1 份";
        EXPECT_NE(run.out.find(asked), std::string::npos) << c.what << "\n" << run.out;
        EXPECT_EQ(Jobs(), A3_Pages(c.areas)) << c.what;
        // Crossing lines and numbered markers are gone before the plot.
        const std::string kinds = Shell("/usr/bin/python3 -c \"import ezdxf,collections,sys; d=ezdxf.readfile(sys.argv[1]);"
                                        " print(sorted(collections.Counter(e.dxftype() for e in d.modelspace()).items()))\" " +
                                        Quoted(saved));
        EXPECT_EQ(kinds, "[('CIRCLE', 5), ('INSERT', 3), ('LWPOLYLINE', 3)]\n") << c.what;
    }
}

TEST_F(Old_Batch_Plot_Session, Copies_Repeat_The_Areas_And_The_Choices_Survive_Save_And_Reload)
{
    const fs::path saved = Folder() / "after.dxf";
    Cadhost_Run run = Run(Open_With_Printer() +
                          "@IDD_DLG_BPLOT choose IDC_BPO_NAME_LIST 0\n@IDD_DLG_BPLOT text IDC_BPO_COPIES \"2\"\n"
                          "@IDD_DLG_BPLOT check IDC_BPO_AUTO_ROTATE 0\n@IDD_DLG_BPLOT click IDOK\nenter\nmsgbox YES\n"
                          "save \"" + saved.string() + "\"\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.out.find("共有 2 张图纸打印，打印 2 份"), std::string::npos) << run.out;
    EXPECT_EQ(Jobs(), A3_Pages(4));
    // An independent reader finds the record: auto-rotate, order, mode, copies, PLT, margin,
    // folder, the chosen block names and the chosen layer names.
    const std::string record = Shell(
        "/usr/bin/python3 -c \"import ezdxf,sys; x=ezdxf.readfile(sys.argv[1]).rootdict['KPLOT_SETTING2']"
        "['KPLOT_SETTING2']; print(' '.join(f'{t.code}:{t.value}' for t in x.tags))\" " + Quoted(saved));
    EXPECT_EQ(record, "90:0 90:1 90:0 90:2 90:0 40:0.0 1: 90:1 1:KV_FRAME 90:0\n");

    // Reopened: the mode, the chosen block, the copies and the page setup come back, so OK
    // plots at once; a snapshot shows the restored dialog.
    fs::remove_all(Spool());
    run = Run("command KV_DivezUrez_16\n@IDD_DLG_BPLOT click IDOK\nenter\nmsgbox YES\n", "after.dxf");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.out.find("共有 2 张图纸打印，打印 2 份"), std::string::npos) << run.out;
    EXPECT_EQ(Jobs(), A3_Pages(4));
}

TEST_F(Old_Batch_Plot_Session, Plt_Output_Writes_Numbered_Files_Into_The_Chosen_Folder)
{
    const fs::path out = Folder() / "plt";
    fs::create_directories(out);
    std::ofstream(out / "old_plot-002.plt") << "old";
    const Cadhost_Run run = Run(Open_With_Printer() +
                                "@IDD_DLG_BPLOT click IDC_BPO_MODE_RECTS\n@IDD_DLG_BPLOT check IDC_BPO_TO_PLT 1\n"
                                "@IDD_DLG_BPLOT click IDOK\nselect all\nmsgbox YES\nfile \"" + out.string() + "\"\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.out.find("共有 3 张图纸打印，现在开始打印 ？"), std::string::npos) << run.out;
    std::vector<std::string> names;
    for (const fs::path& file : Files_In(out, ".plt"))
        names.push_back(file.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"old_plot-001.plt", "old_plot-002.plt", "old_plot-003.plt"}));
    EXPECT_GT(fs::file_size(out / "old_plot-002.plt"), 3u);
    EXPECT_TRUE(Files_In(Spool(), ".pdf").empty());
}

TEST_F(Old_Batch_Plot_Session, No_Plot_And_No_Record_When_The_User_Declines)
{
    const fs::path saved = Folder() / "after.dxf";
    const Cadhost_Run run = Run(Open_With_Printer() +
                                "@IDD_DLG_BPLOT click IDC_BPO_MODE_RECTS\n@IDD_DLG_BPLOT click IDOK\nselect all\n"
                                "msgbox NO\nsave \"" + saved.string() + "\"\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_TRUE(Files_In(Spool(), ".pdf").empty());
    EXPECT_EQ(Shell("grep -c KPLOT_SETTING2 " + Quoted(saved)), "0\n");
}

}  // namespace
