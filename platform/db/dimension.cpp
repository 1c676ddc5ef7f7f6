#include <charconv>

#include "db/dbdim.h"
#include "db/dbsymtb.h"
#include "db/block_walk.h"
#include "db/gi.h"
#include "db/raw_groups.h"
#include "script/utf8.h"
#include "db_classes.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbDimension, ZcDbEntity)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbRotatedDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbAlignedDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDb2LineAngularDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbDiametricDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbRadialDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDb3PointAngularDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbOrdinateDimension, ZcDbDimension, 0, 0, 0, DIMENSION, AutoCAD)

namespace {
const bool gDimensionRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbDimension::rxInit();
    ZcDbRotatedDimension::rxInit();
    ZcDbAlignedDimension::rxInit();
    ZcDb2LineAngularDimension::rxInit();
    ZcDbDiametricDimension::rxInit();
    ZcDbRadialDimension::rxInit();
    ZcDb3PointAngularDimension::rxInit();
    ZcDbOrdinateDimension::rxInit();
    return true;
}();

std::string Real(double v)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}
}  // namespace

void ZcDbDimension::patchRaw(int16_t code, const std::string& value)
{
    for (ZcDbRawGroup& g : mRaw) {
        if (g.code == code) {
            g.value = value;
            return;
        }
    }
}

Zcad::ErrorStatus ZcDbDimension::setDimBlockId(ZcDbObjectId blockId)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mBlockId = blockId;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::setDimBlockPosition(const ZcGePoint3d& position)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mBlockPosition = position;
    patchRaw(12, Real(position.x)), patchRaw(22, Real(position.y)), patchRaw(32, Real(position.z));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::setTextPosition(const ZcGePoint3d& position)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mTextPosition = position;
    patchRaw(11, Real(position.x)), patchRaw(21, Real(position.y)), patchRaw(31, Real(position.z));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::setDimensionText(const wchar_t* text)
{
    if (text == nullptr) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mText = text;
    patchRaw(1, platform::To_Utf8(mText));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::measurement(double& value) const
{
    if (!mHasMeasurement) return Zcad::eNotApplicable;
    value = mMeasurement;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::setMeasurement(double value)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mMeasurement = value;
    mHasMeasurement = true;
    patchRaw(42, Real(value));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::setDimensionStyleName(const wchar_t* name)
{
    if (name == nullptr) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mStyleName = name;
    patchRaw(3, platform::To_Utf8(mStyleName));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::setNormal(const ZcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mNormal = normal.normal();
    return Zcad::eOk;
}

void ZcDbDimension::setRawGroups(std::vector<ZcDbRawGroup> groups)
{
    if (assertWriteEnabled()) mRaw = std::move(groups);
}

bool ZcDbDimension::subWorldDraw(ZcGiWorldDraw* mode)
{
    platform::Block_Walk_Guard guard(mBlockId);
    if (guard.refused()) return true;
    ZcDbBlockTableRecord* block = nullptr;
    if (zcdbOpenObject(block, mBlockId, ZcDb::kForRead) != Zcad::eOk) return true;
    const std::vector<ZcDbObjectId> ids = block->entityIds();
    block->close();
    const bool moved = mBlockPosition != ZcGePoint3d::kOrigin;
    if (moved) mode->geometry().pushModelTransform(ZcGeMatrix3d::translation(mBlockPosition - ZcGePoint3d::kOrigin));
    for (ZcDbObjectId id : ids) {
        ZcDbEntity* e = nullptr;
        if (id.isErased() || zcdbOpenObject(e, id, ZcDb::kForRead) != Zcad::eOk) continue;
        const bool stop = mode->geometry().draw(e);
        e->close();
        if (stop) break;
    }
    if (moved) mode->geometry().popModelTransform();
    return true;
}

Zcad::ErrorStatus ZcDbDimension::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    ZcDbBlockTableRecord* block = nullptr;
    if (zcdbOpenObject(block, mBlockId, ZcDb::kForRead) != Zcad::eOk) return Zcad::eNotApplicable;
    const std::vector<ZcDbObjectId> ids = block->entityIds();
    block->close();
    const ZcGeMatrix3d move = ZcGeMatrix3d::translation(mBlockPosition - ZcGePoint3d::kOrigin);
    for (ZcDbObjectId id : ids) {
        ZcDbEntity* e = nullptr;
        if (id.isErased() || zcdbOpenObject(e, id, ZcDb::kForRead) != Zcad::eOk) continue;
        ZcDbEntity* copy = nullptr;
        if (e->getTransformedCopy(move, copy) == Zcad::eOk && copy) entitySet.append(copy);
        e->close();
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDimension::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeHardPointerId(mBlockId);
    f->writePoint3d(mBlockPosition);
    f->writePoint3d(mTextPosition);
    f->writeString(mText);
    f->writeDouble(mMeasurement);
    f->writeBool(mHasMeasurement);
    f->writeString(mStyleName);
    f->writeVector3d(mNormal);
    platform::Raw_Groups_Out(f, mRaw);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbDimension::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbHardPointerId block;
    f->readHardPointerId(&block);
    mBlockId = block;
    f->readPoint3d(&mBlockPosition);
    f->readPoint3d(&mTextPosition);
    f->readString(mText);
    f->readDouble(&mMeasurement);
    f->readBool(&mHasMeasurement);
    f->readString(mStyleName);
    f->readVector3d(&mNormal);
    return platform::Raw_Groups_In(f, mRaw);
}
