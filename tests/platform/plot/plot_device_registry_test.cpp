// The device registry reads the ".pc5" and ".pmp" files as the plug-in writes them, the
// machine's printers and the plot-style folders of the host profile.
#include <algorithm>
#include <fstream>
#include <functional>

#include "ed/sysvars.h"
#include "plot/device_registry.h"
#include "plot/machine_printers.h"
#include "plot_fixture.h"
#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_codepage.h"

using namespace platform;

namespace plot_test {
namespace {

using Registry_Test = PlotTest;

TEST_F(Registry_Test, MediaAreExactlyThePapersOfTheDescriptionFileWithTheirPrintableAreas)
{
    // Landscape and portrait entries of A1 with margins, and a square paper (one entry).
    const std::wstring name = Write_Device(L"PDF", {{L"KV_A1", 851, 604, 5, 5, 5, 5},
                                                    {L"KV_A1T", 594, 841, 10, 200, 0, 3},
                                                    {L"KV_500x500", 500, 500}});
    std::wstring error;
    Shared_Plot_Device device = Find_Plot_Device(name, &error);
    ASSERT_TRUE(device) << std::string(error.begin(), error.end());
    EXPECT_EQ(device->driver, PlotDriver::Pdf);
    EXPECT_TRUE(device->file_device);
    EXPECT_EQ(device->pmp_path, description_folder + L"\\K_PDF.pmp");
    ASSERT_EQ(device->media.size(), 3u);
    const PlotPaper& a1 = device->media[0];
    EXPECT_EQ(a1.display_name, L"KV_A1");
    EXPECT_EQ(a1.canonical_name, Canonical_Name(851, 604));
    EXPECT_DOUBLE_EQ(a1.width_mm, 851);
    EXPECT_DOUBLE_EQ(a1.height_mm, 604);
    EXPECT_DOUBLE_EQ(a1.margin_left_mm, 5);
    EXPECT_DOUBLE_EQ(a1.margin_top_mm, 5);
    const PlotPaper& a1t = device->media[1];
    EXPECT_EQ(a1t.display_name, L"KV_A1T");
    EXPECT_DOUBLE_EQ(a1t.margin_left_mm, 10);
    EXPECT_DOUBLE_EQ(a1t.margin_bottom_mm, 200);
    EXPECT_DOUBLE_EQ(a1t.margin_right_mm, 0);
    EXPECT_DOUBLE_EQ(a1t.margin_top_mm, 3);
    EXPECT_EQ(device->media[2].display_name, L"KV_500x500");
}

// The registry keeps a device while its files and folders stay as they are, and reads it
// again after any change to them or to the folder settings.
TEST_F(Registry_Test, DeviceIsKeptUntilItsFilesOrFoldersChange)
{
    const std::wstring name = Write_Device(L"PDF", {{L"KV_A3", 420, 297}});
    Find_Plot_Device(name);
    const Shared_Plot_Device kept = Find_Plot_Device(name);
    ASSERT_TRUE(kept);
    EXPECT_EQ(Find_Plot_Device(L"k_pdf.PC5"), kept);

    const struct {
        const char* what;
        std::function<void()> change;
        double width;  // of the first paper afterwards
    } cases[] = {
        {"description file rewritten", [&] { Write_File(description_folder + L"\\K_PDF.pmp", Pmp_Text({{L"KV_A2", 594, 420}})); }, 594},
        {"a file of the same name in an earlier folder",
         [&] {
             Write_File(L"D:\\Early\\K_PDF.pc5", Pc5_Text(L"PDF", L"D:\\Early\\A1.pmp"));
             Write_File(L"D:\\Early\\A1.pmp", Pmp_Text({{L"KV_A1", 841, 594}}));
             ASSERT_EQ(zcedSetEnv(L"PrinterConfigDir", (L"D:\\Early;" + config_folder).c_str()), RTNORM);
         },
         841},
        {"folder setting back", [&] { ASSERT_EQ(zcedSetEnv(L"PrinterConfigDir", L""), RTNORM); }, 594},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        const Shared_Plot_Device device = Find_Plot_Device(name);
        ASSERT_TRUE(device);
        ASSERT_FALSE(device->media.empty());
        EXPECT_DOUBLE_EQ(device->media[0].width_mm, c.width);
    }
}

TEST_F(Registry_Test, DriverComesFromTheConfigurationFile)
{
    const struct {
        const wchar_t* type;
        PlotDriver driver;
    } cases[] = {{L"PDF", PlotDriver::Pdf}, {L"DWF", PlotDriver::Dwf}, {L"JPG", PlotDriver::Jpg},
                 {L"PNG", PlotDriver::Png}, {L"PLT", PlotDriver::Plt}, {L"SVG", PlotDriver::Svg}};
    for (const auto& c : cases) {
        Shared_Plot_Device device = Find_Plot_Device(Write_Device(c.type, {{L"KV_A3", 420, 297}}));
        ASSERT_TRUE(device) << c.type;
        EXPECT_EQ(device->driver, c.driver) << c.type;
    }
    Write_File(config_folder + L"\\Odd.pc5", "[Standard]\r\nDriverPath=Unknown.dll\r\n");
    std::wstring error;
    EXPECT_FALSE(Find_Plot_Device(L"Odd.pc5", &error));
    EXPECT_NE(error.find(L"no known driver"), std::wstring::npos);
}

TEST_F(Registry_Test, RasterResolutionAndBackgroundColourComeFromTheConfigurationFile)
{
    const std::wstring pmp = description_folder + L"\\K_JPG.pmp";
    Write_File(pmp, Pmp_Text({{L"KV_A4", 297, 210}}));
    Write_File(config_folder + L"\\K_JPG.pc5", Pc5_Text(L"JPG", pmp, 150, L"010000006400000000000000"));
    Shared_Plot_Device device = Find_Plot_Device(L"k_jpg.PC5");
    ASSERT_TRUE(device);
    EXPECT_EQ(device->name, L"K_JPG.pc5");
    EXPECT_DOUBLE_EQ(device->dpi, 150);
    EXPECT_EQ(device->background_rgb, 0xFF0000u);  // colour index 1 is red
}

TEST_F(Registry_Test, MovedDescriptionFileIsFoundByNameInTheDescriptionFolders)
{
    Write_File(description_folder + L"\\K_SVG.pmp", Pmp_Text({{L"KV_A2", 594, 420}}));
    Write_File(config_folder + L"\\K_SVG.pc5", Pc5_Text(L"SVG", L"D:\\gone\\K_SVG.pmp"));
    Shared_Plot_Device device = Find_Plot_Device(L"K_SVG.pc5");
    ASSERT_TRUE(device);
    ASSERT_EQ(device->media.size(), 1u);
    EXPECT_EQ(device->media[0].display_name, L"KV_A2");
}

TEST_F(Registry_Test, DeviceListHasNoneThenConfigurationFilesTopFolderFirstThenPrinters)
{
    Write_File(config_folder + L"\\Sub\\Deep.pc5", Pc5_Text(L"PDF", L""));
    Write_File(config_folder + L"\\Sub\\K_PDF.pc5", Pc5_Text(L"PDF", L""));
    Write_Device(L"PDF", {{L"KV_A3", 420, 297}});
    Add_Printer(L"HP LaserJet", {{L"A4", 210, 297}});
    EXPECT_EQ(Plot_Device_Names(),
              (std::vector<std::wstring>{L"None", L"K_PDF.pc5", L"Deep.pc5", L"HP LaserJet"}));
    // The top folder's file is the device of that name.
    Shared_Plot_Device device = Find_Plot_Device(L"K_PDF.pc5");
    ASSERT_TRUE(device);
    EXPECT_EQ(device->config_path, config_folder + L"\\K_PDF.pc5");
}

TEST_F(Registry_Test, EnvironmentSettingOverridesTheProfileFolders)
{
    Write_Device(L"PDF", {{L"KV_A3", 420, 297}});
    Write_File(L"D:\\Plotters\\Mine.pc5", Pc5_Text(L"PNG", L""));
    ASSERT_EQ(zcedSetEnv(L"PrinterConfigDir", L"D:\\Plotters\\;D:\\Missing"), RTNORM);
    EXPECT_EQ(Printer_Config_Folders(), (std::vector<std::wstring>{L"D:\\Plotters", L"D:\\Missing"}));
    EXPECT_EQ(Plot_Device_Names(), (std::vector<std::wstring>{L"None", L"Mine.pc5"}));
    // Without a description setting the description folder follows the first configuration folder.
    EXPECT_EQ(Printer_Description_Folders(), (std::vector<std::wstring>{description_folder}));
    ASSERT_EQ(zcedSetEnv(L"PrinterDescDir", L""), RTNORM);
}

TEST_F(Registry_Test, PrintersKeepTheirMediaAndSpoolFolder)
{
    Add_Printer(L"HP LaserJet", {{L"A4", 210, 297, 4, 4, 4, 4}, {L"A3", 297, 420}});
    Shared_Plot_Device device = Find_Plot_Device(L"hp laserjet");
    ASSERT_TRUE(device);
    EXPECT_EQ(device->driver, PlotDriver::Printer);
    EXPECT_FALSE(device->file_device);
    EXPECT_EQ(device->spool_folder, L"C:\\Spool\\HP LaserJet");
    EXPECT_TRUE(std::filesystem::is_directory(Host(device->spool_folder)));
    ASSERT_EQ(device->media.size(), 2u);
    EXPECT_DOUBLE_EQ(device->media[0].margin_left_mm, 4);
    // Adding again under another spelling replaces it; removing it leaves none.
    Add_Printer(L"HP LASERJET", {{L"A4", 210, 297}});
    EXPECT_EQ(Machine_Printers().size(), 1u);
    EXPECT_TRUE(Remove_Machine_Printer(L"hp laserjet"));
    EXPECT_FALSE(Find_Plot_Device(L"HP LaserJet"));
    // Names that the store cannot keep are refused.
    Machine_Printer bad;
    bad.name = L"Tab\tName";
    bad.media.push_back(PlotPaper{});
    EXPECT_FALSE(Add_Machine_Printer(bad));
}

// A printers file written by hand: blanks separate the fields of a line without tabs; a line
// the machine cannot use is named on the command line, and the others still count.
TEST_F(Registry_Test, HandWrittenPrintersFileTakesBlanksAndNamesTheLinesItCannotUse)
{
    const struct {
        const char* what;
        std::string text;
        std::vector<std::wstring> printers;  // name and first paper's shown name
        const wchar_t* reported;             // in the command line, "" for nothing
    } cases[] = {
        {"tabs", "printer\t激光 打印机\tC:\\Spool\\激光\t600\nmedia\tA4\tISO A4\t210\t297\t4\t4\t4\t4\n",
         {L"激光 打印机", L"ISO A4"}, L""},
        {"blanks", "printer  激光   C:\\Spool\\激光 300\n  media A3 A3 297  420 5 5 5 5\n# a note\n\n",
         {L"激光", L"A3"}, L""},
        {"blanks around tabs", "printer \t 激光 \t C:\\Spool \t 600 \r\nmedia\tA4\tA4\t210\t297\t0\t0\t0\t0\r\n",
         {L"激光", L"A4"}, L""},
        {"a name with blanks and no tabs", "printer HP LaserJet C:\\Spool 600\nmedia A4 A4 210 297 0 0 0 0\n", {},
         L".printers line 1: a printer line is printer, NAME, SPOOL FOLDER, DPI, separated by tabs (blanks only when "
         L"no field holds one); the line is ignored."},
        {"a bad number", "printer\tP\tC:\\S\t600\nmedia\tA4\tA4\t210mm\t297\t0\t0\t0\t0\n", {},
         L".printers line 2: a media line is media, CANONICAL, SHOWN, WIDTH, HEIGHT"},
        {"no media", "printer\tQ\tC:\\S\t600\n", {}, L".printers line 1: the printer Q has no media line after it"},
        {"media first", "media\tA4\tA4\t210\t297\t0\t0\t0\t0\nprinter\tP\tC:\\S\t600\nmedia\tA3\tA3\t297\t420\t0\t0\t0\t0\n",
         {L"P", L"A3"}, L".printers line 1: a media line belongs to the printer line above it, and there is none"},
        {"unknown word", "drucker\tP\n", {}, L".printers line 1: a line starts with \"printer\" or \"media\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(platform::Machine::instance().root() / ".printers", std::ios::binary | std::ios::trunc) << c.text;
        const size_t before = Output().size();
        const std::vector<Machine_Printer> printers = Machine_Printers();
        std::vector<std::wstring> found;
        for (const Machine_Printer& p : printers) found = {p.name, p.media.front().display_name};
        EXPECT_EQ(printers.size(), c.printers.empty() ? 0u : 1u);
        EXPECT_EQ(found, c.printers);
        const std::wstring said = Output().substr(before);
        if (*c.reported)
            EXPECT_NE(said.find(c.reported), std::wstring::npos) << platform::To_Utf8(said);
        else
            EXPECT_EQ(said, L"");
        // Said once, not at every look.
        Machine_Printers();
        EXPECT_EQ(Output().substr(before), said);
    }
}

TEST_F(Registry_Test, StyleTablesAreTheCtbAndStbFilesOfTheStyleFolders)
{
    Add_Style_Table(L"黑白.ctb");
    Add_Style_Table(L"A.stb");
    Write_File(style_folder + L"\\notes.txt", "x");
    Write_File(L"D:\\Styles\\黑白.CTB", "other");
    Write_File(L"D:\\Styles\\彩色.ctb", "x");
    ASSERT_EQ(zcedSetEnv(L"PrinterStyleSheetDir", (style_folder + L";D:\\Styles").c_str()), RTNORM);
    std::vector<std::wstring> names;
    for (const Plot_Style_File& table : Plot_Style_Tables())
        names.push_back(table.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"A.stb", L"黑白.ctb", L"彩色.ctb"}));
    std::optional<Plot_Style_File> found = Find_Plot_Style_Table(L"黑白.CTB");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->path, style_folder + L"\\黑白.ctb");
}

// The plotter files the plug-in writes (its golden copies): every output type's device
// offers exactly the papers of its description file.
TEST_F(Registry_Test, PlugInsGoldenPlotterFilesGiveTheirDriversAndPapers)
{
    const std::filesystem::path golden = std::filesystem::path(KORVEL_SOURCE_DIR) / "tests/sheets/golden";
    if (!std::filesystem::exists(golden / "K_PDF.pc5"))
        GTEST_SKIP() << "no golden plotter files";
    const struct {
        const char* type;
        PlotDriver driver;
    } cases[] = {{"PDF", PlotDriver::Pdf}, {"DWF", PlotDriver::Dwf}, {"JPG", PlotDriver::Jpg},
                 {"PNG", PlotDriver::Png}, {"PLT", PlotDriver::Plt}, {"SVG", PlotDriver::Svg}};
    for (const auto& c : cases) {
        const std::string stem = std::string("K_") + c.type;
        std::filesystem::create_directories(Host(config_folder));
        std::filesystem::create_directories(Host(description_folder));
        std::filesystem::copy_file(golden / (stem + ".pc5"), Host(config_folder) / (stem + ".pc5"));
        std::filesystem::copy_file(golden / (stem + ".pmp"), Host(description_folder) / (stem + ".pmp"));
        std::wstring error;
        Shared_Plot_Device device = Find_Plot_Device(From_Utf8(stem + ".pc5"), &error);
        ASSERT_TRUE(device) << c.type << ": " << To_Utf8(error);
        EXPECT_EQ(device->driver, c.driver) << c.type;
        // The papers as the description file lists them, read here line by line.
        std::ifstream in(golden / (stem + ".pmp"), std::ios::binary);
        std::string line;
        std::vector<std::wstring> listed;
        std::vector<double> actual_x, actual_y;
        while (std::getline(in, line)) {
            const std::string value = line.substr(line.find('=') + 1, line.find('\r') - line.find('=') - 1);
            if (line.rfind("paper_local_name", 0) == 0)
                listed.push_back(From_Ansi(value));
            else if (line.rfind("actual_x", 0) == 0)
                actual_x.push_back(std::stod(value));
            else if (line.rfind("actual_y", 0) == 0)
                actual_y.push_back(std::stod(value));
        }
        std::vector<std::wstring> names;
        ASSERT_EQ(actual_x.size(), device->media.size()) << c.type;
        for (size_t k = 0; k < device->media.size(); ++k) {
            const PlotPaper& paper = device->media[k];
            names.push_back(paper.display_name);
            EXPECT_NEAR(paper.width_mm - paper.margin_left_mm - paper.margin_right_mm, actual_x[k], 1e-6) << c.type;
            EXPECT_NEAR(paper.height_mm - paper.margin_bottom_mm - paper.margin_top_mm, actual_y[k], 1e-6) << c.type;
        }
        EXPECT_FALSE(names.empty()) << c.type;
        EXPECT_EQ(names, listed) << c.type;
        if (c.driver == PlotDriver::Jpg) {
            EXPECT_EQ(device->background_rgb, 0xFFFFFFu);  // colour index 7
        }
    }
}

}  // namespace
}  // namespace plot_test
