// Clip filters of block references: stored in the reference's extension dictionary under
// "ACAD_FILTER" / "SPATIAL".
#pragma once
#include <vector>

#include "db/dbmain.h"

class ZcDbBlockReference;

class ZcDbFilter : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbFilter);
};

// The clip boundary is kept in the coordinates of the block definition: a rectangle given by
// two opposite corners, or a closed polygon of three or more points, in the plane of the normal
// at the elevation.
class ZcDbSpatialFilter : public ZcDbFilter {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSpatialFilter);
    ZcDbSpatialFilter() = default;

    // eInvalidInput for fewer than two points or a zero normal.
    Zcad::ErrorStatus setDefinition(const ZcGePoint2dArray& points, const ZcGeVector3d& normal, double elevation,
                                    double frontClip, double backClip, bool enabled);
    Zcad::ErrorStatus getDefinition(ZcGePoint2dArray& points, ZcGeVector3d& normal, double& elevation,
                                    double& frontClip, double& backClip, bool& enabled) const;
    bool isInverted() const { return mInverted; }
    Zcad::ErrorStatus setFilterInverted(bool inverted);
    bool isEnabled() const { return mEnabled; }
    // The boundary as a polygon in block coordinates (a rectangle as its four corners); empty
    // without a boundary.
    std::vector<ZcGePoint3d> boundary() const;
    // The boundary's extents: in world coordinates placed by the reference's block transform,
    // in block coordinates without a reference. eInvalidExtents without a boundary.
    Zcad::ErrorStatus queryBounds(ZcDbExtents& extents, const ZcDbBlockReference* ref = nullptr) const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    ZcGePoint2dArray mPoints;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mElevation = 0.0;
    double mFrontClip = 0.0;
    double mBackClip = 0.0;
    bool mEnabled = true;
    bool mInverted = false;
};
