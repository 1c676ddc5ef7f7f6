#include <gtest/gtest.h>

#include <cmath>

#include "ge/extents.h"

TEST(Extents, EmptyUntilAPointIsAdded)
{
    ZcDbExtents ext;
    EXPECT_FALSE(ext.isValid());
    ext.addPoint(ZcGePoint3d(1, 2, 3));
    EXPECT_TRUE(ext.isValid());
    EXPECT_TRUE(ext.minPoint().isEqualTo(ZcGePoint3d(1, 2, 3)));
    EXPECT_TRUE(ext.maxPoint().isEqualTo(ZcGePoint3d(1, 2, 3)));
    ZcGePoint3dArray points;
    points.append(ZcGePoint3d(-1, 5, 0));
    points.append(ZcGePoint3d(4, 0, 7));
    ext.addPoints(points);
    EXPECT_TRUE(ext.minPoint().isEqualTo(ZcGePoint3d(-1, 0, 0)));
    EXPECT_TRUE(ext.maxPoint().isEqualTo(ZcGePoint3d(4, 5, 7)));
    ext.reset();
    EXPECT_FALSE(ext.isValid());
}

TEST(Extents, SetRefusesAnInvertedBox)
{
    ZcDbExtents ext(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 1));
    EXPECT_EQ(ext.set(ZcGePoint3d(2, 0, 0), ZcGePoint3d(1, 1, 1)), Zcad::eInvalidExtents);
    EXPECT_TRUE(ext.maxPoint().isEqualTo(ZcGePoint3d(1, 1, 1)));
    EXPECT_EQ(ext.set(ZcGePoint3d(0, 0, 0), ZcGePoint3d(0, 0, 0)), Zcad::eOk);
    EXPECT_FALSE(ZcDbExtents(ZcGePoint3d(0, 0, 1), ZcGePoint3d(1, 1, 0)).isValid());
}

TEST(Extents, AddExtIgnoresEmptyBoxes)
{
    ZcDbExtents a(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 1));
    a.addExt(ZcDbExtents());
    EXPECT_TRUE(a.minPoint().isEqualTo(ZcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(a.maxPoint().isEqualTo(ZcGePoint3d(1, 1, 1)));
    ZcDbExtents empty;
    empty.addExt(ZcDbExtents(ZcGePoint3d(2, 2, 2), ZcGePoint3d(3, 3, 3)));
    EXPECT_TRUE(empty.minPoint().isEqualTo(ZcGePoint3d(2, 2, 2)));
}

TEST(Extents, ExpandByMovesTheSideTheVectorPointsTo)
{
    ZcDbExtents ext(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 1));
    EXPECT_EQ(ext.expandBy(ZcGeVector3d(2, -3, 0)), Zcad::eOk);
    EXPECT_TRUE(ext.minPoint().isEqualTo(ZcGePoint3d(0, -3, 0)));
    EXPECT_TRUE(ext.maxPoint().isEqualTo(ZcGePoint3d(3, 1, 1)));
    ZcDbExtents empty;
    EXPECT_EQ(empty.expandBy(ZcGeVector3d(1, 1, 1)), Zcad::eInvalidExtents);
    EXPECT_FALSE(empty.isValid());
}

TEST(Extents, TransformByBoundsAllEightCorners)
{
    ZcDbExtents ext(ZcGePoint3d(0, 0, 0), ZcGePoint3d(2, 2, 1));
    ASSERT_EQ(ext.transformBy(ZcGeMatrix3d::rotation(M_PI / 4, ZcGeVector3d::kZAxis)), Zcad::eOk);
    const double h = std::sqrt(2.0);
    EXPECT_TRUE(ext.minPoint().isEqualTo(ZcGePoint3d(-h, 0, 0)));
    EXPECT_TRUE(ext.maxPoint().isEqualTo(ZcGePoint3d(h, 2 * h, 1)));
    ext.set(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 1));
    ext.transformBy(ZcGeMatrix3d::mirroring(ZcGePlane::kXYPlane));
    EXPECT_TRUE(ext.minPoint().isEqualTo(ZcGePoint3d(0, 0, -1)));
    EXPECT_TRUE(ext.maxPoint().isEqualTo(ZcGePoint3d(1, 1, 0)));
    ZcDbExtents empty;
    EXPECT_EQ(empty.transformBy(ZcGeMatrix3d::scaling(2.0)), Zcad::eInvalidExtents);
    EXPECT_FALSE(empty.isValid());
}
