// The output device of a plot job, by the job's driver.
#pragma once
#include <memory>
#include <string>

#include "plot/plot_job.h"
#include "plot/render/plot_device.h"

namespace platform {

// nullptr with a message when the job names no usable output.
std::unique_ptr<Plot_Device> Make_Plot_Device(const PlotJob& job, std::wstring& error);

// A printer job's file: the "to file" path when given, else the next free "job-NNNN.pdf" in the
// spool folder (created when missing). Empty with a message when there is neither.
std::wstring Printer_Job_Path(const PlotJob& job, std::wstring& error);

}  // namespace platform
