// Where the plot window lands on the paper: the page as it comes out (orientation applied),
// the printable area, the plot scale and the drawing -> paper transform.
#pragma once
#include <string>

#include "ge/gemat3d.h"
#include "plot/plot_job.h"
#include "plot/render/plot_device.h"

namespace platform {

struct Paper_Layout {
    double page_width_mm = 0.0, page_height_mm = 0.0;
    // Printable area on the page: lower-left and upper-right corners.
    Paper_Point printable_min, printable_max;
    double scale = 1.0;                  // paper millimetres per drawing unit
    ZcGeMatrix3d paper_from_drawing;     // drawing coordinates -> page millimetres
    Paper_Ring window;                   // the plot window on the page (clip of everything drawn)
};

// Fails (with a message) for a degenerate window or paper, or a bad custom scale.
bool Compute_Paper_Layout(const PlotJob& job, const ZcGePoint2d& windowMin, const ZcGePoint2d& windowMax,
                          Paper_Layout& layout, std::wstring& error);

}  // namespace platform
