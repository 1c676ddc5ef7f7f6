#include "plot/dwg_viewports.h"

#include <memory>

#include "core/space_helpers.h"
#include "db/dbblkref.h"
#include "db/dbviewport.h"
#include "sheets/wblock_to_file.h"

void Collect_Viewport_Infor(ZcDbObjectIdArray& ids, ViewPort_Infor_Array& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list[i];
    list.RemoveAll();
    ZcDbObjectIdArray taken;
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbViewport> viewport(ids[i], ZcDb::kForRead);
        if (viewport.openStatus() != Zcad::eOk)
            continue;
        auto* infor = new ViewPort_Infor();
        infor->Viewport_Id = ids[i];
        infor->Clip_Id = viewport->nonRectClipEntityId();
        ZcDbObjectIdArray frozen;
        viewport->getFrozenLayerList(frozen);
        for (int j = 0; j < frozen.length(); ++j) {
            ZcDbObjectPointer<ZcDbLayerTableRecord> layer(frozen[j], ZcDb::kForRead);
            const wchar_t* name = nullptr;
            if (layer.openStatus() == Zcad::eOk && layer->getName(name) == Zcad::eOk && name != nullptr)
                infor->Frozen_Layers.Add(CString(name));
        }
        list.Add(infor);
        taken.append(infor->Viewport_Id);
        if (!infor->Clip_Id.isNull())
            taken.append(infor->Clip_Id);
    }
    for (int i = ids.length() - 1; i >= 0; --i)
        if (taken.contains(ids[i]))
            ids.removeAt(i);
}

bool Copy_Model_Space_As_Block(ZcDbDatabase* target)
{
    ZcDbDatabase* source = zcdbHostApplicationServices()->workingDatabase();
    ZcDbObjectIdArray ids;
    Collect_Space_Entity_Ids(ids, source->modelSpaceId(), false);
    ZcDbDatabase* written = nullptr;
    if (source->wblock(written, ids, ZcGePoint3d(0.0, 0.0, 0.0)) != Zcad::eOk || written == nullptr)
        return false;
    const ZcDbObjectId block_id = Insert_Drawing_As_Block(target, written, L"temp_block");
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(target->modelSpaceId(), ZcDb::kForWrite);
    if (model.openStatus() == Zcad::eOk)
        Append_Block_Reference(model.object(), block_id, false);
    return true;
}

ZcDbObjectId Find_Layer_By_Name(ZcDbDatabase* db, const CString& name)
{
    ZcDbLayerTable* table = nullptr;
    if (db == nullptr || db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return ZcDbObjectId();
    ZcDbObjectId found;
    ZcDbSymbolTableIterator* it = nullptr;
    if (table->newIterator(it) == Zcad::eOk) {
        for (; !it->done() && found.isNull(); it->step()) {
            ZcDbObjectId id;
            it->getRecordId(id);
            ZcDbObjectPointer<ZcDbLayerTableRecord> layer(id, ZcDb::kForRead);
            const wchar_t* layer_name = nullptr;
            if (layer.openStatus() == Zcad::eOk && layer->getName(layer_name) == Zcad::eOk && layer_name &&
                name.CompareNoCase(layer_name) == 0)
                found = id;
        }
        delete it;
    }
    table->close();
    return found;
}

namespace {

// The pieces of the rebuilt viewport's block: the clip boundary appended first, then each
// viewport clipped by it and frozen as before.
void Append_Viewport_Pieces(ZcDbDatabase* target, ZcDbBlockTableRecord* record, const ViewPort_Infor& infor,
                            ZcDbVoidPtrArray& pieces)
{
    ZcDbObjectId clip_id;
    for (int i = 0; i < pieces.length(); ++i) {
        auto* piece = static_cast<ZcDbEntity*>(pieces[i]);
        if (ZcDbViewport::cast(piece))
            continue;
        if (record->appendZcDbEntity(clip_id, piece) == Zcad::eOk)
            piece->close();
        else
            delete piece;
        pieces[i] = nullptr;
    }
    ZcDbObjectIdArray frozen;
    for (INT_PTR j = 0; j < infor.Frozen_Layers.GetSize(); ++j) {
        const ZcDbObjectId layer_id = Find_Layer_By_Name(target, infor.Frozen_Layers[j]);
        if (!layer_id.isNull())
            frozen.append(layer_id);
    }
    for (int i = 0; i < pieces.length(); ++i) {
        auto* viewport = static_cast<ZcDbViewport*>(pieces[i]);
        if (viewport == nullptr)
            continue;
        if (record->appendZcDbEntity(viewport) != Zcad::eOk) {
            delete viewport;
            continue;
        }
        if (clip_id.isNull()) {
            viewport->setNonRectClipOff();
        } else {
            viewport->setNonRectClipEntityId(clip_id);
            viewport->setNonRectClipOn();
        }
        if (frozen.length() > 0)
            viewport->freezeLayersInViewport(frozen);
        viewport->close();
    }
}

}  // namespace

void Rebuild_Viewports(ZcDbDatabase* target, ZcDbBlockTableRecord* record, const ZcGePoint3d& centre,
                       const ViewPort_Infor_Array& list)
{
    ZcDbDatabase* source = zcdbHostApplicationServices()->workingDatabase();
    for (INT_PTR j = 0; j < list.GetSize(); ++j) {
        const ViewPort_Infor& infor = *list[j];
        ZcDbObjectIdArray ids;
        if (!infor.Viewport_Id.isNull())
            ids.append(infor.Viewport_Id);
        if (!infor.Clip_Id.isNull())
            ids.append(infor.Clip_Id);
        if (ids.isEmpty())
            continue;
        ZcDbDatabase* written = nullptr;
        if (source->wblock(written, ids, centre) != Zcad::eOk || written == nullptr)
            continue;
        CString name;
        name.Format(L"Korvel_TempViewPort_%d", static_cast<int>(j));
        const ZcDbObjectId block_id = Insert_Drawing_As_Block(target, written, name);
        if (block_id.isNull())
            continue;
        ZcDbBlockReference reference(ZcGePoint3d(0.0, 0.0, 0.0), block_id);
        ZcDbVoidPtrArray pieces;
        if (reference.explode(pieces) == Zcad::eOk)
            Append_Viewport_Pieces(target, record, infor, pieces);
        else
            for (int i = 0; i < pieces.length(); ++i)
                delete static_cast<ZcDbEntity*>(pieces[i]);
    }
}
