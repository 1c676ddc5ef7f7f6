// ZcDbXline: a line without ends through a point; ZcDbRay: a line from a point on without end.
// Neither has extents (the drawing's extents leave them out); a plot ends them at its window.
#pragma once
#include "db/dbentity.h"

class ZcDbXline : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbXline);
    ZcDbXline() = default;

    ZcGePoint3d basePoint() const { return mBase; }
    Zcad::ErrorStatus setBasePoint(const ZcGePoint3d& pt);
    ZcGeVector3d unitDir() const { return mDir; }
    Zcad::ErrorStatus setUnitDir(const ZcGeVector3d& vec);
    // The base point moved one unit along the direction.
    ZcGePoint3d secondPoint() const { return mBase + mDir; }
    Zcad::ErrorStatus setSecondPoint(const ZcGePoint3d& pt);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    // The subclass marker of the drawing file's record.
    virtual const wchar_t* dxfSubclass() const { return L"AcDbXline"; }
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

    ZcGePoint3d mBase;
    ZcGeVector3d mDir{1.0, 0.0, 0.0};
};

class ZcDbRay : public ZcDbXline {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRay);
    ZcDbRay() = default;

protected:
    const wchar_t* dxfSubclass() const override { return L"AcDbRay"; }
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
};
