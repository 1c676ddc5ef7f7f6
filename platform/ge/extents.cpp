// Axis-aligned boxes.
#include "ge/extents.h"

#include <algorithm>

namespace {
const double kEmpty = 1e20;

bool ordered(const ZcGePoint3d& min, const ZcGePoint3d& max)
{
    return min.x <= max.x && min.y <= max.y && min.z <= max.z;
}
} // namespace

ZcDbExtents::ZcDbExtents() { reset(); }

ZcDbExtents::ZcDbExtents(const ZcGePoint3d& min, const ZcGePoint3d& max)
{
    reset();
    set(min, max);
}

void ZcDbExtents::reset()
{
    mMin.set(kEmpty, kEmpty, kEmpty);
    mMax.set(-kEmpty, -kEmpty, -kEmpty);
}

bool ZcDbExtents::isValid() const { return ordered(mMin, mMax); }

Zcad::ErrorStatus ZcDbExtents::set(const ZcGePoint3d& min, const ZcGePoint3d& max)
{
    if (!ordered(min, max))
        return Zcad::eInvalidExtents;
    mMin = min;
    mMax = max;
    return Zcad::eOk;
}

void ZcDbExtents::addPoint(const ZcGePoint3d& p)
{
    for (unsigned i = 0; i < 3; ++i) {
        mMin[i] = std::min(mMin[i], p[i]);
        mMax[i] = std::max(mMax[i], p[i]);
    }
}

void ZcDbExtents::addPoints(const ZcGePoint3dArray& points)
{
    for (const ZcGePoint3d& p : points)
        addPoint(p);
}

void ZcDbExtents::addExt(const ZcDbExtents& ext)
{
    if (!ext.isValid())
        return;
    addPoint(ext.mMin);
    addPoint(ext.mMax);
}

Zcad::ErrorStatus ZcDbExtents::expandBy(const ZcGeVector3d& v)
{
    if (!isValid())
        return Zcad::eInvalidExtents;
    for (unsigned i = 0; i < 3; ++i) {
        if (v[i] > 0.0)
            mMax[i] += v[i];
        else
            mMin[i] += v[i];
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbExtents::transformBy(const ZcGeMatrix3d& m)
{
    if (!isValid())
        return Zcad::eInvalidExtents;
    const ZcGePoint3d lo = mMin, hi = mMax;
    reset();
    for (int corner = 0; corner < 8; ++corner) {
        ZcGePoint3d p((corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y,
                      (corner & 4) ? hi.z : lo.z);
        addPoint(m * p);
    }
    return Zcad::eOk;
}
