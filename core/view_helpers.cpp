#include "core/view_helpers.h"

#include <algorithm>

#include "core/sysvar_helpers.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "ed/editor.h"
#include "ed/view.h"
#include "ge/ge.h"

namespace {

enum Coordinate_System { World = 0, Ucs = 1, Display = 2 };

bool Read_Point(const wchar_t* name, double point[3])
{
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM)
        return false;
    std::copy(rb.resval.rpoint, rb.resval.rpoint + 3, point);
    return true;
}

bool Read_Real(const wchar_t* name, double& value) { return Get_Var_Real(name, value) == RTNORM; }

bool Translate(const double point[3], int from, int to, bool displacement, double result[3])
{
    resbuf source{}, target{};
    source.restype = target.restype = RTSHORT;
    source.resval.rint = static_cast<short>(from);
    target.resval.rint = static_cast<short>(to);
    return zcedTrans(point, &source, &target, displacement ? 1 : 0, result) == RTNORM;
}

// The overall viewport of the database's current paper layout.
ZcDbObjectId Paper_Space_Viewport(ZcDbDatabase* db)
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> paper(db->paperSpaceId(), ZcDb::kForRead);
    if (paper.openStatus() != Zcad::eOk)
        return ZcDbObjectId();
    ZcDbObjectPointer<ZcDbLayout> layout(paper->getLayoutId(), ZcDb::kForRead);
    if (layout.openStatus() != Zcad::eOk)
        return ZcDbObjectId();
    ZcDbObjectIdArray viewports = layout->getViewportArray();
    for (int i = 0; i < viewports.length(); ++i) {
        ZcDbObjectPointer<ZcDbViewport> viewport(viewports[i], ZcDb::kForRead);
        if (viewport.openStatus() == Zcad::eOk && viewport->number() == 1)
            return viewports[i];
    }
    return viewports.isEmpty() ? ZcDbObjectId() : viewports[0];
}

}  // namespace

void Zoom_To_Include(ZcDbExtents& extents)
{
    double centre[3], screen[3];
    double size = 0;
    if (!Read_Point(L"VIEWCTR", centre) || !Read_Real(L"VIEWSIZE", size) || !Read_Point(L"SCREENSIZE", screen) ||
        screen[1] <= 0)
        return;
    const double half_width = size * screen[0] / screen[1] / 2;
    const ZcGePoint3d view_min(centre[0] - half_width, centre[1] - size / 2, 0);
    const ZcGePoint3d view_max(centre[0] + half_width, centre[1] + size / 2, 0);
    const ZcGePoint3d lo = extents.minPoint();
    const ZcGePoint3d hi = extents.maxPoint();
    if (lo.x >= view_min.x && lo.y >= view_min.y && hi.x <= view_max.x && hi.y <= view_max.y)
        return;
    const double margin = std::min(hi.x - lo.x, hi.y - lo.y) / 40;
    extents = ZcDbExtents(ZcGePoint3d(lo.x - margin, lo.y - margin, lo.z),
                          ZcGePoint3d(hi.x + margin, hi.y + margin, hi.z));
    Zoom_Window(ZcGePoint3d(std::min(view_min.x, lo.x - margin), std::min(view_min.y, lo.y - margin), 0),
                ZcGePoint3d(std::max(view_max.x, hi.x + margin), std::max(view_max.y, hi.y + margin), 0));
}

void Zoom_Window(const ZcGePoint3d& first, const ZcGePoint3d& opposite)
{
    double centre[3], target[3], direction[3], screen[3];
    double lens = 0, size = 0, twist = 0, front = 0, back = 0;
    int16_t mode = 0, tilemode = 1, cvport = 2;
    if (!Get_Var_Int(L"VIEWMODE", mode) || !Read_Point(L"VIEWCTR", centre) || !Read_Real(L"LENSLENGTH", lens) ||
        !Read_Point(L"TARGET", target) || !Read_Point(L"VIEWDIR", direction) || !Read_Real(L"VIEWSIZE", size) ||
        !Read_Point(L"SCREENSIZE", screen) || screen[1] <= 0 || !Read_Real(L"VIEWTWIST", twist) ||
        !Get_Var_Int(L"TILEMODE", tilemode) || !Get_Var_Int(L"CVPORT", cvport))
        return;
    double centre_dcs[3], target_world[3], direction_world[3];
    if (!Translate(centre, Ucs, Display, false, centre_dcs) || !Translate(target, Ucs, World, false, target_world) ||
        !Translate(direction, Ucs, World, true, direction_world))
        return;
    ZcDbViewTableRecord view;
    view.setPerspectiveEnabled((mode & 1) != 0);
    view.setFrontClipEnabled((mode & 2) != 0);
    view.setBackClipEnabled((mode & 4) != 0);
    view.setFrontClipAtEye((mode & 16) == 0);
    view.setCenterPoint(ZcGePoint2d(centre_dcs[0], centre_dcs[1]));
    view.setLensLength(lens);
    view.setTarget(ZcGePoint3d(target_world[0], target_world[1], target_world[2]));
    view.setViewDirection(ZcGeVector3d(direction_world[0], direction_world[1], direction_world[2]));
    view.setHeight(size);
    view.setWidth(screen[0] / screen[1] * size);
    view.setViewTwist(twist);
    const bool paper = tilemode == 0 && cvport == 1;
    view.setIsPaperspaceView(paper);
    if (paper) {
        view.setFrontClipDistance(0);
        view.setBackClipDistance(0);
    } else if (Read_Real(L"FRONTZ", front) && Read_Real(L"BACKZ", back)) {
        view.setFrontClipDistance(front);
        view.setBackClipDistance(back);
    }

    const double middle[3] = {(first.x + opposite.x) / 2, (first.y + opposite.y) / 2, 0};
    double middle_dcs[3];
    if (!Translate(middle, Ucs, Display, false, middle_dcs))
        return;
    view.setCenterPoint(ZcGePoint2d(middle_dcs[0], middle_dcs[1]));
    view.setWidth(opposite.x - first.x);
    view.setHeight(opposite.y - first.y);
    if (zcedSetCurrentView(&view, nullptr) != Zcad::eOk)
        return;
    if (ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase())
        db->updateExt(true);
}

void Set_Database_View(ZcDbDatabase* db, double width, double height, double centre_x, double centre_y,
                       bool paper_space)
{
    if (db == nullptr)
        return;
    double screen[3];
    if (Read_Point(L"SCREENSIZE", screen) && screen[0] > 0 && screen[1] > 0) {
        const double aspect = screen[0] / screen[1];
        if (width < height * aspect)
            width = height * aspect;
        else
            height = width / aspect;
    }
    if (paper_space) {
        ZcDbObjectPointer<ZcDbViewport> viewport(Paper_Space_Viewport(db), ZcDb::kForWrite);
        if (viewport.openStatus() != Zcad::eOk)
            return;
        viewport->setHeight(height);
        viewport->setWidth(width);
        viewport->setCenterPoint(ZcGePoint3d(centre_x, centre_y, 0));
        viewport->setViewHeight(height);
        viewport->setViewCenter(ZcGePoint2d(centre_x, centre_y));
        return;
    }
    ZcDbViewportTable* table = nullptr;
    if (db->getViewportTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    ZcDbViewportTableRecord* active = nullptr;
    const Zcad::ErrorStatus found = table->getAt(L"*ACTIVE", active, ZcDb::kForWrite);
    table->close();
    if (found != Zcad::eOk)
        return;
    active->setViewDirection(ZcGeVector3d::kZAxis);
    active->setViewTwist(0);
    active->setCenterPoint(ZcGePoint2d(centre_x, centre_y));
    active->setWidth(width);
    active->setHeight(height);
    active->close();
    if (db == zcdbHostApplicationServices()->workingDatabase())
        zcedVportTableRecords2Vports();
}
