// Where the plot window lands on the paper.
#include <gtest/gtest.h>

#include "plot/render/plot_paper_layout.h"

using platform::Paper_Layout;
using platform::PlotJob;

namespace {

ZcGePoint3d On_Paper(const Paper_Layout& l, double x, double y) { return l.paper_from_drawing * ZcGePoint3d(x, y, 0); }

}  // namespace

TEST(RenderPaperLayout, WindowCornersLandWhereOrientationScaleAndPlacementPutThem)
{
    struct Case {
        const char* what;
        bool landscape;
        int rotation;
        bool fit, centered;
        double offset_x, offset_y;
        double page_w, page_h;
        double scale;
        // Where the window's lower-left (0,0) and upper-right (594,420) corners land.
        double llx, lly, urx, ury;
    } cases[] = {
        {"fit, centred, portrait A4", false, 0, true, true, 0, 0, 210, 297, 210.0 / 594, 0,
         (297 - 420 * 210.0 / 594) / 2, 210, (297 + 420 * 210.0 / 594) / 2},
        {"fit, landscape A4 fills the page", true, 0, true, true, 0, 0, 297, 210, 0.5, 0, 0, 297, 210},
        {"turned 90 on portrait A4", false, 90, true, true, 0, 0, 210, 297, 0.5, 210, 0, 0, 297},
        {"turned 180", true, 180, true, true, 0, 0, 297, 210, 0.5, 297, 210, 0, 0},
        {"custom 1:4 with an offset", true, 0, false, false, 10, 5, 297, 210, 0.25, 10, 5, 158.5, 110},
        {"custom 1:4 centred", true, 0, false, true, 0, 0, 297, 210, 0.25, 74.25, 52.5, 222.75, 157.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PlotJob job;
        job.paper.width_mm = 210, job.paper.height_mm = 297;
        job.landscape = c.landscape;
        job.rotation_degrees = c.rotation;
        job.fit_to_paper = c.fit;
        job.paper_units = 1, job.drawing_units = 4;
        job.centered = c.centered;
        job.offset_mm = ZcGePoint2d(c.offset_x, c.offset_y);
        Paper_Layout l;
        std::wstring error;
        ASSERT_TRUE(platform::Compute_Paper_Layout(job, {0, 0}, {594, 420}, l, error));
        EXPECT_DOUBLE_EQ(l.page_width_mm, c.page_w);
        EXPECT_DOUBLE_EQ(l.page_height_mm, c.page_h);
        EXPECT_NEAR(l.scale, c.scale, 1e-12);
        ZcGePoint3d ll = On_Paper(l, 0, 0), ur = On_Paper(l, 594, 420);
        EXPECT_NEAR(ll.x, c.llx, 1e-9);
        EXPECT_NEAR(ll.y, c.lly, 1e-9);
        EXPECT_NEAR(ur.x, c.urx, 1e-9);
        EXPECT_NEAR(ur.y, c.ury, 1e-9);
    }
}

TEST(RenderPaperLayout, MarginsShrinkThePrintableAreaAndTurnWithThePaper)
{
    PlotJob job;
    job.paper.width_mm = 210, job.paper.height_mm = 297;
    job.paper.margin_left_mm = 10, job.paper.margin_bottom_mm = 20, job.paper.margin_right_mm = 0,
    job.paper.margin_top_mm = 0;
    Paper_Layout l;
    std::wstring error;
    ASSERT_TRUE(platform::Compute_Paper_Layout(job, {0, 0}, {200, 277}, l, error));
    EXPECT_DOUBLE_EQ(l.printable_min.x, 10);
    EXPECT_DOUBLE_EQ(l.printable_min.y, 20);
    EXPECT_DOUBLE_EQ(l.scale, 1.0);
    job.landscape = true;  // the left margin goes to the bottom
    ASSERT_TRUE(platform::Compute_Paper_Layout(job, {0, 0}, {277, 200}, l, error));
    EXPECT_DOUBLE_EQ(l.printable_min.x, 0);
    EXPECT_DOUBLE_EQ(l.printable_min.y, 10);
    EXPECT_DOUBLE_EQ(l.printable_max.x, 297 - 20);
}

TEST(RenderPaperLayout, DegenerateInputIsRefused)
{
    PlotJob job;
    Paper_Layout l;
    std::wstring error;
    EXPECT_FALSE(platform::Compute_Paper_Layout(job, {5, 5}, {5, 10}, l, error));
    EXPECT_EQ(error, L"plot window is empty");
    job.paper.width_mm = 0;
    EXPECT_FALSE(platform::Compute_Paper_Layout(job, {0, 0}, {10, 10}, l, error));
    job.paper.width_mm = 210;
    job.fit_to_paper = false;
    job.drawing_units = 0;
    EXPECT_FALSE(platform::Compute_Paper_Layout(job, {0, 0}, {10, 10}, l, error));
    EXPECT_EQ(error, L"plot scale must be positive");
}
