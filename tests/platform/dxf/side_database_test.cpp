// Side databases: a drawing read into a second database, parts of it written out to new
// databases (wblock), a database inserted as a block definition, and each saved and checked by
// ezdxf.
#include <gtest/gtest.h>

#include <map>

#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

std::vector<ZcDbObjectId> Entities(ZcDbObjectId block) {
  ZcDbBlockTableRecord* btr = nullptr;
  if (zcdbOpenObject(btr, block, ZcDb::kForRead) != Zcad::eOk) return {};
  std::vector<ZcDbObjectId> ids = btr->entityIds();
  btr->close();
  return ids;
}

// What ezdxf finds in the saved database.
std::string Saved_Summary(ZcDbDatabase* db, const std::string& name) {
  const std::string path = Temp_Path(name);
  EXPECT_EQ(db->saveAs(Wide(path).c_str()), Zcad::eOk);
  std::string output;
  EXPECT_EQ(Run_Command(Oracle("dxf_summary.py") + " " + Quoted(path), output), 0) << output;
  return output;
}

TEST(SideDatabase, ReadWblockInsertAndSave) {
  ZcDbDatabase side(false, true);
  ASSERT_EQ(side.readDwgFile(Wide(Fixture("drawing.dxf")).c_str()), Zcad::eOk);

  // A list of entities to a new database: the two lines of model space.
  ZcDbObjectIdArray lines;
  for (ZcDbObjectId id : Entities(side.modelSpaceId()))
    if (id.objectClass() == ZcDbLine::desc()) lines.append(id);
  ASSERT_EQ(lines.length(), 2);
  ZcDbDatabase* out = nullptr;
  ASSERT_EQ(side.wblock(out, lines, ZcGePoint3d(0, 0, 0)), Zcad::eOk);
  std::unique_ptr<ZcDbDatabase> entities_db(out);
  EXPECT_NE(Saved_Summary(entities_db.get(), "wblock_entities.dxf").find("\"Model\": {\"LINE\": 2}"),
            std::string::npos);

  // A block to a new database: its entities become model space, nested blocks come along.
  ASSERT_EQ(side.wblock(out, Record_Id(side.blockTableId(), L"TITLE")), Zcad::eOk);
  std::unique_ptr<ZcDbDatabase> block_db(out);
  const std::string block_summary = Saved_Summary(block_db.get(), "wblock_block.dxf");
  EXPECT_NE(block_summary.find("\"Model\": {\"ATTDEF\": 2, \"INSERT\": 1, \"LWPOLYLINE\": 1}"), std::string::npos)
      << block_summary;
  EXPECT_NE(block_summary.find("\"INNER\": {\"CIRCLE\": 1}"), std::string::npos) << block_summary;

  // The side drawing inserted into another drawing as a block definition.
  ZcDbDatabase host;
  ZcDbObjectId imported;
  ASSERT_EQ(host.insert(imported, L"IMPORTED", &side), Zcad::eOk);
  std::map<std::wstring, int> source_counts, block_counts;
  for (ZcDbObjectId id : Entities(side.modelSpaceId())) ++source_counts[id.objectClass()->name()];
  for (ZcDbObjectId id : Entities(imported)) ++block_counts[id.objectClass()->name()];
  EXPECT_EQ(block_counts, source_counts);
  const std::string host_summary = Saved_Summary(&host, "inserted.dxf");
  EXPECT_NE(host_summary.find("\"IMPORTED\": {"), std::string::npos) << host_summary;
  EXPECT_NE(host_summary.find("\"LINE\": 2"), std::string::npos) << host_summary;
}

}  // namespace
}  // namespace platform
