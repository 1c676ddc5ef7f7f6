// Where the "-plot" command sends its finished job: the plot engine (Render_Plot), or a
// replacement a test installs to look at the job.
#pragma once

#include <functional>

#include "plot/plot_job.h"

namespace platform {

using Plot_Job_Sink = std::function<PlotResult(const PlotJob&)>;

// Replaces the sink; an empty function restores the plot engine.
void Set_Plot_Job_Sink(Plot_Job_Sink sink);
PlotResult Send_Plot_Job(const PlotJob& job);

}  // namespace platform
