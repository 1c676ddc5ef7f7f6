// Lines, polylines and texts made in the current space of the working drawing.
#pragma once

#include <cstdint>

#include "db/dbmain.h"
#include "db/dbtext.h"
#include "ge/gept2dar.h"

// A LINE from (x1, y1) to (x2, y2) at z 0, offset by the base point; the linetype when an
// id is given. The out id is null on failure.
void Make_Line_At(ZcDbObjectId& id, double base_x, double base_y, double x1, double y1, double x2,
                  double y2, uint32_t color_index, ZcDbObjectId layer_id, ZcDbObjectId linetype_id);
void Make_Line(ZcDbObjectId& id, double x1, double y1, double x2, double y2, uint32_t color_index,
               ZcDbObjectId layer_id, ZcDbObjectId linetype_id);
// An open LWPOLYLINE through the points, bulge 0, the constant width at every vertex.
void Make_Polyline_At(ZcDbObjectId& id, double base_x, double base_y, const ZcGePoint2dArray& points,
                      uint32_t color_index, ZcDbObjectId layer_id, ZcDbObjectId linetype_id, double width);
void Make_Polyline(ZcDbObjectId& id, const ZcGePoint2dArray& points, uint32_t color_index,
                   ZcDbObjectId layer_id, ZcDbObjectId linetype_id, double width);
// A new TEXT at (base + d), not in any database: alignment 0..8 (a % 3: left, centre,
// right; a / 3: bottom, top, middle), rotation in degrees; the width factor only when
// above 0, the style when an id is given.
ZcDbText* Make_Text(double base_x, double base_y, double dx, double dy, const wchar_t* text, double height,
                    double width_factor, int alignment, double rotation_degrees, ZcDbObjectId style_id);
// Make_Text appended to the current space.
void Add_Text_At(ZcDbObjectId& id, double base_x, double base_y, double x, double y, const wchar_t* text,
                 double height, double width_factor, int alignment, double rotation_degrees,
                 uint32_t color_index, ZcDbObjectId layer_id, ZcDbObjectId style_id);
void Add_Text(ZcDbObjectId& id, double x, double y, const wchar_t* text, double height, double width_factor,
              int alignment, double rotation_degrees, uint32_t color_index, ZcDbObjectId layer_id,
              ZcDbObjectId style_id);
