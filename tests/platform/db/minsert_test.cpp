// Arrays of block references (MINSERT): extents by arithmetic, bounded drawing and exploding.
#include <gtest/gtest.h>

#include <cmath>

#include "db/dbents.h"
#include "db/gi_recorder.h"
#include "db_test_support.h"

namespace minsert_test {

using platform::Gi_Record;
using platform::GiRecorder;
constexpr double kPi = 3.14159265358979323846;

ZcDbExtents Extents_Of(ZcDbEntity* ent)
{
    ZcDbExtents e;
    EXPECT_EQ(ent->getGeomExtents(e), Zcad::eOk);
    return e;
}

// The extents of an array are those of its exploded cells together.
TEST(MInsert, ExtentsEqualThoseOfItsCells)
{
    struct Case {
        const char* what;
        uint16_t columns, rows;
        double column_spacing, row_spacing, rotation;
    } cases[] = {
        {"one cell", 1, 1, 5, 5, 0},
        {"a row", 4, 1, 30, 0, 0},
        {"a grid", 3, 4, 30, -20, 0},
        {"rotated", 3, 2, 30, 20, kPi / 6},
        {"rotated past a half turn", 2, 5, -15, 12, 1.3 * kPi},
    };
    for (const Case& c : cases) {
        Test_Drawing d;
        ZcDbObjectId block = d.addBlock(L"Cell");
        d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 3, 0)), block);
        d.add(new ZcDbCircle(ZcGePoint3d(2, -1, 0), ZcGeVector3d::kZAxis, 2.0), block);
        auto* array = new ZcDbMInsertBlock(ZcGePoint3d(7, 8, 0), block, c.columns, c.rows, c.column_spacing,
                                           c.row_spacing);
        array->setRotation(c.rotation);
        ZcDbObjectPointer<ZcDbMInsertBlock> ref(d.add(array));
        ZcDbVoidPtrArray cells;
        ASSERT_EQ(ref->explode(cells), Zcad::eOk) << c.what;
        ASSERT_EQ(cells.length(), c.columns * c.rows) << c.what;
        ZcDbExtents expected;
        for (int i = 0; i < cells.length(); ++i) {
            auto* cell = static_cast<ZcDbEntity*>(cells[i]);
            expected.addExt(Extents_Of(cell));
            delete cell;
        }
        EXPECT_TRUE(Near_Extents(Extents_Of(ref.object()), expected.minPoint(), expected.maxPoint(), 1e-9)) << c.what;
    }
}

// 32767 x 32767 cells: measured at once, drawn in part, not exploded.
TEST(MInsert, HugeArraysCostWhatTheirCornersCost)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"Cell");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0)), block);
    ZcDbObjectPointer<ZcDbMInsertBlock> ref(d.add(new ZcDbMInsertBlock(ZcGePoint3d(0, 0, 0), block, 32767, 32767, 2, 3)));
    EXPECT_TRUE(Near_Extents(Extents_Of(ref.object()), ZcGePoint3d(0, 0, 0), ZcGePoint3d(32766 * 2 + 1, 32766 * 3 + 1, 0)));
    GiRecorder rec;
    rec.run(ref.object());
    const size_t drawn = rec.ofKind(Gi_Record::kPolyline).size();
    EXPECT_GT(drawn, 0u);
    EXPECT_LE(drawn, 100000u);
    ZcDbVoidPtrArray cells;
    EXPECT_EQ(ref->explode(cells), Zcad::eOutOfRange);
    EXPECT_EQ(cells.length(), 0);
}

}  // namespace minsert_test
