#include "db/gi_extents.h"

#include <algorithm>
#include <cmath>

#include "db/block_walk.h"
#include "db/dbentity.h"
#include "db/geom_util.h"

namespace platform {

namespace {

// Even-odd test of p against a ring, in the XY plane.
bool Inside(const std::vector<ZcGePoint3d>& ring, const ZcGePoint3d& p)
{
    bool in = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const ZcGePoint3d& a = ring[i];
        const ZcGePoint3d& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

// Parameters in (0, 1) where segment p-q crosses the ring's edges.
void Crossings(const std::vector<ZcGePoint3d>& ring, const ZcGePoint3d& p, const ZcGePoint3d& q, std::vector<double>& ts)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    for (size_t i = 0; i < ring.size(); ++i) {
        const ZcGePoint3d& a = ring[i];
        const ZcGePoint3d& b = ring[(i + 1) % ring.size()];
        const double ex = b.x - a.x, ey = b.y - a.y;
        const double den = dx * ey - dy * ex;
        if (std::fabs(den) < 1e-300) continue;
        const double t = ((a.x - p.x) * ey - (a.y - p.y) * ex) / den;
        const double s = ((a.x - p.x) * dy - (a.y - p.y) * dx) / den;
        if (t > 0.0 && t < 1.0 && s >= 0.0 && s <= 1.0) ts.push_back(t);
    }
}

}  // namespace

void Extents_Draw::add(const ZcGePoint3d& p)
{
    ZcGePoint3d w = mStack.empty() ? p : mStack.back() * p;
    if (!mClips.empty()) {
        if (passesClips(w)) {
            mExtents.addPoint(w);
            mAny = true;
        }
        return;
    }
    mExtents.addPoint(w);
    mAny = true;
}

bool Extents_Draw::passesClips(const ZcGePoint3d& p) const
{
    for (const Clip& c : mClips)
        if (Inside(c.ring, p) == c.inverted) return false;
    return true;
}

void Extents_Draw::addRun(const std::vector<ZcGePoint3d>& world, bool area)
{
    if (world.empty()) return;
    auto keep = [&](const ZcGePoint3d& p) {
        mExtents.addPoint(p);
        mAny = true;
    };
    if (mClips.empty()) {
        for (const ZcGePoint3d& p : world) keep(p);
        return;
    }
    // The pieces of each segment between crossings of the boundaries that lie inside them.
    const size_t n = world.size();
    const size_t segments = area ? n : n - 1;
    if (n == 1 && passesClips(world[0])) keep(world[0]);
    std::vector<double> ts;
    for (size_t i = 0; i < segments; ++i) {
        const ZcGePoint3d& p = world[i];
        const ZcGePoint3d& q = world[(i + 1) % n];
        ts.assign({0.0, 1.0});
        for (const Clip& c : mClips) Crossings(c.ring, p, q, ts);
        std::sort(ts.begin(), ts.end());
        for (size_t k = 0; k + 1 < ts.size(); ++k) {
            const ZcGePoint3d a = p + (q - p) * ts[k], b = p + (q - p) * ts[k + 1];
            if (passesClips(a + (b - a) * 0.5)) {
                keep(a);
                keep(b);
            }
        }
    }
    // Corners of the boundaries that lie within the area.
    if (area && n >= 3)
        for (const Clip& c : mClips)
            for (const ZcGePoint3d& corner : c.ring)
                if (Inside(world, corner) && passesClips(corner)) keep(corner);
}

bool Extents_Draw::circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal)
{
    ZcGeVector3d x, y;
    Plane_Axes(normal, x, y);
    return circularArc(center, radius, normal, x, kTwoPi, kZcGiArcSimple);
}

bool Extents_Draw::circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                               const ZcGeVector3d& startVector, double sweepAngle, ZcGiArcType)
{
    ZcGeVector3d n = normal.normal();
    ZcGeVector3d u = startVector.normal() * radius;
    ZcGeVector3d v = n.crossProduct(startVector.normal()) * radius;
    double start = 0.0, end = sweepAngle;
    if (end < 0) std::swap(start, end);
    if (mStack.empty() && mClips.empty()) {
        ZcDbExtents local;
        Add_Ellipse_Arc_Extents(local, center, u, v, start, end);
        mExtents.addExt(local);
        mAny = true;
        return false;
    }
    // Samples of the arc: exact enough for nested and clipped drawing.
    std::vector<ZcGePoint3d> world;
    for (const ZcGePoint3d& p : Sample_Ellipse_Arc(center, u, v, start, end, 64)) world.push_back(current() * p);
    addRun(world, false);
    return false;
}

bool Extents_Draw::polyline(uint32_t nbPoints, const ZcGePoint3d* pts, const ZcGeVector3d*, intptr_t)
{
    std::vector<ZcGePoint3d> world;
    for (uint32_t i = 0; i < nbPoints; ++i) world.push_back(current() * pts[i]);
    addRun(world, false);
    return false;
}

bool Extents_Draw::polygon(uint32_t nbPoints, const ZcGePoint3d* pts)
{
    std::vector<ZcGePoint3d> world;
    for (uint32_t i = 0; i < nbPoints; ++i) world.push_back(current() * pts[i]);
    addRun(world, true);
    return false;
}

bool Extents_Draw::text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction,
                        double height, double width, double oblique, const wchar_t* pMsg)
{
    ZcGeVector3d dir = direction.normal();
    ZcGeVector3d up = normal.normal().crossProduct(dir).normal();
    ZcGePoint3d corners[4];
    Text_Line_Corners(position, dir, up, height, width, oblique, pMsg ? pMsg : L"", corners);
    ZcGePoint3d ring[4] = {corners[0], corners[1], corners[3], corners[2]};
    return polygon(4, ring);
}

bool Extents_Draw::image(const ZcGiImage& img)
{
    if (!img.clip.empty()) return polygon(uint32_t(img.clip.size()), img.clip.data());
    ZcGePoint3d ring[4] = {img.origin, img.origin + img.u, img.origin + img.u + img.v, img.origin + img.v};
    return polygon(4, ring);
}

bool Extents_Draw::draw(const ZcDbEntity* entity)
{
    if (entity == nullptr) return false;
    if (mDrawNested || !mClips.empty()) {
        if (mNesting >= kMaxBlockNesting) return false;
        ++mNesting;
        const_cast<ZcDbEntity*>(entity)->worldDraw(this);
        --mNesting;
        return false;
    }
    ZcDbExtents e;
    if (entity->getGeomExtents(e) != Zcad::eOk) return false;
    const ZcGePoint3d& a = e.minPoint();
    const ZcGePoint3d& b = e.maxPoint();
    for (int i = 0; i < 8; ++i) add(ZcGePoint3d((i & 1) ? b.x : a.x, (i & 2) ? b.y : a.y, (i & 4) ? b.z : a.z));
    return false;
}

bool Extents_Draw::pushModelTransform(const ZcGeMatrix3d& xMat)
{
    mStack.push_back(current() * xMat);
    return false;
}

bool Extents_Draw::popModelTransform()
{
    if (!mStack.empty()) mStack.pop_back();
    return false;
}

bool Extents_Draw::pushClipBoundary(const ZcGiClipBoundary& boundary)
{
    Clip c;
    for (const ZcGePoint3d& p : boundary.points) c.ring.push_back(current() * p);
    c.inverted = boundary.inverted;
    // A boundary of fewer than three points clips nothing; it is kept so that pops pair up.
    if (c.ring.size() < 3) c.inverted = true, c.ring.clear();
    mClips.push_back(std::move(c));
    return false;
}

bool Extents_Draw::popClipBoundary()
{
    if (!mClips.empty()) mClips.pop_back();
    return false;
}

}  // namespace platform
