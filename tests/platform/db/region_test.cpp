#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "db/dbents.h"
#include "db/dbregion.h"

namespace {

ZcDbPolyline* Rect_Pline(double x0, double y0, double x1, double y1)
{
    auto* pline = new ZcDbPolyline();
    const ZcGePoint2d corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    for (unsigned int i = 0; i < 4; ++i)
        pline->addVertexAt(i, corners[i]);
    pline->setClosed(true);
    return pline;
}

// The one region made from the curve (which is deleted).
std::unique_ptr<ZcDbRegion> Region_Of(ZcDbCurve* curve)
{
    ZcDbVoidPtrArray curves, regions;
    curves.append(curve);
    const Zcad::ErrorStatus es = ZcDbRegion::createFromCurves(curves, regions);
    delete curve;
    if (es != Zcad::eOk || regions.length() != 1)
        return nullptr;
    return std::unique_ptr<ZcDbRegion>(static_cast<ZcDbRegion*>(regions[0]));
}

double Area_Of(const ZcDbRegion& region)
{
    double area = -1.0;
    EXPECT_EQ(region.getArea(area), Zcad::eOk);
    return area;
}

}  // namespace

TEST(Region, MadeFromClosedCurvesOnlyWithTheirArea)
{
    auto square = Region_Of(Rect_Pline(0, 0, 10, 10));
    ASSERT_NE(square, nullptr);
    EXPECT_NEAR(Area_Of(*square), 100.0, 1e-9);

    // Clockwise vertices enclose the same area.
    auto* clockwise = new ZcDbPolyline();
    const ZcGePoint2d cw[3] = {{0, 0}, {0, 4}, {3, 0}};
    for (unsigned int i = 0; i < 3; ++i)
        clockwise->addVertexAt(i, cw[i]);
    clockwise->setClosed(true);
    auto triangle = Region_Of(clockwise);
    ASSERT_NE(triangle, nullptr);
    EXPECT_NEAR(Area_Of(*triangle), 6.0, 1e-9);

    auto circle = Region_Of(new ZcDbCircle(ZcGePoint3d(5, 5, 0), ZcGeVector3d::kZAxis, 2.0));
    ASSERT_NE(circle, nullptr);
    EXPECT_NEAR(Area_Of(*circle), 4.0 * M_PI, 0.01);

    ZcDbVoidPtrArray curves, regions;
    ZcDbLine line(ZcGePoint3d(0, 0, 0), ZcGePoint3d(5, 0, 0));
    auto* open = Rect_Pline(0, 0, 1, 1);
    open->setClosed(false);
    curves.append(&line);
    curves.append(open);
    EXPECT_EQ(ZcDbRegion::createFromCurves(curves, regions), Zcad::eInvalidInput);
    EXPECT_EQ(regions.length(), 0);
    delete open;
}

TEST(Region, SubtractingLeavesTheAreaOutsideTheOther)
{
    struct Case {
        const char* what;
        double x0, y0, x1, y1;  // the rectangle taken from the square 0..10
        double area;
    };
    const Case cases[] = {
        {"hole inside", 2, 2, 4, 5, 94.0},
        {"overlapping a corner", 8, 8, 12, 12, 96.0},
        {"apart", 20, 20, 30, 30, 100.0},
        {"covering all", -1, -1, 11, 11, 0.0},
        {"sharing an edge inside", 0, 0, 5, 10, 50.0},
        {"crossing through", 4, -5, 6, 15, 80.0},
    };
    for (const Case& c : cases) {
        auto square = Region_Of(Rect_Pline(0, 0, 10, 10));
        auto other = Region_Of(Rect_Pline(c.x0, c.y0, c.x1, c.y1));
        ASSERT_EQ(square->booleanOper(ZcDb::kBoolSubtract, other.get()), Zcad::eOk) << c.what;
        EXPECT_NEAR(Area_Of(*square), c.area, 1e-9) << c.what;
        EXPECT_TRUE(other->isNull()) << c.what;
    }
}

TEST(Region, SeveralHolesAndACopyKeepTheirOwnArea)
{
    auto square = Region_Of(Rect_Pline(0, 0, 10, 10));
    auto first = Region_Of(Rect_Pline(1, 1, 5, 5));
    auto second = Region_Of(Rect_Pline(3, 3, 7, 7));  // overlaps the first hole by 4
    auto copy = std::unique_ptr<ZcDbRegion>(static_cast<ZcDbRegion*>(square->clone()));
    ASSERT_EQ(square->booleanOper(ZcDb::kBoolSubtract, first.get()), Zcad::eOk);
    ASSERT_EQ(square->booleanOper(ZcDb::kBoolSubtract, second.get()), Zcad::eOk);
    EXPECT_NEAR(Area_Of(*square), 100.0 - 16.0 - 16.0 + 4.0, 1e-9);
    EXPECT_FALSE(square->contains(ZcGePoint2d(4, 4)));
    EXPECT_TRUE(square->contains(ZcGePoint2d(9, 1)));
    ASSERT_NE(copy, nullptr);
    EXPECT_NEAR(Area_Of(*copy), 100.0, 1e-9);

    // A region with holes cannot be taken away: what it lacks would come back.
    auto outer = Region_Of(Rect_Pline(0, 0, 20, 20));
    EXPECT_EQ(outer->booleanOper(ZcDb::kBoolSubtract, square.get()), Zcad::eNotImplemented);
    EXPECT_NEAR(Area_Of(*outer), 400.0, 1e-9);
}
