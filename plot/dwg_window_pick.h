// Which entities of the current space belong to a sheet's window when it is written out as
// a drawing file: boxes that overlap more than thinly, lines and polylines that cross it.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"

// The ids of the current layout's overall paper-space viewport (empty in model space).
void Get_Active_Viewport_Ids(ZcDbObjectIdArray& ids);
// True when the boxes overlap (touching counts) and not both are met only by a strip
// thinner than f of their own width or height.
bool Extents_Overlap(const ZcDbExtents& a, const ZcDbExtents& b, double f);
// True when the extents lie inside the window (1e-6 tolerance).
bool Extents_Inside_Window(const ZcDbExtents& window, const ZcDbExtents& extents);
// True when the infinite line through the points has window corners strictly on both sides.
bool Line_Separates_Rect(const ZcGePoint2d& p1, const ZcGePoint2d& p2, const ZcDbExtents& window);
// For a line or a lightweight polyline (UCS of g_Ucs): true when one of its segments
// separates the window's corners; false for other entities.
bool Curve_Crosses_Window(ZcDbObjectId entity_id, const ZcDbExtents& window);
// The entities of the current space, in their order, that a sheet window of the two corners
// (UCS) takes: shown, not frozen, no marker and no overall viewport.
void Collect_Window_Ids(const ZcGePoint2d& corner1, const ZcGePoint2d& corner2, ZcDbObjectIdArray& ids);
