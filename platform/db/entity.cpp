#include <functional>

#include "db/db_internal.h"
#include "db/dbsymtb.h"
#include "db/gi_extents.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbEntity, ZcDbObject)

namespace {
ZcDbDatabase* Lookup_Db(const ZcDbEntity* ent)
{
    return ent->database() ? ent->database() : zcdbHostApplicationServices()->workingDatabase();
}

wchar_t* Record_Name(ZcDbObjectId id, const wchar_t* fallback)
{
    auto* rec = platform::Peek<ZcDbSymbolTableRecord>(id);
    return platform::Dup_String(rec ? rec->name() : fallback);
}
}  // namespace

// Sub-entity propagation: each setter runs the same change on the owned sub-entities.
class Zc_Subent_Apply {
public:
    template <class F>
    static void run(ZcDbEntity* owner, bool doSubents, F apply)
    {
        if (!doSubents) return;
        ZcDbObjectIdArray ids;
        owner->getSubentIds(ids);
        for (int i = 0; i < ids.length(); ++i) {
            auto* sub = platform::Peek<ZcDbEntity>(ids[i]);
            if (!sub) continue;
            platform::Internal_Write_Scope scope(sub);
            apply(sub);
        }
    }
};

wchar_t* ZcDbEntity::layer() const { return Record_Name(mLayerId, L""); }

Zcad::ErrorStatus ZcDbEntity::setLayer(const wchar_t* newVal, bool doSubents, bool allowHiddenLayer)
{
    ZcDbDatabase* db = Lookup_Db(this);
    if (db == nullptr || newVal == nullptr) return Zcad::eInvalidInput;
    auto* table = platform::Peek<ZcDbLayerTable>(db->layerTableId());
    ZcDbObjectId id;
    if (table == nullptr || table->getAt(newVal, id) != Zcad::eOk) return Zcad::eKeyNotFound;
    return setLayer(id, doSubents, allowHiddenLayer);
}

Zcad::ErrorStatus ZcDbEntity::setLayer(ZcDbObjectId newVal, bool doSubents, bool)
{
    if (!platform::Peek<ZcDbLayerTableRecord>(newVal)) return Zcad::eInvalidInput;
    if (database() && newVal.database() != database()) return Zcad::eWrongDatabase;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLayerId = newVal;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) { e->mLayerId = newVal; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setColor(const ZcCmColor& color, bool doSubents)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mColor = color;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) { e->mColor = color; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setColorIndex(uint16_t color, bool doSubents)
{
    if (color > 256) return Zcad::eOutOfRange;
    ZcCmColor c;
    c.setColorIndex(int16_t(color));
    return setColor(c, doSubents);
}

wchar_t* ZcDbEntity::linetype() const { return Record_Name(mLinetypeId, L"ByLayer"); }

Zcad::ErrorStatus ZcDbEntity::setLinetype(const wchar_t* newVal, bool doSubents)
{
    ZcDbDatabase* db = Lookup_Db(this);
    if (db == nullptr || newVal == nullptr) return Zcad::eInvalidInput;
    auto* table = platform::Peek<ZcDbLinetypeTable>(db->linetypeTableId());
    ZcDbObjectId id;
    if (table == nullptr || table->getAt(newVal, id) != Zcad::eOk) return Zcad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Zcad::ErrorStatus ZcDbEntity::setLinetype(ZcDbObjectId newVal, bool doSubents)
{
    if (!platform::Peek<ZcDbLinetypeTableRecord>(newVal)) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLinetypeId = newVal;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) { e->mLinetypeId = newVal; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLinetypeScale(double newVal, bool doSubents)
{
    if (!(newVal > 0.0)) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLinetypeScale = newVal;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) { e->mLinetypeScale = newVal; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setLineWeight(ZcDb::LineWeight newVal, bool doSubents)
{
    int v = int(newVal);
    if (v < -3 || v > 211) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLineWeight = newVal;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) { e->mLineWeight = newVal; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setVisibility(ZcDb::Visibility newVal, bool doSubents)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mVisibility = newVal;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) { e->mVisibility = newVal; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::setPropertiesFrom(const ZcDbEntity* src, bool doSubents)
{
    if (src == nullptr) return Zcad::eNullEntityPointer;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    bool sameDb = database() == nullptr || database() == src->database();
    if (sameDb) {
        mLayerId = src->mLayerId;
        mLinetypeId = src->mLinetypeId;
    }
    mColor = src->mColor;
    mLinetypeScale = src->mLinetypeScale;
    mLineWeight = src->mLineWeight;
    mVisibility = src->mVisibility;
    Zc_Subent_Apply::run(this, doSubents, [&](ZcDbEntity* e) {
        if (sameDb) {
            e->mLayerId = src->mLayerId;
            e->mLinetypeId = src->mLinetypeId;
        }
        e->mColor = src->mColor;
        e->mLinetypeScale = src->mLinetypeScale;
        e->mLineWeight = src->mLineWeight;
        e->mVisibility = src->mVisibility;
    });
    return Zcad::eOk;
}

void ZcDbEntity::setDatabaseDefaults(ZcDbDatabase* db)
{
    if (db == nullptr) db = Lookup_Db(this);
    if (db == nullptr || !assertWriteEnabled()) return;
    mLayerId = db->clayer();
    mLinetypeId = db->celtype();
    mColor = db->cecolor();
    mLineWeight = db->celweight();
    mLinetypeScale = db->celtscale();
}

Zcad::ErrorStatus ZcDbEntity::transformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    return subTransformBy(xform);
}

Zcad::ErrorStatus ZcDbEntity::getTransformedCopy(const ZcGeMatrix3d& xform, ZcDbEntity*& pEnt) const
{
    pEnt = nullptr;
    return subGetTransformedCopy(xform, pEnt);
}

Zcad::ErrorStatus ZcDbEntity::explode(ZcDbVoidPtrArray& entitySet) const { return subExplode(entitySet); }

Zcad::ErrorStatus ZcDbEntity::getGeomExtents(ZcDbExtents& extents) const
{
    ZcDbExtents e;
    Zcad::ErrorStatus es = subGetGeomExtents(e);
    if (es != Zcad::eOk) return es;
    if (!e.isValid()) return Zcad::eInvalidExtents;
    extents = e;
    return Zcad::eOk;
}

bool ZcDbEntity::worldDraw(ZcGiWorldDraw* mode)
{
    if (mode == nullptr) return false;
    if (mVisibility == ZcDb::kInvisible) return true;
    ZcGiSubEntityTraits& traits = mode->subEntityTraits();
    traits.setTrueColor(mColor);
    traits.setLayer(mLayerId);
    traits.setLineType(mLinetypeId);
    traits.setLineWeight(mLineWeight);
    traits.setLineTypeScale(mLinetypeScale);
    traits.setFillType(kZcGiFillNever);
    return subWorldDraw(mode);
}

void ZcDbEntity::recordGraphicsModified(bool setModified)
{
    if (setModified) assertWriteEnabled();
}

Zcad::ErrorStatus ZcDbEntity::draw() { return isReadEnabled() ? Zcad::eOk : Zcad::eNotOpenForRead; }

void ZcDbEntity::viewportDraw(ZcGiViewportDraw* mode) { subViewportDraw(mode); }

Zcad::ErrorStatus ZcDbEntity::subTransformBy(const ZcGeMatrix3d&) { return Zcad::eNotApplicable; }

Zcad::ErrorStatus ZcDbEntity::subGetTransformedCopy(const ZcGeMatrix3d& xform, ZcDbEntity*& pEnt) const
{
    pEnt = nullptr;
    ZcDbEntity* copy = ZcDbEntity::cast(clone());
    if (copy == nullptr) return Zcad::eNotApplicable;
    Zcad::ErrorStatus es = copy->transformBy(xform);
    if (es != Zcad::eOk) {
        delete copy;
        return es;
    }
    pEnt = copy;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbEntity::subExplode(ZcDbVoidPtrArray&) const { return Zcad::eNotApplicable; }

Zcad::ErrorStatus ZcDbEntity::subGetGeomExtents(ZcDbExtents& extents) const
{
    platform::Extents_Draw draw;
    const_cast<ZcDbEntity*>(this)->subWorldDraw(&draw);
    if (!draw.any()) return Zcad::eInvalidExtents;
    extents = draw.extents();
    return Zcad::eOk;
}

bool ZcDbEntity::subWorldDraw(ZcGiWorldDraw*) { return true; }

Zcad::ErrorStatus ZcDbEntity::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbHardPointerId layer, linetype;
    f->readHardPointerId(&layer);
    f->readHardPointerId(&linetype);
    mLayerId = layer;
    mLinetypeId = linetype;
    platform::File_In_Color(f, mColor);
    f->readDouble(&mLinetypeScale);
    int32_t lw = 0, vis = 0;
    f->readInt32(&lw);
    f->readInt32(&vis);
    mLineWeight = ZcDb::LineWeight(lw);
    mVisibility = ZcDb::Visibility(vis);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbEntity::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeHardPointerId(mLayerId);
    f->writeHardPointerId(mLinetypeId);
    platform::File_Out_Color(f, mColor);
    f->writeDouble(mLinetypeScale);
    f->writeInt32(int32_t(mLineWeight));
    f->writeInt32(int32_t(mVisibility));
    return f->filerStatus();
}

// Group codes of the common entity data ("AcDbEntity" subclass).
Zcad::ErrorStatus ZcDbEntity::dxfOutFields(ZcDbDxfFiler* f) const
{
    ZcDbObject::dxfOutFields(f);
    f->writeString(100, L"AcDbEntity");
    ZcDbDatabase* db = database();
    auto* owner = platform::Peek<ZcDbBlockTableRecord>(ownerId());
    if (db && owner && owner->isLayout() && ownerId() != db->modelSpaceId()) f->writeInt16(67, 1);
    wchar_t* layerName = layer();
    f->writeString(8, layerName);
    delete[] layerName;
    if (!mLinetypeId.isNull()) {
        wchar_t* lt = linetype();
        f->writeString(6, lt);
        delete[] lt;
    }
    if (!mColor.isByLayer()) f->writeInt16(62, mColor.colorIndex());
    if (mColor.isByColor())
        f->writeInt32(420, int32_t((uint32_t(mColor.red()) << 16) | (uint32_t(mColor.green()) << 8) | mColor.blue()));
    if (mLineWeight != ZcDb::kLnWtByLayer) f->writeInt16(370, int16_t(mLineWeight));
    if (mLinetypeScale != 1.0) f->writeDouble(48, mLinetypeScale);
    if (mVisibility == ZcDb::kInvisible) f->writeInt16(60, 1);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbEntity::dxfInFields(ZcDbDxfFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dxfInFields(f);
    if (es != Zcad::eOk) return es;
    if (!f->atSubclassData(L"AcDbEntity")) return f->filerStatus();
    resbuf rb{};
    while (!f->atEOF() && f->readResBuf(&rb) == Zcad::eOk) {
        bool mine = true;
        switch (rb.restype) {
        case 8:
            if (rb.resval.rstring) setLayer(rb.resval.rstring, false);
            break;
        case 6:
            if (rb.resval.rstring) setLinetype(rb.resval.rstring, false);
            break;
        case 62: mColor.setColorIndex(rb.resval.rint); break;
        case 420:
            mColor.setRGB(uint8_t(rb.resval.rlong >> 16), uint8_t(rb.resval.rlong >> 8), uint8_t(rb.resval.rlong));
            break;
        case 370: mLineWeight = ZcDb::LineWeight(rb.resval.rint); break;
        case 48: mLinetypeScale = rb.resval.rreal; break;
        case 60: mVisibility = rb.resval.rint ? ZcDb::kInvisible : ZcDb::kVisible; break;
        default: mine = false; break;
        }
        if (zcutGroupCodeType(rb.restype) == kRbString && rb.resval.rstring) {
            delete[] rb.resval.rstring;
            rb.resval.rstring = nullptr;
        }
        if (!mine) {
            f->pushBackItem();
            break;
        }
    }
    return f->filerStatus();
}
