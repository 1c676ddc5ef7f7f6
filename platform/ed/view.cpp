#include "ed/view.h"

#include <cmath>

#include "db/dblayout.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "ed/docman.h"
#include "ed/document_state.h"
#include "ed/names.h"
#include "ed/space.h"
#include "ed/sysvars.h"
#include "ge/ge.h"

namespace platform {

ZcGeMatrix3d Dcs_To_World(const ViewState& view)
{
    ZcGeVector3d d = view.direction.isZeroLength() ? ZcGeVector3d::kZAxis : view.direction.normal();
    ZcGeVector3d x = -((-d).perpVector());
    x.rotateBy(-view.twist, d);
    ZcGeVector3d y = d.crossProduct(x).normal();
    ZcGeMatrix3d m;
    m.setCoordSystem(view.target, x, y, d);
    return m;
}

double Twist_Showing(const ZcGeVector3d& direction, const ZcGeVector3d& xAxis)
{
    ZcGeVector3d d = direction.isZeroLength() ? ZcGeVector3d::kZAxis : direction.normal();
    ZcGeVector3d x0 = -((-d).perpVector());
    double angle = std::atan2(d.dotProduct(x0.crossProduct(xAxis)), x0.dotProduct(xAxis));
    double twist = -angle;
    const double kTwoPi = 2.0 * 3.14159265358979323846;
    twist = std::fmod(twist, kTwoPi);
    if (twist < 0)
        twist += kTwoPi;
    if (std::fabs(twist - kTwoPi) < 1e-12)
        twist = 0;
    return twist;
}

namespace {

ZcApDocument* Current_Document()
{
    return zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
}

// The viewport entity with the number in the current layout.
ZcDbObjectId Layout_Viewport(ZcDbDatabase* db, int number)
{
    ZcDbObjectId layoutId =
        zcdbHostApplicationServices()->layoutManager()->findLayoutNamed(Current_Layout_Name().c_str(), db);
    ZcDbObjectPointer<ZcDbLayout> layout(layoutId, ZcDb::kForRead);
    if (layout.openStatus() != Zcad::eOk)
        return ZcDbObjectId();
    for (const ZcDbObjectId& id : layout->getViewportArray()) {
        ZcDbObjectPointer<ZcDbViewport> viewport(id, ZcDb::kForRead);
        if (viewport.openStatus() == Zcad::eOk && viewport->number() == number)
            return id;
    }
    return ZcDbObjectId();
}

ViewState& Paper_View(ZcApDocument* doc)
{
    const std::wstring key = Upper(Current_Layout_Name());
    auto it = doc->state().paperViews.find(key);
    if (it != doc->state().paperViews.end())
        return it->second;
    ViewState view;
    ZcDbObjectPointer<ZcDbViewport> overall(Layout_Viewport(doc->database(), 1), ZcDb::kForRead);
    if (overall.openStatus() == Zcad::eOk && overall->viewHeight() > 0) {
        view.center = overall->viewCenter();
        view.height = overall->viewHeight();
    }
    return doc->state().paperViews[key] = view;
}

}  // namespace

void Screen_Size(double& width, double& height)
{
    resbuf rb{};
    width = 1600;
    height = 900;
    if (zcedGetVar(L"SCREENSIZE", &rb) == RTNORM && rb.resval.rpoint[0] > 0 && rb.resval.rpoint[1] > 0) {
        width = rb.resval.rpoint[0];
        height = rb.resval.rpoint[1];
    }
}

ViewState Current_View()
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return ViewState();
    if (Tilemode() == 1)
        return doc->state().modelView;
    int cvport = Cvport();
    if (cvport == 1)
        return Paper_View(doc);
    ZcDbObjectPointer<ZcDbViewport> viewport(Layout_Viewport(doc->database(), cvport), ZcDb::kForRead);
    if (viewport.openStatus() != Zcad::eOk)
        return doc->state().modelView;
    ViewState view;
    view.center = viewport->viewCenter();
    view.height = viewport->viewHeight();
    view.direction = viewport->viewDirection();
    view.target = viewport->viewTarget();
    view.twist = viewport->twistAngle();
    return view;
}

bool Set_Current_View(const ViewState& view)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return false;
    if (Tilemode() == 1) {
        doc->state().modelView = view;
        return true;
    }
    int cvport = Cvport();
    if (cvport == 1) {
        Paper_View(doc) = view;
        return true;
    }
    ZcDbObjectPointer<ZcDbViewport> viewport(Layout_Viewport(doc->database(), cvport), ZcDb::kForWrite,
                                             false, true);
    if (viewport.openStatus() != Zcad::eOk) {
        doc->state().modelView = view;
        return true;
    }
    viewport->setViewCenter(view.center);
    viewport->setViewHeight(view.height);
    viewport->setViewDirection(view.direction);
    viewport->setViewTarget(view.target);
    viewport->setTwistAngle(view.twist);
    return true;
}

}  // namespace platform

Zcad::ErrorStatus zcedSetCurrentView(ZcDbViewTableRecord* pVwRec, ZcDbViewport*)
{
    if (pVwRec == nullptr || !(pVwRec->height() > 0) || !(pVwRec->width() > 0))
        return Zcad::eInvalidInput;
    if (zcDocManager == nullptr || zcDocManager->curDocument() == nullptr)
        return Zcad::eNoDatabase;
    double screenWidth = 0;
    double screenHeight = 0;
    platform::Screen_Size(screenWidth, screenHeight);
    platform::ViewState view;
    view.center = pVwRec->centerPoint();
    view.height = std::max(pVwRec->height(), pVwRec->width() * screenHeight / screenWidth);
    view.direction = pVwRec->viewDirection().isZeroLength() ? ZcGeVector3d::kZAxis : pVwRec->viewDirection();
    view.target = pVwRec->target();
    view.twist = pVwRec->viewTwist();
    view.lensLength = pVwRec->lensLength();
    view.mode = (pVwRec->perspectiveEnabled() ? 1 : 0) | (pVwRec->frontClipEnabled() ? 2 : 0) |
                (pVwRec->backClipEnabled() ? 4 : 0) | (pVwRec->frontClipAtEye() ? 0 : 16);
    view.front = pVwRec->frontClipDistance();
    view.back = pVwRec->backClipDistance();
    return platform::Set_Current_View(view) ? Zcad::eOk : Zcad::eNoDatabase;
}

Zcad::ErrorStatus zcedVportTableRecords2Vports()
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcApDocument* doc = db != nullptr && zcDocManager != nullptr ? zcDocManager->document(db) : nullptr;
    if (doc == nullptr)
        return Zcad::eNoDatabase;
    ZcDbViewportTable* table = nullptr;
    Zcad::ErrorStatus es = db->getViewportTable(table, ZcDb::kForRead);
    if (es != Zcad::eOk)
        return es;
    ZcDbViewportTableRecord* active = nullptr;
    es = table->getAt(L"*Active", active, ZcDb::kForRead);
    table->close();
    if (es != Zcad::eOk)
        return es;
    platform::ViewState& view = doc->state().modelView;
    view.center = active->centerPoint();
    view.height = active->height() > 0 ? active->height() : view.height;
    view.direction = active->viewDirection().isZeroLength() ? ZcGeVector3d::kZAxis : active->viewDirection();
    view.target = active->target();
    view.twist = active->viewTwist();
    view.lensLength = active->lensLength();
    active->close();
    return Zcad::eOk;
}
