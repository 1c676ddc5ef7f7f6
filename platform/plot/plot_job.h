// One plot as the "-plot" command hands it to the plot engine: what to draw, onto which
// paper, through which driver, into which file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/dbid.h"
#include "ge/gepnt2d.h"

class ZcDbDatabase;

namespace platform {

// Output drivers; a device's ".pc5" file names its driver.
enum class PlotDriver { Pdf, Svg, Png, Jpg, Plt, Dwf, Printer };

// A paper as a ".pmp" file (or a printer's media list) describes it. All sizes in millimetres,
// in the portrait orientation the description gives (width across, height down).
struct PlotPaper {
    std::wstring canonical_name;
    std::wstring display_name;
    double width_mm = 210.0;
    double height_mm = 297.0;
    // Unprintable margins.
    double margin_left_mm = 0.0, margin_bottom_mm = 0.0, margin_right_mm = 0.0, margin_top_mm = 0.0;
};

enum class PlotArea { Display, Extents, Limits, View, Window, Layout };

struct PlotStamp {
    bool enabled = false;
    std::vector<std::wstring> fields;  // texts in the order they are printed
};

struct PlotJob {
    ZcDbDatabase* database = nullptr;
    ZcDbObjectId space;                // block table record of model space or of a layout
    bool model_space = true;
    std::wstring device_name;          // as the user chose it, e.g. "Korvel PDF.pc5" or a printer
    std::wstring document_name;        // the job's name in a print queue: "<drawing>-<layout>"
    PlotDriver driver = PlotDriver::Pdf;
    double dpi = 300.0;                // raster drivers: pixels per inch of the paper
    uint32_t background_rgb = 0xFFFFFF;  // paper colour 0x00RRGGBB (raster drivers paint it)
    PlotPaper paper;
    PlotArea area = PlotArea::Window;
    ZcGePoint2d window_min, window_max;  // the plot window in the space's coordinates
    bool fit_to_paper = true;
    double paper_units = 1.0, drawing_units = 1.0;  // custom scale: paper_units mm = drawing_units
    bool centered = true;
    ZcGePoint2d offset_mm;             // origin offset from the printable area's lower left, when not centred
    int rotation_degrees = 0;          // 0, 90, 180, 270: the drawing turned on the paper
    bool landscape = false;            // paper turned: width and height swap before rotation
    bool upside_down = false;
    std::wstring style_table_path;     // full path of the plot-style table, empty = none
    bool plot_with_styles = true;
    bool plot_lineweights = true;
    bool scale_lineweights = false;
    bool hide_paperspace_objects = false;
    bool paperspace_last = false;
    PlotStamp stamp;
    int copies = 1;
    bool collate = true;
    std::wstring output_path;          // host path of the file to write (file drivers, printer "to file")
    std::wstring spool_folder;         // printer jobs without a file go here
};

struct PlotResult {
    bool ok = false;
    std::wstring error;                // what went wrong, for the command line
    std::vector<std::wstring> files;   // files written
};

// Renders the job through its driver. Implemented by the plot engine (render/).
PlotResult Render_Plot(const PlotJob& job);

}  // namespace platform
