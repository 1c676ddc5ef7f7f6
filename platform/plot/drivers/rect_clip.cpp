#include "plot/drivers/rect_clip.h"

#include <algorithm>

namespace platform {

Clip_Rect Intersect(const Clip_Rect& r, const Paper_Ring& polygon)
{
    Clip_Rect own{1e300, 1e300, -1e300, -1e300};
    for (const Paper_Point& p : polygon) {
        own.x0 = std::min(own.x0, p.x), own.y0 = std::min(own.y0, p.y);
        own.x1 = std::max(own.x1, p.x), own.y1 = std::max(own.y1, p.y);
    }
    Clip_Rect out{std::max(r.x0, own.x0), std::max(r.y0, own.y0), std::min(r.x1, own.x1), std::min(r.y1, own.y1)};
    out.x1 = std::max(out.x1, out.x0);
    out.y1 = std::max(out.y1, out.y0);
    return out;
}

namespace {

// Liang-Barsky: the part of segment a-b inside r, as parameters t0 <= t1.
bool Clip_Segment(const Paper_Point& a, const Paper_Point& b, const Clip_Rect& r, double& t0, double& t1)
{
    t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - r.x0, r.x1 - a.x, a.y - r.y0, r.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

Paper_Point Lerp(const Paper_Point& a, const Paper_Point& b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

}  // namespace

std::vector<std::vector<Paper_Point>> Clip_Polyline(const Paper_Point* points, size_t count, const Clip_Rect& r)
{
    std::vector<std::vector<Paper_Point>> runs;
    bool open = false;
    for (size_t i = 0; i + 1 < count; ++i) {
        double t0, t1;
        if (!Clip_Segment(points[i], points[i + 1], r, t0, t1)) {
            open = false;
            continue;
        }
        Paper_Point a = Lerp(points[i], points[i + 1], t0), b = Lerp(points[i], points[i + 1], t1);
        if (!open || t0 > 0.0) {
            runs.push_back({a});
            open = true;
        }
        runs.back().push_back(b);
        if (t1 < 1.0) open = false;
    }
    return runs;
}

Paper_Ring Clip_Ring(const Paper_Ring& ring, const Clip_Rect& r)
{
    // Sutherland-Hodgman against the four edges.
    Paper_Ring cur = ring;
    for (int edge = 0; edge < 4 && !cur.empty(); ++edge) {
        auto inside = [&](const Paper_Point& p) {
            switch (edge) {
            case 0: return p.x >= r.x0;
            case 1: return p.x <= r.x1;
            case 2: return p.y >= r.y0;
            default: return p.y <= r.y1;
            }
        };
        auto cross = [&](const Paper_Point& a, const Paper_Point& b) {
            double t = 0.0;
            switch (edge) {
            case 0: t = (r.x0 - a.x) / (b.x - a.x); break;
            case 1: t = (r.x1 - a.x) / (b.x - a.x); break;
            case 2: t = (r.y0 - a.y) / (b.y - a.y); break;
            default: t = (r.y1 - a.y) / (b.y - a.y); break;
            }
            return Lerp(a, b, t);
        };
        Paper_Ring next;
        for (size_t i = 0; i < cur.size(); ++i) {
            const Paper_Point& a = cur[i];
            const Paper_Point& b = cur[(i + 1) % cur.size()];
            const bool ia = inside(a), ib = inside(b);
            if (ia) next.push_back(a);
            if (ia != ib) next.push_back(cross(a, b));
        }
        cur.swap(next);
    }
    if (cur.size() < 3) cur.clear();
    return cur;
}

}  // namespace platform
