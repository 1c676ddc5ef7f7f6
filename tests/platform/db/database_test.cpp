// The default drawing, symbol tables, reactors and header variables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/db_loader.h"
#include "db/dbdict.h"
#include "db/dbblkref.h"
#include "db/dblayout.h"
#include "db/drawing_file_io.h"
#include "db_test_support.h"

namespace {

std::wstring Name_Of(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbSymbolTableRecord> rec(id);
    return rec.openStatus() == Zcad::eOk ? std::wstring(rec->name()) : std::wstring();
}

TEST(DefaultDrawing, HoldsTheStandardTablesAndLayouts)
{
    ZcDbDatabase db;
    ZcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db.getBlockTable(blocks), Zcad::eOk);
    EXPECT_TRUE(blocks->has(L"*Model_Space"));
    EXPECT_TRUE(blocks->has(L"*Paper_Space"));
    EXPECT_TRUE(blocks->has(L"*Paper_Space0"));
    blocks->close();

    ZcDbLayerTable* layers = nullptr;
    ASSERT_EQ(db.getLayerTable(layers), Zcad::eOk);
    ZcDbLayerTableRecord* layer0 = nullptr;
    ASSERT_EQ(layers->getAt(L"0", layer0, ZcDb::kForRead), Zcad::eOk);
    EXPECT_EQ(layer0->color().colorIndex(), 7);
    EXPECT_EQ(Name_Of(layer0->linetypeObjectId()), L"Continuous");
    EXPECT_EQ(db.clayer(), layer0->objectId());
    layer0->close();
    layers->close();

    ZcDbLinetypeTable* linetypes = nullptr;
    ASSERT_EQ(db.getLinetypeTable(linetypes), Zcad::eOk);
    for (const wchar_t* name : {L"ByBlock", L"ByLayer", L"Continuous"}) EXPECT_TRUE(linetypes->has(name)) << name;
    linetypes->close();

    ZcDbTextStyleTableRecord* standard = nullptr;
    ZcDbTextStyleTable* styles = nullptr;
    ASSERT_EQ(db.getTextStyleTable(styles), Zcad::eOk);
    ASSERT_EQ(styles->getAt(L"Standard", standard, ZcDb::kForRead), Zcad::eOk);
    const wchar_t* font = nullptr;
    standard->fileName(font);
    EXPECT_STREQ(font, L"txt.shx");
    standard->close();
    styles->close();

    ZcDbViewportTable* vports = nullptr;
    ASSERT_EQ(db.getViewportTable(vports), Zcad::eOk);
    EXPECT_TRUE(vports->has(L"*ACTIVE"));
    vports->close();

    ZcDbDictionary* nod = nullptr;
    ASSERT_EQ(db.getNamedObjectsDictionary(nod), Zcad::eOk);
    for (const wchar_t* name : {L"ACAD_GROUP", L"ACAD_LAYOUT", L"ACAD_PLOTSTYLENAME"}) EXPECT_TRUE(nod->has(name)) << name;
    nod->close();

    ZcDbLayoutManager* lm = zcdbHostApplicationServices()->layoutManager();
    std::vector<std::pair<std::wstring, int>> tabs;
    for (const wchar_t* name : {L"Model", L"Layout1", L"Layout2"}) {
        ZcDbLayout* layout = nullptr;
        ASSERT_EQ(lm->getLayoutNamed(name, layout, ZcDb::kForRead, &db), Zcad::eOk) << name;
        tabs.emplace_back(name, layout->getTabOrder());
        EXPECT_EQ(Name_Of(layout->getBlockTableRecordId()),
                  std::wstring(name) == L"Model" ? L"*Model_Space"
                                                 : (std::wstring(name) == L"Layout1" ? L"*Paper_Space" : L"*Paper_Space0"));
        layout->close();
    }
    EXPECT_EQ(tabs[0].second, 0);
    EXPECT_EQ(tabs[1].second, 1);
    EXPECT_EQ(tabs[2].second, 2);
    EXPECT_TRUE(db.tilemode());
    EXPECT_EQ(db.currentSpaceId(), db.modelSpaceId());
}

TEST(DefaultDrawing, HandlesAreUniqueAndFindTheirObjects)
{
    Test_Drawing d;
    ZcDbObjectId a = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbObjectId b = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(2, 0, 0));
    EXPECT_NE(a.handle(), b.handle());
    ZcDbObjectId found;
    ASSERT_EQ(d.db->getZcDbObjectId(found, false, b.handle()), Zcad::eOk);
    EXPECT_EQ(found, b);
    wchar_t text[20];
    ASSERT_TRUE(b.handle().getIntoAsciiBuffer(text, 20));
    EXPECT_EQ(ZcDbHandle(text), b.handle());
    EXPECT_EQ(d.db->getZcDbObjectId(found, false, ZcDbHandle(0xFFFFFF)), Zcad::eUnknownHandle);
}

TEST(SymbolTables, AddLookUpIterateIgnoringCase)
{
    Test_Drawing d;
    ZcDbObjectId walls = d.addLayer(L"Walls");
    ASSERT_FALSE(walls.isNull());
    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(d.db->getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    ZcDbObjectId found;
    EXPECT_EQ(table->getAt(L"WALLS", found), Zcad::eOk);
    EXPECT_EQ(found, walls);
    EXPECT_TRUE(table->has(L"walls"));
    auto* dup = new ZcDbLayerTableRecord();
    dup->setName(L"wALLs");
    EXPECT_EQ(table->add(dup), Zcad::eDuplicateRecordName);
    delete dup;
    EXPECT_EQ(table->getAt(L"Doors", found), Zcad::eKeyNotFound);

    std::vector<std::wstring> names;
    ZcDbSymbolTableIterator* it = nullptr;
    table->newIterator(it);
    for (; !it->done(); it->step()) {
        ZcDbSymbolTableRecord* rec = nullptr;
        ASSERT_EQ(it->getRecord(rec), Zcad::eOk);
        names.push_back(rec->name());
        rec->close();
    }
    delete it;
    table->close();
    EXPECT_EQ(names, (std::vector<std::wstring>{L"0", L"Walls"}));
}

TEST(SymbolTables, RecordNamesAreValidated)
{
    ZcDbLayerTableRecord rec;
    EXPECT_EQ(rec.setName(L""), Zcad::eInvalidInput);
    for (const wchar_t* bad : {L"a<b", L"a>b", L"a/b", L"a\\b", L"a\"b", L"a:b", L"a;b", L"a?b", L"a*b", L"a|b",
                               L"a,b", L"a=b", L"a`b"})
        EXPECT_EQ(rec.setName(bad), Zcad::eInvalidInput) << bad;
    EXPECT_EQ(rec.setName(L"图层 1-A"), Zcad::eOk);
    ZcDbBlockTableRecord block;
    EXPECT_EQ(block.setName(L"*U3"), Zcad::eOk);
    EXPECT_TRUE(block.isAnonymous());
}

TEST(SymbolTables, RenamingToAnotherRecordsNameIsRefused)
{
    Test_Drawing d;
    d.addLayer(L"A");
    ZcDbObjectId b = d.addLayer(L"B");
    ZcDbObjectPointer<ZcDbLayerTableRecord> rec(b, ZcDb::kForWrite);
    EXPECT_EQ(rec->setName(L"a"), Zcad::eDuplicateRecordName);
    EXPECT_EQ(rec->setName(L"b"), Zcad::eOk);
}

class Recording_Reactor : public ZcDbDatabaseReactor {
public:
    void objectAppended(const ZcDbDatabase*, const ZcDbObject* obj) override { events.push_back(L"appended " + kind(obj)); }
    void objectModified(const ZcDbDatabase*, const ZcDbObject* obj) override { events.push_back(L"modified " + kind(obj)); }
    void objectErased(const ZcDbDatabase*, const ZcDbObject* obj, bool erased) override
    {
        events.push_back(std::wstring(erased ? L"erased " : L"unerased ") + kind(obj));
    }
    void headerSysVarChanged(const ZcDbDatabase*, const wchar_t* name, bool) override
    {
        events.push_back(std::wstring(L"sysvar ") + name);
    }
    static std::wstring kind(const ZcDbObject* obj) { return ZcDbLine::cast(obj) ? L"line" : L"other"; }
    std::vector<std::wstring> events;
};

TEST(Reactors, EraseAndUneraseAreReported)
{
    Test_Drawing d;
    Recording_Reactor reactor;
    d.db->addReactor(&reactor);
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    {
        ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForWrite);
        line->erase();
    }
    {
        ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForWrite, true);
        line->erase(false);
    }
    {
        ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForRead);
    }
    d.db->setLtscale(2.0);
    d.db->removeReactor(&reactor);
    d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    std::vector<std::wstring> expected = {L"appended line",    L"modified other", L"erased line",
                                          L"modified line",    L"unerased line", L"modified line",
                                          L"sysvar LTSCALE"};
    EXPECT_EQ(reactor.events, expected);
}

TEST(Reactors, ErasingNeedsWriteAccess)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForRead);
    EXPECT_EQ(line->erase(), Zcad::eNotOpenForWrite);
    EXPECT_FALSE(lineId.isErased());
}

TEST(HeaderVariables, SettersValidate)
{
    Test_Drawing d;
    EXPECT_EQ(d.db->setLtscale(0.0), Zcad::eInvalidInput);
    EXPECT_EQ(d.db->setClayer(d.db->modelSpaceId()), Zcad::eInvalidInput);
    ZcDbObjectId frozen = d.addLayer(L"F");
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> rec(frozen, ZcDb::kForWrite);
        rec->setIsFrozen(true);
    }
    EXPECT_EQ(d.db->setClayer(frozen), Zcad::eCannotChangeActiveLayer);
    ZcDbObjectId layer = d.addLayer(L"New");
    EXPECT_EQ(d.db->setClayer(layer), Zcad::eOk);
    // New entities take the current layer.
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbObjectPointer<ZcDbEntity> ent(lineId);
    EXPECT_EQ(ent->layerId(), layer);
}

TEST(DrawingFiles, WithoutAReaderOrWriterTheyAreNotImplemented)
{
    ZcDbDatabase db;
    EXPECT_EQ(db.readDwgFile(L"/nonexistent.dxf"), Zcad::eNotImplemented);
    EXPECT_EQ(db.saveAs(L"/tmp/x.dxf"), Zcad::eNotImplemented);
}

}  // namespace

namespace {

TEST(SymbolTables, LookupFollowsRenamesAndCancelledRenames)
{
    Test_Drawing d;
    ZcDbObjectId id = d.addLayer(L"Old");
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> rec(id, ZcDb::kForWrite);
        ASSERT_EQ(rec->setName(L"New"), Zcad::eOk);
    }
    ZcDbObjectPointer<ZcDbLayerTable> table(d.db->layerTableId());
    ZcDbObjectId found;
    EXPECT_EQ(table->getAt(L"NEW", found), Zcad::eOk);
    EXPECT_EQ(found, id);
    EXPECT_EQ(table->getAt(L"Old", found), Zcad::eKeyNotFound);
    {
        ZcDbLayerTableRecord* rec = nullptr;
        ASSERT_EQ(zcdbOpenObject(rec, id, ZcDb::kForWrite), Zcad::eOk);
        rec->setName(L"Temporary");
        rec->cancel();
    }
    EXPECT_EQ(table->getAt(L"new", found), Zcad::eOk);
    EXPECT_EQ(table->getAt(L"Temporary", found), Zcad::eKeyNotFound);
}

TEST(DefaultDrawing, UpdateExtCoversModelSpace)
{
    Test_Drawing d;
    d.addLine(ZcGePoint3d(-5, 2, 0), ZcGePoint3d(10, 20, 0));
    d.add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 3.0));
    ASSERT_EQ(d.db->updateExt(true), Zcad::eOk);
    EXPECT_EQ(d.db->extmin(), ZcGePoint3d(-5, -3, 0));
    EXPECT_EQ(d.db->extmax(), ZcGePoint3d(10, 20, 0));
}

}  // namespace

namespace {

TEST(SymbolTables, LayerZeroAndTheCurrentLayerCannotBeErased)
{
    Test_Drawing d;
    ZcDbObjectId other = d.addLayer(L"Other");
    ZcDbObjectPointer<ZcDbLayerTable> table(d.db->layerTableId());
    ZcDbObjectId zero;
    table->getAt(L"0", zero);
    table.close();
    for (ZcDbObjectId id : {zero, other}) {
        if (id == other) d.db->setClayer(other);
        ZcDbObjectPointer<ZcDbLayerTableRecord> rec(id, ZcDb::kForWrite);
        EXPECT_EQ(rec->erase(), Zcad::eCannotBeErasedByCaller);
        EXPECT_FALSE(rec->isErased());
    }
}

TEST(OpenClose, DeletingAnObjectOfTheDatabaseLeavesADeadId)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.addLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbLine* line = nullptr;
    ASSERT_EQ(zcdbOpenObject(line, lineId, ZcDb::kForRead), Zcad::eOk);
    delete line;  // a caller's mistake: the database must not free it again
    EXPECT_FALSE(lineId.isValid());
    ZcDbObject* obj = nullptr;
    EXPECT_EQ(zcdbOpenObject(obj, lineId, ZcDb::kForRead), Zcad::eUnknownHandle);
}

}  // namespace


namespace {

// A reader that builds a drawing the way the drawing-file layer does: objects under the
// handles of the file, a block reference naming its block before the block exists.
Zcad::ErrorStatus Fake_Reader(ZcDbDatabase* db, const wchar_t* path)
{
    if (std::wstring(path) == L"broken.dxf") return Zcad::eBadDxfSequence;
    ZcDbObjectId blockId;
    db->getZcDbObjectId(blockId, true, ZcDbHandle(0x200));
    auto* table = new ZcDbBlockTable();
    ZcDbObjectId tableId;
    if (platform::Db_Add_Object_With_Handle(db, table, ZcDbHandle(0x1), tableId) != Zcad::eOk) return Zcad::eInvalidInput;
    platform::Db_Set_Root(db, platform::Db_Root::Block_Table, tableId);
    auto* model = new ZcDbBlockTableRecord();
    model->setName(L"*Model_Space");
    table->add(model);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(1, 2, 0), blockId);
    ZcDbObjectId refId;
    platform::Db_Add_Object_With_Handle(db, ref, ZcDbHandle(0x300), refId);
    model->appendZcDbEntity(ref);
    ref->close();
    auto* block = new ZcDbBlockTableRecord();
    block->setName(L"Late");
    ZcDbObjectId lateId;
    Zcad::ErrorStatus es = platform::Db_Add_Object_With_Handle(db, block, ZcDbHandle(0x200), lateId);
    if (es != Zcad::eOk || lateId != blockId) return Zcad::eInvalidInput;
    table->add(block);
    block->close();
    model->close();
    table->close();
    return Zcad::eOk;
}

Zcad::ErrorStatus Fake_Writer(const ZcDbDatabase*, const wchar_t*) { return Zcad::eOk; }

TEST(DrawingFiles, ReadThroughTheRegisteredReader)
{
    platform::Set_Drawing_File_Io(Fake_Reader, Fake_Writer);
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(L"drawing.dxf"), Zcad::eOk);
    EXPECT_STREQ(db.filename(), L"drawing.dxf");
    ZcDbObjectId ref;
    ASSERT_EQ(db.getZcDbObjectId(ref, false, ZcDbHandle(0x300)), Zcad::eOk);
    ZcDbObjectPointer<ZcDbBlockReference> r(ref);
    ASSERT_EQ(r.openStatus(), Zcad::eOk);
    ZcDbObjectPointer<ZcDbBlockTableRecord> late(r->blockTableRecord());
    ASSERT_EQ(late.openStatus(), Zcad::eOk);
    EXPECT_STREQ(late->name(), L"Late");
    // What the file lacked is completed: layer "0", the layouts, paper space.
    EXPECT_FALSE(db.clayer().isNull());
    EXPECT_FALSE(db.paperSpaceId().isNull());
    EXPECT_FALSE(db.layoutDictionaryId().isNull());
    // New objects get handles past the file's.
    ZcDbObjectPointer<ZcDbBlockTableRecord> ms(db.modelSpaceId(), ZcDb::kForWrite);
    auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0));
    ZcDbObjectId lineId;
    ASSERT_EQ(ms->appendZcDbEntity(lineId, line), Zcad::eOk);
    line->close();
    EXPECT_GT(lineId.handle().value(), 0x300u);
    EXPECT_EQ(db.saveAs(L"out.dxf"), Zcad::eOk);
    EXPECT_STREQ(db.filename(), L"out.dxf");

    // A failed read leaves the database as it was, empty here.
    ZcDbDatabase failed(false, true);
    EXPECT_EQ(failed.readDwgFile(L"broken.dxf"), Zcad::eBadDxfSequence);
    EXPECT_TRUE(failed.modelSpaceId().isNull());
    platform::Set_Drawing_File_Io(nullptr, nullptr);
}

// The top handle would wrap the handle seed to 0, after which new objects collide with handles
// in use: it is refused wherever a handle enters the database.
TEST(DrawingFiles, TheTopHandleIsRefused)
{
    const ZcDbHandle top(UINT64_MAX);
    ZcDbDatabase db;
    ZcDbObjectId id;
    auto* x = new ZcDbXrecord();
    EXPECT_EQ(platform::Db_Add_Object_With_Handle(&db, x, top, id), Zcad::eOutOfRange);
    EXPECT_TRUE(id.isNull());
    EXPECT_EQ(db.getZcDbObjectId(id, true, top), Zcad::eOutOfRange);
    EXPECT_EQ(db.setHandseed(top), Zcad::eOutOfRange);
    ASSERT_EQ(db.addZcDbObject(id, x), Zcad::eOk);
    x->close();
    EXPECT_LT(id.handle().value(), 0x1000u);

    // Up to the last handle below the top; then new objects are refused, nothing is overwritten.
    auto* last = new ZcDbXrecord();
    ASSERT_EQ(platform::Db_Add_Object_With_Handle(&db, last, ZcDbHandle(UINT64_MAX - 1), id), Zcad::eOk);
    last->close();
    auto* more = new ZcDbXrecord();
    EXPECT_EQ(db.addZcDbObject(id, more), Zcad::eOutOfRange);
    delete more;
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(db.modelSpaceId());
    EXPECT_EQ(model.openStatus(), Zcad::eOk);
}

TEST(DrawingFiles, ExtensionDictionaryKeepsItsHandle)
{
    Test_Drawing d;
    ZcDbObjectId lineId = d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 0, 0)));
    ZcDbObjectId placeholder, other;
    ASSERT_EQ(d.db->getZcDbObjectId(placeholder, true, ZcDbHandle(0x5000)), Zcad::eOk);
    ZcDbDatabase elsewhere;
    ZcDbObjectPointer<ZcDbLine> line(lineId, ZcDb::kForWrite);
    ASSERT_EQ(line.openStatus(), Zcad::eOk);
    EXPECT_EQ(platform::Db_Set_Extension_Dictionary(line, elsewhere.namedObjectsDictionaryId()),
              Zcad::eWrongDatabase);
    EXPECT_EQ(platform::Db_Set_Extension_Dictionary(line, d.db->modelSpaceId()), Zcad::eWrongObjectType);
    EXPECT_TRUE(line->extensionDictionary().isNull());
    // Linked while still a placeholder; the dictionary added later under the handle is the one.
    ASSERT_EQ(platform::Db_Set_Extension_Dictionary(line, placeholder), Zcad::eOk);
    auto* dict = new ZcDbDictionary();
    ZcDbObjectId dictId;
    ASSERT_EQ(platform::Db_Add_Object_With_Handle(d.db.get(), dict, ZcDbHandle(0x5000), dictId), Zcad::eOk);
    dict->close();
    ASSERT_EQ(platform::Db_Set_Extension_Dictionary(line, dictId), Zcad::eOk);
    EXPECT_EQ(line->extensionDictionary(), placeholder);
    EXPECT_EQ(line->extensionDictionary().handle().value(), 0x5000u);
    ZcDbObjectPointer<ZcDbDictionary> opened(dictId);
    ASSERT_EQ(opened.openStatus(), Zcad::eOk);
    EXPECT_EQ(opened->ownerId(), lineId);
}

TEST(DrawingFiles, HandlesAreNotTakenTwice)
{
    ZcDbDatabase db;
    ZcDbObjectId id;
    auto* x = new ZcDbXrecord();
    ZcDbHandle used = db.modelSpaceId().handle();
    EXPECT_EQ(platform::Db_Add_Object_With_Handle(&db, x, used, id), Zcad::eHandleExists);
    delete x;
}

}  // namespace
