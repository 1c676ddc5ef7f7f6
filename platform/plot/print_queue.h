// The print queue of a machine printer: every job sent to the printer (not to a file) leaves,
// beside its spooled document "job-NNNN.pdf", a shadow file "job-NNNN.shd" with what a
// spooler shows of it (document name, paper, copies, collation), so that the jobs of a spool
// folder can be told apart and counted in the order they were sent.
#pragma once

#include <string>
#include <vector>

#include "plot/plot_job.h"

namespace platform {

struct Print_Queue_Job {
    std::wstring file;          // the spooled document, host path
    std::wstring document;      // the document name the host gave the job, e.g. "plan-Model"
    std::wstring media;         // canonical name of the paper
    double width_mm = 0.0, height_mm = 0.0;
    int copies = 1;
    bool collate = true;
};

// Appends the job, spooled as `file`, to the queue of its spool folder. False when the job
// is not a printer job to the spool folder or the queue cannot be written.
bool Record_Print_Job(const PlotJob& job, const std::wstring& file);
// The jobs recorded for the printer (case ignored), oldest first; empty for an unknown printer.
std::vector<Print_Queue_Job> Print_Queue(const std::wstring& printer_name);

}  // namespace platform
