// Geometric extents of every entity kind and the text measurement rule.
#include <gtest/gtest.h>

#include <cmath>

#include "db/dbents.h"
#include "db/gi.h"
#include "db/gi_extents.h"
#include "db/text_metrics.h"
#include "db_test_support.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(Extents, ArcCoversOnlyTheQuadrantsItPasses)
{
    ZcDbArc arc(ZcGePoint3d(0, 0, 0), 10.0, kPi / 6, 2 * kPi / 3);
    ZcDbExtents e;
    ASSERT_EQ(arc.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(-5, 5, 0), ZcGePoint3d(10 * std::cos(kPi / 6), 10, 0))) ;
    // An arc crossing angle 0 (from 300 to 60 degrees) reaches x = r.
    ZcDbArc wrap(ZcGePoint3d(0, 0, 0), 10.0, 5 * kPi / 3, kPi / 3);
    ASSERT_EQ(wrap.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(5, -10 * std::sin(kPi / 3), 0), ZcGePoint3d(10, 10 * std::sin(kPi / 3), 0)));
}

TEST(Extents, BulgedPolylineIncludesItsArcs)
{
    ZcDbPolyline below;
    below.addVertexAt(0, ZcGePoint2d(0, 0), 1.0);
    below.addVertexAt(1, ZcGePoint2d(10, 0));
    below.addVertexAt(2, ZcGePoint2d(10, 10));
    ZcDbExtents e;
    ASSERT_EQ(below.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(0, -5, 0), ZcGePoint3d(10, 10, 0)));

    ZcDbPolyline above;
    above.addVertexAt(0, ZcGePoint2d(0, 0), -1.0);
    above.addVertexAt(1, ZcGePoint2d(10, 0));
    ASSERT_EQ(above.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 5, 0)));

    // A closed square with a small bulge on its closing segment.
    ZcDbPolyline closed;
    closed.addVertexAt(0, ZcGePoint2d(0, 0));
    closed.addVertexAt(1, ZcGePoint2d(4, 0));
    closed.addVertexAt(2, ZcGePoint2d(4, 4));
    closed.addVertexAt(3, ZcGePoint2d(0, 4), std::tan(kPi / 4));  // quarter-circle-ish bulge to (0,0)
    closed.setClosed(true);
    ASSERT_EQ(closed.getGeomExtents(e), Zcad::eOk);
    EXPECT_LT(e.minPoint().x, -0.5);
    ZcDbPolyline empty;
    EXPECT_EQ(empty.getGeomExtents(e), Zcad::eInvalidExtents);
}

// A bulge beyond 1 is an arc of more than half a circle: its middle lies the sagitta (bulge times
// half the chord) off the chord, to the right of a counter-clockwise segment.
TEST(Extents, BulgesBeyondOneAreMajorArcs)
{
    struct Case {
        double bulge;
        double midY;  // the arc's middle on the chord from (0,0) to (2,0)
        double minY, maxY;
    } cases[] = {
        {0.5, -0.5, -0.5, 0.0},
        {1.0, -1.0, -1.0, 0.0},
        {1.0 + std::sqrt(2.0), -1.0 - std::sqrt(2.0), -1.0 - std::sqrt(2.0), 0.0},
        {-1.0 - std::sqrt(2.0), 1.0 + std::sqrt(2.0), 0.0, 1.0 + std::sqrt(2.0)},
        {3.0, -3.0, -3.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bulge);
        ZcDbPolyline pl;
        pl.addVertexAt(0, ZcGePoint2d(0, 0), c.bulge);
        pl.addVertexAt(1, ZcGePoint2d(2, 0));
        ZcGePoint3d mid;
        ASSERT_EQ(pl.getPointAtParam(0.5, mid), Zcad::eOk);
        EXPECT_NEAR(mid.x, 1.0, 1e-9);
        EXPECT_NEAR(mid.y, c.midY, 1e-9);
        ZcDbExtents e;
        ASSERT_EQ(pl.getGeomExtents(e), Zcad::eOk);
        EXPECT_NEAR(e.minPoint().y, c.minY, 1e-9);
        EXPECT_NEAR(e.maxPoint().y, c.maxY, 1e-9);
    }
}

TEST(Extents, EllipseAlignedAndRotated)
{
    ZcDbEllipse aligned(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, ZcGeVector3d(10, 0, 0), 0.5);
    ZcDbExtents e;
    ASSERT_EQ(aligned.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(-10, -5, 0), ZcGePoint3d(10, 5, 0)));
    ZcDbEllipse rotated(ZcGePoint3d(1, 2, 0), ZcGeVector3d::kZAxis, ZcGeVector3d(6, 8, 0), 0.5);
    ASSERT_EQ(rotated.getGeomExtents(e), Zcad::eOk);
    double hx = std::sqrt(36.0 + 16.0), hy = std::sqrt(64.0 + 9.0);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(1 - hx, 2 - hy, 0), ZcGePoint3d(1 + hx, 2 + hy, 0)));
    // Half an ellipse (upper half).
    ZcDbEllipse half(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, ZcGeVector3d(10, 0, 0), 0.5, 0.0, kPi);
    ASSERT_EQ(half.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(-10, 0, 0), ZcGePoint3d(10, 5, 0)));
}

TEST(Extents, SplineThroughFitPoints)
{
    ZcGePoint3dArray fit;
    fit.append(ZcGePoint3d(0, 0, 0));
    fit.append(ZcGePoint3d(5, 5, 0));
    fit.append(ZcGePoint3d(10, 0, 0));
    ZcDbSpline spline(fit);
    for (int i = 0; i < fit.length(); ++i) {
        ZcGePoint3d onCurve;
        ASSERT_EQ(spline.getClosestPointTo(fit[i], onCurve), Zcad::eOk);
        EXPECT_NEAR(onCurve.distanceTo(fit[i]), 0.0, 1e-9) << i;
    }
    ZcDbExtents e;
    ASSERT_EQ(spline.getGeomExtents(e), Zcad::eOk);
    EXPECT_NEAR(e.minPoint().x, 0.0, 1e-9);
    EXPECT_NEAR(e.maxPoint().x, 10.0, 1e-9);
    EXPECT_NEAR(e.minPoint().y, 0.0, 1e-9);
    EXPECT_GE(e.maxPoint().y, 5.0 - 1e-9);
    EXPECT_LT(e.maxPoint().y, 6.0);
    ZcDbCurve* pl = nullptr;
    ASSERT_EQ(spline.toPolyline(pl, 20, 10000), Zcad::eOk);
    ZcDbExtents pe;
    ASSERT_EQ(pl->getGeomExtents(pe), Zcad::eOk);
    EXPECT_NEAR(pe.maxPoint().y, e.maxPoint().y, 1e-2);
    delete pl;
}

TEST(Extents, RotatedTextFollowsTheMeasuringRule)
{
    const double h = 10.0;
    platform::Text_Line_Box box = platform::Measure_Text_Line(L"ABC", h);
    ASSERT_GT(box.width, 0.0);
    ZcDbText text(ZcGePoint3d(0, 0, 0), L"ABC", ZcDbObjectId::kNull, h, kPi / 2);
    ZcDbExtents e;
    ASSERT_EQ(text.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(-h, 0, 0), ZcGePoint3d(-box.bottom, box.width, 0), 1e-9));
    // Width factor scales the advance; right alignment puts the box left of the alignment point.
    ZcDbText right(ZcGePoint3d(0, 0, 0), L"ABC", ZcDbObjectId::kNull, h, 0.0);
    right.setWidthFactor(0.5);
    right.setHorizontalMode(ZcDb::kTextRight);
    right.setAlignmentPoint(ZcGePoint3d(100, 0, 0));
    ASSERT_EQ(right.getGeomExtents(e), Zcad::eOk);
    EXPECT_NEAR(e.maxPoint().x, 100.0, 1e-9);
    EXPECT_NEAR(e.minPoint().x, 100.0 - box.width * 0.5, 1e-9);
}

TEST(TextMetrics, CjkIsWiderThanLatinAndScalesWithHeight)
{
    double cjk = platform::Char_Advance(L'\u4E2D', 10.0);
    double latin = platform::Char_Advance(L'i', 10.0);
    EXPECT_GT(cjk, latin);
    // Full-width glyphs advance one em: height / cap-height ratio.
    EXPECT_NEAR(cjk, 10.0 / platform::Cap_Height_Ratio(), 0.05 * cjk);
    EXPECT_NEAR(platform::Char_Advance(L'\u4E2D', 20.0), 2.0 * cjk, 1e-9);
    EXPECT_NEAR(platform::Measure_Text_Line(L"\u4E2D\u6587", 10.0, 0.7).width, 2 * cjk * 0.7, 1e-9);
}

TEST(Extents, MTextUsesTheColumnWidthAndLineSpacing)
{
    ZcDbMText mt;
    mt.setLocation(ZcGePoint3d(0, 100, 0));
    mt.setTextHeight(5.0);
    mt.setWidth(1000.0);
    mt.setContents(L"{\\fSimSun|b0;First}\\Psecond line");
    EXPECT_NEAR(mt.actualHeight(), 5.0 + 5.0 * 5.0 / 3.0, 1e-9);
    wchar_t* plain = mt.text();
    EXPECT_STREQ(plain, L"First\r\nsecond line");
    delete[] plain;
    ZcDbExtents e;
    ASSERT_EQ(mt.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(0, 100 - mt.actualHeight(), 0), ZcGePoint3d(1000, 100, 0)));
    ZcDbVoidPtrArray pieces;
    ASSERT_EQ(mt.explode(pieces), Zcad::eOk);
    ASSERT_EQ(pieces.length(), 2);
    auto* first = ZcDbText::cast(static_cast<ZcDbEntity*>(pieces[0]));
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->textStringConst(), L"First");
    EXPECT_NEAR(first->position().y, 95.0, 1e-9);
    ZcDbExtents pe;
    ASSERT_EQ(first->getGeomExtents(pe), Zcad::eOk);
    EXPECT_LT(pe.maxPoint().x, 1000.0);
    for (int i = 0; i < pieces.length(); ++i) delete static_cast<ZcDbEntity*>(pieces[i]);
}

TEST(Extents, MTextWrapsAtTheColumnWidth)
{
    ZcDbMText mt;
    mt.setTextHeight(2.0);
    double w = platform::Measure_Text_Line(L"aaaa bbbb", 2.0).width;
    mt.setWidth(w * 0.8);
    mt.setContents(L"aaaa bbbb cccc");
    std::vector<ZcDbMText::Line> lines = mt.layoutLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, L"aaaa");
    EXPECT_EQ(lines[2].text, L"cccc");
}

TEST(Extents, BlockReferenceCoversNestedBlocksAndAttributes)
{
    Test_Drawing d;
    ZcDbObjectId inner = d.addBlock(L"Inner");
    d.add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1.0), inner);
    ZcDbObjectId outer = d.addBlock(L"Outer", ZcGePoint3d(1, 0, 0));
    d.add(new ZcDbLine(ZcGePoint3d(1, 0, 0), ZcGePoint3d(3, 0, 0)), outer);
    d.add(new ZcDbBlockReference(ZcGePoint3d(3, 2, 0), inner), outer);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(10, 10, 0), outer);
    ref->setScaleFactors(ZcGeScale3d(2.0));
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectPointer<ZcDbBlockReference> r(refId);
    ZcDbExtents e;
    ASSERT_EQ(r->getGeomExtents(e), Zcad::eOk);
    // Line (1,0)-(3,0) -> (10,10)-(14,10); circle at (3,2) r 1 -> centre (14,14) r 2.
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(10, 10, 0), ZcGePoint3d(16, 16, 0)));
}

TEST(Extents, CustomEntityExtentsComeFromWhatItDraws)
{
    class Box_Entity : public ZcDbEntity {
    protected:
        bool subWorldDraw(ZcGiWorldDraw* mode) override
        {
            ZcGePoint3d pts[4] = {{0, 0, 0}, {4, 0, 0}, {4, 3, 0}, {0, 3, 0}};
            mode->geometry().polygon(4, pts);
            return true;
        }
    } box;
    ZcDbExtents e;
    ASSERT_EQ(box.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(0, 0, 0), ZcGePoint3d(4, 3, 0)));
    ZcDbEntity nothing;
    EXPECT_EQ(nothing.getGeomExtents(e), Zcad::eInvalidExtents);
}

}  // namespace

namespace {

// Records what an entity draws.
class Recording_Draw : public platform::Extents_Draw {
public:
    bool polygon(uint32_t n, const ZcGePoint3d* pts) override
    {
        filledPolygons += fill == kZcGiFillAlways ? 1 : 0;
        return Extents_Draw::polygon(n, pts);
    }
    void setFillType(ZcGiFillType f) override { fill = f; }
    ZcGiFillType fillType() const override { return fill; }
    ZcGiFillType fill = kZcGiFillNever;
    int filledPolygons = 0;
};

TEST(Drawing, WidePolylineSegmentsAreFilledBands)
{
    ZcDbPolyline pl;
    pl.addVertexAt(0, ZcGePoint2d(0, 0));
    pl.addVertexAt(1, ZcGePoint2d(10, 0));
    pl.addVertexAt(2, ZcGePoint2d(10, 10));
    pl.setConstantWidth(2.0);
    Recording_Draw draw;
    pl.worldDraw(&draw);
    EXPECT_EQ(draw.filledPolygons, 2);
    EXPECT_EQ(draw.fill, kZcGiFillNever);
    // The bands reach half the width beyond the centre line.
    EXPECT_NEAR(draw.extents().minPoint().y, -1.0, 1e-9);
    EXPECT_NEAR(draw.extents().maxPoint().x, 11.0, 1e-9);
}

}  // namespace

namespace {

TEST(Extents, TextAlignmentPlacesTheBoxAroundTheAlignmentPoint)
{
    const double h = 4.0;
    platform::Text_Line_Box box = platform::Measure_Text_Line(L"Title 图号", h);
    struct Case {
        ZcDb::TextHorzMode hm;
        ZcDb::TextVertMode vm;
        double left, bottom;  // box corner relative to the alignment point (20, 10)
    };
    const Case cases[] = {
        {ZcDb::kTextLeft, ZcDb::kTextBottom, 0.0, 0.0},
        {ZcDb::kTextCenter, ZcDb::kTextBase, -box.width / 2, box.bottom},
        {ZcDb::kTextRight, ZcDb::kTextTop, -box.width, -h + box.bottom},
        {ZcDb::kTextCenter, ZcDb::kTextVertMid, -box.width / 2, -h / 2 + box.bottom},
        {ZcDb::kTextMid, ZcDb::kTextBase, -box.width / 2, -(box.bottom + h) / 2 + box.bottom},
    };
    for (const Case& c : cases) {
        ZcDbText text(ZcGePoint3d(0, 0, 0), L"Title 图号", ZcDbObjectId::kNull, h, 0.0);
        text.setHorizontalMode(c.hm);
        text.setVerticalMode(c.vm);
        text.setAlignmentPoint(ZcGePoint3d(20, 10, 0));
        ZcDbExtents e;
        ASSERT_EQ(text.getGeomExtents(e), Zcad::eOk);
        EXPECT_NEAR(e.minPoint().x, 20 + c.left, 1e-9) << c.hm << "/" << c.vm;
        EXPECT_NEAR(e.minPoint().y, 10 + c.bottom, 1e-9) << c.hm << "/" << c.vm;
        EXPECT_NEAR(e.maxPoint().x - e.minPoint().x, box.width, 1e-9);
        // adjustAlignment stores the start of the baseline as the position.
        ASSERT_EQ(text.adjustAlignment(), Zcad::eOk);
        EXPECT_NEAR(text.position().x, 20 + c.left, 1e-9);
    }
}

TEST(Extents, FitTextSpansPositionToAlignmentPoint)
{
    ZcDbText text(ZcGePoint3d(0, 0, 0), L"ABCDEF", ZcDbObjectId::kNull, 2.5, 0.0);
    text.setHorizontalMode(ZcDb::kTextFit);
    text.setAlignmentPoint(ZcGePoint3d(0, 30, 0));
    ZcDbExtents e;
    ASSERT_EQ(text.getGeomExtents(e), Zcad::eOk);
    EXPECT_NEAR(e.minPoint().y, 0.0, 1e-9);
    EXPECT_NEAR(e.maxPoint().y, 30.0, 1e-9);
    EXPECT_NEAR(e.minPoint().x, -2.5, 1e-9);
}

}  // namespace
