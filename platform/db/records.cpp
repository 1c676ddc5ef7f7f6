// Layer, text style, linetype, viewport and registered application records.
#include "db/db_internal.h"
#include "db/dbsymtb.h"

ZCRX_CONS_DEFINE_MEMBERS(ZcDbLayerTableRecord, ZcDbSymbolTableRecord, 0)
ZCRX_CONS_DEFINE_MEMBERS(ZcDbTextStyleTableRecord, ZcDbSymbolTableRecord, 0)
ZCRX_CONS_DEFINE_MEMBERS(ZcDbLinetypeTableRecord, ZcDbSymbolTableRecord, 0)
ZCRX_CONS_DEFINE_MEMBERS(ZcDbViewportTableRecord, ZcDbSymbolTableRecord, 0)
ZCRX_CONS_DEFINE_MEMBERS(ZcDbRegAppTableRecord, ZcDbSymbolTableRecord, 0)

#define ZC_WRITE_OR(ret) \
    if (!assertWriteEnabled()) return ret

// Layers.

ZcDbLayerTableRecord::ZcDbLayerTableRecord() { mColor.setColorIndex(7); }

Zcad::ErrorStatus ZcDbLayerTableRecord::setIsFrozen(bool frozen)
{
    if (frozen && database() && database()->clayer() == objectId()) return Zcad::eCannotChangeActiveLayer;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mFrozen = frozen;
    return Zcad::eOk;
}
void ZcDbLayerTableRecord::setIsOff(bool off)
{
    ZC_WRITE_OR();
    mOff = off;
}
void ZcDbLayerTableRecord::setIsLocked(bool locked)
{
    ZC_WRITE_OR();
    mLocked = locked;
}
Zcad::ErrorStatus ZcDbLayerTableRecord::subErase(bool erasing)
{
    if (erasing && (name() == std::wstring(L"0") || (database() && database()->clayer() == objectId())))
        return Zcad::eCannotBeErasedByCaller;
    return ZcDbSymbolTableRecord::subErase(erasing);
}

Zcad::ErrorStatus ZcDbLayerTableRecord::setIsPlottable(bool plottable)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mPlottable = plottable;
    return Zcad::eOk;
}
void ZcDbLayerTableRecord::setVPDFLT(bool frozen)
{
    ZC_WRITE_OR();
    mVpDefault = frozen;
}
void ZcDbLayerTableRecord::setColor(const ZcCmColor& color)
{
    if (color.isByLayer() || color.isByBlock()) return;  // a layer needs a real colour
    ZC_WRITE_OR();
    mColor = color;
}
Zcad::ErrorStatus ZcDbLayerTableRecord::setLinetypeObjectId(ZcDbObjectId id)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mLinetypeId = id;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayerTableRecord::setLineWeight(ZcDb::LineWeight weight)
{
    if (weight == ZcDb::kLnWtByLayer || weight == ZcDb::kLnWtByBlock) return Zcad::eInvalidInput;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mLineWeight = weight;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayerTableRecord::setDescription(const wchar_t* d)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mDescription = d ? d : L"";
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayerTableRecord::setPlotStyleName(const wchar_t* n)
{
    if (n == nullptr || *n == 0) return Zcad::eInvalidInput;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mPlotStyle = n;
    return Zcad::eOk;
}

namespace {
void Write_Color(ZcDbDwgFiler* f, const ZcCmColor& c)
{
    f->writeUInt8(uint8_t(c.colorMethod()));
    if (c.isByColor()) f->writeUInt32((uint32_t(c.red()) << 16) | (uint32_t(c.green()) << 8) | c.blue());
    else f->writeUInt32(uint32_t(c.colorIndex()));
}
void Read_Color(ZcDbDwgFiler* f, ZcCmColor& c)
{
    uint8_t method = 0;
    uint32_t value = 0;
    f->readUInt8(&method);
    f->readUInt32(&value);
    if (method == ZcCm::kByColor) c.setRGB(uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value));
    else if (method == ZcCm::kForeground) c.setForeground();
    else c.setColorIndex(int16_t(value));
}
}  // namespace

namespace platform {
void File_Out_Color(ZcDbDwgFiler* f, const ZcCmColor& c) { Write_Color(f, c); }
void File_In_Color(ZcDbDwgFiler* f, ZcCmColor& c) { Read_Color(f, c); }
}  // namespace platform

Zcad::ErrorStatus ZcDbLayerTableRecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbSymbolTableRecord::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readBool(&mFrozen);
    f->readBool(&mOff);
    f->readBool(&mLocked);
    f->readBool(&mPlottable);
    f->readBool(&mVpDefault);
    Read_Color(f, mColor);
    ZcDbHardPointerId lt;
    f->readHardPointerId(&lt);
    mLinetypeId = lt;
    int32_t lw = 0;
    f->readInt32(&lw);
    mLineWeight = ZcDb::LineWeight(lw);
    f->readString(mDescription);
    f->readString(mPlotStyle);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbLayerTableRecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbSymbolTableRecord::dwgOutFields(f);
    f->writeBool(mFrozen);
    f->writeBool(mOff);
    f->writeBool(mLocked);
    f->writeBool(mPlottable);
    f->writeBool(mVpDefault);
    Write_Color(f, mColor);
    f->writeHardPointerId(mLinetypeId);
    f->writeInt32(int32_t(mLineWeight));
    f->writeString(mDescription.c_str());
    f->writeString(mPlotStyle.c_str());
    return f->filerStatus();
}

// Text styles.

void ZcDbTextStyleTableRecord::setIsShapeFile(bool shape)
{
    ZC_WRITE_OR();
    mFlags = shape ? (mFlags | 1) : (mFlags & ~1);
}
void ZcDbTextStyleTableRecord::setIsVertical(bool vertical)
{
    ZC_WRITE_OR();
    mFlags = vertical ? (mFlags | 4) : (mFlags & ~4);
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setTextSize(double size)
{
    if (size < 0.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mTextSize = size;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setXScale(double xScale)
{
    if (!(xScale > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mXScale = xScale;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setObliquingAngle(double a)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mOblique = a;
    return Zcad::eOk;
}
void ZcDbTextStyleTableRecord::setFlagBits(uint8_t bits)
{
    ZC_WRITE_OR();
    mGenerationFlags = bits;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setPriorSize(double s)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mPriorSize = s;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::fileName(const wchar_t*& out) const
{
    out = mFileName.c_str();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setFileName(const wchar_t* n)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mFileName = n ? n : L"";
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::bigFontFileName(const wchar_t*& out) const
{
    out = mBigFontFileName.c_str();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setBigFontFileName(const wchar_t* n)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mBigFontFileName = n ? n : L"";
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::font(wchar_t*& typeface, bool& bold, bool& italic, int& charset,
                                                 int& pitchAndFamily) const
{
    typeface = platform::Dup_String(mTypeface.c_str());
    bold = mBold;
    italic = mItalic;
    charset = mCharset;
    pitchAndFamily = mPitchAndFamily;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbTextStyleTableRecord::setFont(const wchar_t* typeface, bool bold, bool italic, int charset,
                                                    int pitchAndFamily, bool)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mTypeface = typeface ? typeface : L"";
    mBold = bold;
    mItalic = italic;
    mCharset = charset;
    mPitchAndFamily = pitchAndFamily;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbSymbolTableRecord::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t flags = 0;
    f->readInt32(&flags);
    mFlags = flags;
    f->readUInt8(&mGenerationFlags);
    f->readDouble(&mTextSize);
    f->readDouble(&mXScale);
    f->readDouble(&mOblique);
    f->readDouble(&mPriorSize);
    f->readString(mFileName);
    f->readString(mBigFontFileName);
    f->readString(mTypeface);
    f->readBool(&mBold);
    f->readBool(&mItalic);
    int32_t cs = 0, pf = 0;
    f->readInt32(&cs);
    f->readInt32(&pf);
    mCharset = cs;
    mPitchAndFamily = pf;
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbTextStyleTableRecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbSymbolTableRecord::dwgOutFields(f);
    f->writeInt32(mFlags);
    f->writeUInt8(mGenerationFlags);
    f->writeDouble(mTextSize);
    f->writeDouble(mXScale);
    f->writeDouble(mOblique);
    f->writeDouble(mPriorSize);
    f->writeString(mFileName.c_str());
    f->writeString(mBigFontFileName.c_str());
    f->writeString(mTypeface.c_str());
    f->writeBool(mBold);
    f->writeBool(mItalic);
    f->writeInt32(mCharset);
    f->writeInt32(mPitchAndFamily);
    return f->filerStatus();
}

// Linetypes.

Zcad::ErrorStatus ZcDbLinetypeTableRecord::comments(const wchar_t*& out) const
{
    out = mComments.c_str();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLinetypeTableRecord::setComments(const wchar_t* s)
{
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mComments = s ? s : L"";
    return Zcad::eOk;
}
void ZcDbLinetypeTableRecord::setIsScaledToFit(bool v)
{
    ZC_WRITE_OR();
    mScaledToFit = v;
}
void ZcDbLinetypeTableRecord::setPatternLength(double v)
{
    ZC_WRITE_OR();
    mPatternLength = v;
}
void ZcDbLinetypeTableRecord::setNumDashes(int count)
{
    if (count < 0) return;
    ZC_WRITE_OR();
    mDashes.resize(size_t(count));
}
ZcDbLinetypeTableRecord::Dash* ZcDbLinetypeTableRecord::dashAt(int index)
{
    return index >= 0 && index < int(mDashes.size()) ? &mDashes[size_t(index)] : nullptr;
}
double ZcDbLinetypeTableRecord::dashLengthAt(int index) const
{
    return index >= 0 && index < int(mDashes.size()) ? mDashes[size_t(index)].length : 0.0;
}
Zcad::ErrorStatus ZcDbLinetypeTableRecord::setDashLengthAt(int index, double value)
{
    if (index < 0 || index >= int(mDashes.size())) return Zcad::eInvalidIndex;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    mDashes[size_t(index)].length = value;
    return Zcad::eOk;
}

// The complex parts of a dash: read as the default for an index out of range, set when in range.
#define ZC_LINETYPE_DASH_FIELD(Type, getter, setter, field)                     \
    Type ZcDbLinetypeTableRecord::getter(int index) const                       \
    {                                                                           \
        return index >= 0 && index < int(mDashes.size()) ? mDashes[size_t(index)].field : Dash().field; \
    }                                                                           \
    void ZcDbLinetypeTableRecord::setter(int index, Type value)                 \
    {                                                                           \
        if (dashAt(index) == nullptr) return;                                   \
        ZC_WRITE_OR();                                                          \
        dashAt(index)->field = value;                                           \
    }
ZC_LINETYPE_DASH_FIELD(ZcDbObjectId, shapeStyleAt, setShapeStyleAt, style)
ZC_LINETYPE_DASH_FIELD(int, shapeNumberAt, setShapeNumberAt, shape)
ZC_LINETYPE_DASH_FIELD(double, shapeScaleAt, setShapeScaleAt, scale)
ZC_LINETYPE_DASH_FIELD(bool, shapeIsUcsOrientedAt, setShapeIsUcsOrientedAt, ucsOriented)
ZC_LINETYPE_DASH_FIELD(double, shapeRotationAt, setShapeRotationAt, rotation)
#undef ZC_LINETYPE_DASH_FIELD

ZcGeVector2d ZcDbLinetypeTableRecord::shapeOffsetAt(int index) const
{
    return index >= 0 && index < int(mDashes.size()) ? mDashes[size_t(index)].offset : ZcGeVector2d();
}
void ZcDbLinetypeTableRecord::setShapeOffsetAt(int index, const ZcGeVector2d& offset)
{
    if (dashAt(index) == nullptr) return;
    ZC_WRITE_OR();
    dashAt(index)->offset = offset;
}
Zcad::ErrorStatus ZcDbLinetypeTableRecord::textAt(int index, const wchar_t*& text) const
{
    if (index < 0 || index >= int(mDashes.size())) return Zcad::eInvalidIndex;
    text = mDashes[size_t(index)].text.c_str();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLinetypeTableRecord::setTextAt(int index, const wchar_t* text)
{
    if (dashAt(index) == nullptr) return Zcad::eInvalidIndex;
    ZC_WRITE_OR(Zcad::eNotOpenForWrite);
    dashAt(index)->text = text ? text : L"";
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbSymbolTableRecord::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readString(mComments);
    f->readBool(&mScaledToFit);
    f->readDouble(&mPatternLength);
    int32_t n = 0;
    f->readInt32(&n);
    mDashes.assign(size_t(n > 0 ? n : 0), Dash());
    for (Dash& d : mDashes) {
        ZcDbHardPointerId style;
        int32_t shape = 0;
        f->readDouble(&d.length);
        f->readHardPointerId(&style);
        d.style = style;
        f->readInt32(&shape);
        d.shape = shape;
        f->readVector2d(&d.offset);
        f->readDouble(&d.scale);
        f->readBool(&d.ucsOriented);
        f->readDouble(&d.rotation);
        f->readString(d.text);
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbLinetypeTableRecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbSymbolTableRecord::dwgOutFields(f);
    f->writeString(mComments.c_str());
    f->writeBool(mScaledToFit);
    f->writeDouble(mPatternLength);
    f->writeInt32(int32_t(mDashes.size()));
    for (const Dash& d : mDashes) {
        f->writeDouble(d.length);
        f->writeHardPointerId(d.style);
        f->writeInt32(d.shape);
        f->writeVector2d(d.offset);
        f->writeDouble(d.scale);
        f->writeBool(d.ucsOriented);
        f->writeDouble(d.rotation);
        f->writeString(d.text.c_str());
    }
    return f->filerStatus();
}

// Viewport records.

void ZcDbViewportTableRecord::setCenterPoint(const ZcGePoint2d& pt) { ZC_WRITE_OR(); mCenter = pt; }
void ZcDbViewportTableRecord::setHeight(double h) { if (h > 0.0) { ZC_WRITE_OR(); mHeight = h; } }
void ZcDbViewportTableRecord::setWidth(double w) { if (w > 0.0) { ZC_WRITE_OR(); mWidth = w; } }
void ZcDbViewportTableRecord::setTarget(const ZcGePoint3d& t) { ZC_WRITE_OR(); mTarget = t; }
void ZcDbViewportTableRecord::setViewDirection(const ZcGeVector3d& d) { if (!d.isZeroLength()) { ZC_WRITE_OR(); mViewDirection = d; } }
void ZcDbViewportTableRecord::setViewTwist(double a) { ZC_WRITE_OR(); mTwist = a; }
void ZcDbViewportTableRecord::setLensLength(double l) { ZC_WRITE_OR(); mLensLength = l; }
void ZcDbViewportTableRecord::setLowerLeftCorner(const ZcGePoint2d& p) { ZC_WRITE_OR(); mLowerLeft = p; }
void ZcDbViewportTableRecord::setUpperRightCorner(const ZcGePoint2d& p) { ZC_WRITE_OR(); mUpperRight = p; }

Zcad::ErrorStatus ZcDbViewportTableRecord::getUcs(ZcGePoint3d& origin, ZcGeVector3d& xAxis, ZcGeVector3d& yAxis) const
{
    origin = mUcsOrigin;
    xAxis = mUcsX;
    yAxis = mUcsY;
    return Zcad::eOk;
}

void ZcDbViewportTableRecord::setUcs(const ZcGePoint3d& origin, const ZcGeVector3d& xAxis, const ZcGeVector3d& yAxis)
{
    ZC_WRITE_OR();
    mUcsOrigin = origin;
    mUcsX = xAxis;
    mUcsY = yAxis;
}

Zcad::ErrorStatus ZcDbViewportTableRecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbSymbolTableRecord::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint2d(&mCenter);
    f->readDouble(&mHeight);
    f->readDouble(&mWidth);
    f->readPoint3d(&mTarget);
    f->readVector3d(&mViewDirection);
    f->readDouble(&mTwist);
    f->readDouble(&mLensLength);
    f->readPoint2d(&mLowerLeft);
    f->readPoint2d(&mUpperRight);
    f->readPoint3d(&mUcsOrigin);
    f->readVector3d(&mUcsX);
    f->readVector3d(&mUcsY);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbViewportTableRecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbSymbolTableRecord::dwgOutFields(f);
    f->writePoint2d(mCenter);
    f->writeDouble(mHeight);
    f->writeDouble(mWidth);
    f->writePoint3d(mTarget);
    f->writeVector3d(mViewDirection);
    f->writeDouble(mTwist);
    f->writeDouble(mLensLength);
    f->writePoint2d(mLowerLeft);
    f->writePoint2d(mUpperRight);
    f->writePoint3d(mUcsOrigin);
    f->writeVector3d(mUcsX);
    f->writeVector3d(mUcsY);
    return f->filerStatus();
}
