// The quick test for boxes far off the page: it calls a box off only where mapping the box's
// corners onto the page says so too, and it answers for the transforms plots use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "plot/render/drawing_cull_box.h"

using namespace platform;

namespace {

// Off the page as mapping the eight corners tells.
bool Off_By_Corners(const ZcGeMatrix3d& m, const Paper_Point& lo, const Paper_Point& hi, const ZcDbExtents& box)
{
    const ZcGePoint3d a = box.minPoint(), b = box.maxPoint();
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (int i = 0; i < 8; ++i) {
        ZcGePoint3d q = m * ZcGePoint3d((i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z);
        x0 = std::min(x0, q.x), x1 = std::max(x1, q.x), y0 = std::min(y0, q.y), y1 = std::max(y1, q.y);
    }
    return x1 < lo.x || x0 > hi.x || y1 < lo.y || y0 > hi.y;
}

// A sheet's transform: drawing units to millimetres on the page, turned by a multiple of a
// quarter (built from whole entries) or by any angle, then moved.
ZcGeMatrix3d Sheet_Transform(double scale, int quarters, double angle, double dx, double dy)
{
    ZcGeMatrix3d m = ZcGeMatrix3d::scaling(scale);
    if (quarters != 0) {
        const int c[4] = {1, 0, -1, 0}, s[4] = {0, 1, 0, -1};
        ZcGeMatrix3d turn;
        turn(0, 0) = c[quarters], turn(0, 1) = -s[quarters], turn(1, 0) = s[quarters], turn(1, 1) = c[quarters];
        m = turn * m;
    }
    if (angle != 0.0) m = ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis) * m;
    return ZcGeMatrix3d::translation(ZcGeVector3d(dx, dy, 0)) * m;
}

TEST(Drawing_Cull_Box, CallsBoxesOffOnlyWhereTheirCornersAreOffThePage)
{
    const struct {
        const char* what;
        int quarters;
        double angle;
        bool answers;  // far boxes are called off
    } cases[] = {
        {"scaled and moved", 0, 0.0, true},
        {"a quarter turn", 1, 0.0, true},
        {"half a turn", 2, 0.0, true},
        {"three quarters", 3, 0.0, true},
        {"turned by 30 degrees", 0, 0.5236, false},
    };
    std::mt19937 random(21);
    std::uniform_real_distribution<double> coordinate(-5000.0, 5000.0), size(0.0, 300.0), unit(0.01, 10.0);
    const Paper_Point lo{-5, -5}, hi{425, 302};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing_Cull_Box quick;
        int called_off = 0;
        for (int i = 0; i < 4000; ++i) {
            // A few transforms, many boxes each: the box is worked out again when the transform changes.
            std::uniform_real_distribution<double> shift(-2000.0, 2000.0);
            const ZcGeMatrix3d m = Sheet_Transform(i % 500 == 0 ? unit(random) : 0.5, c.quarters, c.angle, i % 3 * 100.0,
                                                   -(i % 7) * 50.0);
            const double x = coordinate(random), y = coordinate(random);
            const ZcDbExtents box(ZcGePoint3d(x, y, -1), ZcGePoint3d(x + size(random), y + size(random), 1));
            const bool off = Off_By_Corners(m, lo, hi, box);
            const bool quick_off = quick.clearly_outside(m, lo, hi, box);
            if (quick_off) {
                ++called_off;
                EXPECT_TRUE(off) << x << "," << y;
            }
        }
        EXPECT_EQ(called_off > 0, c.answers);
    }
}

TEST(Drawing_Cull_Box, BoxesOnTheEdgeAndOddTransformsGoToTheCornerTest)
{
    const Paper_Point lo{0, 0}, hi{420, 297};
    const ZcGeMatrix3d m = Sheet_Transform(1.0, 0, 0.0, 0, 0);
    Drawing_Cull_Box quick;
    // Touching the edge, or a hair inside: not off.
    EXPECT_FALSE(quick.clearly_outside(m, lo, hi, ZcDbExtents(ZcGePoint3d(420, 0, 0), ZcGePoint3d(500, 10, 0))));
    EXPECT_FALSE(quick.clearly_outside(m, lo, hi, ZcDbExtents(ZcGePoint3d(-10, -10, 0), ZcGePoint3d(1e-12, 1e-12, 0))));
    EXPECT_TRUE(quick.clearly_outside(m, lo, hi, ZcDbExtents(ZcGePoint3d(421, 0, 0), ZcGePoint3d(500, 10, 0))));
    // The cull box moved: worked out again.
    EXPECT_FALSE(quick.clearly_outside(m, lo, {600, 297}, ZcDbExtents(ZcGePoint3d(421, 0, 0), ZcGePoint3d(500, 10, 0))));
    // Depth that reaches the page, and a perspective row: no answer.
    ZcGeMatrix3d tilted = m;
    tilted(0, 2) = 0.5;
    EXPECT_FALSE(quick.clearly_outside(tilted, lo, hi, ZcDbExtents(ZcGePoint3d(1000, 0, 0), ZcGePoint3d(1001, 1, 0))));
    ZcGeMatrix3d perspective = m;
    perspective(3, 2) = 0.001;
    EXPECT_FALSE(quick.clearly_outside(perspective, lo, hi, ZcDbExtents(ZcGePoint3d(1000, 0, 0), ZcGePoint3d(1001, 1, 0))));
}

}  // namespace
