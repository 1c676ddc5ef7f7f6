// Block references: nested placements, clip boundaries, and definitions that hold themselves.
#include <gtest/gtest.h>

#include <cmath>

#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dbspfilt.h"
#include "db/gi_recorder.h"
#include "db_test_support.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;
constexpr double kPi = 3.14159265358979323846;

ZcDbObjectId Add_Ref(Test_Drawing& d, ZcDbObjectId block, const ZcGePoint3d& at, double rotation,
                     const ZcGeScale3d& scale, ZcDbObjectId owner = ZcDbObjectId::kNull)
{
    auto* ref = new ZcDbBlockReference(at, block);
    ref->setRotation(rotation);
    ref->setScaleFactors(scale);
    return d.add(ref, owner);
}

// Gives the reference a clip boundary (block coordinates).
void Clip(ZcDbObjectId refId, std::initializer_list<ZcGePoint2d> points, bool inverted = false)
{
    ZcDbObjectPointer<ZcDbBlockReference> ref(refId, ZcDb::kForWrite);
    ASSERT_EQ(ref->createExtensionDictionary(), Zcad::eOk);
    ZcDbObjectPointer<ZcDbDictionary> ext(ref->extensionDictionary(), ZcDb::kForWrite);
    auto* filters = new ZcDbDictionary();
    ZcDbObjectId filtersId, filterId;
    ASSERT_EQ(ext->setAt(L"ACAD_FILTER", filters, filtersId), Zcad::eOk);
    auto* filter = new ZcDbSpatialFilter();
    ZcGePoint2dArray pts;
    for (const ZcGePoint2d& p : points) pts.append(p);
    ASSERT_EQ(filter->setDefinition(pts, ZcGeVector3d::kZAxis, 0.0, 0.0, 0.0, true), Zcad::eOk);
    filter->setFilterInverted(inverted);
    ASSERT_EQ(filters->setAt(L"SPATIAL", filter, filterId), Zcad::eOk);
    filter->close();
    filters->close();
}

ZcDbExtents Extents_Of(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbEntity> ent(id);
    ZcDbExtents e;
    EXPECT_EQ(ent->getGeomExtents(e), Zcad::eOk);
    return e;
}

GiRecorder& Draw(ZcDbObjectId id, GiRecorder& rec)
{
    ZcDbObjectPointer<ZcDbEntity> ent(id);
    rec.run(ent.object());
    return rec;
}

TEST(BlockWalk, ThreeDeepRotatedScaledAndMirroredReferencesMeasureWhatTheyDraw)
{
    struct Placement {
        double rotation;
        ZcGeScale3d scale;
    };
    const Placement cases[][3] = {
        {{kPi / 6, ZcGeScale3d(2, 2, 1)}, {-kPi / 4, ZcGeScale3d(1, 1, 1)}, {kPi / 2, ZcGeScale3d(0.5, 0.5, 1)}},
        {{0.3, ZcGeScale3d(-1, 1, 1)}, {1.1, ZcGeScale3d(1, -2, 1)}, {-0.7, ZcGeScale3d(1.5, 1.5, 1)}},
        {{kPi, ZcGeScale3d(3, 1, 1)}, {kPi / 3, ZcGeScale3d(1, 1, 1)}, {0.2, ZcGeScale3d(-1, -1, 1)}},
    };
    for (const auto& c : cases) {
        Test_Drawing d;
        ZcDbObjectId inner = d.addBlock(L"Inner", ZcGePoint3d(1, 1, 0));
        d.add(new ZcDbLine(ZcGePoint3d(1, 1, 0), ZcGePoint3d(6, 1, 0)), inner);
        d.add(new ZcDbArc(ZcGePoint3d(3, 3, 0), 2.0, 0.2, 2.5), inner);
        d.add(new ZcDbText(ZcGePoint3d(1, 4, 0), L"Inner 内", ZcDbObjectId::kNull, 1.0, 0.0), inner);
        ZcDbObjectId middle = d.addBlock(L"Middle");
        d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(0, 8, 0)), middle);
        Add_Ref(d, inner, ZcGePoint3d(4, 2, 0), c[2].rotation, c[2].scale, middle);
        ZcDbObjectId outer = d.addBlock(L"Outer");
        Add_Ref(d, middle, ZcGePoint3d(-3, 5, 0), c[1].rotation, c[1].scale, outer);
        ZcDbObjectId top = Add_Ref(d, outer, ZcGePoint3d(100, 50, 0), c[0].rotation, c[0].scale);

        GiRecorder rec;
        Draw(top, rec);
        EXPECT_EQ(rec.transformDepth(), 0);
        ASSERT_EQ(rec.ofKind(Gi_Record::kText).size(), 1u);
        EXPECT_EQ(rec.ofKind(Gi_Record::kText)[0].depth, 3);
        ZcDbExtents e = Extents_Of(top);
        // Arcs are sampled in the recording: a little inside the exact box at most.
        EXPECT_TRUE(Near_Extents(e, rec.extents().minPoint(), rec.extents().maxPoint(), 0.05))
            << e.minPoint().x << "," << e.minPoint().y << " .. " << e.maxPoint().x << "," << e.maxPoint().y
            << " drawn " << rec.extents().minPoint().x << "," << rec.extents().minPoint().y << " .. "
            << rec.extents().maxPoint().x << "," << rec.extents().maxPoint().y;

        // The inner line's end, placed by hand through the three transforms.
        ZcDbObjectPointer<ZcDbBlockReference> t(top);
        ZcGeMatrix3d m = t->blockTransform();
        ZcGePoint3d expectedEnd;
        {
            ZcDbBlockTableRecord* rec_ = nullptr;
            ASSERT_EQ(zcdbOpenObject(rec_, outer, ZcDb::kForRead), Zcad::eOk);
            ZcDbObjectPointer<ZcDbBlockReference> mid(rec_->entityIds()[0]);
            rec_->close();
            ZcDbBlockTableRecord* midRec = nullptr;
            ASSERT_EQ(zcdbOpenObject(midRec, middle, ZcDb::kForRead), Zcad::eOk);
            ZcDbObjectPointer<ZcDbBlockReference> in(midRec->entityIds()[1]);
            midRec->close();
            expectedEnd = m * mid->blockTransform() * in->blockTransform() * ZcGePoint3d(6, 1, 0);
        }
        bool found = false;
        for (const Gi_Record& r : rec.ofKind(Gi_Record::kPolyline))
            if (r.depth == 3 && r.points.size() == 2) found = found || r.points[1].isEqualTo(expectedEnd);
        EXPECT_TRUE(found);
    }
}

TEST(BlockWalk, ClippedReferencesDrawInsideTheirBoundaryAndMeasureToIt)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"Plan");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), block);
    d.add(new ZcDbLine(ZcGePoint3d(0, 50, 0), ZcGePoint3d(100, 50, 0)), block);
    ZcDbObjectId clipped = Add_Ref(d, block, ZcGePoint3d(1000, 0, 0), kPi / 2, ZcGeScale3d(2, 2, 1));
    Clip(clipped, {ZcGePoint2d(10, -5), ZcGePoint2d(40, 20)});
    // Rotated a quarter turn and doubled: block x 10..40 -> world y 20..80; block y 0 -> x 1000.
    EXPECT_TRUE(Near_Extents(Extents_Of(clipped), ZcGePoint3d(1000, 20, 0), ZcGePoint3d(1000, 80, 0)));

    GiRecorder rec;
    Draw(clipped, rec);
    const std::vector<Gi_Record>& all = rec.records();
    ASSERT_GE(all.size(), 4u);
    EXPECT_EQ(all.front().kind, Gi_Record::kPushClip);
    EXPECT_EQ(all.back().kind, Gi_Record::kPopClip);
    EXPECT_FALSE(all.front().inverted);
    ZcDbExtents boundary;
    for (const ZcGePoint3d& p : all.front().points) boundary.addPoint(p);
    EXPECT_TRUE(Near_Extents(boundary, ZcGePoint3d(960, 20, 0), ZcGePoint3d(1010, 80, 0)));
    EXPECT_EQ(rec.clipDepth(), 0);

    // Inverted: drawn with the boundary kept outside, measured whole.
    ZcDbObjectId inverted = Add_Ref(d, block, ZcGePoint3d(0, 0, 0), 0.0, ZcGeScale3d(1, 1, 1));
    Clip(inverted, {ZcGePoint2d(10, -5), ZcGePoint2d(40, 20)}, true);
    EXPECT_TRUE(Near_Extents(Extents_Of(inverted), ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 50, 0)));
    GiRecorder inv;
    Draw(inverted, inv);
    EXPECT_TRUE(inv.records().front().inverted);

    // A boundary beside the contents leaves nothing to measure.
    ZcDbObjectId beside = Add_Ref(d, block, ZcGePoint3d(0, 0, 0), 0.0, ZcGeScale3d(1, 1, 1));
    Clip(beside, {ZcGePoint2d(200, 200), ZcGePoint2d(300, 300)});
    ZcDbObjectPointer<ZcDbEntity> b(beside);
    ZcDbExtents none;
    EXPECT_EQ(b->getGeomExtents(none), Zcad::eInvalidExtents);
}

TEST(BlockWalk, ClippedArraysMeasureWhatEveryCellShows)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"Cell");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), block);
    auto* array = new ZcDbMInsertBlock(ZcGePoint3d(0, 0, 0), block, 1, 3, 0.0, 10.0);
    ZcDbObjectId id = d.add(array);
    Clip(id, {ZcGePoint2d(20, -1), ZcGePoint2d(30, 1)});
    EXPECT_TRUE(Near_Extents(Extents_Of(id), ZcGePoint3d(20, 0, 0), ZcGePoint3d(30, 20, 0), 1e-9));
    GiRecorder rec;
    Draw(id, rec);
    EXPECT_EQ(rec.ofKind(Gi_Record::kPushClip).size(), 3u);
    EXPECT_EQ(rec.clipDepth(), 0);
}

TEST(BlockWalk, NestedClipsMeasureInTheirOwnPlacement)
{
    Test_Drawing d;
    ZcDbObjectId inner = d.addBlock(L"Inner");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), inner);
    ZcDbObjectId outer = d.addBlock(L"Outer");
    ZcDbObjectId nested = Add_Ref(d, inner, ZcGePoint3d(0, 0, 0), 0.0, ZcGeScale3d(1, 1, 1), outer);
    Clip(nested, {ZcGePoint2d(20, -1), ZcGePoint2d(30, 1)});
    ZcDbObjectId top = Add_Ref(d, outer, ZcGePoint3d(0, 0, 0), kPi / 2, ZcGeScale3d(1, 1, 1));
    EXPECT_TRUE(Near_Extents(Extents_Of(top), ZcGePoint3d(0, 20, 0), ZcGePoint3d(0, 30, 0), 1e-9));
}

TEST(BlockWalk, BlocksHoldingThemselvesEndTheWalk)
{
    Test_Drawing d;
    // A holds a line and itself twice; B and C hold each other.
    ZcDbObjectId a = d.addBlock(L"A");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0)), a);
    Add_Ref(d, a, ZcGePoint3d(5, 5, 0), 0.0, ZcGeScale3d(1, 1, 1), a);
    Add_Ref(d, a, ZcGePoint3d(-5, 5, 0), 0.0, ZcGeScale3d(1, 1, 1), a);
    ZcDbObjectId b = d.addBlock(L"B");
    ZcDbObjectId c = d.addBlock(L"C");
    d.add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1.0), b);
    Add_Ref(d, c, ZcGePoint3d(10, 0, 0), 0.0, ZcGeScale3d(1, 1, 1), b);
    Add_Ref(d, b, ZcGePoint3d(10, 0, 0), 0.0, ZcGeScale3d(1, 1, 1), c);

    ZcDbObjectId refA = Add_Ref(d, a, ZcGePoint3d(0, 0, 0), 0.0, ZcGeScale3d(1, 1, 1));
    EXPECT_TRUE(Near_Extents(Extents_Of(refA), ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0)));
    GiRecorder rec;
    Draw(refA, rec);
    EXPECT_EQ(rec.ofKind(Gi_Record::kPolyline).size(), 1u);
    EXPECT_EQ(rec.transformDepth(), 0);

    ZcDbObjectId refB = Add_Ref(d, b, ZcGePoint3d(0, 0, 0), 0.0, ZcGeScale3d(1, 1, 1));
    // B's circle, and C's placement of B once more: the walk stops when B comes round again.
    EXPECT_TRUE(Near_Extents(Extents_Of(refB), ZcGePoint3d(-1, -1, 0), ZcGePoint3d(1, 1, 0)));
    GiRecorder recB;
    Draw(refB, recB);
    EXPECT_EQ(recB.ofKind(Gi_Record::kCircle).size(), 1u);

    // Exploding one level still works.
    ZcDbObjectPointer<ZcDbBlockReference> ra(refA);
    ZcDbVoidPtrArray pieces;
    ASSERT_EQ(ra->explode(pieces), Zcad::eOk);
    EXPECT_EQ(pieces.length(), 3);
    for (int i = 0; i < pieces.length(); ++i) delete static_cast<ZcDbEntity*>(pieces[i]);
}

TEST(BlockWalk, ConstantAttributesShowTheirValueAndInvisibleOnesNothing)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"Stamp");
    auto* shown = new ZcDbAttributeDefinition(ZcGePoint3d(0, 0, 0), L"APPROVED", L"STATE", L"State?");
    shown->setHeight(2.0);
    shown->setConstant(true);
    d.add(shown, block);
    auto* hidden = new ZcDbAttributeDefinition(ZcGePoint3d(0, 10, 0), L"SECRET", L"CODE", L"Code?");
    hidden->setHeight(2.0);
    hidden->setConstant(true);
    hidden->setInvisible(true);
    d.add(hidden, block);
    ZcDbObjectId ref = Add_Ref(d, block, ZcGePoint3d(0, 0, 0), 0.0, ZcGeScale3d(1, 1, 1));
    GiRecorder rec;
    Draw(ref, rec);
    std::vector<Gi_Record> texts = rec.ofKind(Gi_Record::kText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, L"APPROVED");
    EXPECT_TRUE(Near_Extents(Extents_Of(ref), rec.extents().minPoint(), rec.extents().maxPoint(), 1e-9));
}

}  // namespace
