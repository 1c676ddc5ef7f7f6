// Hook through which the plot layer supplies the host's plot-settings validator.
#pragma once

class ZcDbPlotSettingsValidator;

namespace platform {

// Installs the validator that ZcDbHostApplicationServices::plotSettingsValidator returns
// (nullptr removes it). The plot layer registers its own when it is loaded.
void Set_Plot_Settings_Validator(ZcDbPlotSettingsValidator* validator);
ZcDbPlotSettingsValidator* Plot_Settings_Validator();

}  // namespace platform
