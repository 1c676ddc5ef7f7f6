#include "core/erase_helpers.h"

#include "core/space_helpers.h"
#include "ge/ge.h"

namespace {

// Unlocks a layer while it lives and gives it its lock back.
class Layer_Unlock {
public:
    explicit Layer_Unlock(ZcDbObjectId layer_id) : m_Layer(layer_id)
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(m_Layer, ZcDb::kForWrite);
        if (layer.openStatus() != Zcad::eOk)
            return;
        m_Was_Locked = layer->isLocked();
        if (m_Was_Locked)
            layer->setIsLocked(false);
    }
    ~Layer_Unlock()
    {
        if (!m_Was_Locked)
            return;
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(m_Layer, ZcDb::kForWrite);
        if (layer.openStatus() == Zcad::eOk)
            layer->setIsLocked(true);
    }
    Layer_Unlock(const Layer_Unlock&) = delete;
    Layer_Unlock& operator=(const Layer_Unlock&) = delete;

private:
    ZcDbObjectId m_Layer;
    bool m_Was_Locked = false;
};

}  // namespace

bool Erase_Entity_Simple(ZcDbObjectId entity_id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForWrite);
    return entity.openStatus() == Zcad::eOk && entity->erase() == Zcad::eOk;
}

bool Erase_Entity(ZcDbObjectId entity_id)
{
    ZcDbObjectId layer_id;
    Get_Entity_Layer(layer_id, entity_id);
    Layer_Unlock unlock(layer_id);
    return Erase_Entity_Simple(entity_id);
}

bool Erase_Entities(ZcDbObjectIdArray& ids)
{
    bool all = true;
    if (!ids.isEmpty()) {
        ZcDbObjectId layer_id;
        Get_Entity_Layer(layer_id, ids[0]);
        Layer_Unlock unlock(layer_id);
        for (int i = 0; i < ids.length(); ++i) {
            ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForWrite);
            if (entity.openStatus() != Zcad::eOk)
                all = false;
            else
                entity->erase();
        }
    }
    ids.removeAll();
    return all;
}

void Erase_Ids(ZcDbObjectIdArray& ids)
{
    for (int i = 0; i < ids.length(); ++i)
        Erase_Entity_Simple(ids[i]);
    ids.removeAll();
}

void Transform_Entities(ZcDbObjectIdArray& ids, const ZcGeMatrix3d& matrix)
{
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForWrite);
        if (entity.openStatus() == Zcad::eOk)
            entity->transformBy(matrix);
    }
    ids.removeAll();
}

void Rotate_Entities(ZcDbObjectIdArray& ids, double angle, const ZcGePoint3d& base)
{
    ZcDbObjectIdArray copy = ids;
    Transform_Entities(copy, ZcGeMatrix3d::rotation(angle, ZcGeVector3d::kZAxis, base));
    ids.removeAll();
}

void Rotate_Entity(ZcDbObjectId entity_id, double angle, const ZcGePoint3d& base)
{
    ZcDbObjectIdArray ids;
    ids.append(entity_id);
    Rotate_Entities(ids, angle, base);
}

void Delete_Entity_Ptrs(ZcDbVoidPtrArray& entities)
{
    for (int i = 0; i < entities.length(); ++i) {
        delete static_cast<ZcDbEntity*>(entities[i]);
        entities[i] = nullptr;
    }
    entities.removeAll();
}
