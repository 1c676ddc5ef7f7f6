// PNG snapshots of surfaces, bitmaps and device contexts; bitmaps over surfaces.
#include "mfc/gdi_internal.h"
#include "mfc/image_codecs.h"

using namespace platform::gdi;

namespace platform {

cairo_surface_t* Bitmap_Surface(HBITMAP hbm)
{
    Bitmap* b = Bitmap_Of(hbm);
    return b ? b->surface : nullptr;
}

HBITMAP Bitmap_From_Surface(cairo_surface_t* surface)
{
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
    cairo_surface_t* copy = image::Scaled_Copy(surface, cairo_image_surface_get_width(surface),
                                               cairo_image_surface_get_height(surface));
    bool alpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    HBITMAP h = New_Bitmap(copy, 32, alpha);
    cairo_surface_destroy(copy);
    return h;
}

bool Save_Png(cairo_surface_t* surface, const std::filesystem::path& path) { return image::Save_Png(surface, path); }

bool Save_Png(HBITMAP hbm, const std::filesystem::path& path) { return image::Save_Png(Bitmap_Surface(hbm), path); }

bool Save_Png(HDC hdc, const std::filesystem::path& path)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return false;
    cairo_surface_t* s = Target(*dc);
    RECT b = Drawable_Bounds(*dc);
    if (!s || Empty(b)) return false;
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b.right - b.left, b.bottom - b.top);
    cairo_t* cr = cairo_create(copy);
    cairo_set_source_surface(cr, s, -b.left, -b.top);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    bool ok = image::Save_Png(copy, path);
    cairo_surface_destroy(copy);
    return ok;
}

}  // namespace platform
