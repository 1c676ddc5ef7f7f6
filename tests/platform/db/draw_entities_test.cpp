// What every kind of entity draws through the drawing interface, checked with the recording
// context: the primitives, their fill, and that the extents cover exactly what is drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "db/dbdict.h"
#include "db/dbdim.h"
#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/dbpoint.h"
#include "db/dbproxy.h"
#include "db/dbviewport.h"
#include "db/gi_recorder.h"
#include "db_test_support.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;
constexpr double kPi = 3.14159265358979323846;

int Count(const GiRecorder& rec, Gi_Record::Kind kind) { return int(rec.ofKind(kind).size()); }

ZcDbPolyline* Wide_Bulged_Polyline()
{
    auto* pl = new ZcDbPolyline();
    pl->addVertexAt(0, ZcGePoint2d(0, 0), 0.0, 1.0, 1.0);
    pl->addVertexAt(1, ZcGePoint2d(10, 0), 1.0);  // a half circle up to (10, 10)
    pl->addVertexAt(2, ZcGePoint2d(10, 10));
    return pl;
}

ZcDbHatch* Square_Hatch(bool solid, bool withHole)
{
    auto* h = new ZcDbHatch();
    if (!solid) h->setPattern(ZcDbHatch::kUserDefined, L"_USER");
    auto loop = [&](double a, double b) {
        ZcGePoint2dArray pts;
        for (ZcGePoint2d p : {ZcGePoint2d(a, a), ZcGePoint2d(b, a), ZcGePoint2d(b, b), ZcGePoint2d(a, b)}) pts.append(p);
        h->appendLoop(ZcDbHatch::kDefault, pts, ZcGeDoubleArray());
    };
    loop(0, 10);
    if (withHole) loop(3, 7);
    return h;
}

struct Draw_Case {
    const char* name;
    std::function<ZcDbEntity*()> make;
    Gi_Record::Kind kind;          // the kind of primitive the entity draws
    int count;                     // how many of them
    ZcGiFillType fill;             // the fill in force for them
    double tol;                    // extents against the drawn points
};

TEST(EntityDrawing, EachKindDrawsItsPrimitivesAndMeasuresWhatItDraws)
{
    const Draw_Case cases[] = {
        {"line", [] { return new ZcDbLine(ZcGePoint3d(1, 2, 0), ZcGePoint3d(5, -3, 0)); }, Gi_Record::kPolyline, 1,
         kZcGiFillNever, 1e-9},
        {"circle", [] { return new ZcDbCircle(ZcGePoint3d(5, 5, 0), ZcGeVector3d::kZAxis, 2.0); }, Gi_Record::kCircle,
         1, kZcGiFillNever, 1e-9},
        {"arc", [] { return new ZcDbArc(ZcGePoint3d(0, 0, 0), 10.0, kPi / 6, 2 * kPi / 3); }, Gi_Record::kArc, 1,
         kZcGiFillNever, 0.05},
        {"ellipse",
         [] { return new ZcDbEllipse(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, ZcGeVector3d(4, 4, 0), 0.5); },
         Gi_Record::kPolyline, 1, kZcGiFillNever, 0.01},
        {"wide bulged polyline", [] { return Wide_Bulged_Polyline(); }, Gi_Record::kPolygon, 1, kZcGiFillAlways, 0.05},
        {"3d polyline",
         [] {
             ZcGePoint3dArray pts;
             for (ZcGePoint3d p : {ZcGePoint3d(0, 0, 0), ZcGePoint3d(4, 1, 2), ZcGePoint3d(6, -2, 1)}) pts.append(p);
             return new ZcDb3dPolyline(ZcDb::k3dSimplePoly, pts, true);
         },
         Gi_Record::kPolyline, 1, kZcGiFillNever, 1e-9},
        {"spline",
         [] {
             ZcGePoint3dArray fit;
             for (ZcGePoint3d p : {ZcGePoint3d(0, 0, 0), ZcGePoint3d(3, 4, 0), ZcGePoint3d(7, -1, 0), ZcGePoint3d(10, 2, 0)})
                 fit.append(p);
             return new ZcDbSpline(fit);
         },
         Gi_Record::kPolyline, 1, kZcGiFillNever, 0.01},
        {"solid",
         [] {
             return new ZcDbSolid(ZcGePoint3d(0, 0, 0), ZcGePoint3d(4, 0, 0), ZcGePoint3d(0, 3, 0), ZcGePoint3d(4, 3, 0));
         },
         Gi_Record::kPolygon, 1, kZcGiFillAlways, 1e-9},
        {"solid hatch with a hole", [] { return Square_Hatch(true, true); }, Gi_Record::kPolyPolygon, 1,
         kZcGiFillAlways, 1e-9},
        {"point", [] { return new ZcDbPoint(ZcGePoint3d(3, 4, 0)); }, Gi_Record::kPolyline, 1, kZcGiFillNever, 1e-9},
        {"text", [] { return new ZcDbText(ZcGePoint3d(1, 1, 0), L"Sheet 图", ZcDbObjectId::kNull, 2.5, 0.3); },
         Gi_Record::kText, 1, kZcGiFillNever, 1e-9},
        {"viewport",
         [] {
             auto* vp = new ZcDbViewport();
             vp->setCenterPoint(ZcGePoint3d(100, 80, 0));
             vp->setWidth(60);
             vp->setHeight(40);
             vp->setNumber(2);
             return vp;
         },
         Gi_Record::kPolyline, 1, kZcGiFillNever, 1e-9},
    };
    for (const Draw_Case& c : cases) {
        std::unique_ptr<ZcDbEntity> ent(c.make());
        GiRecorder rec;
        rec.run(ent.get());
        std::vector<Gi_Record> drawn = rec.ofKind(c.kind);
        ASSERT_EQ(int(drawn.size()), c.count) << c.name;
        EXPECT_EQ(drawn.front().fillType, c.fill) << c.name;
        ZcDbExtents measured;
        ASSERT_EQ(ent->getGeomExtents(measured), Zcad::eOk) << c.name;
        ZcDbExtents seen = rec.extents();
        EXPECT_TRUE(Near_Extents(measured, seen.minPoint(), seen.maxPoint(), c.tol))
            << c.name << ": measured " << measured.minPoint().x << "," << measured.minPoint().y << " .. "
            << measured.maxPoint().x << "," << measured.maxPoint().y << " drawn " << seen.minPoint().x << ","
            << seen.minPoint().y << " .. " << seen.maxPoint().x << "," << seen.maxPoint().y;
        EXPECT_EQ(rec.transformDepth(), 0) << c.name;
    }
}

TEST(EntityDrawing, SolidHatchFillsItsLoopsAsOneAreaWithHoles)
{
    std::unique_ptr<ZcDbHatch> h(Square_Hatch(true, true));
    GiRecorder rec;
    rec.run(h.get());
    std::vector<Gi_Record> areas = rec.ofKind(Gi_Record::kPolyPolygon);
    ASSERT_EQ(areas.size(), 1u);
    ASSERT_EQ(areas[0].loopSizes.size(), 2u);
    EXPECT_EQ(Count(rec, Gi_Record::kPolygon), 0);
}

TEST(EntityDrawing, PatternHatchDrawsItsLinesInsideTheLoopsOnly)
{
    // User-defined lines 1 apart across a 10 x 10 square with a 4 x 4 hole: lines at y = 0..9,
    // the four through the hole cut in two.
    std::unique_ptr<ZcDbHatch> h(Square_Hatch(false, true));
    GiRecorder rec;
    rec.run(h.get());
    std::vector<Gi_Record> lines = rec.ofKind(Gi_Record::kPolyline);
    ASSERT_EQ(lines.size(), 14u);
    double total = 0.0;
    for (const Gi_Record& l : lines) {
        ASSERT_EQ(l.points.size(), 2u);
        EXPECT_EQ(l.fillType, kZcGiFillNever);
        total += l.points[0].distanceTo(l.points[1]);
        const double mx = (l.points[0].x + l.points[1].x) / 2, my = l.points[0].y;
        EXPECT_FALSE(mx > 3 && mx < 7 && my >= 3 && my < 7) << "a line crosses the hole at y " << my;
    }
    EXPECT_NEAR(total, 84.0, 1e-9);
    // The extents stay those of the boundary.
    ZcDbExtents e;
    ASSERT_EQ(h->getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 10, 0)));
}

TEST(EntityDrawing, PatternLinesFromTheDrawingFileAreDashedAlongEachLine)
{
    std::unique_ptr<ZcDbHatch> h(Square_Hatch(false, false));
    h->setPattern(ZcDbHatch::kPreDefined, L"DASHED45");
    // One family at 0 degrees, 2 apart, dashes of 1 with gaps of 1; a second at 90 degrees.
    h->setRawGroups({{78, "2"}, {53, "0"}, {43, "0"}, {44, "0"}, {45, "0"}, {46, "2"}, {79, "2"}, {49, "1"},
                     {49, "-1"}, {53, "90"}, {43, "0.5"}, {44, "0"}, {45, "-5"}, {46, "0"}, {79, "0"}, {98, "0"}});
    ASSERT_EQ(h->numPatternDefinitions(), 2);
    double angle, bx, by, ox, oy;
    ZcGeDoubleArray dashes;
    ASSERT_EQ(h->getPatternDefinitionAt(1, angle, bx, by, ox, oy, dashes), Zcad::eOk);
    EXPECT_NEAR(angle, kPi / 2, 1e-12);
    EXPECT_EQ(bx, 0.5);
    EXPECT_EQ(ox, -5.0);
    EXPECT_TRUE(dashes.isEmpty());
    GiRecorder rec;
    rec.run(h.get());
    int horizontal = 0, vertical = 0;
    for (const Gi_Record& l : rec.ofKind(Gi_Record::kPolyline)) {
        const double len = l.points[0].distanceTo(l.points[1]);
        if (std::fabs(l.points[0].y - l.points[1].y) < 1e-9) {
            ++horizontal;
            EXPECT_NEAR(len, 1.0, 1e-9);  // whole dashes: the square starts on a dash
        } else {
            ++vertical;
            EXPECT_NEAR(len, 10.0, 1e-9);
        }
    }
    EXPECT_EQ(horizontal, 5 * 5);  // lines y = 0, 2, .. 8, five dashes each
    EXPECT_EQ(vertical, 2);       // x = 0.5 and 5.5
}

TEST(EntityDrawing, ImagesDrawThroughTheImagePrimitiveAndWipeoutsFillTheirBoundary)
{
    Test_Drawing d;
    auto* def = new ZcDbRasterImageDef();
    def->setSourceFileName(L"logo.png");
    def->setSize(ZcGeVector2d(200, 100));
    ZcDbObjectId defId;
    {
        ZcDbDictionary* nod = nullptr;
        ASSERT_EQ(zcdbOpenObject(nod, d.db->namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
        ASSERT_EQ(nod->setAt(L"LOGO", def, defId), Zcad::eOk);
        def->close();
        nod->close();
    }
    auto* image = new ZcDbRasterImage();
    image->setImageDefId(defId);
    // Edges of 200 and 100 pixels of 0.1 units; the pixels come from the definition.
    image->setOrientation(ZcGePoint3d(10, 20, 0), ZcGeVector3d(20, 0, 0), ZcGeVector3d(0, 10, 0));
    // Clip to the top-left quarter: pixel rows count down from the top.
    image->setClipBoundary(ZcDbRasterImage::kRect, {ZcGePoint2d(-0.5, -0.5), ZcGePoint2d(99.5, 49.5)});
    image->setClipped(true);
    ZcDbObjectPointer<ZcDbRasterImage> placed(d.add(image));
    GiRecorder rec;
    rec.run(placed.object());
    std::vector<Gi_Record> images = rec.ofKind(Gi_Record::kImage);
    ASSERT_EQ(images.size(), 1u);
    const ZcGiImage& img = images[0].image;
    EXPECT_EQ(img.sourceFile, L"logo.png");
    EXPECT_EQ(img.pixelWidth, 200u);
    EXPECT_TRUE(img.u.isEqualTo(ZcGeVector3d(20, 0, 0)));
    EXPECT_TRUE(img.v.isEqualTo(ZcGeVector3d(0, 10, 0)));
    ZcDbExtents clip;
    for (const ZcGePoint3d& p : img.clip) clip.addPoint(p);
    EXPECT_TRUE(Near_Extents(clip, ZcGePoint3d(10, 25, 0), ZcGePoint3d(20, 30, 0)));
    EXPECT_EQ(Count(rec, Gi_Record::kPolyline), 1);  // the frame

    // A wipeout: the unit image's boundary counts from its top-left corner.
    ZcDbWipeout wipeout;
    wipeout.setOrientation(ZcGePoint3d(100, 0, 0), ZcGeVector3d(10, 0, 0), ZcGeVector3d(0, 10, 0));
    wipeout.setClipBoundary(ZcDbRasterImage::kPoly,
                            {ZcGePoint2d(-0.5, 0.5), ZcGePoint2d(0.5, 0.5), ZcGePoint2d(-0.5, -0.5), ZcGePoint2d(-0.5, 0.5)});
    wipeout.setClipped(true);
    GiRecorder wrec;
    wrec.run(&wipeout);
    std::vector<Gi_Record> fills = wrec.ofKind(Gi_Record::kPolygon);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].fillType, kZcGiFillAlways);
    ASSERT_EQ(fills[0].points.size(), 3u);
    EXPECT_TRUE(fills[0].points[0].isEqualTo(ZcGePoint3d(100, 0, 0)));   // bottom left
    EXPECT_TRUE(fills[0].points[1].isEqualTo(ZcGePoint3d(110, 0, 0)));   // bottom right
    EXPECT_TRUE(fills[0].points[2].isEqualTo(ZcGePoint3d(100, 10, 0)));  // top left
}

TEST(EntityDrawing, ProxiesDrawTheirGraphicsAndMeasureThem)
{
    ZcDbProxyEntity proxy;
    ZcDbProxyPrimitive line;
    line.points = {ZcGePoint3d(0, 0, 0), ZcGePoint3d(20, 5, 0)};
    line.colorIndex = 3;
    ZcDbProxyPrimitive text;
    text.kind = ZcDbProxyPrimitive::Kind::Text;
    text.position = ZcGePoint3d(2, 8, 0);
    text.height = 3.0;
    text.text = L"Proxy";
    proxy.setGraphics("graphics", {line, text});
    GiRecorder rec;
    rec.run(&proxy);
    ASSERT_EQ(Count(rec, Gi_Record::kPolyline), 1);
    EXPECT_EQ(rec.ofKind(Gi_Record::kPolyline)[0].colorIndex, 3);
    ASSERT_EQ(Count(rec, Gi_Record::kText), 1);
    ZcDbExtents e;
    ASSERT_EQ(proxy.getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, rec.extents().minPoint(), rec.extents().maxPoint()));
    EXPECT_GT(e.maxPoint().y, 8.0 + 3.0 - 1e-9);
}

TEST(EntityDrawing, DimensionsDrawTheirBlockAtTheBlockPosition)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"*D1");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(30, 0, 0)), block);
    d.add(new ZcDbText(ZcGePoint3d(12, 1, 0), L"30", ZcDbObjectId::kNull, 2.5, 0.0), block);
    auto* dim = new ZcDbRotatedDimension();
    dim->setDimBlockId(block);
    dim->setDimBlockPosition(ZcGePoint3d(5, 5, 0));
    ZcDbObjectPointer<ZcDbDimension> placed(d.add(dim));
    GiRecorder rec;
    rec.run(placed.object());
    std::vector<Gi_Record> lines = rec.ofKind(Gi_Record::kPolyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].points[0].isEqualTo(ZcGePoint3d(5, 5, 0)));
    EXPECT_EQ(lines[0].depth, 1);
    ASSERT_EQ(Count(rec, Gi_Record::kText), 1);
    ZcDbExtents e;
    ASSERT_EQ(placed->getGeomExtents(e), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(e, rec.extents().minPoint(), rec.extents().maxPoint()));
}

TEST(EntityDrawing, HiddenThingsDrawNothing)
{
    ZcDbLine invisible(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
    invisible.setVisibility(ZcDb::kInvisible);
    ZcDbViewport overall;
    overall.setWidth(10);
    overall.setHeight(10);
    overall.setNumber(1);
    for (ZcDbEntity* ent : std::initializer_list<ZcDbEntity*>{&invisible, &overall}) {
        GiRecorder rec;
        rec.run(ent);
        EXPECT_TRUE(rec.records().empty()) << ent->isA()->name();
    }
}

}  // namespace
