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

// The clip boundary: a rectangle given by two opposite corners, or a closed polygon of three or
// more points, in its own clip space (the plane of the normal at the elevation). The clip space
// maps to the coordinates the reference was placed in when it was clipped (through the inverse
// of the clip transform when there is one), and the original inverse block transform takes those
// into the block definition; both are the identity for a boundary drawn in block coordinates.
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
    // The inverse of the reference's block transform when it was clipped.
    ZcGeMatrix3d& getOriginalInverseBlockXform(ZcGeMatrix3d& xform) const;
    // eInvalidInput for a singular transform.
    Zcad::ErrorStatus setOriginalInverseBlockXform(const ZcGeMatrix3d& xform);
    // What takes points into the clip space (the identity: the plane of the normal places them).
    ZcGeMatrix3d& getClipTransform(ZcGeMatrix3d& xform) const;
    // eInvalidInput for a singular transform.
    Zcad::ErrorStatus setClipTransform(const ZcGeMatrix3d& xform);
    // Clip space -> block definition.
    ZcGeMatrix3d clipSpaceToBlock() const;
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
    ZcGeMatrix3d mInverseBlockXform;
    ZcGeMatrix3d mClipXform;
};
