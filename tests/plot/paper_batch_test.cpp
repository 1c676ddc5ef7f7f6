// The batch plot to paper: the order of the print jobs from the copies and the collation,
// the PLT files of a run to files, and a run on a machine printer over sheets in model
// space and a layout whose queue holds the jobs in that order on the sheets' papers.
#include "core/fresh_output.h"
#include "core/name_lookups.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "ed/input.h"
#include "pdf_test_fixture.h"
#include "plot/batch_run.h"
#include "plot/machine_printers.h"
#include "plot/paper_batch.h"
#include "plot/plot_job_sink.h"
#include "plot/print_queue.h"
#include "sheets/sheet_records.h"
#include "win/machine.h"

namespace fs = std::filesystem;

namespace {

// Sheets S1, S2, S3 with 2, 1 and 3 copies.
class Paper_Job_List : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int copies[] = {2, 1, 3};
        for (int i = 0; i < 3; ++i) {
            sheets[i].Copies = copies[i];
            sheets[i].Paper_Name = L"A3";
            list.Add(&sheets[i]);
        }
    }
    // The jobs as sheet numbers from 1.
    std::vector<int> Order(int count, bool to_file, bool collate)
    {
        std::vector<int> order;
        for (Plot_Drawing1* sheet : Paper_Batch_Jobs(list, count, to_file, collate))
            order.push_back(static_cast<int>(sheet - sheets) + 1);
        return order;
    }
    Plot_Drawing1 sheets[3];
    Sheet_Array list;  // not owning
};

TEST_F(Paper_Job_List, Copies_Repeat_Sheets_In_Turn_Or_In_Sets_And_Files_Take_Each_Sheet_Once)
{
    struct Case {
        int count;
        bool to_file, collate;
        std::vector<int> jobs;
    };
    const Case cases[] = {
        {3, false, false, {1, 1, 2, 3, 3, 3}},
        {3, false, true, {1, 2, 3, 1, 3, 3}},
        {3, true, false, {1, 2, 3}},
        {3, true, true, {1, 2, 3}},
        {2, false, true, {1, 2, 1}},  // only the first sheets of the list
        {9, false, false, {1, 1, 2, 3, 3, 3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Order(c.count, c.to_file, c.collate), c.jobs)
            << c.count << " sheets, to file " << c.to_file << ", collate " << c.collate;

    // No copies: not printed, but written to a file; no paper: never sent.
    sheets[1].Copies = 0;
    EXPECT_EQ(Order(3, false, false), (std::vector<int>{1, 1, 3, 3, 3}));
    EXPECT_EQ(Order(3, false, true), (std::vector<int>{1, 3, 1, 3, 3}));
    EXPECT_EQ(Order(3, true, true), (std::vector<int>{1, 2, 3}));
    sheets[0].Paper_Name.Empty();
    EXPECT_EQ(Order(3, false, true), (std::vector<int>{3, 3, 3}));
    EXPECT_EQ(Order(3, true, false), (std::vector<int>{2, 3}));
}

TEST(Paper_Batch_Plt_Path, One_Job_Takes_The_Title_Alone_More_Are_Numbered_From_One)
{
    EXPECT_EQ(Paper_Batch_Plt_Path(L"D:\\Plt", L"plan", 1, 0), CString(L"D:\\Plt\\plan.plt"));
    EXPECT_EQ(Paper_Batch_Plt_Path(L"D:\\Plt", L"plan", 3, 0), CString(L"D:\\Plt\\plan_1.plt"));
    EXPECT_EQ(Paper_Batch_Plt_Path(L"D:\\Plt", L"plan", 3, 2), CString(L"D:\\Plt\\plan_3.plt"));
}

const CString Printer = L"HP LaserJet M1536";
const CString Plt_Folder = L"C:\\Plt Out";

// A frame of the drawing: where it lies, its paper, its copies and its name.
struct Paper_Frame {
    bool in_layout;
    double x, width, height;
    const wchar_t* paper;
    int copies;
    const wchar_t* name;
};
const Paper_Frame Paper_Frames[] = {{false, 0, 420, 297, L"A3", 2, L"M-01"},
                        {true, 0, 297, 210, L"A4", 1, L"L-01"},
                        {false, 1000, 210, 297, L"A4", 1, L"M-02"}};

// What the plot engine was asked for, with FILEDIA at that moment.
struct Printed_Job {
    std::wstring media, path;
    bool model_space;
    double window_min_x;
    int filedia;
};

class Paper_Batch_Test : public Pdf_Part_Test {
protected:
    void SetUp() override
    {
        Pdf_Part_Test::SetUp();
        platform::Machine_Printer printer;
        printer.name = Printer.GetString();
        printer.spool_folder = L"C:\\Spool\\LaserJet";
        for (auto [name, width, height] : {std::tuple{L"A4", 210.0, 297.0}, std::tuple{L"A3", 297.0, 420.0}}) {
            platform::PlotPaper paper;
            paper.canonical_name = paper.display_name = name;
            paper.width_mm = width;
            paper.height_mm = height;
            printer.media.push_back(paper);
        }
        ASSERT_TRUE(platform::Add_Machine_Printer(printer));
        m_Options.Device_Name = Printer;
        m_Options.Plt_Folder = Plt_Folder;
        m_Options.Collate = 1;
        g_Cur_Plot_Option = &m_Options;
        Build_Drawing();
        platform::Set_Plot_Job_Sink([this](const platform::PlotJob& job) {
            m_Jobs.push_back({job.paper.canonical_name, job.output_path, job.model_space, job.window_min.x,
                              Var_Int(L"FILEDIA")});
            return platform::Render_Plot(job);
        });
        Set_Var(L"FILEDIA", 1);
        platform::Clear_Typed_Input();
    }
    void TearDown() override
    {
        platform::Set_Plot_Job_Sink(nullptr);
        g_Sheet_Set = nullptr;
        m_Sheets.Clear();
        g_Cur_Plot_Option = nullptr;
        platform::Clear_Typed_Input();
        platform::Remove_Machine_Printer(Printer.GetString());
        fs::remove_all(Host(L"C:\\Spool"));
        fs::remove_all(Host(Plt_Folder));
        Pdf_Part_Test::TearDown();
    }

    void Build_Drawing()
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbObjectId layout_id, layout_block;
        ASSERT_EQ(zcdbHostApplicationServices()->layoutManager()->createLayout(L"Sheets", layout_id, layout_block),
                  Zcad::eOk);
        for (const Paper_Frame& frame : Paper_Frames) {
            const ZcDbObjectId space = frame.in_layout ? layout_block : db->modelSpaceId();
            ZcDbBlockTableRecord* block = nullptr;
            ASSERT_EQ(zcdbOpenObject(block, space, ZcDb::kForWrite), Zcad::eOk);
            auto* outline = new ZcDbPolyline();
            const double xs[] = {frame.x, frame.x + frame.width, frame.x + frame.width, frame.x};
            const double ys[] = {0, 0, frame.height, frame.height};
            for (int i = 0; i < 4; ++i) outline->addVertexAt(i, ZcGePoint2d(xs[i], ys[i]));
            outline->setClosed(true);
            auto* name = new ZcDbText(ZcGePoint3d(frame.x + 20, 20, 0), frame.name, ZcDbObjectId::kNull, 8.0, 0.0);
            for (ZcDbEntity* entity : {static_cast<ZcDbEntity*>(outline), static_cast<ZcDbEntity*>(name)}) {
                entity->setDatabaseDefaults(db);
                ZcDbObjectId id;
                ASSERT_EQ(block->appendZcDbEntity(id, entity), Zcad::eOk);
                entity->close();
            }
            block->close();

            auto* sheet = new Plot_Drawing1();
            sheet->Space_Id = space;
            sheet->Space_Index = frame.in_layout ? 1 : 0;
            sheet->Min_Corner = ZcGePoint2d(frame.x, 0);
            sheet->Max_Corner = ZcGePoint2d(frame.x + frame.width, frame.height);
            sheet->Width = frame.width;
            sheet->Height = frame.height;
            sheet->Portrait = frame.height > frame.width;
            sheet->Paper_Name = frame.paper;
            sheet->Copies = frame.copies;
            m_Sheets.All_Sheets.Add(sheet);
            m_Sheets.Plot_List.Add(sheet);
        }
        g_Sheet_Set = &m_Sheets;
        Activate_Layout_Of_Block(db->modelSpaceId());
    }

    static std::string Pdf_Text(const std::wstring& host_path)
    {
        return pdf_test::Run("pdftotext " + pdf_test::Quote(platform::To_Utf8(host_path)) + " -");
    }
    static std::string Pdf_Info(const std::wstring& host_path)
    {
        return pdf_test::Run("pdfinfo " + pdf_test::Quote(platform::To_Utf8(host_path)));
    }
    static bool Folder_Opened(const CString& folder)
    {
        for (const auto& record : platform::ShellLog)
            if (record.file == folder.GetString() && record.verb == L"open")
                return true;
        return false;
    }
    // The cancels come first: after the command they would cancel its selection prompt.
    static std::wstring Reopen_Text() { return Cancel_Prefix().GetString() + std::wstring(L"KV_DivezUrez_5\n"); }

    Plot_Option m_Options;
    Plot_Sheet_Set m_Sheets;
    std::vector<Printed_Job> m_Jobs;
};

TEST_F(Paper_Batch_Test, Collated_Copies_Reach_The_Printer_Queue_In_Sets_On_Each_Sheets_Paper)
{
    g_Plot_Config.Open_Folder = 1;
    Run_Plot_Temp3();

    // S1 (2 copies), S2, S3 collated: S1, S2, S3, S1.
    const int order[] = {0, 1, 2, 0};
    const std::vector<platform::Print_Queue_Job> queue = platform::Print_Queue(Printer.GetString());
    ASSERT_EQ(m_Jobs.size(), 4u) << platform::To_Utf8(Printed());
    ASSERT_EQ(queue.size(), 4u);
    for (size_t j = 0; j < 4; ++j) {
        const Paper_Frame& frame = Paper_Frames[order[j]];
        SCOPED_TRACE(platform::To_Utf8(frame.name));
        EXPECT_EQ(m_Jobs[j].model_space, !frame.in_layout);
        EXPECT_NEAR(m_Jobs[j].window_min_x, frame.x, 1e-9);  // the frame exactly
        EXPECT_EQ(m_Jobs[j].filedia, 0);
        EXPECT_EQ(m_Jobs[j].path, L"");
        EXPECT_EQ(queue[j].media, frame.paper);
        EXPECT_EQ(queue[j].copies, 1);
        EXPECT_NE(Pdf_Text(queue[j].file).find(platform::To_Utf8(frame.name)), std::string::npos);
        // The page is the paper, turned or not.
        const std::string info = Pdf_Info(queue[j].file);
        const bool a3 = frame.paper == std::wstring(L"A3");
        for (const char* side : {a3 ? "841.89" : "595.276", a3 ? "1190.55" : "841.89"})
            EXPECT_NE(info.find(side), std::string::npos) << info;
    }
    // The window opens again; no folder is made or opened when printing to paper.
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
    EXPECT_FALSE(fs::exists(Host(Plt_Folder)));
    EXPECT_FALSE(Folder_Opened(Plt_Folder));
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    EXPECT_FALSE(Is_Paper_Space());
}

TEST_F(Paper_Batch_Test, Uncollated_Copies_Follow_Each_Other)
{
    m_Options.Collate = 0;
    Run_Plot_Temp3();
    const std::vector<platform::Print_Queue_Job> queue = platform::Print_Queue(Printer.GetString());
    ASSERT_EQ(queue.size(), 4u);
    const int order[] = {0, 0, 1, 2};
    for (size_t j = 0; j < 4; ++j)
        EXPECT_NE(Pdf_Text(queue[j].file).find(platform::To_Utf8(Paper_Frames[order[j]].name)), std::string::npos) << j;
}

TEST_F(Paper_Batch_Test, Plt_Output_Writes_One_File_Per_Sheet_Into_The_Folder_And_Opens_It)
{
    g_Plot_Config.Open_Folder = 1;
    m_Options.Plt_Output = 1;
    Run_Plot_Temp3();

    ASSERT_EQ(m_Jobs.size(), 3u) << platform::To_Utf8(Printed());
    const CString title = Get_Dwg_Title();
    for (size_t j = 0; j < 3; ++j) {
        const CString path = Paper_Batch_Plt_Path(Plt_Folder, title, 3, static_cast<int>(j));
        // Written beside its file, which it then replaces.
        EXPECT_EQ(m_Jobs[j].path, Fresh_Output_Path(path).GetString()) << j;
        EXPECT_EQ(m_Jobs[j].media, Paper_Frames[j].paper);
        EXPECT_TRUE(Exists(path)) << platform::To_Utf8(path.GetString());
    }
    EXPECT_TRUE(platform::Print_Queue(Printer.GetString()).empty()) << "nothing goes to the printer";
    EXPECT_TRUE(Folder_Opened(Plt_Folder));
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
}

// A second PLT run into a folder that is now a full disk: every file of the first run stays
// byte for byte, one message names the files and why, and the folder is not shown as the
// result of a run that wrote nothing.
TEST_F(Paper_Batch_Test, Plt_Files_That_Cannot_Be_Written_Keep_The_Earlier_Ones_And_Are_Named)
{
    m_Options.Plt_Output = 1;
    g_Plot_Config.Open_Folder = 1;
    Run_Plot_Temp3();
    const CString title = Get_Dwg_Title();
    std::vector<std::string> earlier;
    for (int j = 0; j < 3; ++j)
        earlier.push_back(File_Bytes(Paper_Batch_Plt_Path(Plt_Folder, title, 3, j)));
    ASSERT_FALSE(earlier[2].empty());
    platform::ShellLog.clear();
    platform::Clear_Typed_Input();

    platform::Machine::instance().set_disk_free(Plt_Folder.GetString(), 100);
    Answer_Boxes(1);
    Run_Plot_Temp3();
    platform::Machine::instance().set_disk_free(Plt_Folder.GetString(), std::nullopt);

    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text,
              L"全部 3 张图纸均未能输出 !\n\n" + std::wstring(title.GetString()) + L"_1.plt ：磁盘空间不足\n" +
                  title.GetString() + L"_2.plt ：磁盘空间不足\n" + title.GetString() +
                  L"_3.plt ：磁盘空间不足\n\n这些图纸原有的输出文件保持不变 !");
    for (int j = 0; j < 3; ++j)
        EXPECT_EQ(File_Bytes(Paper_Batch_Plt_Path(Plt_Folder, title, 3, j)), earlier[static_cast<size_t>(j)]) << j;
    EXPECT_EQ(std::distance(fs::directory_iterator(Host(Plt_Folder)), {}), 3);
    EXPECT_FALSE(Folder_Opened(Plt_Folder));
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
}

// A printer whose spool cannot be written: each sheet that did not go out is named once by
// its row, whatever its copies.
TEST_F(Paper_Batch_Test, Sheets_The_Printer_Did_Not_Take_Are_Named_Once_By_Their_Rows)
{
    platform::Machine::instance().deny_writes(L"C:\\Spool\\LaserJet");
    Answer_Boxes(1);
    Run_Plot_Temp3();
    platform::Machine::instance().allow_writes(L"C:\\Spool\\LaserJet");

    EXPECT_EQ(m_Jobs.size(), 4u);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"全部 3 张图纸均未能输出 !\n\n第 1 张 ：没有写入权限\n第 2 张 ：没有写入权限\n"
                                               L"第 3 张 ：没有写入权限\n\n这些图纸原有的输出文件保持不变 !");
    EXPECT_TRUE(platform::Print_Queue(Printer.GetString()).empty());
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
}

TEST_F(Paper_Batch_Test, Without_A_Printer_Nothing_Is_Sent)
{
    m_Options.Device_Name.Empty();
    EXPECT_FALSE(Plot_Paper_Batch(3));
    EXPECT_TRUE(m_Jobs.empty());
}

}  // namespace
