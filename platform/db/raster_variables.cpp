#include "db/db_internal.h"
#include "db/dbdict.h"
#include "db/dbimage.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbRasterVariables, ZcDbObject, 0, 0, 0, RASTERVARIABLES, ISM)

namespace {

const bool gRasterVariablesRegistered = [] {
    platform::Register_Db_Classes();
    ZcDbRasterVariables::rxInit();
    return true;
}();

constexpr wchar_t kImageVarsKey[] = L"ACAD_IMAGE_VARS";

}  // namespace

Zcad::ErrorStatus ZcDbRasterVariables::openRasterVariables(ZcDbRasterVariables*& vars, ZcDb::OpenMode mode,
                                                           ZcDbDatabase* db)
{
    vars = nullptr;
    if (db == nullptr) db = zcdbHostApplicationServices()->workingDatabase();
    if (db == nullptr) return Zcad::eNoDatabase;
    ZcDbObjectPointer<ZcDbDictionary> named(db->namedObjectsDictionaryId(), ZcDb::kForRead);
    if (named.openStatus() != Zcad::eOk) return named.openStatus();
    ZcDbObjectId id;
    if (named->getAt(kImageVarsKey, id) != Zcad::eOk || id.objectClass() != ZcDbRasterVariables::desc()) {
        Zcad::ErrorStatus es = named->upgradeOpen();
        if (es != Zcad::eOk) return es;
        if (named->has(kImageVarsKey)) named->remove(kImageVarsKey);
        auto* made = new ZcDbRasterVariables();
        es = named->setAt(kImageVarsKey, made, id);
        if (es != Zcad::eOk) {
            delete made;
            return es;
        }
        made->close();
    }
    return zcdbOpenObject(vars, id, mode);
}

int ZcDbRasterVariables::imageFrameOf(const ZcDbDatabase* db)
{
    if (db == nullptr) return kImageFrameAbove;
    auto* named = platform::Peek<ZcDbDictionary>(db->namedObjectsDictionaryId());
    ZcDbObjectId id;
    if (named == nullptr || named->getAt(kImageVarsKey, id) != Zcad::eOk) return kImageFrameAbove;
    auto* vars = platform::Peek<ZcDbRasterVariables>(id);
    return vars != nullptr ? vars->imageFrame() : kImageFrameAbove;
}

Zcad::ErrorStatus ZcDbRasterVariables::setImageFrame(int frame)
{
    if (frame < kImageFrameOff || frame > kImageFrameOnNoPlot) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mFrame = frame;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterVariables::setImageQuality(int quality)
{
    if (quality != kImageQualityDraft && quality != kImageQualityHigh) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mQuality = quality;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterVariables::setUserScale(int units)
{
    if (units < 0 || units > 17) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mUnits = units;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterVariables::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeInt32(mFrame);
    f->writeInt32(mQuality);
    f->writeInt32(mUnits);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbRasterVariables::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t frame = 0, quality = 0, units = 0;
    f->readInt32(&frame);
    f->readInt32(&quality);
    es = f->readInt32(&units);
    mFrame = frame, mQuality = quality, mUnits = units;
    return es;
}
