// The title-block batch run over two sheets in model space: each sheet to its own file
// named by its file name (line breaks as the library's separator), the chosen stamp placed
// on each sheet before it is plotted and all of them removed at the end; a PLT run places
// none and leaves IMAGEFRAME alone; the window is queued to open again. A sheet in a layout
// gets its stamp in that layout.
#include <memory>
#include <vector>

#include "core/follow_up.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "db/dbents.h"
#include "db/dbimage.h"
#include "ed/input.h"
#include "mfc/atlimage.h"
#include "pdf_test_fixture.h"
#include "plot/batch_plot_driver.h"
#include "plot/plot_job_sink.h"
#include "plot/tk_batch_driver.h"
#include "sheet_builders.h"
#include "sheets/plotter_files.h"
#include "signstamp/stamp_library.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheets.h"
#include "win/machine.h"
#include "win/win_error.h"

namespace fs = std::filesystem;

namespace {

const CString TK_Out_Folder = L"C:\\TK Out";

class TK_Batch_Driver_Test : public Pdf_Part_Test {
protected:
    void SetUp() override
    {
        Pdf_Part_Test::SetUp();
        m_Options.Output_Type = 0;
        m_Options.Folder_Mode = 2;
        m_Options.Folder = TK_Out_Folder;
        m_Options.Stamps_On = 1;
        m_Options.Use_Reg_Stamp = 1;
        m_Options.Reg_Stamp_Name = L"Red";
        g_Cur_Plot_Option = &m_Options;
        g_TK_Library.Line_Separator = L"+";
        fs::create_directories(Host(TK_Out_Folder));
        Add_Stamp();
        for (int k = 0; k < 2; ++k) Add_Sheet(1000.0 * k, k == 0 ? L"S-01_PLAN[++}LEVEL 1" : L"S-02");
        m_List.Papers.Add(new MyPaper(420, 297));
        ASSERT_TRUE(Build_Plot_Device_Files(m_List.Papers));
        g_TK_Sheet_List = &m_List;
        platform::Set_Plot_Job_Sink([this](const platform::PlotJob& job) {
            m_Jobs.push_back({job.output_path, Images(), Images(Paper_Space())});
            return platform::Render_Plot(job);
        });
        Set_Var(L"FILEDIA", 1);
        platform::Clear_Typed_Input();
    }
    void TearDown() override
    {
        platform::Set_Plot_Job_Sink(nullptr);
        g_TK_Sheet_List = nullptr;
        m_List.Clear();
        g_Cur_Plot_Option = nullptr;
        g_Failed_Sheets.removeAll();
        g_Stamp_Library.Clear();
        platform::Clear_Typed_Input();
        fs::remove_all(Host(TK_Out_Folder));
        Pdf_Part_Test::TearDown();
    }

    // A red stamp picture "Red" of 62 x 28 mm.
    void Add_Stamp()
    {
        g_Stamp_Library.Clear();
        CImage picture;
        picture.Create(124, 56, 24);
        for (int y = 0; y < 56; ++y)
            for (int x = 0; x < 124; ++x) picture.SetPixel(x, y, RGB(220, 0, 0));
        const CString png = g_Config_Folder + L"\\red.png";
        ASSERT_TRUE(SUCCEEDED(picture.Save(png)));
        auto stamp = std::make_unique<KV_Stamp>();
        ASSERT_TRUE(stamp->Load_Picture(png));
        stamp->Name = L"Red";
        g_Stamp_Library.Stamps.push_back(std::move(stamp));
    }
    // An A3 sheet at x in model space with its registration-stamp point.
    void Add_Sheet(double x, const wchar_t* file_name)
    {
        auto* sheet = New_Sheet<Plot_Drawing2>(x, 0, x + 420, 297);
        sheet->Space_Id = zcdbHostApplicationServices()->workingDatabase()->modelSpaceId();
        sheet->Plot_Scale = 1.0;
        sheet->Paper_Name = L"KV_A3";
        sheet->File_Name = file_name;
        sheet->Stamp_Pos[0].set(x + 60, 40);
        m_List.Sheets.Add(sheet);
    }
    static ZcDbObjectId Paper_Space() { return zcdbHostApplicationServices()->workingDatabase()->paperSpaceId(); }
    // The raster images in the space (model space when null).
    static int Images(ZcDbObjectId space = ZcDbObjectId())
    {
        int count = 0;
        ZcDbObjectIdArray ids;
        Collect_Space_Entity_Ids(
            ids, space.isNull() ? zcdbHostApplicationServices()->workingDatabase()->modelSpaceId() : space, false);
        for (int i = 0; i < ids.length(); ++i)
            count += !ids[i].isErased() && ids[i].objectClass() == ZcDbRasterImage::desc() ? 1 : 0;
        return count;
    }

    struct Seen_Job {
        std::wstring path;
        int images, layout_images;
    };
    Plot_Option m_Options;
    TK_Sheet_List m_List;
    std::vector<Seen_Job> m_Jobs;
};

TEST_F(TK_Batch_Driver_Test, Each_Sheet_Gets_Its_Stamp_And_Its_Name_And_The_Stamps_Go_At_The_End)
{
    Run_Plot_Temp2();

    ASSERT_EQ(m_Jobs.size(), 2u) << platform::To_Utf8(Printed());
    // Each written beside its file, which it then replaces.
    EXPECT_EQ(m_Jobs[0].path, L"C:\\TK Out\\S-01_PLAN+LEVEL 1.~new.pdf");
    EXPECT_EQ(m_Jobs[1].path, L"C:\\TK Out\\S-02.~new.pdf");
    // The stamps of earlier sheets stay until the run ends.
    EXPECT_EQ(m_Jobs[0].images, 1);
    EXPECT_EQ(m_Jobs[1].images, 2);
    EXPECT_EQ(Images(), 0);
    EXPECT_TRUE(Exists(L"C:\\TK Out\\S-01_PLAN+LEVEL 1.pdf"));
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    // The window opens again after the cancels.
    EXPECT_EQ(platform::Pending_Text(), Cancel_Prefix().GetString() + std::wstring(L"KV_DivezUrez_4\n"));
}

TEST_F(TK_Batch_Driver_Test, A_Sheet_In_A_Layout_Gets_Its_Stamp_In_That_Layout)
{
    m_List.Sheets[1]->Space_Id = Paper_Space();
    Run_Plot_Temp2();

    ASSERT_EQ(m_Jobs.size(), 2u) << platform::To_Utf8(Printed());
    EXPECT_EQ(m_Jobs[0].images, 1);
    EXPECT_EQ(m_Jobs[0].layout_images, 0);
    EXPECT_EQ(m_Jobs[1].images, 1);
    EXPECT_EQ(m_Jobs[1].layout_images, 1);
    EXPECT_EQ(Images(Paper_Space()), 0);
}

TEST_F(TK_Batch_Driver_Test, Plt_And_Stamps_Off_Place_No_Stamp_And_Leave_Imageframe)
{
    struct Case {
        int output_type;
        int stamps_on;
    };
    for (const Case c : {Case{4, 1}, Case{0, 0}}) {
        SCOPED_TRACE(c.output_type);
        m_Options.Output_Type = c.output_type;
        m_Options.Stamps_On = c.stamps_on;
        m_Options.Image_Frame_Off = 0;
        ASSERT_TRUE(Build_Plot_Device_Files(m_List.Papers));  // the devices of the output type
        Set_Var(L"IMAGEFRAME", 1);
        m_Jobs.clear();
        platform::Clear_Typed_Input();
        Run_Plot_Temp2();
        ASSERT_EQ(m_Jobs.size(), 2u) << platform::To_Utf8(Printed());
        for (const Seen_Job& job : m_Jobs) EXPECT_EQ(job.images, 0);
        EXPECT_EQ(Var_Int(L"IMAGEFRAME"), 1);
        EXPECT_EQ(m_Options.Image_Frame_Off, 0);
    }
}

TEST_F(TK_Batch_Driver_Test, A_Failed_Sheet_Is_Retried_With_Its_Stamp)
{
    bool failed_once = false;
    platform::Set_Plot_Job_Sink([&](const platform::PlotJob& job) {
        m_Jobs.push_back({job.output_path, Images(), Images(Paper_Space())});
        if (!failed_once && job.output_path.ends_with(L"S-02.~new.pdf")) {
            failed_once = true;
            return platform::PlotResult{false, L"paper jam", {}};
        }
        return platform::Render_Plot(job);
    });
    Run_Plot_Temp2();
    ASSERT_EQ(g_Failed_Sheets.length(), 1);
    EXPECT_EQ(Images(), 0) << "the first pass took its stamps with it";
    m_Jobs.clear();
    Run_Plot_BaseFun2_Standby();
    ASSERT_EQ(m_Jobs.size(), 1u);
    EXPECT_EQ(m_Jobs[0].path, L"C:\\TK Out\\S-02.~new.pdf");
    EXPECT_EQ(m_Jobs[0].images, 1);
    EXPECT_EQ(Images(), 0);
    EXPECT_TRUE(g_Failed_Sheets.isEmpty());
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
}

// A sheet that fails in the run and again in its retry is named in one message with why,
// by its file name as the list shows it; the stamps go all the same.
TEST_F(TK_Batch_Driver_Test, A_Sheet_That_Fails_Again_Is_Named_With_Its_Reason)
{
    platform::Set_Plot_Job_Sink([&](const platform::PlotJob& job) {
        m_Jobs.push_back({job.output_path, Images(), Images(Paper_Space())});
        if (job.output_path.ends_with(L"PLAN+LEVEL 1.~new.pdf")) {
            SetLastError(ERROR_DISK_FULL);
            return platform::PlotResult{false, L"the disk is full", {}};
        }
        return platform::Render_Plot(job);
    });
    Run_Plot_Temp2();
    ASSERT_EQ(g_Failed_Sheets.length(), 1);
    Answer_Boxes(1);
    Run_Plot_BaseFun2_Standby();

    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"共 2 张图纸，其中以下 1 张未能输出 !\n\nS-01_PLAN+LEVEL 1 ：磁盘空间不足\n\n"
                                               L"这些图纸原有的输出文件保持不变 !");
    EXPECT_FALSE(Exists(L"C:\\TK Out\\S-01_PLAN+LEVEL 1.pdf"));
    EXPECT_TRUE(Exists(L"C:\\TK Out\\S-02.pdf"));
    EXPECT_EQ(Images(), 0);
    EXPECT_TRUE(g_Failed_Sheets.isEmpty());
}
}  // namespace
