// Plots a drawing for tests/support/ink_compare.py and prints the window it plotted:
//
//   ink_plot DRAWING.dxf OUT.pdf [--layout NAME] [--page W,H] [--window X0,Y0,X1,Y1]
//
// The window (default: the extents of what plots in the space) fitted and centred on a W x H mm
// page (default 420,297), in black and white. Prints "window X0,Y0,X1,Y1"; exit status 1 when
// the drawing cannot be read or plotted, 2 for a usage error.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "db/dbdatabase.h"
#include "ink_plot.h"

namespace {

bool Parse_Numbers(const char* text, double* out, int count)
{
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        out[i] = std::strtod(text, &end);
        if (end == text) return false;
        text = end;
        if (i + 1 < count && *text++ != ',') return false;
    }
    return *text == 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: ink_plot DRAWING.dxf OUT.pdf [--layout NAME] [--page W,H] [--window X0,Y0,X1,Y1]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) return Usage();
    korvel_test::Ink_Plot plot;
    for (int i = 3; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* value = argv[++i];
        double page[2];
        if (option == "--layout") {
            plot.layout = platform::From_Utf8(value);
        } else if (option == "--page" && Parse_Numbers(value, page, 2)) {
            plot.page_width_mm = page[0], plot.page_height_mm = page[1];
        } else if (option == "--window" && Parse_Numbers(value, plot.window, 4)) {
            plot.extents = false;
        } else {
            return Usage();
        }
    }
    // The drawing's host paths are taken as they are: relative ones start here.
    const std::string drawing = std::filesystem::absolute(argv[1]).string();
    const std::string pdf = std::filesystem::absolute(argv[2]).string();
    ZcDbDatabase db(false, true);
    if (db.readDwgFile(platform::From_Utf8(drawing).c_str()) != Zcad::eOk) {
        std::fprintf(stderr, "ink_plot: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string error;
    if (!korvel_test::Plot_For_Ink(db, pdf, plot, error)) {
        std::fprintf(stderr, "ink_plot: %s\n", error.c_str());
        return 1;
    }
    std::printf("window %s\n", korvel_test::Ink_Window_Argument(plot).c_str());
    return 0;
}
