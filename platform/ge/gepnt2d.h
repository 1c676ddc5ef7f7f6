// ZcGePoint2d: a 2D point.
#pragma once

#include "ge/gevec2d.h"

class ZcGePoint3d;

class ZcGePoint2d {
public:
    ZcGePoint2d() = default;
    constexpr ZcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    static const ZcGePoint2d kOrigin;

    ZcGePoint2d operator+(const ZcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    ZcGePoint2d operator-(const ZcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    ZcGeVector2d operator-(const ZcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    ZcGePoint2d& operator+=(const ZcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    ZcGePoint2d& operator-=(const ZcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    bool operator==(const ZcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const ZcGePoint2d& p) const { return !isEqualTo(p); }
    double operator[](unsigned i) const { return i == 0 ? x : y; }
    double& operator[](unsigned i) { return i == 0 ? x : y; }

    ZcGePoint2d& set(double xx, double yy) { x = xx; y = yy; return *this; }
    double distanceTo(const ZcGePoint2d& p) const;
    ZcGeVector2d asVector() const { return {x, y}; }
    // The point with z = 0 (or the given z).
    ZcGePoint3d convert3d(double z = 0.0) const;
    ZcGePoint2d& transformBy(const ZcGeMatrix2d& m);
    ZcGePoint2d& rotateBy(double angle, const ZcGePoint2d& wrtPoint = kOrigin);
    ZcGePoint2d& scaleBy(double factor, const ZcGePoint2d& wrtPoint = kOrigin);
    bool isEqualTo(const ZcGePoint2d& p, const ZcGeTol& tol = ZcGeContext::gTol) const;

    double x = 0.0;
    double y = 0.0;
};

ZcGePoint2d operator*(const ZcGeMatrix2d& m, const ZcGePoint2d& p);
