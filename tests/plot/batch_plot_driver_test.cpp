// The generic batch run over a drawing with three frames in model space and one in a
// layout: one file per sheet named after the sheet, or numbered files merged into one
// PDF; a sheet whose plot fails is plotted once more by the follow-up command; FILEDIA
// and the starting space come back.
#include <algorithm>

#include "core/plot_option.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "dialogs/dlg_bplot1.h"
#include "ed/input.h"
#include "mfc/afxdll.h"
#include "mfc/rc/resource_script.h"
#include "pdf_test_fixture.h"
#include "plot/batch_plot_driver.h"
#include "plot/batch_run.h"
#include "plot/plot_job_sink.h"
#include "res/resource.h"
#include "res/resource_script.h"
#include "sheets/paper_table.h"
#include "sheets/plotter_files.h"
#include "sheets/sheet_records.h"
#include "win/machine.h"
#include "win/win_error.h"

namespace fs = std::filesystem;

namespace {

const CString Out_Folder = L"C:\\Out";
const CString Target = L"C:\\Out\\合并.pdf";

// A frame of the drawing: where it lies, its paper and the name of its file.
struct Frame {
    bool in_layout;
    double x, width, height;
    const wchar_t* paper;
    const wchar_t* output_name;
};

// Model space, layout, model space, model space; the second model-space frame is a
// portrait A4.
const Frame Frames[] = {{false, 0, 420, 297, L"KV_A3", L"M-01"},
                        {true, 0, 420, 297, L"KV_A3", L"L-01"},
                        {false, 1000, 210, 297, L"KV_A4", L"M-02"},
                        {false, 2000, 420, 297, L"KV_A3", L"M-03"}};

// What the plot engine was asked for, with FILEDIA at that moment.
struct Seen_Job {
    std::wstring path;
    bool model_space;
    double window_min_x;
    int filedia;
};

class Batch_Plot_Driver_Test : public Pdf_Part_Test {
protected:
    void SetUp() override
    {
        Pdf_Part_Test::SetUp();
        g_Merge_List_Titles = m_Saved_List_Titles;  // the result list's own titles
        m_Options.Output_Type = 0;
        m_Options.Folder_Mode = 2;
        m_Options.Folder = Out_Folder;
        g_Cur_Plot_Option = &m_Options;
        g_Merged_Pdf_Path = Target;
        fs::create_directories(Host(Out_Folder));
        Build_Drawing();
        platform::Set_Plot_Job_Sink([this](const platform::PlotJob& job) {
            m_Jobs.push_back({job.output_path, job.model_space, job.window_min.x, Var_Int(L"FILEDIA")});
            if (m_Stop_At_Job == static_cast<int>(m_Jobs.size()))
                g_Dlg_BPlot1->Stop_Flag = 1;
            if (!m_Fail_Suffix.empty() && job.output_path.ends_with(m_Fail_Suffix)) {
                if (!m_Fail_Again)
                    m_Fail_Suffix.clear();
                SetLastError(ERROR_ACCESS_DENIED);
                return platform::PlotResult{false, L"paper jam", {}};
            }
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
        g_Failed_Sheets.removeAll();
        platform::Clear_Typed_Input();
        fs::remove_all(Host(Out_Folder));
        Pdf_Part_Test::TearDown();
    }

    // The frames drawn with their names, and listed as the sheets of the result window,
    // with the plotter files of their papers.
    void Build_Drawing()
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbObjectId layout_id;
        ASSERT_EQ(zcdbHostApplicationServices()->layoutManager()->createLayout(L"Sheets", layout_id, m_Layout_Block),
                  Zcad::eOk);
        for (const Frame& frame : Frames) {
            const ZcDbObjectId space = frame.in_layout ? m_Layout_Block : db->modelSpaceId();
            Draw_Frame(space, frame);
            auto* sheet = new Plot_Drawing1();
            sheet->Space_Id = space;
            sheet->Space_Index = frame.in_layout ? 1 : 0;
            sheet->Min_Corner = ZcGePoint2d(frame.x, 0);
            sheet->Max_Corner = ZcGePoint2d(frame.x + frame.width, frame.height);
            sheet->Width = frame.width;
            sheet->Height = frame.height;
            sheet->Portrait = frame.height > frame.width;
            sheet->Paper_Name = frame.paper;
            sheet->Output_Name = frame.output_name;
            sheet->Plot_Scale = 1.0;
            m_Sheets.All_Sheets.Add(sheet);
            m_Sheets.Plot_List.Add(sheet);
        }
        m_Sheets.Paper_List.Add(new MyPaper(420, 297));
        m_Sheets.Paper_List.Add(new MyPaper(297, 210));
        ASSERT_TRUE(Build_Plot_Device_Files(m_Sheets.Paper_List));
        g_Sheet_Set = &m_Sheets;
        Activate_Layout_Of_Block(db->modelSpaceId());
    }

    static void Draw_Frame(ZcDbObjectId space, const Frame& frame)
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbBlockTableRecord* block = nullptr;
        ASSERT_EQ(zcdbOpenObject(block, space, ZcDb::kForWrite), Zcad::eOk);
        auto* outline = new ZcDbPolyline();
        const double corners[4][2] = {{frame.x, 0},
                                      {frame.x + frame.width, 0},
                                      {frame.x + frame.width, frame.height},
                                      {frame.x, frame.height}};
        for (int i = 0; i < 4; ++i)
            outline->addVertexAt(i, ZcGePoint2d(corners[i][0], corners[i][1]));
        outline->setClosed(true);
        auto* name = new ZcDbText(ZcGePoint3d(frame.x + 20, 20, 0), frame.output_name, ZcDbObjectId::kNull, 8.0, 0.0);
        for (ZcDbEntity* entity : {static_cast<ZcDbEntity*>(outline), static_cast<ZcDbEntity*>(name)}) {
            entity->setDatabaseDefaults(db);
            ZcDbObjectId id;
            ASSERT_EQ(block->appendZcDbEntity(id, entity), Zcad::eOk);
            entity->close();
        }
        block->close();
    }

    static std::string Pdf_Info(const CString& path)
    {
        return pdf_test::Run("pdfinfo " + pdf_test::Quote(Host(path).string()));
    }
    static std::string Pdf_Text(const CString& path)
    {
        return pdf_test::Run("pdftotext " + pdf_test::Quote(Host(path).string()) + " -");
    }
    static bool Folder_Opened(const CString& folder)
    {
        for (const auto& record : platform::ShellLog)
            if (record.file == folder.GetString() && record.verb == L"open")
                return true;
        return false;
    }
    // The cancels come first: after the command they would cancel its selection prompt.
    static std::wstring Reopen_Text() { return Cancel_Prefix().GetString() + std::wstring(L"KV_DivezUrez_2\n"); }

    Plot_Option m_Options;
    Plot_Sheet_Set m_Sheets;
    ZcDbObjectId m_Layout_Block;
    std::vector<Seen_Job> m_Jobs;
    std::wstring m_Fail_Suffix;  // the first job whose file ends so fails (the host is given
                                 // the fresh name "<name>.~new<ext>")
    bool m_Fail_Again = false;   // and every later one too
    int m_Stop_At_Job = 0;       // the stop button is pressed during that job (from 1)
};

TEST_F(Batch_Plot_Driver_Test, EverySheetGoesToItsOwnFileFromItsSpaceAndTheRunEndsWhereItBegan)
{
    Run_Plot_Temp1();

    struct Expected {
        const wchar_t* file;
        const char* page_size;
        const char* text;
    } expected[] = {{L"C:\\Out\\M-01.pdf", "1190.55 x 841.89 pts", "M-01"},
                    {L"C:\\Out\\L-01.pdf", "1190.55 x 841.89 pts", "L-01"},
                    {L"C:\\Out\\M-02.pdf", "595.276 x 841.89 pts", "M-02"},
                    {L"C:\\Out\\M-03.pdf", "1190.55 x 841.89 pts", "M-03"}};
    ASSERT_EQ(m_Jobs.size(), 4u) << platform::To_Utf8(Printed());
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(platform::To_Utf8(expected[i].file));
        EXPECT_EQ(m_Jobs[i].model_space, !Frames[i].in_layout);
        EXPECT_NEAR(m_Jobs[i].window_min_x, Frames[i].x, 0.2);  // narrowed by a tenth of the scale
        EXPECT_EQ(m_Jobs[i].filedia, 0);
        const std::string info = Pdf_Info(expected[i].file);
        EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
        EXPECT_NE(info.find(expected[i].page_size), std::string::npos) << info;
        EXPECT_NE(Pdf_Text(expected[i].file).find(expected[i].text), std::string::npos);
    }
    // Nothing failed: no retry, the window opens again, the folder is shown.
    EXPECT_TRUE(g_Failed_Sheets.isEmpty());
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
    EXPECT_TRUE(Folder_Opened(Out_Folder));
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    EXPECT_FALSE(Is_Paper_Space());
    EXPECT_EQ(Var_Int(L"TILEMODE"), 1);
}

TEST_F(Batch_Plot_Driver_Test, AFailedSheetOfAMergedRunIsPlottedOnceMoreAndTheMergeHoldsEverySheetInOrder)
{
    g_Plot_Config.Merge_Pdf = 1;
    g_Plot_Config.Open_Merged_Pdf = 0;
    // The third sheet (model space) fails in the first pass only.
    m_Fail_Suffix = L"3.~new.pdf";
    Run_Plot_Temp1();

    const CString temp = g_Retry_Folder;
    ASSERT_FALSE(temp.IsEmpty());
    ASSERT_EQ(m_Jobs.size(), 4u) << platform::To_Utf8(Printed());
    for (int i : {1, 2, 4}) {
        CString numbered;
        numbered.Format(L"%s\\%d.pdf", temp.GetString(), i);
        EXPECT_TRUE(Exists(numbered)) << i;
    }
    EXPECT_FALSE(Exists(temp + L"\\3.pdf"));
    ASSERT_EQ(g_Failed_Sheets.length(), 1);
    EXPECT_EQ(g_Failed_Sheets[0], 2);
    EXPECT_FALSE(Exists(Target));  // the merge waits for the retry
    EXPECT_FALSE(Folder_Opened(temp));
    // The retry runs before the window opens again.
    EXPECT_EQ(platform::Pending_Text(), Cancel_Prefix().GetString() + std::wstring(L"Plot_BaseFun1_Standby\n") +
                                            Reopen_Text());
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);

    // The layout sheet was plotted last but one: the retry starts elsewhere.
    Activate_Layout_Of_Block(m_Layout_Block);
    m_Jobs.clear();
    Run_Plot_BaseFun1_Standby();

    ASSERT_EQ(m_Jobs.size(), 1u) << platform::To_Utf8(Printed());
    // The model-space sheet is plotted as a model-space sheet into its own numbered file.
    EXPECT_TRUE(m_Jobs[0].model_space);
    EXPECT_NEAR(m_Jobs[0].window_min_x, Frames[2].x, 0.2);
    EXPECT_EQ(m_Jobs[0].filedia, 0);
    EXPECT_NE(Pdf_Text(temp + L"\\3.pdf").find("M-02"), std::string::npos);
    EXPECT_TRUE(g_Failed_Sheets.isEmpty());
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    EXPECT_FALSE(Is_Paper_Space());  // the space the run began in

    ASSERT_TRUE(Exists(Target)) << platform::To_Utf8(Printed());
    const auto merged = pdf_test::Inspect(Host(Target));
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{1191, 1191, 595, 1191}));
    std::vector<std::string> titles;
    for (const auto& entry : merged.outlines)
        titles.push_back(entry.title);
    EXPECT_EQ(titles, (std::vector<std::string>{"M-01", "L-01", "M-02", "M-03"}));
    const std::string info = pdf_test::Run("qpdf --show-npages " + pdf_test::Quote(Host(Target).string()));
    EXPECT_EQ(info, "4\n");

    // A second retry command has nothing left to do.
    m_Jobs.clear();
    platform::Clear_Typed_Input();
    Run_Plot_BaseFun1_Standby();
    EXPECT_TRUE(m_Jobs.empty());
}

TEST_F(Batch_Plot_Driver_Test, SheetsWhoseFilesCannotBeWrittenAreFailedPlotsRetriedOnceAndReported)
{
    // The output folder is a full disk: no sheet's file can be written, in either pass.
    platform::Machine::instance().set_disk_free(Out_Folder.GetString(), 0);
    Run_Plot_Temp1();
    ASSERT_EQ(m_Jobs.size(), 4u) << platform::To_Utf8(Printed());
    ASSERT_EQ(g_Failed_Sheets.length(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g_Failed_Sheets[i], i);
    EXPECT_EQ(platform::Pending_Text(), Cancel_Prefix().GetString() + std::wstring(L"Plot_BaseFun1_Standby\n") +
                                            Reopen_Text());
    EXPECT_FALSE(Folder_Opened(Out_Folder)) << "the retry decides";
    Answer_Boxes(1);
    Run_Plot_BaseFun1_Standby();
    platform::Machine::instance().set_disk_free(Out_Folder.GetString(), std::nullopt);

    EXPECT_EQ(m_Jobs.size(), 8u);
    EXPECT_TRUE(g_Failed_Sheets.isEmpty());
    // The user is told in one message which sheets failed and why; the empty folder is not shown.
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"全部 4 张图纸均未能输出 !\n\n"
                                               L"M-01 ：磁盘空间不足\nL-01 ：磁盘空间不足\nM-02 ：磁盘空间不足\n"
                                               L"M-03 ：磁盘空间不足\n\n这些图纸原有的输出文件保持不变 !");
    EXPECT_FALSE(Folder_Opened(Out_Folder));
    const std::wstring printed = Printed();
    for (const wchar_t* name : {L"M-01", L"L-01", L"M-02", L"M-03"}) {
        const std::wstring line = std::wstring(L"; error: the plot failed: cannot write C:\\Out\\") + name +
                                  L".~new.pdf: the disk is full";
        const size_t first = printed.find(line);
        ASSERT_NE(first, std::wstring::npos) << platform::To_Utf8(printed);
        EXPECT_NE(printed.find(line, first + 1), std::wstring::npos) << "reported again by the retry";
    }
    EXPECT_TRUE(fs::is_empty(Host(Out_Folder))) << "no file, empty or not, under any name";
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
}

// A re-plot over the files of a run: the sheets that plot replace their files, a sheet that
// fails again keeps its earlier file byte for byte and is named with its reason, and the
// folder, which got files of this run, is shown after the retry.
TEST_F(Batch_Plot_Driver_Test, ASheetThatFailsAgainKeepsItsEarlierFileAndIsNamedTheOthersAreReplaced)
{
    Run_Plot_Temp1();
    const std::string earlier = File_Bytes(L"C:\\Out\\M-02.pdf");
    ASSERT_FALSE(earlier.empty());
    for (const wchar_t* name : {L"M-01", L"L-01", L"M-03"})
        Write_File(CString(L"C:\\Out\\") + name + L".pdf", "old");
    platform::ShellLog.clear();
    platform::Clear_Typed_Input();

    m_Fail_Suffix = L"M-02.~new.pdf";
    m_Fail_Again = true;
    Run_Plot_Temp1();
    ASSERT_EQ(g_Failed_Sheets.length(), 1);
    EXPECT_FALSE(Folder_Opened(Out_Folder));
    Answer_Boxes(1);
    Run_Plot_BaseFun1_Standby();

    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text,
              L"共 4 张图纸，其中以下 1 张未能输出 !\n\nM-02 ：没有写入权限\n\n这些图纸原有的输出文件保持不变 !");
    EXPECT_TRUE(Folder_Opened(Out_Folder));
    EXPECT_EQ(File_Bytes(L"C:\\Out\\M-02.pdf"), earlier);
    for (const wchar_t* name : {L"M-01", L"L-01", L"M-03"})
        EXPECT_NE(Pdf_Text(CString(L"C:\\Out\\") + name + L".pdf").find(platform::To_Utf8(name)), std::string::npos) << platform::To_Utf8(name);
    std::vector<std::string> entries;
    for (const auto& entry : fs::directory_iterator(Host(Out_Folder)))
        entries.push_back(entry.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"L-01.pdf", "M-01.pdf", "M-02.pdf", "M-03.pdf"}));
}

TEST_F(Batch_Plot_Driver_Test, ARetriedPositionTheListNoLongerHoldsIsSkipped)
{
    g_Failed_Sheets.append(1);
    g_Failed_Sheets.append(7);
    g_Retry_Folder = Out_Folder;
    g_Retry_Space_Id = zcdbHostApplicationServices()->workingDatabase()->modelSpaceId();
    Run_Plot_BaseFun1_Standby();

    ASSERT_EQ(m_Jobs.size(), 1u);
    EXPECT_TRUE(Exists(L"C:\\Out\\L-01.pdf"));
    EXPECT_TRUE(g_Failed_Sheets.isEmpty());
    EXPECT_FALSE(Is_Paper_Space());
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
}

TEST_F(Batch_Plot_Driver_Test, AnEmptyListPlotsNothingButStillTriesTheMergeAndOpensTheWindowAgain)
{
    g_Plot_Config.Merge_Pdf = 1;
    m_Sheets.Plot_List.RemoveAll();
    Answer_Boxes(1);
    Run_Plot_Temp1();

    EXPECT_TRUE(m_Jobs.empty());
    EXPECT_EQ(Box_Captions(), std::vector<std::wstring>{L"文件合并报错"});
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
}

TEST_F(Batch_Plot_Driver_Test, TheStopButtonAsksFirstAndYesEndsTheRunAtOnce)
{
    std::string error;
    ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
    auto* window = new Dlg_BPlot1();
    ASSERT_TRUE(window->Create(IDD_DLG_BPLOT1, nullptr));
    window->Plot_Launched = 1;
    g_Dlg_BPlot1 = window;
    // Pressed before the first sheet: No carries on with it. Pressed again during the
    // second sheet: Yes before the third.
    window->Stop_Flag = 1;
    m_Stop_At_Job = 2;
    platform::ScriptInput::instance().push_text("msgbox NO\nmsgbox YES\n");
    Run_Plot_Temp1();

    EXPECT_EQ(m_Jobs.size(), 2u);
    EXPECT_TRUE(Exists(L"C:\\Out\\M-01.pdf"));
    EXPECT_TRUE(Exists(L"C:\\Out\\L-01.pdf"));
    EXPECT_FALSE(Exists(L"C:\\Out\\M-02.pdf"));
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    for (const auto& box : platform::MessageBoxLog) {
        EXPECT_EQ(box.caption, L"Korvel");
        EXPECT_EQ(box.text, L"是否中断打印 ？");
    }
    EXPECT_EQ(window->Stop_Flag, 0);
    EXPECT_EQ(window->Plot_Launched, 0);  // closed by the driver
    // No retry, no folder shown, the window queued to open again.
    EXPECT_EQ(platform::Pending_Text(), Reopen_Text());
    EXPECT_FALSE(Folder_Opened(Out_Folder));
    EXPECT_FALSE(Is_Paper_Space());
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);

    g_Dlg_BPlot1 = nullptr;
    window->DestroyWindow();
    delete window;
    platform::Unregister_Resource_Script(AfxGetResourceHandle());
}

}  // namespace
