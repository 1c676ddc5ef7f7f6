// Printers configured on the emulated machine: each has a name, the media it offers and
// a spool folder into which its jobs are written. Kept under the machine root
// (<root>/.printers) so that every process of the machine sees the same printers.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "plot/plot_job.h"

namespace platform {

struct Machine_Printer {
    std::wstring name;                // as the host lists it, e.g. "HP LaserJet M1536"
    std::vector<PlotPaper> media;     // in the order the printer offers them; the first is its default
    std::wstring spool_folder;        // Windows path; created when the printer is added
    double dpi = 600.0;
};

// Adds the printer, replacing one of the same name (case ignored). False when the name is
// empty or holds a tab or line break, or the printer offers no media.
bool Add_Machine_Printer(const Machine_Printer& printer);
bool Remove_Machine_Printer(const std::wstring& name);
std::vector<Machine_Printer> Machine_Printers();
std::optional<Machine_Printer> Find_Machine_Printer(const std::wstring& name);

}  // namespace platform
