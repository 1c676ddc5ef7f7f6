// Where an entity's geometry lies: the tests behind picks, windows, crossings and fences.
// Geometry is what the entity draws (segments, arcs, circles, text boxes, nested block
// contents), flattened onto the world XY plane.
#pragma once

#include <vector>

#include "db/dbid.h"

namespace platform {

struct Rect2d {
    double xmin, ymin, xmax, ymax;
};

// Liang-Barsky: the part [t0, t1] of the segment from (ax, ay) to (bx, by) that lies in
// the rectangle (edges included); false when none does.
bool Clip_Segment(double ax, double ay, double bx, double by, const Rect2d& rect, double& t0, double& t1);

// Geometry crosses the rectangle or lies (partly) inside it.
bool Entity_Crosses_Rect(ZcDbObjectId entityId, const Rect2d& rect);
// The entity's extents lie wholly inside the rectangle.
bool Entity_Inside_Rect(ZcDbObjectId entityId, const Rect2d& rect);
// Geometry crosses the open polyline through the points (x, y pairs).
bool Entity_Crosses_Fence(ZcDbObjectId entityId, const std::vector<double>& xy);

}  // namespace platform
