// The output drivers: one small sheet plotted to each file type and checked with tools that
// did not write it (pdfinfo, qpdf, pdftotext, pdftoppm, file, python3's xml and zipfile).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>

#include "db/dbpl.h"
#include "plot/plot_job.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_error.h"

using render_test::Quote;
using render_test::Read_File;
using render_test::Run_Command;

namespace {

// A 420 x 297 sheet on portrait A4 (fitted at half scale into the band y 74.25..222.75 mm):
// a frame, a hatch with a hole, two texts, and lines that run far outside the window.
class DriverOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* frame = new ZcDbPolyline();
        const double xs[] = {10, 410, 410, 10}, ys[] = {10, 10, 287, 287};
        for (unsigned i = 0; i < 4; ++i) frame->addVertexAt(i, ZcGePoint2d(xs[i], ys[i]));
        frame->setClosed(true);
        d.add(frame);
        d.hatch(200, 100, 60, 20);
        d.text(300, 30, 10, L"DWG-001");
        d.text(50, 250, 10, L"图纸目录");
        d.line(210, -300, 210, 600);   // crosses the whole page: clipped to the window
        d.line(-200, 150, 620, 150);
        d.line(1000, 1000, 1100, 1100);  // outside
        dir = render_test::Output_Folder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    platform::PlotJob Job(platform::PlotDriver driver, const char* file)
    {
        platform::PlotJob job;
        job.database = d.db.get();
        job.driver = driver;
        job.paper.width_mm = 210, job.paper.height_mm = 297;
        job.window_min = {0, 0};
        job.window_max = {420, 297};
        job.dpi = 100;
        job.output_path = platform::Text_From_Host_Path(dir / file);
        return job;
    }

    std::filesystem::path Plot(platform::PlotDriver driver, const char* file)
    {
        platform::PlotResult r = platform::Render_Plot(Job(driver, file));
        EXPECT_TRUE(r.ok) << platform::To_Utf8(r.error);
        EXPECT_EQ(r.files.size(), 1u);
        return dir / file;
    }

    render_test::Drawing d;
    std::filesystem::path dir;
};

// Rows of a grey PGM (P5) as pdftoppm writes it.
struct Gray_Image {
    int width = 0, height = 0;
    std::string pixels;
    bool ink_in_rows(int y0, int y1) const
    {
        for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
            for (int x = 0; x < width; ++x)
                if (static_cast<unsigned char>(pixels[size_t(y) * size_t(width) + size_t(x)]) < 200) return true;
        return false;
    }
};

int Page_Count(const std::filesystem::path& pdf)
{
    std::string info = Run_Command("pdfinfo " + Quote(pdf));
    std::smatch m;
    return std::regex_search(info, m, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(m[1]) : -1;
}

Gray_Image Read_Pgm(const std::filesystem::path& path)
{
    Gray_Image img;
    std::string data = Read_File(path);
    std::istringstream in(data);
    std::string magic;
    int maxval = 0;
    in >> magic >> img.width >> img.height >> maxval;
    in.get();
    if (magic != "P5") return {};
    img.pixels = data.substr(size_t(in.tellg()));
    return img;
}

TEST_F(DriverOutput, PdfHasThePaperSizeRealTextAndInkOnlyInsideTheWindow)
{
    auto pdf = Plot(platform::PlotDriver::Pdf, "sheet.pdf");
    std::string info = Run_Command("pdfinfo " + Quote(pdf));
    std::smatch m;
    ASSERT_TRUE(std::regex_search(info, m, std::regex(R"(Page size:\s+([0-9.]+) x ([0-9.]+) pts)"))) << info;
    EXPECT_NEAR(std::stod(m[1]), 210 / 25.4 * 72, 1.0);
    EXPECT_NEAR(std::stod(m[2]), 297 / 25.4 * 72, 1.0);
    EXPECT_EQ(Page_Count(pdf), 1);

    int status = -1;
    Run_Command("qpdf --check " + Quote(pdf) + " >/dev/null 2>&1", &status);
    EXPECT_EQ(status, 0);

    std::string text = Run_Command("pdftotext " + Quote(pdf) + " -");
    EXPECT_NE(text.find("DWG-001"), std::string::npos) << text;
    EXPECT_NE(text.find("图纸目录"), std::string::npos) << text;

    // One pixel per millimetre.
    Run_Command("pdftoppm -r 25.4 -gray " + Quote(pdf) + " " + Quote(dir / "page"));
    Gray_Image img = Read_Pgm(dir / "page-1.pgm");
    ASSERT_NEAR(img.width, 210, 1);
    ASSERT_NEAR(img.height, 297, 1);
    EXPECT_FALSE(img.ink_in_rows(0, 73));
    EXPECT_TRUE(img.ink_in_rows(76, 221));
    EXPECT_FALSE(img.ink_in_rows(225, 297));
}

TEST_F(DriverOutput, RasterImagesHaveThePixelSizeOfTheResolution)
{
    struct Case {
        platform::PlotDriver driver;
        const char* file;
        const char* kind;
        std::regex size;
    } cases[] = {
        {platform::PlotDriver::Png, "sheet.png", "PNG image data", std::regex(R"((\d+) x (\d+))")},
        {platform::PlotDriver::Jpg, "sheet.jpg", "JPEG image data", std::regex(R"(, (\d+)x(\d+),)")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto path = Plot(c.driver, c.file);
        std::string out = Run_Command("file " + Quote(path));
        EXPECT_NE(out.find(c.kind), std::string::npos) << out;
        std::smatch m;
        ASSERT_TRUE(std::regex_search(out, m, c.size)) << out;
        EXPECT_EQ(std::stoi(m[1]), 827);   // 210 mm at 100 dpi
        EXPECT_EQ(std::stoi(m[2]), 1169);  // 297 mm
    }
}

TEST_F(DriverOutput, SvgIsXmlOfThePaperSize)
{
    auto svg = Plot(platform::PlotDriver::Svg, "sheet.svg");
    std::string out = Run_Command("python3 -c \"import sys, xml.etree.ElementTree as E; r = E.parse(sys.argv[1]).getroot(); "
                          "print(r.tag, r.get('width'), r.get('height'), len(list(r.iter())))\" " + Quote(svg));
    std::smatch m;
    ASSERT_TRUE(std::regex_search(out, m, std::regex(R"(\}svg ([0-9.]+)(pt)? ([0-9.]+)(pt)? (\d+))"))) << out;
    EXPECT_NEAR(std::stod(m[1]), 210 / 25.4 * 72, 1.0);
    EXPECT_NEAR(std::stod(m[3]), 297 / 25.4 * 72, 1.0);
    EXPECT_GT(std::stoi(m[5]), 5);
}

TEST_F(DriverOutput, PltIsAPjlJobWithHpgl2Drawing)
{
    auto plt = Plot(platform::PlotDriver::Plt, "sheet.plt");
    std::string s = Read_File(plt);
    const std::string uel = "\x1b%-12345X";
    EXPECT_EQ(s.rfind(uel + "@PJL", 0), 0u);
    size_t enter = s.find("@PJL ENTER LANGUAGE=HPGL2\r\n");
    ASSERT_NE(enter, std::string::npos);
    size_t in = s.find("IN;", enter);
    ASSERT_NE(in, std::string::npos);
    EXPECT_NE(s.find("NP8;", in), std::string::npos);
    EXPECT_NE(s.find("PS11880,8400;", in), std::string::npos);  // 297 x 210 mm in plotter units
    // The frame's first corner: (10, 10) at half scale, 74.25 mm up, 40 units to the mm.
    EXPECT_NE(s.find("PU200,3170;PD"), std::string::npos);
    EXPECT_NE(s.find("PM2;FP0;"), std::string::npos);  // filled areas (hatch, glyphs)
    EXPECT_NE(s.find("IW0,2970,8400,8910;"), std::string::npos);  // clipped to the window
    EXPECT_EQ(s.substr(s.size() - uel.size()), uel);
    EXPECT_NE(s.find("PG;"), std::string::npos);
}

TEST_F(DriverOutput, DwfIsAPackageWithManifestDescriptorAndW2dPage)
{
    auto dwf = Plot(platform::PlotDriver::Dwf, "sheet.dwf");
    std::string s = Read_File(dwf);
    EXPECT_EQ(s.rfind("(DWF V06.00)PK", 0), 0u);
    std::string out = Run_Command(
        "python3 -c \"import sys, zipfile, xml.dom.minidom as X\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "print('bad', z.testzip())\n"
        "for n in z.namelist():\n"
        "    print('entry', n.split('/')[-1])\n"
        "    if n.endswith('.xml'): X.parseString(z.read(n))\n"
        "    if n.endswith('.w2d'): print('w2d', z.read(n).decode('utf-8'))\n"
        "\" " + Quote(dwf));
    EXPECT_NE(out.find("bad None"), std::string::npos) << out;
    EXPECT_NE(out.find("entry manifest.xml"), std::string::npos);
    EXPECT_NE(out.find("entry descriptor.xml"), std::string::npos);
    size_t w2d = out.find("w2d (W2D V06.00)");
    ASSERT_NE(w2d, std::string::npos) << out;
    EXPECT_NE(out.find("(Text", w2d), std::string::npos);
    EXPECT_NE(out.find("\"DWG-001\""), std::string::npos);
    EXPECT_NE(out.find("\"图纸目录\""), std::string::npos);
    EXPECT_NE(out.find("(Contour 2 "), std::string::npos);  // the hatch with its hole
    EXPECT_NE(out.find("\nP 5 "), std::string::npos);       // the closed frame
    // The vertical line, clipped to the window: x = 105 mm, y 74.25..222.75 mm.
    EXPECT_NE(out.find("\nL 10500,7425 10500,22275"), std::string::npos);
    EXPECT_NE(out.find("(EndOfDWF)"), std::string::npos);
}

// A DWF sheet is titled as the host names a plotted sheet, "<drawing>-<layout>", whatever
// the file is called and in whatever folder; a job without that name takes the file's.
TEST_F(DriverOutput, DwfSheetsAreTitledByTheJobsNameElseByTheFile)
{
    std::filesystem::create_directories(dir / "输出");
    const struct {
        const char* document;
        const char* title;
    } cases[] = {{"图纸-Model", "图纸-Model"}, {"", "图-01.~new"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        platform::PlotJob job = Job(platform::PlotDriver::Dwf, "unused.dwf");
        job.output_path = platform::From_Utf8((dir / "输出").string() + "/图-01.~new.dwf");
        job.document_name = platform::From_Utf8(c.document);
        platform::PlotResult r = platform::Render_Plot(job);
        ASSERT_TRUE(r.ok) << platform::To_Utf8(r.error);
        const std::string out = Run_Command(
            "python3 -c \"import sys, zipfile\n"
            "z = zipfile.ZipFile(sys.argv[1])\n"
            "[print(z.read(n).decode('utf-8')) for n in z.namelist() if n.endswith('.xml')]\n"
            "\" " + Quote(dir / "输出" / "图-01.~new.dwf"));
        EXPECT_NE(out.find(std::string("title=\"") + c.title + "\""), std::string::npos) << out;
    }
}

TEST_F(DriverOutput, PrintersSpoolEachJobWithItsCopies)
{
    platform::PlotJob job = Job(platform::PlotDriver::Printer, "unused");
    job.output_path.clear();
    job.device_name = L"Office Printer";
    job.spool_folder = platform::Text_From_Host_Path(dir / "spool");
    job.copies = 3;
    platform::PlotResult first = platform::Render_Plot(job);
    ASSERT_TRUE(first.ok) << platform::To_Utf8(first.error);
    job.copies = 1;
    platform::PlotResult second = platform::Render_Plot(job);
    ASSERT_TRUE(second.ok);
    ASSERT_EQ(first.files.size(), 1u);
    EXPECT_EQ(platform::Host_Path_From_Text(first.files[0]).filename(), "job-0001.pdf");
    EXPECT_EQ(platform::Host_Path_From_Text(second.files[0]).filename(), "job-0002.pdf");
    EXPECT_EQ(Page_Count(platform::Host_Path_From_Text(first.files[0])), 3);
    EXPECT_EQ(Page_Count(platform::Host_Path_From_Text(second.files[0])), 1);
}

TEST_F(DriverOutput, FailuresAreReportedNotClaimedAsSuccess)
{
    struct Case {
        const char* what;
        platform::PlotJob job;
        const wchar_t* error;
    };
    platform::PlotJob missingFolder = Job(platform::PlotDriver::Pdf, "no/such/folder/sheet.pdf");
    platform::PlotJob noFile = Job(platform::PlotDriver::Pdf, "x.pdf");
    noFile.output_path.clear();
    platform::PlotJob noSpool = Job(platform::PlotDriver::Printer, "x");
    noSpool.output_path.clear();
    platform::PlotJob hugeImage = Job(platform::PlotDriver::Png, "huge.png");
    hugeImage.dpi = 100000;
    platform::PlotJob noCopies = Job(platform::PlotDriver::Pdf, "x.pdf");
    noCopies.copies = 0;
    Case cases[] = {
        {"missing folder", missingFolder, L"cannot write"},
        {"no file", noFile, L"no output file given"},
        {"no spool folder", noSpool, L"has no spool folder"},
        {"huge image", hugeImage, L"too large"},
        {"no copies", noCopies, L"number of copies"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::PlotResult r = platform::Render_Plot(c.job);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.files.empty());
        EXPECT_NE(r.error.find(c.error), std::wstring::npos) << platform::To_Utf8(r.error);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "huge.png"));
}

// Drivers on a machine of their own, whose denied folders and full disks the test sets.
class DriverFailedWrite : public DriverOutput {
protected:
    void SetUp() override
    {
        DriverOutput::SetUp();
        previous_root = platform::Machine::instance().root();
        platform::Machine::instance().set_root(machine_root());
    }
    void TearDown() override
    {
        platform::Machine::instance().set_root(previous_root);
        std::filesystem::remove_all(machine_root());
    }
    std::filesystem::path machine_root() const { return dir.string() + "_machine"; }

    std::filesystem::path previous_root;
};

// An output that cannot be written whole is a failure, whatever the driver: the old file at
// the name stays as it was and nothing else is left in the folder.
TEST_F(DriverFailedWrite, AnOutputThatCannotBeWrittenWholeLeavesTheOldFileAlone)
{
    using platform::Machine;
    using platform::PlotDriver;
    const struct {
        const char* what;
        PlotDriver driver;
        const char* file;
    } drivers[] = {
        {"pdf", PlotDriver::Pdf, "sheet.pdf"}, {"svg", PlotDriver::Svg, "sheet.svg"},
        {"png", PlotDriver::Png, "sheet.png"}, {"jpg", PlotDriver::Jpg, "sheet.jpg"},
        {"plt", PlotDriver::Plt, "sheet.plt"}, {"dwf", PlotDriver::Dwf, "sheet.dwf"},
    };
    const struct {
        const char* what;
        void (*arrange)(const std::filesystem::path& file);
        const wchar_t* reason;
        DWORD error;  // the thread's last error afterwards
    } failures[] = {
        {"denied folder", [](const std::filesystem::path& f) { Machine::instance().deny_writes(platform::Text_From_Host_Path(f.parent_path())); },
         L"access denied", ERROR_ACCESS_DENIED},
        {"full disk", [](const std::filesystem::path& f) { Machine::instance().set_disk_free(platform::Text_From_Host_Path(f.parent_path()), 200); },
         L"the disk is full", ERROR_DISK_FULL},
        {"short write", [](const std::filesystem::path& f) { Machine::instance().fail_writes_after(platform::Text_From_Host_Path(f), 100); },
         L"the disk is full", ERROR_DISK_FULL},
    };
    for (const auto& driver : drivers) {
        for (const auto& failure : failures) {
            SCOPED_TRACE(std::string(driver.what) + ", " + failure.what);
            const std::filesystem::path file = dir / driver.file;
            std::ofstream(file, std::ios::binary) << "old output";
            failure.arrange(file);
            SetLastError(ERROR_SUCCESS);
            platform::PlotResult r = platform::Render_Plot(Job(driver.driver, driver.file));
            const DWORD last_error = GetLastError();
            Machine::instance().allow_writes(platform::Text_From_Host_Path(dir));
            Machine::instance().set_disk_free(platform::Text_From_Host_Path(dir), std::nullopt);
            EXPECT_FALSE(r.ok);
            EXPECT_TRUE(r.files.empty());
            EXPECT_EQ(r.error, L"cannot write " + platform::Text_From_Host_Path(file) + L": " + failure.reason);
            EXPECT_EQ(last_error, failure.error);
            EXPECT_EQ(Read_File(file), "old output");
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
            std::filesystem::remove(file);
        }
    }
    // A printer whose spool folder is denied spools nothing.
    platform::PlotJob job = Job(PlotDriver::Printer, "unused");
    job.output_path.clear();
    job.device_name = L"Office Printer";
    job.spool_folder = platform::Text_From_Host_Path(dir / "spool");
    std::filesystem::create_directories(dir / "spool");
    Machine::instance().deny_writes(job.spool_folder);
    platform::PlotResult r = platform::Render_Plot(job);
    Machine::instance().allow_writes(job.spool_folder);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(L"access denied"), std::wstring::npos) << platform::To_Utf8(r.error);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "spool"));
}

}  // namespace
