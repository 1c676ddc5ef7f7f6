// The host's plot-settings validator: every change of a layout's plot settings that the host
// checks (device, media, window, scale, rotation, plot style) goes through it, and it lists
// the devices, media and plot-style tables the host offers.
//
// Reached as zcdbHostApplicationServices()->plotSettingsValidator(); the plot layer installs
// its validator when it is loaded. Name lists hold pointers into the validator's own storage:
// they stay valid until the next call of the validator that lists or refreshes.
#pragma once

#include "db/dblayout.h"
#include "rx/zcarray.h"
#include "rx/zcadstrc.h"

class ZcDbPlotSettingsValidator {
public:
    virtual ~ZcDbPlotSettingsValidator() = default;

    // Device (a ".pc5" file name of the printer-configuration folders, a configured printer,
    // or "None"). With mediaName nullptr the device's default media is taken when the current
    // one is not offered. eInvalidInput for a device the host does not know (settings unchanged).
    virtual Zcad::ErrorStatus setPlotCfgName(ZcDbPlotSettings* pPlotSet, const wchar_t* plotDeviceName,
                                             const wchar_t* mediaName = nullptr) = 0;
    // Media by canonical name; also sets the paper size and printable margins. eInvalidInput
    // when the settings' device does not offer it (settings unchanged).
    virtual Zcad::ErrorStatus setCanonicalMediaName(ZcDbPlotSettings* pPlotSet, const wchar_t* mediaName) = 0;
    // Media of the device closest to the size (in units), optionally by printable area.
    virtual Zcad::ErrorStatus setClosestMediaName(ZcDbPlotSettings* pPlotSet, double paperWidth, double paperHeight,
                                                  ZcDbPlotSettings::PlotPaperUnits units,
                                                  bool matchPrintableArea) = 0;
    virtual Zcad::ErrorStatus setPlotOrigin(ZcDbPlotSettings* pPlotSet, double xCoordinate, double yCoordinate) = 0;
    virtual Zcad::ErrorStatus setPlotPaperUnits(ZcDbPlotSettings* pPlotSet,
                                                ZcDbPlotSettings::PlotPaperUnits units) = 0;
    virtual Zcad::ErrorStatus setPlotRotation(ZcDbPlotSettings* pPlotSet,
                                              ZcDbPlotSettings::PlotRotation rotationType) = 0;
    virtual Zcad::ErrorStatus setPlotCentered(ZcDbPlotSettings* pPlotSet, bool isCentered) = 0;
    // kView needs a view name, kWindow a non-empty window area (eInvalidInput otherwise);
    // kLayout only on paper layouts.
    virtual Zcad::ErrorStatus setPlotType(ZcDbPlotSettings* pPlotSet, ZcDbPlotSettings::PlotType plotAreaType) = 0;
    // The corners in the space's coordinates; they are stored ordered. A degenerate window
    // gives eInvalidInput.
    virtual Zcad::ErrorStatus setPlotWindowArea(ZcDbPlotSettings* pPlotSet, double xmin, double ymin, double xmax,
                                                double ymax) = 0;
    virtual Zcad::ErrorStatus setPlotViewName(ZcDbPlotSettings* pPlotSet, const wchar_t* viewName) = 0;
    virtual Zcad::ErrorStatus setUseStandardScale(ZcDbPlotSettings* pPlotSet, bool useStandard) = 0;
    // Paper units per drawing units; both must be positive. Turns the standard scale off.
    virtual Zcad::ErrorStatus setCustomPrintScale(ZcDbPlotSettings* pPlotSet, double numerator,
                                                  double denominator) = 0;
    virtual Zcad::ErrorStatus setStdScaleType(ZcDbPlotSettings* pPlotSet,
                                              ZcDbPlotSettings::StdScaleType scaleType) = 0;
    // A table of the plot-style list (by file name, case ignored), or "" / nullptr for none.
    // eInvalidInput for a table the host does not find.
    virtual Zcad::ErrorStatus setCurrentStyleSheet(ZcDbPlotSettings* pPlotSet, const wchar_t* styleSheetName) = 0;

    // Devices: "None" first, then the ".pc5" files of the printer-configuration folders
    // (top folder before subfolders, each name once), then the machine's printers.
    virtual Zcad::ErrorStatus plotDeviceList(ZcArray<const wchar_t*>& deviceList) = 0;
    // Canonical media names of the settings' device, in the device's order.
    virtual Zcad::ErrorStatus canonicalMediaNameList(ZcDbPlotSettings* pPlotSet,
                                                     ZcArray<const wchar_t*>& mediaList) = 0;
    // Display name of a media of the settings' device, by canonical name or list index.
    virtual Zcad::ErrorStatus getLocaleMediaName(ZcDbPlotSettings* pPlotSet, const wchar_t* canonicalName,
                                                 const wchar_t*& localeMediaName) = 0;
    virtual Zcad::ErrorStatus getLocaleMediaName(ZcDbPlotSettings* pPlotSet, int index,
                                                 const wchar_t*& localeMediaName) = 0;
    // The plot-style tables (".ctb" and ".stb" file names) of the plot-style folders.
    virtual Zcad::ErrorStatus plotStyleSheetList(ZcArray<const wchar_t*>& styleList) = 0;
    // Reads the device, media and plot-style lists again (folders may have changed).
    virtual void refreshLists(ZcDbPlotSettings* pPlotSet) = 0;
    virtual void setZoomToPaperOnUpdate(ZcDbPlotSettings* pPlotSet, bool doZoom) = 0;
    // Device "None" with its default media.
    virtual Zcad::ErrorStatus setDefaultPlotConfig(ZcDbPlotSettings* pPlotSet) = 0;
};
