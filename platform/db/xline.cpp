#include "db/dbxline.h"
#include "db/filer.h"
#include "db/gi.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbXline, ZcDbEntity, 0, 0, 0, XLINE, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbRay, ZcDbXline, 0, 0, 0, RAY, AutoCAD)

namespace {
const bool gXlineRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbXline::rxInit();
    ZcDbRay::rxInit();
    return true;
}();
}  // namespace

Zcad::ErrorStatus ZcDbXline::setBasePoint(const ZcGePoint3d& pt)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mBase = pt;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbXline::setUnitDir(const ZcGeVector3d& vec)
{
    if (vec.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mDir = vec.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbXline::setSecondPoint(const ZcGePoint3d& pt) { return setUnitDir(pt - mBase); }

bool ZcDbXline::subWorldDraw(ZcGiWorldDraw* mode)
{
    mode->geometry().xline(mBase, mBase + mDir);
    return true;
}

bool ZcDbRay::subWorldDraw(ZcGiWorldDraw* mode)
{
    mode->geometry().ray(mBase, mBase + mDir);
    return true;
}

Zcad::ErrorStatus ZcDbXline::subGetGeomExtents(ZcDbExtents&) const { return Zcad::eInvalidExtents; }

Zcad::ErrorStatus ZcDbXline::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    const ZcGeVector3d dir = (xform * (mBase + mDir)) - xform * mBase;
    if (dir.isZeroLength()) return Zcad::eInvalidInput;
    mBase = xform * mBase;
    mDir = dir.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbXline::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mBase);
    f->readVector3d(&mDir);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbXline::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writePoint3d(mBase);
    f->writeVector3d(mDir);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbXline::dxfOutFields(ZcDbDxfFiler* f) const
{
    ZcDbEntity::dxfOutFields(f);
    f->writeString(ZcDb::kDxfSubclass, dxfSubclass());
    f->writePoint3d(ZcDb::DxfCode(10), mBase);
    f->writeVector3d(ZcDb::DxfCode(11), mDir);
    return f->filerStatus();
}
