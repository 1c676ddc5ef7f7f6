#include "core/hidden_layers.h"

#include "db/dbsymtb.h"

Cad_Helper g_Hidden_Layers;

void Cad_Helper::Collect_Hidden_Layers()
{
    Frozen_Layers.removeAll();
    Off_Layers.removeAll();
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbLayerTable* table = nullptr;
    if (db == nullptr || db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    ZcDbSymbolTableIterator* it = nullptr;
    if (table->newIterator(it) == Zcad::eOk) {
        for (it->start(); !it->done(); it->step()) {
            ZcDbSymbolTableRecord* record = nullptr;
            if (it->getRecord(record, ZcDb::kForRead) != Zcad::eOk)
                continue;
            ZcDbLayerTableRecord* layer = ZcDbLayerTableRecord::cast(record);
            if (layer == nullptr) {
                record->close();
                continue;
            }
            if (layer->isFrozen())
                Frozen_Layers.append(layer->objectId());
            if (layer->isOff())
                Off_Layers.append(layer->objectId());
            layer->close();
        }
        delete it;
    }
    table->close();
}

bool Is_Entity_Shown(const ZcDbEntity* entity)
{
    if (entity == nullptr || entity->visibility() == ZcDb::kInvisible)
        return false;
    const ZcDbObjectId layer = entity->layerId();
    return !g_Hidden_Layers.Frozen_Layers.contains(layer) && !g_Hidden_Layers.Off_Layers.contains(layer);
}
