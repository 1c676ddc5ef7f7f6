#include "core/layer_helpers.h"

#include "core/name_lookups.h"
#include "db/dbsymtb.h"
#include "db/linetype_file.h"

void Find_Or_Add_Layer(ZcDbObjectId& id, const wchar_t* name, int& existed)
{
    id = ZcDbObjectId();
    existed = 0;
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbLayerTable* table = nullptr;
    if (db == nullptr || name == nullptr || db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    if (table->getAt(name, id) == Zcad::eOk) {
        existed = 1;
        table->close();
        return;
    }
    if (table->upgradeOpen() == Zcad::eOk) {
        auto* layer = new ZcDbLayerTableRecord();
        layer->setName(name);
        if (table->add(id, layer) == Zcad::eOk) {
            layer->close();
        } else {
            id = ZcDbObjectId();
            delete layer;
        }
    }
    table->close();
}

void Ensure_Layer(ZcDbObjectId& id, const wchar_t* name)
{
    int existed = 0;
    Find_Or_Add_Layer(id, name, existed);
}

void Ensure_Layer_Color(ZcDbObjectId& id, const wchar_t* name, int color_index)
{
    Ensure_Layer(id, name);
    Set_Layer_Color(id, color_index);
}

void Set_Layer_Color(ZcDbObjectId layer_id, int color_index)
{
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForWrite);
    if (layer.openStatus() != Zcad::eOk)
        return;
    ZcCmColor color;
    color.setColorIndex(static_cast<int16_t>(color_index));
    layer->setColor(color);
}

void Set_Layer_Linetype(ZcDbObjectId layer_id, const wchar_t* linetype_name)
{
    ZcDbObjectId linetype_id;
    Get_Linetype_Id(linetype_id, linetype_name);
    if (linetype_id.isNull()) {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        for (const wchar_t* file : {L"acad.lin", L"acadiso.lin"}) {
            zcdbLoadLineTypeFile(db, linetype_name, file);
            Get_Linetype_Id(linetype_id, linetype_name);
            if (!linetype_id.isNull())
                break;
        }
    }
    if (linetype_id.isNull())
        return;
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForWrite);
    if (layer.openStatus() == Zcad::eOk)
        layer->setLinetypeObjectId(linetype_id);
}

void Set_Layer_Lineweight(ZcDbObjectId layer_id, int lineweight)
{
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForWrite);
    if (layer.openStatus() == Zcad::eOk)
        layer->setLineWeight(static_cast<ZcDb::LineWeight>(lineweight));
}

bool Get_Layer_State(ZcDbObjectId layer_id, int kind)
{
    if (kind < Layer_Off || kind > Layer_Locked)
        return true;
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForRead);
    if (layer.openStatus() != Zcad::eOk)
        return false;
    switch (kind) {
    case Layer_Off:
        return layer->isOff();
    case Layer_Frozen:
        return layer->isFrozen();
    default:
        return layer->isLocked();
    }
}

Zcad::ErrorStatus Set_Layer_State(ZcDbObjectId layer_id, int kind, bool value)
{
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForWrite);
    if (layer.openStatus() != Zcad::eOk)
        return layer.openStatus();
    switch (kind) {
    case Layer_Off:
        layer->setIsOff(value);
        break;
    case Layer_Frozen:
        layer->setIsFrozen(value);
        break;
    case Layer_Locked:
        layer->setIsLocked(value);
        break;
    case Layer_Plottable:
        layer->setIsPlottable(value);
        break;
    default:
        break;
    }
    return Zcad::eOk;
}
