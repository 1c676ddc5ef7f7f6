#include <cmath>

#include "ge/geplane.h"

const ZcGePlane ZcGePlane::kXYPlane(ZcGePoint3d(0.0, 0.0, 0.0), ZcGeVector3d(0.0, 0.0, 1.0));
const ZcGePlane ZcGePlane::kYZPlane(ZcGePoint3d(0.0, 0.0, 0.0), ZcGeVector3d(1.0, 0.0, 0.0));
const ZcGePlane ZcGePlane::kZXPlane(ZcGePoint3d(0.0, 0.0, 0.0), ZcGeVector3d(0.0, 1.0, 0.0));

ZcGePlane::ZcGePlane(const ZcGePoint3d& origin, const ZcGeVector3d& normal) : mOrigin(origin)
{
    if (!normal.isZeroLength())
        mNormal = normal.normal();
}

double ZcGePlane::signedDistanceTo(const ZcGePoint3d& p) const
{
    return (p - mOrigin).dotProduct(mNormal);
}

double ZcGePlane::distanceTo(const ZcGePoint3d& p) const { return std::fabs(signedDistanceTo(p)); }

bool ZcGePlane::isOn(const ZcGePoint3d& p, const ZcGeTol& tol) const
{
    return distanceTo(p) <= tol.equalPoint();
}
