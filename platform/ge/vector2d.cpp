// 2D vectors and points.
#include <cmath>

#include "direction_tests.h"
#include "ge/gemat2d.h"
#include "ge/gepnt3d.h"

const ZcGeVector2d ZcGeVector2d::kIdentity(0.0, 0.0);
const ZcGeVector2d ZcGeVector2d::kXAxis(1.0, 0.0);
const ZcGeVector2d ZcGeVector2d::kYAxis(0.0, 1.0);
const ZcGePoint2d ZcGePoint2d::kOrigin(0.0, 0.0);

double ZcGeVector2d::length() const { return std::hypot(x, y); }

double ZcGeVector2d::angle() const
{
    const double a = std::atan2(y, x);
    return a < 0.0 ? a + 2.0 * M_PI : a;
}

double ZcGeVector2d::angleTo(const ZcGeVector2d& v) const
{
    // atan2 of cross and dot stays accurate near 0 and pi.
    return std::atan2(std::fabs(x * v.y - y * v.x), dotProduct(v));
}

ZcGeVector2d ZcGeVector2d::normal(const ZcGeTol& tol) const
{
    ZcGeVector2d v(*this);
    return v.normalize(tol);
}

ZcGeVector2d& ZcGeVector2d::normalize(const ZcGeTol& tol)
{
    const double len = length();
    if (len > tol.equalVector()) {
        x /= len;
        y /= len;
    }
    return *this;
}

ZcGeVector2d& ZcGeVector2d::rotateBy(double a)
{
    const double c = std::cos(a), s = std::sin(a);
    return set(c * x - s * y, s * x + c * y);
}

ZcGeVector2d& ZcGeVector2d::transformBy(const ZcGeMatrix2d& m) { return *this = m * *this; }

ZcGeVector3d ZcGeVector2d::convert3d() const { return {x, y, 0.0}; }

bool ZcGeVector2d::isZeroLength(const ZcGeTol& tol) const { return length() <= tol.equalVector(); }

bool ZcGeVector2d::isUnitLength(const ZcGeTol& tol) const
{
    return std::fabs(length() - 1.0) <= tol.equalVector();
}

bool ZcGeVector2d::isParallelTo(const ZcGeVector2d& v, const ZcGeTol& tol) const
{
    return zcge_detail::isParallel(*this, v, tol);
}

bool ZcGeVector2d::isCodirectionalTo(const ZcGeVector2d& v, const ZcGeTol& tol) const
{
    return zcge_detail::isCodirectional(*this, v, tol);
}

bool ZcGeVector2d::isPerpendicularTo(const ZcGeVector2d& v, const ZcGeTol& tol) const
{
    return zcge_detail::isPerpendicular(*this, v, tol);
}

bool ZcGeVector2d::isEqualTo(const ZcGeVector2d& v, const ZcGeTol& tol) const
{
    return (*this - v).length() <= tol.equalVector();
}

double ZcGePoint2d::distanceTo(const ZcGePoint2d& p) const { return (*this - p).length(); }

ZcGePoint3d ZcGePoint2d::convert3d(double z) const { return {x, y, z}; }

ZcGePoint2d& ZcGePoint2d::transformBy(const ZcGeMatrix2d& m) { return *this = m * *this; }

ZcGePoint2d& ZcGePoint2d::rotateBy(double a, const ZcGePoint2d& wrtPoint)
{
    return transformBy(ZcGeMatrix2d::rotation(a, wrtPoint));
}

ZcGePoint2d& ZcGePoint2d::scaleBy(double factor, const ZcGePoint2d& wrtPoint)
{
    return *this = wrtPoint + (*this - wrtPoint) * factor;
}

bool ZcGePoint2d::isEqualTo(const ZcGePoint2d& p, const ZcGeTol& tol) const
{
    return distanceTo(p) <= tol.equalPoint();
}

ZcGeVector2d operator*(const ZcGeMatrix2d& m, const ZcGeVector2d& v)
{
    return {m.entry[0][0] * v.x + m.entry[0][1] * v.y, m.entry[1][0] * v.x + m.entry[1][1] * v.y};
}

ZcGePoint2d operator*(const ZcGeMatrix2d& m, const ZcGePoint2d& p)
{
    return {m.entry[0][0] * p.x + m.entry[0][1] * p.y + m.entry[0][2],
            m.entry[1][0] * p.x + m.entry[1][1] * p.y + m.entry[1][2]};
}
