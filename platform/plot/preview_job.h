// The plot job of a layout under given settings, built as the "-plot" command builds it
// (implemented beside that command); the preview renders it.
#pragma once
#include <string>

#include "db/dbid.h"
#include "plot/plot_job.h"

class ZcDbPlotSettings;

namespace platform {

// False with the reason when the settings cannot be plotted (no device, unknown media,
// missing style table...). The job names no output file.
bool Build_Layout_Job(const ZcDbObjectId& layout_id, const ZcDbPlotSettings& settings, PlotJob& job,
                      std::wstring& error);

}  // namespace platform
