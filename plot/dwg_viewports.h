// The floating viewports of a layout sheet written out as a drawing file: what each one
// needs (clip boundary, frozen layers), the whole model space as the block "temp_block",
// and the viewports rebuilt in the new drawing.
#pragma once

#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "mfc/afxcoll.h"
#include "mfc/afxtempl.h"

class ViewPort_Infor : public CObject {
public:
    ZcDbObjectId Viewport_Id;
    // Non-rectangular clip boundary; null when none.
    ZcDbObjectId Clip_Id;
    CStringArray Frozen_Layers;
};

typedef CTypedPtrArray<CObArray, ViewPort_Infor*> ViewPort_Infor_Array;

// Empties the list, then records every viewport among the ids and takes the viewports and
// their clip boundaries out of the ids.
void Collect_Viewport_Infor(ZcDbObjectIdArray& ids, ViewPort_Infor_Array& list);
// The whole model space of the working drawing into target as the block "temp_block", with a
// reference to it at the origin in target's model space. False when it could not be written.
bool Copy_Model_Space_As_Block(ZcDbDatabase* target);
// Each listed viewport (and its clip boundary) written into target's record, moved by
// -centre, clipped again and with its frozen layers.
void Rebuild_Viewports(ZcDbDatabase* target, ZcDbBlockTableRecord* record, const ZcGePoint3d& centre,
                       const ViewPort_Infor_Array& list);
// The first layer whose name equals the name without regard to case; null when none.
ZcDbObjectId Find_Layer_By_Name(ZcDbDatabase* db, const CString& name);
