// The pinned text font as a cairo font, laid out with the metrics the drawing database uses
// for text extents (no hinting, linear advances).
#pragma once
#include <cairo.h>

#include <string>
#include <vector>

#include "plot/render/plot_device.h"

namespace platform {

// The family name of the pinned font, for formats that name fonts.
std::string Plot_Font_Family();

// The advance width of the text in em (along its x axis).
double Plot_Text_Advance(const Plot_Text& text);

// Sets the font, its matrix and options for the text on cr (user space = page millimetres,
// y up) and shows it as real text; false when the text cannot be laid out.
bool Show_Plot_Text(cairo_t* cr, const Plot_Text& text);

// The glyph outlines of the text on the page, flattened into rings (for devices without fonts).
std::vector<Paper_Ring> Plot_Text_Outline(const Plot_Text& text);

}  // namespace platform
