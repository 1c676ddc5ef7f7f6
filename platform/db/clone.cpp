// Copying objects within and between databases: deep clone, wblock and insert.
#include <functional>

#include "db/copy_filer.h"
#include "db/db_internal.h"
#include "db/dbblkref.h"
#include "db/dbpoly.h"
#include "db/dbsymtb.h"
#include "db/idmap.h"

using platform::Peek;
using platform::Peek_Object;

namespace {

// Copies objects of one database into another (or the same), translating the ids they hold.
class Cloner {
public:
    Cloner(ZcDbDatabase* src, ZcDbDatabase* dst, ZcDbIdMapping& map) : mSrc(src), mDst(dst), mMap(map)
    {
        mMap.setOrigDb(src);
        mMap.setDestDb(dst);
    }

    // The destination id for a source id: records are matched by name or copied; other
    // objects not cloned map to null.
    ZcDbObjectId translate(ZcDbObjectId id)
    {
        if (id.isNull()) return id;
        ZcDbDatabase* db = id.database();
        if (db != mSrc) return db == mDst ? id : ZcDbObjectId();
        ZcDbIdPair pair(id, ZcDbObjectId(), false);
        if (mMap.compute(pair)) return pair.value();
        if (mSrc == mDst) return id;
        if (auto* rec = Peek<ZcDbSymbolTableRecord>(id)) return translateRecord(rec);
        return ZcDbObjectId();
    }

    // A copy of src (same class) with translated ids, not in a database.
    ZcDbObject* copyOf(const ZcDbObject* src)
    {
        ZcRxObject* made = src->isA() ? src->isA()->create() : nullptr;
        auto* copy = ZcDbObject::cast(made);
        if (copy == nullptr) {
            delete made;
            return nullptr;
        }
        ZcDbCopyFiler filer(mSrc == mDst ? ZcDb::kDeepCloneFiler : ZcDb::kWblockCloneFiler, mDst);
        src->dwgOutFields(&filer);
        filer.rewind();
        filer.setIdTranslation([this](const ZcDbObjectId& id) { return translate(id); });
        copy->dwgInFields(&filer);
        registerApps(copy);
        return copy;
    }

    // Copies an entity (with its attributes or vertices) to the end of the block record.
    ZcDbObjectId cloneEntity(const ZcDbEntity* src, ZcDbBlockTableRecord* owner, bool primary)
    {
        auto* copy = ZcDbEntity::cast(copyOf(src));
        if (copy == nullptr) return ZcDbObjectId();
        ZcDbObjectId newId;
        platform::Internal_Write_Scope scope(owner);
        if (owner->appendZcDbEntity(newId, copy) != Zcad::eOk) {
            delete copy;
            return ZcDbObjectId();
        }
        if (copy->layerId().isNull()) copy->setLayer(mDst->clayer(), false);
        mMap.assign(ZcDbIdPair(src->objectId(), newId, true, primary));
        if (auto* ref = ZcDbBlockReference::cast(src)) {
            auto* refCopy = ZcDbBlockReference::cast(copy);
            for (ZcDbAttribute* a : ref->attributes()) {
                auto* ac = ZcDbAttribute::cast(copyOf(a));
                ZcDbObjectId aid;
                if (ac && refCopy->appendAttribute(aid, ac) == Zcad::eOk) {
                    mMap.assign(ZcDbIdPair(a->objectId(), aid, true));
                    ac->close();
                } else {
                    delete ac;
                }
            }
        }
        cloneVertices<ZcDb2dPolyline, ZcDb2dVertex>(src, copy);
        cloneVertices<ZcDb3dPolyline, ZcDb3dPolylineVertex>(src, copy);
        copy->close();
        return newId;
    }

private:
    template <class Poly, class Vertex>
    void cloneVertices(const ZcDbEntity* src, ZcDbEntity* copy)
    {
        auto* poly = Poly::cast(src);
        auto* polyCopy = Poly::cast(copy);
        if (!poly || !polyCopy) return;
        std::unique_ptr<ZcDbObjectIterator> it(poly->vertexIterator());
        for (; !it->done(); it->step()) {
            auto* v = Vertex::cast(it->entity());
            auto* vc = v ? Vertex::cast(copyOf(v)) : nullptr;
            ZcDbObjectId vid;
            if (vc && polyCopy->appendVertex(vid, vc) == Zcad::eOk) vc->close();
            else delete vc;
        }
    }

    void registerApps(ZcDbObject* copy)
    {
        resbuf* xd = copy->xData();
        auto* apps = Peek<ZcDbRegAppTable>(mDst->regAppTableId());
        for (resbuf* rb = xd; rb && apps; rb = rb->rbnext) {
            if (rb->restype != 1001 || !rb->resval.rstring || apps->has(rb->resval.rstring)) continue;
            auto* rec = new ZcDbRegAppTableRecord();
            rec->setName(rb->resval.rstring);
            platform::Internal_Write_Scope scope(apps);
            if (apps->add(rec) == Zcad::eOk) rec->close();
            else delete rec;
        }
        if (xd) zcutRelRb(xd);
    }

    ZcDbObjectId tableIn(ZcDbDatabase* db, const ZcDbSymbolTableRecord* rec)
    {
        if (ZcDbBlockTableRecord::cast(rec)) return db->blockTableId();
        if (ZcDbLayerTableRecord::cast(rec)) return db->layerTableId();
        if (ZcDbTextStyleTableRecord::cast(rec)) return db->textStyleTableId();
        if (ZcDbLinetypeTableRecord::cast(rec)) return db->linetypeTableId();
        if (ZcDbViewportTableRecord::cast(rec)) return db->viewportTableId();
        if (ZcDbRegAppTableRecord::cast(rec)) return db->regAppTableId();
        if (ZcDbDimStyleTableRecord::cast(rec)) return db->dimStyleTableId();
        return ZcDbObjectId();
    }

    ZcDbObjectId translateRecord(const ZcDbSymbolTableRecord* rec)
    {
        auto* table = Peek<ZcDbSymbolTable>(tableIn(mDst, rec));
        if (table == nullptr) return ZcDbObjectId();
        auto* block = ZcDbBlockTableRecord::cast(rec);
        ZcDbObjectId existing;
        bool anonymous = block && block->isAnonymous();
        if (!anonymous && table->getAt(rec->name(), existing) == Zcad::eOk) {
            mMap.assign(ZcDbIdPair(rec->objectId(), existing, false));
            return existing;
        }
        if (block) return cloneBlock(block, table);
        auto* copy = ZcDbSymbolTableRecord::cast(copyOf(rec));
        ZcDbObjectId newId;
        platform::Internal_Write_Scope scope(table);
        if (copy == nullptr || table->add(newId, copy) != Zcad::eOk) {
            delete copy;
            return ZcDbObjectId();
        }
        copy->close();
        mMap.assign(ZcDbIdPair(rec->objectId(), newId, true));
        return newId;
    }

    ZcDbObjectId cloneBlock(const ZcDbBlockTableRecord* block, ZcDbSymbolTable* table)
    {
        auto* copy = new ZcDbBlockTableRecord();
        std::wstring name = block->name();
        if (block->isAnonymous()) {
            std::wstring prefix = name.substr(0, 2);
            for (int i = 1;; ++i) {
                name = prefix + std::to_wstring(i);
                if (!table->has(name.c_str())) break;
            }
        }
        copy->setName(name.c_str());
        copy->setOrigin(block->origin());
        const wchar_t* comments = nullptr;
        block->comments(comments);
        copy->setComments(comments);
        copy->setBlockInsertUnits(block->blockInsertUnits());
        copy->setExplodable(block->explodable());
        ZcDbObjectId newId;
        {
            platform::Internal_Write_Scope scope(table);
            if (table->add(newId, copy) != Zcad::eOk) {
                delete copy;
                return ZcDbObjectId();
            }
        }
        copy->close();
        mMap.assign(ZcDbIdPair(block->objectId(), newId, true));
        for (ZcDbObjectId id : block->entityIds()) {
            auto* ent = Peek<ZcDbEntity>(id);
            if (ent && !id.isErased()) cloneEntity(ent, copy, false);
        }
        return newId;
    }

    ZcDbDatabase* mSrc;
    ZcDbDatabase* mDst;
    ZcDbIdMapping& mMap;
};

Zcad::ErrorStatus Clone_Entities(ZcDbDatabase* src, const std::vector<ZcDbObjectId>& ids, ZcDbObjectId ownerId,
                                 ZcDbIdMapping& map)
{
    auto* owner = Peek<ZcDbBlockTableRecord>(ownerId);
    if (owner == nullptr) return Zcad::eInvalidInput;
    Cloner cloner(src, owner->database(), map);
    for (ZcDbObjectId id : ids) {
        if (id.database() != src) return Zcad::eWrongDatabase;
        auto* ent = Peek<ZcDbEntity>(id);
        if (ent == nullptr || id.isErased()) continue;
        cloner.cloneEntity(ent, owner, true);
    }
    return Zcad::eOk;
}

std::vector<ZcDbObjectId> To_Vector(const ZcDbObjectIdArray& ids)
{
    std::vector<ZcDbObjectId> v;
    for (int i = 0; i < ids.length(); ++i) v.push_back(ids[i]);
    return v;
}

}  // namespace

Zcad::ErrorStatus ZcDbDatabase::deepCloneObjects(const ZcDbObjectIdArray& objectIds, const ZcDbObjectId& owner,
                                                 ZcDbIdMapping& idMap, bool)
{
    if (owner.database() != this) return Zcad::eWrongDatabase;
    return Clone_Entities(this, To_Vector(objectIds), owner, idMap);
}

Zcad::ErrorStatus ZcDbDatabase::wblockCloneObjects(const ZcDbObjectIdArray& objectIds, const ZcDbObjectId& owner,
                                                   ZcDbIdMapping& idMap, ZcDb::DuplicateRecordCloning drc, bool)
{
    if (owner.database() == nullptr) return Zcad::eNoDatabase;
    idMap.setDuplicateRecordCloning(drc);
    return Clone_Entities(this, To_Vector(objectIds), owner, idMap);
}

Zcad::ErrorStatus ZcDbDatabase::wblock(ZcDbDatabase*& pOutputDb, const ZcDbObjectIdArray& outObjIds,
                                       const ZcGePoint3d& basePoint)
{
    pOutputDb = nullptr;
    for (int i = 0; i < outObjIds.length(); ++i)
        if (outObjIds[i].database() != this) return Zcad::eWrongDatabase;
    auto* out = new ZcDbDatabase(true, true);
    ZcDbIdMapping map;
    Zcad::ErrorStatus es = Clone_Entities(this, To_Vector(outObjIds), out->modelSpaceId(), map);
    if (es != Zcad::eOk) {
        delete out;
        return es;
    }
    out->setInsbase(basePoint);
    out->setInsunits(insunits());
    pOutputDb = out;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::wblock(ZcDbDatabase*& pOutputDb, ZcDbObjectId blockId)
{
    pOutputDb = nullptr;
    auto* block = Peek<ZcDbBlockTableRecord>(blockId);
    if (block == nullptr || blockId.database() != this) return Zcad::eInvalidInput;
    auto* out = new ZcDbDatabase(true, true);
    ZcDbIdMapping map;
    Zcad::ErrorStatus es = Clone_Entities(this, block->entityIds(), out->modelSpaceId(), map);
    if (es != Zcad::eOk) {
        delete out;
        return es;
    }
    out->setInsbase(block->origin());
    out->setInsunits(insunits());
    pOutputDb = out;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::wblock(ZcDbDatabase*& pOutputDb) { return wblock(pOutputDb, modelSpaceId()); }

Zcad::ErrorStatus ZcDbDatabase::insert(ZcDbObjectId& blockId, const wchar_t* pBlockName, ZcDbDatabase* pDb, bool)
{
    blockId.setNull();
    if (pDb == nullptr || pDb == this) return Zcad::eInvalidInput;
    if (!ZcDbSymbolTableRecord::isValidName(pBlockName, false)) return Zcad::eInvalidInput;
    auto* table = Peek<ZcDbBlockTable>(blockTableId());
    auto* srcModel = Peek<ZcDbBlockTableRecord>(pDb->modelSpaceId());
    if (table == nullptr || srcModel == nullptr) return Zcad::eNoDatabase;
    if (table->has(pBlockName)) return Zcad::eDuplicateRecordName;
    auto* block = new ZcDbBlockTableRecord();
    block->setName(pBlockName);
    block->setOrigin(pDb->insbase());
    block->setBlockInsertUnits(pDb->insunits());
    ZcDbObjectId newId;
    {
        platform::Internal_Write_Scope scope(table);
        if (table->add(newId, block) != Zcad::eOk) {
            delete block;
            return Zcad::eInvalidInput;
        }
    }
    block->close();
    ZcDbIdMapping map;
    Zcad::ErrorStatus es = Clone_Entities(pDb, srcModel->entityIds(), newId, map);
    if (es != Zcad::eOk) return es;
    blockId = newId;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDatabase::insert(const ZcGeMatrix3d& xform, ZcDbDatabase* pDb, bool)
{
    if (pDb == nullptr || pDb == this) return Zcad::eInvalidInput;
    auto* srcModel = Peek<ZcDbBlockTableRecord>(pDb->modelSpaceId());
    if (srcModel == nullptr) return Zcad::eNoDatabase;
    ZcDbIdMapping map;
    Zcad::ErrorStatus es = Clone_Entities(pDb, srcModel->entityIds(), modelSpaceId(), map);
    if (es != Zcad::eOk) return es;
    for (const auto& [key, pair] : map.pairs()) {
        if (!pair.isPrimary()) continue;
        ZcDbEntity* ent = nullptr;
        if (zcdbOpenObject(ent, pair.value(), ZcDb::kForWrite, false, true) == Zcad::eOk) {
            ent->transformBy(xform);
            ent->close();
        }
    }
    return Zcad::eOk;
}
