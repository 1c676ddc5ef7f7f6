// Which candidate entities are sheet frames: axis-parallel rectangular polylines, and block
// references whose definition draws a rectangle along their outline. All tests work in the
// UCS of g_Ucs. The sheet makers themselves are members of Temp_Id.
#pragma once

#include "db/dbmain.h"
#include "ge/gemat3d.h"
#include "ge/gept2dar.h"
#include "ge/gept3dar.h"
#include "rx/zcarray.h"

class ZcDb2dPolyline;
class ZcDb3dPolyline;
class ZcDbBlockReference;
class ZcDbPolyline;

// Block transforms of the nested references being walked, outermost first.
typedef ZcArray<ZcGeMatrix3d> Transform_Stack;

// Takes a point from the innermost block's coordinates to the outermost reference's space:
// the matrices from the last pushed to the first.
void Transform_By_Stack(ZcGePoint3d& point, const Transform_Stack& stack);
void Transform_By_Stack(ZcGePoint2d& point, const Transform_Stack& stack);

// True when the entity is a polyline forming an axis-parallel rectangle in the UCS.
bool Is_Rect_Polyline(const ZcDbEntity* entity);
// The rectangle test. Its vertices (block coordinates) go to vertices, with the first
// again at the end for a closed polyline; with use_stack each is taken through the stack
// before the test. On success min_corner and max_corner are the rectangle's corners (UCS).
bool Test_Polyline_Rect(const ZcDbEntity* entity, bool use_stack, const Transform_Stack& stack,
                        ZcGePoint2d& min_corner, ZcGePoint2d& max_corner, ZcGePoint2dArray& vertices);
// True when the reference's definition (or one nested in it) draws a rectangle, or four
// edges, along the box spanned by a and b (UCS). The stack is as given on return.
bool Block_Has_Frame_Rect(const ZcDbBlockReference* reference, const ZcGePoint2d& a, const ZcGePoint2d& b,
                          Transform_Stack& stack);
// True when p lies within tolerance of a and q of b, or p of b and q of a (each coordinate
// strictly closer than the tolerance).
bool Is_Edge_Match(const ZcGePoint2d& p, const ZcGePoint2d& q, const ZcGePoint2d& a, const ZcGePoint2d& b,
                   double tolerance);
// The (x, y, 0) of the vertices of the one polyline given (the first again at the end when
// closed), consecutive points closer than 1e-5 merged. True when more than one remains.
bool Get_Polyline_Vertices(ZcGePoint3dArray& points, const ZcDbPolyline* light, const ZcDb2dPolyline* heavy_2d,
                           const ZcDb3dPolyline* heavy_3d);
