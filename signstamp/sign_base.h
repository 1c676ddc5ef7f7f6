// The base of the signature entities: closed outlines in loop form. A loop's count is
// its number of vertices, positive for an outer boundary and 0 or less for a hole; the
// points of all loops follow one another in loop order.
#pragma once

#include <cstdint>

#include "db/dbentity.h"
#include "ge/gept3dar.h"
#include "rx/zcarray.h"

class Sign_Base : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(Sign_Base);
    Sign_Base() = default;
    Sign_Base(const ZcArray<int32_t>& loop_counts, const ZcGePoint3dArray& points);

    const ZcArray<int32_t>& Loop_Counts() const { return m_Loop_Counts; }
    const ZcGePoint3dArray& Points() const { return m_Points; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfInFields(ZcDbDxfFiler* filer) override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;

    // The outlines as one solid area, holes left open.
    void Draw_Solid(ZcGiWorldDraw* mode) const;
    bool Has_Loops() const { return !m_Loop_Counts.isEmpty(); }

    ZcArray<int32_t> m_Loop_Counts;
    ZcGePoint3dArray m_Points;
};
