// The single-sheet plot: the window's paper at the default scale and the scale that fits the
// window onto it, the limits on the paper's size, the output name, and the retry of a
// failed plot.
#include <filesystem>
#include <cwchar>
#include <fstream>

#include "core/file_operations.h"
#include "core/fresh_output.h"
#include "core/ini_lists.h"
#include "core/string_helpers.h"
#include "core/temp_folder.h"
#include "ed/input.h"
#include "pdf_test_fixture.h"
#include "plot/batch_run.h"
#include "dialogs/single_plot.h"
#include "plot/batch_plot_driver.h"
#include "plot/plot_job_sink.h"
#include "sheets/sheet_records.h"

namespace fs = std::filesystem;

namespace {

const CString Single_Out_Folder = L"C:\\Out";

class Single_Plot_Test : public Pdf_Part_Test {
protected:
    void SetUp() override
    {
        Pdf_Part_Test::SetUp();
        m_Options.Output_Type = 0;
        m_Options.Scale = 1.0;
        g_Cur_Plot_Option = &m_Options;
        fs::create_directories(Host(Single_Out_Folder));
        platform::Set_Plot_Job_Sink([this](const platform::PlotJob& job) {
            m_Jobs.push_back(job);
            m_Sheet_Sets.push_back(g_Sheet_Set);
            if (m_Failing)
                return platform::PlotResult{false, L"paper jam", {}};
            return platform::Render_Plot(job);
        });
        platform::Clear_Typed_Input();
        // The scale question comes up from the first change of the default scale on.
        Ini_Lists lists;
        lists.Load();
        lists.Ask_Scale = 1;
        lists.Save();
    }
    void TearDown() override
    {
        platform::Set_Plot_Job_Sink(nullptr);
        g_Cur_Plot_Option = nullptr;
        g_Sheet_Set = nullptr;
        platform::Clear_Typed_Input();
        fs::remove_all(Host(Single_Out_Folder));
        Pdf_Part_Test::TearDown();
    }
    static void Script(const std::string& steps) { platform::ScriptInput::instance().push_text(steps); }
    static std::wstring Opened()
    {
        std::wstring opened;
        for (const auto& call : platform::ShellLog)
            opened += call.file + L"\n";
        return opened;
    }

    Plot_Option m_Options;
    std::vector<platform::PlotJob> m_Jobs;
    std::vector<Plot_Sheet_Set*> m_Sheet_Sets;
    bool m_Failing = false;
};

TEST_F(Single_Plot_Test, TheWindowGoesOnThePaperItNeedsWithinTheSizeLimits)
{
    struct Case {
        const char* what;
        ZcGePoint2d first, second;
        int output_type;
        const char* answers;    // message boxes, in order
        bool plotted;
        double long_side, short_side;  // of the job's paper
        const wchar_t* message;        // the last message box's text begins so; null: none
    };
    const Case cases[] = {
        {"A3 landscape", {0, 0}, {420, 297}, 0, "", true, 420, 297, nullptr},
        {"portrait, corners in any order", {210, 297}, {0, 0}, 0, "", true, 297, 210, nullptr},
        {"5080 mm is plotted", {0, 0}, {5080, 4000}, 0, "msgbox NO\n", true, 5080, 4000, nullptr},
        {"5081 mm is refused", {0, 0}, {5081, 4000}, 0, "msgbox NO\nmsgbox OK\n", false, 0, 0,
         L"输出纸张尺寸 5081 x 4000 mm 过大"},
        {"5081 mm on DWF", {0, 0}, {5081, 4000}, 1, "msgbox NO\n", true, 5081, 4000, nullptr},
        {"50 mm asks nothing", {0, 0}, {350, 50}, 0, "", true, 350, 50, nullptr},
        {"49 mm asks: No", {0, 0}, {350, 49}, 0, "msgbox NO\n", false, 0, 0, L"输出纸张尺寸 350 x 49 mm 过小"},
        {"49 mm asks: Yes", {0, 0}, {350, 49}, 0, "msgbox YES\n", true, 350, 49, L"输出纸张尺寸 350 x 49 mm 过小"},
        {"equal corners", {10, 10}, {10, 10}, 0, "msgbox NO\n", false, 0, 0, L"输出纸张尺寸 1 x 1 mm 过小"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_Jobs.clear();
        platform::MessageBoxLog.clear();
        platform::ShellLog.clear();
        m_Options.Output_Type = c.output_type;
        m_Options.Scale = 1.0;
        Script(c.answers);
        Plot_Single_Window(c.first, c.second);
        EXPECT_TRUE(platform::ScriptInput::instance().empty()) << "every message box asked";
        EXPECT_EQ(platform::Pending_Text(), L"") << "no retry";
        std::wstring size_message;
        for (const auto& box : platform::MessageBoxLog)
            if (box.text.rfind(L"输出纸张尺寸", 0) == 0)
                size_message = box.text;
        EXPECT_EQ(size_message.substr(0, c.message ? std::wcslen(c.message) : 0), c.message ? c.message : L"");
        if (!c.plotted) {
            EXPECT_TRUE(m_Jobs.empty());
            EXPECT_EQ(Opened(), L"");
            continue;
        }
        ASSERT_EQ(m_Jobs.size(), 1u);
        const platform::PlotJob& job = m_Jobs[0];
        EXPECT_NEAR(std::max(job.paper.width_mm, job.paper.height_mm), c.long_side, 0.01);
        EXPECT_NEAR(std::min(job.paper.width_mm, job.paper.height_mm), c.short_side, 0.01);
        // The host's window is narrowed by a tenth of the scale.
        EXPECT_NEAR(job.window_min.x, std::min(c.first.x, c.second.x), 0.11);
        EXPECT_NEAR(job.window_max.y, std::max(c.first.y, c.second.y), 0.11);
        EXPECT_NE(Opened(), L"") << "the file is opened";
    }
}

TEST_F(Single_Plot_Test, TheSheetSetDuringThePlotIsItsOwnAndTheOneBeforeComesBack)
{
    Plot_Sheet_Set window_set;
    g_Sheet_Set = &window_set;
    Plot_Single_Window(ZcGePoint2d(0, 0), ZcGePoint2d(420, 297));
    ASSERT_EQ(m_Sheet_Sets.size(), 1u);
    ASSERT_NE(m_Sheet_Sets[0], &window_set);
    EXPECT_EQ(g_Sheet_Set, &window_set);
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
}

TEST_F(Single_Plot_Test, AFailedPlotIsRetriedOnceAndTheSinglePlotStartsAgain)
{
    m_Failing = true;
    m_Options.Print_Sign = 1;
    Plot_Single_Window(ZcGePoint2d(0, 0), ZcGePoint2d(210, 297));
    ASSERT_EQ(m_Jobs.size(), 1u);
    EXPECT_EQ(Opened(), L"");
    EXPECT_EQ(platform::Pending_Text(), Cancel_Prefix().GetString() + std::wstring(L"SinglePlot_Plot_Standby\n"));
    EXPECT_EQ(g_Single_Retry_Signatures, 1);
    EXPECT_TRUE(g_Single_Retry_Portrait);
    EXPECT_TRUE(g_Single_Retry_Path.Right(4) == L".pdf");

    // A retry that fails too hands no missing file to the shell; one that works opens it.
    for (bool failing : {true, false}) {
        SCOPED_TRACE(failing ? "failing retry" : "retry");
        m_Failing = failing;
        platform::Clear_Typed_Input();
        const size_t jobs = m_Jobs.size();
        platform::MessageBoxLog.clear();
        if (failing)
            Answer_Boxes(1);
        Run_SinglePlot_Plot_Standby();
        ASSERT_EQ(m_Jobs.size(), jobs + 1);
        EXPECT_EQ(m_Jobs.back().output_path, std::wstring(Fresh_Output_Path(g_Single_Retry_Path).GetString()));
        // A retry that fails too is told, naming the file.
        ASSERT_EQ(platform::MessageBoxLog.size(), failing ? 1u : 0u);
        if (failing) {
            EXPECT_EQ(platform::MessageBoxLog[0].text, L"全部 1 张图纸均未能输出 !\n\n" +
                                                           std::wstring(File_Name_Of(g_Single_Retry_Path).GetString()) +
                                                           L" ：文件未能完整写出\n\n这些图纸原有的输出文件保持不变 !");
        }
        EXPECT_EQ(Opened(), failing ? L"" : std::wstring(g_Single_Retry_Path.GetString()) + L"\n");
        EXPECT_EQ(platform::Pending_Text(), Cancel_Prefix().GetString() + std::wstring(L"KV_DivezUrez_1\n"))
            << "the cancel goes first, so that it cannot end the restarted pick";
        EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    }
}

TEST_F(Single_Plot_Test, TheOutputNameIsAskedForOrATimeStampedFileInTheEmptiedTemporaryFolder)
{
    struct Case {
        int output_type;
        int ask;
        const wchar_t* chosen;    // the save dialog's answer; null: not asked
        const wchar_t* expected;  // the path, or the name in the temporary folder
    };
    const Case cases[] = {
        {0, 0, nullptr, L"BP261208231430.pdf"}, {3, 0, nullptr, L"BP261208231430.png"},
        {6, 0, nullptr, L"BP261208231430.dxf"}, {4, 0, L"C:\\Out\\a.plt", L"C:\\Out\\a.plt"},
        {5, 0, L"C:\\Out\\b.svg", L"C:\\Out\\b.svg"}, {0, 1, L"C:\\Out\\c.pdf", L"C:\\Out\\c.pdf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        m_Options.Output_Type = c.output_type;
        g_Plot_Config.Ask_File_Name = c.ask;
        const CString leftover = c.chosen != nullptr ? CString(c.chosen) : Get_Temp_Folder() + L"\\old.pdf";
        { std::ofstream(Host(leftover)) << "old"; }
        if (c.chosen != nullptr)
            Script("file \"" + platform::To_Utf8(c.chosen) + "\"\nmsgbox YES\n");  // overwrite it
        CString path;
        ASSERT_TRUE(Get_Single_Output_Name(path));
        const CString expected = c.chosen != nullptr ? CString(c.expected) : Get_Temp_Folder() + L"\\" + c.expected;
        EXPECT_EQ(std::wstring(path.GetString()), std::wstring(expected.GetString()));
        // The temporary folder is emptied; a chosen file stays until the plot replaces it.
        if (c.chosen != nullptr)
            EXPECT_EQ(File_Bytes(leftover), "old");
        else
            EXPECT_FALSE(fs::exists(Host(leftover)));
    }
    Script("esc\n");
    m_Options.Output_Type = 5;
    CString path;
    EXPECT_FALSE(Get_Single_Output_Name(path)) << "the save dialog cancelled";
}

}  // namespace
