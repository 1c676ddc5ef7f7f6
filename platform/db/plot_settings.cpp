#include "db/copy_filer.h"
#include "db/db_internal.h"
#include "db/dblayout.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbPlotSettings, ZcDbObject, 0, 0, 0, PLOTSETTINGS, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

#define ZC_STRING_FIELD(GET, SET, FIELD)                                    \
    Zcad::ErrorStatus ZcDbPlotSettings::GET(const wchar_t*& out) const      \
    {                                                                       \
        out = FIELD.c_str();                                                \
        return Zcad::eOk;                                                   \
    }                                                                       \
    Zcad::ErrorStatus ZcDbPlotSettings::SET(const wchar_t* value)           \
    {                                                                       \
        ZC_WRITE_OR_FAIL();                                                 \
        FIELD = value ? value : L"";                                        \
        return Zcad::eOk;                                                   \
    }
ZC_STRING_FIELD(getPlotSettingsName, setPlotSettingsName, mName)
ZC_STRING_FIELD(getPlotCfgName, setPlotCfgName, mCfgName)
ZC_STRING_FIELD(getCanonicalMediaName, setCanonicalMediaName, mMediaName)
ZC_STRING_FIELD(getCurrentStyleSheet, setCurrentStyleSheet, mStyleSheet)
ZC_STRING_FIELD(getPlotViewName, setPlotViewName, mViewName)
#undef ZC_STRING_FIELD

#define ZC_VALUE_SETTER(SET, TYPE, FIELD)              \
    Zcad::ErrorStatus ZcDbPlotSettings::SET(TYPE value) \
    {                                                  \
        ZC_WRITE_OR_FAIL();                            \
        FIELD = value;                                 \
        return Zcad::eOk;                              \
    }
ZC_VALUE_SETTER(setPlotCentered, bool, mCentered)
ZC_VALUE_SETTER(setUseStandardScale, bool, mUseStandardScale)
ZC_VALUE_SETTER(setPlotPlotStyles, bool, mPlotPlotStyles)
ZC_VALUE_SETTER(setShowPlotStyles, bool, mShowPlotStyles)
ZC_VALUE_SETTER(setPrintLineweights, bool, mPrintLineweights)
ZC_VALUE_SETTER(setScaleLineweights, bool, mScaleLineweights)
ZC_VALUE_SETTER(setPlotHidden, bool, mPlotHidden)
ZC_VALUE_SETTER(setPlotTransparency, bool, mPlotTransparency)
ZC_VALUE_SETTER(setPlotViewportBorders, bool, mPlotViewportBorders)
ZC_VALUE_SETTER(setDrawViewportsFirst, bool, mDrawViewportsFirst)
ZC_VALUE_SETTER(setModelType, bool, mModelType)
#undef ZC_VALUE_SETTER

Zcad::ErrorStatus ZcDbPlotSettings::setPlotPaperUnits(PlotPaperUnits u)
{
    if (u < kInches || u > kPixels) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mPaperUnits = u;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setPlotRotation(PlotRotation r)
{
    if (r < k0degrees || r > k270degrees) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mRotation = r;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setPlotType(PlotType t)
{
    if (t < kDisplay || t > kLayout) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mPlotType = t;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setStdScaleType(StdScaleType t)
{
    if (t < kScaleToFit || t > k1and1_2in_1ft) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mStdScaleType = t;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setShadePlot(ShadePlotType t)
{
    if (t < kAsDisplayed || t > kRendered) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mShadePlot = t;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPlotSettings::getStdScale(double& scale) const
{
    static const double kScales[] = {0.0,        1.0 / 1536, 1.0 / 768, 1.0 / 384, 1.0 / 192, 1.0 / 128, 1.0 / 96,
                                     1.0 / 64,   1.0 / 48,   1.0 / 32,  1.0 / 24,  1.0 / 16,  1.0 / 12,  1.0 / 4,
                                     1.0 / 2,    1.0,        1.0,       0.5,       0.25,      0.2,       0.125,
                                     0.1,        0.0625,     0.05,      1.0 / 30,  0.025,     0.02,      0.01,
                                     2.0,        4.0,        8.0,       10.0,      100.0,     1000.0,    1.0 / 8};
    scale = kScales[int(mStdScaleType)];
    return mStdScaleType == kScaleToFit ? Zcad::eNotApplicable : Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPlotSettings::getPlotPaperMargins(double& xmin, double& ymin, double& xmax, double& ymax) const
{
    xmin = mMargins[0];
    ymin = mMargins[1];
    xmax = mMargins[2];
    ymax = mMargins[3];
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setPlotPaperMargins(double xmin, double ymin, double xmax, double ymax)
{
    if (xmin < 0 || ymin < 0 || xmax < 0 || ymax < 0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mMargins[0] = xmin;
    mMargins[1] = ymin;
    mMargins[2] = xmax;
    mMargins[3] = ymax;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::getPlotPaperSize(double& w, double& h) const
{
    w = mPaperWidth;
    h = mPaperHeight;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setPlotPaperSize(double w, double h)
{
    if (w < 0 || h < 0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mPaperWidth = w;
    mPaperHeight = h;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::getPlotOrigin(double& x, double& y) const
{
    x = mOriginX;
    y = mOriginY;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setPlotOrigin(double x, double y)
{
    ZC_WRITE_OR_FAIL();
    mOriginX = x;
    mOriginY = y;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::getPlotWindowArea(double& xmin, double& ymin, double& xmax, double& ymax) const
{
    xmin = mWindow[0];
    ymin = mWindow[1];
    xmax = mWindow[2];
    ymax = mWindow[3];
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setPlotWindowArea(double xmin, double ymin, double xmax, double ymax)
{
    ZC_WRITE_OR_FAIL();
    mWindow[0] = xmin;
    mWindow[1] = ymin;
    mWindow[2] = xmax;
    mWindow[3] = ymax;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::getCustomPrintScale(double& numerator, double& denominator) const
{
    numerator = mScaleNumerator;
    denominator = mScaleDenominator;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbPlotSettings::setCustomPrintScale(double numerator, double denominator)
{
    if (!(numerator > 0.0) || !(denominator > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mScaleNumerator = numerator;
    mScaleDenominator = denominator;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbPlotSettings::copyFrom(const ZcRxObject* other)
{
    const ZcDbPlotSettings* src = ZcDbPlotSettings::cast(other);
    if (src == nullptr) return Zcad::eWrongObjectType;
    ZC_WRITE_OR_FAIL();
    ZcDbCopyFiler filer;
    src->ZcDbPlotSettings::dwgOutFields(&filer);
    filer.rewind();
    bool model = mModelType;
    ZcDbPlotSettings::dwgInFields(&filer);
    mModelType = model;
    return filer.filerStatus();
}

Zcad::ErrorStatus ZcDbPlotSettings::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readString(mName);
    f->readString(mCfgName);
    f->readString(mMediaName);
    f->readString(mStyleSheet);
    f->readString(mViewName);
    for (double& d : mMargins) f->readDouble(&d);
    f->readDouble(&mPaperWidth);
    f->readDouble(&mPaperHeight);
    f->readDouble(&mOriginX);
    f->readDouble(&mOriginY);
    for (double& d : mWindow) f->readDouble(&d);
    int32_t units = 0, rot = 0, type = 0, std = 0, shade = 0;
    f->readInt32(&units);
    f->readInt32(&rot);
    f->readInt32(&type);
    f->readInt32(&std);
    f->readInt32(&shade);
    mPaperUnits = PlotPaperUnits(units);
    mRotation = PlotRotation(rot);
    mPlotType = PlotType(type);
    mStdScaleType = StdScaleType(std);
    mShadePlot = ShadePlotType(shade);
    f->readBool(&mCentered);
    f->readBool(&mUseStandardScale);
    f->readDouble(&mScaleNumerator);
    f->readDouble(&mScaleDenominator);
    f->readBool(&mPlotPlotStyles);
    f->readBool(&mShowPlotStyles);
    f->readBool(&mPrintLineweights);
    f->readBool(&mScaleLineweights);
    f->readBool(&mPlotHidden);
    f->readBool(&mPlotTransparency);
    f->readBool(&mPlotViewportBorders);
    f->readBool(&mDrawViewportsFirst);
    f->readBool(&mModelType);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbPlotSettings::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeString(mName.c_str());
    f->writeString(mCfgName.c_str());
    f->writeString(mMediaName.c_str());
    f->writeString(mStyleSheet.c_str());
    f->writeString(mViewName.c_str());
    for (double d : mMargins) f->writeDouble(d);
    f->writeDouble(mPaperWidth);
    f->writeDouble(mPaperHeight);
    f->writeDouble(mOriginX);
    f->writeDouble(mOriginY);
    for (double d : mWindow) f->writeDouble(d);
    f->writeInt32(int32_t(mPaperUnits));
    f->writeInt32(int32_t(mRotation));
    f->writeInt32(int32_t(mPlotType));
    f->writeInt32(int32_t(mStdScaleType));
    f->writeInt32(int32_t(mShadePlot));
    f->writeBool(mCentered);
    f->writeBool(mUseStandardScale);
    f->writeDouble(mScaleNumerator);
    f->writeDouble(mScaleDenominator);
    f->writeBool(mPlotPlotStyles);
    f->writeBool(mShowPlotStyles);
    f->writeBool(mPrintLineweights);
    f->writeBool(mScaleLineweights);
    f->writeBool(mPlotHidden);
    f->writeBool(mPlotTransparency);
    f->writeBool(mPlotViewportBorders);
    f->writeBool(mDrawViewportsFirst);
    f->writeBool(mModelType);
    return f->filerStatus();
}
