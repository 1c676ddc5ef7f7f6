// ZcGePlane: an infinite plane through a point with a normal.
#pragma once

#include "ge/gepnt3d.h"

class ZcGePlane {
public:
    ZcGePlane() = default; // the XY plane
    // normal need not be unit length; a zero normal gives the XY plane's normal.
    ZcGePlane(const ZcGePoint3d& origin, const ZcGeVector3d& normal);

    static const ZcGePlane kXYPlane;
    static const ZcGePlane kYZPlane;
    static const ZcGePlane kZXPlane;

    const ZcGePoint3d& pointOnPlane() const { return mOrigin; }
    const ZcGeVector3d& normal() const { return mNormal; } // unit length
    // The signed distance of p from the plane (positive on the normal's side).
    double signedDistanceTo(const ZcGePoint3d& p) const;
    double distanceTo(const ZcGePoint3d& p) const;
    bool isOn(const ZcGePoint3d& p, const ZcGeTol& tol = ZcGeContext::gTol) const;

private:
    ZcGePoint3d mOrigin;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
};
