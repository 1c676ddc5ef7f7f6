// The plot that tests/support/ink_compare.py reads: a window of model space or of a layout,
// fitted and centred on a page without margins, in black and white with lineweights, to PDF.
#pragma once

#include <string>

#include "db/dbdatabase.h"
#include "db/dblayout.h"
#include "db/dbmain.h"
#include "plot/plot_job.h"
#include "plot/render/render_page.h"
#include "script/utf8.h"

namespace korvel_test {

struct Ink_Plot {
    std::wstring layout;  // a paper-space layout; empty: model space
    double page_width_mm = 420.0, page_height_mm = 297.0;
    bool extents = true;  // the extents of what plots; else the window below
    double window[4] = {0.0, 0.0, 0.0, 0.0};  // x0, y0, x1, y1; the window plotted after Plot_For_Ink
};

// The window as ink_compare.py's --window takes it.
inline std::string Ink_Window_Argument(const Ink_Plot& plot)
{
    char text[160];
    std::snprintf(text, sizeof text, "%.9g,%.9g,%.9g,%.9g", plot.window[0], plot.window[1], plot.window[2],
                  plot.window[3]);
    return text;
}

// Plots the drawing to the PDF file; false with the reason.
inline bool Plot_For_Ink(ZcDbDatabase& db, const std::string& pdf, Ink_Plot& plot, std::string& error)
{
    platform::PlotJob job;
    job.database = &db;
    if (!plot.layout.empty()) {
        ZcDbObjectId layoutId = zcdbHostApplicationServices()->layoutManager()->findLayoutNamed(plot.layout.c_str(), &db);
        ZcDbObjectPointer<ZcDbLayout> layout(layoutId);
        if (layout.openStatus() != Zcad::eOk) {
            error = "no layout " + platform::To_Utf8(plot.layout);
            return false;
        }
        job.space = layout->getBlockTableRecordId();
        job.model_space = false;
    }
    job.paper.width_mm = plot.page_width_mm;
    job.paper.height_mm = plot.page_height_mm;
    job.area = plot.extents ? platform::PlotArea::Extents : platform::PlotArea::Window;
    job.window_min = ZcGePoint2d(plot.window[0], plot.window[1]);
    job.window_max = ZcGePoint2d(plot.window[2], plot.window[3]);
    job.style_table_path = platform::From_Utf8(std::string(KORVEL_SOURCE_DIR) + "/res/plotstyles/ZCAD1.ccc");
    job.output_path = platform::From_Utf8(pdf);
    std::wstring message;
    ZcGePoint2d lo, hi;
    if (!platform::Resolve_Plot_Window(job, lo, hi, message)) {
        error = platform::To_Utf8(message);
        return false;
    }
    plot.window[0] = lo.x, plot.window[1] = lo.y, plot.window[2] = hi.x, plot.window[3] = hi.y;
    platform::PlotResult result = platform::Render_Plot(job);
    if (!result.ok) error = platform::To_Utf8(result.error);
    return result.ok;
}

}  // namespace korvel_test
