#include "db/dbface.h"
#include "db/filer.h"
#include "db/gi.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbFace, ZcDbEntity, 0, 0, 0, 3DFACE, AutoCAD)

namespace {
const bool gFaceRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbFace::rxInit();
    return true;
}();
}  // namespace

ZcDbFace::ZcDbFace(const ZcGePoint3d& pt0, const ZcGePoint3d& pt1, const ZcGePoint3d& pt2, const ZcGePoint3d& pt3,
                   bool e0vis, bool e1vis, bool e2vis, bool e3vis)
    : mPoints{pt0, pt1, pt2, pt3},
      mInvisible(uint16_t((e0vis ? 0 : 1) | (e1vis ? 0 : 2) | (e2vis ? 0 : 4) | (e3vis ? 0 : 8)))
{
}

Zcad::ErrorStatus ZcDbFace::getVertexAt(uint16_t index, ZcGePoint3d& point) const
{
    if (index > 3) return Zcad::eInvalidIndex;
    point = mPoints[index];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbFace::setVertexAt(uint16_t index, const ZcGePoint3d& point)
{
    if (index > 3) return Zcad::eInvalidIndex;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPoints[index] = point;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbFace::isEdgeVisibleAt(uint16_t index, bool& visible) const
{
    if (index > 3) return Zcad::eInvalidIndex;
    visible = (mInvisible & (1u << index)) == 0;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbFace::makeEdgeVisibleAt(uint16_t index)
{
    if (index > 3) return Zcad::eInvalidIndex;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mInvisible = uint16_t(mInvisible & ~(1u << index));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbFace::makeEdgeInvisibleAt(uint16_t index)
{
    if (index > 3) return Zcad::eInvalidIndex;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mInvisible = uint16_t(mInvisible | (1u << index));
    return Zcad::eOk;
}

bool ZcDbFace::subWorldDraw(ZcGiWorldDraw* mode)
{
    for (uint16_t i = 0; i < 4; ++i) {
        const ZcGePoint3d edge[2] = {mPoints[i], mPoints[(i + 1) % 4]};
        if ((mInvisible & (1u << i)) || edge[0].isEqualTo(edge[1])) continue;
        if (mode->geometry().polyline(2, edge)) return true;
    }
    return true;
}

Zcad::ErrorStatus ZcDbFace::subGetGeomExtents(ZcDbExtents& extents) const
{
    for (const ZcGePoint3d& p : mPoints) extents.addPoint(p);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbFace::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    for (ZcGePoint3d& p : mPoints) p = xform * p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbFace::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    for (ZcGePoint3d& p : mPoints) f->readPoint3d(&p);
    f->readUInt16(&mInvisible);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbFace::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    for (const ZcGePoint3d& p : mPoints) f->writePoint3d(p);
    f->writeUInt16(mInvisible);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbFace::dxfOutFields(ZcDbDxfFiler* f) const
{
    ZcDbEntity::dxfOutFields(f);
    f->writeString(ZcDb::kDxfSubclass, L"AcDbFace");
    for (int i = 0; i < 4; ++i) f->writePoint3d(ZcDb::DxfCode(10 + i), mPoints[i]);
    if (mInvisible) f->writeInt16(ZcDb::DxfCode(70), int16_t(mInvisible));
    return f->filerStatus();
}
