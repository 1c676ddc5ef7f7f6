// ZcDbPoint: a point entity; ZcDbSolid: a filled triangle or quadrilateral (2D solid).
#pragma once
#include "db/dbentity.h"

class ZcDbPoint : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPoint);
    ZcDbPoint() = default;
    explicit ZcDbPoint(const ZcGePoint3d& position) : mPosition(position) {}

    ZcGePoint3d position() const { return mPosition; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& pt);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double thickness);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    // Rotation of the point's display symbol about its normal (radians).
    double ecsRotation() const { return mEcsRotation; }
    Zcad::ErrorStatus setEcsRotation(double rotation);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    ZcGePoint3d mPosition;
    double mThickness = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mEcsRotation = 0.0;
};

class ZcDbSolid : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSolid);
    ZcDbSolid() = default;
    // Corners in drawing order: 0, 1, then 3 and 2 cross (a triangle repeats its third corner).
    ZcDbSolid(const ZcGePoint3d& pt0, const ZcGePoint3d& pt1, const ZcGePoint3d& pt2, const ZcGePoint3d& pt3);

    // Corners 0..3 in world coordinates.
    Zcad::ErrorStatus getPointAt(uint16_t index, ZcGePoint3d& point) const;
    Zcad::ErrorStatus setPointAt(uint16_t index, const ZcGePoint3d& point);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double thickness);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    ZcGePoint3d mPoints[4];
    double mThickness = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
};
