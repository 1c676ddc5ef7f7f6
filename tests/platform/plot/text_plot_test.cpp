// Texts on the plotted page: the characters their codes stand for, multiline paragraphs and
// stacks where the format codes put them (read back from the PDF by pdftotext), and the cap
// height of the pinned font at the text height.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "db/dbents.h"
#include "db/text_metrics.h"
#include "plot/drivers/plot_font.h"
#include "plot/plot_job.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "ink_compare.h"
#include "ink_plot.h"
#include "win/host_path_text.h"

using render_test::Quote;
using render_test::Run_Command;

namespace {

const std::string kFixture = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/text_codes.dxf";

// A word's box on the page as pdftotext -bbox gives it, in millimetres from the top left.
struct Word_Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// The A4 landscape fixture plotted 1:1 (page millimetres = drawing units), to a PDF unless a
// test plots it again to another format.
class TextPlot : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(db.readDwgFile(platform::From_Utf8(kFixture).c_str()), Zcad::eOk);
        dir = render_test::Output_Folder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        pdf = Plot(platform::PlotDriver::Pdf, "texts.pdf");
    }

    std::filesystem::path Plot(platform::PlotDriver driver, const char* file)
    {
        platform::PlotJob job;
        job.database = &db;
        job.driver = driver;
        job.paper.width_mm = 210, job.paper.height_mm = 297;
        job.landscape = true;
        job.window_min = {0, 0};
        job.window_max = {297, 210};
        job.output_path = platform::Text_From_Host_Path(dir / file);
        platform::PlotResult r = platform::Render_Plot(job);
        EXPECT_TRUE(r.ok) << platform::To_Utf8(r.error);
        return dir / file;
    }

    std::multimap<std::string, Word_Box> Words()
    {
        std::multimap<std::string, Word_Box> words;
        const std::string out = Run_Command("pdftotext -bbox " + Quote(pdf) + " -");
        const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
        const double mm = 25.4 / 72.0;
        for (std::sregex_iterator it(out.begin(), out.end(), word), end; it != end; ++it) {
            const std::smatch& m = *it;
            words.emplace(m[5].str(), Word_Box{std::stod(m[1]) * mm, std::stod(m[2]) * mm, std::stod(m[3]) * mm,
                                               std::stod(m[4]) * mm});
        }
        return words;
    }

    ZcDbDatabase db{false, true};
    std::filesystem::path dir, pdf;
};

TEST_F(TextPlot, CodesPrintAsTheCharactersTheyStandFor)
{
    const std::string text = Run_Command("pdftotext -layout " + Quote(pdf) + " -");
    const char* expected[] = {"Ø20", "45°", "10±0.1", "100%", "A1", "UNDER LINE", "OVER", "Ø30"};
    for (const char* s : expected) EXPECT_NE(text.find(s), std::string::npos) << s << " in\n" << text;
    EXPECT_EQ(text.find("%%"), std::string::npos) << text;
    EXPECT_EQ(text.find("\\S"), std::string::npos) << text;
    EXPECT_EQ(text.find("pxq"), std::string::npos) << text;
}

TEST_F(TextPlot, ParagraphsAndStacksLandWhereTheirCodesPutThem)
{
    std::multimap<std::string, Word_Box> words = Words();
    for (const char* w : {"CENTRE", "RIGHT", "LEFT", "1", "34"}) ASSERT_EQ(words.count(w), 1u) << w;
    // The column runs from x 150 to 250.
    const Word_Box centre = words.find("CENTRE")->second, right = words.find("RIGHT")->second,
                   left = words.find("LEFT")->second;
    EXPECT_NEAR((centre.x0 + centre.x1) / 2, 200.0, 0.3);
    EXPECT_NEAR(right.x1, 250.0, 0.3);
    EXPECT_NEAR(left.x0, 150.0, 0.3);
    // "1\S3/4;": after the 1, the 3 over the 4 (one word to pdftotext), smaller characters that
    // span more height than the 1.
    const Word_Box one = words.find("1")->second, stack = words.find("34")->second;
    EXPECT_GE(stack.x0, one.x1 - 0.1);
    EXPECT_LT(stack.x1 - stack.x0, one.x1 - one.x0);
    EXPECT_GT(stack.y1 - stack.y0, 1.1 * (one.y1 - one.y0));
}

TEST_F(TextPlot, SvgWritesTextsAsTextWhereTheyStand)
{
    const auto svg = Plot(platform::PlotDriver::Svg, "texts.svg");
    // Each text element: its string, the translation of its transform, its font; and the count
    // of filled paths and of references to shapes defined once (glyph outlines would be those).
    const std::string out = Run_Command(
        "/usr/bin/python3 -c \"" + std::string(
        "import sys, re, xml.etree.ElementTree as E\n"
        "ns = '{http://www.w3.org/2000/svg}'\n"
        "root = E.parse(sys.argv[1]).getroot()\n"
        "for t in root.iter(ns + 'text'):\n"
        "    m = re.match(r'matrix\\(([^)]*)\\)', t.get('transform')).group(1).split()\n"
        "    print('text|%s|%.2f|%.2f|%s' % (t.text, float(m[4]), float(m[5]), t.get('font-family')))\n"
        "print('filled', sum(1 for p in root.iter(ns + 'path') if p.get('fill') not in (None, 'none')))\n"
        "print('uses', sum(1 for u in root.iter(ns + 'use')))\n") +
        "\" " + Quote(svg));
    const struct {
        const char* text;
        double x, y;  // baseline start, page millimetres from the lower left
    } expected[] = {
        {"Ø20", 20, 190}, {"45°", 20, 178}, {"10±0.1", 20, 166}, {"100%", 20, 154}, {"A1", 20, 142}, {"Ø30", 20, 106},
    };
    for (const auto& e : expected) {
        char line[128];
        std::snprintf(line, sizeof line, "text|%s|%.2f|%.2f|WenQuanYi Micro Hei", e.text, e.x, e.y);
        EXPECT_NE(out.find(line), std::string::npos) << line << " in\n" << out;
    }
    for (const char* word : {"|CENTRE|", "|RIGHT|", "|LEFT|", "|UNDER LINE|", "|OVER|", "|3|", "|4|"})
        EXPECT_NE(out.find(word), std::string::npos) << word << " in\n" << out;
    EXPECT_NE(out.find("filled 0"), std::string::npos) << out;
    EXPECT_NE(out.find("uses 0"), std::string::npos) << out;
}

// A text of height h plots an "X" h high: the font's em is scaled by its own cap height.
TEST(TextCapHeight, AnXIsAsHighAsTheText)
{
    render_test::Drawing d;
    d.text(20, 30, 10.0, L"X");
    platform::PlotJob job;
    job.database = d.db.get();
    job.paper.width_mm = 210, job.paper.height_mm = 297;
    job.landscape = true;
    job.window_min = {0, 0};
    job.window_max = {297, 210};
    render_test::Recording_Device dev;
    std::wstring error;
    ASSERT_TRUE(platform::Render_Page(job, dev, error)) << platform::To_Utf8(error);
    ASSERT_EQ(dev.texts.size(), 1u);
    double bottom = 1e9, top = -1e9;
    for (const platform::Paper_Ring& ring : platform::Plot_Text_Outline(dev.texts[0].text))
        for (const platform::Paper_Point& p : ring) bottom = std::min(bottom, p.y), top = std::max(top, p.y);
    EXPECT_NEAR(bottom, 30.0, 0.02);
    EXPECT_NEAR(top, 40.0, 0.02);
}

// The fixture's texts against ezdxf's drawing of them (its style names the pinned font), each
// window fitted to the page. Only the codes ezdxf draws too: it prints "%%nnn" and the line
// codes of multiline texts as they stand, draws no underlines for single-line texts, and lays
// out paragraphs and stacks in its own way.
TEST(TextInk, TextsLandOnEzdxfsInk)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(kFixture).c_str()), Zcad::eOk);
    const auto dir = render_test::Output_Folder("text_ink");
    const struct {
        const char* what;
        double window[4];
    } windows[] = {
        {"diameter, degree, plus-minus, percent", {15, 150, 110, 200}},
        {"attribute", {15, 100, 110, 115}},
    };
    for (const auto& w : windows) {
        SCOPED_TRACE(w.what);
        const std::string pdf = (dir / (std::string(w.what).substr(0, 4) + ".pdf")).string();
        korvel_test::Ink_Plot plot;
        plot.page_width_mm = 297, plot.page_height_mm = 210;
        plot.extents = false;
        std::copy(w.window, w.window + 4, plot.window);
        std::string error;
        ASSERT_TRUE(korvel_test::Plot_For_Ink(db, pdf, plot, error)) << error;
        const korvel_test::Ink_Figures ink =
            korvel_test::Compare_Ink(kFixture, pdf, korvel_test::Ink_Window_Argument(plot), "--dpi 200");
        ASSERT_TRUE(ink.ok) << ink.output;
        EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
        EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
    }
}

}  // namespace
