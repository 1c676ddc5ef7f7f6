// ZcDbViewport: a window of a paper space layout onto model space.
#pragma once
#include <vector>

#include "db/dbentity.h"

class ZcDbViewport : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbViewport);
    ZcDbViewport() = default;

    // Paper-space rectangle.
    ZcGePoint3d centerPoint() const { return mCenter; }
    Zcad::ErrorStatus setCenterPoint(const ZcGePoint3d& pt);
    double width() const { return mWidth; }
    Zcad::ErrorStatus setWidth(double w);
    double height() const { return mHeight; }
    Zcad::ErrorStatus setHeight(double h);
    // Model view shown (view coordinates).
    ZcGePoint2d viewCenter() const { return mViewCenter; }
    Zcad::ErrorStatus setViewCenter(const ZcGePoint2d& pt);
    double viewHeight() const { return mViewHeight; }
    Zcad::ErrorStatus setViewHeight(double h);
    ZcGePoint3d viewTarget() const { return mViewTarget; }
    Zcad::ErrorStatus setViewTarget(const ZcGePoint3d& pt);
    ZcGeVector3d viewDirection() const { return mViewDirection; }
    Zcad::ErrorStatus setViewDirection(const ZcGeVector3d& v);
    double twistAngle() const { return mTwist; }
    Zcad::ErrorStatus setTwistAngle(double angle);
    // Paper units per model unit: height / viewHeight.
    double customScale() const;
    Zcad::ErrorStatus setCustomScale(double scale);
    // Viewport number: 1 for the layout's overall viewport, then in creation order; 0 unset.
    int16_t number() const { return mNumber; }
    void setNumber(int16_t n) { mNumber = n; }
    bool isOn() const { return mOn; }
    Zcad::ErrorStatus setOn();
    Zcad::ErrorStatus setOff();
    bool isLocked() const { return mLocked; }
    Zcad::ErrorStatus setLocked();
    Zcad::ErrorStatus setUnlocked();
    // Layers frozen in this viewport only.
    Zcad::ErrorStatus freezeLayersInViewport(const ZcDbObjectIdArray& layerIds);
    Zcad::ErrorStatus thawLayersInViewport(const ZcDbObjectIdArray& layerIds);
    Zcad::ErrorStatus thawAllLayersInViewport();
    bool isLayerFrozenInViewport(const ZcDbObjectId& layerId) const;
    Zcad::ErrorStatus getFrozenLayerList(ZcDbObjectIdArray& ids) const;
    // Non-rectangular clip boundary (an entity of the same layout).
    ZcDbObjectId nonRectClipEntityId() const { return mClipEntityId; }
    Zcad::ErrorStatus setNonRectClipEntityId(ZcDbObjectId id);
    bool isNonRectClipOn() const { return mClipOn; }
    Zcad::ErrorStatus setNonRectClipOn();
    Zcad::ErrorStatus setNonRectClipOff();

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    void addedToDatabase(ZcDbDatabase* db) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mCenter;
    double mWidth = 0.0;
    double mHeight = 0.0;
    ZcGePoint2d mViewCenter;
    double mViewHeight = 1.0;
    ZcGePoint3d mViewTarget;
    ZcGeVector3d mViewDirection{0.0, 0.0, 1.0};
    double mTwist = 0.0;
    int16_t mNumber = 0;
    bool mOn = true;
    bool mLocked = false;
    std::vector<ZcDbObjectId> mFrozenLayers;
    ZcDbObjectId mClipEntityId;
    bool mClipOn = false;
};
