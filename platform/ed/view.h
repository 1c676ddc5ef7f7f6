// Views of the editor: the view of the current space of the current document (the model
// tab, the paper space of a layout, or the floating viewport current in it), view records
// and the system variables that read it (VIEWCTR, VIEWSIZE, VIEWDIR, TARGET, VIEWTWIST,
// LENSLENGTH, VIEWMODE, FRONTZ, BACKZ).
#pragma once

#include "ed/view_state.h"
#include "ge/gepnt2d.h"
#include "ge/gepnt3d.h"
#include "ge/gevec3d.h"
#include "rx/zcadstrc.h"

class ZcDbViewport;

// A named view as the view table keeps it: centre in display coordinates, width and
// height, target, direction, twist, lens, clipping. A plain value object here (not
// stored in a database).
class ZcDbViewTableRecord {
public:
    ZcGePoint2d centerPoint() const { return mCenter; }
    void setCenterPoint(const ZcGePoint2d& pt) { mCenter = pt; }
    double height() const { return mHeight; }
    void setHeight(double height) { mHeight = height; }
    double width() const { return mWidth; }
    void setWidth(double width) { mWidth = width; }
    ZcGePoint3d target() const { return mTarget; }
    void setTarget(const ZcGePoint3d& target) { mTarget = target; }
    ZcGeVector3d viewDirection() const { return mDirection; }
    void setViewDirection(const ZcGeVector3d& direction) { mDirection = direction; }
    double viewTwist() const { return mTwist; }
    void setViewTwist(double angle) { mTwist = angle; }
    double lensLength() const { return mLens; }
    void setLensLength(double length) { mLens = length; }
    bool perspectiveEnabled() const { return mPerspective; }
    void setPerspectiveEnabled(bool enabled) { mPerspective = enabled; }
    bool frontClipEnabled() const { return mFrontClip; }
    void setFrontClipEnabled(bool enabled) { mFrontClip = enabled; }
    bool backClipEnabled() const { return mBackClip; }
    void setBackClipEnabled(bool enabled) { mBackClip = enabled; }
    bool frontClipAtEye() const { return mFrontAtEye; }
    void setFrontClipAtEye(bool atEye) { mFrontAtEye = atEye; }
    double frontClipDistance() const { return mFrontZ; }
    void setFrontClipDistance(double distance) { mFrontZ = distance; }
    double backClipDistance() const { return mBackZ; }
    void setBackClipDistance(double distance) { mBackZ = distance; }
    bool isPaperspaceView() const { return mPaper; }
    void setIsPaperspaceView(bool paper) { mPaper = paper; }

private:
    ZcGePoint2d mCenter{0.0, 0.0};
    double mHeight = 1.0;
    double mWidth = 1.0;
    ZcGePoint3d mTarget;
    ZcGeVector3d mDirection{0.0, 0.0, 1.0};
    double mTwist = 0.0;
    double mLens = 50.0;
    bool mPerspective = false;
    bool mFrontClip = false;
    bool mBackClip = false;
    bool mFrontAtEye = true;
    double mFrontZ = 0.0;
    double mBackZ = 0.0;
    bool mPaper = false;
};

// Makes the record the view of the current space (pVP is not used: the current
// viewport takes it). The shown height is the larger of the record's height and its
// width fitted to the screen's aspect (SCREENSIZE). eNoDatabase without a document,
// eInvalidInput for a null record or a height and width that are not positive.
Zcad::ErrorStatus zcedSetCurrentView(ZcDbViewTableRecord* pVwRec, ZcDbViewport* pVP);
// Gives the editor's model view the view of the working drawing's "*Active" viewport
// record (centre, height, target, direction, twist, lens).
Zcad::ErrorStatus zcedVportTableRecords2Vports();

namespace platform {

// The view of the current space of the current document (a default view without one).
ViewState Current_View();
// Replaces it; false without a document.
bool Set_Current_View(const ViewState& view);
// The screen in pixels (SCREENSIZE).
void Screen_Size(double& width, double& height);

}  // namespace platform
