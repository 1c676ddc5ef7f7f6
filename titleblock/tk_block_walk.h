// Walking the definition of a block reference as the frame analysis and the wrap fit do.
#pragma once

#include <functional>

#include "db/dbentity.h"
#include "ge/gemat3d.h"
#include "ge/gept2dar.h"

class ZcDbBlockReference;

// Calls visit with each entity of the reference's definition, in order, that is visible and
// on no frozen layer, and not on an off layer unless it is a block reference (the layer
// lists of g_Hidden_Layers). A definition already being walked is not entered again.
void Walk_Shown_Definition(const ZcDbBlockReference* reference, const std::function<void(const ZcDbEntity*)>& visit);
// Each point, taken as (x, y, 0), transformed by the matrix.
void Transform_Points(ZcGePoint2dArray& points, const ZcGeMatrix3d& matrix);
