// JPEG files (libjpeg): plot images written, image files of raster entities read.
#pragma once
#include <cairo.h>

#include <filesystem>
#include <string>

#include "plot/render/plot_device.h"

namespace platform {

// Writes an ARGB32/RGB24 image surface as a baseline JPEG with the given dots per inch.
bool Write_Jpeg(cairo_surface_t* image, const std::filesystem::path& path, double dpi, int quality,
                std::wstring& error);
// Reads a JPEG into opaque 0xAARRGGBB pixels; false when it is not one.
bool Read_Jpeg(const std::filesystem::path& path, Plot_Image& out);

}  // namespace platform
