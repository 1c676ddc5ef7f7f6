// JPEG files (libjpeg): plot images written, image files of raster entities read.
#pragma once
#include <cairo.h>

#include <filesystem>
#include <string>

#include "plot/render/plot_device.h"
#include "win/safe_file_write.h"

namespace platform {

// Writes an ARGB32/RGB24 image surface as a baseline JPEG with the given dots per inch to
// the file being written (the caller commits it); false with a message on failure.
bool Write_Jpeg(cairo_surface_t* image, Safe_File_Write& out, double dpi, int quality, std::wstring& error);
// The image's colours (alpha ignored) as baseline JPEG bytes; false when it cannot be compressed.
bool Jpeg_Bytes(const Plot_Image& image, int quality, std::string& bytes);
// Reads a JPEG into opaque 0xAARRGGBB pixels; false when it is not one.
bool Read_Jpeg(const std::filesystem::path& path, Plot_Image& out);

}  // namespace platform
