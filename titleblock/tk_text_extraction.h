// Reading the six texts of a recognised sheet from the ranges of its title block. Each field
// tries five sources in turn and keeps the first non-empty text: the frame's own attributes,
// loose texts crossed by the range's fence, free attribute definitions, the attributes of
// other inserts crossed by the fence, and the texts of those inserts exploded.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"
#include "mfc/afxstr.h"
#include "titleblock/tk_customization.h"
#include "titleblock/tk_ranges.h"

// The text of field 1..6 (A..F); ids receive the entities it came from. Line breaks are kept
// as "[++}" except in fields A, B and D.
CString Get_Range_Text(const TK_Customization* tk, ZcDbObjectId insert_id, int field, ZcDbObjectIdArray& ids);
// The same on a frame reference already measured.
CString Read_Range_Text(const TK_Customization* tk, const TK_Frame_Ref& frame, int field, ZcDbObjectIdArray& ids);

// The attributes of the block reference whose centres lie in the range: for field 3 all of
// them joined in reading order, otherwise the one nearest the range centre.
CString Get_Attribute_Text(ZcDbObjectId insert_id, const ZcDbExtents& range, int field, ZcDbObjectIdArray& ids,
                           double angle);
// The loose texts crossed by the range's fence, joined in reading order.
CString Get_Fence_Text(const ZcDbExtents& range, double angle, int field, ZcDbObjectIdArray& ids);
// The tag of the attribute definition nearest the range centre among those the fence crosses.
CString Get_Attdef_Tag_Text(const ZcDbExtents& range, int field, ZcDbObjectIdArray& ids);
// Get_Attribute_Text on the inserts the fence crosses other than the frame; the first text.
CString Get_Other_Insert_Text(ZcDbObjectId frame_id, const ZcDbExtents& range, int field, ZcDbObjectIdArray& ids,
                              double angle);
// The texts of the inserts the fence crosses (the frame among them), each exploded one level
// into temporary copies; the first insert that gives text wins. Records no ids.
CString Get_Exploded_Insert_Text(const ZcDbExtents& range, double angle);

// The fence of a range: 9 lines parallel to its longer side.
void Build_Text_Fence(ZcGePoint3dArray& points, const ZcDbExtents& range);
