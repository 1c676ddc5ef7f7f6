#include <algorithm>
#include <filesystem>

#include "db/db_internal.h"
#include "db/dbimage.h"
#include "db/gi.h"
#include "db/image_file_size.h"
#include "win/win_files.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbRasterImageDef, ZcDbObject, 0, 0, 0, IMAGEDEF, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbRasterImage, ZcDbEntity, 0, 0, 0, IMAGE, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbWipeout, ZcDbRasterImage, 0, 0, 0, WIPEOUT, AutoCAD)

namespace {
const bool gImageRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbRasterImageDef::rxInit();
    ZcDbRasterImage::rxInit();
    ZcDbWipeout::rxInit();
    return true;
}();

// Sets a field when the object is open for write.
template <typename T, typename V>
Zcad::ErrorStatus Set(ZcDbObject* obj, T& field, const V& value)
{
    if (!obj->assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    field = value;
    return Zcad::eOk;
}
}  // namespace

Zcad::ErrorStatus ZcDbRasterImageDef::setSourceFileName(const wchar_t* path)
{
    if (path == nullptr) return Zcad::eInvalidInput;
    return Set(this, mFileName, std::wstring(path));
}
Zcad::ErrorStatus ZcDbRasterImageDef::setSize(const ZcGeVector2d& pixels) { return Set(this, mSize, pixels); }
Zcad::ErrorStatus ZcDbRasterImageDef::setResolutionMMPerPixel(const ZcGeVector2d& pixelSize)
{
    return Set(this, mPixelSize, pixelSize);
}
Zcad::ErrorStatus ZcDbRasterImageDef::setResolutionUnits(Units units) { return Set(this, mUnits, units); }
Zcad::ErrorStatus ZcDbRasterImageDef::setLoaded(bool loaded) { return Set(this, mLoaded, loaded); }

Zcad::ErrorStatus ZcDbRasterImageDef::load()
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    std::error_code ec;
    if (!std::filesystem::exists(platform::To_Host_Path(mFileName), ec)) return Zcad::eFileNotFound;
    int width = 0, height = 0;
    if (!platform::Image_File_Pixel_Size(mFileName, width, height)) return Zcad::eInvalidInput;
    mSize.set(width, height);
    mLoaded = true;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterImageDef::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeString(mFileName);
    f->writeVector2d(mSize);
    f->writeVector2d(mPixelSize);
    f->writeInt32(int32_t(mUnits));
    f->writeBool(mLoaded);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbRasterImageDef::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t units = 0;
    f->readString(mFileName);
    f->readVector2d(&mSize);
    f->readVector2d(&mPixelSize);
    f->readInt32(&units);
    mUnits = Units(units);
    return f->readBool(&mLoaded);
}

Zcad::ErrorStatus ZcDbRasterImage::setImageDefId(ZcDbObjectId imageDefId)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mImageDefId = imageDefId;
    // The image has the pixels of its definition.
    if (auto* def = platform::Peek<ZcDbRasterImageDef>(imageDefId); def != nullptr && def->size().x > 0 && def->size().y > 0)
        mImageSize = def->size();
    return Zcad::eOk;
}

void ZcDbRasterImage::getOrientation(ZcGePoint3d& origin, ZcGeVector3d& u, ZcGeVector3d& v) const
{
    origin = mOrigin;
    u = mU;
    v = mV;
}

Zcad::ErrorStatus ZcDbRasterImage::setOrientation(const ZcGePoint3d& origin, const ZcGeVector3d& u, const ZcGeVector3d& v)
{
    if (u.isZeroLength() || v.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mOrigin = origin;
    mU = u;
    mV = v;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterImage::setImageSize(const ZcGeVector2d& pixels) { return Set(this, mImageSize, pixels); }

Zcad::ErrorStatus ZcDbRasterImage::setClipBoundary(ClipBoundaryType type, const std::vector<ZcGePoint2d>& points)
{
    if ((type == kRect && points.size() != 2) || (type == kPoly && points.size() < 3) || type == kInvalid)
        return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mClipType = type;
    mClip = points;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterImage::setClipped(bool clipped) { return Set(this, mClipped, clipped); }
Zcad::ErrorStatus ZcDbRasterImage::setDisplayOptions(int options) { return Set(this, mDisplay, options); }
Zcad::ErrorStatus ZcDbRasterImage::setBrightness(int value) { return Set(this, mBrightness, value); }
Zcad::ErrorStatus ZcDbRasterImage::setContrast(int value) { return Set(this, mContrast, value); }
Zcad::ErrorStatus ZcDbRasterImage::setFade(int value) { return Set(this, mFade, value); }

std::vector<ZcGePoint3d> ZcDbRasterImage::outline() const
{
    // Clip points are pixel coordinates from the top-left corner of the image, rows counting
    // down, (-0.5, -0.5) being the corner itself.
    const ZcGeVector3d pixel_u = mU / std::max(mImageSize.x, 1e-12), pixel_v = mV / std::max(mImageSize.y, 1e-12);
    auto world = [&](double px, double py) {
        return mOrigin + pixel_u * (px + 0.5) + pixel_v * (mImageSize.y - py - 0.5);
    };
    std::vector<ZcGePoint3d> points;
    if (mClipped && mClipType == kPoly && mClip.size() >= 3) {
        for (const ZcGePoint2d& p : mClip) points.push_back(world(p.x, p.y));
        if (points.size() > 3 && points.front().isEqualTo(points.back())) points.pop_back();
    } else if (mClipped && mClipType == kRect && mClip.size() == 2) {
        const ZcGePoint2d a = mClip[0], b = mClip[1];
        points = {world(a.x, a.y), world(b.x, a.y), world(b.x, b.y), world(a.x, b.y)};
    } else {
        points = {mOrigin, mOrigin + mU, mOrigin + mU + mV, mOrigin + mV};
    }
    return points;
}

bool ZcDbRasterImage::subWorldDraw(ZcGiWorldDraw* mode)
{
    std::vector<ZcGePoint3d> points = outline();
    auto* def = platform::Peek<ZcDbRasterImageDef>(mImageDefId);
    const bool shown = def != nullptr && def->isLoaded() && (mDisplay & kShow) != 0 && *def->sourceFileName() != 0;
    if (shown) {
        ZcGiImage img;
        img.sourceFile = def->sourceFileName();
        img.pixelWidth = uint32_t(std::max(0.0, def->size().x));
        img.pixelHeight = uint32_t(std::max(0.0, def->size().y));
        img.origin = mOrigin;
        img.u = mU;
        img.v = mV;
        if (mClipped) img.clip = points;
        img.brightness = mBrightness;
        img.contrast = mContrast;
        img.fade = mFade;
        img.transparent = (mDisplay & kTransparent) != 0;
        if (mode->geometry().image(img)) return true;
    }
    // The frame: always for an image without its picture, else as the drawing's IMAGEFRAME
    // says for a plot (the platform draws for plots only: 2, shown but not plotted, draws none).
    if (shown && ZcDbRasterVariables::imageFrameOf(database()) != ZcDbRasterVariables::kImageFrameAbove) return true;
    points.push_back(points.front());
    mode->geometry().polyline(uint32_t(points.size()), points.data());
    return true;
}

bool ZcDbWipeout::subWorldDraw(ZcGiWorldDraw* mode)
{
    std::vector<ZcGePoint3d> points = outline();
    mode->subEntityTraits().setFillType(kZcGiFillAlways);
    mode->geometry().polygon(uint32_t(points.size()), points.data());
    return true;
}

Zcad::ErrorStatus ZcDbRasterImage::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mOrigin = xform * mOrigin;
    mU = xform * mU;
    mV = xform * mV;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbRasterImage::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeHardPointerId(mImageDefId);
    f->writePoint3d(mOrigin);
    f->writeVector3d(mU);
    f->writeVector3d(mV);
    f->writeVector2d(mImageSize);
    f->writeInt32(int32_t(mClipType));
    f->writeUInt64(mClip.size());
    for (const ZcGePoint2d& p : mClip) f->writePoint2d(p);
    f->writeBool(mClipped);
    f->writeInt32(mDisplay);
    f->writeInt32(mBrightness);
    f->writeInt32(mContrast);
    f->writeInt32(mFade);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbRasterImage::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbHardPointerId def;
    int32_t type = 0;
    uint64_t count = 0;
    f->readHardPointerId(&def);
    mImageDefId = def;
    f->readPoint3d(&mOrigin);
    f->readVector3d(&mU);
    f->readVector3d(&mV);
    f->readVector2d(&mImageSize);
    f->readInt32(&type);
    mClipType = ClipBoundaryType(type);
    f->readUInt64(&count);
    mClip.clear();
    for (uint64_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
        ZcGePoint2d p;
        f->readPoint2d(&p);
        mClip.push_back(p);
    }
    f->readBool(&mClipped);
    f->readInt32(&mDisplay);
    f->readInt32(&mBrightness);
    f->readInt32(&mContrast);
    return f->readInt32(&mFade);
}
