// Wrapping a frame around selected graphics: the graphics as a cloud of outline points
// (through nested and clipped blocks), and the smallest scale and nearby position at which
// every point lies inside the frame's drawing area.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"
#include "ge/gept2dar.h"

class ZcDbBlockReference;
class ZcDbCurve;

// Refines the scale and the position P of the frame whose drawing area is centred on A.
void Fit_Frame_Around_Ids(double& scale, const ZcDbObjectIdArray& ids, const ZcGePoint2d& area_centre,
                          ZcGePoint2d& position);

// Outline points of one entity, in the UCS of g_Ucs while it is active.
void Add_Entity_Outline_Points(const ZcDbEntity* entity, ZcGePoint2dArray& points);
void Add_Box_Corners(const ZcDbExtents& extents, ZcGePoint2dArray& points);
// 51 points along the curve, then the vertices of a polyline.
void Add_Curve_Points(const ZcDbCurve* curve, ZcGePoint2dArray& points);
// True when the reference has a spatial clip filter that is not inverted.
bool Has_Active_Clip(const ZcDbBlockReference* reference);
// The corners of the clipped extents of a clipped reference, else the outline points of its
// definition placed by it. clip_holder is the drawing's reference of which reference may be
// a UCS copy (copies carry no clip).
void Add_Block_Outline_Points(const ZcDbBlockReference* reference, const ZcDbBlockReference* clip_holder,
                              ZcGePoint2dArray& points);
// From 3000 points on, drops the points of grid cells enclosed on all four sides.
void Thin_Outline_Points(ZcGePoint2dArray& points);

// The search around P for the smallest scale, starting at the scale given, at which the
// strips (frame-centred rectangles of the drawing area) cover every point.
void Fit_Frame_To_Points(double& scale, const ZcGePoint2dArray& lower_lefts, const ZcGePoint2dArray& upper_rights,
                         const ZcGePoint2dArray& points, const ZcGePoint2d& area_centre, ZcGePoint2d& position);
// Grows the scale from its start value by 2 % steps until the strips moved to P cover every
// point; false once it reaches the bound or after 501 passes.
bool Grow_Scale_To_Cover(double bound, const ZcGePoint2dArray& lower_lefts, const ZcGePoint2dArray& upper_rights,
                         const ZcGePoint2dArray& points, const ZcGePoint2d& area_centre, const ZcGePoint2d& position,
                         double& scale);
bool Point_In_Box(const ZcGePoint2d& point, const ZcGePoint2d& lower_left, const ZcGePoint2d& upper_right);
