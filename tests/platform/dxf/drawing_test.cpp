// Entities of real drawings draw where other readers place them: wipeout boundaries and hatch
// pattern lines, compared with what ezdxf computes for the same files.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/gi_recorder.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform::dxf_test {
namespace {

// The first entity of the class in model space, recorded while it draws.
template <typename T>
bool Record_First(ZcDbDatabase* db, GiRecorder& rec)
{
  ZcDbBlockTableRecord* btr = nullptr;
  if (zcdbOpenObject(btr, db->modelSpaceId(), ZcDb::kForRead) != Zcad::eOk) return false;
  std::vector<ZcDbObjectId> ids = btr->entityIds();
  btr->close();
  for (ZcDbObjectId id : ids) {
    ZcDbEntity* e = nullptr;
    if (zcdbOpenObject(e, id, ZcDb::kForRead) != Zcad::eOk) continue;
    const bool match = T::cast(e) != nullptr;
    if (match) rec.run(e);
    e->close();
    if (match) return true;
  }
  return false;
}

// The wipeout's fill, checked against ezdxf's boundary_path_wcs() of the same wipeout.
void Expect_Sample_Wipeout(ZcDbDatabase* db) {
  GiRecorder rec;
  ASSERT_TRUE(Record_First<ZcDbWipeout>(db, rec));
  std::vector<Gi_Record> fills = rec.ofKind(Gi_Record::kPolygon);
  ASSERT_EQ(fills.size(), 1u);
  const ZcGePoint3d expected[] = {{271.921, 3.988, 0}, {298.113, 4.240, 0}, {295.721, 26.511, 0}, {272.677, 35.696, 0}};
  ASSERT_EQ(fills[0].points.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(fills[0].points[i].x, expected[i].x, 1e-3) << i;
    EXPECT_NEAR(fills[0].points[i].y, expected[i].y, 1e-3) << i;
  }
}

TEST(DxfDrawing, WipeoutBoundaryLandsWhereOtherReadersPlaceItAndSurvivesSaving) {
  KORVEL_REQUIRE_REAL_DRAWING("acadsharp/samples/sample_AC1032_ascii.dxf");
  std::string error;
  auto db = Read(Real_Drawing("acadsharp/samples/sample_AC1032_ascii.dxf"), &error);
  ASSERT_TRUE(db) << error;
  Expect_Sample_Wipeout(db.get());
  const std::string saved = Temp_Path("wipeout_saved.dxf");
  ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved)), Zcad::eOk);
  auto back = Read(saved, &error);
  ASSERT_TRUE(back) << error;
  Expect_Sample_Wipeout(back.get());
}

TEST(DxfDrawing, HatchPatternLinesFollowThePatternDataOfTheFile) {
  KORVEL_REQUIRE_REAL_DRAWING("qcad/examples/flange.dxf");
  std::string error;
  auto db = Read(Real_Drawing("qcad/examples/flange.dxf"), &error);
  ASSERT_TRUE(db) << error;
  GiRecorder rec;
  ASSERT_TRUE(Record_First<ZcDbHatch>(db.get(), rec));
  std::vector<Gi_Record> lines = rec.ofKind(Gi_Record::kPolyline);
  double total = 0.0;
  for (const Gi_Record& l : lines) {
    ASSERT_EQ(l.points.size(), 2u);
    const ZcGeVector3d d = l.points[1] - l.points[0];
    total += d.length();
    EXPECT_NEAR(std::fabs(d.x), std::fabs(d.y), 1e-6);  // ANSI31: 45 degrees
  }
  // ezdxf's hatching of the same hatch: 18 lines, 97.353 long in all (its arcs are exact, ours
  // divided).
  EXPECT_EQ(lines.size(), 18u);
  EXPECT_NEAR(total, 97.353, 0.5);
}

}  // namespace
}  // namespace platform::dxf_test
