#include "sheets/wblock_to_file.h"

#include <memory>

#include "core/file_messages.h"
#include "core/file_operations.h"
#include "core/fresh_output.h"
#include "core/view_helpers.h"
#include "db/dbblkref.h"
#include "sheets/exact_extents.h"
#include "win/win_error.h"

void Copy_Standard_Text_Style(ZcDbDatabase* target)
{
    ZcDbDatabase* source = zcdbHostApplicationServices()->workingDatabase();
    if (source == nullptr || target == nullptr || source == target)
        return;
    ZcDbObjectId from_id, to_id;
    ZcDbTextStyleTable* table = nullptr;
    if (source->getTextStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    table->getAt(L"Standard", from_id);
    table->close();
    if (target->getTextStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    table->getAt(L"Standard", to_id);
    table->close();
    if (from_id.isNull() || to_id.isNull())
        return;
    ZcDbObjectPointer<ZcDbTextStyleTableRecord> from(from_id, ZcDb::kForRead);
    ZcDbObjectPointer<ZcDbTextStyleTableRecord> to(to_id, ZcDb::kForWrite);
    if (from.openStatus() != Zcad::eOk || to.openStatus() != Zcad::eOk)
        return;
    const wchar_t* file = nullptr;
    if (from->fileName(file) == Zcad::eOk)
        to->setFileName(file ? file : L"");
    if (from->bigFontFileName(file) == Zcad::eOk)
        to->setBigFontFileName(file ? file : L"");
    to->setTextSize(from->textSize());
    to->setXScale(from->xScale());
    to->setIsShapeFile(from->isShapeFile());
    to->setIsVertical(from->isVertical());
    to->setObliquingAngle(from->obliquingAngle());
    to->setFlagBits(from->flagBits());
    to->setPriorSize(from->priorSize());
    wchar_t* typeface = nullptr;
    bool bold = false, italic = false;
    int charset = 0, pitch = 0;
    if (from->font(typeface, bold, italic, charset, pitch) == Zcad::eOk) {
        to->setFont(typeface ? typeface : L"", bold, italic, charset, pitch, true);
        delete[] typeface;
    }
}

ZcDbObjectId Insert_Drawing_As_Block(ZcDbDatabase* target, ZcDbDatabase* source, const wchar_t* name)
{
    ZcDbObjectId block_id;
    if (target->insert(block_id, name, source, true) != Zcad::eOk)
        block_id = ZcDbObjectId();
    delete source;
    return block_id;
}

bool Append_Block_Reference(ZcDbBlockTableRecord* record, ZcDbObjectId block_id, bool explode)
{
    if (record == nullptr || block_id.isNull())
        return false;
    auto reference = std::make_unique<ZcDbBlockReference>(ZcGePoint3d(0.0, 0.0, 0.0), block_id);
    reference->setDatabaseDefaults(record->database());
    ZcDbVoidPtrArray pieces;
    if (explode && reference->explode(pieces) == Zcad::eOk) {
        bool appended = false;
        for (int i = 0; i < pieces.length(); ++i) {
            auto* piece = static_cast<ZcDbEntity*>(pieces[i]);
            if (record->appendZcDbEntity(piece) == Zcad::eOk) {
                piece->close();
                appended = true;
            } else {
                delete piece;
            }
        }
        return appended;
    }
    for (int i = 0; i < pieces.length(); ++i)
        delete static_cast<ZcDbEntity*>(pieces[i]);
    if (record->appendZcDbEntity(reference.get()) != Zcad::eOk)
        return false;
    reference.release()->close();
    return true;
}

bool Save_Exported_Drawing(ZcDbDatabase* db, const CString& path, bool report_failure)
{
    // The drawing format the export always wrote; the file layer writes its own version of
    // it. An earlier file at the path is replaced only by a whole new one.
    bool saved = false;
    DWORD error = ERROR_SUCCESS;
    {
        Fresh_Output output(path);
        saved = db->saveAs(output.Path(), ZcDb::kDHL_1800) == Zcad::eOk;
        error = saved ? ERROR_SUCCESS : GetLastError();
        if (saved && !output.Replace_Target()) {
            saved = false;
            error = GetLastError();
        }
    }
    if (saved)
        return true;
    if (report_failure)
        Show_Write_Failure(path);
    SetLastError(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
    return false;
}

bool Wblock_Ids_To_File(ZcDbObjectIdArray& ids, const CString& path, const CString& prefix, bool explode)
{
    ZcDbDatabase* source = zcdbHostApplicationServices()->workingDatabase();
    ZcDbObjectIdArray measured = ids;
    ZcDbExtents extents;
    Get_Ids_Extents(extents, measured);
    const ZcGePoint3d base = Get_Extents_Centre(extents);

    ZcDbDatabase* written = nullptr;
    if (source == nullptr || source->wblock(written, ids, base) != Zcad::eOk || written == nullptr) {
        ids.removeAll();
        return false;
    }
    ids.removeAll();
    auto drawing = std::make_unique<ZcDbDatabase>(true, true);
    drawing->setLtscale(source->ltscale());
    drawing->setCeltscale(source->celtscale());
    Copy_Standard_Text_Style(drawing.get());
    const ZcDbObjectId block_id = Insert_Drawing_As_Block(drawing.get(), written, Make_Unique_Time_Stamp(prefix));
    if (block_id.isNull())
        return false;
    if (explode) {
        ZcDbObjectPointer<ZcDbBlockTableRecord> model(drawing->modelSpaceId(), ZcDb::kForWrite);
        if (model.openStatus() == Zcad::eOk)
            Append_Block_Reference(model.object(), block_id, true);
        const ZcGePoint3d low = extents.minPoint(), high = extents.maxPoint();
        model.close();
        Set_Database_View(drawing.get(), (high.x - low.x) * 1.05, (high.y - low.y) * 1.05, 0.0, 0.0, false);
    }
    return Save_Exported_Drawing(drawing.get(), path);
}
