#include "core/plot_config.h"

Plot_Config g_Plot_Config;

void Plot_Config::Load() {}

void Plot_Config::Save(bool /*report*/) {}
