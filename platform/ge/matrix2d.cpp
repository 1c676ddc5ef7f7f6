// 3x3 matrices of 2D transformations.
#include <cmath>

#include "ge/gemat2d.h"

const ZcGeMatrix2d ZcGeMatrix2d::kIdentity;

ZcGeMatrix2d ZcGeMatrix2d::operator*(const ZcGeMatrix2d& m) const
{
    ZcGeMatrix2d r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum += entry[i][k] * m.entry[k][j];
            r.entry[i][j] = sum;
        }
    return r;
}

ZcGeMatrix2d& ZcGeMatrix2d::setToIdentity() { return *this = ZcGeMatrix2d(); }

ZcGeMatrix2d& ZcGeMatrix2d::postMultBy(const ZcGeMatrix2d& right) { return *this = *this * right; }

ZcGeMatrix2d& ZcGeMatrix2d::preMultBy(const ZcGeMatrix2d& left) { return *this = left * *this; }

ZcGeMatrix2d& ZcGeMatrix2d::setToTranslation(const ZcGeVector2d& v)
{
    setToIdentity();
    entry[0][2] = v.x;
    entry[1][2] = v.y;
    return *this;
}

ZcGeMatrix2d& ZcGeMatrix2d::setToRotation(double angle, const ZcGePoint2d& center)
{
    setToIdentity();
    const double c = std::cos(angle), s = std::sin(angle);
    entry[0][0] = c;
    entry[0][1] = -s;
    entry[1][0] = s;
    entry[1][1] = c;
    entry[0][2] = center.x - (c * center.x - s * center.y);
    entry[1][2] = center.y - (s * center.x + c * center.y);
    return *this;
}

ZcGeMatrix2d& ZcGeMatrix2d::setToScaling(double scale, const ZcGePoint2d& center)
{
    setToIdentity();
    entry[0][0] = entry[1][1] = scale;
    entry[0][2] = center.x * (1.0 - scale);
    entry[1][2] = center.y * (1.0 - scale);
    return *this;
}

ZcGeMatrix2d& ZcGeMatrix2d::setToMirroring(const ZcGePoint2d& point)
{
    return setToScaling(-1.0, point);
}

ZcGeMatrix2d& ZcGeMatrix2d::setToMirroring(const ZcGePoint2d& point, const ZcGeVector2d& direction)
{
    setToIdentity();
    if (direction.isZeroLength())
        return *this;
    const ZcGeVector2d d = direction.normal();
    // Reflection about the line: 2 d d^T - I, keeping point fixed.
    entry[0][0] = 2.0 * d.x * d.x - 1.0;
    entry[0][1] = 2.0 * d.x * d.y;
    entry[1][0] = 2.0 * d.x * d.y;
    entry[1][1] = 2.0 * d.y * d.y - 1.0;
    entry[0][2] = point.x - (entry[0][0] * point.x + entry[0][1] * point.y);
    entry[1][2] = point.y - (entry[1][0] * point.x + entry[1][1] * point.y);
    return *this;
}

double ZcGeMatrix2d::det() const
{
    const auto& m = entry;
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

bool ZcGeMatrix2d::isSingular(const ZcGeTol& tol) const
{
    double bound = 1.0;
    for (int j = 0; j < 3; ++j)
        bound *= std::sqrt(entry[0][j] * entry[0][j] + entry[1][j] * entry[1][j] +
                           entry[2][j] * entry[2][j]);
    if (bound == 0.0 || !std::isfinite(bound))
        return true;
    return std::fabs(det()) / bound <= tol.equalVector();
}

bool ZcGeMatrix2d::inverse(ZcGeMatrix2d& inv, const ZcGeTol& tol) const
{
    if (isSingular(tol))
        return false;
    const auto& m = entry;
    const double d = det();
    ZcGeMatrix2d r;
    r.entry[0][0] = (m[1][1] * m[2][2] - m[1][2] * m[2][1]) / d;
    r.entry[0][1] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) / d;
    r.entry[0][2] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) / d;
    r.entry[1][0] = (m[1][2] * m[2][0] - m[1][0] * m[2][2]) / d;
    r.entry[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) / d;
    r.entry[1][2] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) / d;
    r.entry[2][0] = (m[1][0] * m[2][1] - m[1][1] * m[2][0]) / d;
    r.entry[2][1] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) / d;
    r.entry[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) / d;
    inv = r;
    return true;
}

ZcGeMatrix2d ZcGeMatrix2d::inverse() const
{
    ZcGeMatrix2d inv;
    if (!inverse(inv))
        inv.setToIdentity();
    return inv;
}

ZcGeMatrix2d& ZcGeMatrix2d::invert()
{
    ZcGeMatrix2d inv;
    if (inverse(inv))
        *this = inv;
    return *this;
}

bool ZcGeMatrix2d::isEqualTo(const ZcGeMatrix2d& m, const ZcGeTol& tol) const
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (std::fabs(entry[i][j] - m.entry[i][j]) > tol.equalPoint())
                return false;
    return true;
}

ZcGeVector2d ZcGeMatrix2d::translation() const { return {entry[0][2], entry[1][2]}; }

ZcGeMatrix2d ZcGeMatrix2d::translation(const ZcGeVector2d& v)
{
    return ZcGeMatrix2d().setToTranslation(v);
}

ZcGeMatrix2d ZcGeMatrix2d::rotation(double angle, const ZcGePoint2d& center)
{
    return ZcGeMatrix2d().setToRotation(angle, center);
}

ZcGeMatrix2d ZcGeMatrix2d::scaling(double scale, const ZcGePoint2d& center)
{
    return ZcGeMatrix2d().setToScaling(scale, center);
}
