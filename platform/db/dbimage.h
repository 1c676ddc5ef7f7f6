// Raster images: ZcDbRasterImageDef (the image file, an object in the named-object dictionary's
// "ACAD_IMAGE_DICT"), ZcDbRasterImage (a placed, possibly clipped, image), ZcDbWipeout (a
// masking area drawn in the background colour, an image without a file) and
// ZcDbRasterVariables (the drawing's image settings, "ACAD_IMAGE_VARS", IMAGEFRAME among them).
#pragma once
#include <string>
#include <vector>

#include "db/dbentity.h"

class ZcDbRasterImageDef : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRasterImageDef);
    ZcDbRasterImageDef() = default;

    enum Units { kNone = 0, kMillimeter = 2, kCentimeter = 3, kMeter = 4, kKilometer = 5, kInch = 6, kFoot = 8 };

    const wchar_t* sourceFileName() const { return mFileName.c_str(); }
    Zcad::ErrorStatus setSourceFileName(const wchar_t* path);
    // Image size in pixels.
    ZcGeVector2d size() const { return mSize; }
    Zcad::ErrorStatus setSize(const ZcGeVector2d& pixels);
    // Size of one pixel in resolution units.
    ZcGeVector2d resolutionMMPerPixel() const { return mPixelSize; }
    Zcad::ErrorStatus setResolutionMMPerPixel(const ZcGeVector2d& pixelSize);
    Units resolutionUnits() const { return mUnits; }
    Zcad::ErrorStatus setResolutionUnits(Units units);
    bool isLoaded() const { return mLoaded; }
    Zcad::ErrorStatus setLoaded(bool loaded);
    // Reads the source file's pixel size (PNG, JPEG or BMP) and marks the image loaded;
    // eFileNotFound when it cannot be read, eInvalidInput when it is no such picture.
    Zcad::ErrorStatus load();

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    std::wstring mFileName;
    ZcGeVector2d mSize{1.0, 1.0};
    ZcGeVector2d mPixelSize{1.0, 1.0};
    Units mUnits = kNone;
    bool mLoaded = true;
};

class ZcDbRasterImage : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRasterImage);
    ZcDbRasterImage() = default;

    enum ClipBoundaryType { kInvalid = 0, kRect = 1, kPoly = 2 };
    enum ImageDisplayOpt { kShow = 1, kShowUnAligned = 2, kClip = 4, kTransparent = 8 };

    ZcDbObjectId imageDefId() const { return mImageDefId; }
    Zcad::ErrorStatus setImageDefId(ZcDbObjectId imageDefId);
    // Lower-left corner and the vectors of the image's bottom and left edges (their lengths
    // are its width and height in drawing units).
    void getOrientation(ZcGePoint3d& origin, ZcGeVector3d& u, ZcGeVector3d& v) const;
    Zcad::ErrorStatus setOrientation(const ZcGePoint3d& origin, const ZcGeVector3d& u, const ZcGeVector3d& v);
    // Size in pixels: the definition's from setImageDefId on (clip points count in them).
    ZcGeVector2d imageSize() const { return mImageSize; }
    Zcad::ErrorStatus setImageSize(const ZcGeVector2d& pixels);
    // Clip boundary in pixel coordinates (two corners of a rectangle, or a polygon).
    ClipBoundaryType clipBoundaryType() const { return mClipType; }
    const std::vector<ZcGePoint2d>& clipBoundary() const { return mClip; }
    Zcad::ErrorStatus setClipBoundary(ClipBoundaryType type, const std::vector<ZcGePoint2d>& points);
    bool isClipped() const { return mClipped; }
    Zcad::ErrorStatus setClipped(bool clipped);
    int displayOptions() const { return mDisplay; }
    Zcad::ErrorStatus setDisplayOptions(int options);
    int brightness() const { return mBrightness; }
    int contrast() const { return mContrast; }
    int fade() const { return mFade; }
    Zcad::ErrorStatus setBrightness(int value);
    Zcad::ErrorStatus setContrast(int value);
    Zcad::ErrorStatus setFade(int value);

    // The outline the image shows, in world coordinates (the clip boundary when clipped).
    std::vector<ZcGePoint3d> outline() const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    ZcDbObjectId mImageDefId;
    ZcGePoint3d mOrigin;
    ZcGeVector3d mU{1.0, 0.0, 0.0};  // the whole bottom edge
    ZcGeVector3d mV{0.0, 1.0, 0.0};  // the whole left edge
    ZcGeVector2d mImageSize{1.0, 1.0};
    ClipBoundaryType mClipType = kRect;
    std::vector<ZcGePoint2d> mClip;
    bool mClipped = false;
    int mDisplay = kShow | kShowUnAligned;
    int mBrightness = 50;
    int mContrast = 50;
    int mFade = 0;
};

class ZcDbWipeout : public ZcDbRasterImage {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbWipeout);
    ZcDbWipeout() = default;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
};

class ZcDbRasterVariables : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRasterVariables);
    ZcDbRasterVariables() = default;

    // IMAGEFRAME: 0 frames neither shown nor plotted, 1 shown and plotted, 2 shown only.
    enum FrameSettings { kImageFrameOff = 0, kImageFrameAbove = 1, kImageFrameOnNoPlot = 2 };
    enum ImageQuality { kImageQualityDraft = 0, kImageQualityHigh = 1 };

    // The drawing's object (the working drawing's for a null database), made and put in
    // the named-object dictionary when it has none.
    static Zcad::ErrorStatus openRasterVariables(ZcDbRasterVariables*& vars, ZcDb::OpenMode mode,
                                                 ZcDbDatabase* db = nullptr);
    // The drawing's frame setting without making the object: 1 when there is none.
    static int imageFrameOf(const ZcDbDatabase* db);

    int imageFrame() const { return mFrame; }
    Zcad::ErrorStatus setImageFrame(int frame);
    int imageQuality() const { return mQuality; }
    Zcad::ErrorStatus setImageQuality(int quality);
    // The units of an image inserted without its own: ZcDbRasterImageDef::Units.
    int userScale() const { return mUnits; }
    Zcad::ErrorStatus setUserScale(int units);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    int mFrame = kImageFrameAbove;
    int mQuality = kImageQualityHigh;
    int mUnits = 0;
};
