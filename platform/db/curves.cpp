// Line, circle, arc and ellipse.
#include <cmath>

#include "db/dbcurve.h"
#include "db/geom_util.h"
#include "db/gi.h"

using platform::kPi;
using platform::kTwoPi;

ZCRX_DXF_DEFINE_MEMBERS(ZcDbLine, ZcDbCurve, 0, 0, 0, LINE, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbCircle, ZcDbCurve, 0, 0, 0, CIRCLE, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbArc, ZcDbCurve, 0, 0, 0, ARC, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbEllipse, ZcDbCurve, 0, 0, 0, ELLIPSE, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

// Line.

Zcad::ErrorStatus ZcDbLine::setStartPoint(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mStart = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbLine::setEndPoint(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mEnd = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbLine::setThickness(double t) { ZC_WRITE_OR_FAIL(); mThickness = t; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbLine::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLine::getEndParam(double& param) const
{
    param = mStart.distanceTo(mEnd);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLine::getPointAtParam(double param, ZcGePoint3d& point) const
{
    double len = mStart.distanceTo(mEnd);
    if (param < -1e-9 || param > len + 1e-9) return Zcad::eInvalidInput;
    point = len > 0 ? mStart + (mEnd - mStart) * (param / len) : mStart;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLine::subTransformBy(const ZcGeMatrix3d& xform)
{
    mStart.transformBy(xform);
    mEnd.transformBy(xform);
    ZcGeVector3d n = platform::Xform_Vector(xform, mNormal);
    if (!n.isZeroLength()) mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLine::subGetGeomExtents(ZcDbExtents& extents) const
{
    extents.addPoint(mStart);
    extents.addPoint(mEnd);
    return Zcad::eOk;
}
bool ZcDbLine::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGePoint3d pts[2] = {mStart, mEnd};
    mode->geometry().polyline(2, pts);
    return true;
}
Zcad::ErrorStatus ZcDbLine::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mStart);
    f->readPoint3d(&mEnd);
    f->readDouble(&mThickness);
    f->readVector3d(&mNormal);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDbLine::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writePoint3d(mStart);
    f->writePoint3d(mEnd);
    f->writeDouble(mThickness);
    f->writeVector3d(mNormal);
    return f->filerStatus();
}

// Circle.

ZcDbCircle::ZcDbCircle(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius)
    : mCenter(center), mRadius(radius), mNormal(normal.isZeroLength() ? ZcGeVector3d::kZAxis : normal.normal())
{
}
Zcad::ErrorStatus ZcDbCircle::setCenter(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mCenter = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbCircle::setRadius(double r)
{
    if (!(r > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mRadius = r;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbCircle::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbCircle::setThickness(double t) { ZC_WRITE_OR_FAIL(); mThickness = t; return Zcad::eOk; }
double ZcDbCircle::circumference() const { return kTwoPi * mRadius; }
Zcad::ErrorStatus ZcDbCircle::getEndParam(double& param) const
{
    param = kTwoPi;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbCircle::getPointAtParam(double param, ZcGePoint3d& point) const
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    point = mCenter + x * (mRadius * std::cos(param)) + y * (mRadius * std::sin(param));
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbCircle::subTransformBy(const ZcGeMatrix3d& xform)
{
    double scale = 1.0;
    if (!platform::Is_Uniform(xform, scale)) return Zcad::eNotApplicable;
    mCenter.transformBy(xform);
    mRadius *= scale;
    ZcGeVector3d n = platform::Xform_Vector(xform, mNormal);
    if (!n.isZeroLength()) mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbCircle::subGetGeomExtents(ZcDbExtents& extents) const
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    platform::Add_Ellipse_Arc_Extents(extents, mCenter, x * mRadius, y * mRadius, 0.0, kTwoPi);
    return Zcad::eOk;
}
bool ZcDbCircle::subWorldDraw(ZcGiWorldDraw* mode)
{
    mode->geometry().circle(mCenter, mRadius, mNormal);
    return true;
}
Zcad::ErrorStatus ZcDbCircle::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mCenter);
    f->readDouble(&mRadius);
    f->readVector3d(&mNormal);
    f->readDouble(&mThickness);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDbCircle::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writePoint3d(mCenter);
    f->writeDouble(mRadius);
    f->writeVector3d(mNormal);
    f->writeDouble(mThickness);
    return f->filerStatus();
}

// Arc.

ZcDbArc::ZcDbArc(const ZcGePoint3d& center, double radius, double startAngle, double endAngle)
    : mCenter(center), mRadius(radius), mStartAngle(platform::Normalize_Angle(startAngle)),
      mEndAngle(platform::Normalize_Angle(endAngle))
{
}
ZcDbArc::ZcDbArc(const ZcGePoint3d& center, const ZcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : ZcDbArc(center, radius, startAngle, endAngle)
{
    mNormal = normal.isZeroLength() ? ZcGeVector3d::kZAxis : normal.normal();
}
Zcad::ErrorStatus ZcDbArc::setCenter(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mCenter = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbArc::setRadius(double r)
{
    if (!(r > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mRadius = r;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbArc::setStartAngle(double a) { ZC_WRITE_OR_FAIL(); mStartAngle = platform::Normalize_Angle(a); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbArc::setEndAngle(double a) { ZC_WRITE_OR_FAIL(); mEndAngle = platform::Normalize_Angle(a); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbArc::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbArc::setThickness(double t) { ZC_WRITE_OR_FAIL(); mThickness = t; return Zcad::eOk; }
double ZcDbArc::totalAngle() const
{
    double sweep = mEndAngle - mStartAngle;
    if (sweep <= 0.0) sweep += kTwoPi;
    return sweep;
}
Zcad::ErrorStatus ZcDbArc::getStartParam(double& param) const
{
    param = mStartAngle;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbArc::getEndParam(double& param) const
{
    param = mStartAngle + totalAngle();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbArc::getPointAtParam(double param, ZcGePoint3d& point) const
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    point = mCenter + x * (mRadius * std::cos(param)) + y * (mRadius * std::sin(param));
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbArc::subTransformBy(const ZcGeMatrix3d& xform)
{
    double scale = 1.0;
    if (!platform::Is_Uniform(xform, scale)) return Zcad::eNotApplicable;
    ZcGeVector3d n;
    bool mirrored = false;
    if (!platform::Transformed_Plane(xform, mNormal, n, mirrored)) return Zcad::eDegenerateGeometry;
    ZcGePoint3d s, e;
    getStartPoint(s);
    getEndPoint(e);
    s.transformBy(xform);
    e.transformBy(xform);
    mCenter.transformBy(xform);
    mRadius *= scale;
    mNormal = n;
    ZcGeVector3d nx, ny;
    platform::Plane_Axes(mNormal, nx, ny);
    double a0 = platform::Angle_In_Plane(s - mCenter, nx, ny);
    double a1 = platform::Angle_In_Plane(e - mCenter, nx, ny);
    if (mirrored) std::swap(a0, a1);
    mStartAngle = a0;
    mEndAngle = a1;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbArc::subGetGeomExtents(ZcDbExtents& extents) const
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    platform::Add_Ellipse_Arc_Extents(extents, mCenter, x * mRadius, y * mRadius, mStartAngle,
                                      mStartAngle + totalAngle());
    return Zcad::eOk;
}
bool ZcDbArc::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    ZcGeVector3d start = x * std::cos(mStartAngle) + y * std::sin(mStartAngle);
    mode->geometry().circularArc(mCenter, mRadius, mNormal, start, totalAngle());
    return true;
}
Zcad::ErrorStatus ZcDbArc::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mCenter);
    f->readDouble(&mRadius);
    f->readDouble(&mStartAngle);
    f->readDouble(&mEndAngle);
    f->readVector3d(&mNormal);
    f->readDouble(&mThickness);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDbArc::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writePoint3d(mCenter);
    f->writeDouble(mRadius);
    f->writeDouble(mStartAngle);
    f->writeDouble(mEndAngle);
    f->writeVector3d(mNormal);
    f->writeDouble(mThickness);
    return f->filerStatus();
}

// Ellipse.

ZcDbEllipse::ZcDbEllipse(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal, const ZcGeVector3d& majorAxis,
                         double radiusRatio, double startAngle, double endAngle)
{
    mCenter = center;
    mNormal = unitNormal.isZeroLength() ? ZcGeVector3d::kZAxis : unitNormal.normal();
    mMajorAxis = majorAxis;
    mRatio = radiusRatio;
    mStartParam = startAngle;
    mEndParam = endAngle;
}
Zcad::ErrorStatus ZcDbEllipse::set(const ZcGePoint3d& center, const ZcGeVector3d& unitNormal,
                                   const ZcGeVector3d& majorAxis, double radiusRatio, double startAngle,
                                   double endAngle)
{
    if (majorAxis.isZeroLength() || unitNormal.isZeroLength() || !(radiusRatio > 0.0) || radiusRatio > 1.0 + 1e-12 ||
        !unitNormal.isPerpendicularTo(majorAxis, ZcGeTol(1e-10, 1e-9)))
        return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mCenter = center;
    mNormal = unitNormal.normal();
    mMajorAxis = majorAxis;
    mRatio = radiusRatio;
    mStartParam = startAngle;
    mEndParam = endAngle;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbEllipse::setCenter(const ZcGePoint3d& c) { ZC_WRITE_OR_FAIL(); mCenter = c; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbEllipse::setRadiusRatio(double r)
{
    if (!(r > 0.0) || r > 1.0 + 1e-12) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mRatio = r;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbEllipse::setStartParam(double p) { ZC_WRITE_OR_FAIL(); mStartParam = p; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbEllipse::setEndParam(double p) { ZC_WRITE_OR_FAIL(); mEndParam = p; return Zcad::eOk; }
ZcGeVector3d ZcDbEllipse::minorAxis() const { return mNormal.crossProduct(mMajorAxis) * mRatio; }
bool ZcDbEllipse::isClosed() const
{
    double e = 0.0;
    getEndParam(e);
    return std::fabs(e - mStartParam - kTwoPi) < 1e-9;
}
Zcad::ErrorStatus ZcDbEllipse::getEndParam(double& param) const
{
    double sweep = mEndParam - mStartParam;
    sweep = std::fmod(sweep, kTwoPi);
    if (sweep <= 1e-12) sweep += kTwoPi;
    param = mStartParam + sweep;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbEllipse::getPointAtParam(double param, ZcGePoint3d& point) const
{
    point = mCenter + mMajorAxis * std::cos(param) + minorAxis() * std::sin(param);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbEllipse::subTransformBy(const ZcGeMatrix3d& xform)
{
    // Any affine map takes the ellipse to an ellipse: a = L major and b = L minor are conjugate
    // semi-diameters; its axes follow from them.
    ZcGeVector3d a = platform::Xform_Vector(xform, mMajorAxis);
    ZcGeVector3d b = platform::Xform_Vector(xform, minorAxis());
    ZcGeVector3d n = a.crossProduct(b);
    if (n.isZeroLength()) return Zcad::eDegenerateGeometry;
    n = n.normal();
    double start = mStartParam, end = 0.0;
    getEndParam(end);
    bool closed = isClosed();
    ZcGeVector3d ln = platform::Xform_Vector(xform, mNormal);
    if (n.dotProduct(ln) < 0.0) {
        // Mirrored: keep the normal on the side of the transformed normal, run the parameter backwards.
        b = -b;
        n = -n;
        double s = -end, e = -start;
        start = s;
        end = e;
    }
    double t0 = 0.5 * std::atan2(2.0 * a.dotProduct(b), a.lengthSqrd() - b.lengthSqrd());
    ZcGeVector3d major = a * std::cos(t0) + b * std::sin(t0);
    ZcGeVector3d minor = a * -std::sin(t0) + b * std::cos(t0);
    if (minor.length() > major.length()) {
        major = minor;
        t0 += kPi / 2.0;
    }
    double ratio = major.length() > 0 ? (a.crossProduct(b).length() / major.lengthSqrd()) : 1.0;
    mCenter.transformBy(xform);
    mNormal = n;
    mMajorAxis = major;
    mRatio = std::min(1.0, ratio);
    if (closed) {
        mStartParam = 0.0;
        mEndParam = kTwoPi;
    } else {
        mStartParam = platform::Normalize_Angle(start - t0);
        mEndParam = platform::Normalize_Angle(end - t0);
    }
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbEllipse::subGetGeomExtents(ZcDbExtents& extents) const
{
    double end = 0.0;
    getEndParam(end);
    platform::Add_Ellipse_Arc_Extents(extents, mCenter, mMajorAxis, minorAxis(), mStartParam, end);
    return Zcad::eOk;
}
bool ZcDbEllipse::subWorldDraw(ZcGiWorldDraw* mode)
{
    double end = 0.0;
    getEndParam(end);
    ZcGePoint3dArray pts = platform::Sample_Ellipse_Arc(mCenter, mMajorAxis, minorAxis(), mStartParam, end, 128);
    mode->geometry().polyline(uint32_t(pts.length()), pts.isEmpty() ? nullptr : &pts[0]);
    return true;
}
Zcad::ErrorStatus ZcDbEllipse::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbCurve::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mCenter);
    f->readVector3d(&mNormal);
    f->readVector3d(&mMajorAxis);
    f->readDouble(&mRatio);
    f->readDouble(&mStartParam);
    f->readDouble(&mEndParam);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDbEllipse::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbCurve::dwgOutFields(f);
    f->writePoint3d(mCenter);
    f->writeVector3d(mNormal);
    f->writeVector3d(mMajorAxis);
    f->writeDouble(mRatio);
    f->writeDouble(mStartParam);
    f->writeDouble(mEndParam);
    return f->filerStatus();
}
