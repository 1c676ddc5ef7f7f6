#include "db/dbdynblk.h"

#include "db/dbblkref.h"
#include "db/dbsymtb.h"

namespace {

// The dynamic definition an anonymous block record points back to (XDATA "AcDbBlockRepBTag":
// 1070 version, 1005 handle of the definition's record).
ZcDbObjectId Represented_Block(ZcDbObjectId blockId)
{
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, blockId, ZcDb::kForRead) != Zcad::eOk) return {};
    resbuf* xdata = btr->xData(L"AcDbBlockRepBTag");
    ZcDbDatabase* db = btr->database();
    btr->close();
    ZcDbObjectId found;
    for (const resbuf* rb = xdata; rb && db; rb = rb->rbnext) {
        if (rb->restype == 1005 && rb->resval.rstring) {
            ZcDbObjectId id;
            if (db->getZcDbObjectId(id, false, ZcDbHandle(rb->resval.rstring)) == Zcad::eOk &&
                ZcDbDynBlockReference::isDynamicBlock(id))
                found = id;
            break;
        }
    }
    zcutRelRb(xdata);
    return found;
}

}  // namespace

ZcDbDynBlockReference::ZcDbDynBlockReference(ZcDbObjectId blockRefId) : mRefId(blockRefId)
{
    ZcDbBlockReference* ref = nullptr;
    if (zcdbOpenObject(ref, blockRefId, ZcDb::kForRead) == Zcad::eOk) {
        mBlockId = ref->blockTableRecord();
        ref->close();
    }
}

bool ZcDbDynBlockReference::isDynamicBlock(ZcDbObjectId blockTableRecordId)
{
    ZcDbBlockTableRecord* btr = nullptr;
    if (zcdbOpenObject(btr, blockTableRecordId, ZcDb::kForRead) != Zcad::eOk) return false;
    const bool dynamic = btr->isDynamicBlock();
    btr->close();
    return dynamic;
}

bool ZcDbDynBlockReference::isDynamicBlock() const
{
    return !mBlockId.isNull() && isDynamicBlock(dynamicBlockTableRecord());
}

ZcDbObjectId ZcDbDynBlockReference::dynamicBlockTableRecord() const
{
    if (mBlockId.isNull()) return {};
    ZcDbObjectId represented = Represented_Block(mBlockId);
    return represented.isNull() ? mBlockId : represented;
}
