// Plot settings, layouts and the layout manager.
#pragma once
#include <string>

#include "db/dbmain.h"

class ZcDbPlotSettings : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbPlotSettings);
    ZcDbPlotSettings() = default;
    explicit ZcDbPlotSettings(bool modelType) : mModelType(modelType) {}

    enum PlotPaperUnits { kInches = 0, kMillimeters = 1, kPixels = 2 };
    enum PlotRotation { k0degrees = 0, k90degrees = 1, k180degrees = 2, k270degrees = 3 };
    enum PlotType { kDisplay = 0, kExtents = 1, kLimits = 2, kView = 3, kWindow = 4, kLayout = 5 };
    enum StdScaleType {
        kScaleToFit = 0, k1_128in_1ft, k1_64in_1ft, k1_32in_1ft, k1_16in_1ft, k3_32in_1ft, k1_8in_1ft, k3_16in_1ft,
        k1_4in_1ft, k3_8in_1ft, k1_2in_1ft, k3_4in_1ft, k1in_1ft, k3in_1ft, k6in_1ft, k1ft_1ft, k1_1, k1_2, k1_4,
        k1_5, k1_8, k1_10, k1_16, k1_20, k1_30, k1_40, k1_50, k1_100, k2_1, k4_1, k8_1, k10_1, k100_1, k1000_1,
        k1and1_2in_1ft
    };
    enum ShadePlotType { kAsDisplayed = 0, kWireframe = 1, kHidden = 2, kRendered = 3 };

    Zcad::ErrorStatus getPlotSettingsName(const wchar_t*& plotSettingsName) const;
    Zcad::ErrorStatus setPlotSettingsName(const wchar_t* plotSettingsName);
    Zcad::ErrorStatus getPlotCfgName(const wchar_t*& plotCfgName) const;
    Zcad::ErrorStatus setPlotCfgName(const wchar_t* plotCfgName);
    Zcad::ErrorStatus getCanonicalMediaName(const wchar_t*& mediaName) const;
    Zcad::ErrorStatus setCanonicalMediaName(const wchar_t* mediaName);
    Zcad::ErrorStatus getCurrentStyleSheet(const wchar_t*& styleSheetName) const;
    Zcad::ErrorStatus setCurrentStyleSheet(const wchar_t* styleSheetName);
    Zcad::ErrorStatus getPlotViewName(const wchar_t*& viewName) const;
    Zcad::ErrorStatus setPlotViewName(const wchar_t* viewName);

    // Margins in millimetres: left, bottom, right, top.
    Zcad::ErrorStatus getPlotPaperMargins(double& printableXmin, double& printableYmin, double& printableXmax,
                                          double& printableYmax) const;
    Zcad::ErrorStatus setPlotPaperMargins(double printableXmin, double printableYmin, double printableXmax,
                                          double printableYmax);
    // Paper size in millimetres (width, height).
    Zcad::ErrorStatus getPlotPaperSize(double& paperWidth, double& paperHeight) const;
    Zcad::ErrorStatus setPlotPaperSize(double paperWidth, double paperHeight);
    Zcad::ErrorStatus getPlotOrigin(double& x, double& y) const;
    Zcad::ErrorStatus setPlotOrigin(double x, double y);
    Zcad::ErrorStatus getPlotWindowArea(double& xmin, double& ymin, double& xmax, double& ymax) const;
    Zcad::ErrorStatus setPlotWindowArea(double xmin, double ymin, double xmax, double ymax);

    PlotPaperUnits plotPaperUnits() const { return mPaperUnits; }
    Zcad::ErrorStatus setPlotPaperUnits(PlotPaperUnits units);
    PlotRotation plotRotation() const { return mRotation; }
    Zcad::ErrorStatus setPlotRotation(PlotRotation rotation);
    PlotType plotType() const { return mPlotType; }
    Zcad::ErrorStatus setPlotType(PlotType plotType);
    bool plotCentered() const { return mCentered; }
    Zcad::ErrorStatus setPlotCentered(bool isCentered);
    bool useStandardScale() const { return mUseStandardScale; }
    Zcad::ErrorStatus setUseStandardScale(bool useStandard);
    StdScaleType stdScaleType() const { return mStdScaleType; }
    Zcad::ErrorStatus setStdScaleType(StdScaleType scaleType);
    Zcad::ErrorStatus getStdScale(double& scale) const;
    // Custom scale: numerator = paper units, denominator = drawing units.
    Zcad::ErrorStatus getCustomPrintScale(double& numerator, double& denominator) const;
    Zcad::ErrorStatus setCustomPrintScale(double numerator, double denominator);
    bool plotPlotStyles() const { return mPlotPlotStyles; }
    Zcad::ErrorStatus setPlotPlotStyles(bool plot);
    bool showPlotStyles() const { return mShowPlotStyles; }
    Zcad::ErrorStatus setShowPlotStyles(bool show);
    bool printLineweights() const { return mPrintLineweights; }
    Zcad::ErrorStatus setPrintLineweights(bool print);
    bool scaleLineweights() const { return mScaleLineweights; }
    Zcad::ErrorStatus setScaleLineweights(bool scale);
    bool plotHidden() const { return mPlotHidden; }
    Zcad::ErrorStatus setPlotHidden(bool hidden);
    bool plotTransparency() const { return mPlotTransparency; }
    Zcad::ErrorStatus setPlotTransparency(bool plot);
    bool plotViewportBorders() const { return mPlotViewportBorders; }
    Zcad::ErrorStatus setPlotViewportBorders(bool plot);
    bool drawViewportsFirst() const { return mDrawViewportsFirst; }
    Zcad::ErrorStatus setDrawViewportsFirst(bool first);
    ShadePlotType shadePlot() const { return mShadePlot; }
    Zcad::ErrorStatus setShadePlot(ShadePlotType type);
    bool modelType() const { return mModelType; }
    Zcad::ErrorStatus setModelType(bool modelType);

    Zcad::ErrorStatus copyFrom(const ZcRxObject* other) override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    std::wstring mName;
    std::wstring mCfgName = L"None";
    std::wstring mMediaName;
    std::wstring mStyleSheet;
    std::wstring mViewName;
    double mMargins[4] = {0.0, 0.0, 0.0, 0.0};
    double mPaperWidth = 0.0;
    double mPaperHeight = 0.0;
    double mOriginX = 0.0;
    double mOriginY = 0.0;
    double mWindow[4] = {0.0, 0.0, 0.0, 0.0};
    PlotPaperUnits mPaperUnits = kMillimeters;
    PlotRotation mRotation = k0degrees;
    PlotType mPlotType = kLayout;
    bool mCentered = false;
    bool mUseStandardScale = false;
    StdScaleType mStdScaleType = kScaleToFit;
    double mScaleNumerator = 1.0;
    double mScaleDenominator = 1.0;
    bool mPlotPlotStyles = true;
    bool mShowPlotStyles = false;
    bool mPrintLineweights = true;
    bool mScaleLineweights = false;
    bool mPlotHidden = false;
    bool mPlotTransparency = false;
    bool mPlotViewportBorders = false;
    bool mDrawViewportsFirst = false;
    ShadePlotType mShadePlot = kAsDisplayed;
    bool mModelType = false;
};

class ZcDbLayout : public ZcDbPlotSettings {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayout);
    ZcDbLayout() = default;

    ZcDbObjectId getBlockTableRecordId() const { return mBlockId; }
    Zcad::ErrorStatus setBlockTableRecordId(ZcDbObjectId id);
    Zcad::ErrorStatus setBlockTableRecord(ZcDbObjectId id) { return setBlockTableRecordId(id); }
    Zcad::ErrorStatus getLayoutName(const wchar_t*& layoutName) const;
    Zcad::ErrorStatus getName(std::wstring& layoutName) const;
    Zcad::ErrorStatus setLayoutName(const wchar_t* layoutName);
    int getTabOrder() const { return mTabOrder; }
    void setTabOrder(int newOrder);
    bool getTabSelected() const { return mTabSelected; }
    void setTabSelected(bool tabSelected);
    // The viewports of the layout's block, the overall paper viewport first.
    ZcDbObjectIdArray getViewportArray() const;
    Zcad::ErrorStatus getLimits(ZcGePoint2d& limMin, ZcGePoint2d& limMax) const;
    Zcad::ErrorStatus getExtents(ZcGePoint3d& extMin, ZcGePoint3d& extMax) const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    std::wstring mLayoutName;
    int mTabOrder = 0;
    bool mTabSelected = false;
    ZcDbObjectId mBlockId;
    ZcGePoint2d mLimMin{0.0, 0.0};
    ZcGePoint2d mLimMax{420.0, 297.0};
};

// Layouts of a database (the working database when none is given). Layout names are compared
// without regard to case; "Model" is the model layout.
class ZcDbLayoutManager {
public:
    virtual ~ZcDbLayoutManager() = default;

    // The current layout's name; "Model" only when allowModel (else the last paper layout).
    const wchar_t* findActiveLayout(bool allowModel, const ZcDbDatabase* pDb = nullptr);
    Zcad::ErrorStatus getActiveLayoutName(std::wstring& name, bool allowModel, const ZcDbDatabase* pDb = nullptr);
    ZcDbObjectId getActiveLayoutBTRId(const ZcDbDatabase* pDb = nullptr);
    Zcad::ErrorStatus setCurrentLayout(const wchar_t* newname, ZcDbDatabase* pDb = nullptr);
    Zcad::ErrorStatus setCurrentLayoutId(ZcDbObjectId layoutId);
    ZcDbObjectId findLayoutNamed(const wchar_t* name, const ZcDbDatabase* pDb = nullptr);
    // Opens the layout of that name (the caller closes it).
    Zcad::ErrorStatus getLayoutNamed(const wchar_t* name, ZcDbLayout*& pLayout, ZcDb::OpenMode mode = ZcDb::kForRead,
                                     const ZcDbDatabase* pDb = nullptr);
    bool layoutExists(const wchar_t* name, const ZcDbDatabase* pDb = nullptr);
    int countLayouts(ZcDbDatabase* pDb = nullptr);
    // A new paper layout with its own paper space block, last in tab order.
    Zcad::ErrorStatus createLayout(const wchar_t* newLayoutName, ZcDbObjectId& layoutId, ZcDbObjectId& blkTableRecId,
                                   ZcDbDatabase* pDb = nullptr);
    Zcad::ErrorStatus deleteLayout(const wchar_t* delname, ZcDbDatabase* pDb = nullptr);
    Zcad::ErrorStatus renameLayout(const wchar_t* oldname, const wchar_t* newname, ZcDbDatabase* pDb = nullptr);
    Zcad::ErrorStatus copyLayout(const wchar_t* copyname, const wchar_t* newname, ZcDbDatabase* pDb = nullptr);
    // Layout ids in tab order (model first).
    ZcDbObjectIdArray layoutsInTabOrder(const ZcDbDatabase* pDb = nullptr);

private:
    std::wstring mActiveName;
};
