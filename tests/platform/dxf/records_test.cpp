// Our own records survive a save and a reload: XRecord chains, a custom entity's filed fields,
// a proxy of a class that is not registered; proxy graphics give extents and explode.
#include <gtest/gtest.h>

#include <cmath>

#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"
#include "rx/rxclass.h"

// A module's entity that files its own fields.
class KorvelTestStamp : public ZcDbEntity {
 public:
  ZCRX_DECLARE_MEMBERS(KorvelTestStamp);
  std::wstring label;
  double size = 0;
  int32_t count = 0;
  ZcGePoint3d at;

  Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* f) const override {
    ZcDbEntity::dxfOutFields(f);
    f->writeString(100, L"KorvelTestStamp");
    f->writeString(1, label.c_str());
    f->writeDouble(40, size);
    f->writeInt32(90, count);
    f->writePoint3d(10, at);
    return f->filerStatus();
  }
  Zcad::ErrorStatus dxfInFields(ZcDbDxfFiler* f) override {
    Zcad::ErrorStatus es = ZcDbEntity::dxfInFields(f);
    if (es != Zcad::eOk) return es;
    if (!f->atSubclassData(L"KorvelTestStamp")) return Zcad::eBadDxfSequence;
    resbuf rb{};
    while (!f->atEOF() && f->readResBuf(&rb) == Zcad::eOk) {
      switch (rb.restype) {
        case 1: label = rb.resval.rstring; delete[] rb.resval.rstring; break;
        case 40: size = rb.resval.rreal; break;
        case 90: count = rb.resval.rlong; break;
        case 10: at = ZcGePoint3d(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]); break;
        default: break;
      }
    }
    return f->filerStatus();
  }
};
ZCRX_DXF_DEFINE_MEMBERS(KorvelTestStamp, ZcDbEntity, 0, 0, 0, KORVEL_TEST_STAMP, KorvelTests)

namespace platform {
namespace {

using namespace dxf_test;

std::unique_ptr<ZcDbDatabase> Save_And_Reload(ZcDbDatabase* db, const std::string& name) {
  const std::string path = Temp_Path(name);
  EXPECT_EQ(Write_Dxf_File(db, Wide(path)), Zcad::eOk);
  std::string error;
  auto reloaded = Read(path, &error);
  EXPECT_TRUE(reloaded) << error;
  return reloaded;
}

ZcDbObjectId Append_To_Model_Space(ZcDbDatabase* db, ZcDbEntity* e) {
  ZcDbBlockTableRecord* ms = nullptr;
  EXPECT_EQ(zcdbOpenObject(ms, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
  ZcDbObjectId id;
  EXPECT_EQ(ms->appendZcDbEntity(id, e), Zcad::eOk);
  e->close();
  ms->close();
  return id;
}

// The only entity of model space of class T (null when there is none).
template <typename T>
ZcDbObjectId Find(ZcDbDatabase* db) {
  ZcDbBlockTableRecord* ms = nullptr;
  if (zcdbOpenObject(ms, db->modelSpaceId(), ZcDb::kForRead) != Zcad::eOk) return {};
  ZcDbObjectId found;
  for (ZcDbObjectId id : ms->entityIds())
    if (id.objectClass() && id.objectClass()->isDerivedFrom(T::desc())) found = id;
  ms->close();
  return found;
}

TEST(DxfRecords, XrecordChainSurvivesSaveAndReload) {
  ZcDbDatabase db;
  ZcDbObjectId layer0;
  {
    ZcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers), Zcad::eOk);
    layers->getAt(L"0", layer0);
    layers->close();
  }
  resbuf* chain = zcutBuildList(1, L"sheet \u4E2D\u6587", 40, 1.25, 90, 123456, 70, 7, 1000, L"x", 0);
  ASSERT_TRUE(chain);
  auto* xrec = new ZcDbXrecord();
  ASSERT_EQ(xrec->setFromRbChain(*chain), Zcad::eOk);
  zcutRelRb(chain);
  ZcDbDictionary* nod = nullptr;
  ASSERT_EQ(db.getNamedObjectsDictionary(nod, ZcDb::kForWrite), Zcad::eOk);
  ZcDbObjectId id;
  ASSERT_EQ(nod->setAt(L"KORVEL_SHEETS", xrec, id), Zcad::eOk);
  xrec->close();
  nod->close();

  auto reloaded = Save_And_Reload(&db, "xrecord.dxf");
  ASSERT_TRUE(reloaded);
  ASSERT_EQ(reloaded->getNamedObjectsDictionary(nod), Zcad::eOk);
  ASSERT_EQ(nod->getAt(L"KORVEL_SHEETS", id), Zcad::eOk);
  nod->close();
  ASSERT_EQ(zcdbOpenObject(xrec, id, ZcDb::kForRead), Zcad::eOk);
  resbuf* rb = nullptr;
  ASSERT_EQ(xrec->rbChain(&rb), Zcad::eOk);
  xrec->close();
  struct Expected {
    int code;
  } codes[] = {{1}, {40}, {90}, {70}, {1000}};
  const resbuf* at = rb;
  for (const Expected& e : codes) {
    ASSERT_TRUE(at);
    EXPECT_EQ(at->restype, e.code);
    at = at->rbnext;
  }
  EXPECT_FALSE(at);
  EXPECT_STREQ(rb->resval.rstring, L"sheet \u4E2D\u6587");
  EXPECT_DOUBLE_EQ(rb->rbnext->resval.rreal, 1.25);
  EXPECT_EQ(rb->rbnext->rbnext->resval.rlong, 123456);
  EXPECT_EQ(rb->rbnext->rbnext->rbnext->resval.rint, 7);
  zcutRelRb(rb);
}

TEST(DxfRecords, CustomEntityFilesItselfAndSurvivesAsProxyWhenUnregistered) {
  KorvelTestStamp::rxInit();
  ZcDbDatabase db;
  auto* stamp = new KorvelTestStamp();
  stamp->label = L"\u5BA1\u5B9A stamp";
  stamp->size = 12.5;
  stamp->count = 42;
  stamp->at = ZcGePoint3d(1, 2, 3);
  Append_To_Model_Space(&db, stamp);

  auto check = [](ZcDbDatabase* in) {
    KorvelTestStamp* s = nullptr;
    ASSERT_EQ(zcdbOpenObject(s, Find<KorvelTestStamp>(in), ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(s->label, L"\u5BA1\u5B9A stamp");
    EXPECT_EQ(s->size, 12.5);
    EXPECT_EQ(s->count, 42);
    EXPECT_EQ(s->at, ZcGePoint3d(1, 2, 3));
    s->close();
  };
  auto reloaded = Save_And_Reload(&db, "stamp.dxf");
  ASSERT_TRUE(reloaded);
  check(reloaded.get());

  // Without its class the entity stays a proxy with its data, and is written back unchanged.
  deleteZcRxClass(KorvelTestStamp::desc());
  std::string error;
  auto without = Read(Temp_Path("stamp.dxf"), &error);
  ASSERT_TRUE(without) << error;
  ZcDbProxyEntity* proxy = nullptr;
  ASSERT_EQ(zcdbOpenObject(proxy, Find<ZcDbProxyEntity>(without.get()), ZcDb::kForRead), Zcad::eOk);
  EXPECT_STREQ(proxy->originalDxfName(), L"KORVEL_TEST_STAMP");
  EXPECT_STREQ(proxy->originalClassName(), L"KorvelTestStamp");
  proxy->close();
  auto resaved = Save_And_Reload(without.get(), "stamp_proxy.dxf");
  KorvelTestStamp::rxInit();
  auto again = Read(Temp_Path("stamp_proxy.dxf"), &error);
  ASSERT_TRUE(again) << error;
  check(again.get());
}

TEST(DxfRecords, ProxyGraphicsGiveExtentsAndExplode) {
  std::string error;
  auto db = Read(Fixture("proxy.dxf"), &error);
  ASSERT_TRUE(db) << error;
  ZcDbBlockTableRecord* ms = nullptr;
  ASSERT_EQ(zcdbOpenObject(ms, db->modelSpaceId(), ZcDb::kForRead), Zcad::eOk);
  std::vector<ZcDbObjectId> ids = ms->entityIds();
  ms->close();
  std::map<std::wstring, int> names;
  for (ZcDbObjectId id : ids) {
    ZcDbProxyEntity* p = nullptr;
    if (zcdbOpenObject(p, id, ZcDb::kForRead) != Zcad::eOk) continue;
    ++names[p->originalDxfName()];
    EXPECT_EQ(p->graphicsMetafileType(), ZcDbProxyEntity::kFullGraphics);
    ASSERT_EQ(p->graphics().size(), 4u) << p->originalDxfName();
    ZcDbExtents extents;
    ASSERT_EQ(p->getGeomExtents(extents), Zcad::eOk);
    EXPECT_LE(extents.minPoint().y, p->graphics()[3].center.y - 2 + 1e-9);
    ZcDbVoidPtrArray pieces;
    ASSERT_EQ(p->explode(pieces), Zcad::eOk);
    ASSERT_EQ(pieces.length(), 4);
    auto* pline = ZcDbPolyline::cast(static_cast<ZcDbEntity*>(pieces[0]));
    ASSERT_TRUE(pline);
    EXPECT_EQ(pline->numVerts(), 3u);
    EXPECT_EQ(pline->colorIndex(), 1);
    auto* wide_text = ZcDbText::cast(static_cast<ZcDbEntity*>(pieces[2]));
    ASSERT_TRUE(wide_text);
    EXPECT_STREQ(wide_text->textStringConst(), L"\u5929\u6B63\u6587\u5B57");
    EXPECT_TRUE(ZcDbCircle::cast(static_cast<ZcDbEntity*>(pieces[3])));
    for (int i = 0; i < pieces.length(); ++i) delete static_cast<ZcDbEntity*>(pieces[i]);
    p->close();
  }
  EXPECT_EQ(names[L"TCH_TEXT"], 1);
  EXPECT_EQ(names[L"IAEC_TEXT"], 1);
  EXPECT_EQ(names[L"TCH_MTEXT"], 1);
  EXPECT_EQ(names[L"IAEC_MTEXT"], 1);
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// Objects no dictionary names (the reactor an image keeps on its definition) are written too.
TEST(DxfRecords, ObjectsOutsideDictionariesAreKept) {
  auto count = [](ZcDbDatabase* db, const wchar_t* dxf_name) {
    int n = 0;
    for (uint64_t h = 1; h < db->handseed().value(); ++h) {
      ZcDbObjectId id;
      if (db->getZcDbObjectId(id, false, ZcDbHandle(h)) != Zcad::eOk || id.objectClass() != ZcDbProxyObject::desc())
        continue;
      ZcDbProxyObject* p = nullptr;
      if (zcdbOpenObject(p, id, ZcDb::kForRead) != Zcad::eOk) continue;
      n += std::wstring(p->originalDxfName()) == dxf_name ? 1 : 0;
      p->close();
    }
    return n;
  };
  std::string error;
  auto db = Read(Fixture("drawing.dxf"), &error);
  ASSERT_TRUE(db) << error;
  ASSERT_EQ(count(db.get(), L"IMAGEDEF_REACTOR"), 1);
  auto reloaded = Save_And_Reload(db.get(), "orphans.dxf");
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(count(reloaded.get(), L"IMAGEDEF_REACTOR"), 1);
}

}  // namespace
}  // namespace platform
