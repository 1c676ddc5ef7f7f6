// ZcDbDynBlockReference: what a block reference stands for when its block is dynamic. CAD
// programs insert a varied dynamic block as an anonymous block ("*U...") whose record points
// back to the dynamic definition (XDATA "AcDbBlockRepBTag"), and mark the definition's record
// with an "ACAD_ENHANCEDBLOCK" entry in its extension dictionary.
#pragma once
#include "db/dbmain.h"

class ZcDbDynBlockReference {
public:
    explicit ZcDbDynBlockReference(ZcDbObjectId blockRefId);

    // Whether a block definition is dynamic.
    static bool isDynamicBlock(ZcDbObjectId blockTableRecordId);

    // The reference's block is dynamic or an anonymous representation of a dynamic block.
    bool isDynamicBlock() const;
    // The dynamic block definition the reference stands for (its own block when that is not
    // an anonymous representation; null for an id that is not a block reference).
    ZcDbObjectId dynamicBlockTableRecord() const;
    // The block the reference actually inserts.
    ZcDbObjectId anonymousBlockTableRecord() const { return mBlockId; }
    ZcDbObjectId blockId() const { return mRefId; }

private:
    ZcDbObjectId mRefId;
    ZcDbObjectId mBlockId;
};
