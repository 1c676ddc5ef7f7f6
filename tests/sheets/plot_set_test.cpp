// The plot-settings helper against the host's validator and device registry: the plug-in's
// own device files as the host reads them, media by orientation, style lists, the plot
// window and the preview of one sheet.
#include "core/checked_file_writer.h"
#include "core/doc_lock.h"
#include "core/file_operations.h"
#include "core/plot_option.h"
#include "core/string_helpers.h"
#include "db/dblayout.h"
#include "ed/sysvars.h"
#include "plot/dbplotsetval.h"
#include "plot/device_registry.h"
#include "plot/preview_log.h"
#include "services_fixture.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"

namespace {

std::vector<std::string> Texts(const CStringArray& list)
{
    std::vector<std::string> texts;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        texts.push_back(platform::To_Utf8(list[i].GetString()));
    return texts;
}

class Plot_Set_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_Cur_Plot_Option = &Options;
        platform::Preview_Log().clear();
        // No device files of earlier tests.
        CString config_folder, desc_folder;
        bool config_usable = false, desc_usable = false;
        Get_Device_Folders(config_folder, desc_folder, config_usable, desc_usable);
        Delete_Folder_Files(config_folder);
        Delete_Folder_Files(desc_folder);
        // A plot-style folder of the test's own, for the plug-in and the host alike.
        g_Plot_Style_Folder = L"C:\\Korvel Test\\Styles";
        std::filesystem::create_directories(Host(g_Plot_Style_Folder));
        ASSERT_EQ(zcedSetEnv(L"PrinterStyleSheetDir", g_Plot_Style_Folder.GetString()), RTNORM);
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        g_Preview_List_Count = Saved_Count;
        g_Preview_Kind = 0;
        g_Preview_Index = -1;
        Delete_All_Objects(Papers);
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Korvel Test"), ignored);
        Services_Test::TearDown();
    }

    void Write_Devices(int output_type, std::initializer_list<std::pair<int, int>> sizes)
    {
        Options.Output_Type = output_type;
        Delete_All_Objects(Papers);
        for (const auto& size : sizes)
            Papers.Add(new MyPaper(size.first, size.second));
        ASSERT_TRUE(Build_Plot_Device_Files(Papers));
    }
    static void Set_Style_Mode(int mode)
    {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(mode);
        ASSERT_EQ(platform::Set_Var_By_Host(L"PSTYLEMODE", &rb), RTNORM);
    }
    static void Add_Style_Table(const CString& name)
    {
        Write_File(g_Plot_Style_Folder + L"\\" + name, "table");
    }

    Plot_Option Options;
    Paper_Array Papers;
    int (*const Saved_Count)(int) = g_Preview_List_Count;
};

TEST_F(Plot_Set_Test, The_Host_Lists_Exactly_The_Media_Written)
{
    Options.Margin = -5;
    for (int type = 0; type < 6; ++type) {
        SCOPED_TRACE(type);
        Write_Devices(type, {{841, 594}, {420, 297}, {500, 500}});
        std::wstring error;
        const auto device = platform::Find_Plot_Device(Get_Pc5_File_Name(type).GetString(), &error);
        ASSERT_TRUE(device != nullptr) << platform::To_Utf8(error);
        EXPECT_TRUE(device->file_device);
        struct Expected {
            const wchar_t* name;
            double width, height;
        };
        const Expected expected[] = {
            {L"KV_A1", 841, 594}, {L"KV_A1T", 594, 841}, {L"KV_A3", 420, 297}, {L"KV_A3T", 297, 420},
            {L"KV_B2_Plus_500", 500, 500}};
        ASSERT_EQ(device->media.size(), std::size(expected));
        for (size_t i = 0; i < device->media.size(); ++i) {
            const platform::PlotPaper& paper = device->media[i];
            EXPECT_EQ(paper.display_name, expected[i].name);
            EXPECT_EQ(paper.width_mm, expected[i].width);
            EXPECT_EQ(paper.height_mm, expected[i].height);
            // The printable area: 5 mm on every side.
            EXPECT_EQ(paper.margin_left_mm, 5.0);
            EXPECT_EQ(paper.margin_bottom_mm, 5.0);
            EXPECT_EQ(paper.margin_right_mm, 5.0);
            EXPECT_EQ(paper.margin_top_mm, 5.0);
        }
    }

    // The helper sees the same media after selecting the device.
    Doc_Lock lock;
    Plot_Set plot_set;
    ASSERT_TRUE(plot_set.Is_Open());
    EXPECT_TRUE(plot_set.Set_Device(L"K_SVG.pc5"));
    EXPECT_EQ(Texts(plot_set.Media_Display_Names),
              (std::vector<std::string>{"KV_A1", "KV_A1T", "KV_A3", "KV_A3T", "KV_B2_Plus_500"}));
    EXPECT_EQ(platform::To_Utf8(plot_set.Media_Canonical_Name(L"kv_a3t").GetString()),
              "UserDefinedMetric (297.00 x 420.00 毫米)");
    EXPECT_EQ(platform::To_Utf8(plot_set.Media_Canonical_Name(L"KV_A0").GetString()), "A1");
    EXPECT_FALSE(plot_set.Set_Device(L"K_NONE.pc5"));

    // Closed once by the caller, the helper does nothing more.
    plot_set.Close_Layout();
    EXPECT_FALSE(plot_set.Is_Open());
    EXPECT_FALSE(plot_set.Set_Device(L"K_SVG.pc5"));
    plot_set.Close_Layout();
    Plot_Set next;
    EXPECT_TRUE(next.Is_Open());
}

TEST_F(Plot_Set_Test, Media_By_Orientation_With_Fallback)
{
    Write_Devices(0, {{420, 297}, {841, 594}});
    Doc_Lock lock;
    {
        Plot_Set plot_set;
        ASSERT_TRUE(plot_set.Set_Device(L"K_PDF.pc5"));
        EXPECT_EQ(platform::To_Utf8(plot_set.Set_Media(L"KV_A3", true).GetString()), "KV_A3T");
        EXPECT_FALSE(plot_set.Is_Paper_Landscape());
        EXPECT_EQ(platform::To_Utf8(plot_set.Set_Media(L"KV_A1", false).GetString()), "KV_A1");
        EXPECT_TRUE(plot_set.Is_Paper_Landscape());
        plot_set.Load_Media_Names();
        EXPECT_EQ(platform::To_Utf8(plot_set.Media_Name.GetString()), "KV_A1");
    }
    {
        // A second helper finds the layout as the first left it.
        Plot_Set plot_set;
        EXPECT_EQ(platform::To_Utf8(plot_set.Device_Name.GetString()), "K_PDF.pc5");
        EXPECT_EQ(platform::To_Utf8(plot_set.Media_Name.GetString()), "KV_A1");
    }

    // A device that offers only the landscape entry: the portrait request falls back.
    CString config_folder, desc_folder;
    bool config_usable = false, desc_usable = false;
    Get_Device_Folders(config_folder, desc_folder, config_usable, desc_usable);
    Checked_File_Writer pmp;
    pmp.Open(desc_folder + L"\\K_PDF.pmp");
    pmp.Stream() << "[Meta]\nuserdef_num=1\n[user]\n";
    Write_Pmp_Paper(pmp.Stream(), 0, L"KV_A3", 420, 297, false, 0, 0, 0, 0);
    ASSERT_TRUE(pmp.Close(false));
    Plot_Set plot_set;
    ASSERT_TRUE(plot_set.Set_Device(L"K_PDF.pc5"));
    EXPECT_EQ(Texts(plot_set.Media_Display_Names), std::vector<std::string>{"KV_A3"});
    EXPECT_EQ(platform::To_Utf8(plot_set.Set_Media(L"KV_A3", true).GetString()), "KV_A3");
    EXPECT_TRUE(plot_set.Is_Paper_Landscape());
}

TEST_F(Plot_Set_Test, Style_Sheet_Order)
{
    const wchar_t* const names[] = {L"acad.ctb", L"蓝白.ctb", L"monochrome.ctb", L"黑白.ctb",
                                    L"A.stb",    L"彩色.ctb", L"ACAD.CTB"};
    CStringArray candidates, list;
    for (const wchar_t* name : names)
        candidates.Add(name);
    Order_Style_Sheets(candidates, L".ctb", list);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"黑白.ctb", "彩色.ctb", "蓝白.ctb", "acad.ctb", "monochrome.ctb"}));
    EXPECT_TRUE(candidates.IsEmpty());
    for (const wchar_t* name : names)
        candidates.Add(name);
    Order_Style_Sheets(candidates, L".stb", list);
    EXPECT_EQ(Texts(list), std::vector<std::string>{"A.stb"});
}

TEST_F(Plot_Set_Test, Style_Sheets_Of_The_Host)
{
    for (const wchar_t* name : {L"acad.ctb", L"蓝白.ctb", L"黑白.ctb", L"A.stb", L"彩色.ctb"})
        Add_Style_Table(name);
    Doc_Lock lock;
    {
        Set_Style_Mode(1);
        g_Plot_Config.Plot_Lineweights = 0;
        g_Plot_Config.Plot_Transparency = 1;
        Plot_Set plot_set;
        EXPECT_EQ(Texts(plot_set.Style_List), (std::vector<std::string>{"黑白.ctb", "彩色.ctb", "蓝白.ctb", "acad.ctb"}));
        EXPECT_FALSE(plot_set.Layout->printLineweights());
        EXPECT_TRUE(plot_set.Layout->plotTransparency());
        EXPECT_TRUE(plot_set.Layout->plotPlotStyles());
        EXPECT_EQ(platform::To_Utf8(plot_set.Select_Style_Sheet(1).GetString()), "彩色.ctb");
        EXPECT_EQ(platform::To_Utf8(plot_set.Select_Style_Sheet(4).GetString()), "acad.ctb");
        EXPECT_EQ(platform::To_Utf8(plot_set.Get_Style_Sheet(9).GetString()), "黑白.ctb");
    }
    {
        Plot_Set plot_set;
        EXPECT_EQ(platform::To_Utf8(plot_set.Style_Name.GetString()), "彩色.ctb");
    }
    Set_Style_Mode(0);
    Plot_Set plot_set;
    EXPECT_EQ(Texts(plot_set.Style_List), std::vector<std::string>{"A.stb"});
    EXPECT_EQ(platform::To_Utf8(plot_set.Select_Style_Sheet(-1).GetString()), "acad.stb");
    EXPECT_EQ(platform::To_Utf8(plot_set.Style_Name.GetString()), "彩色.ctb");
    plot_set.Style_List.RemoveAll();
    EXPECT_EQ(platform::To_Utf8(plot_set.Get_Style_Sheet(0).GetString()), "acad.ctb");
}

TEST_F(Plot_Set_Test, Printer_Filter)
{
    struct Case { const wchar_t* name; bool printer; };
    const Case cases[] = {
        {L"无", false}, {L"None", false}, {L"DWF6 ePlot.pc3", false}, {L"Fax", false},
        {L"Microsoft Print to PDF", false}, {L"PDF Factory Pro", true}, {L"HP LaserJet", true},
        {L"K_PNG.pc5", false}, {L"Microsoft XPS Document Writer", false}, {L"PDF 工厂", true},
        {L"Fax Server", true}, {L"K_EPS.pc5", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Is_Printer_Device(c.name), c.printer) << platform::To_Utf8(c.name);
}

TEST_F(Plot_Set_Test, Window_Reaches_Past_The_Frame_Only_With_Margins)
{
    Write_Devices(0, {{420, 297}});
    struct Case {
        int margin, unequal, outer;
        double scale;
        double xmin, ymin, xmax, ymax;
    };
    const Case cases[] = {
        {0, 0, 0, 1.0, 0.1, 0.1, 419.9, 296.9},
        {5, 0, 0, 1.0, -0.1, -0.1, 420.1, 297.1},
        {0, 1, 0, 100.0, -10, -10, 430, 307},
        {0, 0, 1, 1.0, -0.1, -0.1, 420.1, 297.1},
        {0, 0, 0, 0.0, 0, 0, 420, 297},
    };
    Doc_Lock lock;
    Plot_Set plot_set;
    ASSERT_TRUE(plot_set.Set_Device(L"K_PDF.pc5"));
    for (const Case& c : cases) {
        Options.Margin = c.margin;
        Options.Unequal_Margin = c.unequal;
        g_Plot_Config.Plot_Outer_Line = c.outer;
        plot_set.Set_Window(ZcGePoint2d(0, 0), ZcGePoint2d(420, 297), c.scale, false);
        double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
        plot_set.Layout->getPlotWindowArea(xmin, ymin, xmax, ymax);
        EXPECT_NEAR(xmin, c.xmin, 1e-9);
        EXPECT_NEAR(ymin, c.ymin, 1e-9);
        EXPECT_NEAR(xmax, c.xmax, 1e-9);
        EXPECT_NEAR(ymax, c.ymax, 1e-9);
    }
    EXPECT_EQ(plot_set.Layout->plotType(), ZcDbPlotSettings::kWindow);
    EXPECT_TRUE(plot_set.Layout->plotCentered());
    EXPECT_TRUE(plot_set.Layout->useStandardScale());
    EXPECT_EQ(plot_set.Layout->stdScaleType(), ZcDbPlotSettings::kScaleToFit);
    plot_set.Validator->setPlotRotation(plot_set.Layout, ZcDbPlotSettings::k90degrees);
    plot_set.Reset_Rotation();
    EXPECT_EQ(plot_set.Layout->plotRotation(), ZcDbPlotSettings::k0degrees);

    // Without plot options in force the window is the frame.
    g_Cur_Plot_Option = nullptr;
    plot_set.Set_Window(ZcGePoint2d(0, 0), ZcGePoint2d(420, 297), 100.0, false);
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    plot_set.Layout->getPlotWindowArea(xmin, ymin, xmax, ymax);
    EXPECT_EQ(xmin, 0.0);
    EXPECT_EQ(xmax, 420.0);
}

int Three_Rows(int kind) { return kind == 1 ? 3 : kind == 3 ? 1 : 0; }

TEST_F(Plot_Set_Test, Preview_Offers_The_Neighbouring_Sheets)
{
    Write_Devices(0, {{420, 297}});
    g_Preview_List_Count = Three_Rows;
    struct Case {
        int kind, index;
        const char* answer;
        const wchar_t* create;  // the preview's flags; null: no preview
        int kind_after, index_after;
    };
    const Case cases[] = {
        {1, 0, "answer next\n", L"create 2", 1, 1},
        {1, 2, "answer previous\n", L"create 4", 1, 1},
        {1, 1, "answer close\n", L"create 6", 1, 1},
        {3, 0, "answer close\n", L"create 0", 3, 0},
        {1, 3, "", nullptr, 0, -1},
        {2, 0, "", nullptr, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind * 10 + c.index);
        platform::Preview_Log().clear();
        g_Preview_Kind = 9;
        g_Preview_Index = 9;
        Doc_Lock lock;
        Plot_Set plot_set;
        ASSERT_TRUE(plot_set.Set_Device(L"K_PDF.pc5"));
        plot_set.Set_Media(L"KV_A3", false);
        plot_set.Set_Window(ZcGePoint2d(0, 0), ZcGePoint2d(420, 297), 1.0, true);
        platform::ScriptInput::instance().push_text(c.answer);
        plot_set.Preview(c.kind, c.index);
        EXPECT_EQ(g_Preview_Kind, c.kind_after);
        EXPECT_EQ(g_Preview_Index, c.index_after);
        if (c.create == nullptr) {
            EXPECT_TRUE(platform::Preview_Log().empty());
            EXPECT_TRUE(plot_set.Is_Open());
        } else {
            ASSERT_FALSE(platform::Preview_Log().empty());
            EXPECT_EQ(platform::Preview_Log().front(), c.create);
            EXPECT_EQ(platform::Preview_Log().back(), L"destroy");
            // The helper holds nothing afterwards; another helper opens the layout again.
            EXPECT_FALSE(plot_set.Is_Open());
            Plot_Set next;
            EXPECT_TRUE(next.Is_Open());
        }
    }
}

}  // namespace
