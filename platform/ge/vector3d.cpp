// 3D vectors and points.
#include <cmath>

#include "direction_tests.h"
#include "ge/gemat3d.h"
#include "ge/gepnt2d.h"

const ZcGeVector3d ZcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const ZcGeVector3d ZcGeVector3d::kZAxis(0.0, 0.0, 1.0);
const ZcGePoint3d ZcGePoint3d::kOrigin(0.0, 0.0, 0.0);

double ZcGeVector3d::length() const { return std::sqrt(lengthSqrd()); }

double ZcGeVector3d::angleTo(const ZcGeVector3d& v) const
{
    // atan2 of |cross| and dot stays accurate near 0 and pi.
    return std::atan2(crossProduct(v).length(), dotProduct(v));
}

double ZcGeVector3d::angleTo(const ZcGeVector3d& v, const ZcGeVector3d& refVec) const
{
    const double a = angleTo(v);
    if (crossProduct(v).dotProduct(refVec) < 0.0)
        return 2.0 * M_PI - a;
    return a;
}

ZcGeVector3d ZcGeVector3d::normal(const ZcGeTol& tol) const
{
    ZcGeVector3d v(*this);
    return v.normalize(tol);
}

ZcGeVector3d& ZcGeVector3d::normalize(const ZcGeTol& tol)
{
    const double len = length();
    if (len > tol.equalVector()) {
        x /= len;
        y /= len;
        z /= len;
    }
    return *this;
}

ZcGeVector3d ZcGeVector3d::perpVector() const
{
    const ZcGeVector3d n = normal();
    const double limit = 1.0 / 64.0;
    const ZcGeVector3d axis = (std::fabs(n.x) < limit && std::fabs(n.y) < limit) ? kYAxis : kZAxis;
    return axis.crossProduct(n).normal();
}

ZcGeVector3d& ZcGeVector3d::rotateBy(double angle, const ZcGeVector3d& axis)
{
    return transformBy(ZcGeMatrix3d::rotation(angle, axis));
}

ZcGeVector3d& ZcGeVector3d::transformBy(const ZcGeMatrix3d& m) { return *this = m * *this; }

ZcGeVector2d ZcGeVector3d::convert2d() const { return {x, y}; }

bool ZcGeVector3d::isZeroLength(const ZcGeTol& tol) const { return length() <= tol.equalVector(); }

bool ZcGeVector3d::isUnitLength(const ZcGeTol& tol) const
{
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool ZcGeVector3d::isParallelTo(const ZcGeVector3d& v, const ZcGeTol& tol) const
{
    return zcge_detail::isParallel(*this, v, tol);
}

bool ZcGeVector3d::isCodirectionalTo(const ZcGeVector3d& v, const ZcGeTol& tol) const
{
    return zcge_detail::isCodirectional(*this, v, tol);
}

bool ZcGeVector3d::isPerpendicularTo(const ZcGeVector3d& v, const ZcGeTol& tol) const
{
    return zcge_detail::isPerpendicular(*this, v, tol);
}

bool ZcGeVector3d::isEqualTo(const ZcGeVector3d& v, const ZcGeTol& tol) const
{
    return (*this - v).length() <= tol.equalVector();
}

double ZcGePoint3d::distanceTo(const ZcGePoint3d& p) const { return (*this - p).length(); }

ZcGePoint2d ZcGePoint3d::convert2d() const { return {x, y}; }

ZcGePoint3d& ZcGePoint3d::transformBy(const ZcGeMatrix3d& m) { return *this = m * *this; }

ZcGePoint3d& ZcGePoint3d::rotateBy(double angle, const ZcGeVector3d& axis,
                                   const ZcGePoint3d& wrtPoint)
{
    return transformBy(ZcGeMatrix3d::rotation(angle, axis, wrtPoint));
}

ZcGePoint3d& ZcGePoint3d::scaleBy(double factor, const ZcGePoint3d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint) * factor;
}

ZcGePoint3d& ZcGePoint3d::mirror(const ZcGePlane& plane)
{
    return *this -= plane.normal() * (2.0 * plane.signedDistanceTo(*this));
}

ZcGePoint3d ZcGePoint3d::orthoProject(const ZcGePlane& plane) const
{
    return *this - plane.normal() * plane.signedDistanceTo(*this);
}

bool ZcGePoint3d::isEqualTo(const ZcGePoint3d& p, const ZcGeTol& tol) const
{
    return distanceTo(p) <= tol.equalPoint();
}

ZcGeVector3d operator*(const ZcGeMatrix3d& m, const ZcGeVector3d& v)
{
    ZcGeVector3d r;
    for (int i = 0; i < 3; ++i)
        r[i] = m.entry[i][0] * v.x + m.entry[i][1] * v.y + m.entry[i][2] * v.z;
    return r;
}

ZcGePoint3d operator*(const ZcGeMatrix3d& m, const ZcGePoint3d& p)
{
    double r[4];
    for (int i = 0; i < 4; ++i)
        r[i] = m.entry[i][0] * p.x + m.entry[i][1] * p.y + m.entry[i][2] * p.z + m.entry[i][3];
    if (r[3] != 1.0 && r[3] != 0.0)
        return {r[0] / r[3], r[1] / r[3], r[2] / r[3]};
    return {r[0], r[1], r[2]};
}
