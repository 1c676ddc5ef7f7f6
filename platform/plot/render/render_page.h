// The page of a plot job drawn onto a given device (Render_Plot picks the device by the job's
// driver and calls this).
#pragma once
#include <string>

#include "plot/plot_job.h"
#include "plot/render/plot_device.h"

namespace platform {

// Begins the page, draws the job's window and its stamp, leaves the device unfinished.
// False with a message when the job cannot be drawn.
bool Render_Page(const PlotJob& job, Plot_Device& device, std::wstring& error);

}  // namespace platform
