// ZcDbExtents: an axis-aligned box. A new box is empty (invalid) until a point is added.
#pragma once

#include "ge/gemat3d.h"
#include "ge/gept3dar.h"
#include "rx/zcadstrc.h"

class ZcDbExtents {
public:
    ZcDbExtents(); // empty
    // The box min..max; an empty box when min exceeds max in any coordinate.
    ZcDbExtents(const ZcGePoint3d& min, const ZcGePoint3d& max);

    const ZcGePoint3d& minPoint() const { return mMin; }
    const ZcGePoint3d& maxPoint() const { return mMax; }
    // eInvalidExtents (box unchanged) when min exceeds max in any coordinate.
    Zcad::ErrorStatus set(const ZcGePoint3d& min, const ZcGePoint3d& max);
    void addPoint(const ZcGePoint3d& p);
    void addPoints(const ZcGePoint3dArray& points);
    // Grows to hold ext too; an empty ext changes nothing.
    void addExt(const ZcDbExtents& ext);
    // Grows to hold min + v and max + v. An empty box stays empty (eInvalidExtents).
    Zcad::ErrorStatus expandBy(const ZcGeVector3d& v);
    // The box around the eight transformed corners. An empty box stays empty
    // (eInvalidExtents).
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& m);
    bool isValid() const;
    // Back to empty.
    void reset();

private:
    ZcGePoint3d mMin;
    ZcGePoint3d mMax;
};
