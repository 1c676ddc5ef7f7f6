// Every real-world drawing and every fixture is read, saved, and read again by ezdxf with the
// same entity counts per type in every layout and block, attribute values, XRecords and layers.
#include <gtest/gtest.h>

#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

const char* const kRealFiles[] = {
    "qcad/examples/flange.dxf",
    "qcad/libraries/templates/metric/iso_en_a4_metric_landscape_aec.dxf",
    "qcad/libraries/templates/metric/dl3dl/TGL31006.dxf",
    "qcad/libraries/templates/metric/dl3dl/DIN7200.dxf",
    "qcad/libraries/templates/metric/dl3dl/Vorlage_elt_2.dxf",
    "qcad/libraries/templates/metric/dl3dl/DIN-A3-Querformat-Rahmen-mit PK.dxf",
    "dxf-parser/samples/data/api-cw750-details.dxf",
    "dxf-parser/test/data/blocks.dxf",
    "dxf-json/sample/A_000217.dxf",
    "dxf-json/integration-test/src/tc2/tc.dxf",
    "ezdxf/integration_tests/data/recover01.dxf",
    "ezdxf/integration_tests/data/bin_dxf_r13.dxf",
    "acadsharp/samples/sample_AC1032_ascii.dxf",
    "acadsharp/samples/sample_AC1032_binary.dxf",
    "acadsharp/samples/sample_AC1009_binary.dxf",
    "libredwg/test/test-data/example_2000.dxf",
    "skymakerolof-dxf/test/resources/floorplan.dxf",
    "cad-viewer/packages/cad-viewer-example/e2e/fixtures/sheet_0.dxf",
};

const char* const kFixtures[] = {"drawing.dxf",         "proxy.dxf",          "r12_gbk.dxf",
                                 "entities_to_eof.dxf", "r12_bare_layers.dxf", "hatch_edge_100.dxf"};

void Check_Round_Trip(const std::string& original, const std::string& saved_name) {
  std::string error;
  std::unique_ptr<ZcDbDatabase> db = Read(original, &error);
  ASSERT_TRUE(db) << error;
  const std::string saved = Temp_Path(saved_name);
  ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved)), Zcad::eOk);
  EXPECT_EQ(Handle_Problems(saved), std::vector<std::string>());
  std::string output;
  EXPECT_EQ(Run_Command(Oracle("dxf_compare.py") + " " + Quoted(original) + " " + Quoted(saved), output), 0) << output;
  // Our own reader takes its own output back.
  EXPECT_TRUE(Read(saved, &error)) << error;
}

class RealDrawingRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(RealDrawingRoundTrip, EzdxfSeesTheSameDrawing) {
  KORVEL_REQUIRE_REAL_DRAWING(GetParam());
  std::string name = GetParam();
  for (char& c : name)
    if (c == '/' || c == ' ') c = '_';
  Check_Round_Trip(Real_Drawing(GetParam()), name);
}

INSTANTIATE_TEST_SUITE_P(RealDxf, RealDrawingRoundTrip, testing::ValuesIn(kRealFiles));

class FixtureRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(FixtureRoundTrip, EzdxfSeesTheSameDrawing) {
  Check_Round_Trip(Fixture(GetParam()), std::string("fixture_") + GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureRoundTrip, testing::ValuesIn(kFixtures));

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// A drawing made in the platform (no file behind it) is a DXF file ezdxf reads as it is.
TEST(NewDrawing, SavedDrawingIsReadByEzdxf) {
  ZcDbDatabase db;
  ZcDbBlockTableRecord* ms = nullptr;
  ASSERT_EQ(zcdbOpenObject(ms, db.modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
  auto* line = new ZcDbLine();
  line->setEndPoint(ZcGePoint3d(10, 10, 0));
  ASSERT_EQ(ms->appendZcDbEntity(line), Zcad::eOk);
  line->close();
  ms->close();
  const std::string saved = dxf_test::Temp_Path("new_drawing.dxf");
  ASSERT_EQ(Write_Dxf_File(&db, dxf_test::Wide(saved)), Zcad::eOk);
  EXPECT_EQ(dxf_test::Handle_Problems(saved), std::vector<std::string>());
  std::string output;
  ASSERT_EQ(dxf_test::Run_Command(dxf_test::Oracle("dxf_summary.py") + " " + dxf_test::Quoted(saved), output), 0) << output;
  EXPECT_NE(output.find("\"Model\": {\"LINE\": 1}"), std::string::npos) << output;
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

using namespace dxf_test;

// The layer table's own extension dictionary (its layer states) stays the table's through a save.
TEST(TableObjects, KeepTheirExtensionDictionaryThroughASave) {
  const char* drawing = "acadsharp/samples/sample_AC1032_ascii.dxf";
  KORVEL_REQUIRE_REAL_DRAWING(drawing);
  auto Layer_States_Of = [](ZcDbDatabase* db) {
    ZcDbLayerTable* layers = nullptr;
    if (db->getLayerTable(layers, ZcDb::kForRead) != Zcad::eOk) return std::string("no layer table");
    const ZcDbObjectId dictId = layers->extensionDictionary();
    const ZcDbObjectId tableId = layers->objectId();
    layers->close();
    ZcDbDictionary* dict = nullptr;
    if (zcdbOpenObject(dict, dictId, ZcDb::kForRead) != Zcad::eOk) return std::string("no extension dictionary");
    const bool owned = dict->ownerId() == tableId;
    const bool states = dict->has(L"ACAD_LAYERSTATES");
    dict->close();
    return std::string(owned ? "owned" : "not owned") + (states ? " with layer states" : " without layer states");
  };
  std::string error;
  std::unique_ptr<ZcDbDatabase> db = Read(Real_Drawing(drawing), &error);
  ASSERT_TRUE(db) << error;
  EXPECT_EQ(Layer_States_Of(db.get()), "owned with layer states");
  const std::string saved = Temp_Path("table_xdictionary.dxf");
  ASSERT_EQ(Write_Dxf_File(db.get(), Wide(saved)), Zcad::eOk);
  EXPECT_EQ(Handle_Problems(saved), std::vector<std::string>());
  std::unique_ptr<ZcDbDatabase> again = Read(saved, &error);
  ASSERT_TRUE(again) << error;
  EXPECT_EQ(Layer_States_Of(again.get()), "owned with layer states");
}

}  // namespace
}  // namespace platform
