#include <algorithm>
#include <cwchar>

#include "db/db_internal.h"
#include "db/db_loader.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "db/dbtablestyle.h"
#include "db/drawing_file_io.h"

using platform::Db_Data;
using platform::Db_Object_Access;
using platform::Db_Stub;

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbDatabase, ZcRxObject)
ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbDatabaseReactor, ZcRxObject)

namespace platform {

Db_Stub* Db_Data::newStub(uint64_t handle)
{
    Db_Stub* stub = stubs.make(self);
    stub->handle = ZcDbHandle(handle);
    byHandle.insert(handle, stubs.size() - 1);
    if (handle > maxHandle) maxHandle = handle;
    if (handle >= handseed) handseed = handle + 1;
    return stub;
}

void Db_Data::reserve(size_t count)
{
    stubs.reserve(count);
    byHandle.reserve(count);
}

void Db_Data::deleteAll()
{
    // Ids of the database read as dead from here on, also to the destructors of its objects.
    stubs.setDatabase(nullptr);
    stubs.forEach([](Db_Stub* stub) {
        ZcDbObject* obj = stub->object;
        stub->object = nullptr;
        if (obj) Db_Object_Access::attach(obj, nullptr);
        delete obj;
    });
    stubs.clear();
    byHandle.clear();
    handseed = 1;
    maxHandle = 0;
    blockTable = layerTable = textStyleTable = linetypeTable = viewportTable = regAppTable = dimStyleTable = nod =
        ZcDbObjectId();
    clayer = textstyle = celtype = ZcDbObjectId();
}

namespace {
Zcad::ErrorStatus Attach_Object(ZcDbDatabase* db, Db_Stub* stub, ZcDbObject* obj, ZcDbObjectId owner,
                                ZcDbObjectId& outId)
{
    stub->object = obj;
    stub->setErased(false);
    Db_Object_Access::attach(obj, stub);
    Db_Object_Access::setOwner(obj, owner);
    Db_Object_Access::setWriter(obj, true);
    Db_Object_Access::readers(obj) = 0;
    Db_Object_Access::isNew(obj) = true;
    outId = ZcDbObjectId(stub);
    Db_Object_Access::added(obj, db);
    db->data().notify([&](ZcDbDatabaseReactor* r) { r->objectAppended(db, obj); });
    return Zcad::eOk;
}
}  // namespace

Zcad::ErrorStatus Add_Object(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner, ZcDbObjectId& outId)
{
    outId.setNull();
    if (db == nullptr) return Zcad::eNoDatabase;
    if (obj == nullptr) return Zcad::eNullObjectPointer;
    if (obj->isDatabaseResident()) return Zcad::eAlreadyInDb;
    Db_Data& d = db->data();
    while (d.byHandle.contains(d.handseed) && d.handseed < kHandleLimit) ++d.handseed;
    if (d.handseed >= kHandleLimit) return Zcad::eOutOfRange;
    Db_Stub* stub = d.newStub(d.handseed);
    return Attach_Object(db, stub, obj, owner, outId);
}

Zcad::ErrorStatus Db_Add_Object_With_Handle(ZcDbDatabase* db, ZcDbObject* obj, const ZcDbHandle& handle,
                                            ZcDbObjectId& outId)
{
    outId.setNull();
    if (db == nullptr) return Zcad::eNoDatabase;
    if (obj == nullptr) return Zcad::eNullObjectPointer;
    if (handle.isNull()) return Zcad::eNullHandle;
    if (handle.value() >= kHandleLimit) return Zcad::eOutOfRange;
    if (obj->isDatabaseResident()) return Zcad::eAlreadyInDb;
    Db_Data& d = db->data();
    Db_Stub* stub = d.stubOf(handle.value());
    if (stub && stub->object) return Zcad::eHandleExists;
    if (!stub) stub = d.newStub(handle.value());
    if (handle.value() >= d.handseed) d.handseed = handle.value() + 1;
    return Attach_Object(db, stub, obj, ZcDbObjectId(), outId);
}

void Db_Reserve_Objects(ZcDbDatabase* db, size_t count)
{
    if (db) db->data().reserve(count);
}

Zcad::ErrorStatus Db_Set_Extension_Dictionary(ZcDbObject* obj, ZcDbObjectId dictId)
{
    if (obj == nullptr) return Zcad::eNullObjectPointer;
    if (!obj->isDatabaseResident()) return Zcad::eNotInDatabase;
    if (!Db_Object_Access::writer(obj)) return Zcad::eNotOpenForWrite;
    if (!dictId.isNull()) {
        if (dictId.database() != obj->database()) return Zcad::eWrongDatabase;
        if (dictId == obj->objectId()) return Zcad::eInvalidInput;
        if (ZcDbObject* dict = Peek_Object(dictId)) {
            if (!dict->isKindOf(ZcDbDictionary::desc())) return Zcad::eWrongObjectType;
            Db_Object_Access::setOwner(dict, obj->objectId());
        }
    }
    Db_Object_Access::setExtDict(obj, dictId);
    return Zcad::eOk;
}

Zcad::ErrorStatus Db_Set_Root(ZcDbDatabase* db, Db_Root root, ZcDbObjectId id)
{
    if (db == nullptr) return Zcad::eNoDatabase;
    ZcDbObject* obj = Peek_Object(id);
    if (obj == nullptr || obj->database() != db) return Zcad::eWrongDatabase;
    Db_Data& d = db->data();
    auto check = [&](ZcRxClass* cls, ZcDbObjectId& slot) {
        if (!obj->isKindOf(cls)) return Zcad::eWrongObjectType;
        slot = id;
        return Zcad::eOk;
    };
    switch (root) {
    case Db_Root::Block_Table: return check(ZcDbBlockTable::desc(), d.blockTable);
    case Db_Root::Layer_Table: return check(ZcDbLayerTable::desc(), d.layerTable);
    case Db_Root::Text_Style_Table: return check(ZcDbTextStyleTable::desc(), d.textStyleTable);
    case Db_Root::Linetype_Table: return check(ZcDbLinetypeTable::desc(), d.linetypeTable);
    case Db_Root::Viewport_Table: return check(ZcDbViewportTable::desc(), d.viewportTable);
    case Db_Root::Reg_App_Table: return check(ZcDbRegAppTable::desc(), d.regAppTable);
    case Db_Root::Dim_Style_Table: return check(ZcDbDimStyleTable::desc(), d.dimStyleTable);
    case Db_Root::Named_Objects_Dictionary: return check(ZcDbDictionary::desc(), d.nod);
    }
    return Zcad::eInvalidInput;
}

namespace {

template <class T>
ZcDbObjectId Ensure_Root(ZcDbDatabase* db, ZcDbObjectId& slot)
{
    if (Peek_Object(slot)) return slot;
    T* obj = new T();
    ZcDbObjectId id;
    Add_Object(db, obj, ZcDbObjectId(), id);
    obj->close();
    slot = id;
    return id;
}

// The record named name of the table, created by make when missing.
template <class Rec, class Setup>
ZcDbObjectId Ensure_Record(ZcDbObjectId tableId, const wchar_t* name, Setup setup)
{
    auto* table = Peek<ZcDbSymbolTable>(tableId);
    if (!table) return ZcDbObjectId();
    ZcDbObjectId id;
    if (table->getAt(name, id) == Zcad::eOk) return id;
    Rec* rec = new Rec();
    rec->setName(name);
    setup(rec);
    Internal_Write_Scope scope(table);
    if (table->add(id, rec) != Zcad::eOk) {
        delete rec;
        return ZcDbObjectId();
    }
    rec->close();
    return id;
}

ZcDbObjectId Ensure_Dictionary(ZcDbObjectId parentId, const wchar_t* name)
{
    auto* parent = Peek<ZcDbDictionary>(parentId);
    if (!parent) return ZcDbObjectId();
    ZcDbObjectId id;
    if (parent->getAt(name, id) == Zcad::eOk) return id;
    auto* dict = new ZcDbDictionary();
    Internal_Write_Scope scope(parent);
    if (parent->setAt(name, dict, id) != Zcad::eOk) {
        delete dict;
        return ZcDbObjectId();
    }
    dict->close();
    return id;
}

// "Standard" in a dimension style table that has no records.
void Ensure_Default_Dim_Style(ZcDbObjectId tableId)
{
    auto* table = Peek<ZcDbSymbolTable>(tableId);
    if (table && table->numEntries(true) == 0)
        Ensure_Record<ZcDbDimStyleTableRecord>(tableId, L"Standard", [](ZcDbDimStyleTableRecord*) {});
}

// The table style dictionary with its metric "Standard" style, when the drawing has none.
void Ensure_Table_Styles(ZcDbObjectId nod, ZcDbObjectId textStyle)
{
    auto* parent = Peek<ZcDbDictionary>(nod);
    if (!parent || parent->has(L"ACAD_TABLESTYLE")) return;
    auto* styles = Peek<ZcDbDictionary>(Ensure_Dictionary(nod, L"ACAD_TABLESTYLE"));
    if (!styles) return;
    auto* style = new ZcDbTableStyle();
    ZcDbObjectId id;
    Internal_Write_Scope scope(styles);
    if (styles->setAt(L"Standard", style, id) != Zcad::eOk) {
        delete style;
        return;
    }
    style->setDescription(L"Standard");
    style->setHorzCellMargin(1.5);
    style->setVertCellMargin(1.5);
    style->setTextStyle(textStyle);
    style->setTextHeight(4.5);
    style->setTextHeight(6.0, ZcDb::kTitleRow);
    style->close();
}

void Ensure_Layout(ZcDbDatabase* db, ZcDbObjectId layoutDict, const wchar_t* name, int tab, ZcDbObjectId blockId,
                   bool model)
{
    auto* dict = Peek<ZcDbDictionary>(layoutDict);
    auto* btr = Peek<ZcDbBlockTableRecord>(blockId);
    if (!dict || !btr) return;
    if (dict->has(name)) return;
    auto* layout = new ZcDbLayout();
    layout->setModelType(model);
    layout->setLayoutName(name);
    layout->setTabOrder(tab);
    if (model) {
        layout->setPlotType(ZcDbPlotSettings::kExtents);
    } else {
        layout->setPlotPaperSize(297.0, 210.0);
        layout->setCanonicalMediaName(L"ISO_A4_(297.00_x_210.00_MM)");
    }
    ZcDbObjectId id;
    Internal_Write_Scope scope(dict);
    if (dict->setAt(name, layout, id) != Zcad::eOk) {
        delete layout;
        return;
    }
    layout->setBlockTableRecordId(blockId);
    layout->close();
    Internal_Write_Scope btrScope(btr);
    btr->setLayoutId(id);
    (void)db;
}

}  // namespace

Zcad::ErrorStatus Db_Complete_Default_Content(ZcDbDatabase* db)
{
    if (db == nullptr) return Zcad::eNoDatabase;
    Db_Data& d = db->data();
    Ensure_Root<ZcDbBlockTable>(db, d.blockTable);
    Ensure_Root<ZcDbLayerTable>(db, d.layerTable);
    Ensure_Root<ZcDbTextStyleTable>(db, d.textStyleTable);
    Ensure_Root<ZcDbLinetypeTable>(db, d.linetypeTable);
    Ensure_Root<ZcDbViewportTable>(db, d.viewportTable);
    Ensure_Root<ZcDbRegAppTable>(db, d.regAppTable);
    Ensure_Root<ZcDbDimStyleTable>(db, d.dimStyleTable);
    Ensure_Root<ZcDbDictionary>(db, d.nod);

    Ensure_Record<ZcDbLinetypeTableRecord>(d.linetypeTable, L"ByBlock", [](ZcDbLinetypeTableRecord*) {});
    ZcDbObjectId byLayer = Ensure_Record<ZcDbLinetypeTableRecord>(d.linetypeTable, L"ByLayer", [](ZcDbLinetypeTableRecord*) {});
    ZcDbObjectId continuous = Ensure_Record<ZcDbLinetypeTableRecord>(
        d.linetypeTable, L"Continuous", [](ZcDbLinetypeTableRecord* r) { r->setComments(L"Solid line"); });
    ZcDbObjectId layer0 = Ensure_Record<ZcDbLayerTableRecord>(d.layerTable, L"0", [&](ZcDbLayerTableRecord* r) {
        ZcCmColor white;
        white.setColorIndex(7);
        r->setColor(white);
        r->setLinetypeObjectId(continuous);
    });
    ZcDbObjectId standard = Ensure_Record<ZcDbTextStyleTableRecord>(d.textStyleTable, L"Standard",
                                                                    [](ZcDbTextStyleTableRecord* r) {
                                                                        r->setFileName(L"txt.shx");
                                                                    });
    Ensure_Record<ZcDbRegAppTableRecord>(d.regAppTable, L"ACAD", [](ZcDbRegAppTableRecord*) {});
    Ensure_Default_Dim_Style(d.dimStyleTable);
    Ensure_Record<ZcDbViewportTableRecord>(d.viewportTable, L"*Active", [](ZcDbViewportTableRecord* r) {
        r->setCenterPoint(ZcGePoint2d(210.0, 148.5));
        r->setHeight(297.0);
        r->setWidth(420.0);
    });
    ZcDbObjectId model = Ensure_Record<ZcDbBlockTableRecord>(d.blockTable, L"*Model_Space", [](ZcDbBlockTableRecord*) {});
    ZcDbObjectId paper = Ensure_Record<ZcDbBlockTableRecord>(d.blockTable, L"*Paper_Space", [](ZcDbBlockTableRecord*) {});

    Ensure_Dictionary(d.nod, L"ACAD_GROUP");
    ZcDbObjectId layouts = Ensure_Dictionary(d.nod, L"ACAD_LAYOUT");
    Ensure_Dictionary(d.nod, L"ACAD_PLOTSETTINGS");
    Ensure_Dictionary(d.nod, L"ACAD_PLOTSTYLENAME");
    Ensure_Table_Styles(d.nod, standard);
    auto* layoutDict = Peek<ZcDbDictionary>(layouts);
    if (layoutDict && layoutDict->numEntries() == 0) {
        ZcDbObjectId paper0 = Ensure_Record<ZcDbBlockTableRecord>(d.blockTable, L"*Paper_Space0", [](ZcDbBlockTableRecord*) {});
        Ensure_Layout(db, layouts, L"Model", 0, model, true);
        Ensure_Layout(db, layouts, L"Layout1", 1, paper, false);
        Ensure_Layout(db, layouts, L"Layout2", 2, paper0, false);
    }
    if (!Peek_Object(d.clayer)) d.clayer = layer0;
    if (!Peek_Object(d.textstyle)) d.textstyle = standard;
    if (!Peek_Object(d.celtype)) d.celtype = byLayer;
    return Zcad::eOk;
}

}  // namespace platform

ZcDbDatabase::ZcDbDatabase(bool buildDefaultDrawing, bool) : mData(std::make_unique<Db_Data>())
{
    platform::Register_Db_Classes();
    mData->self = this;
    if (buildDefaultDrawing) platform::Db_Complete_Default_Content(this);
}

ZcDbDatabase::~ZcDbDatabase()
{
    mData->notify([&](ZcDbDatabaseReactor* r) { r->databaseToBeDestroyed(this); });
    if (zcdbHostApplicationServices()->workingDatabase() == this)
        zcdbHostApplicationServices()->setWorkingDatabase(nullptr);
    mData->deleteAll();
    mData->notify([&](ZcDbDatabaseReactor* r) { r->goodbye(this); });
}

Zcad::ErrorStatus ZcDbDatabase::addZcDbObject(ZcDbObjectId& objId, ZcDbObject* pObj)
{
    return platform::Add_Object(this, pObj, ZcDbObjectId(), objId);
}

Zcad::ErrorStatus ZcDbDatabase::addZcDbObject(ZcDbObject* pObj)
{
    ZcDbObjectId id;
    return addZcDbObject(id, pObj);
}

Zcad::ErrorStatus ZcDbDatabase::getZcDbObjectId(ZcDbObjectId& retId, bool createIfNotFound,
                                                const ZcDbHandle& objHandle, uint32_t)
{
    retId.setNull();
    if (objHandle.isNull()) return Zcad::eNullHandle;
    Db_Stub* stub = mData->stubOf(objHandle.value());
    if (!stub) {
        if (!createIfNotFound) return Zcad::eUnknownHandle;
        if (objHandle.value() >= platform::kHandleLimit) return Zcad::eOutOfRange;
        stub = mData->newStub(objHandle.value());
    }
    retId = ZcDbObjectId(stub);
    return Zcad::eOk;
}

ZcDbObjectId ZcDbDatabase::blockTableId() const { return mData->blockTable; }
ZcDbObjectId ZcDbDatabase::layerTableId() const { return mData->layerTable; }
ZcDbObjectId ZcDbDatabase::textStyleTableId() const { return mData->textStyleTable; }
ZcDbObjectId ZcDbDatabase::linetypeTableId() const { return mData->linetypeTable; }
ZcDbObjectId ZcDbDatabase::viewportTableId() const { return mData->viewportTable; }
ZcDbObjectId ZcDbDatabase::regAppTableId() const { return mData->regAppTable; }
ZcDbObjectId ZcDbDatabase::dimStyleTableId() const { return mData->dimStyleTable; }
ZcDbObjectId ZcDbDatabase::namedObjectsDictionaryId() const { return mData->nod; }

namespace {
ZcDbObjectId Nod_Entry(const ZcDbDatabase* db, const wchar_t* name)
{
    auto* nod = platform::Peek<ZcDbDictionary>(db->namedObjectsDictionaryId());
    ZcDbObjectId id;
    if (nod) nod->getAt(name, id);
    return id;
}

template <class T>
Zcad::ErrorStatus Open_Root(T*& out, ZcDbObjectId id, ZcDb::OpenMode mode)
{
    out = nullptr;
    if (id.isNull()) return Zcad::eNullObjectId;
    return zcdbOpenObject(out, id, mode);
}
}  // namespace

ZcDbObjectId ZcDbDatabase::layoutDictionaryId() const { return Nod_Entry(this, L"ACAD_LAYOUT"); }
ZcDbObjectId ZcDbDatabase::groupDictionaryId() const { return Nod_Entry(this, L"ACAD_GROUP"); }
ZcDbObjectId ZcDbDatabase::plotSettingsDictionaryId() const { return Nod_Entry(this, L"ACAD_PLOTSETTINGS"); }
ZcDbObjectId ZcDbDatabase::tableStyleDictionaryId() const { return Nod_Entry(this, L"ACAD_TABLESTYLE"); }

Zcad::ErrorStatus ZcDbDatabase::getBlockTable(ZcDbBlockTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->blockTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getLayerTable(ZcDbLayerTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->layerTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getTextStyleTable(ZcDbTextStyleTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->textStyleTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getLinetypeTable(ZcDbLinetypeTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->linetypeTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getViewportTable(ZcDbViewportTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->viewportTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getRegAppTable(ZcDbRegAppTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->regAppTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getDimStyleTable(ZcDbDimStyleTable*& t, ZcDb::OpenMode m) { return Open_Root(t, mData->dimStyleTable, m); }
Zcad::ErrorStatus ZcDbDatabase::getNamedObjectsDictionary(ZcDbDictionary*& d, ZcDb::OpenMode m) { return Open_Root(d, mData->nod, m); }
Zcad::ErrorStatus ZcDbDatabase::getLayoutDictionary(ZcDbDictionary*& d, ZcDb::OpenMode m) { return Open_Root(d, layoutDictionaryId(), m); }

namespace {
ZcDbObjectId Block_Named(const ZcDbDatabase* db, const wchar_t* name)
{
    auto* bt = platform::Peek<ZcDbBlockTable>(db->blockTableId());
    ZcDbObjectId id;
    if (bt) bt->getAt(name, id);
    return id;
}
}  // namespace

ZcDbObjectId ZcDbDatabase::modelSpaceId() const { return Block_Named(this, L"*Model_Space"); }
ZcDbObjectId ZcDbDatabase::paperSpaceId() const { return Block_Named(this, L"*Paper_Space"); }

ZcDbObjectId ZcDbDatabase::currentSpaceId() const
{
    if (mData->tilemode || mData->cvport > 1) return modelSpaceId();
    return paperSpaceId();
}

// Header variables: each setter notifies the reactors around the change.
namespace {
template <class T, class V>
Zcad::ErrorStatus Set_Var(ZcDbDatabase* db, const wchar_t* name, T& slot, const V& value)
{
    db->data().notify([&](ZcDbDatabaseReactor* r) { r->headerSysVarWillChange(db, name); });
    slot = value;
    db->data().notify([&](ZcDbDatabaseReactor* r) { r->headerSysVarChanged(db, name, true); });
    return Zcad::eOk;
}

bool Is_Record_Of(ZcDbObjectId id, ZcDbObjectId tableId)
{
    ZcDbObject* obj = platform::Peek_Object(id);
    return obj && !id.isErased() && obj->ownerId() == tableId;
}
}  // namespace

ZcDbObjectId ZcDbDatabase::clayer() const { return mData->clayer; }
Zcad::ErrorStatus ZcDbDatabase::setClayer(ZcDbObjectId id)
{
    if (!Is_Record_Of(id, mData->layerTable)) return Zcad::eInvalidInput;
    auto* layer = platform::Peek<ZcDbLayerTableRecord>(id);
    if (layer && layer->isFrozen()) return Zcad::eCannotChangeActiveLayer;
    return Set_Var(this, L"CLAYER", mData->clayer, id);
}
ZcDbObjectId ZcDbDatabase::textstyle() const { return mData->textstyle; }
Zcad::ErrorStatus ZcDbDatabase::setTextstyle(ZcDbObjectId id)
{
    if (!Is_Record_Of(id, mData->textStyleTable)) return Zcad::eInvalidInput;
    return Set_Var(this, L"TEXTSTYLE", mData->textstyle, id);
}
ZcDbObjectId ZcDbDatabase::celtype() const { return mData->celtype; }
Zcad::ErrorStatus ZcDbDatabase::setCeltype(ZcDbObjectId id)
{
    if (!Is_Record_Of(id, mData->linetypeTable)) return Zcad::eInvalidInput;
    return Set_Var(this, L"CELTYPE", mData->celtype, id);
}
ZcCmColor ZcDbDatabase::cecolor() const { return mData->cecolor; }
Zcad::ErrorStatus ZcDbDatabase::setCecolor(const ZcCmColor& c) { return Set_Var(this, L"CECOLOR", mData->cecolor, c); }
ZcDb::LineWeight ZcDbDatabase::celweight() const { return mData->celweight; }
Zcad::ErrorStatus ZcDbDatabase::setCelweight(ZcDb::LineWeight w) { return Set_Var(this, L"CELWEIGHT", mData->celweight, w); }
bool ZcDbDatabase::tilemode() const { return mData->tilemode; }
Zcad::ErrorStatus ZcDbDatabase::setTilemode(bool mode)
{
    // Leaving model space makes paper space active in the layout.
    if (!mode && mData->tilemode) mData->cvport = 1;
    return Set_Var(this, L"TILEMODE", mData->tilemode, mode);
}
int16_t ZcDbDatabase::cvport() const { return mData->tilemode ? int16_t(2) : mData->cvport; }
Zcad::ErrorStatus ZcDbDatabase::setCvport(int16_t v)
{
    if (v < 1) return Zcad::eInvalidInput;
    return Set_Var(this, L"CVPORT", mData->cvport, v);
}
ZcDb::UnitsValue ZcDbDatabase::insunits() const { return mData->insunits; }
Zcad::ErrorStatus ZcDbDatabase::setInsunits(ZcDb::UnitsValue u) { return Set_Var(this, L"INSUNITS", mData->insunits, u); }
double ZcDbDatabase::ltscale() const { return mData->ltscale; }
Zcad::ErrorStatus ZcDbDatabase::setLtscale(double s)
{
    if (!(s > 0.0)) return Zcad::eInvalidInput;
    return Set_Var(this, L"LTSCALE", mData->ltscale, s);
}
double ZcDbDatabase::celtscale() const { return mData->celtscale; }
Zcad::ErrorStatus ZcDbDatabase::setCeltscale(double s)
{
    if (!(s > 0.0)) return Zcad::eInvalidInput;
    return Set_Var(this, L"CELTSCALE", mData->celtscale, s);
}
bool ZcDbDatabase::psltscale() const { return mData->psltscale; }
Zcad::ErrorStatus ZcDbDatabase::setPsltscale(bool v) { return Set_Var(this, L"PSLTSCALE", mData->psltscale, v); }
double ZcDbDatabase::textsize() const { return mData->textsize; }
Zcad::ErrorStatus ZcDbDatabase::setTextsize(double s)
{
    if (!(s > 0.0)) return Zcad::eInvalidInput;
    return Set_Var(this, L"TEXTSIZE", mData->textsize, s);
}
int16_t ZcDbDatabase::pdmode() const { return mData->pdmode; }
Zcad::ErrorStatus ZcDbDatabase::setPdmode(int16_t m) { return Set_Var(this, L"PDMODE", mData->pdmode, m); }
double ZcDbDatabase::pdsize() const { return mData->pdsize; }
Zcad::ErrorStatus ZcDbDatabase::setPdsize(double s) { return Set_Var(this, L"PDSIZE", mData->pdsize, s); }
bool ZcDbDatabase::lineWeightDisplay() const { return mData->lwdisplay; }
Zcad::ErrorStatus ZcDbDatabase::setLineWeightDisplay(bool v) { return Set_Var(this, L"LWDISPLAY", mData->lwdisplay, v); }
ZcDb::MeasurementValue ZcDbDatabase::measurement() const { return mData->measurement; }
Zcad::ErrorStatus ZcDbDatabase::setMeasurement(ZcDb::MeasurementValue v) { return Set_Var(this, L"MEASUREMENT", mData->measurement, v); }
ZcGePoint3d ZcDbDatabase::insbase() const { return mData->insbase; }
Zcad::ErrorStatus ZcDbDatabase::setInsbase(const ZcGePoint3d& p) { return Set_Var(this, L"INSBASE", mData->insbase, p); }
ZcGePoint3d ZcDbDatabase::extmin() const { return mData->extmin; }
ZcGePoint3d ZcDbDatabase::extmax() const { return mData->extmax; }
Zcad::ErrorStatus ZcDbDatabase::setExtmin(const ZcGePoint3d& p) { return Set_Var(this, L"EXTMIN", mData->extmin, p); }
Zcad::ErrorStatus ZcDbDatabase::setExtmax(const ZcGePoint3d& p) { return Set_Var(this, L"EXTMAX", mData->extmax, p); }
ZcGePoint3d ZcDbDatabase::pextmin() const { return mData->pextmin; }
ZcGePoint3d ZcDbDatabase::pextmax() const { return mData->pextmax; }
Zcad::ErrorStatus ZcDbDatabase::setPextmin(const ZcGePoint3d& p) { return Set_Var(this, L"PEXTMIN", mData->pextmin, p); }
Zcad::ErrorStatus ZcDbDatabase::setPextmax(const ZcGePoint3d& p) { return Set_Var(this, L"PEXTMAX", mData->pextmax, p); }
ZcGePoint2d ZcDbDatabase::limmin() const { return mData->limmin; }
ZcGePoint2d ZcDbDatabase::limmax() const { return mData->limmax; }
Zcad::ErrorStatus ZcDbDatabase::setLimmin(const ZcGePoint2d& p) { return Set_Var(this, L"LIMMIN", mData->limmin, p); }
Zcad::ErrorStatus ZcDbDatabase::setLimmax(const ZcGePoint2d& p) { return Set_Var(this, L"LIMMAX", mData->limmax, p); }
const wchar_t* ZcDbDatabase::dwgcodepage() const { return mData->codepage.c_str(); }
Zcad::ErrorStatus ZcDbDatabase::setDwgcodepage(const wchar_t* name)
{
    if (name == nullptr || *name == 0) return Zcad::eInvalidInput;
    return Set_Var(this, L"DWGCODEPAGE", mData->codepage, std::wstring(name));
}
ZcDbHandle ZcDbDatabase::handseed() const { return ZcDbHandle(mData->handseed); }
Zcad::ErrorStatus ZcDbDatabase::setHandseed(const ZcDbHandle& h)
{
    // Never below a handle in use, never at the top where no handle is left.
    if (h.value() >= platform::kHandleLimit) return Zcad::eOutOfRange;
    if (h.value() <= mData->maxHandle) return Zcad::eInvalidInput;
    mData->handseed = h.value();
    return Zcad::eOk;
}

namespace {
bool Space_Extents(ZcDbObjectId spaceId, ZcDbExtents& ext)
{
    auto* btr = platform::Peek<ZcDbBlockTableRecord>(spaceId);
    if (!btr) return false;
    bool any = false;
    for (ZcDbObjectId id : btr->entityIds()) {
        if (id.isErased()) continue;
        auto* ent = platform::Peek<ZcDbEntity>(id);
        ZcDbExtents e;
        if (ent && ent->getGeomExtents(e) == Zcad::eOk) {
            ext.addExt(e);
            any = true;
        }
    }
    return any;
}
}  // namespace

Zcad::ErrorStatus ZcDbDatabase::updateExt(bool)
{
    ZcDbExtents model, paper;
    const ZcGePoint3d emptyMin(1e20, 1e20, 1e20), emptyMax(-1e20, -1e20, -1e20);
    if (Space_Extents(modelSpaceId(), model)) {
        setExtmin(model.minPoint());
        setExtmax(model.maxPoint());
    } else {
        setExtmin(emptyMin);
        setExtmax(emptyMax);
    }
    if (Space_Extents(paperSpaceId(), paper)) {
        setPextmin(paper.minPoint());
        setPextmax(paper.maxPoint());
    } else {
        setPextmin(emptyMin);
        setPextmax(emptyMax);
    }
    return Zcad::eOk;
}

void ZcDbDatabase::addReactor(ZcDbDatabaseReactor* r) const
{
    if (r && std::find(mData->reactors.begin(), mData->reactors.end(), r) == mData->reactors.end())
        mData->reactors.push_back(r);
}

void ZcDbDatabase::removeReactor(ZcDbDatabaseReactor* r) const
{
    mData->reactors.erase(std::remove(mData->reactors.begin(), mData->reactors.end(), r), mData->reactors.end());
}

// Drawing files.
namespace platform {
namespace {
Drawing_File_Reader gReader = nullptr;
Drawing_File_Writer gWriter = nullptr;
}  // namespace
void Set_Drawing_File_Io(Drawing_File_Reader reader, Drawing_File_Writer writer)
{
    gReader = reader;
    gWriter = writer;
}
Drawing_File_Reader Drawing_Reader() { return gReader; }
Drawing_File_Writer Drawing_Writer() { return gWriter; }
}  // namespace platform

Zcad::ErrorStatus ZcDbDatabase::readDwgFile(const wchar_t* fileName, int, bool, const wchar_t*)
{
    if (fileName == nullptr || *fileName == 0) return Zcad::eInvalidInput;
    platform::Drawing_File_Reader reader = platform::Drawing_Reader();
    if (reader == nullptr) return Zcad::eNotImplemented;
    // The file is read into a scratch database; the drawing is replaced only when it was read whole.
    ZcDbDatabase scratch(false, true);
    Zcad::ErrorStatus es = reader(&scratch, fileName);
    if (es != Zcad::eOk) return es;
    platform::Db_Complete_Default_Content(&scratch);
    std::vector<ZcDbDatabaseReactor*> reactors = mData->reactors;
    std::swap(mData, scratch.mData);
    mData->self = this;
    mData->reactors = reactors;
    mData->stubs.setDatabase(this);
    mData->filename = fileName;
    // The replaced drawing goes with the scratch database, without this database's reactors.
    scratch.mData->self = &scratch;
    scratch.mData->reactors.clear();
    scratch.mData->stubs.setDatabase(&scratch);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::dxfIn(const wchar_t* fileName) { return readDwgFile(fileName); }

Zcad::ErrorStatus ZcDbDatabase::saveAs(const wchar_t* fileName, ZcDb::ZcDbDwgVersion)
{
    if (fileName == nullptr || *fileName == 0) return Zcad::eInvalidInput;
    platform::Drawing_File_Writer writer = platform::Drawing_Writer();
    if (writer == nullptr) return Zcad::eNotImplemented;
    Zcad::ErrorStatus es = writer(this, fileName);
    if (es == Zcad::eOk) mData->filename = fileName;
    return es;
}

Zcad::ErrorStatus ZcDbDatabase::dxfOut(const wchar_t* fileName, int, ZcDb::ZcDbDwgVersion version)
{
    platform::Drawing_File_Writer writer = platform::Drawing_Writer();
    if (writer == nullptr) return Zcad::eNotImplemented;
    if (fileName == nullptr || *fileName == 0) return Zcad::eInvalidInput;
    (void)version;
    return writer(this, fileName);
}

const wchar_t* ZcDbDatabase::filename() const { return mData->filename.c_str(); }
Zcad::ErrorStatus ZcDbDatabase::getFilename(const wchar_t*& out) const
{
    out = mData->filename.c_str();
    return Zcad::eOk;
}
void ZcDbDatabase::setFilename(const wchar_t* name) { mData->filename = name ? name : L""; }
