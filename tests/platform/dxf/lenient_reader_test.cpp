// Drawings written by other programs open: details that do not fit are warnings, not refusals.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "db/dbents.h"
#include "db/dbhatch.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "dxf_test_support.h"

namespace platform {
namespace lenient_test {

const std::string kEntitiesStart = "  0\nSECTION\n  2\nENTITIES\n";
const std::string kEnd = "  0\nENDSEC\n  0\nEOF\n";
const std::string kLine = "  0\nLINE\n  8\n0\n 10\n1\n 20\n2\n 11\n3\n 21\n4\n";

std::string With_Line_Ends(const std::string& text, const std::string& line_end) {
  std::string out;
  for (char c : text) out += c == '\n' ? line_end : std::string(1, c);
  return out;
}

std::vector<ZcDbEntity*> Model_Entities(ZcDbDatabase& db) {
  std::vector<ZcDbEntity*> out;
  ZcDbBlockTableRecord* ms = nullptr;
  if (zcdbOpenObject(ms, db.modelSpaceId(), ZcDb::kForRead) != Zcad::eOk) return out;
  for (ZcDbObjectId id : ms->entityIds()) {
    ZcDbEntity* e = nullptr;
    if (zcdbOpenObject(e, id, ZcDb::kForRead) == Zcad::eOk) out.push_back(e);
  }
  ms->close();
  return out;
}

struct Opened {
  Zcad::ErrorStatus status;
  DxfReadReport report;
  std::unique_ptr<ZcDbDatabase> db = std::make_unique<ZcDbDatabase>(false, true);
  std::vector<ZcDbEntity*> entities;
  ~Opened() {
    for (ZcDbEntity* e : entities) e->close();
  }
};

std::unique_ptr<Opened> Open(const std::string& data) {
  auto o = std::make_unique<Opened>();
  o->status = Read_Dxf_Data(o->db.get(), data, "odd.dxf", &o->report);
  if (o->status == Zcad::eOk) o->entities = Model_Entities(*o->db);
  return o;
}

std::string Warnings_Of(const DxfReadReport& report) {
  std::string text;
  for (const DxfWarning& w : report.warnings.listed()) text += "line " + std::to_string(w.line) + ": " + w.reason + "\n";
  return text;
}

// Each drawing opens with its line; the warnings say what did not fit, at which line.
TEST(LenientDxfReader, OddDrawingsOpenWithWarnings) {
  struct Case {
    const char* what;
    std::string data;
    size_t warnings;
    const char* warning;  // in the listed warnings ("" for none)
    std::function<void(ZcDbLine*)> check;
  } cases[] = {
      {"a name where a handle belongs, an empty handle",
       "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nDIMSTYLE\n  5\nA\n  0\nDIMSTYLE\n105\n1F\n100\nAcDbSymbolTableRecord\n"
       "100\nAcDbDimStyleTableRecord\n  2\nStandard\n 70\n0\n340\nStandard\n341\n\n  0\nENDTAB\n  0\nENDSEC\n" +
           kEntitiesStart + kLine + kEnd,
       2, "line 24: expected a hexadecimal handle for group code 340, found 'Standard'; ignored", nullptr},
      {"not a number", kEntitiesStart + "  0\nLINE\n 10\nabc\n 20\n2\n" + kEnd, 1,
       "line 8: expected a real number for group code 10, found 'abc'; ignored",
       [](ZcDbLine* l) { EXPECT_EQ(l->startPoint(), ZcGePoint3d(0, 2, 0)); }},
      {"nan and inf", kEntitiesStart + "  0\nLINE\n 10\nnan\n 20\ninf\n 11\n-inf\n 21\n1e999\n" + kEnd, 4,
       "line 10: expected a real number for group code 20, found 'inf'",
       [](ZcDbLine* l) {
         EXPECT_EQ(l->startPoint(), ZcGePoint3d(0, 0, 0));
         EXPECT_EQ(l->endPoint(), ZcGePoint3d(0, 0, 0));
       }},
      {"numbers with blanks around them", kEntitiesStart + "  0\nLINE\n 10\n  1.5   \n 20\n\t2\t\n" + kEnd, 0, "",
       [](ZcDbLine* l) { EXPECT_EQ(l->startPoint(), ZcGePoint3d(1.5, 2, 0)); }},
      {"comments anywhere",
       "999\nwritten by hand\n" + kEntitiesStart + "999\nbefore\n  0\nLINE\n999\ninside\n 10\n1\n999\nbetween x and y\n 20\n2\n" +
           kEnd + "999\nafter\n",
       0, "", [](ZcDbLine* l) { EXPECT_EQ(l->startPoint(), ZcGePoint3d(1, 2, 0)); }},
      {"unknown groups inside a line", kEntitiesStart + "  0\nLINE\n 10\n1\n 77\n5\n1000\nfree text\n 20\n2\n" + kEnd, 0,
       "", [](ZcDbLine* l) { EXPECT_EQ(l->startPoint(), ZcGePoint3d(1, 2, 0)); }},
      {"a group code beyond those of DXF", kEntitiesStart + "  0\nLINE\n5000\nX\n 10\n1\n 20\n2\n" + kEnd, 1,
       "line 7: unknown group code 5000; its group is ignored",
       [](ZcDbLine* l) { EXPECT_EQ(l->startPoint(), ZcGePoint3d(1, 2, 0)); }},
      {"text after 0 EOF", kEntitiesStart + kLine + kEnd + "written by a tool\n  0\n", 1,
       "line 21: text after 0 EOF; ignored", nullptr},
      {"no header, no tables", kEntitiesStart + kLine + kEnd, 0, "", nullptr},
      {"no 0 EOF", kEntitiesStart + kLine + "  0\nENDSEC\n", 1, "the file ends without 0 EOF", nullptr},
      {"an ENDSEC too many", kEntitiesStart + kLine + "  0\nENDSEC\n  0\nENDSEC\n  0\nEOF\n", 1,
       "line 19: 0 ENDSEC outside a section; ignored", nullptr},
      {"an unknown section", "  0\nSECTION\n  2\nEXTRAS\n 70\n1\n  0\nENDSEC\n" + kEntitiesStart + kLine + kEnd, 1,
       "line 1: unknown section 'EXTRAS'; skipped", nullptr},
      {"an invalid lineweight", kEntitiesStart + "  0\nLINE\n370\n7\n 10\n1\n" + kEnd, 1,
       "line 8: value 7 of group code 370 is out of range; -1 stands",
       [](ZcDbLine* l) { EXPECT_EQ(l->lineWeight(), ZcDb::kLnWtByLayer); }},
      {"a colour index out of range", kEntitiesStart + "  0\nLINE\n 62\n-2147483648\n 10\n1\n" + kEnd, 1,
       "line 8: value -2147483648 of group code 62 is out of range; 256 stands",
       [](ZcDbLine* l) { EXPECT_EQ(l->colorIndex(), 256); }},
      {"a file copied twice in text mode", With_Line_Ends(kEntitiesStart + kLine + kEnd, "\r\r\n"), 0, "",
       [](ZcDbLine* l) { EXPECT_EQ(l->endPoint(), ZcGePoint3d(3, 4, 0)); }},
      {"lines ended by a carriage return alone", With_Line_Ends(kEntitiesStart + kLine + kEnd, "\r"), 0, "",
       [](ZcDbLine* l) { EXPECT_EQ(l->endPoint(), ZcGePoint3d(3, 4, 0)); }},
  };
  for (const Case& c : cases) {
    auto o = Open(c.data);
    ASSERT_EQ(o->status, Zcad::eOk) << c.what << ": " << o->report.error;
    ASSERT_EQ(o->entities.size(), 1u) << c.what;
    auto* line = ZcDbLine::cast(o->entities[0]);
    ASSERT_NE(line, nullptr) << c.what;
    const std::string warnings = Warnings_Of(o->report);
    EXPECT_EQ(o->report.warnings.count(), c.warnings) << c.what << ":\n" << warnings;
    EXPECT_NE(warnings.find(c.warning), std::string::npos) << c.what << ":\n" << warnings;
    if (c.check) c.check(line);
  }
}

// A drawing never opens empty without a word; a binary file's non-finite real is a warning too.
TEST(LenientDxfReader, EmptyAndNonFiniteAreNeverSilent) {
  auto empty = Open("  0\nEOF\n");
  ASSERT_EQ(empty->status, Zcad::eOk);
  EXPECT_TRUE(empty->entities.empty());
  EXPECT_EQ(Warnings_Of(empty->report), "line 0: the file holds no section: the drawing is empty\n");

  std::string binary("AutoCAD Binary DXF\r\n\x1a\0", 22);
  auto group = [&](int code, const std::string& value) { binary += static_cast<char>(code), binary += value; };
  auto real = [&](int code, double v) {
    binary += static_cast<char>(code);
    binary.append(reinterpret_cast<const char*>(&v), sizeof v);
  };
  group(0, std::string("SECTION\0", 8));
  group(2, std::string("ENTITIES\0", 9));
  group(0, std::string("LINE\0", 5));
  real(10, std::numeric_limits<double>::quiet_NaN());
  real(20, 1.0);
  group(0, std::string("ENDSEC\0", 7));
  group(0, std::string("EOF\0", 4));
  auto o = Open(binary);
  ASSERT_EQ(o->status, Zcad::eOk) << o->report.error;
  ASSERT_EQ(o->entities.size(), 1u);
  EXPECT_EQ(ZcDbLine::cast(o->entities[0])->startPoint(), ZcGePoint3d(0, 1, 0));
  EXPECT_EQ(Warnings_Of(o->report), "line 0: binary DXF: group code 10 at byte 47 holds no finite number; 0 stands\n");
}

// Header enumerations out of range are clamped one by one; the rest of the header stands.
TEST(LenientDxfReader, HeaderValuesOutOfRangeAreDroppedOneByOne) {
  struct Case {
    const char* insunits;
    const char* celweight;
    ZcDb::UnitsValue units;
    ZcDb::LineWeight weight;
    size_t warnings;
  } cases[] = {
      {"4", "25", ZcDb::kUnitsMillimeters, ZcDb::kLnWt025, 0},
      {"99", "25", ZcDb::kUnitsUndefined, ZcDb::kLnWt025, 1},
      {"-3", "1000", ZcDb::kUnitsUndefined, ZcDb::kLnWtByLayer, 2},
      {"millimetres", "-2", ZcDb::kUnitsUndefined, ZcDb::kLnWtByBlock, 1},
  };
  for (const Case& c : cases) {
    const std::string data = "  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\n" + std::string(c.insunits) +
                             "\n  9\n$CELWEIGHT\n370\n" + c.celweight + "\n  9\n$LTSCALE\n 40\n2.5\n  0\nENDSEC\n" +
                             kEntitiesStart + kLine + kEnd;
    auto o = Open(data);
    ASSERT_EQ(o->status, Zcad::eOk) << o->report.error;
    EXPECT_EQ(o->db->insunits(), c.units) << c.insunits;
    EXPECT_EQ(o->db->celweight(), c.weight) << c.celweight;
    EXPECT_EQ(o->db->ltscale(), 2.5);
    EXPECT_EQ(o->report.warnings.count(), c.warnings) << Warnings_Of(o->report);
  }
}

// Values that claim more than the file holds cost what the file justifies.
TEST(LenientDxfReader, HostileValuesCostWhatTheFileJustifies) {
  // 229 bytes: one MINSERT of 32767 x 32767 cells of a one-line block.
  const std::string minsert =
      "  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nB\n 70\n0\n 10\n0\n 20\n0\n  0\nLINE\n  8\n0\n 10\n0\n 20\n0\n"
      " 11\n1\n 21\n1\n  0\nENDBLK\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nENTITIES\n  0\nINSERT\n  8\n0\n  2\nB\n 10\n0\n 20\n0\n 70\n32767\n 71\n32767\n"
      " 44\n2\n 45\n3\n  0\nENDSEC\n  0\nEOF\n";
  auto o = Open(minsert);
  ASSERT_EQ(o->status, Zcad::eOk) << o->report.error;
  ASSERT_EQ(o->entities.size(), 1u);
  ZcDbExtents extents;
  ASSERT_EQ(o->entities[0]->getGeomExtents(extents), Zcad::eOk);
  EXPECT_EQ(extents.maxPoint(), ZcGePoint3d(32766 * 2 + 1, 32766 * 3 + 1, 0));

  // A hatch arc edge of 1e300 degrees (its sweep was once found by adding turns one by one).
  const std::string hatch = kEntitiesStart +
                            "  0\nHATCH\n100\nAcDbEntity\n  8\n0\n100\nAcDbHatch\n 10\n0\n 20\n0\n 30\n0\n  2\nSOLID\n"
                            " 70\n1\n 71\n0\n 91\n1\n 92\n1\n 93\n2\n 72\n2\n 10\n0\n 20\n0\n 40\n5\n 50\n1e300\n"
                            " 51\n-1e300\n 73\n1\n 72\n1\n 10\n5\n 20\n0\n 11\n0\n 21\n0\n 97\n0\n 75\n0\n 76\n1\n 98\n0\n" +
                            kEnd;
  // An elliptic edge whose angles are too far apart to subtract.
  const std::string ellipse = kEntitiesStart +
                              "  0\nHATCH\n100\nAcDbEntity\n  8\n0\n100\nAcDbHatch\n 10\n0\n 20\n0\n 30\n0\n  2\nSOLID\n"
                              " 70\n1\n 71\n0\n 91\n1\n 92\n1\n 93\n1\n 72\n3\n 10\n0\n 20\n0\n 11\n5\n 21\n0\n"
                              " 40\n0.5\n 50\n1.7e308\n 51\n-1.7e308\n 73\n1\n 97\n0\n 75\n0\n 76\n1\n 98\n0\n" +
                              kEnd;
  for (const std::string& text : {hatch, ellipse}) {
    auto h = Open(text);
    ASSERT_EQ(h->status, Zcad::eOk) << h->report.error;
    ASSERT_EQ(h->entities.size(), 1u);
    const ZcDbHatch* read = ZcDbHatch::cast(h->entities[0]);
    ASSERT_NE(read, nullptr);
    ZcDbExtents extents;
    ASSERT_EQ(read->getGeomExtents(extents), Zcad::eOk);
    // Near the edges' own circle or ellipse, whatever the angles.
    EXPECT_LT(extents.maxPoint().distanceTo(ZcGePoint3d::kOrigin), 20.0);
    EXPECT_LT(extents.minPoint().distanceTo(ZcGePoint3d::kOrigin), 20.0);
  }
}

// Faults other readers accept (each in a fixture made by make_odd_files.py): the drawing opens
// with its content and a warning per value dropped or guessed.
TEST(LenientDxfReader, FaultsOtherReadersAcceptOpenWithWarnings) {
  struct Case {
    const char* fixture;
    std::vector<const char*> warnings;
    std::function<void(Opened&)> check;
  } cases[] = {
      {"entities_to_eof.dxf",
       {"ends at 0 EOF without 0 ENDSEC"},
       [](Opened& o) {
         ASSERT_EQ(o.entities.size(), 2u);
         const auto* text = ZcDbText::cast(o.entities[1]);
         ASSERT_NE(text, nullptr);
         EXPECT_EQ(std::wstring(text->textStringConst()), L"最后一行");
       }},
      {"r12_bare_layers.dxf",
       {"LAYER records outside their 0 TABLE; read into the LAYER table"},
       [](Opened& o) {
         ASSERT_EQ(o.entities.size(), 2u);
         std::vector<int> colours;
         for (const ZcDbEntity* e : o.entities) {
           ZcDbLayerTableRecord* layer = nullptr;
           ASSERT_EQ(zcdbOpenObject(layer, e->layerId(), ZcDb::kForRead), Zcad::eOk);
           colours.push_back(layer->color().colorIndex());
           layer->close();
         }
         EXPECT_EQ(colours, (std::vector<int>{1, 5}));
       }},
      {"hatch_edge_100.dxf",
       {"group 100 in a hatch boundary path belongs to no edge; ignored",
        "hatch boundary value of group 20 is missing; 0 stands"},
       [](Opened& o) {
         ASSERT_EQ(o.entities.size(), 1u);
         const auto* hatch = ZcDbHatch::cast(o.entities[0]);
         ASSERT_NE(hatch, nullptr);
         ASSERT_EQ(hatch->numLoops(), 1);
         int type = 0;
         ZcGePoint2dArray vertices;
         ZcGeDoubleArray bulges;
         ASSERT_EQ(hatch->getLoopAt(0, type, vertices, bulges), Zcad::eOk);
         ASSERT_EQ(vertices.length(), 4);
         EXPECT_EQ(vertices[0], ZcGePoint2d(0, 0));
         EXPECT_EQ(vertices[2], ZcGePoint2d(10, 10));
         EXPECT_TRUE(hatch->isSolidFill());
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fixture);
    std::ifstream in(dxf_test::Fixture(c.fixture), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    auto o = Open(text.str());
    ASSERT_EQ(o->status, Zcad::eOk) << o->report.error;
    const std::string warnings = Warnings_Of(o->report);
    EXPECT_EQ(o->report.warnings.count(), c.warnings.size()) << warnings;
    for (const char* w : c.warnings) EXPECT_NE(warnings.find(w), std::string::npos) << warnings;
    c.check(*o);
  }
}

}  // namespace lenient_test
}  // namespace platform
