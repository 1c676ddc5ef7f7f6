#include <algorithm>
#include <cmath>

#include "db/db_internal.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "db/geom_util.h"
#include "db/gi.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbViewport, ZcDbEntity, 0, 0, 0, VIEWPORT, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

Zcad::ErrorStatus ZcDbViewport::setCenterPoint(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mCenter = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setWidth(double w) { if (w < 0) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mWidth = w; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setHeight(double h) { if (h < 0) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mHeight = h; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setViewCenter(const ZcGePoint2d& pt) { ZC_WRITE_OR_FAIL(); mViewCenter = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setViewHeight(double h) { if (!(h > 0)) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mViewHeight = h; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setViewTarget(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mViewTarget = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setViewDirection(const ZcGeVector3d& v) { if (v.isZeroLength()) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mViewDirection = v; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setTwistAngle(double a) { ZC_WRITE_OR_FAIL(); mTwist = a; return Zcad::eOk; }
double ZcDbViewport::customScale() const { return mViewHeight > 0 ? mHeight / mViewHeight : 0.0; }
Zcad::ErrorStatus ZcDbViewport::setCustomScale(double scale)
{
    if (!(scale > 0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mViewHeight = mHeight / scale;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbViewport::setOn() { ZC_WRITE_OR_FAIL(); mOn = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setOff() { ZC_WRITE_OR_FAIL(); mOn = false; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setLocked() { ZC_WRITE_OR_FAIL(); mLocked = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setUnlocked() { ZC_WRITE_OR_FAIL(); mLocked = false; return Zcad::eOk; }

Zcad::ErrorStatus ZcDbViewport::freezeLayersInViewport(const ZcDbObjectIdArray& layerIds)
{
    ZC_WRITE_OR_FAIL();
    for (int i = 0; i < layerIds.length(); ++i)
        if (std::find(mFrozenLayers.begin(), mFrozenLayers.end(), layerIds[i]) == mFrozenLayers.end())
            mFrozenLayers.push_back(layerIds[i]);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbViewport::thawLayersInViewport(const ZcDbObjectIdArray& layerIds)
{
    ZC_WRITE_OR_FAIL();
    for (int i = 0; i < layerIds.length(); ++i)
        mFrozenLayers.erase(std::remove(mFrozenLayers.begin(), mFrozenLayers.end(), layerIds[i]), mFrozenLayers.end());
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbViewport::thawAllLayersInViewport()
{
    ZC_WRITE_OR_FAIL();
    mFrozenLayers.clear();
    return Zcad::eOk;
}
bool ZcDbViewport::isLayerFrozenInViewport(const ZcDbObjectId& layerId) const
{
    return std::find(mFrozenLayers.begin(), mFrozenLayers.end(), layerId) != mFrozenLayers.end();
}
Zcad::ErrorStatus ZcDbViewport::getFrozenLayerList(ZcDbObjectIdArray& ids) const
{
    for (ZcDbObjectId id : mFrozenLayers) ids.append(id);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbViewport::setNonRectClipEntityId(ZcDbObjectId id) { ZC_WRITE_OR_FAIL(); mClipEntityId = id; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setNonRectClipOn() { ZC_WRITE_OR_FAIL(); mClipOn = true; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbViewport::setNonRectClipOff() { ZC_WRITE_OR_FAIL(); mClipOn = false; return Zcad::eOk; }

void ZcDbViewport::addedToDatabase(ZcDbDatabase*)
{
    if (mNumber != 0) return;
    auto* owner = platform::Peek<ZcDbBlockTableRecord>(ownerId());
    int16_t n = 1;
    if (owner)
        for (ZcDbObjectId id : owner->entityIds())
            if (!id.isErased() && platform::Peek<ZcDbViewport>(id)) ++n;
    mNumber = n;
}

Zcad::ErrorStatus ZcDbViewport::subTransformBy(const ZcGeMatrix3d& xform)
{
    double scale = 1.0;
    if (!platform::Is_Uniform(xform, scale)) return Zcad::eNotApplicable;
    mCenter.transformBy(xform);
    mWidth *= scale;
    mHeight *= scale;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbViewport::subGetGeomExtents(ZcDbExtents& extents) const
{
    extents.addPoint(mCenter - ZcGeVector3d(mWidth / 2.0, mHeight / 2.0, 0.0));
    extents.addPoint(mCenter + ZcGeVector3d(mWidth / 2.0, mHeight / 2.0, 0.0));
    return Zcad::eOk;
}

bool ZcDbViewport::subWorldDraw(ZcGiWorldDraw* mode)
{
    // The layout's overall viewport has no frame; a clipped one shows its clip entity instead.
    if (mNumber == 1) return true;
    if (mClipOn && !mClipEntityId.isNull() && !mClipEntityId.isErased()) return true;
    double w = mWidth / 2.0, h = mHeight / 2.0;
    ZcGePoint3d pts[5] = {mCenter + ZcGeVector3d(-w, -h, 0), mCenter + ZcGeVector3d(w, -h, 0),
                          mCenter + ZcGeVector3d(w, h, 0), mCenter + ZcGeVector3d(-w, h, 0),
                          mCenter + ZcGeVector3d(-w, -h, 0)};
    mode->geometry().polyline(5, pts);
    return true;
}

Zcad::ErrorStatus ZcDbViewport::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mCenter);
    f->readDouble(&mWidth);
    f->readDouble(&mHeight);
    f->readPoint2d(&mViewCenter);
    f->readDouble(&mViewHeight);
    f->readPoint3d(&mViewTarget);
    f->readVector3d(&mViewDirection);
    f->readDouble(&mTwist);
    f->readInt16(&mNumber);
    f->readBool(&mOn);
    f->readBool(&mLocked);
    int32_t n = 0;
    f->readInt32(&n);
    mFrozenLayers.clear();
    for (int32_t i = 0; i < n; ++i) {
        ZcDbHardPointerId id;
        f->readHardPointerId(&id);
        mFrozenLayers.push_back(id);
    }
    ZcDbSoftPointerId clip;
    f->readSoftPointerId(&clip);
    mClipEntityId = clip;
    f->readBool(&mClipOn);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbViewport::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writePoint3d(mCenter);
    f->writeDouble(mWidth);
    f->writeDouble(mHeight);
    f->writePoint2d(mViewCenter);
    f->writeDouble(mViewHeight);
    f->writePoint3d(mViewTarget);
    f->writeVector3d(mViewDirection);
    f->writeDouble(mTwist);
    f->writeInt16(mNumber);
    f->writeBool(mOn);
    f->writeBool(mLocked);
    f->writeInt32(int32_t(mFrozenLayers.size()));
    for (ZcDbObjectId id : mFrozenLayers) f->writeHardPointerId(id);
    f->writeSoftPointerId(mClipEntityId);
    f->writeBool(mClipOn);
    return f->filerStatus();
}
