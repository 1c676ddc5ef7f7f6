#include <gtest/gtest.h>

#include <cmath>

#include "ge/ge.h"

namespace {
const ZcGeTol kLoose(1e-9, 1e-9);

ZcGeMatrix3d someTransform()
{
    return ZcGeMatrix3d::translation(ZcGeVector3d(5, -2, 1)) *
           ZcGeMatrix3d::rotation(0.7, ZcGeVector3d(1, 2, 3), ZcGePoint3d(1, 1, 1)) *
           ZcGeMatrix3d::scaling(2.5, ZcGePoint3d(-1, 0, 4));
}
} // namespace

TEST(GeMatrix3d, ProductAppliesTheRightFactorFirst)
{
    const ZcGeMatrix3d move = ZcGeMatrix3d::translation(ZcGeVector3d(10, 0, 0));
    const ZcGeMatrix3d turn = ZcGeMatrix3d::rotation(M_PI / 2, ZcGeVector3d::kZAxis);
    const ZcGePoint3d p(1, 0, 0);
    EXPECT_TRUE(((move * turn) * p).isEqualTo(ZcGePoint3d(10, 1, 0)));
    EXPECT_TRUE(((turn * move) * p).isEqualTo(ZcGePoint3d(0, 11, 0)));
    ZcGeMatrix3d post = move;
    post.postMultBy(turn);
    EXPECT_TRUE(post.isEqualTo(move * turn));
    ZcGeMatrix3d pre = move;
    pre.preMultBy(turn);
    EXPECT_TRUE(pre.isEqualTo(turn * move));
    ZcGePoint3d q = p;
    q.transformBy(move * turn);
    EXPECT_TRUE(q.isEqualTo(ZcGePoint3d(10, 1, 0)));
}

TEST(GeMatrix3d, RotationAboutAPointKeepsThePointFixed)
{
    const ZcGePoint3d center(1, 1, 0);
    const ZcGeMatrix3d m = ZcGeMatrix3d::rotation(M_PI / 2, ZcGeVector3d(0, 0, 2), center);
    EXPECT_TRUE((m * center).isEqualTo(center));
    EXPECT_TRUE((m * ZcGePoint3d(1, 0, 0)).isEqualTo(ZcGePoint3d(2, 1, 0)));
    // Vectors ignore the translation.
    EXPECT_TRUE((m * ZcGeVector3d::kXAxis).isEqualTo(ZcGeVector3d::kYAxis));
    EXPECT_TRUE(ZcGeMatrix3d::rotation(1.0, ZcGeVector3d::kIdentity).isEqualTo(ZcGeMatrix3d::kIdentity));
}

TEST(GeMatrix3d, InverseUndoesAComposition)
{
    const ZcGeMatrix3d m = someTransform();
    ZcGeMatrix3d inv;
    ASSERT_TRUE(m.inverse(inv));
    EXPECT_TRUE((m * inv).isEqualTo(ZcGeMatrix3d::kIdentity, kLoose));
    EXPECT_TRUE((inv * m).isEqualTo(ZcGeMatrix3d::kIdentity, kLoose));
    const ZcGePoint3d p(3, -7, 2);
    EXPECT_TRUE((m.inverse() * (m * p)).isEqualTo(p, kLoose));
    ZcGeMatrix3d inverted = m;
    inverted.invert();
    EXPECT_TRUE(inverted.isEqualTo(inv, kLoose));
    EXPECT_NEAR(m.det(), 2.5 * 2.5 * 2.5, 1e-9);
}

// Singularity is judged independently of scale: a tiny drawing unit is still invertible.
TEST(GeMatrix3d, SingularityDoesNotDependOnScale)
{
    const ZcGeMatrix3d flat = ZcGeMatrix3d::scaling(ZcGeScale3d(1, 1, 0));
    EXPECT_TRUE(flat.isSingular());
    ZcGeMatrix3d inv;
    EXPECT_FALSE(flat.inverse(inv));
    EXPECT_TRUE(flat.inverse().isEqualTo(ZcGeMatrix3d::kIdentity));
    ZcGeMatrix3d unchanged = flat;
    EXPECT_TRUE(unchanged.invert().isEqualTo(flat));

    const ZcGeMatrix3d tiny = ZcGeMatrix3d::scaling(1e-5);
    EXPECT_FALSE(tiny.isSingular());
    ASSERT_TRUE(tiny.inverse(inv));
    EXPECT_TRUE((inv * ZcGePoint3d(1e-5, 0, 0)).isEqualTo(ZcGePoint3d(1, 0, 0)));
    EXPECT_FALSE(ZcGeMatrix3d::scaling(1e5).isSingular());
}

TEST(GeMatrix3d, AlignCoordSysMapsCoordinatesAcrossSystems)
{
    const ZcGePoint3d fromOrigin(1, 2, 3), toOrigin(-4, 0, 2);
    const ZcGeVector3d fx(0, 1, 0), fy(-1, 0, 0), fz(0, 0, 1);
    const ZcGeVector3d tx(0, 0, 1), ty(1, 0, 0), tz(0, 1, 0);
    const ZcGeMatrix3d m = ZcGeMatrix3d::alignCoordSys(fromOrigin, fx, fy, fz, toOrigin, tx, ty, tz);
    // The point with coordinates (2, 3, 4) in the first system ...
    const ZcGePoint3d inFrom = fromOrigin + fx * 2 + fy * 3 + fz * 4;
    // ... goes to the point with those coordinates in the second.
    EXPECT_TRUE((m * inFrom).isEqualTo(toOrigin + tx * 2 + ty * 3 + tz * 4));
    EXPECT_TRUE((m * fx).isEqualTo(tx));
}

TEST(GeMatrix3d, CoordSystemRoundTripsAndPlaneMatricesAreInverse)
{
    ZcGeMatrix3d m;
    m.setCoordSystem(ZcGePoint3d(1, 2, 3), ZcGeVector3d(0, 2, 0), ZcGeVector3d(-2, 0, 0),
                     ZcGeVector3d(0, 0, 2));
    ZcGePoint3d o;
    ZcGeVector3d x, y, z;
    m.getCoordSystem(o, x, y, z);
    EXPECT_TRUE(o.isEqualTo(ZcGePoint3d(1, 2, 3)));
    EXPECT_TRUE(y.isEqualTo(ZcGeVector3d(-2, 0, 0)));
    EXPECT_TRUE(m.translation().isEqualTo(ZcGeVector3d(1, 2, 3)));
    EXPECT_DOUBLE_EQ(m.scale(), 2.0);

    const ZcGeVector3d normal(1, 1, 1);
    const ZcGeMatrix3d toPlane = ZcGeMatrix3d::worldToPlane(normal);
    EXPECT_TRUE((toPlane * normal.normal()).isEqualTo(ZcGeVector3d::kZAxis));
    EXPECT_TRUE((toPlane * ZcGeMatrix3d::planeToWorld(normal)).isEqualTo(ZcGeMatrix3d::kIdentity));
    // The plane's X axis follows the arbitrary-axis rule.
    EXPECT_TRUE((ZcGeMatrix3d::planeToWorld(normal) * ZcGeVector3d::kXAxis)
                    .isEqualTo(ZcGeVector3d::kZAxis.crossProduct(normal).normal()));
    EXPECT_TRUE(ZcGeMatrix3d::planeToWorld(ZcGeVector3d::kZAxis).isEqualTo(ZcGeMatrix3d::kIdentity));
    const ZcGePlane plane(ZcGePoint3d(0, 0, 5), ZcGeVector3d::kZAxis);
    EXPECT_TRUE((ZcGeMatrix3d::worldToPlane(plane) * ZcGePoint3d(1, 2, 5)).isEqualTo(ZcGePoint3d(1, 2, 0)));
}

TEST(GeMatrix3d, MirroringReflectsAndTwiceIsIdentity)
{
    const ZcGePlane plane(ZcGePoint3d(2, 0, 0), ZcGeVector3d::kXAxis);
    const ZcGeMatrix3d m = ZcGeMatrix3d::mirroring(plane);
    EXPECT_TRUE((m * ZcGePoint3d(5, 1, 1)).isEqualTo(ZcGePoint3d(-1, 1, 1)));
    EXPECT_TRUE((m * m).isEqualTo(ZcGeMatrix3d::kIdentity));
    EXPECT_NEAR(m.det(), -1.0, 1e-12);
    EXPECT_TRUE((ZcGeMatrix3d::mirroring(ZcGePoint3d(1, 1, 1)) * ZcGePoint3d(0, 0, 0))
                    .isEqualTo(ZcGePoint3d(2, 2, 2)));
}

TEST(GeMatrix3d, OrthogonalityClassification)
{
    struct Case {
        ZcGeMatrix3d m;
        bool uniScaledOrtho, scaledOrtho;
    };
    ZcGeMatrix3d skew;
    skew.entry[0][1] = 0.5;
    const Case cases[] = {
        {ZcGeMatrix3d::kIdentity, true, true},
        {someTransform(), true, true},
        {ZcGeMatrix3d::mirroring(ZcGePlane::kYZPlane), true, true},
        {ZcGeMatrix3d::scaling(ZcGeScale3d(1, 2, 3)), false, true},
        {skew, false, false},
        {ZcGeMatrix3d::scaling(ZcGeScale3d(1, 0, 1)), false, false},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        EXPECT_EQ(cases[i].m.isUniScaledOrtho(kLoose), cases[i].uniScaledOrtho) << i;
        EXPECT_EQ(cases[i].m.isScaledOrtho(kLoose), cases[i].scaledOrtho) << i;
    }
}

TEST(GeMatrix3d, EqualityUsesTheTolerance)
{
    ZcGeMatrix3d a, b;
    b.entry[0][3] = 5e-11;
    EXPECT_TRUE(a.isEqualTo(b));
    EXPECT_TRUE(a == b);
    b.entry[0][3] = 1e-6;
    EXPECT_FALSE(a.isEqualTo(b));
    EXPECT_TRUE(a.isEqualTo(b, ZcGeTol(1e-5, 1e-12)));
    EXPECT_TRUE(b.transpose().transpose().isEqualTo(b));
    EXPECT_EQ(b.transpose().entry[3][0], 1e-6);
}

TEST(GeScale3d, ExtractScaleReadsTheAxisLengths)
{
    ZcGeScale3d s;
    s.extractScale(ZcGeMatrix3d::rotation(0.3, ZcGeVector3d::kZAxis) *
                   ZcGeScale3d(2, 3, 4).getMatrix());
    EXPECT_TRUE(s.isEqualTo(ZcGeScale3d(2, 3, 4), ZcGeTol(1e-10, 1e-10)));
    EXPECT_FALSE(s.isProportional());
    EXPECT_TRUE(ZcGeScale3d(2).isProportional());
}

TEST(GeMatrix2d, RotationMirroringAndInverse)
{
    const ZcGeMatrix2d r = ZcGeMatrix2d::rotation(M_PI / 2, ZcGePoint2d(1, 1));
    EXPECT_TRUE((r * ZcGePoint2d(2, 1)).isEqualTo(ZcGePoint2d(1, 2)));
    ZcGeMatrix2d mirror;
    mirror.setToMirroring(ZcGePoint2d(0, 1), ZcGeVector2d(1, 0));
    EXPECT_TRUE((mirror * ZcGePoint2d(3, 4)).isEqualTo(ZcGePoint2d(3, -2)));
    const ZcGeMatrix2d m = ZcGeMatrix2d::translation(ZcGeVector2d(3, 4)) * r *
                           ZcGeMatrix2d::scaling(0.5, ZcGePoint2d(2, 2));
    EXPECT_TRUE((m * m.inverse()).isEqualTo(ZcGeMatrix2d::kIdentity));
    ZcGeMatrix2d inv;
    EXPECT_FALSE(ZcGeMatrix2d::scaling(0.0).inverse(inv));
}
