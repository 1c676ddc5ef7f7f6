#include "plot/plot_settings_validator.h"

#include <cmath>
#include <limits>

#include "db/plot_validator_hook.h"
#include "win/win_files.h"

namespace platform {

namespace {

const PlotPaper* Find_Media(const Plot_Device_Entry& device, const wchar_t* canonical)
{
    if (canonical == nullptr || *canonical == 0)
        return nullptr;
    for (const PlotPaper& paper : device.media)
        if (Equal_No_Case(paper.canonical_name, canonical))
            return &paper;
    return nullptr;
}

Zcad::ErrorStatus Apply_Media(ZcDbPlotSettings* settings, const PlotPaper* paper)
{
    if (paper == nullptr) {
        Zcad::ErrorStatus es = settings->setCanonicalMediaName(L"");
        if (es == Zcad::eOk)
            es = settings->setPlotPaperSize(0.0, 0.0);
        return es;
    }
    Zcad::ErrorStatus es = settings->setCanonicalMediaName(paper->canonical_name.c_str());
    if (es == Zcad::eOk)
        es = settings->setPlotPaperSize(paper->width_mm, paper->height_mm);
    if (es == Zcad::eOk)
        es = settings->setPlotPaperMargins(paper->margin_left_mm, paper->margin_bottom_mm, paper->margin_right_mm,
                                           paper->margin_top_mm);
    return es;
}

double To_Millimetres(double value, ZcDbPlotSettings::PlotPaperUnits units, double dpi)
{
    switch (units) {
    case ZcDbPlotSettings::kInches:
        return value * 25.4;
    case ZcDbPlotSettings::kPixels:
        return value * 25.4 / dpi;
    default:
        return value;
    }
}

bool Is_Raster(PlotDriver driver) { return driver == PlotDriver::Png || driver == PlotDriver::Jpg; }

void Fill(ZcArray<const wchar_t*>& out, const std::vector<std::wstring>& names)
{
    out.removeAll();
    for (const std::wstring& name : names)
        out.append(name.c_str());
}

// Installs the validator while the plot layer is loaded.
struct Registrar {
    Registrar() { Set_Plot_Settings_Validator(&Host_Plot_Validator::instance()); }
    ~Registrar() { Set_Plot_Settings_Validator(nullptr); }
} gRegistrar;

}  // namespace

Shared_Plot_Device Device_Of(const ZcDbPlotSettings* settings)
{
    const wchar_t* name = nullptr;
    if (settings == nullptr || settings->getPlotCfgName(name) != Zcad::eOk || name == nullptr)
        return nullptr;
    return Find_Plot_Device(name);
}

std::optional<PlotPaper> Media_Of(const ZcDbPlotSettings* settings)
{
    Shared_Plot_Device device = Device_Of(settings);
    const wchar_t* media = nullptr;
    if (!device || settings->getCanonicalMediaName(media) != Zcad::eOk)
        return std::nullopt;
    if (const PlotPaper* paper = Find_Media(*device, media))
        return *paper;
    return std::nullopt;
}

Host_Plot_Validator& Host_Plot_Validator::instance()
{
    static Host_Plot_Validator validator;
    return validator;
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotCfgName(ZcDbPlotSettings* pPlotSet, const wchar_t* plotDeviceName,
                                                          const wchar_t* mediaName)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (plotDeviceName == nullptr || *plotDeviceName == 0)
        return Zcad::eInvalidInput;
    Shared_Plot_Device device = Find_Plot_Device(plotDeviceName);
    if (!device)
        return Zcad::eInvalidInput;
    const PlotPaper* paper = nullptr;
    if (mediaName != nullptr && *mediaName != 0) {
        paper = Find_Media(*device, mediaName);
        if (paper == nullptr)
            return Zcad::eInvalidInput;
    } else {
        const wchar_t* current = nullptr;
        pPlotSet->getCanonicalMediaName(current);
        paper = Find_Media(*device, current);
        if (paper == nullptr && !device->media.empty())
            paper = &device->media.front();
    }
    Zcad::ErrorStatus es = pPlotSet->setPlotCfgName(device->name.c_str());
    if (es != Zcad::eOk)
        return es;
    if (!Is_Raster(device->driver) && pPlotSet->plotPaperUnits() == ZcDbPlotSettings::kPixels)
        pPlotSet->setPlotPaperUnits(ZcDbPlotSettings::kMillimeters);
    return Apply_Media(pPlotSet, paper);
}

Zcad::ErrorStatus Host_Plot_Validator::setCanonicalMediaName(ZcDbPlotSettings* pPlotSet, const wchar_t* mediaName)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    Shared_Plot_Device device = Device_Of(pPlotSet);
    if (!device)
        return Zcad::eInvalidInput;
    const PlotPaper* paper = Find_Media(*device, mediaName);
    if (paper == nullptr)
        return Zcad::eInvalidInput;
    return Apply_Media(pPlotSet, paper);
}

Zcad::ErrorStatus Host_Plot_Validator::setClosestMediaName(ZcDbPlotSettings* pPlotSet, double paperWidth,
                                                               double paperHeight,
                                                               ZcDbPlotSettings::PlotPaperUnits units,
                                                               bool matchPrintableArea)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    Shared_Plot_Device device = Device_Of(pPlotSet);
    if (!device || device->media.empty() || paperWidth <= 0.0 || paperHeight <= 0.0)
        return Zcad::eInvalidInput;
    const double w = To_Millimetres(paperWidth, units, device->dpi);
    const double h = To_Millimetres(paperHeight, units, device->dpi);
    const PlotPaper* best = nullptr;
    double best_distance = std::numeric_limits<double>::max();
    for (const PlotPaper& paper : device->media) {
        double pw = paper.width_mm, ph = paper.height_mm;
        if (matchPrintableArea) {
            pw -= paper.margin_left_mm + paper.margin_right_mm;
            ph -= paper.margin_bottom_mm + paper.margin_top_mm;
        }
        double distance = std::hypot(pw - w, ph - h);
        if (distance < best_distance) {
            best_distance = distance;
            best = &paper;
        }
    }
    return Apply_Media(pPlotSet, best);
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotOrigin(ZcDbPlotSettings* pPlotSet, double xCoordinate,
                                                         double yCoordinate)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (!std::isfinite(xCoordinate) || !std::isfinite(yCoordinate))
        return Zcad::eInvalidInput;
    return pPlotSet->setPlotOrigin(xCoordinate, yCoordinate);
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotPaperUnits(ZcDbPlotSettings* pPlotSet,
                                                             ZcDbPlotSettings::PlotPaperUnits units)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (units == ZcDbPlotSettings::kPixels) {
        Shared_Plot_Device device = Device_Of(pPlotSet);
        if (!device || !Is_Raster(device->driver))
            return Zcad::eInvalidInput;
    }
    return pPlotSet->setPlotPaperUnits(units);
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotRotation(ZcDbPlotSettings* pPlotSet,
                                                           ZcDbPlotSettings::PlotRotation rotationType)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    return pPlotSet->setPlotRotation(rotationType);
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotCentered(ZcDbPlotSettings* pPlotSet, bool isCentered)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    return pPlotSet->setPlotCentered(isCentered);
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotType(ZcDbPlotSettings* pPlotSet,
                                                       ZcDbPlotSettings::PlotType plotAreaType)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (plotAreaType == ZcDbPlotSettings::kLayout && pPlotSet->modelType())
        return Zcad::eInvalidInput;
    if (plotAreaType == ZcDbPlotSettings::kView) {
        const wchar_t* view = nullptr;
        if (pPlotSet->getPlotViewName(view) != Zcad::eOk || view == nullptr || *view == 0)
            return Zcad::eInvalidInput;
    }
    if (plotAreaType == ZcDbPlotSettings::kWindow) {
        double x0, y0, x1, y1;
        pPlotSet->getPlotWindowArea(x0, y0, x1, y1);
        if (x0 == x1 || y0 == y1)
            return Zcad::eInvalidInput;
    }
    return pPlotSet->setPlotType(plotAreaType);
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotWindowArea(ZcDbPlotSettings* pPlotSet, double xmin, double ymin,
                                                             double xmax, double ymax)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (!std::isfinite(xmin) || !std::isfinite(ymin) || !std::isfinite(xmax) || !std::isfinite(ymax) ||
        xmin == xmax || ymin == ymax)
        return Zcad::eInvalidInput;
    return pPlotSet->setPlotWindowArea(std::min(xmin, xmax), std::min(ymin, ymax), std::max(xmin, xmax),
                                       std::max(ymin, ymax));
}

Zcad::ErrorStatus Host_Plot_Validator::setPlotViewName(ZcDbPlotSettings* pPlotSet, const wchar_t* viewName)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (viewName == nullptr)
        return Zcad::eInvalidInput;
    return pPlotSet->setPlotViewName(viewName);
}

Zcad::ErrorStatus Host_Plot_Validator::setUseStandardScale(ZcDbPlotSettings* pPlotSet, bool useStandard)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    return pPlotSet->setUseStandardScale(useStandard);
}

Zcad::ErrorStatus Host_Plot_Validator::setCustomPrintScale(ZcDbPlotSettings* pPlotSet, double numerator,
                                                               double denominator)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (!(numerator > 0.0) || !(denominator > 0.0) || !std::isfinite(numerator) || !std::isfinite(denominator))
        return Zcad::eInvalidInput;
    Zcad::ErrorStatus es = pPlotSet->setCustomPrintScale(numerator, denominator);
    if (es == Zcad::eOk)
        es = pPlotSet->setUseStandardScale(false);
    return es;
}

Zcad::ErrorStatus Host_Plot_Validator::setStdScaleType(ZcDbPlotSettings* pPlotSet,
                                                           ZcDbPlotSettings::StdScaleType scaleType)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    return pPlotSet->setStdScaleType(scaleType);
}

Zcad::ErrorStatus Host_Plot_Validator::setCurrentStyleSheet(ZcDbPlotSettings* pPlotSet,
                                                                const wchar_t* styleSheetName)
{
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    if (styleSheetName == nullptr || *styleSheetName == 0)
        return pPlotSet->setCurrentStyleSheet(L"");
    std::optional<Plot_Style_File> table = Find_Plot_Style_Table(styleSheetName);
    if (!table)
        return Zcad::eInvalidInput;
    return pPlotSet->setCurrentStyleSheet(table->name.c_str());
}

Zcad::ErrorStatus Host_Plot_Validator::plotDeviceList(ZcArray<const wchar_t*>& deviceList)
{
    devices_ = Plot_Device_Names();
    Fill(deviceList, devices_);
    return Zcad::eOk;
}

Zcad::ErrorStatus Host_Plot_Validator::canonicalMediaNameList(ZcDbPlotSettings* pPlotSet,
                                                                  ZcArray<const wchar_t*>& mediaList)
{
    media_.clear();
    mediaList.removeAll();
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    Shared_Plot_Device device = Device_Of(pPlotSet);
    if (!device)
        return Zcad::eInvalidInput;
    for (const PlotPaper& paper : device->media)
        media_.push_back(paper.canonical_name);
    Fill(mediaList, media_);
    return Zcad::eOk;
}

Zcad::ErrorStatus Host_Plot_Validator::getLocaleMediaName(ZcDbPlotSettings* pPlotSet, const wchar_t* canonicalName,
                                                              const wchar_t*& localeMediaName)
{
    localeMediaName = nullptr;
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    Shared_Plot_Device device = Device_Of(pPlotSet);
    if (!device)
        return Zcad::eInvalidInput;
    const PlotPaper* paper = Find_Media(*device, canonicalName);
    if (paper == nullptr)
        return Zcad::eInvalidInput;
    locale_name_ = paper->display_name;
    localeMediaName = locale_name_.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus Host_Plot_Validator::getLocaleMediaName(ZcDbPlotSettings* pPlotSet, int index,
                                                              const wchar_t*& localeMediaName)
{
    localeMediaName = nullptr;
    if (pPlotSet == nullptr)
        return Zcad::eNullObjectPointer;
    Shared_Plot_Device device = Device_Of(pPlotSet);
    if (!device)
        return Zcad::eInvalidInput;
    if (index < 0 || index >= static_cast<int>(device->media.size()))
        return Zcad::eInvalidIndex;
    locale_name_ = device->media[static_cast<size_t>(index)].display_name;
    localeMediaName = locale_name_.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus Host_Plot_Validator::plotStyleSheetList(ZcArray<const wchar_t*>& styleList)
{
    styles_.clear();
    for (const Plot_Style_File& table : Plot_Style_Tables())
        styles_.push_back(table.name);
    Fill(styleList, styles_);
    return Zcad::eOk;
}

// The registry sees changed folders and files by itself; nothing is kept here to refresh.
void Host_Plot_Validator::refreshLists(ZcDbPlotSettings*) {}

void Host_Plot_Validator::setZoomToPaperOnUpdate(ZcDbPlotSettings*, bool) {}

Zcad::ErrorStatus Host_Plot_Validator::setDefaultPlotConfig(ZcDbPlotSettings* pPlotSet)
{
    return setPlotCfgName(pPlotSet, kNoneDevice);
}

}  // namespace platform
