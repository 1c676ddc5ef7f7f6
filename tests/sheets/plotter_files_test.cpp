// The plotter configuration and paper description files of each output type: their exact
// bytes against golden files, the lines that vary with the options and settings, and what
// happens when a file cannot be written.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/plot_option.h"
#include "db/color.h"
#include "services_fixture.h"
#include "sheets/plotter_files.h"

namespace {

class Plotter_Files_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_Host_Folder = L"C:\\PROGRAM FILES\\ZWSOFT\\ZWCAD 2025";
        g_Printer_Config_Folder = L"C:\\Korvel Test\\Plotters";
        g_Printer_Desc_Folder = L"C:\\Korvel Test\\Plotters\\PMP Files";
        g_Cur_Plot_Option = &Options;
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        Delete_All_Objects(Papers);
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Korvel Test"), ignored);
        Services_Test::TearDown();
    }

    void Use_Papers(std::initializer_list<std::pair<int, int>> sizes)
    {
        for (const auto& size : sizes)
            Papers.Add(new MyPaper(size.first, size.second));
    }
    CString Pc5_Path() const { return g_Printer_Config_Folder + L"\\" + Get_Pc5_File_Name(Options.Output_Type); }
    CString Pmp_Path() const { return g_Printer_Desc_Folder + L"\\" + Get_Pmp_File_Name(Options.Output_Type); }
    // The file's lines without their CR LF.
    static std::vector<std::string> Lines(const CString& path)
    {
        std::vector<std::string> lines;
        std::istringstream in(File_Bytes(path));
        for (std::string line; std::getline(in, line);) {
            EXPECT_TRUE(!line.empty() && line.back() == '\r') << "line without CR LF: " << line;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    static bool Has_Line(const std::vector<std::string>& lines, const std::string& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    Plot_Option Options;
    Paper_Array Papers;
};

std::filesystem::path Golden_Path(const CString& file_name)
{
    return std::filesystem::path(KORVEL_SOURCE_DIR) / "tests/sheets/golden" / platform::To_Utf8(file_name.GetString());
}

// Compares the file with its golden copy; KORVEL_UPDATE_GOLDEN=1 writes the golden copy instead.
void Expect_Golden(const std::string& bytes, const CString& file_name)
{
    const std::filesystem::path golden = Golden_Path(file_name);
    if (std::getenv("KORVEL_UPDATE_GOLDEN") != nullptr) {
        std::ofstream(golden, std::ios::binary) << bytes;
        return;
    }
    std::ifstream in(golden, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing golden file " << golden;
    std::ostringstream expected;
    expected << in.rdbuf();
    if (bytes == expected.str())
        return;
    std::istringstream got_lines(bytes), expected_lines(expected.str());
    std::string got_line, expected_line;
    for (int number = 1;; ++number) {
        const bool more_got = static_cast<bool>(std::getline(got_lines, got_line));
        const bool more_expected = static_cast<bool>(std::getline(expected_lines, expected_line));
        if (!more_got && !more_expected)
            break;
        ASSERT_EQ(got_line, expected_line) << golden << " line " << number;
    }
    FAIL() << golden << " differs";
}

// One option set per output type, so that together they cover every varying line.
struct Golden_Case {
    int output_type;
    std::function<void(Plot_Option&)> set_options;
    std::vector<std::pair<int, int>> papers;
};

TEST_F(Plotter_Files_Test, Files_Of_Every_Output_Type_Match_Their_Golden_Copies)
{
    const Golden_Case cases[] = {
        {0, [](Plot_Option&) { g_Plot_Config.Layer_Info = 0; }, {{841, 594}, {420, 297}}},
        {1,
         [](Plot_Option& o) {
             o.Margin = 5;
             g_Plot_Config.Vector_Res = 60;
             g_Plot_Config.Raster_Res = 20;
         },
         {{297, 210}, {500, 500}}},
        {2,
         [](Plot_Option& o) {
             o.Margin = -5;
             o.Back_Red = o.Back_Green = o.Back_Blue = 255;
             g_Plot_Config.Raster_Dpi = 150;
         },
         {{297, 210}}},
        {3,
         [](Plot_Option& o) {
             const uint32_t rgb = ZcCmEntityColor::lookUpRGB(250);
             o.Back_Red = (rgb >> 16) & 0xFF;
             o.Back_Green = (rgb >> 8) & 0xFF;
             o.Back_Blue = rgb & 0xFF;
             o.Unequal_Margin = 1;
             o.Unequal_Mode = 1;
             o.Port_Top = 10;
             o.Port_Bottom = 300;
             g_Plot_Config.Text_As_Geometry = 1;
         },
         {{297, 210}, {1000, 700}}},
        {4, [](Plot_Option& o) { o.Unequal_Margin = 1; }, {{1261, 594}}},
        {5, [](Plot_Option&) {}, {{817, 420}, {1500, 210}}},
    };
    for (const Golden_Case& c : cases) {
        SCOPED_TRACE(c.output_type);
        g_Plot_Config = Plot_Config();
        Options = Plot_Option();
        Options.Output_Type = c.output_type;
        c.set_options(Options);
        Delete_All_Objects(Papers);
        for (const auto& size : c.papers)
            Papers.Add(new MyPaper(size.first, size.second));

        EXPECT_TRUE(Build_Plot_Device_Files(Papers));
        Expect_Golden(File_Bytes(Pc5_Path()), Get_Pc5_File_Name(c.output_type));
        Expect_Golden(File_Bytes(Pmp_Path()), Get_Pmp_File_Name(c.output_type));
    }
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Plotter_Files_Test, File_Names_By_Output_Type)
{
    const char* const stems[] = {"K_PDF", "K_DWF", "K_JPG", "K_PNG", "K_PLT", "K_SVG"};
    for (int type = 0; type < 6; ++type) {
        EXPECT_EQ(platform::To_Utf8(Get_Pc5_File_Name(type).GetString()), std::string(stems[type]) + ".pc5");
        EXPECT_EQ(platform::To_Utf8(Get_Pmp_File_Name(type).GetString()), std::string(stems[type]) + ".pmp");
    }
    for (int type : {-1, 6, 7}) {
        EXPECT_TRUE(Get_Pc5_File_Name(type).IsEmpty());
        EXPECT_TRUE(Get_Pmp_File_Name(type).IsEmpty());
    }
}

TEST_F(Plotter_Files_Test, Each_Paper_In_Both_Orientations)
{
    Use_Papers({{841, 594}, {420, 297}, {500, 500}});
    ASSERT_TRUE(Build_Plot_Device_Files(Papers));
    const auto lines = Lines(Pmp_Path());
    EXPECT_TRUE(Has_Line(lines, "userdef_num=5"));
    EXPECT_TRUE(Has_Line(lines, "paper_local_name0=KV_A1"));
    EXPECT_TRUE(Has_Line(lines, "size_x0=841.000000"));
    EXPECT_TRUE(Has_Line(lines, "paper_local_name1=KV_A1T"));
    EXPECT_TRUE(Has_Line(lines, "size_x1=594.000000"));
    EXPECT_TRUE(Has_Line(lines, "size_y1=841.000000"));
    EXPECT_TRUE(Has_Line(lines, "paper_local_name2=KV_A3"));
    EXPECT_TRUE(Has_Line(lines, "paper_local_name3=KV_A3T"));
    EXPECT_TRUE(Has_Line(lines, "paper_local_name4=KV_B2_Plus_500"));
    EXPECT_FALSE(Has_Line(lines, "paper_local_name5=KV_B2_Plus_500T"));
    EXPECT_TRUE(Has_Line(lines, "llx0=0.000000"));
    EXPECT_TRUE(Has_Line(lines, "urx0=841.000000"));
    EXPECT_TRUE(Has_Line(lines, "area0=499554.000000"));
    EXPECT_TRUE(Has_Line(lines, "Unit4=1"));
    // 毫米 in GBK bytes.
    EXPECT_TRUE(Has_Line(lines, "paper_name0=UserDefinedMetric (841.00 x 594.00 \xba\xc1\xc3\xd7)"));
    // The configuration file names the description file.
    const auto config = Lines(Pc5_Path());
    EXPECT_TRUE(Has_Line(config, "pmp_filepath=C:\\Korvel Test\\Plotters\\PMP Files\\K_PDF.pmp"));
    EXPECT_TRUE(
        Has_Line(config, "DevicePath=C:\\PROGRAM FILES\\ZWSOFT\\ZWCAD 2025\\Support\\zh-CN\\drivercfg\\PDF.ini"));
}

TEST_F(Plotter_Files_Test, Printable_Areas)
{
    struct Case {
        double width, height;
        bool enlarge;
        double top, bottom, left, right;
        Printable_Area expected;
    };
    const Case cases[] = {
        // Margin 5 enlarges A4.
        {297, 210, true, 5, 5, 5, 5, {307, 220, 5, 5, 302, 215, 297, 210, 297 * 210}},
        // Margin -5 keeps the paper.
        {297, 210, false, 5, 5, 5, 5, {297, 210, 5, 5, 292, 205, 287, 200, 287 * 200}},
        // Keep the paper, A4 portrait with top 10 and bottom 200: room is left.
        {210, 297, false, 10, 200, 2, 2, {210, 297, 2, 200, 208, 287, 206, 87, 206 * 87}},
        // Bottom 300 leaves nothing: all four margins go.
        {210, 297, false, 10, 300, 2, 2, {210, 297, 0, 0, 210, 297, 210, 297, 210 * 297}},
        {841, 594, false, 0, 0, 0, 0, {841, 594, 0, 0, 841, 594, 841, 594, 499554}},
    };
    for (const Case& c : cases) {
        const Printable_Area a = Compute_Printable_Area(c.width, c.height, c.enlarge, c.top, c.bottom, c.left, c.right);
        const Printable_Area& e = c.expected;
        EXPECT_EQ(a.Width, e.Width);
        EXPECT_EQ(a.Height, e.Height);
        EXPECT_EQ(a.Llx, e.Llx);
        EXPECT_EQ(a.Lly, e.Lly);
        EXPECT_EQ(a.Urx, e.Urx);
        EXPECT_EQ(a.Ury, e.Ury);
        EXPECT_EQ(a.Actual_X, e.Actual_X);
        EXPECT_EQ(a.Actual_Y, e.Actual_Y);
        EXPECT_EQ(a.Area, e.Area);
    }
}

TEST_F(Plotter_Files_Test, Margins_Of_The_Options_Reach_The_Entries)
{
    Use_Papers({{297, 210}});
    Options.Unequal_Margin = 1;
    Options.Unequal_Mode = 1;
    Options.Land_Left = 20;
    Options.Port_Bottom = 300;
    ASSERT_TRUE(Build_Plot_Device_Files(Papers));
    auto lines = Lines(Pmp_Path());
    EXPECT_TRUE(Has_Line(lines, "llx0=20.000000"));    // landscape: its own left margin
    EXPECT_TRUE(Has_Line(lines, "size_x0=297.000000")); // mode 1 keeps the paper
    EXPECT_TRUE(Has_Line(lines, "lly1=0.000000"));     // portrait: bottom 300 leaves nothing
    EXPECT_TRUE(Has_Line(lines, "ury1=297.000000"));

    Options.Unequal_Mode = 0;
    ASSERT_TRUE(Build_Plot_Device_Files(Papers));
    lines = Lines(Pmp_Path());
    EXPECT_TRUE(Has_Line(lines, "size_x0=319.000000")); // 297 + left 20 + right 2
    EXPECT_TRUE(Has_Line(lines, "size_y1=607.000000")); // 297 + top 10 + bottom 300
}

TEST_F(Plotter_Files_Test, Lines_That_Follow_Options_And_Settings)
{
    struct Case {
        int output_type;
        std::function<void(Plot_Option&)> set;
        const char* line;
    };
    const auto background = [](int index) {
        return [index](Plot_Option& o) {
            const uint32_t rgb = ZcCmEntityColor::lookUpRGB(static_cast<uint8_t>(index));
            o.Back_Red = (rgb >> 16) & 0xFF;
            o.Back_Green = (rgb >> 8) & 0xFF;
            o.Back_Blue = rgb & 0xFF;
        };
    };
    const auto nothing = [](Plot_Option&) {};
    const Case cases[] = {
        {2, background(7), "privatedata=070000006400000000000000"},
        {3, background(250), "privatedata=fa0000006400000000000000"},
        {3, background(1), "privatedata=010000006400000000000000"},
        {0, [](Plot_Option&) { g_Plot_Config.Layer_Info = 0; }, "layerinclude=0"},
        {0, nothing, "layerinclude=1"},
        {1, [](Plot_Option&) { g_Plot_Config.Layer_Info = 0; }, "layerinclude=1"},
        {4, nothing, "PrinterType=0"},
        {5, nothing, "PrinterType=2"},
        {4, nothing, "DeviceName=DesignJet 800"},
        {4, nothing, "privatedata=2c0100000100000000000000"},
        {5, nothing, "resolution_x=300"},
        {2, [](Plot_Option&) { g_Plot_Config.Raster_Dpi = 96; }, "resolution_y=96"},
        {0, [](Plot_Option&) { g_Plot_Config.Vector_Res = 50; }, "resolution_x=1450"},
        {1, [](Plot_Option&) { g_Plot_Config.Raster_Res = 5; }, "raster_resolution_y=150"},
        {1, [](Plot_Option&) { g_Plot_Config.Text_As_Geometry = 1; }, "truetypetext_caps=0"},
        {1, nothing, "truetypetext_caps=1"},
    };
    Use_Papers({{297, 210}});
    for (const Case& c : cases) {
        g_Plot_Config = Plot_Config();
        Options = Plot_Option();
        Options.Output_Type = c.output_type;
        c.set(Options);
        ASSERT_TRUE(Build_Plot_Device_Files(Papers));
        EXPECT_TRUE(Has_Line(Lines(Pc5_Path()), c.line)) << "type " << c.output_type << ": " << c.line;
    }
}

TEST_F(Plotter_Files_Test, Only_The_New_Configuration_File_Is_Left)
{
    const CString top = g_Printer_Config_Folder + L"\\K_PDF.pc5";
    const CString nested = g_Printer_Config_Folder + L"\\old\\deeper\\k_pdf.PC5";
    const CString other = g_Printer_Config_Folder + L"\\old\\K_DWF.pc5";
    Write_File(top, "old");
    Write_File(nested, "old");
    Write_File(other, "old");
    Use_Papers({{297, 210}});
    ASSERT_TRUE(Build_Plot_Device_Files(Papers));
    EXPECT_FALSE(Exists(nested));
    EXPECT_TRUE(Exists(other));
    EXPECT_EQ(Lines(top).at(0), "[Meta]");
}

TEST_F(Plotter_Files_Test, First_Usable_Folder_Of_Each_List)
{
    // A file stands where the first folder of the list would be.
    Write_File(L"C:\\Korvel Test\\blocked", "a file");
    g_Printer_Config_Folder = L"C:\\Korvel Test\\blocked\\sub;C:\\Korvel Test\\made\\";
    g_Printer_Desc_Folder = L"C:\\Korvel Test\\desc";
    Use_Papers({{297, 210}});
    ASSERT_TRUE(Build_Plot_Device_Files(Papers));
    EXPECT_TRUE(Exists(L"C:\\Korvel Test\\made\\K_PDF.pc5"));
    EXPECT_TRUE(Exists(L"C:\\Korvel Test\\desc\\K_PDF.pmp"));
    EXPECT_TRUE(Has_Line(Lines(L"C:\\Korvel Test\\made\\K_PDF.pc5"), "pmp_filepath=C:\\Korvel Test\\desc\\K_PDF.pmp"));
}

TEST_F(Plotter_Files_Test, A_Failed_Write_Is_Reported_And_Returned)
{
    // A folder stands at the description file's path: that write fails, the other goes on.
    std::filesystem::create_directories(Host(Pmp_Path()));
    Use_Papers({{297, 210}});
    Answer_Boxes(1);
    EXPECT_FALSE(Build_Plot_Device_Files(Papers));
    EXPECT_EQ(Lines(Pc5_Path()).at(0), "[Meta]");
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text.find(L"文件 < " + std::wstring(Pmp_Path().GetString()) + L" >"), 0u);
}

TEST_F(Plotter_Files_Test, Unusable_Folder_Lists_Write_Nothing_Elsewhere)
{
    Write_File(L"C:\\Korvel Test\\blocked", "a file");
    g_Printer_Config_Folder = L"C:\\Korvel Test\\blocked\\a;C:\\Korvel Test\\blocked\\b";
    g_Printer_Desc_Folder = L"";
    Use_Papers({{297, 210}});
    Answer_Boxes(2);
    EXPECT_FALSE(Build_Plot_Device_Files(Papers));
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"K_PDF.pc5"), std::wstring::npos);
    EXPECT_NE(platform::MessageBoxLog[1].text.find(L"K_PDF.pmp"), std::wstring::npos);
    EXPECT_FALSE(Exists(L"C:\\K_PDF.pmp"));
}

TEST_F(Plotter_Files_Test, No_Files_For_Drawing_Output)
{
    Options.Output_Type = 6;
    Use_Papers({{297, 210}});
    EXPECT_FALSE(Build_Plot_Device_Files(Papers));
    EXPECT_FALSE(Exists(g_Printer_Config_Folder));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

}  // namespace
