// 4x4 transformation matrices.
#include <cmath>
#include <utility>

#include "ge/gemat3d.h"

const ZcGeMatrix3d ZcGeMatrix3d::kIdentity;

namespace {
ZcGeVector3d column(const ZcGeMatrix3d& m, int c)
{
    return {m.entry[0][c], m.entry[1][c], m.entry[2][c]};
}

void setColumn(ZcGeMatrix3d& m, int c, const ZcGeVector3d& v)
{
    m.entry[0][c] = v.x;
    m.entry[1][c] = v.y;
    m.entry[2][c] = v.z;
}

// The plane system of a normal: X by the arbitrary-axis rule, Y = Z x X.
void planeAxes(const ZcGeVector3d& normal, ZcGeVector3d& x, ZcGeVector3d& y, ZcGeVector3d& z)
{
    z = normal.isZeroLength() ? ZcGeVector3d::kZAxis : normal.normal();
    x = z.perpVector();
    y = z.crossProduct(x).normal();
}
} // namespace

ZcGeMatrix3d ZcGeMatrix3d::operator*(const ZcGeMatrix3d& m) const
{
    return ZcGeMatrix3d().setToProduct(*this, m);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToIdentity() { return *this = ZcGeMatrix3d(); }

ZcGeMatrix3d& ZcGeMatrix3d::setToProduct(const ZcGeMatrix3d& a, const ZcGeMatrix3d& b)
{
    double r[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k)
                sum += a.entry[i][k] * b.entry[k][j];
            r[i][j] = sum;
        }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            entry[i][j] = r[i][j];
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::postMultBy(const ZcGeMatrix3d& right)
{
    return setToProduct(*this, right);
}

ZcGeMatrix3d& ZcGeMatrix3d::preMultBy(const ZcGeMatrix3d& left)
{
    return setToProduct(left, *this);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToTranslation(const ZcGeVector3d& v)
{
    setToIdentity();
    setColumn(*this, 3, v);
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::setToRotation(double angle, const ZcGeVector3d& axis,
                                          const ZcGePoint3d& center)
{
    setToIdentity();
    if (axis.isZeroLength())
        return *this;
    const ZcGeVector3d u = axis.normal();
    const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
    entry[0][0] = t * u.x * u.x + c;
    entry[0][1] = t * u.x * u.y - s * u.z;
    entry[0][2] = t * u.x * u.z + s * u.y;
    entry[1][0] = t * u.x * u.y + s * u.z;
    entry[1][1] = t * u.y * u.y + c;
    entry[1][2] = t * u.y * u.z - s * u.x;
    entry[2][0] = t * u.x * u.z - s * u.y;
    entry[2][1] = t * u.y * u.z + s * u.x;
    entry[2][2] = t * u.z * u.z + c;
    // Keep center fixed: p' = R (p - c) + c.
    const ZcGeVector3d shift = center.asVector() - (*this * center.asVector());
    setColumn(*this, 3, shift);
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::setToScaling(double scale, const ZcGePoint3d& center)
{
    return setToScaling(ZcGeScale3d(scale), center);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToScaling(const ZcGeScale3d& scale, const ZcGePoint3d& center)
{
    setToIdentity();
    for (int i = 0; i < 3; ++i) {
        entry[i][i] = scale[i];
        entry[i][3] = center[i] * (1.0 - scale[i]);
    }
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::setToMirroring(const ZcGePlane& plane)
{
    setToIdentity();
    const ZcGeVector3d n = plane.normal();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            entry[i][j] -= 2.0 * n[i] * n[j];
    const double d = plane.pointOnPlane().asVector().dotProduct(n);
    setColumn(*this, 3, n * (2.0 * d));
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::setToMirroring(const ZcGePoint3d& point)
{
    return setToScaling(-1.0, point);
}

ZcGeMatrix3d& ZcGeMatrix3d::setCoordSystem(const ZcGePoint3d& origin, const ZcGeVector3d& xAxis,
                                           const ZcGeVector3d& yAxis, const ZcGeVector3d& zAxis)
{
    setToIdentity();
    setColumn(*this, 0, xAxis);
    setColumn(*this, 1, yAxis);
    setColumn(*this, 2, zAxis);
    setColumn(*this, 3, origin.asVector());
    return *this;
}

void ZcGeMatrix3d::getCoordSystem(ZcGePoint3d& origin, ZcGeVector3d& xAxis, ZcGeVector3d& yAxis,
                                  ZcGeVector3d& zAxis) const
{
    xAxis = column(*this, 0);
    yAxis = column(*this, 1);
    zAxis = column(*this, 2);
    const ZcGeVector3d t = column(*this, 3);
    origin.set(t.x, t.y, t.z);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToAlignCoordSys(
    const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis, const ZcGeVector3d& fromYAxis,
    const ZcGeVector3d& fromZAxis, const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
    const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis)
{
    ZcGeMatrix3d from, to;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
    to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return setToProduct(to, from.inverse());
}

ZcGeMatrix3d& ZcGeMatrix3d::setToPlaneToWorld(const ZcGeVector3d& normal)
{
    ZcGeVector3d x, y, z;
    planeAxes(normal, x, y, z);
    return setCoordSystem(ZcGePoint3d::kOrigin, x, y, z);
}

ZcGeMatrix3d& ZcGeMatrix3d::setToWorldToPlane(const ZcGeVector3d& normal)
{
    // The plane system is orthonormal: its inverse is its transpose.
    setToPlaneToWorld(normal);
    return transposeIt();
}

bool ZcGeMatrix3d::inverse(ZcGeMatrix3d& inv, const ZcGeTol& tol) const
{
    if (isSingular(tol))
        return false;
    // Gauss-Jordan elimination with partial pivoting on [this | I].
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = entry[i][j];
            a[i][j + 4] = i == j ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (a[pivot][col] == 0.0)
            return false;
        if (pivot != col)
            for (int j = 0; j < 8; ++j)
                std::swap(a[pivot][j], a[col][j]);
        const double p = a[col][col];
        for (int j = 0; j < 8; ++j)
            a[col][j] /= p;
        for (int r = 0; r < 4; ++r) {
            if (r == col || a[r][col] == 0.0)
                continue;
            const double f = a[r][col];
            for (int j = 0; j < 8; ++j)
                a[r][j] -= f * a[col][j];
        }
    }
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            inv.entry[i][j] = a[i][j + 4];
    return true;
}

ZcGeMatrix3d ZcGeMatrix3d::inverse() const
{
    ZcGeMatrix3d inv;
    if (!inverse(inv))
        inv.setToIdentity();
    return inv;
}

ZcGeMatrix3d& ZcGeMatrix3d::invert()
{
    ZcGeMatrix3d inv;
    if (inverse(inv))
        *this = inv;
    return *this;
}

ZcGeMatrix3d& ZcGeMatrix3d::transposeIt()
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            std::swap(entry[i][j], entry[j][i]);
    return *this;
}

ZcGeMatrix3d ZcGeMatrix3d::transpose() const
{
    ZcGeMatrix3d t(*this);
    return t.transposeIt();
}

double ZcGeMatrix3d::det() const
{
    // Laplace expansion along the first row over 3x3 minors.
    auto minor3 = [this](int skipCol) {
        int c[3], n = 0;
        for (int j = 0; j < 4; ++j)
            if (j != skipCol)
                c[n++] = j;
        const double(*m)[4] = entry;
        return m[1][c[0]] * (m[2][c[1]] * m[3][c[2]] - m[2][c[2]] * m[3][c[1]]) -
               m[1][c[1]] * (m[2][c[0]] * m[3][c[2]] - m[2][c[2]] * m[3][c[0]]) +
               m[1][c[2]] * (m[2][c[0]] * m[3][c[1]] - m[2][c[1]] * m[3][c[0]]);
    };
    double d = 0.0;
    for (int j = 0; j < 4; ++j)
        d += (j % 2 == 0 ? 1.0 : -1.0) * entry[0][j] * minor3(j);
    return d;
}

bool ZcGeMatrix3d::isSingular(const ZcGeTol& tol) const
{
    // |det| relative to the product of the column lengths (Hadamard's bound) measures how
    // far the columns are from dependent, whatever their scale.
    double bound = 1.0;
    for (int j = 0; j < 4; ++j) {
        double sq = 0.0;
        for (int i = 0; i < 4; ++i)
            sq += entry[i][j] * entry[i][j];
        bound *= std::sqrt(sq);
    }
    if (bound == 0.0 || !std::isfinite(bound))
        return true;
    return std::fabs(det()) / bound <= tol.equalVector();
}

bool ZcGeMatrix3d::isEqualTo(const ZcGeMatrix3d& m, const ZcGeTol& tol) const
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (std::fabs(entry[i][j] - m.entry[i][j]) > tol.equalPoint())
                return false;
    return true;
}

bool ZcGeMatrix3d::isAffine(const ZcGeTol& tol) const
{
    return std::fabs(entry[3][0]) <= tol.equalVector() &&
           std::fabs(entry[3][1]) <= tol.equalVector() &&
           std::fabs(entry[3][2]) <= tol.equalVector() &&
           std::fabs(entry[3][3] - 1.0) <= tol.equalVector();
}

bool ZcGeMatrix3d::isScaledOrtho(const ZcGeTol& tol) const
{
    if (!isAffine(tol))
        return false;
    const ZcGeVector3d c[3] = {column(*this, 0), column(*this, 1), column(*this, 2)};
    for (int i = 0; i < 3; ++i)
        if (c[i].isZeroLength(tol))
            return false;
    return c[0].isPerpendicularTo(c[1], tol) && c[1].isPerpendicularTo(c[2], tol) &&
           c[0].isPerpendicularTo(c[2], tol);
}

bool ZcGeMatrix3d::isUniScaledOrtho(const ZcGeTol& tol) const
{
    if (!isScaledOrtho(tol))
        return false;
    const double l0 = column(*this, 0).length();
    const double l1 = column(*this, 1).length();
    const double l2 = column(*this, 2).length();
    const double slack = tol.equalVector() * l0;
    return std::fabs(l0 - l1) <= slack && std::fabs(l0 - l2) <= slack;
}

ZcGeVector3d ZcGeMatrix3d::translation() const { return column(*this, 3); }

double ZcGeMatrix3d::scale() const
{
    double largest = 0.0;
    for (int j = 0; j < 3; ++j)
        largest = std::fmax(largest, column(*this, j).length());
    return largest;
}

ZcGeMatrix3d ZcGeMatrix3d::translation(const ZcGeVector3d& v)
{
    return ZcGeMatrix3d().setToTranslation(v);
}

ZcGeMatrix3d ZcGeMatrix3d::rotation(double angle, const ZcGeVector3d& axis,
                                    const ZcGePoint3d& center)
{
    return ZcGeMatrix3d().setToRotation(angle, axis, center);
}

ZcGeMatrix3d ZcGeMatrix3d::scaling(double scale, const ZcGePoint3d& center)
{
    return ZcGeMatrix3d().setToScaling(scale, center);
}

ZcGeMatrix3d ZcGeMatrix3d::scaling(const ZcGeScale3d& scale, const ZcGePoint3d& center)
{
    return ZcGeMatrix3d().setToScaling(scale, center);
}

ZcGeMatrix3d ZcGeMatrix3d::mirroring(const ZcGePlane& plane)
{
    return ZcGeMatrix3d().setToMirroring(plane);
}

ZcGeMatrix3d ZcGeMatrix3d::mirroring(const ZcGePoint3d& point)
{
    return ZcGeMatrix3d().setToMirroring(point);
}

ZcGeMatrix3d ZcGeMatrix3d::alignCoordSys(
    const ZcGePoint3d& fromOrigin, const ZcGeVector3d& fromXAxis, const ZcGeVector3d& fromYAxis,
    const ZcGeVector3d& fromZAxis, const ZcGePoint3d& toOrigin, const ZcGeVector3d& toXAxis,
    const ZcGeVector3d& toYAxis, const ZcGeVector3d& toZAxis)
{
    return ZcGeMatrix3d().setToAlignCoordSys(fromOrigin, fromXAxis, fromYAxis, fromZAxis,
                                             toOrigin, toXAxis, toYAxis, toZAxis);
}

ZcGeMatrix3d ZcGeMatrix3d::worldToPlane(const ZcGeVector3d& normal)
{
    return ZcGeMatrix3d().setToWorldToPlane(normal);
}

ZcGeMatrix3d ZcGeMatrix3d::planeToWorld(const ZcGeVector3d& normal)
{
    return ZcGeMatrix3d().setToPlaneToWorld(normal);
}

ZcGeMatrix3d ZcGeMatrix3d::planeToWorld(const ZcGePlane& plane)
{
    ZcGeMatrix3d m;
    m.setToPlaneToWorld(plane.normal());
    setColumn(m, 3, plane.pointOnPlane().asVector());
    return m;
}

ZcGeMatrix3d ZcGeMatrix3d::worldToPlane(const ZcGePlane& plane)
{
    return planeToWorld(plane).inverse();
}
