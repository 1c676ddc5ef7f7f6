#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "db/block_walk.h"
#include "db/db_internal.h"
#include "db/dbleader.h"
#include "db/dbmain.h"
#include "db/dbspline.h"
#include "db/dbsymtb.h"
#include "db/filer.h"
#include "db/gi.h"
#include "db_classes.h"
#include "rx/zcadstrc.h"
#include "win/win_files.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbLeader, ZcDbEntity, 0, 0, 0, LEADER, AutoCAD)

namespace {
const bool gLeaderRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbLeader::rxInit();
    return true;
}();

constexpr int kDimScale = 40, kDimAsz = 41, kDimGap = 147, kDimLdrBlk = 341;

// The value of a DSTYLE override (1070 code, then its value) in the "ACAD" extended data.
bool Override_Value(const resbuf* rb, int code, double& value)
{
    bool inStyle = false;
    for (; rb; rb = rb->rbnext) {
        if (rb->restype == 1000 && rb->resval.rstring) inStyle = std::wcscmp(rb->resval.rstring, L"DSTYLE") == 0;
        if (!inStyle || rb->restype != 1070 || rb->resval.rint != code || rb->rbnext == nullptr) continue;
        const resbuf* v = rb->rbnext;
        if (v->restype == 1040) value = v->resval.rreal;
        else if (v->restype == 1070) value = v->resval.rint;
        else if (v->restype == 1071) value = v->resval.rlong;
        else return false;
        return true;
    }
    return false;
}
// The handle text of a DSTYLE override that names an object (1070 code, then 1005 handle).
const wchar_t* Override_Handle(const resbuf* rb, int code)
{
    bool inStyle = false;
    for (; rb; rb = rb->rbnext) {
        if (rb->restype == 1000 && rb->resval.rstring) inStyle = std::wcscmp(rb->resval.rstring, L"DSTYLE") == 0;
        if (inStyle && rb->restype == 1070 && rb->resval.rint == code && rb->rbnext && rb->rbnext->restype == 1005)
            return rb->rbnext->resval.rstring;
    }
    return nullptr;
}
}  // namespace

ZcGePoint3d ZcDbLeader::vertexAt(int index) const
{
    return index >= 0 && index < numVertices() ? mVertices[size_t(index)] : ZcGePoint3d();
}

bool ZcDbLeader::appendVertex(const ZcGePoint3d& point)
{
    if (!assertWriteEnabled()) return false;
    mVertices.push_back(point);
    return true;
}

Zcad::ErrorStatus ZcDbLeader::setVertexAt(int index, const ZcGePoint3d& point)
{
    if (index < 0 || index >= numVertices()) return Zcad::eInvalidIndex;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mVertices[size_t(index)] = point;
    return Zcad::eOk;
}

void ZcDbLeader::enableArrowHead()
{
    if (assertWriteEnabled()) mArrow = true;
}

void ZcDbLeader::disableArrowHead()
{
    if (assertWriteEnabled()) mArrow = false;
}

void ZcDbLeader::setToSplineLeader()
{
    if (assertWriteEnabled()) mSplined = true;
}

void ZcDbLeader::setToStraightLeader()
{
    if (assertWriteEnabled()) mSplined = false;
}

Zcad::ErrorStatus ZcDbLeader::setNormal(const ZcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mNormal = normal.normal();
    return Zcad::eOk;
}

void ZcDbLeader::setDimensionStyle(const ZcDbObjectId& id)
{
    if (assertWriteEnabled()) mDimStyle = id;
}

Zcad::ErrorStatus ZcDbLeader::attachAnnotation(const ZcDbObjectId& annoId)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mAnnotation = annoId;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::setHookLine(AnnoType annoType, const Hook_Line& hook)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mAnnoType = annoType;
    mHook = hook;
    return Zcad::eOk;
}

double ZcDbLeader::dimensionValue(int code, double fallback) const
{
    double value = fallback;
    if (resbuf* xdata = xData(L"ACAD")) {
        const bool found = Override_Value(xdata, code, value);
        zcutRelRb(xdata);
        if (found) return value;
    }
    ZcDbDimStyleTableRecord* style = nullptr;
    if (!mDimStyle.isNull() && zcdbOpenObject(style, mDimStyle, ZcDb::kForRead) == Zcad::eOk) {
        for (const ZcDbDimStyleGroup& g : style->keptGroups())
            if (g.code == code) value = std::atof(g.value.c_str());
        style->close();
    }
    return value;
}

double ZcDbLeader::dimasz() const
{
    const bool metric = database() && database()->measurement() == ZcDb::kMetric;
    const double scale = dimensionValue(kDimScale, 1.0);
    return dimensionValue(kDimAsz, metric ? 2.5 : 0.18) * (scale > 0.0 ? scale : 1.0);
}

double ZcDbLeader::dimgap() const
{
    const bool metric = database() && database()->measurement() == ZcDb::kMetric;
    const double scale = dimensionValue(kDimScale, 1.0);
    return dimensionValue(kDimGap, metric ? 0.625 : 0.09) * (scale > 0.0 ? scale : 1.0);
}

ZcDbObjectId ZcDbLeader::arrowBlock() const
{
    ZcDbObjectId block;
    if (resbuf* xdata = xData(L"ACAD")) {
        const wchar_t* handle = Override_Handle(xdata, kDimLdrBlk);
        if (handle && database()) database()->getZcDbObjectId(block, false, ZcDbHandle(handle));
        zcutRelRb(xdata);
        if (handle) return block;
    }
    ZcDbDimStyleTableRecord* style = nullptr;
    if (!mDimStyle.isNull() && zcdbOpenObject(style, mDimStyle, ZcDb::kForRead) == Zcad::eOk) {
        for (const ZcDbDimStyleGroup& g : style->keptGroups())
            if (g.code == kDimLdrBlk) block = g.id;
        style->close();
    }
    return block;
}

std::vector<ZcGePoint3d> ZcDbLeader::pathPoints() const
{
    std::vector<ZcGePoint3d> points = mVertices;
    if (mAnnoType == kMText && mHook.on && mHook.textWidth > 0.0 && !points.empty() &&
        !mHook.horizontal.isZeroLength()) {
        const ZcGeVector3d along = mHook.horizontal.normal() * (mHook.pointsBack ? -1.0 : 1.0);
        points.push_back(points.back() + along * (dimgap() + mHook.textWidth));
    }
    return points;
}

bool ZcDbLeader::subWorldDraw(ZcGiWorldDraw* mode)
{
    const std::vector<ZcGePoint3d> path = pathPoints();
    if (path.size() < 2) return true;
    ZcGiWorldGeometry& geometry = mode->geometry();
    if (mSplined && path.size() > 2) {
        ZcGePoint3dArray fit;
        for (const ZcGePoint3d& p : path) fit.append(p);
        ZcDbSpline spline(fit);
        ZcGePoint3dArray samples;
        if (spline.getSamplePoints(int(path.size()) * 16, samples) == Zcad::eOk && samples.length() >= 2) {
            if (geometry.polyline(uint32_t(samples.length()), samples.asArrayPtr())) return true;
        }
    } else if (geometry.polyline(uint32_t(path.size()), path.data())) {
        return true;
    }
    const ZcGeVector3d back = path[0] - path[1];
    if (!mArrow || back.isZeroLength()) return true;
    const double size = dimasz();
    const ZcGeVector3d dir = back.normal();
    const ZcDbObjectId block = arrowBlock();
    if (!block.isNull()) {
        // The style's arrow block, its x axis along the leader's end, scaled by the size.
        platform::Block_Walk_Guard guard(block);
        auto* btr = guard.refused() ? nullptr : platform::Peek<ZcDbBlockTableRecord>(block);
        if (btr == nullptr || platform::Equal_No_Case(btr->name(), L"_NONE")) return true;
        const ZcGeVector3d x = ZcGeMatrix3d::worldToPlane(mNormal) * dir;
        const ZcGeMatrix3d place = ZcGeMatrix3d::translation(path[0] - ZcGePoint3d::kOrigin) *
                                   ZcGeMatrix3d::planeToWorld(mNormal) *
                                   ZcGeMatrix3d::rotation(std::atan2(x.y, x.x), ZcGeVector3d::kZAxis) *
                                   ZcGeMatrix3d::scaling(size);
        geometry.pushModelTransform(place);
        for (const ZcDbObjectId& id : btr->entityIds()) {
            auto* ent = id.isErased() ? nullptr : platform::Peek<ZcDbEntity>(id);
            if (ent && geometry.draw(ent)) break;
        }
        geometry.popModelTransform();
        return true;
    }
    // The closed filled arrow: as long as the size, a third of it wide.
    const ZcGeVector3d side = mNormal.crossProduct(dir).normal() * (size / 6.0);
    const ZcGePoint3d base = path[0] - dir * size;
    const ZcGePoint3d arrow[3] = {path[0], base + side, base - side};
    mode->subEntityTraits().setFillType(kZcGiFillAlways);
    geometry.polygon(3, arrow);
    mode->subEntityTraits().setFillType(kZcGiFillNever);
    return true;
}

Zcad::ErrorStatus ZcDbLeader::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    for (ZcGePoint3d& p : mVertices) p = xform * p;
    const ZcGeVector3d n = (xform * (ZcGePoint3d::kOrigin + mNormal)) - xform * ZcGePoint3d::kOrigin;
    if (!n.isZeroLength()) mNormal = n.normal();
    const ZcGeVector3d h = (xform * (ZcGePoint3d::kOrigin + mHook.horizontal)) - xform * ZcGePoint3d::kOrigin;
    if (!h.isZeroLength()) mHook.horizontal = h.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLeader::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    uint64_t count = 0;
    f->readUInt64(&count);
    mVertices.clear();
    for (uint64_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
        ZcGePoint3d p;
        f->readPoint3d(&p);
        mVertices.push_back(p);
    }
    int32_t anno = kNoAnno;
    f->readBool(&mArrow);
    f->readBool(&mSplined);
    f->readVector3d(&mNormal);
    ZcDbHardPointerId style;
    ZcDbSoftPointerId annotation;
    f->readHardPointerId(&style);
    f->readSoftPointerId(&annotation);
    mDimStyle = style;
    mAnnotation = annotation;
    f->readInt32(&anno);
    mAnnoType = AnnoType(anno);
    f->readBool(&mHook.on);
    f->readBool(&mHook.pointsBack);
    f->readVector3d(&mHook.horizontal);
    f->readDouble(&mHook.textHeight);
    f->readDouble(&mHook.textWidth);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbLeader::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeUInt64(mVertices.size());
    for (const ZcGePoint3d& p : mVertices) f->writePoint3d(p);
    f->writeBool(mArrow);
    f->writeBool(mSplined);
    f->writeVector3d(mNormal);
    f->writeHardPointerId(mDimStyle);
    f->writeSoftPointerId(mAnnotation);
    f->writeInt32(int32_t(mAnnoType));
    f->writeBool(mHook.on);
    f->writeBool(mHook.pointsBack);
    f->writeVector3d(mHook.horizontal);
    f->writeDouble(mHook.textHeight);
    f->writeDouble(mHook.textWidth);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbLeader::dxfOutFields(ZcDbDxfFiler* f) const
{
    ZcDbEntity::dxfOutFields(f);
    f->writeString(ZcDb::kDxfSubclass, L"AcDbLeader");
    std::wstring style = L"Standard";
    ZcDbSymbolTableRecord* rec = nullptr;
    if (!mDimStyle.isNull() && zcdbOpenObject(rec, mDimStyle, ZcDb::kForRead) == Zcad::eOk) {
        style = rec->name();
        rec->close();
    }
    f->writeString(ZcDb::DxfCode(3), style);
    f->writeInt16(ZcDb::DxfCode(71), int16_t(mArrow ? 1 : 0));
    f->writeInt16(ZcDb::DxfCode(72), int16_t(mSplined ? 1 : 0));
    f->writeInt16(ZcDb::DxfCode(73), int16_t(mAnnoType));
    f->writeInt16(ZcDb::DxfCode(74), int16_t(mHook.pointsBack ? 1 : 0));
    f->writeInt16(ZcDb::DxfCode(75), int16_t(mHook.on ? 1 : 0));
    f->writeDouble(ZcDb::DxfCode(40), mHook.textHeight);
    f->writeDouble(ZcDb::DxfCode(41), mHook.textWidth);
    f->writeInt16(ZcDb::DxfCode(76), int16_t(mVertices.size()));
    for (const ZcGePoint3d& p : mVertices) f->writePoint3d(ZcDb::DxfCode(10), p);
    f->writeVector3d(ZcDb::DxfCode(210), mNormal);
    f->writeVector3d(ZcDb::DxfCode(211), mHook.horizontal);
    if (!mAnnotation.isNull()) f->writeObjectId(ZcDb::DxfCode(340), mAnnotation);
    return f->filerStatus();
}
