#include <cstdlib>

#include "db/dbpolyface.h"
#include "db/filer.h"
#include "db/gi.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbPolyFaceMesh, ZcDbEntity, 0, 0, 0, POLYLINE, AutoCAD)

namespace {
const bool gPolyfaceRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbPolyFaceMesh::rxInit();
    return true;
}();
}  // namespace

Zcad::ErrorStatus ZcDbPolyFaceMesh::appendVertex(const ZcGePoint3d& point)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    if (mVertices.size() >= 32767) return Zcad::eInvalidIndex;
    mVertices.push_back(point);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::getVertexAt(int index, ZcGePoint3d& point) const
{
    if (index < 0 || index >= int(mVertices.size())) return Zcad::eInvalidIndex;
    point = mVertices[size_t(index)];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::appendFaceRecord(int16_t vtx0, int16_t vtx1, int16_t vtx2, int16_t vtx3)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mFaces.push_back({vtx0, vtx1, vtx2, vtx3});
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::getFaceAt(int index, int16_t corners[4]) const
{
    if (index < 0 || index >= int(mFaces.size())) return Zcad::eInvalidIndex;
    for (int i = 0; i < 4; ++i) corners[i] = mFaces[size_t(index)][size_t(i)];
    return Zcad::eOk;
}

bool ZcDbPolyFaceMesh::subWorldDraw(ZcGiWorldDraw* mode)
{
    for (const auto& face : mFaces) {
        // The corners the face has (numbers out of the list are left out).
        int16_t corners[4];
        int n = 0;
        for (int16_t c : face)
            if (c != 0 && std::abs(c) <= int(mVertices.size())) corners[n++] = c;
        for (int i = 0; n >= 2 && i < n; ++i) {
            if (corners[i] < 0 || (n == 2 && i == 1)) continue;  // a hidden edge; two corners make one edge
            const ZcGePoint3d edge[2] = {mVertices[size_t(corners[i] - 1)],
                                         mVertices[size_t(std::abs(corners[(i + 1) % n]) - 1)]};
            if (mode->geometry().polyline(2, edge)) return true;
        }
    }
    return true;
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::subGetGeomExtents(ZcDbExtents& extents) const
{
    for (const ZcGePoint3d& p : mVertices) extents.addPoint(p);
    return mVertices.empty() ? Zcad::eInvalidExtents : Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    for (ZcGePoint3d& p : mVertices) p = xform * p;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    uint64_t vertices = 0, faces = 0;
    f->readUInt64(&vertices);
    mVertices.clear();
    for (uint64_t i = 0; i < vertices && f->filerStatus() == Zcad::eOk; ++i) {
        ZcGePoint3d p;
        f->readPoint3d(&p);
        mVertices.push_back(p);
    }
    f->readUInt64(&faces);
    mFaces.clear();
    for (uint64_t i = 0; i < faces && f->filerStatus() == Zcad::eOk; ++i) {
        std::array<int16_t, 4> face{};
        for (int16_t& c : face) f->readInt16(&c);
        mFaces.push_back(face);
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbPolyFaceMesh::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeUInt64(mVertices.size());
    for (const ZcGePoint3d& p : mVertices) f->writePoint3d(p);
    f->writeUInt64(mFaces.size());
    for (const auto& face : mFaces)
        for (int16_t c : face) f->writeInt16(c);
    return f->filerStatus();
}
