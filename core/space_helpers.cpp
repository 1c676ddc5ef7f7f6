#include "core/space_helpers.h"

#include "core/sysvar_helpers.h"
#include "db/dblayout.h"
#include "ed/docman.h"
#include "ed/editor.h"

namespace {

ZcDbBlockTableRecord* Open_Space(ZcDbDatabase* db, const wchar_t* name, bool for_write)
{
    ZcDbBlockTable* table = nullptr;
    if (db == nullptr || db->getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
        return nullptr;
    ZcDbBlockTableRecord* record = nullptr;
    if (table->getAt(name, record, for_write ? ZcDb::kForWrite : ZcDb::kForRead) != Zcad::eOk)
        record = nullptr;
    table->close();
    return record;
}

// The object of the id when it is a block table record (closed again otherwise).
ZcDbBlockTableRecord* Open_Block_Record(ZcDbObjectId id, ZcDb::OpenMode mode)
{
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, id, mode) != Zcad::eOk)
        return nullptr;
    ZcDbBlockTableRecord* record = ZcDbBlockTableRecord::cast(object);
    if (record == nullptr)
        object->close();
    return record;
}

}  // namespace

void Append_Entity(ZcDbObjectId& id, ZcDbEntity* entity, uint32_t color_index, bool close,
                   ZcDbObjectId layer_id, ZcDbObjectId block_id)
{
    id = ZcDbObjectId();
    if (entity == nullptr)
        return;
    ZcDbBlockTableRecord* record =
        block_id.isNull() ? Get_Current_Space_Record(zcdbHostApplicationServices()->workingDatabase(), true)
                          : Open_Block_Record(block_id, ZcDb::kForWrite);
    if (record == nullptr)
        return;
    if (color_index <= 256)
        entity->setColorIndex(static_cast<uint16_t>(color_index), true);
    if (!layer_id.isNull())
        entity->setLayer(layer_id, true);
    // The host gives an entity without a layer the drawing's defaults when it is
    // appended; the colour chosen here (or the entity's own) stays.
    const ZcCmColor color = entity->color();
    ZcDbObjectId appended;
    if (record->appendZcDbEntity(appended, entity) == Zcad::eOk) {
        id = appended;
        if (entity->color() != color)
            entity->setColor(color, true);
        if (close)
            entity->close();
    }
    record->close();
}

bool Is_Paper_Space()
{
    int16_t cvport = 0;
    return Get_Var_Int(L"CVPORT", cvport) && cvport == 1;
}

ZcDbBlockTableRecord* Get_Current_Space_Record(ZcDbDatabase* db, bool for_write)
{
    return Is_Paper_Space() ? Get_Paper_Space_Record(db, for_write) : Get_Model_Space_Record(db, for_write);
}

ZcDbBlockTableRecord* Get_Model_Space_Record(ZcDbDatabase* db, bool for_write)
{
    return Open_Space(db, L"*Model_Space", for_write);
}

ZcDbBlockTableRecord* Get_Paper_Space_Record(ZcDbDatabase* db, bool for_write)
{
    return Open_Space(db, L"*Paper_Space", for_write);
}

void Collect_Space_Entity_Ids(ZcDbObjectIdArray& ids, ZcDbObjectId block_id, bool use_current)
{
    if (block_id.isNull() && !use_current)
        return;
    ZcDbBlockTableRecord* record =
        block_id.isNull() ? Get_Current_Space_Record(zcdbHostApplicationServices()->workingDatabase(), false)
                          : Open_Block_Record(block_id, ZcDb::kForRead);
    if (record == nullptr)
        return;
    for (const ZcDbObjectId& id : record->entityIds())
        if (!id.isErased())
            ids.append(id);
    record->close();
}

void Activate_Layout_Of_Block(ZcDbObjectId block_id)
{
    if (block_id.isNull())
        return;
    ZcDbObjectPointer<ZcDbBlockTableRecord> record(block_id, ZcDb::kForRead);
    if (record.openStatus() != Zcad::eOk)
        return;
    ZcDbObjectId layout_id = record->getLayoutId();
    record.close();
    ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForRead);
    if (layout.openStatus() != Zcad::eOk)
        return;
    std::wstring name;
    layout->getName(name);
    ZcDbDatabase* db = layout->database();
    layout.close();
    zcdbHostApplicationServices()->layoutManager()->setCurrentLayout(name.c_str(), db);
}

void Get_Entity_Layer(ZcDbObjectId& layer_id, ZcDbObjectId entity_id)
{
    layer_id = ZcDbObjectId();
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForRead, false, true);
    if (entity.openStatus() == Zcad::eOk)
        layer_id = entity->layerId();
}

void Set_Undo_Recording(ZcDbObjectId entity_id, bool on)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForWrite);
    if (entity.openStatus() == Zcad::eOk)
        entity->disableUndoRecording(!on);
}

void Update_Screen() { zcedUpdateDisplay(); }
