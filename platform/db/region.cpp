#include <algorithm>
#include <cmath>

#include "db/db_classes.h"
#include "db/dbpl.h"
#include "db/dbregion.h"
#include "db/gi.h"
#include "ge/gemat3d.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbRegion, ZcDbEntity, 0, 0, 0, REGION, AutoCAD)

namespace {

const bool gRegionRegistered = [] {
    platform::Register_Db_Classes();
    ZcDbRegion::rxInit();
    return true;
}();

constexpr int kArcSamples = 16;     // points per bulged polyline segment
constexpr int kCurveSamples = 128;  // points around any other closed curve
constexpr double kPlaneTolerance = 1e-9;

bool Inside_Polygon(const std::vector<ZcGePoint2d>& polygon, const ZcGePoint2d& p)
{
    bool inside = false;
    const size_t n = polygon.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const ZcGePoint2d& a = polygon[i];
        const ZcGePoint2d& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

double Signed_Area(const std::vector<ZcGePoint2d>& polygon)
{
    double twice = 0.0;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
        twice += polygon[j].x * polygon[i].y - polygon[i].x * polygon[j].y;
    return twice / 2.0;
}

// Parameter along a-b where it crosses c-d, when the two cross properly or touch.
bool Crossing_Param(const ZcGePoint2d& a, const ZcGePoint2d& b, const ZcGePoint2d& c, const ZcGePoint2d& d,
                    double& t)
{
    const double rx = b.x - a.x, ry = b.y - a.y, sx = d.x - c.x, sy = d.y - c.y;
    const double denom = rx * sy - ry * sx;
    if (std::fabs(denom) < 1e-300)
        return false;
    const double qx = c.x - a.x, qy = c.y - a.y;
    t = (qx * sy - qy * sx) / denom;
    const double u = (qx * ry - qy * rx) / denom;
    return t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0;
}

// The curve as a closed polygon in the x-y plane; false when it is open, not flat in a plane
// parallel to it, or encloses nothing.
bool Curve_Polygon(const ZcDbCurve& curve, std::vector<ZcGePoint2d>& polygon)
{
    ZcGePoint3d start, end;
    if (curve.getStartPoint(start) != Zcad::eOk || curve.getEndPoint(end) != Zcad::eOk)
        return false;
    if (!curve.isClosed() && !start.isEqualTo(end))
        return false;
    ZcGePoint3dArray points;
    if (const auto* pline = ZcDbPolyline::cast(&curve)) {
        for (unsigned int i = 0; i < pline->numVerts(); ++i) {
            double bulge = 0.0;
            pline->getBulgeAt(i, bulge);
            const bool last = i + 1 == pline->numVerts();
            if (bulge == 0.0 || (last && !pline->isClosed())) {
                ZcGePoint3d p;
                pline->getPointAt(i, p);
                points.append(p);
                continue;
            }
            for (int k = 0; k < kArcSamples; ++k) {
                ZcGePoint3d p;
                pline->getPointAtParam(i + static_cast<double>(k) / kArcSamples, p);
                points.append(p);
            }
        }
    } else if (curve.getSamplePoints(kCurveSamples + 1, points) != Zcad::eOk) {
        return false;
    }
    polygon.clear();
    for (int i = 0; i < points.length(); ++i) {
        if (std::fabs(points[i].z - points[0].z) > kPlaneTolerance)
            return false;
        const ZcGePoint2d p(points[i].x, points[i].y);
        if (polygon.empty() || !polygon.back().isEqualTo(p))
            polygon.push_back(p);
    }
    while (polygon.size() > 1 && polygon.back().isEqualTo(polygon.front()))
        polygon.pop_back();
    return polygon.size() >= 3 && Signed_Area(polygon) != 0.0;
}

}  // namespace

Zcad::ErrorStatus ZcDbRegion::createFromCurves(const ZcDbVoidPtrArray& curveSegments, ZcDbVoidPtrArray& regions)
{
    bool made = false;
    for (int i = 0; i < curveSegments.length(); ++i) {
        const auto* curve = ZcDbCurve::cast(static_cast<ZcRxObject*>(curveSegments[i]));
        std::vector<ZcGePoint2d> polygon;
        if (curve == nullptr || !Curve_Polygon(*curve, polygon))
            continue;
        auto* region = new ZcDbRegion();
        region->mLoops.push_back(Loop{std::move(polygon), false});
        regions.append(region);
        made = true;
    }
    return made ? Zcad::eOk : Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbRegion::booleanOper(ZcDb::BoolOperType operation, ZcDbRegion* other)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    if (other == nullptr || other == this)
        return Zcad::eInvalidInput;
    if (operation != ZcDb::kBoolSubtract)
        return Zcad::eNotImplemented;
    // What is cut from other would come back here: not represented.
    for (const Loop& loop : other->mLoops)
        if (loop.cut)
            return Zcad::eNotImplemented;
    for (Loop& loop : other->mLoops) {
        loop.cut = true;
        mLoops.push_back(std::move(loop));
    }
    other->mLoops.clear();
    return Zcad::eOk;
}

bool ZcDbRegion::contains(const ZcGePoint2d& point) const
{
    bool added = false;
    for (const Loop& loop : mLoops) {
        if (!Inside_Polygon(loop.points, point))
            continue;
        if (loop.cut)
            return false;
        added = true;
    }
    return added;
}

// The boundary of the area is made of the pieces of loop edges (split where they cross
// other loops' edges) that have the area on one side only; the area is the shoelace sum
// over those pieces, each taken with the area on its left.
Zcad::ErrorStatus ZcDbRegion::getArea(double& area) const
{
    area = 0.0;
    double size = 0.0;
    for (const Loop& loop : mLoops)
        for (const ZcGePoint2d& p : loop.points)
            size = std::max({size, std::fabs(p.x), std::fabs(p.y)});
    const double offset = std::max(size, 1.0) * 1e-9;

    std::vector<std::pair<ZcGePoint2d, ZcGePoint2d>> counted;
    for (size_t l = 0; l < mLoops.size(); ++l) {
        const std::vector<ZcGePoint2d>& poly = mLoops[l].points;
        for (size_t i = 0; i < poly.size(); ++i) {
            const ZcGePoint2d a = poly[i], b = poly[(i + 1) % poly.size()];
            std::vector<double> cuts{0.0, 1.0};
            for (size_t m = 0; m < mLoops.size(); ++m) {
                if (m == l) continue;
                const std::vector<ZcGePoint2d>& other = mLoops[m].points;
                for (size_t k = 0; k < other.size(); ++k) {
                    double t = 0.0;
                    if (Crossing_Param(a, b, other[k], other[(k + 1) % other.size()], t))
                        cuts.push_back(t);
                }
            }
            std::sort(cuts.begin(), cuts.end());
            for (size_t c = 0; c + 1 < cuts.size(); ++c) {
                if (cuts[c + 1] - cuts[c] <= 0.0) continue;
                const ZcGePoint2d p = a + (b - a) * cuts[c], q = a + (b - a) * cuts[c + 1];
                const ZcGeVector2d along = q - p;
                const double length = along.length();
                if (length == 0.0) continue;
                const ZcGeVector2d left(-along.y / length * offset, along.x / length * offset);
                const ZcGePoint2d mid = p + along / 2.0;
                const bool in_left = contains(mid + left), in_right = contains(mid - left);
                if (in_left == in_right) continue;
                // A piece lying on an edge of another loop bounds the area once.
                const auto same = [&](const std::pair<ZcGePoint2d, ZcGePoint2d>& s) {
                    return (s.first.isEqualTo(p) && s.second.isEqualTo(q)) ||
                           (s.first.isEqualTo(q) && s.second.isEqualTo(p));
                };
                if (std::any_of(counted.begin(), counted.end(), same)) continue;
                counted.emplace_back(p, q);
                const double cross = p.x * q.y - q.x * p.y;
                area += in_left ? cross / 2.0 : -cross / 2.0;
            }
        }
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRegion::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    mLoops.clear();
    int32_t loops = 0;
    f->readInt32(&loops);
    for (int32_t l = 0; l < loops && f->filerStatus() == Zcad::eOk; ++l) {
        Loop loop;
        bool cut = false;
        int32_t count = 0;
        f->readBool(&cut);
        f->readInt32(&count);
        loop.cut = cut;
        for (int32_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
            ZcGePoint2d p;
            f->readPoint2d(&p);
            loop.points.push_back(p);
        }
        mLoops.push_back(std::move(loop));
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbRegion::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeInt32(static_cast<int32_t>(mLoops.size()));
    for (const Loop& loop : mLoops) {
        f->writeBool(loop.cut);
        f->writeInt32(static_cast<int32_t>(loop.points.size()));
        for (const ZcGePoint2d& p : loop.points)
            f->writePoint2d(p);
    }
    return f->filerStatus();
}

bool ZcDbRegion::subWorldDraw(ZcGiWorldDraw* mode)
{
    for (const Loop& loop : mLoops) {
        ZcGePoint3dArray points;
        for (const ZcGePoint2d& p : loop.points)
            points.append(ZcGePoint3d(p.x, p.y, 0.0));
        if (!loop.points.empty())
            points.append(ZcGePoint3d(loop.points.front().x, loop.points.front().y, 0.0));
        mode->geometry().polyline(points.length(), points.asArrayPtr());
    }
    return true;
}

Zcad::ErrorStatus ZcDbRegion::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    for (Loop& loop : mLoops)
        for (ZcGePoint2d& p : loop.points) {
            ZcGePoint3d q(p.x, p.y, 0.0);
            q.transformBy(xform);
            p.set(q.x, q.y);
        }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRegion::subGetGeomExtents(ZcDbExtents& extents) const
{
    if (mLoops.empty()) return Zcad::eInvalidExtents;
    for (const Loop& loop : mLoops)
        for (const ZcGePoint2d& p : loop.points)
            extents.addPoint(ZcGePoint3d(p.x, p.y, 0.0));
    return Zcad::eOk;
}
