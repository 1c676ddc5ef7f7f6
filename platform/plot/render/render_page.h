// The page of a plot job drawn onto a given device (Render_Plot picks the device by the job's
// driver and calls this).
#pragma once
#include <string>

#include "ge/gepnt2d.h"
#include "plot/plot_job.h"
#include "plot/render/plot_device.h"

namespace platform {

// The job's plot window in its space's coordinates: the window it gives, or the extents of
// what plots, the limits, the layout's printable area. False with a message when there is none.
bool Resolve_Plot_Window(const PlotJob& job, ZcGePoint2d& windowMin, ZcGePoint2d& windowMax, std::wstring& error);

// Begins the page, draws the job's window and its stamp, leaves the device unfinished.
// False with a message when the job cannot be drawn.
bool Render_Page(const PlotJob& job, Plot_Device& device, std::wstring& error);

}  // namespace platform
