// Polylines whose width is thinner than the pen (tests/fixtures/gen_hairlines.py) plot as lines
// of the pen, as the same polylines without width do: the plot of hairlines.dxf against ezdxf's
// drawing of hairlines_as_lines.dxf, at 400 dpi (the 0.25 mm pen is 4 pixels wide) with a
// tolerance of one pixel. A polyline wider than the pen stays filled.
#include <gtest/gtest.h>

#include "db/dbdatabase.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "ink_compare.h"
#include "ink_plot.h"

namespace {

std::string Fixture(const char* name) { return std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + name; }

}  // namespace

TEST(HairlinePlot, WidthsThinnerThanThePenPlotAsItsLines)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(Fixture("hairlines.dxf")).c_str()), Zcad::eOk);
    const auto dir = render_test::Output_Folder("hairline_ink");
    const struct {
        const char* what;
        double window[4];
    } cases[] = {
        {"lightweight polylines", {15, 100, 230, 180}},
        {"heavy polyline", {15, 35, 230, 50}},
        {"wider than the pen", {15, 60, 230, 85}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string pdf = (dir / (std::string(c.what).substr(0, 5) + ".pdf")).string();
        korvel_test::Ink_Plot plot;
        plot.extents = false;
        std::copy(c.window, c.window + 4, plot.window);
        std::string error;
        ASSERT_TRUE(korvel_test::Plot_For_Ink(db, pdf, plot, error)) << error;
        const korvel_test::Ink_Figures ink = korvel_test::Compare_Ink(
            Fixture("hairlines_as_lines.dxf"), pdf, korvel_test::Ink_Window_Argument(plot), "--dpi 400 --tolerance 1");
        ASSERT_TRUE(ink.ok) << ink.output;
        EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
        EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
    }
}
