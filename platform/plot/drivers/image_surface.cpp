#include "plot/drivers/image_surface.h"

#include <algorithm>

namespace platform {

cairo_surface_t* Plot_Image_Surface(const Plot_Image& image)
{
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() < size_t(image.width) * size_t(image.height))
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.data() + size_t(y) * size_t(image.width), size_t(image.width),
                    reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride)));
    cairo_surface_mark_dirty(surface);
    return surface;
}

}  // namespace platform
