// Plot images as cairo image surfaces.
#pragma once
#include <cairo.h>

#include "plot/render/plot_device.h"

namespace platform {

// A new ARGB32 surface holding the image's pixels (the caller destroys it); nullptr when the
// image has no pixels or the surface cannot be made.
cairo_surface_t* Plot_Image_Surface(const Plot_Image& image);

}  // namespace platform
