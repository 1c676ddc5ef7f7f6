#include "ed/entity_hit.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "db/dbmain.h"
#include "db/dbmtext.h"
#include "db/gi.h"
#include "db/text_metrics.h"
#include "ge/extents.h"
#include "ge/ge.h"

namespace platform {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

struct P2 {
    double x, y;
};

struct Segment {
    P2 a, b;
};

// Counter-clockwise arc in the XY plane.
struct Arc {
    P2 c;
    double r;
    double start;  // radians
    double sweep;  // (0, 2 pi]
};

struct Shapes {
    std::vector<Segment> segments;
    std::vector<Arc> arcs;
    std::vector<std::vector<P2>> areas;  // filled outlines (text boxes)
};

double Norm_Angle(double a)
{
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

bool Angle_On_Arc(const Arc& arc, double angle)
{
    if (arc.sweep >= kTwoPi - 1e-12)
        return true;
    double d = Norm_Angle(angle - arc.start);
    return d <= arc.sweep + 1e-12;
}

P2 Arc_Point(const Arc& arc, double angle) { return {arc.c.x + arc.r * std::cos(angle), arc.c.y + arc.r * std::sin(angle)}; }

class Collector : public ZcGiWorldDraw, public ZcGiWorldGeometry, public ZcGiSubEntityTraits {
public:
    Shapes shapes;
    bool any = false;

    // ZcGiWorldDraw
    ZcGiWorldGeometry& geometry() const override { return const_cast<Collector&>(*this); }
    ZcGiSubEntityTraits& subEntityTraits() const override { return const_cast<Collector&>(*this); }

    // ZcGiSubEntityTraits: nothing to keep.
    void setColor(uint16_t c) override { mColor = c; }
    void setTrueColor(const ZcCmEntityColor&) override {}
    void setLayer(const ZcDbObjectId id) override { mLayer = id; }
    void setLineType(const ZcDbObjectId id) override { mLinetype = id; }
    void setLineWeight(ZcDb::LineWeight w) override { mWeight = w; }
    void setLineTypeScale(double) override {}
    void setFillType(ZcGiFillType f) override { mFill = f; }
    uint16_t color() const override { return mColor; }
    ZcCmEntityColor trueColor() const override { return ZcCmEntityColor(); }
    ZcDbObjectId layerId() const override { return mLayer; }
    ZcDbObjectId lineTypeId() const override { return mLinetype; }
    ZcDb::LineWeight lineWeight() const override { return mWeight; }
    ZcGiFillType fillType() const override { return mFill; }

    // ZcGiGeometry
    bool circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal) override
    {
        ZcGeVector3d start = normal.perpVector();
        add_arc(center, radius, normal, start, kTwoPi);
        return false;
    }

    bool circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                     const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType) override
    {
        add_arc(center, radius, normal, startVector, sweepAngle);
        return false;
    }

    bool polyline(uint32_t n, const ZcGePoint3d* pts, const ZcGeVector3d*, intptr_t) override
    {
        any = true;
        if (n == 1)
            add_segment(pts[0], pts[0]);
        for (uint32_t i = 1; i < n; ++i)
            add_segment(pts[i - 1], pts[i]);
        return false;
    }

    bool polygon(uint32_t n, const ZcGePoint3d* pts) override
    {
        any = true;
        std::vector<P2> outline;
        for (uint32_t i = 0; i < n; ++i)
            outline.push_back(map(pts[i]));
        for (uint32_t i = 0; i < n; ++i)
            shapes.segments.push_back({outline[i], outline[(i + 1) % n]});
        if (mFill == kZcGiFillAlways && n >= 3)
            shapes.areas.push_back(outline);
        return false;
    }

    bool text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction,
              double height, double width, double, const wchar_t* msg) override
    {
        any = true;
        if (msg == nullptr || height <= 0)
            return false;
        Text_Line_Box box = Measure_Text_Line(msg, height, width > 0 ? width : 1.0);
        ZcGeVector3d along = direction.normal();
        ZcGeVector3d up = normal.crossProduct(along).normal();
        ZcGePoint3d corners[4] = {position + up * box.bottom, position + along * box.width + up * box.bottom,
                                  position + along * box.width + up * box.top, position + up * box.top};
        std::vector<P2> outline;
        for (const ZcGePoint3d& corner : corners)
            outline.push_back(map(corner));
        for (int i = 0; i < 4; ++i)
            shapes.segments.push_back({outline[i], outline[(i + 1) % 4]});
        shapes.areas.push_back(outline);
        return false;
    }

    bool draw(const ZcDbEntity* entity) override
    {
        if (entity == nullptr)
            return false;
        add_text_boundary(entity);
        const_cast<ZcDbEntity*>(entity)->worldDraw(this);
        return false;
    }

    bool pushModelTransform(const ZcGeMatrix3d& m) override
    {
        mStack.push_back(mStack.empty() ? m : mStack.back() * m);
        return false;
    }

    bool popModelTransform() override
    {
        if (!mStack.empty())
            mStack.pop_back();
        return false;
    }

private:
    ZcGeMatrix3d current() const { return mStack.empty() ? ZcGeMatrix3d() : mStack.back(); }

    P2 map(const ZcGePoint3d& p) const
    {
        ZcGePoint3d w = current() * p;
        return {w.x, w.y};
    }

    // A multiline text is hit anywhere in its text boundary, not only on its lines.
    void add_text_boundary(const ZcDbEntity* entity)
    {
        const ZcDbMText* mtext = ZcDbMText::cast(entity);
        if (mtext == nullptr)
            return;
        ZcGePoint3dArray corners;
        mtext->getBoundingPoints(corners);
        if (corners.length() != 4)
            return;
        const std::vector<P2> outline = {map(corners[0]), map(corners[1]), map(corners[3]), map(corners[2])};
        for (int i = 0; i < 4; ++i)
            shapes.segments.push_back({outline[i], outline[(i + 1) % 4]});
        shapes.areas.push_back(outline);
    }

    void add_segment(const ZcGePoint3d& a, const ZcGePoint3d& b)
    {
        shapes.segments.push_back({map(a), map(b)});
    }

    void add_arc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                 const ZcGeVector3d& startVector, double sweep)
    {
        any = true;
        if (radius <= 0)
            return;
        ZcGeVector3d u = startVector.normal();
        ZcGeVector3d v = normal.normal().crossProduct(u);
        ZcGeMatrix3d m = current();
        ZcGeVector3d mu = m * (u * radius);
        ZcGeVector3d mv = m * (v * radius);
        ZcGePoint3d c = m * center;
        bool circular = std::fabs(mu.z) < 1e-9 && std::fabs(mv.z) < 1e-9 &&
                        std::fabs(mu.length() - mv.length()) < 1e-9 * (1 + mu.length()) &&
                        std::fabs(mu.dotProduct(mv)) < 1e-9 * (1 + mu.lengthSqrd());
        if (circular) {
            double start = std::atan2(mu.y, mu.x);
            double s = std::min(std::fabs(sweep), kTwoPi);
            bool ccw = (mu.x * mv.y - mu.y * mv.x) > 0;
            if ((sweep < 0) == ccw)
                start -= s;
            shapes.arcs.push_back({{c.x, c.y}, mu.length(), Norm_Angle(start), s});
            return;
        }
        // Not a circle on the XY plane: flatten into short segments.
        const int steps = 256;
        P2 previous{c.x + mu.x, c.y + mu.y};
        for (int i = 1; i <= steps; ++i) {
            double t = sweep * i / steps;
            P2 next{c.x + mu.x * std::cos(t) + mv.x * std::sin(t), c.y + mu.y * std::cos(t) + mv.y * std::sin(t)};
            shapes.segments.push_back({previous, next});
            previous = next;
        }
    }

    std::vector<ZcGeMatrix3d> mStack;
    uint16_t mColor = 256;
    ZcDbObjectId mLayer;
    ZcDbObjectId mLinetype;
    ZcDb::LineWeight mWeight = ZcDb::kLnWtByLayer;
    ZcGiFillType mFill = kZcGiFillNever;
};

bool Inside(const Rect2d& r, const P2& p)
{
    return p.x >= r.xmin && p.x <= r.xmax && p.y >= r.ymin && p.y <= r.ymax;
}

bool Segment_Crosses_Rect(const Segment& s, const Rect2d& r)
{
    double t0, t1;
    return Clip_Segment(s.a.x, s.a.y, s.b.x, s.b.y, r, t0, t1);
}

// Angles where the circle of the arc meets the segment.
std::vector<double> Circle_Segment_Angles(const Arc& arc, const Segment& s)
{
    std::vector<double> angles;
    double dx = s.b.x - s.a.x;
    double dy = s.b.y - s.a.y;
    double fx = s.a.x - arc.c.x;
    double fy = s.a.y - arc.c.y;
    double a = dx * dx + dy * dy;
    double b = 2 * (fx * dx + fy * dy);
    double c = fx * fx + fy * fy - arc.r * arc.r;
    if (a == 0)
        return angles;
    double disc = b * b - 4 * a * c;
    if (disc < 0)
        return angles;
    double root = std::sqrt(disc);
    for (double t : {(-b - root) / (2 * a), (-b + root) / (2 * a)}) {
        if (t < -1e-12 || t > 1 + 1e-12)
            continue;
        angles.push_back(std::atan2(fy + t * dy, fx + t * dx));
    }
    return angles;
}

bool Arc_Crosses_Segment(const Arc& arc, const Segment& s)
{
    for (double angle : Circle_Segment_Angles(arc, s))
        if (Angle_On_Arc(arc, angle))
            return true;
    return false;
}

bool Arc_Crosses_Rect(const Arc& arc, const Rect2d& r)
{
    if (Inside(r, Arc_Point(arc, arc.start)) || Inside(r, Arc_Point(arc, arc.start + arc.sweep)))
        return true;
    const Segment edges[4] = {{{r.xmin, r.ymin}, {r.xmax, r.ymin}},
                              {{r.xmax, r.ymin}, {r.xmax, r.ymax}},
                              {{r.xmax, r.ymax}, {r.xmin, r.ymax}},
                              {{r.xmin, r.ymax}, {r.xmin, r.ymin}}};
    for (const Segment& edge : edges)
        if (Arc_Crosses_Segment(arc, edge))
            return true;
    return false;
}

bool Point_In_Polygon(const std::vector<P2>& poly, const P2& p)
{
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        if ((poly[i].y > p.y) != (poly[j].y > p.y) &&
            p.x < (poly[j].x - poly[i].x) * (p.y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
            inside = !inside;
    }
    return inside;
}

bool Segments_Cross(const Segment& s, const Segment& t)
{
    auto cross = [](P2 o, P2 a, P2 b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    auto on = [](P2 a, P2 b, P2 p) {
        return std::min(a.x, b.x) - 1e-12 <= p.x && p.x <= std::max(a.x, b.x) + 1e-12 &&
               std::min(a.y, b.y) - 1e-12 <= p.y && p.y <= std::max(a.y, b.y) + 1e-12;
    };
    double d1 = cross(t.a, t.b, s.a);
    double d2 = cross(t.a, t.b, s.b);
    double d3 = cross(s.a, s.b, t.a);
    double d4 = cross(s.a, s.b, t.b);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    return (d1 == 0 && on(t.a, t.b, s.a)) || (d2 == 0 && on(t.a, t.b, s.b)) ||
           (d3 == 0 && on(s.a, s.b, t.a)) || (d4 == 0 && on(s.a, s.b, t.b));
}

// The entity's drawn geometry; its extents box stands in when it draws nothing.
Shapes Collect(ZcDbObjectId id)
{
    Collector collector;
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk)
        return collector.shapes;
    collector.draw(entity.object());
    if (!collector.any) {
        ZcDbExtents extents;
        if (entity->getGeomExtents(extents) == Zcad::eOk && extents.isValid()) {
            const ZcGePoint3d& lo = extents.minPoint();
            const ZcGePoint3d& hi = extents.maxPoint();
            std::vector<P2> box = {{lo.x, lo.y}, {hi.x, lo.y}, {hi.x, hi.y}, {lo.x, hi.y}};
            for (int i = 0; i < 4; ++i)
                collector.shapes.segments.push_back({box[i], box[(i + 1) % 4]});
            collector.shapes.areas.push_back(box);
        }
    }
    return collector.shapes;
}

}  // namespace

bool Clip_Segment(double ax, double ay, double bx, double by, const Rect2d& r, double& t0, double& t1)
{
    t0 = 0;
    t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - r.xmin, r.xmax - ax, ay - r.ymin, r.ymax - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

bool Entity_Crosses_Rect(ZcDbObjectId entityId, const Rect2d& rect)
{
    Shapes shapes = Collect(entityId);
    for (const Segment& s : shapes.segments)
        if (Segment_Crosses_Rect(s, rect))
            return true;
    for (const Arc& arc : shapes.arcs)
        if (Arc_Crosses_Rect(arc, rect))
            return true;
    const P2 centre{(rect.xmin + rect.xmax) / 2, (rect.ymin + rect.ymax) / 2};
    for (const auto& area : shapes.areas)
        if (Point_In_Polygon(area, centre))
            return true;
    return false;
}

bool Entity_Inside_Rect(ZcDbObjectId entityId, const Rect2d& rect)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entityId, ZcDb::kForRead);
    ZcDbExtents extents;
    if (entity.openStatus() != Zcad::eOk || entity->getGeomExtents(extents) != Zcad::eOk ||
        !extents.isValid())
        return false;
    const ZcGePoint3d& lo = extents.minPoint();
    const ZcGePoint3d& hi = extents.maxPoint();
    return lo.x >= rect.xmin && lo.y >= rect.ymin && hi.x <= rect.xmax && hi.y <= rect.ymax;
}

bool Entity_Crosses_Fence(ZcDbObjectId entityId, const std::vector<double>& xy)
{
    Shapes shapes = Collect(entityId);
    for (size_t i = 2; i + 1 < xy.size(); i += 2) {
        const Segment fence{{xy[i - 2], xy[i - 1]}, {xy[i], xy[i + 1]}};
        for (const Segment& s : shapes.segments)
            if (Segments_Cross(s, fence))
                return true;
        for (const Arc& arc : shapes.arcs)
            if (Arc_Crosses_Segment(arc, fence))
                return true;
    }
    return false;
}

}  // namespace platform
