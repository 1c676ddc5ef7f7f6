// What the reader puts into the database, and how it refuses damaged files.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dbdim.h"
#include "db/dbxline.h"
#include "db/dbdynblk.h"
#include "db/dbhatch.h"
#include "db/dbimage.h"
#include "db/dbpoint.h"
#include "db/dblayout.h"
#include "db/dbproxy.h"
#include "rx/rxclass.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

std::string Read_Text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Entities of a block record in order, opened for read one by one.
template <typename F>
void For_Each_Entity(ZcDbObjectId block, F&& f) {
  ZcDbBlockTableRecord* btr = nullptr;
  ASSERT_EQ(zcdbOpenObject(btr, block, ZcDb::kForRead), Zcad::eOk);
  std::vector<ZcDbObjectId> ids = btr->entityIds();
  btr->close();
  for (ZcDbObjectId id : ids) {
    ZcDbEntity* e = nullptr;
    ASSERT_EQ(zcdbOpenObject(e, id, ZcDb::kForRead), Zcad::eOk);
    f(e);
    e->close();
  }
}

TEST(DxfReader, ReadsR12GbkTextAndEscapedNames) {
  std::string error;
  auto db = Read(Fixture("r12_gbk.dxf"), &error);
  ASSERT_TRUE(db) << error;
  EXPECT_STREQ(db->dwgcodepage(), L"ANSI_936");
  EXPECT_FALSE(Record_Id(db->layerTableId(), L"\u4E2D\u6587\u56FE\u5C42").isNull());  // 中文图层
  EXPECT_FALSE(Record_Id(db->layerTableId(), L"LAYER_\u0154").isNull());             // written "\u+0154"
  std::wstring text, attribute;
  For_Each_Entity(db->modelSpaceId(), [&](ZcDbEntity* e) {
    if (auto* t = ZcDbText::cast(e)) text = t->textStringConst();
    if (auto* ref = ZcDbBlockReference::cast(e)) {
      std::unique_ptr<ZcDbObjectIterator> it(ref->attributeIterator());
      for (it->start(); !it->done(); it->step()) {
        ZcDbAttribute* a = nullptr;
        if (zcdbOpenObject(a, it->objectId(), ZcDb::kForRead) == Zcad::eOk) {
          attribute = std::wstring(a->tagConst()) + L"=" + a->textStringConst();
          a->close();
        }
      }
    }
  });
  EXPECT_EQ(text, L"\u5EFA\u7B51\u5E73\u9762\u56FE");                      // 建筑平面图
  EXPECT_EQ(attribute, L"\u56FE\u53F7=\u5EFA\u65BD-01");                   // 图号=建施-01
}

TEST(DxfReader, ReadsLayersLayoutsAndXrecordsOfTheFixture) {
  std::string error;
  auto db = Read(Fixture("drawing.dxf"), &error);
  ASSERT_TRUE(db) << error;
  EXPECT_EQ(db->insunits(), ZcDb::kUnitsMillimeters);
  EXPECT_DOUBLE_EQ(db->ltscale(), 2.5);
  EXPECT_DOUBLE_EQ(db->celtscale(), 0.5);

  struct LayerCase {
    const wchar_t* name;
    bool off, frozen, locked, plottable;
    int color;
  } layers[] = {{L"WALLS", false, false, false, true, 1}, {L"OFF", true, false, false, true, 2},
                {L"FROZEN", false, true, false, true, 3}, {L"LOCKED", false, false, true, true, 4},
                {L"NOPLOT", false, false, false, false, 5}};
  for (const LayerCase& c : layers) {
    ZcDbLayerTableRecord* r = nullptr;
    ASSERT_EQ(zcdbOpenObject(r, Record_Id(db->layerTableId(), c.name), ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(r->isOff(), c.off);
    EXPECT_EQ(r->isFrozen(), c.frozen);
    EXPECT_EQ(r->isLocked(), c.locked);
    EXPECT_EQ(r->isPlottable(), c.plottable);
    EXPECT_EQ(r->color().colorIndex(), c.color);
    r->close();
  }

  ZcDbTextStyleTableRecord* style = nullptr;
  ASSERT_EQ(zcdbOpenObject(style, Record_Id(db->textStyleTableId(), L"HZ"), ZcDb::kForRead), Zcad::eOk);
  const wchar_t* font = nullptr;
  const wchar_t* big_font = nullptr;
  style->fileName(font);
  style->bigFontFileName(big_font);
  EXPECT_STREQ(font, L"txt.shx");
  EXPECT_STREQ(big_font, L"hztxt.shx");
  style->close();

  ZcDbDictionary* layouts = nullptr;
  ASSERT_EQ(db->getLayoutDictionary(layouts), Zcad::eOk);
  std::map<std::wstring, int> tab_order;
  for (const auto& [name, id] : layouts->entries()) {
    ZcDbLayout* layout = nullptr;
    ASSERT_EQ(zcdbOpenObject(layout, id, ZcDb::kForRead), Zcad::eOk);
    tab_order[name] = layout->getTabOrder();
    if (name == L"Sheet A") {
      double w = 0, h = 0;
      layout->getPlotPaperSize(w, h);
      EXPECT_DOUBLE_EQ(w, 420);
      EXPECT_DOUBLE_EQ(h, 297);
      const wchar_t* device = nullptr;
      layout->getPlotCfgName(device);
      EXPECT_STREQ(device, L"DWG To PDF.pc3");
      EXPECT_FALSE(layout->getBlockTableRecordId().isNull());
    }
    layout->close();
  }
  layouts->close();
  EXPECT_EQ(tab_order[L"Sheet B"], 1);
  EXPECT_EQ(tab_order[L"Sheet A"], 2);
  EXPECT_EQ(tab_order[L"Model"], 0);

  // The XRecord of the named-object dictionary with its codes.
  ZcDbDictionary* nod = nullptr;
  ASSERT_EQ(db->getNamedObjectsDictionary(nod), Zcad::eOk);
  ZcDbObjectId store_id;
  ASSERT_EQ(nod->getAt(L"KORVEL_DATA", store_id), Zcad::eOk);
  nod->close();
  ZcDbDictionary* store = nullptr;
  ASSERT_EQ(zcdbOpenObject(store, store_id, ZcDb::kForRead), Zcad::eOk);
  ZcDbObjectId xrec_id;
  ASSERT_EQ(store->getAt(L"SHEET", xrec_id), Zcad::eOk);
  store->close();
  ZcDbXrecord* xrec = nullptr;
  ASSERT_EQ(zcdbOpenObject(xrec, xrec_id, ZcDb::kForRead), Zcad::eOk);
  resbuf* rb = nullptr;
  ASSERT_EQ(xrec->rbChain(&rb), Zcad::eOk);
  xrec->close();
  ASSERT_TRUE(rb);
  EXPECT_EQ(rb->restype, 1);
  EXPECT_STREQ(rb->resval.rstring, L"sheet one");
  ASSERT_TRUE(rb->rbnext && rb->rbnext->rbnext && rb->rbnext->rbnext->rbnext);
  EXPECT_DOUBLE_EQ(rb->rbnext->resval.rreal, 2.5);
  EXPECT_EQ(rb->rbnext->rbnext->resval.rlong, 7);
  const resbuf* point = rb->rbnext->rbnext->rbnext->rbnext;
  ASSERT_TRUE(point);
  EXPECT_EQ(point->restype, 10);
  EXPECT_DOUBLE_EQ(point->resval.rpoint[2], 3);
  zcutRelRb(rb);

  // The clipped reference keeps its "ACAD_FILTER" dictionary with the "SPATIAL" filter.
  bool clip_found = false;
  For_Each_Entity(db->modelSpaceId(), [&](ZcDbEntity* e) {
    if (!ZcDbBlockReference::cast(e) || e->extensionDictionary().isNull()) return;
    ZcDbDictionary* xdict = nullptr;
    ASSERT_EQ(zcdbOpenObject(xdict, e->extensionDictionary(), ZcDb::kForRead), Zcad::eOk);
    ZcDbObjectId filters_id;
    if (xdict->getAt(L"ACAD_FILTER", filters_id) == Zcad::eOk) {
      ZcDbDictionary* filters = nullptr;
      ASSERT_EQ(zcdbOpenObject(filters, filters_id, ZcDb::kForRead), Zcad::eOk);
      clip_found = filters->has(L"SPATIAL");
      filters->close();
    }
    xdict->close();
  });
  EXPECT_TRUE(clip_found);
}

TEST(DxfReader, ReadDwgFileUsesTheRegisteredReader) {
  ZcDbDatabase db(false, true);
  ASSERT_EQ(db.readDwgFile(Wide(Fixture("drawing.dxf")).c_str()), Zcad::eOk);
  int lines = 0;
  For_Each_Entity(db.modelSpaceId(), [&](ZcDbEntity* e) { lines += ZcDbLine::cast(e) ? 1 : 0; });
  EXPECT_EQ(lines, 2);
}

// Damaged files: a clear error naming the file, the line and what was expected; no crash.
TEST(DxfReader, DamagedFilesGiveErrorsWithFileAndLine) {
  const std::string good = Read_Text(Fixture("drawing.dxf"));
  const size_t entities = good.find("ENTITIES");
  struct Case {
    const char* what;
    std::string data;
    const char* message;
  } cases[] = {
      {"cut in a value", good.substr(0, entities + 200), "expected"},
      {"cut after a group code", good.substr(0, good.find("\n", entities + 300) + 1), "line"},
      {"not DXF", "hello world\n", "bad.dxf: not a DXF file"},
      {"empty", "", "bad.dxf: the file is empty"},
      {"no section", "  0\nLINE\n  0\nEOF\n", "line 1: expected 0 SECTION, found 0 LINE"},
      {"section not ended", "  0\nSECTION\n  2\nENTITIES\n  0\nSECTION\n  2\nX\n  0\nEOF\n",
       "expected 0 ENDSEC of section ENTITIES (line 1), found 0 SECTION"},
      {"binary cut", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\0SECT", 28), "binary DXF truncated"},
  };
  for (const Case& c : cases) {
    ZcDbDatabase db(false, true);
    DxfReadReport report;
    EXPECT_EQ(Read_Dxf_Data(&db, c.data, "bad.dxf", &report), Zcad::eBadDxfSequence) << c.what;
    EXPECT_EQ(report.error.rfind("bad.dxf: ", 0), 0u) << c.what << ": " << report.error;
    EXPECT_NE(report.error.find(c.message), std::string::npos) << c.what << ": " << report.error;
    EXPECT_EQ(Dxf_Last_Error(), report.error);
  }
  ZcDbDatabase db(false, true);
  EXPECT_EQ(Read_Dxf_File(&db, L"/nonexistent/none.dxf"), Zcad::eFileNotFound);
  // A file that ends after a complete section without "0 EOF" (some writers do) loses nothing.
  DxfReadReport report;
  ZcDbDatabase no_eof(false, true);
  EXPECT_EQ(Read_Dxf_Data(&no_eof, good.substr(0, good.rfind("  0\nEOF")), "no_eof.dxf", &report), Zcad::eOk);
  EXPECT_EQ(report.warnings.count(), 1u);
}

// A read that fails keeps the drawing as it was: objects, their ids and handles, the header.
TEST(DxfReader, FailedReadDwgFileKeepsTheDrawing) {
  ZcDbDatabase db(false, true);
  ASSERT_EQ(db.readDwgFile(Wide(Fixture("drawing.dxf")).c_str()), Zcad::eOk);
  std::vector<ZcDbObjectId> before;
  For_Each_Entity(db.modelSpaceId(), [&](ZcDbEntity* e) { before.push_back(e->objectId()); });
  ASSERT_FALSE(before.empty());
  const uint64_t first_handle = before.front().handle().value();
  const uint64_t handseed = db.handseed().value();
  const ZcDbObjectId clayer = db.clayer();
  const std::wstring filename = db.filename();

  const std::string good = Read_Text(Fixture("drawing.dxf"));
  const std::string truncated = Temp_Path("truncated.dxf");
  std::ofstream(truncated, std::ios::binary) << good.substr(0, good.find("ENTITIES") + 200);
  EXPECT_EQ(db.readDwgFile(Wide(truncated).c_str()), Zcad::eBadDxfSequence);
  EXPECT_EQ(Dxf_Last_Error().rfind(truncated + ": line ", 0), 0u) << Dxf_Last_Error();

  std::vector<ZcDbObjectId> after;
  For_Each_Entity(db.modelSpaceId(), [&](ZcDbEntity* e) { after.push_back(e->objectId()); });
  EXPECT_EQ(after, before);
  ZcDbEntity* first = nullptr;
  ASSERT_EQ(zcdbOpenObject(first, before.front(), ZcDb::kForRead), Zcad::eOk);
  EXPECT_EQ(first->objectId().handle().value(), first_handle);
  EXPECT_EQ(first->database(), &db);
  first->close();
  EXPECT_EQ(db.handseed().value(), handseed);
  EXPECT_EQ(db.clayer(), clayer);
  EXPECT_EQ(db.filename(), filename);
}

// An object's extension dictionary keeps the handle of the file through a read and a save;
// one the file lacks is made empty, a handle naming no dictionary is dropped.
TEST(DxfReader, ExtensionDictionariesKeepTheirHandles) {
  const std::string line =
      "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  5\n100\n102\n{ACAD_XDICTIONARY\n360\n";
  const std::string line_end =
      "\n102\n}\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n 10\n0\n 20\n0\n 11\n1\n 21\n0\n"
      "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n100\nAcDbDictionary\n";
  const std::string xdict =
      "  0\nDICTIONARY\n  5\n2A0\n330\n100\n100\nAcDbDictionary\n280\n1\n  3\nMY_DATA\n360\n2A1\n";
  const std::string xrecord = "  0\nXRECORD\n  5\n2A1\n330\n2A0\n100\nAcDbXrecord\n  1\nhello\n";
  const std::string end = "  0\nENDSEC\n  0\nEOF\n";
  struct Case {
    const char* what;
    std::string data;
    uint64_t xdict;    // expected handle of the line's extension dictionary, 0 for none
    bool has_entry;
  } cases[] = {
      {"in the file", line + "2A0" + line_end + xdict + xrecord + end, 0x2A0, true},
      {"missing", line + "2A0" + line_end + end, 0x2A0, false},
      {"not a dictionary", line + "2A1" + line_end + xrecord + end, 0, false},
  };
  for (const Case& c : cases) {
    ZcDbDatabase read(false, true);
    DxfReadReport report;
    ASSERT_EQ(Read_Dxf_Data(&read, c.data, "xdict.dxf", &report), Zcad::eOk) << c.what << report.error;
    EXPECT_EQ(read.namedObjectsDictionaryId().handle().value(), 0xCu) << c.what;
    const std::string saved = Temp_Path("xdict.dxf");
    ASSERT_EQ(Write_Dxf_File(&read, Wide(saved)), Zcad::eOk) << c.what;
    std::string error;
    std::unique_ptr<ZcDbDatabase> again = Read(saved, &error);
    ASSERT_TRUE(again) << c.what << error;
    for (ZcDbDatabase* db : {&read, again.get()}) {
      ZcDbObjectId line_id;
      ASSERT_EQ(db->getZcDbObjectId(line_id, false, ZcDbHandle(0x100)), Zcad::eOk) << c.what;
      ZcDbObjectPointer<ZcDbLine> ln(line_id);
      ASSERT_EQ(ln.openStatus(), Zcad::eOk) << c.what;
      EXPECT_EQ(ln->extensionDictionary().handle().value(), c.xdict) << c.what;
      if (c.xdict == 0) continue;
      ZcDbObjectPointer<ZcDbDictionary> dict(ln->extensionDictionary());
      ASSERT_EQ(dict.openStatus(), Zcad::eOk) << c.what;
      EXPECT_EQ(dict->ownerId(), line_id) << c.what;
      EXPECT_EQ(dict->has(L"MY_DATA"), c.has_entry) << c.what;
    }
    if (c.xdict != 0) {
      EXPECT_NE(Read_Text(saved).find("{ACAD_XDICTIONARY\n360\n2A0\n"), std::string::npos) << c.what;
    }
  }
}

// Values that claim more than the file holds allocate nothing on their word.
TEST(DxfReader, HostileCountsAndHandlesAreHarmless) {
  const std::string data =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nLWPOLYLINE\n  5\nFFFFFFFFFFFFFFFF\n 90\n2147483647\n 10\n0\n 20\n0\n"
      "  0\nSPLINE\n  5\n10\n 72\n2000000000\n 73\n2000000000\n 40\n0\n"
      "  0\nINSERT\n  5\n10\n  2\nNO_SUCH_BLOCK\n 66\n1\n"
      "  0\nATTRIB\n  2\nT\n  1\nV\n"
      "  0\nVERTEX\n 10\n0\n 20\n0\n"
      "  0\nSEQEND\n"
      "  0\nENDSEC\n  0\nEOF\n";
  ZcDbDatabase db(false, true);
  DxfReadReport report;
  EXPECT_EQ(Read_Dxf_Data(&db, data, "hostile.dxf", &report), Zcad::eOk) << report.error;
  int count = 0;
  // The top handle would leave none for later objects: the polyline gets a new one.
  std::set<uint64_t> handles;
  For_Each_Entity(db.modelSpaceId(), [&](ZcDbEntity* e) {
    ++count;
    handles.insert(e->objectId().handle().value());
  });
  EXPECT_EQ(count, 3);
  EXPECT_EQ(handles.size(), 3u);
  EXPECT_EQ(handles.count(UINT64_MAX), 0u);
  EXPECT_GE(report.warnings.count(), 1u);
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

using namespace dxf_test;

TEST(DxfReader, DynamicBlocksAndTheirAnonymousRepresentations) {
  std::string error;
  auto db = Read(Fixture("drawing.dxf"), &error);
  ASSERT_TRUE(db) << error;
  const ZcDbObjectId door = Record_Id(db->blockTableId(), L"DOOR"), anonymous = Record_Id(db->blockTableId(), L"*U1");
  ASSERT_FALSE(door.isNull());
  ASSERT_FALSE(anonymous.isNull());
  EXPECT_TRUE(ZcDbDynBlockReference::isDynamicBlock(door));
  EXPECT_FALSE(ZcDbDynBlockReference::isDynamicBlock(anonymous));
  EXPECT_FALSE(ZcDbDynBlockReference::isDynamicBlock(Record_Id(db->blockTableId(), L"TITLE")));
  std::map<ZcDbObjectId, ZcDbObjectId> stands_for;  // inserted block -> dynamic definition
  For_Each_Entity(db->modelSpaceId(), [&](ZcDbEntity* e) {
    if (!ZcDbBlockReference::cast(e)) return;
    ZcDbDynBlockReference dyn(e->objectId());
    if (dyn.isDynamicBlock()) stands_for[dyn.anonymousBlockTableRecord()] = dyn.dynamicBlockTableRecord();
  });
  ASSERT_EQ(stands_for.size(), 2u);
  EXPECT_EQ(stands_for[door], door);
  EXPECT_EQ(stands_for[anonymous], door);
}

// Each entity type of the fixture comes in as its class; types without one stay raw.
TEST(DxfReader, EntityTypesBecomeTheirClasses) {
  std::string error;
  auto db = Read(Fixture("drawing.dxf"), &error);
  ASSERT_TRUE(db) << error;
  std::map<std::wstring, int> classes;
  For_Each_Entity(db->modelSpaceId(), [&](ZcDbEntity* e) {
    if (auto* p = ZcDbProxyEntity::cast(e)) ++classes[std::wstring(L"raw ") + p->originalDxfName()];
    else ++classes[e->isA()->name()];
  });
  auto name = [](ZcRxClass* c) { return std::wstring(c->name()); };
  const std::map<std::wstring, int> expected = {
      {name(ZcDbLine::desc()), 2}, {name(ZcDbPolyline::desc()), 1}, {name(ZcDb2dPolyline::desc()), 1},
      {name(ZcDb3dPolyline::desc()), 1}, {name(ZcDbArc::desc()), 1}, {name(ZcDbCircle::desc()), 1},
      {name(ZcDbEllipse::desc()), 1}, {name(ZcDbSpline::desc()), 1}, {name(ZcDbText::desc()), 1},
      {name(ZcDbMText::desc()), 1}, {name(ZcDbBlockReference::desc()), 4}, {name(ZcDbPoint::desc()), 1},
      {name(ZcDbSolid::desc()), 1}, {name(ZcDbHatch::desc()), 1}, {name(ZcDbRotatedDimension::desc()), 1},
      {name(ZcDbRasterImage::desc()), 1}, {name(ZcDbWipeout::desc()), 1}, {name(ZcDbRay::desc()), 1}};
  EXPECT_EQ(classes, expected);
  // The image knows its file; the hatch its loop; the dimension its block.
  For_Each_Entity(db->modelSpaceId(), [&](ZcDbEntity* e) {
    if (auto* image = ZcDbRasterImage::cast(e); image && !ZcDbWipeout::cast(e)) {
      ZcDbRasterImageDef* def = nullptr;
      ASSERT_EQ(zcdbOpenObject(def, image->imageDefId(), ZcDb::kForRead), Zcad::eOk);
      EXPECT_STREQ(def->sourceFileName(), L"scan.png");
      EXPECT_EQ(def->size().x, 640);
      def->close();
    }
    if (auto* hatch = ZcDbHatch::cast(e)) {
      EXPECT_TRUE(hatch->isSolidFill());
      ASSERT_EQ(hatch->numLoops(), 1);
      ZcDbExtents extents;
      ASSERT_EQ(hatch->getGeomExtents(extents), Zcad::eOk);
      EXPECT_EQ(extents.maxPoint(), ZcGePoint3d(4, 4, 0));
    }
    if (auto* dim = ZcDbDimension::cast(e)) {
      EXPECT_FALSE(dim->dimBlockId().isNull());
      ZcDbVoidPtrArray pieces;
      ASSERT_EQ(dim->explode(pieces), Zcad::eOk);
      EXPECT_GE(pieces.length(), 3);
      for (int i = 0; i < pieces.length(); ++i) delete static_cast<ZcDbEntity*>(pieces[i]);
    }
  });
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// The MTEXT embedded in a multi-line attribute (after "101 Embedded Object") repeats codes of
// the attribute; they are not the attribute's.
TEST(DxfReader, EmbeddedObjectIsNotPartOfTheAttribute) {
  const std::string data =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nINSERT\n  5\n20\n100\nAcDbEntity\n  8\n0\n100\nAcDbBlockReference\n 66\n1\n  2\nB\n 10\n0\n 20\n0\n"
      "  0\nATTRIB\n  5\n21\n100\nAcDbEntity\n  8\n0\n100\nAcDbText\n 10\n1\n 20\n2\n 40\n2.5\n  1\nVALUE\n"
      "100\nAcDbAttribute\n280\n0\n  2\nTAG\n 70\n0\n101\nEmbedded Object\n 70\n1\n 10\n1\n 20\n2\n 73\n9\n"
      " 74\n3\n  1\nVALUE\n"
      "  0\nSEQEND\n  5\n22\n100\nAcDbEntity\n  8\n0\n"
      "  0\nENDSEC\n  0\nEOF\n";
  ZcDbDatabase db(false, true);
  DxfReadReport report;
  ASSERT_EQ(Read_Dxf_Data(&db, data, "embedded.dxf", &report), Zcad::eOk) << report.error;
  int attributes = 0;
  For_Each_Entity(db.modelSpaceId(), [&](ZcDbEntity* e) {
    auto* ref = ZcDbBlockReference::cast(e);
    ASSERT_TRUE(ref);
    std::unique_ptr<ZcDbObjectIterator> it(ref->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
      ZcDbAttribute* a = nullptr;
      ASSERT_EQ(zcdbOpenObject(a, it->objectId(), ZcDb::kForRead), Zcad::eOk);
      EXPECT_STREQ(a->tagConst(), L"TAG");
      EXPECT_EQ(a->fieldLength(), 0);
      EXPECT_EQ(a->verticalMode(), ZcDb::kTextBase);
      a->close();
      ++attributes;
    }
  });
  EXPECT_EQ(attributes, 1);
}

}  // namespace
}  // namespace platform
