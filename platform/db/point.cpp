#include "db/dbpoint.h"
#include "db/gi.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbPoint, ZcDbEntity, 0, 0, 0, POINT, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbSolid, ZcDbEntity, 0, 0, 0, SOLID, AutoCAD)

namespace {
const bool gPointRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbPoint::rxInit();
    ZcDbSolid::rxInit();
    return true;
}();
}  // namespace

Zcad::ErrorStatus ZcDbPoint::setPosition(const ZcGePoint3d& pt)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPosition = pt;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::setThickness(double thickness)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mThickness = thickness;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::setNormal(const ZcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mNormal = normal.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::setEcsRotation(double rotation)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mEcsRotation = rotation;
    return Zcad::eOk;
}

bool ZcDbPoint::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGePoint3d pts[2] = {mPosition, mPosition};
    mode->geometry().polyline(2, pts);
    return true;
}

Zcad::ErrorStatus ZcDbPoint::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPosition = xform * mPosition;
    ZcGeVector3d n = xform * mNormal;
    if (!n.isZeroLength()) mNormal = n.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPoint::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mPosition);
    f->readDouble(&mThickness);
    f->readVector3d(&mNormal);
    f->readDouble(&mEcsRotation);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbPoint::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writePoint3d(mPosition);
    f->writeDouble(mThickness);
    f->writeVector3d(mNormal);
    f->writeDouble(mEcsRotation);
    return f->filerStatus();
}

ZcDbSolid::ZcDbSolid(const ZcGePoint3d& pt0, const ZcGePoint3d& pt1, const ZcGePoint3d& pt2, const ZcGePoint3d& pt3)
    : mPoints{pt0, pt1, pt2, pt3}
{
}

Zcad::ErrorStatus ZcDbSolid::getPointAt(uint16_t index, ZcGePoint3d& point) const
{
    if (index > 3) return Zcad::eInvalidIndex;
    point = mPoints[index];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSolid::setPointAt(uint16_t index, const ZcGePoint3d& point)
{
    if (index > 3) return Zcad::eInvalidIndex;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPoints[index] = point;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSolid::setThickness(double thickness)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mThickness = thickness;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSolid::setNormal(const ZcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mNormal = normal.normal();
    return Zcad::eOk;
}

bool ZcDbSolid::subWorldDraw(ZcGiWorldDraw* mode)
{
    // The corners are stored crosswise: the outline runs 0, 1, 3, 2.
    ZcGePoint3d outline[4] = {mPoints[0], mPoints[1], mPoints[3], mPoints[2]};
    mode->subEntityTraits().setFillType(kZcGiFillAlways);
    mode->geometry().polygon(4, outline);
    return true;
}

Zcad::ErrorStatus ZcDbSolid::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    for (ZcGePoint3d& p : mPoints) p = xform * p;
    ZcGeVector3d n = xform * mNormal;
    if (!n.isZeroLength()) mNormal = n.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSolid::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    for (ZcGePoint3d& p : mPoints) f->readPoint3d(&p);
    f->readDouble(&mThickness);
    f->readVector3d(&mNormal);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbSolid::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    for (const ZcGePoint3d& p : mPoints) f->writePoint3d(p);
    f->writeDouble(mThickness);
    f->writeVector3d(mNormal);
    return f->filerStatus();
}
