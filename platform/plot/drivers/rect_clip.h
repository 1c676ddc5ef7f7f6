// Clipping of paper geometry to an axis-aligned rectangle, for devices that cannot clip.
#pragma once
#include <vector>

#include "plot/render/plot_device.h"

namespace platform {

struct Clip_Rect {
    double x0 = -1e300, y0 = -1e300, x1 = 1e300, y1 = 1e300;
    bool contains(const Paper_Point& p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
};

// The bounding box of the polygon intersected with the rectangle.
Clip_Rect Intersect(const Clip_Rect& r, const Paper_Ring& polygon);
// The visible runs of a polyline.
std::vector<std::vector<Paper_Point>> Clip_Polyline(const Paper_Point* points, size_t count, const Clip_Rect& r);
// A ring clipped to the rectangle (empty when nothing is left).
Paper_Ring Clip_Ring(const Paper_Ring& ring, const Clip_Rect& r);

}  // namespace platform
