// Image files: PNG (cairo), BMP and ICO/CUR (our own readers), JPEG (libjpeg).
// Decoded images are ARGB32 cairo surfaces with premultiplied alpha.
#pragma once

#include <cairo.h>

#include <filesystem>
#include <vector>

#include "win/win_types.h"

namespace platform::image {

struct Decoded {
    cairo_surface_t* surface = nullptr;  // owned by the caller once returned
    int bits_pixel = 32;                 // of the file (1, 4, 8, 16, 24 or 32)
    bool has_alpha = false;              // pixels carry their own alpha
    POINT hotspot{0, 0};                 // cursors
};

bool Read_File(const std::filesystem::path& path, std::vector<unsigned char>& bytes);

// Decodes PNG, BMP or JPEG bytes, recognised by their signature (not by a file name).
bool Decode(const std::vector<unsigned char>& bytes, Decoded& out);
bool Decode_Png(const unsigned char* data, size_t size, Decoded& out);
// A BMP file, or (file_header false) a bare DIB; an icon DIB has a doubled height and an AND mask.
bool Decode_Bmp(const unsigned char* data, size_t size, Decoded& out, bool file_header = true, bool icon = false);
bool Decode_Jpeg(const unsigned char* data, size_t size, Decoded& out);
// The entry of an icon or cursor file closest to size x size pixels (size 0: the largest).
bool Decode_Ico(const unsigned char* data, size_t size, int want_size, Decoded& out);

bool Save_Png(cairo_surface_t* surface, const std::filesystem::path& path);
// 24-bit bottom-up, or 32-bit with alpha when with_alpha.
bool Save_Bmp(cairo_surface_t* surface, const std::filesystem::path& path, bool with_alpha);
bool Save_Jpeg(cairo_surface_t* surface, const std::filesystem::path& path, int quality = 90);

// A new ARGB32 copy of the surface scaled to w x h (the same size: a plain copy).
cairo_surface_t* Scaled_Copy(cairo_surface_t* surface, int w, int h);

}  // namespace platform::image
