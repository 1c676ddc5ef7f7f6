#include "tools/true_colors.h"

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/layer_helpers.h"
#include "core/selection_helpers.h"
#include "db/dbblkref.h"
#include "db/dbmtext.h"
#include "db/dbsymtb.h"

namespace {

void Append_Color_Target(ZcDbObjectIdArray& list, ZcDbObjectId id)
{
    if (!list.contains(id))
        list.append(id);
}

// Gives the entity the index colour the host reports for it, strips the colour codes of
// an MText, and notes the layer of a ByLayer entity.
void Convert_Entity_Color(ZcDbEntity* entity, ZcDbObjectIdArray& layers)
{
    const uint16_t index = entity->colorIndex();
    entity->setColorIndex(index, true);
    if (ZcDbMText* mtext = ZcDbMText::cast(entity))
        Strip_MText_True_Colors(mtext);
    if (index == kZcCmByLayer)
        Append_Color_Target(layers, entity->layerId());
}

void Convert_Layer_Color(ZcDbObjectId layer_id)
{
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForWrite);
    if (layer.openStatus() != Zcad::eOk)
        return;
    ZcCmColor color;
    color.setColorIndex(layer->color().colorIndex());
    layer->setColor(color);
}

}  // namespace

void Locked_Layer_List::Unlock_All()
{
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
            if (ZcDbLayerTableRecord* layer = ZcDbLayerTableRecord::cast(record); layer && layer->isLocked())
                m_Layers.append(layer->objectId());
            record->close();
        }
        delete it;
    }
    table->close();
    for (int i = 0; i < m_Layers.length(); ++i)
        Set_Layer_State(m_Layers[i], Layer_Locked, false);
}

void Locked_Layer_List::Relock_All()
{
    for (int i = 0; i < m_Layers.length(); ++i)
        Set_Layer_State(m_Layers[i], Layer_Locked, true);
    m_Layers.removeAll();
}

void Convert_True_Colors()
{
    Command_Scope scope;
    Locked_Layer_List locked;
    locked.Unlock_All();
    for (int pass = 0; Convert_Selection_Colors(pass) == 1; ++pass) {
    }
    locked.Relock_All();
}

int Convert_Selection_Colors(int pass)
{
    ZcDbObjectIdArray ids;
    int result = Selection_None;
    if (pass == 0)
        result = Select_Or_Whole_Drawing(L"\n选择图形：< 回车全选 >", ids);
    else if (Select_With_Prompt(L"\n选择图形：", ids, false, false))
        result = Selection_By_User;
    if (result == Selection_None || ids.isEmpty())
        return 0;

    ZcDbObjectIdArray blocks;
    ZcDbObjectIdArray layers;
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbEntity* entity = nullptr;
        if (zcdbOpenObject(entity, ids[i], ZcDb::kForWrite) != Zcad::eOk)
            continue;
        Convert_Entity_Color(entity, layers);
        if (ZcDbBlockReference* ref = ZcDbBlockReference::cast(entity))
            Append_Color_Target(blocks, ref->blockTableRecord());
        entity->close();
    }
    for (int i = 0; i < blocks.length(); ++i)
        Convert_Block_Colors(blocks[i], layers);
    for (int i = 0; i < layers.length(); ++i)
        Convert_Layer_Color(layers[i]);
    return result;
}

void Convert_Block_Colors(ZcDbObjectId block_id, ZcDbObjectIdArray& layers)
{
    // A definition that is open already (one that holds itself in a damaged drawing)
    // does not open again, which ends the walk.
    ZcDbBlockTableRecord* block = nullptr;
    if (zcdbOpenObject(block, block_id, ZcDb::kForWrite) != Zcad::eOk)
        return;
    ZcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) == Zcad::eOk) {
        for (it->start(); !it->done(); it->step()) {
            ZcDbEntity* entity = nullptr;
            if (it->getEntity(entity, ZcDb::kForWrite) != Zcad::eOk)
                continue;
            Convert_Entity_Color(entity, layers);
            ZcDbObjectId nested;
            if (ZcDbBlockReference* ref = ZcDbBlockReference::cast(entity))
                nested = ref->blockTableRecord();
            entity->close();
            if (!nested.isNull())
                Convert_Block_Colors(nested, layers);
        }
        delete it;
    }
    block->close();
}

void Strip_MText_True_Colors(ZcDbMText* mtext)
{
    std::wstring contents = mtext->contentsConst();
    if (Strip_True_Color_Codes(contents))
        mtext->setContents(contents.c_str());
}

bool Strip_True_Color_Codes(std::wstring& contents)
{
    bool removed = false;
    for (size_t at = contents.find(L"\\c"); at != std::wstring::npos; at = contents.find(L"\\c")) {
        const size_t end = contents.find(L';', at);
        if (end == std::wstring::npos)
            break;
        contents.erase(at, end - at + 1);
        removed = true;
    }
    return removed;
}
