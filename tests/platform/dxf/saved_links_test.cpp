// Saved drawings name only handles they define: broken layout links of the file read are mended
// with warnings, links to objects that are not written are left out with warnings, and ezdxf
// reads every copy.
#include <gtest/gtest.h>

#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"
#include "rx/zcadstrc.h"

namespace platform {
namespace {

using namespace dxf_test;

std::string Listed(const DxfWarnings& warnings) {
  std::string text;
  for (const DxfWarning& w : warnings.listed()) text += w.reason + "\n";
  return text;
}

// The checker itself: it must see each kind of fault it is there for.
TEST(DxfHandleCheck, ReportsDanglingDoubledAndUnlinkedHandles) {
  const std::string text =
      "  0\nSECTION\n  2\nHEADER\n  9\n$HANDSEED\n  5\n99\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nBLOCK_RECORD\n  5\n1\n330\n0\n"
      "  0\nBLOCK_RECORD\n  5\n2\n330\n1\n100\nAcDbBlockTableRecord\n  2\n*Model_Space\n340\n3\n"
      "  0\nBLOCK_RECORD\n  5\n4\n330\n1\n100\nAcDbBlockTableRecord\n  2\n*Paper_Space\n340\n0\n"
      "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
      "  0\nLINE\n  5\n2\n330\n7\n100\nAcDbEntity\n1001\nAPP\n1005\n77\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nOBJECTS\n"
      "  0\nLAYOUT\n  5\n3\n330\n1\n100\nAcDbLayout\n  1\nModel\n330\n2\n"
      "  0\nLAYOUT\n  5\n5\n330\n1\n100\nAcDbLayout\n  1\nLayout1\n330\n4\n"
      "  0\nENDSEC\n  0\nEOF\n";
  const std::vector<std::string> expected = {
      "line 55: LINE defines handle 2, which BLOCK_RECORD at line 23 defines already",
      "line 59: LINE 2 group 330 names handle 7, which no record defines",
      "line 85: LAYOUT 5 names block record 4, which names layout 0",
  };
  EXPECT_EQ(korvel_test::Dxf_Handle_Problems(text), expected);
}

// Files whose layouts lost their links (as three programs write them) open with a warning each;
// their copies are sound and keep every layout with its entity.
TEST(SavedLinks, BrokenLayoutLinksAreMendedWithWarnings) {
  struct Case {
    const char* fixture;
    std::vector<const char*> warnings;
  } cases[] = {
      // The block record has no handle, so it gets a new one its layout does not name.
      {"layout_renumbered_block.dxf", {"layout 'Layout1' names no block record of its own; linked to '*Paper_Space'"}},
      {"layout_on_model_space.dxf",
       {"layout 'Layout1' names no block record of its own; linked to '*Paper_Space'",
        "layout '布局2' names no block record of its own; linked to '*Paper_Space0'"}},
      {"layout_lost_marker.dxf", {"LAYOUT without its 100 AcDbLayout marker"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    auto db = std::make_unique<ZcDbDatabase>(false, true);
    DxfReadReport report;
    ASSERT_EQ(Read_Dxf_File(db.get(), Wide(Fixture(c.fixture)), &report), Zcad::eOk) << report.error;
    const std::string warnings = Listed(report.warnings);
    EXPECT_EQ(report.warnings.count(), c.warnings.size()) << warnings;
    for (const char* w : c.warnings) EXPECT_NE(warnings.find(w), std::string::npos) << warnings;
    const std::string saved = Temp_Path(std::string("links_") + c.fixture);
    DxfWarnings written;
    ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved), &written), Zcad::eOk);
    EXPECT_EQ(written.count(), 0u) << Listed(written);
    EXPECT_EQ(Handle_Problems(saved), std::vector<std::string>());
    std::string summary;
    ASSERT_EQ(Run_Command(Oracle("dxf_summary.py") + " " + Quoted(saved), summary), 0) << summary;
    EXPECT_NE(summary.find("\"layouts\": {\"Layout1\": {\"CIRCLE\": 1}, \"Model\": {\"LINE\": 1}, "
                           "\"布局2\": {\"TEXT\": 1}}"),
              std::string::npos)
        << summary;
  }
}

ZcDbObjectId Layout_Named(ZcDbDatabase& db, const wchar_t* name) {
  ZcDbDictionary* layouts = nullptr;
  ZcDbObjectId id;
  if (zcdbOpenObject(layouts, db.layoutDictionaryId(), ZcDb::kForRead) == Zcad::eOk) {
    layouts->getAt(name, id);
    layouts->close();
  }
  return id;
}

// A drawing changed in memory so that it links to what is not written: the links are left
// out of the copy, each with a warning, and ezdxf reads the copy.
TEST(SavedLinks, LinksToUnwrittenObjectsAreLeftOutWithWarnings) {
  ZcDbDatabase db;
  ZcDbBlockTableRecord* ms = nullptr;
  ASSERT_EQ(zcdbOpenObject(ms, db.modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
  auto* gone = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
  ZcDbObjectId gone_id;
  ASSERT_EQ(ms->appendZcDbEntity(gone_id, gone), Zcad::eOk);
  gone->erase();
  gone->close();
  auto* kept = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(5, 5, 0));
  ASSERT_EQ(ms->appendZcDbEntity(kept), Zcad::eOk);
  kept->close();
  ms->close();
  // An XRECORD naming the erased line.
  resbuf* chain = zcutNewRb(340);
  chain->resval.rlname[0] = gone_id.asOldId();
  auto* record = new ZcDbXrecord();
  record->setFromRbChain(*chain);
  zcutRelRb(chain);
  ZcDbDictionary* nod = nullptr;
  ASSERT_EQ(zcdbOpenObject(nod, db.namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
  ZcDbObjectId record_id;
  ASSERT_EQ(nod->setAt(L"图层记录", record, record_id), Zcad::eOk);
  record->close();
  nod->close();
  // Layout2 drawing on the model space, which the Model layout has.
  ZcDbLayout* layout = nullptr;
  ASSERT_EQ(zcdbOpenObject(layout, Layout_Named(db, L"Layout2"), ZcDb::kForWrite), Zcad::eOk);
  layout->setBlockTableRecordId(db.modelSpaceId());
  layout->close();

  const std::string saved = Temp_Path("links_unwritten.dxf");
  DxfWarnings written;
  ASSERT_EQ(Write_Dxf_File(&db, Wide(saved), &written), Zcad::eOk);
  const std::string warnings = Listed(written);
  EXPECT_NE(warnings.find("layout 'Layout2' has no block record naming it; not written"), std::string::npos) << warnings;
  char dangling[80];
  std::snprintf(dangling, sizeof dangling, "group 340 names handle %llX, which is not written; dropped",
                static_cast<unsigned long long>(gone_id.handle().value()));
  EXPECT_NE(warnings.find(dangling), std::string::npos) << warnings;
  EXPECT_EQ(Handle_Problems(saved), std::vector<std::string>());
  std::string summary;
  ASSERT_EQ(Run_Command(Oracle("dxf_summary.py") + " " + Quoted(saved), summary), 0) << summary;
  EXPECT_NE(summary.find("\"Model\": {\"LINE\": 1}"), std::string::npos) << summary;
  EXPECT_EQ(summary.find("Layout2"), std::string::npos) << summary;
}

}  // namespace
}  // namespace platform
