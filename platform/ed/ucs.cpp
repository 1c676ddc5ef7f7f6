#include "ed/ucs.h"

#include "ed/docman.h"
#include "ed/document_state.h"
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
    case 2:
    case 3:
        matrix.setToIdentity();
        return true;
    case 1:
        zcedGetCurrentUCS(matrix);
        return true;
    default:
        return false;
    }
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
