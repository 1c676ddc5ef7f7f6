// transformBy / getTransformedCopy on every entity type under translate, rotate, scale and mirror.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "db/dbents.h"
#include "db/geom_util.h"
#include "db_test_support.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Named_Matrix {
    const char* name;
    ZcGeMatrix3d m;
};

std::vector<Named_Matrix> Matrices()
{
    ZcGePlane mirrorPlane(ZcGePoint3d(2, 0, 0), ZcGeVector3d(1, 1, 0).normal());
    return {
        {"translate", ZcGeMatrix3d::translation(ZcGeVector3d(10, -5, 2))},
        {"rotate about point", ZcGeMatrix3d::rotation(0.7, ZcGeVector3d::kZAxis, ZcGePoint3d(3, 4, 0))},
        {"uniform scale", ZcGeMatrix3d::scaling(2.5, ZcGePoint3d(1, 1, 0))},
        {"mirror", ZcGeMatrix3d::mirroring(mirrorPlane)},
    };
}

struct Curve_Case {
    const char* name;
    std::function<ZcDbCurve*()> make;
};

std::vector<Curve_Case> Curves()
{
    return {
        {"line", [] { return new ZcDbLine(ZcGePoint3d(1, 2, 0), ZcGePoint3d(7, -3, 0)); }},
        {"circle", [] { return new ZcDbCircle(ZcGePoint3d(2, 3, 0), ZcGeVector3d::kZAxis, 4.0); }},
        {"arc", [] { return new ZcDbArc(ZcGePoint3d(2, 3, 0), 4.0, 0.3, 2.2); }},
        {"ellipse",
         [] { return new ZcDbEllipse(ZcGePoint3d(1, 1, 0), ZcGeVector3d::kZAxis, ZcGeVector3d(3, 1, 0), 0.5, 0.4, 4.0); }},
        {"bulged polyline",
         [] {
             auto* pl = new ZcDbPolyline();
             pl->addVertexAt(0, ZcGePoint2d(0, 0), 0.5);
             pl->addVertexAt(1, ZcGePoint2d(10, 0), 0.0);
             pl->addVertexAt(2, ZcGePoint2d(10, 5), -1.0);
             pl->addVertexAt(3, ZcGePoint2d(4, 5));
             return pl;
         }},
        {"2d polyline",
         [] {
             ZcGePoint3dArray pts;
             pts.append(ZcGePoint3d(0, 0, 0));
             pts.append(ZcGePoint3d(5, 0, 0));
             pts.append(ZcGePoint3d(5, 5, 0));
             ZcGeDoubleArray bulges;
             bulges.append(0.0);
             bulges.append(0.4);
             bulges.append(0.0);
             return new ZcDb2dPolyline(ZcDb::k2dSimplePoly, pts, 0.0, false, 0, 0, &bulges);
         }},
        {"3d polyline",
         [] {
             ZcGePoint3dArray pts;
             pts.append(ZcGePoint3d(0, 0, 0));
             pts.append(ZcGePoint3d(5, 1, 2));
             pts.append(ZcGePoint3d(6, 6, -1));
             return new ZcDb3dPolyline(ZcDb::k3dSimplePoly, pts);
         }},
        {"spline",
         [] {
             ZcGePoint3dArray fit;
             fit.append(ZcGePoint3d(0, 0, 0));
             fit.append(ZcGePoint3d(3, 4, 0));
             fit.append(ZcGePoint3d(7, 2, 0));
             fit.append(ZcGePoint3d(10, 6, 0));
             return new ZcDbSpline(fit);
         }},
    };
}

// Every transformed sample of the original lies on the copy, and the ends match as a set.
void Expect_Same_Curve(const ZcDbCurve* original, const ZcDbCurve* copy, const ZcGeMatrix3d& m, const std::string& what)
{
    ZcGePoint3dArray samples;
    ASSERT_EQ(original->getSamplePoints(25, samples), Zcad::eOk);
    for (int i = 0; i < samples.length(); ++i) {
        ZcGePoint3d expected = m * samples[i];
        ZcGePoint3d onCopy;
        ASSERT_EQ(copy->getClosestPointTo(expected, onCopy), Zcad::eOk);
        EXPECT_NEAR(onCopy.distanceTo(expected), 0.0, 1e-6) << what << " sample " << i;
    }
    if (!original->isClosed()) {
        ZcGePoint3d s0, e0, s1, e1;
        original->getStartPoint(s0);
        original->getEndPoint(e0);
        copy->getStartPoint(s1);
        copy->getEndPoint(e1);
        s0 = m * s0;
        e0 = m * e0;
        bool same = s0.distanceTo(s1) < 1e-6 && e0.distanceTo(e1) < 1e-6;
        bool swapped = s0.distanceTo(e1) < 1e-6 && e0.distanceTo(s1) < 1e-6;
        EXPECT_TRUE(same || swapped) << what << " end points";
    }
}

TEST(Transform, CurvesUnderEveryMatrix)
{
    for (const Curve_Case& c : Curves()) {
        for (const Named_Matrix& nm : Matrices()) {
            std::string what = std::string(c.name) + " / " + nm.name;
            std::unique_ptr<ZcDbCurve> original(c.make());
            ZcDbEntity* copy = nullptr;
            ASSERT_EQ(original->getTransformedCopy(nm.m, copy), Zcad::eOk) << what;
            std::unique_ptr<ZcDbEntity> owned(copy);
            auto* curve = ZcDbCurve::cast(copy);
            ASSERT_NE(curve, nullptr) << what;
            Expect_Same_Curve(original.get(), curve, nm.m, what);
            // transformBy on the object itself gives the same curve.
            std::unique_ptr<ZcDbCurve> inPlace(c.make());
            ASSERT_EQ(inPlace->transformBy(nm.m), Zcad::eOk) << what;
            Expect_Same_Curve(original.get(), inPlace.get(), nm.m, what + " in place");
        }
    }
}

TEST(Transform, CircleRefusesNonUniformScalingButEllipseFollows)
{
    ZcGeMatrix3d stretch = ZcGeMatrix3d::scaling(ZcGeScale3d(2.0, 1.0, 1.0));
    ZcDbCircle circle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1.0);
    EXPECT_EQ(circle.transformBy(stretch), Zcad::eNotApplicable);
    EXPECT_DOUBLE_EQ(circle.radius(), 1.0);
    ZcDbEllipse ellipse(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, ZcGeVector3d(0, 3, 0), 0.5);
    ASSERT_EQ(ellipse.transformBy(stretch), Zcad::eOk);
    // Axes (0,3) and (-1.5,0) stretched in x: (0,3) and (-3,0): a circle of radius 3.
    EXPECT_NEAR(ellipse.majorAxis().length(), 3.0, 1e-9);
    EXPECT_NEAR(ellipse.radiusRatio(), 1.0, 1e-9);
}

TEST(Transform, TextFollowsRotationScaleAndMirror)
{
    ZcDbText text(ZcGePoint3d(1, 1, 0), L"ABC", ZcDbObjectId::kNull, 2.0, 0.0);
    ZcGeMatrix3d rot = ZcGeMatrix3d::rotation(kPi / 2, ZcGeVector3d::kZAxis, ZcGePoint3d(0, 0, 0));
    ASSERT_EQ(text.transformBy(ZcGeMatrix3d::scaling(3.0) * rot), Zcad::eOk);
    EXPECT_NEAR(text.position().distanceTo(ZcGePoint3d(-3, 3, 0)), 0.0, 1e-9);
    EXPECT_NEAR(text.rotation(), kPi / 2, 1e-9);
    EXPECT_NEAR(text.height(), 6.0, 1e-9);
    EXPECT_FALSE(text.isMirroredInX());

    ZcDbText mirrored(ZcGePoint3d(1, 1, 0), L"ABC", ZcDbObjectId::kNull, 2.0, 0.0);
    ZcGeMatrix3d mirror = ZcGeMatrix3d::mirroring(ZcGePlane(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kXAxis));
    ZcDbExtents before;
    ASSERT_EQ(mirrored.getGeomExtents(before), Zcad::eOk);
    ASSERT_EQ(mirrored.transformBy(mirror), Zcad::eOk);
    EXPECT_TRUE(mirrored.isMirroredInX());
    ZcDbExtents after;
    ASSERT_EQ(mirrored.getGeomExtents(after), Zcad::eOk);
    // The mirrored text covers the mirror image of the original box.
    EXPECT_NEAR(after.minPoint().x, -before.maxPoint().x, 1e-9);
    EXPECT_NEAR(after.maxPoint().x, -before.minPoint().x, 1e-9);
}

TEST(Transform, BlockReferenceKeepsItsAttributesInPlace)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"B");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)), block);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(5, 5, 0), block);
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectId attId;
    {
        ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
        auto* att = new ZcDbAttribute(ZcGePoint3d(6, 5, 0), L"v", L"TAG");
        att->setHeight(1.0);
        ASSERT_EQ(r->appendAttribute(attId, att), Zcad::eOk);
        att->close();
        ZcGeMatrix3d m = ZcGeMatrix3d::rotation(kPi / 2, ZcGeVector3d::kZAxis, ZcGePoint3d(5, 5, 0));
        ASSERT_EQ(r->transformBy(m), Zcad::eOk);
        EXPECT_NEAR(r->rotation(), kPi / 2, 1e-9);
        EXPECT_EQ(r->position(), ZcGePoint3d(5, 5, 0));
    }
    ZcDbObjectPointer<ZcDbAttribute> att(attId);
    EXPECT_NEAR(att->position().distanceTo(ZcGePoint3d(5, 6, 0)), 0.0, 1e-9);

    // A mirror makes the X scale negative and maps the definition's points correctly.
    ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
    ZcGeMatrix3d mirror = ZcGeMatrix3d::mirroring(ZcGePlane(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kXAxis));
    ZcGeMatrix3d expected = mirror * r->blockTransform();
    ASSERT_EQ(r->transformBy(mirror), Zcad::eOk);
    ZcGePoint3d probe(1, 0, 0);
    EXPECT_NEAR((r->blockTransform() * probe).distanceTo(expected * probe), 0.0, 1e-9);
    EXPECT_LT(r->scaleFactors().sx * r->scaleFactors().sy, 0.0);
}

TEST(Transform, MTextMovesAndScales)
{
    ZcDbMText mt;
    mt.setLocation(ZcGePoint3d(0, 10, 0));
    mt.setTextHeight(2.0);
    mt.setWidth(50.0);
    mt.setContents(L"Hello");
    ASSERT_EQ(mt.transformBy(ZcGeMatrix3d::scaling(2.0)), Zcad::eOk);
    EXPECT_EQ(mt.location(), ZcGePoint3d(0, 20, 0));
    EXPECT_NEAR(mt.textHeight(), 4.0, 1e-12);
    EXPECT_NEAR(mt.width(), 100.0, 1e-12);
}

}  // namespace
