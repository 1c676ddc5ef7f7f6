// The recording drawing context: primitives with the traits in force, in world coordinates.
#include <gtest/gtest.h>

#include "db/dbents.h"
#include "db/gi_recorder.h"
#include "db_test_support.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;

// Draws with explicit traits: a red filled square, then a polyline in true colour.
class Traits_Entity : public ZcDbEntity {
protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override
    {
        mode->subEntityTraits().setColor(1);
        mode->subEntityTraits().setFillType(kZcGiFillAlways);
        ZcGePoint3d sq[4] = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};
        mode->geometry().polygon(4, sq);
        mode->subEntityTraits().setTrueColor(ZcCmEntityColor(10, 20, 30));
        mode->subEntityTraits().setFillType(kZcGiFillNever);
        mode->subEntityTraits().setLineWeight(ZcDb::kLnWt050);
        ZcGePoint3d line[2] = {{0, 0, 0}, {5, 5, 0}};
        mode->geometry().polyline(2, line);
        return true;
    }
};

TEST(GiRecorder, RecordsEachPrimitiveWithTheTraitsInForce)
{
    Traits_Entity ent;
    GiRecorder rec;
    EXPECT_TRUE(rec.run(&ent));
    ASSERT_EQ(rec.records().size(), 2u);
    const Gi_Record& square = rec.records()[0];
    EXPECT_EQ(square.kind, Gi_Record::kPolygon);
    EXPECT_EQ(square.colorIndex, 1);
    EXPECT_EQ(square.fillType, kZcGiFillAlways);
    ASSERT_EQ(square.points.size(), 4u);
    const Gi_Record& line = rec.records()[1];
    EXPECT_EQ(line.kind, Gi_Record::kPolyline);
    EXPECT_TRUE(line.color.isByColor());
    EXPECT_EQ(line.color.red(), 10);
    EXPECT_EQ(line.fillType, kZcGiFillNever);
    EXPECT_EQ(line.lineWeight, ZcDb::kLnWt050);
    EXPECT_EQ(line.entity, &ent);
    EXPECT_TRUE(Near_Extents(rec.extents(), ZcGePoint3d(0, 0, 0), ZcGePoint3d(5, 5, 0)));
}

TEST(GiRecorder, NestedDrawingAppliesTheModelTransformAndRestoresTraits)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"B");
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    line->setDatabaseDefaults(d.db.get());
    line->setColorIndex(3);
    d.add(line, block);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(10, 0, 0), block);
    ref->setRotation(1.5707963267948966);
    ref->setScaleFactors(ZcGeScale3d(2.0));
    ref->setDatabaseDefaults(d.db.get());
    ref->setColorIndex(5);
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectPointer<ZcDbBlockReference> r(refId);
    GiRecorder rec;
    rec.run(r.object());
    std::vector<Gi_Record> lines = rec.ofKind(Gi_Record::kPolyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].depth, 1);
    EXPECT_EQ(lines[0].colorIndex, 3);
    ASSERT_EQ(lines[0].points.size(), 2u);
    EXPECT_NEAR(lines[0].points[1].x, 10.0, 1e-9);
    EXPECT_NEAR(lines[0].points[1].y, 2.0, 1e-9);
    EXPECT_EQ(rec.transformDepth(), 0);
    EXPECT_EQ(rec.subEntityTraits().color(), 5);
}

}  // namespace
