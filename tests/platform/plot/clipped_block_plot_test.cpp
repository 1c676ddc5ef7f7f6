// Block references clipped by spatial filters (tests/fixtures/gen_clipped_blocks.py): each
// boundary reaches the page where the drawing program shows it, whatever the reference's and
// the filter's own transforms, inverted or nested, and the extents hold what shows; and the
// plot against a newer ezdxf's drawing (Debian 12's ezdxf does not clip references).
#include <gtest/gtest.h>

#include <cmath>

#include "db/dbdatabase.h"
#include "plot/render/render_page.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "ink_compare.h"
#include "ink_plot.h"

namespace {

const std::string kFixture = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/clipped_blocks.dxf";

// A point of a block placed at (x, y), scaled by s and turned by degrees.
platform::Paper_Point Placed(double px, double py, double x, double y, double s, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    return {x + s * (px * std::cos(a) - py * std::sin(a)), y + s * (px * std::sin(a) + py * std::cos(a))};
}

// Whether the ring has the corners, in any order and from any start.
bool Same_Corners(const platform::Paper_Ring& ring, const std::vector<platform::Paper_Point>& corners)
{
    if (ring.size() != corners.size()) return false;
    for (const platform::Paper_Point& c : corners) {
        bool found = false;
        for (const platform::Paper_Point& p : ring) found = found || (std::fabs(p.x - c.x) < 1e-6 && std::fabs(p.y - c.y) < 1e-6);
        if (!found) return false;
    }
    return true;
}

}  // namespace

TEST(ClippedBlockPlot, BoundariesReachThePageWhereTheDrawingShowsThem)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(kFixture).c_str()), Zcad::eOk);
    platform::PlotJob job;
    job.database = &db;
    job.paper.width_mm = 297, job.paper.height_mm = 420;
    job.landscape = true;
    job.window_min = {0, 0};
    job.window_max = {420, 297};  // page millimetres = drawing units
    render_test::Recording_Device dev;
    std::wstring error;
    ASSERT_TRUE(platform::Render_Page(job, dev, error)) << platform::To_Utf8(error);

    auto block = [](double x, double y, double s, double degrees, std::initializer_list<std::pair<double, double>> points) {
        std::vector<platform::Paper_Point> out;
        for (const auto& [px, py] : points) out.push_back(Placed(px, py, x, y, s, degrees));
        return out;
    };
    const struct {
        const char* what;
        std::vector<platform::Paper_Point> corners;
        bool inverted;
    } cases[] = {
        {"rectangle of two corners in block coordinates", block(20, 170, 1, 0, {{20, 20}, {80, 20}, {80, 70}, {20, 70}}), false},
        {"pentagon kept with the inverse of a scaled, turned reference",
         block(200, 170, 0.8, 30, {{10, 10}, {90, 10}, {90, 60}, {50, 90}, {10, 60}}), false},
        {"inverted rectangle", block(310, 170, 0.8, 0, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}), true},
        {"triangle of the outer reference", block(120, 20, 0.8, 90, {{-20, -20}, {100, -20}, {-20, 100}}), false},
        {"rectangle of the nested reference", block(120, 20, 0.8, 90, {{0, 0}, {60, 0}, {60, 60}, {0, 60}}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int found = 0;
        for (size_t k = 0; k < dev.clips.size(); ++k)
            if (Same_Corners(dev.clips[k], c.corners)) {
                ++found;
                EXPECT_EQ(dev.clip_inverted[k], c.inverted);
            }
        EXPECT_EQ(found, 1);
    }
    // The extents: what shows inside the boundaries (the triangle's corners at (40, 4) and
    // (136, 4), the pentagon's top at 252.35), the inverted clip's reference whole (to x 390).
    platform::PlotJob extents = job;
    extents.area = platform::PlotArea::Extents;
    ZcGePoint2d lo, hi;
    ASSERT_TRUE(platform::Resolve_Plot_Window(extents, lo, hi, error)) << platform::To_Utf8(error);
    EXPECT_NEAR(lo.x, 40, 1e-6);
    EXPECT_NEAR(lo.y, 4, 1e-6);
    EXPECT_NEAR(hi.x, 390, 1e-6);
    EXPECT_NEAR(hi.y, 170 + 0.8 * (50 * std::sin(M_PI / 6) + 90 * std::cos(M_PI / 6)), 1e-6);
}

// What the plot shows against ezdxf 1.4's drawing, which clips references as the boundaries say
// (skipped when that ezdxf cannot be had).
TEST(ClippedBlockPlot, PlotMatchesANewerEzdxf)
{
    const std::string newer = korvel_test::Newer_Ezdxf();
    if (newer.empty()) GTEST_SKIP() << "no newer ezdxf (tests/support/newer_ezdxf.sh needs the network once)";
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(platform::From_Utf8(kFixture).c_str()), Zcad::eOk);
    const auto dir = render_test::Output_Folder("clipped_ink");
    const std::string pdf = (dir / "clipped.pdf").string();
    korvel_test::Ink_Plot plot;
    std::string error;
    ASSERT_TRUE(korvel_test::Plot_For_Ink(db, pdf, plot, error)) << error;
    const korvel_test::Ink_Figures ink = korvel_test::Compare_Ink(
        kFixture, pdf, korvel_test::Ink_Window_Argument(plot), "--dpi 150 --ezdxf '" + newer + "'");
    ASSERT_TRUE(ink.ok) << ink.output;
    EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
    EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
}
