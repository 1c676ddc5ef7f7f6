// ZcDbRegion: a planar area in the x-y plane bounded by closed loops. Made from closed curves;
// holes and overlaps come from subtracting other regions.
#pragma once
#include <vector>

#include "db/dbentity.h"
#include "ge/gepnt2d.h"

namespace ZcDb {
enum BoolOperType { kBoolUnite = 0, kBoolIntersect = 1, kBoolSubtract = 2 };
}

class ZcDbRegion : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegion);
    ZcDbRegion() = default;

    // One region for each closed planar curve of curveSegments (pointers to ZcDbCurve), the
    // new regions (owned by the caller) appended to regions. Curves are sampled where they
    // bend. eInvalidInput when no region resulted.
    static Zcad::ErrorStatus createFromCurves(const ZcDbVoidPtrArray& curveSegments, ZcDbVoidPtrArray& regions);

    // Only kBoolSubtract: this region loses the area of other, which is left empty.
    Zcad::ErrorStatus booleanOper(ZcDb::BoolOperType operation, ZcDbRegion* other);
    Zcad::ErrorStatus getArea(double& area) const;
    bool isNull() const { return mLoops.empty(); }
    // Whether the point lies inside the area (on a boundary it may go either way).
    bool contains(const ZcGePoint2d& point) const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;

private:
    // A closed polygon: its inside is added to the area, or taken away from it when cut.
    struct Loop {
        std::vector<ZcGePoint2d> points;
        bool cut = false;
    };
    std::vector<Loop> mLoops;
};
