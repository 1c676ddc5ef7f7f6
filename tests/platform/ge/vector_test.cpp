#include <gtest/gtest.h>

#include <cmath>

#include "ge/ge.h"

TEST(GeVector3d, AngleToIsUnsignedAndAccurateNearZeroAndPi)
{
    struct Case {
        ZcGeVector3d a, b;
        double angle;
    };
    const Case cases[] = {
        {{1, 0, 0}, {0, 1, 0}, M_PI / 2},
        {{1, 0, 0}, {0, -1, 0}, M_PI / 2},
        {{1, 0, 0}, {-1, 0, 0}, M_PI},
        {{1, 0, 0}, {1, 1e-9, 0}, 1e-9},
        {{2, 0, 0}, {-3, 1e-9, 0}, M_PI - 1e-9 / 3},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(c.a.angleTo(c.b), c.angle, 1e-15) << c.angle;
}

TEST(GeVector3d, AngleToAboutAReferenceTurnsCounterClockwise)
{
    const ZcGeVector3d x = ZcGeVector3d::kXAxis, y = ZcGeVector3d::kYAxis;
    EXPECT_NEAR(x.angleTo(y, ZcGeVector3d::kZAxis), M_PI / 2, 1e-12);
    EXPECT_NEAR(x.angleTo(y, -ZcGeVector3d::kZAxis), 3 * M_PI / 2, 1e-12);
    EXPECT_NEAR(x.angleTo(x, ZcGeVector3d::kZAxis), 0.0, 1e-12);
}

TEST(GeVector3d, DirectionTestsUseUnitVectorsAndRejectZeroLength)
{
    const ZcGeVector3d v(3, 0, 0), zero;
    EXPECT_TRUE(v.isParallelTo(ZcGeVector3d(-0.5, 0, 0)));
    EXPECT_TRUE(v.isCodirectionalTo(ZcGeVector3d(7, 0, 0)));
    EXPECT_FALSE(v.isCodirectionalTo(ZcGeVector3d(-7, 0, 0)));
    EXPECT_TRUE(v.isPerpendicularTo(ZcGeVector3d(0, 0, 9)));
    EXPECT_FALSE(v.isParallelTo(ZcGeVector3d(1, 1e-6, 0)));
    EXPECT_TRUE(v.isParallelTo(ZcGeVector3d(1, 1e-6, 0), ZcGeTol(1e-10, 1e-5)));
    for (bool r : {zero.isParallelTo(v), v.isParallelTo(zero), zero.isPerpendicularTo(v),
                   zero.isCodirectionalTo(zero)})
        EXPECT_FALSE(r);
    EXPECT_TRUE(zero.isZeroLength());
    EXPECT_TRUE(ZcGeVector3d(1e-13, 0, 0).isZeroLength());
}

TEST(GeVector3d, NormalizeLeavesZeroAlone)
{
    ZcGeVector3d v(0, 3, 4);
    v.normalize();
    EXPECT_TRUE(v.isEqualTo(ZcGeVector3d(0, 0.6, 0.8)));
    EXPECT_TRUE(v.isUnitLength());
    ZcGeVector3d zero;
    zero.normalize();
    EXPECT_TRUE(zero.isEqualTo(ZcGeVector3d::kIdentity));
    EXPECT_FALSE(std::isnan(zero.x));
}

TEST(GeVector3d, CrossProductRotationAndPerpVector)
{
    EXPECT_TRUE(ZcGeVector3d::kXAxis.crossProduct(ZcGeVector3d::kYAxis).isEqualTo(ZcGeVector3d::kZAxis));
    ZcGeVector3d v = ZcGeVector3d::kXAxis;
    v.rotateBy(M_PI / 2, ZcGeVector3d::kZAxis);
    EXPECT_TRUE(v.isEqualTo(ZcGeVector3d::kYAxis));
    // The arbitrary-axis rule: near the Z axis the X axis comes from Y x N, else from Z x N.
    EXPECT_TRUE(ZcGeVector3d::kZAxis.perpVector().isEqualTo(ZcGeVector3d::kXAxis));
    EXPECT_TRUE((-ZcGeVector3d::kZAxis).perpVector().isEqualTo(-ZcGeVector3d::kXAxis));
    EXPECT_TRUE(ZcGeVector3d::kXAxis.perpVector().isEqualTo(ZcGeVector3d::kYAxis));
}

TEST(GePoint3d, DistanceConvertAndTolerance)
{
    const ZcGePoint3d p(1, 2, 3);
    EXPECT_DOUBLE_EQ(p.distanceTo(ZcGePoint3d(4, 6, 3)), 5.0);
    EXPECT_TRUE(p.convert2d().isEqualTo(ZcGePoint2d(1, 2)));
    EXPECT_TRUE(p.convert2d().convert3d(3).isEqualTo(p));
    EXPECT_TRUE(p.isEqualTo(ZcGePoint3d(1, 2, 3 + 5e-11)));
    EXPECT_FALSE(p.isEqualTo(ZcGePoint3d(1, 2, 3 + 5e-10)));
    EXPECT_TRUE(p.isEqualTo(ZcGePoint3d(1, 2, 3.01), ZcGeTol(0.1, 1e-12)));
    EXPECT_TRUE((p - ZcGePoint3d::kOrigin).isEqualTo(p.asVector()));
}

TEST(GePoint3d, MirrorAndProjectOnAPlane)
{
    const ZcGePlane plane(ZcGePoint3d(0, 0, 2), ZcGeVector3d(0, 0, 5));
    ZcGePoint3d p(1, 1, 5);
    EXPECT_TRUE(p.orthoProject(plane).isEqualTo(ZcGePoint3d(1, 1, 2)));
    p.mirror(plane);
    EXPECT_TRUE(p.isEqualTo(ZcGePoint3d(1, 1, -1)));
    EXPECT_DOUBLE_EQ(plane.signedDistanceTo(p), -3.0);
}

TEST(GeVector2d, AnglesAndDirections)
{
    EXPECT_NEAR(ZcGeVector2d(0, -1).angle(), 3 * M_PI / 2, 1e-12);
    EXPECT_NEAR(ZcGeVector2d(1, 0).angleTo(ZcGeVector2d(0, -1)), M_PI / 2, 1e-12);
    EXPECT_TRUE(ZcGeVector2d(2, 0).isParallelTo(ZcGeVector2d(-1, 0)));
    EXPECT_TRUE(ZcGeVector2d(2, 0).isPerpendicularTo(ZcGeVector2d(0, 3)));
    EXPECT_TRUE(ZcGeVector2d(1, 0).perpVector().isEqualTo(ZcGeVector2d(0, 1)));
    ZcGePoint2d p(2, 1);
    p.rotateBy(M_PI, ZcGePoint2d(1, 1));
    EXPECT_TRUE(p.isEqualTo(ZcGePoint2d(0, 1)));
}
