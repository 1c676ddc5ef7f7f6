#include "titleblock/tk_block_walk.h"

#include "core/hidden_layers.h"
#include "core/host_adapter.h"
#include "db/dbblkref.h"
#include "db/dbsymtb.h"

namespace {

bool Layer_Listed(const ZcDbObjectIdArray& layers, ZcDbObjectId layer_id)
{
    for (int i = 0; i < layers.length(); ++i)
        if (layers[i] == layer_id)
            return true;
    return false;
}

}  // namespace

void Walk_Shown_Definition(const ZcDbBlockReference* reference, const std::function<void(const ZcDbEntity*)>& visit)
{
    Block_Walk_Guard guard(reference->blockTableRecord());
    if (guard.refused())
        return;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(reference->blockTableRecord(), ZcDb::kForRead);
    ZcDbBlockTableRecordIterator* it = nullptr;
    if (block.openStatus() != Zcad::eOk || block->newIterator(it) != Zcad::eOk)
        return;
    for (it->start(); !it->done(); it->step()) {
        ZcDbEntity* entity = nullptr;
        if (it->getEntity(entity, ZcDb::kForRead) != Zcad::eOk)
            continue;
        const bool is_reference = entity->isKindOf(ZcDbBlockReference::desc());
        const bool hidden = entity->visibility() == ZcDb::kInvisible ||
                            Layer_Listed(g_Hidden_Layers.Frozen_Layers, entity->layerId()) ||
                            (!is_reference && Layer_Listed(g_Hidden_Layers.Off_Layers, entity->layerId()));
        if (!hidden)
            visit(entity);
        entity->close();
    }
    delete it;
}

void Transform_Points(ZcGePoint2dArray& points, const ZcGeMatrix3d& matrix)
{
    for (int i = 0; i < points.length(); ++i) {
        ZcGePoint3d point(points[i].x, points[i].y, 0.0);
        point.transformBy(matrix);
        points[i].set(point.x, point.y);
    }
}
