// ZcDbPolyFaceMesh: faces of three or four corners that share a list of vertices, drawn as
// their visible edges.
#pragma once
#include <array>
#include <vector>

#include "db/dbentity.h"

class ZcDbPolyFaceMesh : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPolyFaceMesh);
    ZcDbPolyFaceMesh() = default;

    int16_t numVertices() const { return int16_t(mVertices.size()); }
    int16_t numFaces() const { return int16_t(mFaces.size()); }
    Zcad::ErrorStatus appendVertex(const ZcGePoint3d& point);
    Zcad::ErrorStatus getVertexAt(int index, ZcGePoint3d& point) const;
    // A face by the numbers of its corners (from 1; 0: no corner, for a triangle). A negative
    // number hides the edge that starts at that corner.
    Zcad::ErrorStatus appendFaceRecord(int16_t vtx0, int16_t vtx1, int16_t vtx2, int16_t vtx3 = 0);
    Zcad::ErrorStatus getFaceAt(int index, int16_t corners[4]) const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    std::vector<ZcGePoint3d> mVertices;
    std::vector<std::array<int16_t, 4>> mFaces;
};
