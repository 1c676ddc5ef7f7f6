#include "db/plot_validator_hook.h"

#include "db/dbdatabase.h"

namespace {
ZcDbPlotSettingsValidator* gValidator = nullptr;
}

namespace platform {

void Set_Plot_Settings_Validator(ZcDbPlotSettingsValidator* validator) { gValidator = validator; }
ZcDbPlotSettingsValidator* Plot_Settings_Validator() { return gValidator; }

}  // namespace platform

ZcDbPlotSettingsValidator* ZcDbHostApplicationServices::plotSettingsValidator() const
{
    return platform::Plot_Settings_Validator();
}
