#include "plot/plot_job_sink.h"

namespace platform {

namespace {
Plot_Job_Sink& Sink()
{
    static Plot_Job_Sink sink;
    return sink;
}
}  // namespace

void Set_Plot_Job_Sink(Plot_Job_Sink sink) { Sink() = std::move(sink); }

PlotResult Send_Plot_Job(const PlotJob& job) { return Sink() ? Sink()(job) : Render_Plot(job); }

}  // namespace platform
