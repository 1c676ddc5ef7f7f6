// A small drawing for the database tests.
#pragma once
#include <memory>

#include "db/dbents.h"
#include "db/dbsymtb.h"

class Test_Drawing {
public:
    Test_Drawing() : db(std::make_unique<ZcDbDatabase>()) {}

    // Appends an entity to model space (or the given block) and closes it.
    ZcDbObjectId add(ZcDbEntity* ent, ZcDbObjectId blockId = ZcDbObjectId::kNull)
    {
        ZcDbBlockTableRecord* btr = nullptr;
        if (zcdbOpenObject(btr, blockId.isNull() ? db->modelSpaceId() : blockId, ZcDb::kForWrite) != Zcad::eOk)
            return ZcDbObjectId();
        ZcDbObjectId id;
        if (btr->appendZcDbEntity(id, ent) == Zcad::eOk) ent->close();
        btr->close();
        return id;
    }

    ZcDbObjectId addLine(const ZcGePoint3d& a, const ZcGePoint3d& b, ZcDbObjectId layer = ZcDbObjectId::kNull)
    {
        auto* line = new ZcDbLine(a, b);
        if (!layer.isNull()) line->setLayer(layer);
        return add(line);
    }

    ZcDbObjectId addLayer(const wchar_t* name)
    {
        ZcDbLayerTable* table = nullptr;
        if (db->getLayerTable(table, ZcDb::kForWrite) != Zcad::eOk) return ZcDbObjectId();
        auto* rec = new ZcDbLayerTableRecord();
        rec->setName(name);
        ZcDbObjectId id;
        if (table->add(id, rec) == Zcad::eOk) rec->close();
        else delete rec;
        table->close();
        return id;
    }

    // A new block definition of that name (closed).
    ZcDbObjectId addBlock(const wchar_t* name, const ZcGePoint3d& origin = ZcGePoint3d::kOrigin)
    {
        ZcDbBlockTable* table = nullptr;
        if (db->getBlockTable(table, ZcDb::kForWrite) != Zcad::eOk) return ZcDbObjectId();
        auto* rec = new ZcDbBlockTableRecord();
        rec->setName(name);
        rec->setOrigin(origin);
        ZcDbObjectId id;
        if (table->add(id, rec) == Zcad::eOk) rec->close();
        else delete rec;
        table->close();
        return id;
    }

    std::unique_ptr<ZcDbDatabase> db;
};

// Extents comparison with a tolerance.
inline bool Near_Extents(const ZcDbExtents& e, const ZcGePoint3d& lo, const ZcGePoint3d& hi, double tol = 1e-6)
{
    auto near = [&](const ZcGePoint3d& a, const ZcGePoint3d& b) {
        return std::abs(a.x - b.x) <= tol && std::abs(a.y - b.y) <= tol && std::abs(a.z - b.z) <= tol;
    };
    return near(e.minPoint(), lo) && near(e.maxPoint(), hi);
}
