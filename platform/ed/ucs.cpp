#include "ed/ucs.h"

#include "ed/docman.h"
#include "ed/document_state.h"
#include "ed/sysvars.h"
#include "ed/view.h"
#include "ge/ge.h"

namespace {

ZcApDocument* Current_Document()
{
    return zcDocManager != nullptr ? zcDocManager->curDocument() : nullptr;
}

// Matrix from a coordinate system code to world; false for an unknown code.
bool To_World(const resbuf* system, ZcGeMatrix3d& matrix)
{
    if (system == nullptr || system->restype != RTSHORT)
        return false;
    switch (system->resval.rint) {
    case 0:
    case 3:
        matrix.setToIdentity();
        return true;
    case 2:
        matrix = platform::Dcs_To_World(platform::Current_View());
        return true;
    case 1:
        zcedGetCurrentUCS(matrix);
        return true;
    default:
        return false;
    }
}

// The plan view of the UCS: looking down its Z axis with its X axis to the right, the
// world point at the centre of the screen kept there.
void Show_Plan_View(const ZcGeMatrix3d& ucs)
{
    platform::ViewState view = platform::Current_View();
    ZcGePoint3d centre = platform::Dcs_To_World(view) * ZcGePoint3d(view.center.x, view.center.y, 0);
    ZcGePoint3d origin;
    ZcGeVector3d x, y, z;
    ucs.getCoordSystem(origin, x, y, z);
    view.direction = x.crossProduct(y).normal();
    view.twist = platform::Twist_Showing(view.direction, x.normal());
    ZcGePoint3d onScreen = platform::Dcs_To_World(view).inverse() * centre;
    view.center.set(onScreen.x, onScreen.y);
    platform::Set_Current_View(view);
}

}  // namespace

bool zcedGetCurrentUCS(ZcGeMatrix3d& mat)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr) {
        mat.setToIdentity();
        return false;
    }
    mat = doc->state().ucs;
    return true;
}

Zcad::ErrorStatus zcedSetCurrentUCS(const ZcGeMatrix3d& mat)
{
    ZcApDocument* doc = Current_Document();
    if (doc == nullptr)
        return Zcad::eNoDatabase;
    if (mat.isSingular())
        return Zcad::eInvalidInput;
    doc->state().ucs = mat;
    resbuf follow{};
    if (zcedGetVar(L"UCSFOLLOW", &follow) == RTNORM && follow.resval.rint == 1)
        Show_Plan_View(mat);
    return Zcad::eOk;
}

int zcedTrans(const ads_point pt, const resbuf* from, const resbuf* to, int disp, ads_point result)
{
    ZcGeMatrix3d fromWorld;
    ZcGeMatrix3d toWorld;
    if (pt == nullptr || result == nullptr || !To_World(from, fromWorld) || !To_World(to, toWorld))
        return RTERROR;
    ZcGeMatrix3d map = toWorld.inverse() * fromWorld;
    if (disp != 0) {
        ZcGeVector3d v(pt[0], pt[1], pt[2]);
        v.transformBy(map);
        result[0] = v.x;
        result[1] = v.y;
        result[2] = v.z;
    } else {
        ZcGePoint3d p(pt[0], pt[1], pt[2]);
        p.transformBy(map);
        result[0] = p.x;
        result[1] = p.y;
        result[2] = p.z;
    }
    return RTNORM;
}
