// Putting the texts found in one title-block range into reading order (rows from the top,
// left to right, in the frame's own orientation) and joining them into one field text.
#pragma once

#include <vector>

#include "db/dbmain.h"
#include "ge/extents.h"
#include "ge/gepnt2d.h"
#include "mfc/afxstr.h"

class ZcDbEntity;

// One text found in a range.
struct TK_Found_Text {
    ZcDbObjectId Id;     // null for a temporary copy
    ZcDbExtents Box;     // exact extents
    CString Text;        // trimmed field text
    int Kind = 0;        // text kind code; 0 gives no text and no box to the join
};

// Sorts the texts into reading order: sort type 1 of the sheet ordering on their boxes
// turned by minus the frame angle.
void Order_Found_Texts(std::vector<TK_Found_Text>& texts, double angle);
// The non-empty texts in their order, joined by the line-break marker; combined receives the
// union of the boxes of the texts of a kind other than 0.
CString Join_Found_Texts(const std::vector<TK_Found_Text>& texts, ZcDbExtents& combined);

// The loose texts of the ids in reading order: the ids are reordered, the joined text returned.
CString Join_Texts_In_Order(ZcDbObjectIdArray& ids, double angle, ZcDbExtents& combined);
// The attributes (already checked and read) in reading order, joined; ids receive them in
// that order.
CString Join_Attributes_In_Order(std::vector<TK_Found_Text>& attributes, double angle, ZcDbExtents& combined,
                                 ZcDbObjectIdArray& ids);
// The shown temporary texts that overlap the range by a tenth of their own size, in reading
// order, joined. The entities stay the caller's.
CString Join_Overlapping_Texts(const std::vector<ZcDbEntity*>& texts, const ZcDbExtents& range, double angle);

// Whether box B (corners b1, b2) overlaps box A (a1, a2) by at least the fraction of B's
// width in x and of B's height in y; boxes that only touch do not with a fraction above 0.
bool Check_Rect_Overlap(const ZcGePoint3d& a1, const ZcGePoint3d& a2, const ZcGePoint3d& b1, const ZcGePoint3d& b2,
                        double fraction);
// ((min x + max x) / 2, (min y + max y) / 2).
ZcGePoint2d Extents_Centre_2d(const ZcDbExtents& extents);
