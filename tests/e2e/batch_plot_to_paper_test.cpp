// The batch plot to paper in a host session on the sample drawing (three sheets in model
// space, one in a layout) with a machine printer offering A4 and A3: copies and collation
// reach the printer's queue in order on the chosen paper, PLT output writes one file per
// sheet, the paper statistics are a workbook, and a machine without printers says so.
#include <gtest/gtest.h>

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

// A sheet of the sample drawing as a print job shows it: its queue document and a text on it.
struct Sample_Sheet {
    const char* document;
    const char* text;
};
const Sample_Sheet S1{"sample-Model", "法兰盘"}, S2{"sample-Model", "端盖"}, S3{"sample-Model", "壳体剖面"},
    S4{"sample-布局1", "局部放大"};

class Paper_Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::copy_file(KORVEL_SOURCE_DIR "/samples/sample.dxf", Folder() / "sample.dxf");
        fs::create_directories(Folder() / "machine");
    }
    fs::path Folder() const { return runner.folder(); }
    fs::path Spool() const { return Folder() / "machine/c/Spool/LaserJet"; }
    // The printer as the machine keeps it: A4 first (its default), then A3.
    void Add_Printer() const
    {
        std::ofstream(Folder() / "machine/.printers")
            << "printer\tHP LaserJet M1536\tC:\\Spool\\LaserJet\t100\n"
               "media\tISO_A4\tA4\t210\t297\t5\t5\t5\t5\n"
               "media\tISO_A3\tA3\t297\t420\t5\t5\t5\t5\n";
    }
    Cadhost_Run Run(const std::string& steps)
    {
        const fs::path script = runner.Write_Script("session.scr", steps);
        return runner.Run({"--root", (Folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script",
                           script.string(), (Folder() / "sample.dxf").string()});
    }
    // Opens the window over all spaces.
    static std::string Open() { return "command KV_DivezUrez_5\nenter\npick 2\n"; }
    // Every row on A3, two copies of the first sheet.
    static std::string A3_And_Two_Copies() { return "@830 header 1164 4\npick 1\n@830 cell 1164 0 2\npick 1\n"; }
    // A key=value of a queue record.
    static std::string Field(const fs::path& shadow, const std::string& key)
    {
        std::ifstream in(shadow);
        for (std::string line; std::getline(in, line);)
            if (line.rfind(key + "=", 0) == 0)
                return line.substr(key.size() + 1);
        return "";
    }

    Cadhost_Run run;
    Cadhost_Runner runner;
};

TEST_F(Paper_Session, Copies_Reach_The_Printer_Queue_Collated_Or_Not_Each_A_Page_Of_The_Chosen_Paper)
{
    struct Case {
        int collate;
        std::vector<Sample_Sheet> jobs;
    };
    const Case cases[] = {{1, {S1, S2, S3, S4, S1}}, {0, {S1, S1, S2, S3, S4}}};
    for (const Case& c : cases) {
        SCOPED_TRACE("collate " + std::to_string(c.collate));
        fs::remove_all(Spool());
        Add_Printer();
        run = Run(Open() + A3_And_Two_Copies() + "@830 check 916 " + std::to_string(c.collate) +
                  "\n@830 rows 1164\n@830 click 1\nenter\npick 2\n@830 rows 1164\n@830 click 2\n");
        ASSERT_EQ(run.status, 0) << run.err << run.out;
        EXPECT_NE(run.out.find("Command: Plot_Temp3"), std::string::npos) << run.out;

        const std::vector<std::vector<std::string>> rows = Rows(run.out);
        ASSERT_EQ(rows.size(), 8u) << "four sheets before the run and again after it:\n" << run.out;
        for (size_t i = 0; i < 8; ++i) {
            EXPECT_EQ(rows[i][2], i % 4 == 0 ? "2" : "1") << i;
            EXPECT_EQ(rows[i][4], "A3") << i;
        }

        const std::vector<fs::path> pdfs = Files_In(Spool(), ".pdf");
        const std::vector<fs::path> shadows = Files_In(Spool(), ".shd");
        ASSERT_EQ(pdfs.size(), c.jobs.size()) << run.out;
        ASSERT_EQ(shadows.size(), c.jobs.size());
        for (size_t j = 0; j < c.jobs.size(); ++j) {
            SCOPED_TRACE(pdfs[j].filename().string());
            EXPECT_EQ(Field(shadows[j], "document"), c.jobs[j].document);
            EXPECT_EQ(Field(shadows[j], "media"), "ISO_A3");
            EXPECT_EQ(Field(shadows[j], "copies"), "1");
            EXPECT_NE(Shell("pdftotext " + Quoted(pdfs[j]) + " -").find(c.jobs[j].text), std::string::npos);
            const std::string info = Shell("pdfinfo " + Quoted(pdfs[j]));
            EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
            EXPECT_TRUE(std::regex_search(info, std::regex(R"(Page size:\s+(841\.89 x 1190\.55|1190\.55 x 841\.89) pts)")))
                << info;
        }
    }
}

TEST_F(Paper_Session, Plt_Output_Writes_One_File_Per_Sheet_And_Sends_Nothing_To_The_Printer)
{
    Add_Printer();
    const fs::path folder = Folder() / "plt";
    fs::create_directories(folder);
    run = Run(Open() + A3_And_Two_Copies() + "@830 click 874\n@830 click 1\nfile \"" + folder.string() +
              "\"\nenter\npick 2\n@830 click 2\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<fs::path> files = Files_In(folder, ".plt");
    ASSERT_EQ(files.size(), 4u) << run.out;
    const Sample_Sheet order[] = {S1, S2, S3, S4};
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].filename(), "sample_" + std::to_string(i + 1) + ".plt");
        EXPECT_NE(Shell("pdftotext " + Quoted(files[i]) + " -").find(order[i].text), std::string::npos) << i;
    }
    EXPECT_TRUE(Files_In(Spool(), ".pdf").empty());
}

// A printers file typed by hand with blanks between its fields: the printer is there and
// prints; a line the machine cannot use is named on the command line and the rest still counts.
TEST_F(Paper_Session, A_Printers_File_Typed_With_Blanks_Gives_Its_Printer_And_Names_A_Wrong_Line)
{
    std::ofstream(Folder() / "machine/.printers") << "printer  激光  C:\\Spool\\LaserJet  100\n"
                                                     "media ISO_A3 A3 297 420 5 5 5 5\n"
                                                     "media ISO_A4 A4 210mm 297 5 5 5 5\n";
    run = Run(Open() + "@830 header 1164 4\npick 0\n@830 click 1\nenter\npick 2\n@830 click 2\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_NE(run.out.find(".printers line 3: a media line is media, CANONICAL, SHOWN, WIDTH, HEIGHT"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("本机没有可用的打印机"), std::string::npos) << run.out;
    EXPECT_EQ(Files_In(Spool(), ".pdf").size(), 4u) << run.out;
}

TEST_F(Paper_Session, Paper_Statistics_Are_A_Workbook_Of_The_Copies_Per_Paper)
{
    Add_Printer();
    run = Run(Open() + A3_And_Two_Copies() + "@830 cell 1164 3 4\npick 0\n@830 rclick 1164 0 4\nmenu 32786\n@830 click 2\n");
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const std::vector<fs::path> books = Files_In(Folder() / "machine/c/Users/korvel/Documents", ".xlsx");
    ASSERT_EQ(books.size(), 1u) << run.out;
    const std::string sheet = Shell(
        "/usr/bin/python3 -c \"import openpyxl,sys; ws=openpyxl.load_workbook(sys.argv[1])['纸张统计']; "
        "[print('row:', *r) for r in ws.iter_rows(min_row=3, values_only=True)]\" " +
        Quoted(books[0]) + " 2>&1");
    EXPECT_EQ(sheet, "row: 1 A3 4 5 =C3*D3\nrow: 2 A4 1 5 =C4*D4\nrow: 汇 总  None =SUM(C3:C4) None =SUM(E3:E4)\n");
}

TEST_F(Paper_Session, Without_A_Printer_The_Window_Says_So_And_Nothing_Is_Plotted)
{
    run = Run(Open() + "msgbox OK\n@830 rows 1164\n@830 click 1\n");
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("[MessageBox] Korvel打印 | 本机没有可用的打印机，无法打印到纸张 !"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("control 1 of dialog 830 (IDD_DLG_BPLOT3) '批打印至纸张' is disabled"), std::string::npos)
        << run.err;
    const std::vector<std::vector<std::string>> rows = Rows(run.out);
    ASSERT_EQ(rows.size(), 4u) << run.out;
    for (const auto& row : rows) EXPECT_EQ(row[4], "");
    EXPECT_EQ(run.out.find("Plot_Temp3"), std::string::npos);
    EXPECT_FALSE(fs::exists(Folder() / "machine/c/Spool"));
}

}  // namespace
