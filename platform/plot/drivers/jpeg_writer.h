// JPEG files from 32-bit cairo images (libjpeg).
#pragma once
#include <cairo.h>

#include <filesystem>
#include <string>

namespace platform {

// Writes an ARGB32/RGB24 image surface as a baseline JPEG with the given dots per inch.
bool Write_Jpeg(cairo_surface_t* image, const std::filesystem::path& path, double dpi, int quality,
                std::wstring& error);

}  // namespace platform
