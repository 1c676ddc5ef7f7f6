// The plot layer's plot-settings validator: checks each value against the device registry
// (devices, their media, plot-style tables) before it reaches the plot settings.
#pragma once

#include <string>
#include <vector>

#include "plot/dbplotsetval.h"
#include "plot/device_registry.h"

namespace platform {

class Host_Plot_Validator : public ZcDbPlotSettingsValidator {
public:
    // The validator the plot layer installs when it is loaded.
    static Host_Plot_Validator& instance();

    Zcad::ErrorStatus setPlotCfgName(ZcDbPlotSettings* pPlotSet, const wchar_t* plotDeviceName,
                                     const wchar_t* mediaName = nullptr) override;
    Zcad::ErrorStatus setCanonicalMediaName(ZcDbPlotSettings* pPlotSet, const wchar_t* mediaName) override;
    Zcad::ErrorStatus setClosestMediaName(ZcDbPlotSettings* pPlotSet, double paperWidth, double paperHeight,
                                          ZcDbPlotSettings::PlotPaperUnits units, bool matchPrintableArea) override;
    Zcad::ErrorStatus setPlotOrigin(ZcDbPlotSettings* pPlotSet, double xCoordinate, double yCoordinate) override;
    Zcad::ErrorStatus setPlotPaperUnits(ZcDbPlotSettings* pPlotSet, ZcDbPlotSettings::PlotPaperUnits units) override;
    Zcad::ErrorStatus setPlotRotation(ZcDbPlotSettings* pPlotSet, ZcDbPlotSettings::PlotRotation rotationType) override;
    Zcad::ErrorStatus setPlotCentered(ZcDbPlotSettings* pPlotSet, bool isCentered) override;
    Zcad::ErrorStatus setPlotType(ZcDbPlotSettings* pPlotSet, ZcDbPlotSettings::PlotType plotAreaType) override;
    Zcad::ErrorStatus setPlotWindowArea(ZcDbPlotSettings* pPlotSet, double xmin, double ymin, double xmax,
                                        double ymax) override;
    Zcad::ErrorStatus setPlotViewName(ZcDbPlotSettings* pPlotSet, const wchar_t* viewName) override;
    Zcad::ErrorStatus setUseStandardScale(ZcDbPlotSettings* pPlotSet, bool useStandard) override;
    Zcad::ErrorStatus setCustomPrintScale(ZcDbPlotSettings* pPlotSet, double numerator, double denominator) override;
    Zcad::ErrorStatus setStdScaleType(ZcDbPlotSettings* pPlotSet, ZcDbPlotSettings::StdScaleType scaleType) override;
    Zcad::ErrorStatus setCurrentStyleSheet(ZcDbPlotSettings* pPlotSet, const wchar_t* styleSheetName) override;
    Zcad::ErrorStatus plotDeviceList(ZcArray<const wchar_t*>& deviceList) override;
    Zcad::ErrorStatus canonicalMediaNameList(ZcDbPlotSettings* pPlotSet, ZcArray<const wchar_t*>& mediaList) override;
    Zcad::ErrorStatus getLocaleMediaName(ZcDbPlotSettings* pPlotSet, const wchar_t* canonicalName,
                                         const wchar_t*& localeMediaName) override;
    Zcad::ErrorStatus getLocaleMediaName(ZcDbPlotSettings* pPlotSet, int index,
                                         const wchar_t*& localeMediaName) override;
    Zcad::ErrorStatus plotStyleSheetList(ZcArray<const wchar_t*>& styleList) override;
    void refreshLists(ZcDbPlotSettings* pPlotSet) override;
    void setZoomToPaperOnUpdate(ZcDbPlotSettings* pPlotSet, bool doZoom) override;
    Zcad::ErrorStatus setDefaultPlotConfig(ZcDbPlotSettings* pPlotSet) override;

private:
    std::vector<std::wstring> devices_, media_, styles_;
    std::wstring locale_name_;
};

// The device the settings name (null when the registry does not know it).
Shared_Plot_Device Device_Of(const ZcDbPlotSettings* settings);
// The settings' current media as the device describes it.
std::optional<PlotPaper> Media_Of(const ZcDbPlotSettings* settings);

}  // namespace platform
