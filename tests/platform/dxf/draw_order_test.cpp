// A space's draw order through DXF: the SORTENTSTABLE object written with the entity and sort
// handles, read back to the same order, and read by ezdxf as the same redraw order.
#include <gtest/gtest.h>

#include <algorithm>

#include "db/dbents.h"
#include "db/dbsort.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

std::vector<uint64_t> Handles_In_Draw_Order(ZcDbDatabase* db) {
  ZcDbObjectPointer<ZcDbBlockTableRecord> ms(db->modelSpaceId(), ZcDb::kForRead);
  std::vector<uint64_t> handles;
  for (const ZcDbObjectId& id : Draw_Order(ms.object())) handles.push_back(id.handle().value());
  return handles;
}

TEST(DxfDrawOrder, SortentsTableRoundTripsAndEzdxfReadsItsOrder) {
  ZcDbDatabase db;
  std::vector<ZcDbObjectId> ids;
  {
    ZcDbObjectPointer<ZcDbBlockTableRecord> ms(db.modelSpaceId(), ZcDb::kForWrite);
    for (int i = 0; i < 3; ++i) {
      auto* line = new ZcDbLine(ZcGePoint3d(i, 0, 0), ZcGePoint3d(i, 1, 0));
      ZcDbObjectId id;
      ASSERT_EQ(ms->appendZcDbEntity(id, line), Zcad::eOk);
      line->close();
      ids.push_back(id);
    }
    ZcDbSortentsTable* table = nullptr;
    ASSERT_EQ(ms->getSortentsTable(table, ZcDb::kForWrite, true), Zcad::eOk);
    ZcDbObjectIdArray moved;
    moved.append(ids[2]);
    table->moveToBottom(moved);
    table->close();
  }
  const std::vector<uint64_t> expected = {ids[2].handle().value(), ids[0].handle().value(), ids[1].handle().value()};
  ASSERT_EQ(Handles_In_Draw_Order(&db), expected);

  const std::string path = Temp_Path("draw_order.dxf");
  ASSERT_EQ(Write_Dxf_File(&db, Wide(path)), Zcad::eOk);
  std::string error;
  auto reloaded = Read(path, &error);
  ASSERT_TRUE(reloaded) << error;
  EXPECT_EQ(Handles_In_Draw_Order(reloaded.get()), expected);

  std::string output;
  ASSERT_EQ(Run_Command("/usr/bin/python3 -c \"import ezdxf; m = ezdxf.readfile('" + path +
                            "').modelspace(); order = dict(m.get_redraw_order()); "
                            "print(' '.join(e.dxf.handle for e in sorted(m, key=lambda e: int(order.get(e.dxf.handle, "
                            "e.dxf.handle), 16))))\"",
                        output),
            0)
      << output;
  char text[64];
  std::snprintf(text, sizeof text, "%llX %llX %llX\n", (unsigned long long)expected[0],
                (unsigned long long)expected[1], (unsigned long long)expected[2]);
  EXPECT_EQ(output, text);
}

}  // namespace
}  // namespace platform
