// ZcGePoint3d: a 3D point.
#pragma once

#include "ge/gevec3d.h"

class ZcGePoint2d;
class ZcGePlane;

class ZcGePoint3d {
public:
    ZcGePoint3d() = default;
    constexpr ZcGePoint3d(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}

    static const ZcGePoint3d kOrigin;

    ZcGePoint3d operator+(const ZcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
    ZcGePoint3d operator-(const ZcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
    ZcGeVector3d operator-(const ZcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
    ZcGePoint3d& operator+=(const ZcGeVector3d& v) { x += v.x; y += v.y; z += v.z; return *this; }
    ZcGePoint3d& operator-=(const ZcGeVector3d& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    bool operator==(const ZcGePoint3d& p) const { return isEqualTo(p); }
    bool operator!=(const ZcGePoint3d& p) const { return !isEqualTo(p); }
    double operator[](unsigned i) const { return i == 0 ? x : (i == 1 ? y : z); }
    double& operator[](unsigned i) { return i == 0 ? x : (i == 1 ? y : z); }

    ZcGePoint3d& set(double xx, double yy, double zz) { x = xx; y = yy; z = zz; return *this; }
    double distanceTo(const ZcGePoint3d& p) const;
    ZcGeVector3d asVector() const { return {x, y, z}; }
    // The point without its z.
    ZcGePoint2d convert2d() const;
    ZcGePoint3d& transformBy(const ZcGeMatrix3d& m);
    ZcGePoint3d& rotateBy(double angle, const ZcGeVector3d& axis,
                          const ZcGePoint3d& wrtPoint = kOrigin);
    ZcGePoint3d& scaleBy(double factor, const ZcGePoint3d& wrtPoint = kOrigin);
    ZcGePoint3d& mirror(const ZcGePlane& plane);
    // The orthogonal projection onto the plane.
    ZcGePoint3d orthoProject(const ZcGePlane& plane) const;
    bool isEqualTo(const ZcGePoint3d& p, const ZcGeTol& tol = ZcGeContext::gTol) const;

    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

ZcGePoint3d operator*(const ZcGeMatrix3d& m, const ZcGePoint3d& p);
