#include "plot/render/plot_image_file.h"

#include <cairo.h>

#include <algorithm>


#include "plot/drivers/jpeg_file.h"
#include "win/win_files.h"

namespace platform {

namespace {

bool Load_Png(const std::filesystem::path& path, Plot_Image& out)
{
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS;
    if (ok) {
        cairo_surface_flush(s);
        out.width = cairo_image_surface_get_width(s);
        out.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        const bool alpha = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
        out.pixels.resize(size_t(out.width) * size_t(out.height));
        for (int y = 0; y < out.height; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
            for (int x = 0; x < out.width; ++x)
                out.pixels[size_t(y) * size_t(out.width) + size_t(x)] = alpha ? row[x] : (row[x] | 0xFF000000u);
        }
    }
    cairo_surface_destroy(s);
    return ok && out.width > 0 && out.height > 0;
}

}  // namespace

bool Load_Plot_Image(const std::wstring& path, int fade, Plot_Image& out)
{
    const std::filesystem::path host = To_Host_Path(path);
    if (host.empty()) return false;
    if (!Load_Png(host, out) && !Read_Jpeg(host, out)) return false;
    if (fade > 0) {
        const uint32_t f = uint32_t(std::min(fade, 100));
        for (uint32_t& p : out.pixels) {
            const uint32_t a = p >> 24;
            uint32_t q = p & 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                uint32_t c = (p >> shift) & 0xFF;
                c += (a - c) * f / 100;  // towards white of the same alpha (premultiplied)
                q |= c << shift;
            }
            p = q;
        }
    }
    return true;
}

}  // namespace platform
