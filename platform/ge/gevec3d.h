// ZcGeVector3d: a 3D vector.
#pragma once

#include "ge/getol.h"

class ZcGeMatrix3d;
class ZcGeVector2d;

class ZcGeVector3d {
public:
    ZcGeVector3d() = default;
    constexpr ZcGeVector3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const ZcGeVector3d kIdentity; // (0,0,0)
    static const ZcGeVector3d kXAxis;
    static const ZcGeVector3d kYAxis;
    static const ZcGeVector3d kZAxis;

    ZcGeVector3d operator+(const ZcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    ZcGeVector3d operator-(const ZcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    ZcGeVector3d operator-() const { return {-x, -y, -z}; }
    ZcGeVector3d operator*(double s) const { return {x * s, y * s, z * s}; }
    ZcGeVector3d operator/(double s) const { return {x / s, y / s, z / s}; }
    ZcGeVector3d& operator+=(const ZcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    ZcGeVector3d& operator-=(const ZcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    ZcGeVector3d& operator*=(double s) { x *= s; y *= s; z *= s; return *this; }
    ZcGeVector3d& operator/=(double s) { x /= s; y /= s; z /= s; return *this; }
    bool operator==(const ZcGeVector3d& v) const { return isEqualTo(v); }
    bool operator!=(const ZcGeVector3d& v) const { return !isEqualTo(v); }
    double operator[](unsigned i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned i) { return i == 0 ? x : (i == 1 ? y : z); }

    ZcGeVector3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    double length() const;
    double lengthSqrd() const { return x * x + y * y + z * z; }
    double dotProduct(const ZcGeVector3d& v) const { return x * v.x + y * v.y + z * v.z; }
    ZcGeVector3d crossProduct(const ZcGeVector3d& v) const
    {
        return {y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x};
    }
    // The unsigned angle to v, in [0, pi].
    double angleTo(const ZcGeVector3d& v) const;
    // The angle from this vector to v turning counter-clockwise about refVec, in [0, 2pi).
    double angleTo(const ZcGeVector3d& v, const ZcGeVector3d& refVec) const;
    ZcGeVector3d normal(const ZcGeTol& tol = ZcGeContext::gTol) const;
    // Makes the vector unit length; a zero-length vector stays as it is.
    ZcGeVector3d& normalize(const ZcGeTol& tol = ZcGeContext::gTol);
    // A unit vector perpendicular to this one (the arbitrary-axis rule of drawing files).
    ZcGeVector3d perpVector() const;
    ZcGeVector3d& rotateBy(double angle, const ZcGeVector3d& axis);
    // Applies the matrix without its translation.
    ZcGeVector3d& transformBy(const ZcGeMatrix3d& m);
    ZcGeVector2d convert2d() const;
    bool isZeroLength(const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isUnitLength(const ZcGeTol& tol = ZcGeContext::gTol) const;
    // Direction tests are false when either vector has zero length.
    bool isParallelTo(const ZcGeVector3d& v, const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isCodirectionalTo(const ZcGeVector3d& v, const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isPerpendicularTo(const ZcGeVector3d& v, const ZcGeTol& tol = ZcGeContext::gTol) const;
    bool isEqualTo(const ZcGeVector3d& v, const ZcGeTol& tol = ZcGeContext::gTol) const;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline ZcGeVector3d operator*(double s, const ZcGeVector3d& v) { return v * s; }
ZcGeVector3d operator*(const ZcGeMatrix3d& m, const ZcGeVector3d& v);
