#include "db/dbblkref.h"
#include "db/dbspfilt.h"
#include "db/geom_util.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbFilter, ZcDbObject)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbSpatialFilter, ZcDbFilter, 0, 0, 0, SPATIAL_FILTER, AutoCAD)

Zcad::ErrorStatus ZcDbSpatialFilter::setDefinition(const ZcGePoint2dArray& points, const ZcGeVector3d& normal,
                                                   double elevation, double frontClip, double backClip, bool enabled)
{
    if (points.length() < 2 || normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPoints = points;
    mNormal = normal.normal();
    mElevation = elevation;
    mFrontClip = frontClip;
    mBackClip = backClip;
    mEnabled = enabled;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpatialFilter::getDefinition(ZcGePoint2dArray& points, ZcGeVector3d& normal, double& elevation,
                                                   double& frontClip, double& backClip, bool& enabled) const
{
    points = mPoints;
    normal = mNormal;
    elevation = mElevation;
    frontClip = mFrontClip;
    backClip = mBackClip;
    enabled = mEnabled;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpatialFilter::setFilterInverted(bool inverted)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mInverted = inverted;
    return Zcad::eOk;
}

ZcGeMatrix3d& ZcDbSpatialFilter::getOriginalInverseBlockXform(ZcGeMatrix3d& xform) const
{
    xform = mInverseBlockXform;
    return xform;
}

Zcad::ErrorStatus ZcDbSpatialFilter::setOriginalInverseBlockXform(const ZcGeMatrix3d& xform)
{
    if (xform.isSingular()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mInverseBlockXform = xform;
    return Zcad::eOk;
}

ZcGeMatrix3d& ZcDbSpatialFilter::getClipTransform(ZcGeMatrix3d& xform) const
{
    xform = mClipXform;
    return xform;
}

Zcad::ErrorStatus ZcDbSpatialFilter::setClipTransform(const ZcGeMatrix3d& xform)
{
    if (xform.isSingular()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mClipXform = xform;
    return Zcad::eOk;
}

ZcGeMatrix3d ZcDbSpatialFilter::clipSpaceToBlock() const
{
    ZcGeMatrix3d placed;
    if (mClipXform != ZcGeMatrix3d::kIdentity) {
        placed = mClipXform.inverse();
    } else {
        ZcGeVector3d x, y;
        platform::Plane_Axes(mNormal, x, y);
        placed.setCoordSystem(ZcGePoint3d::kOrigin + mNormal * mElevation, x, y, mNormal);
    }
    return mInverseBlockXform * placed;
}

std::vector<ZcGePoint3d> ZcDbSpatialFilter::boundary() const
{
    std::vector<ZcGePoint3d> out;
    if (mPoints.length() < 2) return out;
    const ZcGeMatrix3d toBlock = clipSpaceToBlock();
    auto place = [&](double px, double py) { return toBlock * ZcGePoint3d(px, py, 0.0); };
    if (mPoints.length() == 2) {
        // Two opposite corners of a rectangle.
        const ZcGePoint2d a = mPoints[0], b = mPoints[1];
        out = {place(a.x, a.y), place(b.x, a.y), place(b.x, b.y), place(a.x, b.y)};
    } else {
        for (int i = 0; i < mPoints.length(); ++i) out.push_back(place(mPoints[i].x, mPoints[i].y));
    }
    return out;
}

Zcad::ErrorStatus ZcDbSpatialFilter::queryBounds(ZcDbExtents& extents, const ZcDbBlockReference* ref) const
{
    std::vector<ZcGePoint3d> points = boundary();
    if (points.empty()) return Zcad::eInvalidExtents;
    ZcDbExtents e;
    for (const ZcGePoint3d& p : points) e.addPoint(ref ? ref->blockTransform() * p : p);
    extents = e;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSpatialFilter::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbFilter::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t n = 0;
    f->readInt32(&n);
    mPoints.removeAll();
    for (int32_t i = 0; i < n && f->filerStatus() == Zcad::eOk; ++i) {
        ZcGePoint2d p;
        f->readPoint2d(&p);
        mPoints.append(p);
    }
    f->readVector3d(&mNormal);
    f->readDouble(&mElevation);
    f->readDouble(&mFrontClip);
    f->readDouble(&mBackClip);
    f->readBool(&mEnabled);
    f->readBool(&mInverted);
    for (ZcGeMatrix3d* m : {&mInverseBlockXform, &mClipXform})
        for (unsigned row = 0; row < 3; ++row)
            for (unsigned col = 0; col < 4; ++col) f->readDouble(&(*m)(row, col));
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbSpatialFilter::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbFilter::dwgOutFields(f);
    f->writeInt32(mPoints.length());
    for (int i = 0; i < mPoints.length(); ++i) f->writePoint2d(mPoints[i]);
    f->writeVector3d(mNormal);
    f->writeDouble(mElevation);
    f->writeDouble(mFrontClip);
    f->writeDouble(mBackClip);
    f->writeBool(mEnabled);
    f->writeBool(mInverted);
    for (const ZcGeMatrix3d* m : {&mInverseBlockXform, &mClipXform})
        for (unsigned row = 0; row < 3; ++row)
            for (unsigned col = 0; col < 4; ++col) f->writeDouble((*m)(row, col));
    return f->filerStatus();
}
