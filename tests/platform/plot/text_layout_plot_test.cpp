// How texts are laid out on the plot (tests/fixtures/gen_text_layout.py): narrow columns break at
// blanks, caret codes decode, mirrored multiline texts read mirrored with each paragraph in its
// place; against Debian's ezdxf, which draws these cases as a drawing program does (for the text
// mirrored without a text direction it is given the direction spelled out: it would take +X).
#include <gtest/gtest.h>

#include "db/dbdatabase.h"
#include "plot/plot_job.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "win/host_path_text.h"
#include "ink_compare.h"
#include "ink_plot.h"

using render_test::Quote;
using render_test::Run_Command;

namespace {

std::string Fixture(const char* name) { return std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + name; }

}  // namespace

TEST(TextLayoutInk, TextsLandOnEzdxfsInk)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(Fixture("text_layout.dxf")).c_str()), Zcad::eOk);
    const auto dir = render_test::Output_Folder("text_layout_ink");
    const struct {
        const char* what;
        const char* oracle;  // the drawing ezdxf draws
        double window[4];
    } cases[] = {
        {"narrow column", "text_layout.dxf", {15, 168, 90, 200}},
        {"caret codes", "text_layout.dxf", {15, 60, 110, 106}},
        {"mirrored", "text_layout_spelled.dxf", {150, 5, 290, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string pdf = (dir / (std::string(c.what).substr(0, 6) + ".pdf")).string();
        korvel_test::Ink_Plot plot;
        plot.page_width_mm = 297, plot.page_height_mm = 210;
        plot.extents = false;
        std::copy(c.window, c.window + 4, plot.window);
        std::string error;
        ASSERT_TRUE(korvel_test::Plot_For_Ink(db, pdf, plot, error)) << error;
        const korvel_test::Ink_Figures ink =
            korvel_test::Compare_Ink(Fixture(c.oracle), pdf, korvel_test::Ink_Window_Argument(plot), "--dpi 200");
        ASSERT_TRUE(ink.ok) << ink.output;
        EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
        EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
    }
}

// The mirrored texts in the formats that do not draw through cairo: DWF writes W2D texts, which
// only turn, for the two that are not mirrored and glyph outlines for the two that are (not texts
// turned upside down); PLT writes every text as its filled outline, wherever it lies on the page.
TEST(TextLayoutOutput, MirroredTextsReadMirroredInDwfAndPlt)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(Fixture("text_layout.dxf")).c_str()), Zcad::eOk);
    const auto dir = render_test::Output_Folder("text_layout_output");
    auto count = [](const std::string& s, const std::string& what) {
        size_t n = 0;
        for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
        return n;
    };
    const struct {
        platform::PlotDriver driver;
        const char* file;
        const char* marker;  // what each text run is written as
        size_t runs;
        const char* outline;
        size_t outlines;
    } cases[] = {
        {platform::PlotDriver::Dwf, "mirrored.dwf", "(Text ", 4, "(Contour ", 4},
        {platform::PlotDriver::Plt, "mirrored.plt", "FP0", 8, "FP0", 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        platform::PlotJob job;
        job.database = &db;
        job.driver = c.driver;
        job.paper.width_mm = 297, job.paper.height_mm = 210;
        job.window_min = {150, 5};
        job.window_max = {290, 200};
        job.output_path = platform::Text_From_Host_Path(dir / c.file);
        platform::PlotResult r = platform::Render_Plot(job);
        ASSERT_TRUE(r.ok) << platform::To_Utf8(r.error);
        std::string out = render_test::Read_File(dir / c.file);
        if (c.driver == platform::PlotDriver::Dwf)
            out = Run_Command("/usr/bin/python3 -c \"import sys, zipfile\n"
                              "z = zipfile.ZipFile(sys.argv[1])\n"
                              "print([z.read(n) for n in z.namelist() if n.endswith('.w2d')][0].decode('utf-8'))\n"
                              "\" " + Quote(dir / c.file));
        EXPECT_EQ(count(out, c.marker), c.runs) << out.substr(0, 2000);
        EXPECT_EQ(count(out, c.outline), c.outlines);
    }
}
