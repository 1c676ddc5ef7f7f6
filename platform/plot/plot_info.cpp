#include "plot/plot_settings_validator.h"
#include "plot/zcplplotinfo.h"

void ZcPlPlotInfo::setOverrideSettings(const ZcDbPlotSettings* pOverrides)
{
    mValidated.reset();
    if (pOverrides == nullptr) {
        mOverrides.reset();
        return;
    }
    mOverrides = std::make_unique<ZcDbPlotSettings>(pOverrides->modelType());
    mOverrides->copyFrom(pOverrides);
}

Zcad::ErrorStatus ZcPlPlotInfoValidator::validate(ZcPlPlotInfo& info)
{
    info.mValidated.reset();
    ZcDbLayout* layout = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(layout, info.layout(), ZcDb::kForRead);
    if (es != Zcad::eOk)
        return es;
    auto settings = std::make_unique<ZcDbPlotSettings>(layout->modelType());
    es = settings->copyFrom(info.overrideSettings() != nullptr ? info.overrideSettings() : layout);
    layout->close();
    if (es != Zcad::eOk)
        return es;
    platform::Shared_Plot_Device device = platform::Device_Of(settings.get());
    if (!device || device->none || !platform::Media_Of(settings.get()))
        return Zcad::eInvalidInput;
    info.mValidated = std::move(settings);
    return Zcad::eOk;
}
