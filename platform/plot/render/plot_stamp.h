// The plot stamp: one line of the stamp's fields along the bottom of the printable area.
#pragma once
#include "plot/plot_job.h"
#include "plot/render/plot_device.h"
#include "plot/render/plot_paper_layout.h"

namespace platform {

constexpr double kPlotStampHeightMm = 2.5;  // cap height
constexpr double kPlotStampInsetMm = 2.0;   // from the printable area's lower-left corner

// The stamp's text: the fields joined by ", " (empty fields left out).
std::wstring Plot_Stamp_Text(const PlotStamp& stamp);
void Draw_Plot_Stamp(Plot_Device& device, const Paper_Layout& layout, const PlotStamp& stamp);

}  // namespace platform
