// ZcDbPolyline (LWPOLYLINE).
#include <algorithm>
#include <cmath>
#include <vector>

#include "db/dbpl.h"
#include "db/geom_util.h"
#include "db/gi.h"

using platform::kTwoPi;

ZCRX_DXF_DEFINE_MEMBERS(ZcDbPolyline, ZcDbCurve, 0, 0, 0, LWPOLYLINE, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite
#define ZC_WRITE_OR_RETURN() \
    if (!assertWriteEnabled()) return

namespace {
ZcGePoint3d To_World(const ZcGeVector3d& normal, double elevation, const ZcGePoint2d& p)
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(normal, x, y);
    return ZcGePoint3d::kOrigin + x * p.x + y * p.y + normal.normal() * elevation;
}
}  // namespace

unsigned int ZcDbPolyline::numSegments() const
{
    unsigned n = numVerts();
    if (n < 2) return 0;
    return mClosed ? n : n - 1;
}

Zcad::ErrorStatus ZcDbPolyline::addVertexAt(unsigned int index, const ZcGePoint2d& pt, double bulge,
                                            double startWidth, double endWidth, int32_t vertexIdentifier)
{
    if (index > numVerts()) return Zcad::eInvalidIndex;
    ZC_WRITE_OR_FAIL();
    Vertex v;
    v.point = pt;
    v.bulge = bulge;
    v.startWidth = startWidth < 0.0 ? 0.0 : startWidth;
    v.endWidth = endWidth < 0.0 ? 0.0 : endWidth;
    v.id = vertexIdentifier;
    mVertices.insert(mVertices.begin() + index, v);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::removeVertexAt(unsigned int index)
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    ZC_WRITE_OR_FAIL();
    mVertices.erase(mVertices.begin() + index);
    return Zcad::eOk;
}

void ZcDbPolyline::reset(bool reuse, unsigned int n)
{
    ZC_WRITE_OR_RETURN();
    if (!reuse) mVertices.clear();
    else if (n < numVerts()) mVertices.resize(n);
}

Zcad::ErrorStatus ZcDbPolyline::getPointAt(unsigned int index, ZcGePoint2d& pt) const
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    pt = mVertices[index].point;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAt(unsigned int index, ZcGePoint3d& pt) const
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    pt = To_World(mNormal, mElevation, mVertices[index].point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setPointAt(unsigned int index, const ZcGePoint2d& pt)
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    ZC_WRITE_OR_FAIL();
    mVertices[index].point = pt;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    bulge = mVertices[index].bulge;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setBulgeAt(unsigned int index, double bulge)
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    ZC_WRITE_OR_FAIL();
    mVertices[index].bulge = bulge;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    startWidth = mVertices[index].startWidth;
    endWidth = mVertices[index].endWidth;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth)
{
    if (index >= numVerts()) return Zcad::eInvalidIndex;
    if (startWidth < 0.0 || endWidth < 0.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mVertices[index].startWidth = startWidth;
    mVertices[index].endWidth = endWidth;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getConstantWidth(double& width) const
{
    width = 0.0;
    if (mVertices.empty()) return Zcad::eOk;
    width = mVertices[0].startWidth;
    for (const Vertex& v : mVertices)
        if (v.startWidth != width || v.endWidth != width) return Zcad::eInvalidInput;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::setConstantWidth(double width)
{
    if (width < 0.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    for (Vertex& v : mVertices) v.startWidth = v.endWidth = width;
    return Zcad::eOk;
}

bool ZcDbPolyline::hasWidth() const
{
    for (const Vertex& v : mVertices)
        if (v.startWidth != 0.0 || v.endWidth != 0.0) return true;
    return false;
}

bool ZcDbPolyline::hasBulges() const
{
    for (const Vertex& v : mVertices)
        if (v.bulge != 0.0) return true;
    return false;
}

void ZcDbPolyline::setClosed(bool closed) { ZC_WRITE_OR_RETURN(); mClosed = closed; }
void ZcDbPolyline::setElevation(double elev) { ZC_WRITE_OR_RETURN(); mElevation = elev; }
void ZcDbPolyline::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return;
    ZC_WRITE_OR_RETURN();
    mNormal = n.normal();
}
Zcad::ErrorStatus ZcDbPolyline::setThickness(double t) { ZC_WRITE_OR_FAIL(); mThickness = t; return Zcad::eOk; }
void ZcDbPolyline::setPlinegen(bool p) { ZC_WRITE_OR_RETURN(); mPlinegen = p; }

ZcDb::SegType ZcDbPolyline::segType(unsigned int index) const
{
    unsigned n = numVerts();
    if (n == 0 || index >= n) return ZcDb::kEmpty;
    if (n == 1 || index >= numSegments()) return ZcDb::kPoint;
    const Vertex& a = mVertices[index];
    const Vertex& b = mVertices[(index + 1) % n];
    if (a.point.isEqualTo(b.point)) return ZcDb::kCoincident;
    return a.bulge != 0.0 ? ZcDb::kArc : ZcDb::kLine;
}

Zcad::ErrorStatus ZcDbPolyline::getLineSegAt(unsigned int index, ZcGePoint3d& start, ZcGePoint3d& end) const
{
    ZcDb::SegType t = segType(index);
    if (t != ZcDb::kLine && t != ZcDb::kCoincident) return Zcad::eInvalidInput;
    getPointAt(index, start);
    getPointAt((index + 1) % numVerts(), end);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getArcSegAt(unsigned int index, ZcGePoint3d& center, double& radius,
                                            double& startAngle, double& endAngle) const
{
    if (segType(index) != ZcDb::kArc) return Zcad::eInvalidInput;
    const Vertex& a = mVertices[index];
    const Vertex& b = mVertices[(index + 1) % numVerts()];
    ZcGePoint2d c;
    platform::Bulge_To_Arc(a.point, b.point, a.bulge, c, radius, startAngle, endAngle);
    center = To_World(mNormal, mElevation, c);
    return Zcad::eOk;
}

double ZcDbPolyline::length() const
{
    double e = 0.0, d = 0.0;
    getEndParam(e);
    getDistAtParam(e, d);
    return d;
}

Zcad::ErrorStatus ZcDbPolyline::getEndParam(double& param) const
{
    param = double(numSegments());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getPointAtParam(double param, ZcGePoint3d& point) const
{
    unsigned segs = numSegments();
    if (numVerts() == 0) return Zcad::eDegenerateGeometry;
    if (param < -1e-12 || param > segs + 1e-12) return Zcad::eInvalidInput;
    if (segs == 0) return getPointAt(0, point);
    unsigned i = param >= segs ? segs - 1 : unsigned(std::floor(param));
    double f = param - i;
    const Vertex& a = mVertices[i];
    const Vertex& b = mVertices[(i + 1) % numVerts()];
    ZcGePoint2d p;
    ZcGePoint2d c;
    double r = 0, s = 0, e = 0;
    if (a.bulge != 0.0 && platform::Bulge_To_Arc(a.point, b.point, a.bulge, c, r, s, e)) {
        double sweep = 4.0 * std::atan(a.bulge);
        double a0 = std::atan2(a.point.y - c.y, a.point.x - c.x) + sweep * f;
        p.set(c.x + r * std::cos(a0), c.y + r * std::sin(a0));
    } else {
        p.set(a.point.x + (b.point.x - a.point.x) * f, a.point.y + (b.point.y - a.point.y) * f);
    }
    point = To_World(mNormal, mElevation, p);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::getDistAtParam(double param, double& dist) const
{
    unsigned segs = numSegments();
    if (param < -1e-12 || param > segs + 1e-12) return Zcad::eInvalidInput;
    dist = 0.0;
    for (unsigned i = 0; i < segs && param > i; ++i) {
        double f = std::min(1.0, param - i);
        const Vertex& a = mVertices[i];
        const Vertex& b = mVertices[(i + 1) % numVerts()];
        double chord = a.point.distanceTo(b.point);
        if (a.bulge != 0.0 && chord > 0.0) {
            double theta = std::fabs(4.0 * std::atan(a.bulge));
            double r = chord / (2.0 * std::sin(theta / 2.0));
            dist += r * theta * f;
        } else {
            dist += chord * f;
        }
    }
    return Zcad::eOk;
}

void ZcDbPolyline::samplePolyline(ZcGePoint3dArray& points, ZcGeDoubleArray& params) const
{
    unsigned segs = numSegments();
    if (numVerts() == 0) return;
    for (unsigned i = 0; i < segs; ++i) {
        int steps = mVertices[i].bulge != 0.0 ? 64 : 1;
        for (int k = (i == 0 ? 0 : 1); k <= steps; ++k) {
            double t = i + double(k) / steps;
            ZcGePoint3d p;
            getPointAtParam(t, p);
            points.append(p);
            params.append(t);
        }
    }
    if (segs == 0) {
        ZcGePoint3d p;
        getPointAt(0, p);
        points.append(p);
        params.append(0.0);
    }
}

Zcad::ErrorStatus ZcDbPolyline::subTransformBy(const ZcGeMatrix3d& xform)
{
    double scale = 1.0;
    bool uniform = platform::Is_Uniform(xform, scale);
    if (!uniform && hasBulges()) return Zcad::eNotApplicable;
    ZcGeVector3d n;
    bool mirrored = false;
    if (!platform::Transformed_Plane(xform, mNormal, n, mirrored)) return Zcad::eDegenerateGeometry;
    ZcGeVector3d nx, ny;
    platform::Plane_Axes(n, nx, ny);
    double elevation = mElevation;
    bool first = true;
    for (Vertex& v : mVertices) {
        ZcGePoint3d w = To_World(mNormal, mElevation, v.point);
        w.transformBy(xform);
        ZcGeVector3d o = w.asVector();
        v.point.set(o.dotProduct(nx), o.dotProduct(ny));
        if (first) elevation = o.dotProduct(n);
        first = false;
        if (mirrored) v.bulge = -v.bulge;
        if (uniform) {
            v.startWidth *= scale;
            v.endWidth *= scale;
        }
    }
    if (mVertices.empty()) elevation = (ZcGePoint3d::kOrigin + mNormal * mElevation).transformBy(xform).asVector().dotProduct(n);
    mNormal = n;
    mElevation = elevation;
    if (uniform) mThickness *= scale;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    unsigned segs = numSegments();
    if (segs == 0) return Zcad::eNotApplicable;
    for (unsigned i = 0; i < segs; ++i) {
        const Vertex& a = mVertices[i];
        const Vertex& b = mVertices[(i + 1) % numVerts()];
        ZcDbEntity* piece = nullptr;
        ZcGePoint2d c;
        double r = 0, s = 0, e = 0;
        if (a.bulge != 0.0 && platform::Bulge_To_Arc(a.point, b.point, a.bulge, c, r, s, e)) {
            piece = new ZcDbArc(To_World(mNormal, mElevation, c), mNormal, r, s, e);
        } else {
            piece = new ZcDbLine(To_World(mNormal, mElevation, a.point), To_World(mNormal, mElevation, b.point));
        }
        piece->setPropertiesFrom(this);
        entitySet.append(piece);
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyline::subGetGeomExtents(ZcDbExtents& extents) const
{
    if (mVertices.empty()) return Zcad::eInvalidExtents;
    // Wide segments reach beyond the centre line: the box of the bands drawn.
    if (hasWidth()) return ZcDbEntity::subGetGeomExtents(extents);
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    for (unsigned i = 0; i < numVerts(); ++i) extents.addPoint(To_World(mNormal, mElevation, mVertices[i].point));
    for (unsigned i = 0; i < numSegments(); ++i) {
        const Vertex& a = mVertices[i];
        const Vertex& b = mVertices[(i + 1) % numVerts()];
        ZcGePoint2d c;
        double r = 0, s = 0, e = 0;
        if (a.bulge == 0.0 || !platform::Bulge_To_Arc(a.point, b.point, a.bulge, c, r, s, e)) continue;
        if (e <= s) e += kTwoPi;
        platform::Add_Ellipse_Arc_Extents(extents, To_World(mNormal, mElevation, c), x * r, y * r, s, e);
    }
    return Zcad::eOk;
}

namespace {
// The outline of a wide segment as a polygon: offsets of half the width on both sides,
// the width changing linearly from start to end.
std::vector<ZcGePoint3d> Wide_Segment(const ZcGeVector3d& normal, double elevation, const ZcGePoint2d& a,
                                      const ZcGePoint2d& b, double bulge, double startWidth, double endWidth)
{
    std::vector<ZcGePoint2d> left, right;
    ZcGePoint2d c;
    double r = 0, s = 0, e = 0;
    if (bulge != 0.0 && platform::Bulge_To_Arc(a, b, bulge, c, r, s, e)) {
        double sweep = 4.0 * std::atan(bulge);
        double a0 = std::atan2(a.y - c.y, a.x - c.x);
        const int n = 32;
        for (int k = 0; k <= n; ++k) {
            double f = double(k) / n;
            double ang = a0 + sweep * f;
            double half = (startWidth + (endWidth - startWidth) * f) / 2.0;
            // Outward offset for a counter-clockwise arc is +r; the sides swap for clockwise arcs.
            left.emplace_back(c.x + (r - half) * std::cos(ang), c.y + (r - half) * std::sin(ang));
            right.emplace_back(c.x + (r + half) * std::cos(ang), c.y + (r + half) * std::sin(ang));
        }
    } else {
        ZcGeVector2d d = b - a;
        double len = d.length();
        if (len <= 0.0) return {};
        ZcGeVector2d n(-d.y / len, d.x / len);
        left.push_back(a + n * (startWidth / 2.0));
        left.push_back(b + n * (endWidth / 2.0));
        right.push_back(a - n * (startWidth / 2.0));
        right.push_back(b - n * (endWidth / 2.0));
    }
    std::vector<ZcGePoint3d> outline;
    for (const ZcGePoint2d& p : left) outline.push_back(To_World(normal, elevation, p));
    for (auto it = right.rbegin(); it != right.rend(); ++it) outline.push_back(To_World(normal, elevation, *it));
    return outline;
}
}  // namespace

bool ZcDbPolyline::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (hasWidth()) {
        // Wide segments are filled outlines; segments without width stay lines and arcs.
        ZcGiFillType previous = mode->subEntityTraits().fillType();
        for (unsigned i = 0; i < numSegments(); ++i) {
            const Vertex& a = mVertices[i];
            const Vertex& b = mVertices[(i + 1) % numVerts()];
            if (a.startWidth == 0.0 && a.endWidth == 0.0) {
                ZcDbPolyline piece;
                piece.setNormal(mNormal);
                piece.setElevation(mElevation);
                piece.addVertexAt(0, a.point, a.bulge);
                piece.addVertexAt(1, b.point);
                piece.subWorldDraw(mode);
                continue;
            }
            std::vector<ZcGePoint3d> outline =
                Wide_Segment(mNormal, mElevation, a.point, b.point, a.bulge, a.startWidth, a.endWidth);
            if (outline.size() < 3) continue;
            mode->subEntityTraits().setFillType(kZcGiFillAlways);
            mode->geometry().polygon(uint32_t(outline.size()), outline.data());
        }
        mode->subEntityTraits().setFillType(previous);
        return true;
    }
    if (numVerts() == 1) {
        ZcGePoint3d p;
        getPointAt(0, p);
        ZcGePoint3d pts[2] = {p, p};
        mode->geometry().polyline(2, pts);
        return true;
    }
    mode->geometry().pline(*this);
    return true;
}

bool ZcGiWorldGeometry::pline(const ZcDbPolyline& pl, uint32_t fromIndex, uint32_t numSegs)
{
    const unsigned segments = pl.numSegments();
    const unsigned end = numSegs == 0 ? segments : std::min(segments, fromIndex + numSegs);
    const ZcGeVector3d normal = pl.normal();
    const double elevation = pl.elevation();
    ZcGePoint3dArray run;
    auto flush = [&]() {
        if (run.length() >= 2) polyline(uint32_t(run.length()), &run[0]);
        run.setLogicalLength(0);
    };
    ZcGeVector3d x, y;
    platform::Plane_Axes(normal, x, y);
    for (unsigned i = fromIndex; i < end; ++i) {
        ZcGePoint2d a, b;
        double bulge = 0.0;
        pl.getPointAt(i, a);
        pl.getPointAt((i + 1) % pl.numVerts(), b);
        pl.getBulgeAt(i, bulge);
        ZcGePoint2d c;
        double r = 0, s = 0, e = 0;
        if (bulge != 0.0 && platform::Bulge_To_Arc(a, b, bulge, c, r, s, e)) {
            flush();
            if (e <= s) e += kTwoPi;
            ZcGeVector3d startVec = x * std::cos(s) + y * std::sin(s);
            if (circularArc(To_World(normal, elevation, c), r, normal, startVec, e - s)) return true;
        } else {
            if (run.isEmpty()) run.append(To_World(normal, elevation, a));
            run.append(To_World(normal, elevation, b));
        }
    }
    flush();
    return false;
}

Zcad::ErrorStatus ZcDbPolyline::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t n = 0;
    f->readInt32(&n);
    mVertices.assign(size_t(n > 0 ? n : 0), Vertex());
    for (Vertex& v : mVertices) {
        f->readPoint2d(&v.point);
        f->readDouble(&v.bulge);
        f->readDouble(&v.startWidth);
        f->readDouble(&v.endWidth);
        f->readInt32(&v.id);
    }
    f->readBool(&mClosed);
    f->readBool(&mPlinegen);
    f->readDouble(&mElevation);
    f->readDouble(&mThickness);
    f->readVector3d(&mNormal);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbPolyline::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writeInt32(int32_t(mVertices.size()));
    for (const Vertex& v : mVertices) {
        f->writePoint2d(v.point);
        f->writeDouble(v.bulge);
        f->writeDouble(v.startWidth);
        f->writeDouble(v.endWidth);
        f->writeInt32(v.id);
    }
    f->writeBool(mClosed);
    f->writeBool(mPlinegen);
    f->writeDouble(mElevation);
    f->writeDouble(mThickness);
    f->writeVector3d(mNormal);
    return f->filerStatus();
}
