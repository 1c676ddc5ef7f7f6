// ZcDbFace: a three- or four-sided face in space (3DFACE), drawn as its visible edges.
#pragma once
#include "db/dbentity.h"

class ZcDbFace : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbFace);
    ZcDbFace() = default;
    // A triangle repeats its third corner as the fourth.
    ZcDbFace(const ZcGePoint3d& pt0, const ZcGePoint3d& pt1, const ZcGePoint3d& pt2, const ZcGePoint3d& pt3,
             bool e0vis = true, bool e1vis = true, bool e2vis = true, bool e3vis = true);

    // Corners 0..3; edge i runs from corner i to the next one.
    Zcad::ErrorStatus getVertexAt(uint16_t index, ZcGePoint3d& point) const;
    Zcad::ErrorStatus setVertexAt(uint16_t index, const ZcGePoint3d& point);
    Zcad::ErrorStatus isEdgeVisibleAt(uint16_t index, bool& visible) const;
    Zcad::ErrorStatus makeEdgeVisibleAt(uint16_t index);
    Zcad::ErrorStatus makeEdgeInvisibleAt(uint16_t index);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    // The box of its corners, hidden edges or not.
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    ZcGePoint3d mPoints[4];
    uint16_t mInvisible = 0;  // bit i: edge i hidden
};
