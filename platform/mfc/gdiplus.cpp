// The small GDI+: images through the image decoders, drawing through cairo.
#include "mfc/gdiplus.h"
#include "mfc/gdi_internal.h"
#include "mfc/image_codecs.h"
#include "win/win_files.h"

using namespace platform::gdi;

namespace Gdiplus {

namespace {

int& Startups()
{
    static int count = 0;
    return count;
}

}  // namespace

Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output)
{
    if (!token || !input) return InvalidParameter;
    if (input->GdiplusVersion < 1 || input->GdiplusVersion > 2) return UnsupportedGdiplusVersion;
    if (output) *output = GdiplusStartupOutput{};
    *token = ULONG_PTR(++Startups());
    return Ok;
}

void GdiplusShutdown(ULONG_PTR token)
{
    if (token && Startups() > 0) --Startups();
}

Image::Image(const WCHAR* filename, BOOL) { Load(filename); }

Image::~Image()
{
    if (m_surface) cairo_surface_destroy(m_surface);
}

void Image::Load(const WCHAR* filename)
{
    if (Startups() == 0) {
        m_status = GdiplusNotInitialized;
        return;
    }
    if (!filename) {
        m_status = InvalidParameter;
        return;
    }
    std::vector<unsigned char> bytes;
    if (!platform::image::Read_File(platform::To_Host_Path(filename), bytes)) {
        m_status = FileNotFound;
        return;
    }
    platform::image::Decoded d;
    if (!platform::image::Decode(bytes, d)) {
        m_status = UnknownImageFormat;
        return;
    }
    m_surface = d.surface;
    m_status = Ok;
}

Image* Image::FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement)
{
    return new Image(filename, useEmbeddedColorManagement);
}

UINT Image::GetWidth() const { return m_surface ? UINT(cairo_image_surface_get_width(m_surface)) : 0; }
UINT Image::GetHeight() const { return m_surface ? UINT(cairo_image_surface_get_height(m_surface)) : 0; }

Bitmap::Bitmap(const WCHAR* filename, BOOL) { Load(filename); }

Bitmap* Bitmap::FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement)
{
    return new Bitmap(filename, useEmbeddedColorManagement);
}

Graphics::Graphics(HDC hdc) : m_hdc(hdc)
{
    if (Startups() == 0) m_status = GdiplusNotInitialized;
    else if (!Dc_Of(hdc)) m_status = InvalidParameter;
}

Status Graphics::DrawImage(Image* image, INT x, INT y)
{
    if (!image) return m_status = InvalidParameter;
    return DrawImage(image, x, y, INT(image->GetWidth()), INT(image->GetHeight()));
}

Status Graphics::DrawImage(Image* image, INT x, INT y, INT width, INT height)
{
    return DrawImage(image, REAL(x), REAL(y), REAL(width), REAL(height));
}

Status Graphics::DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height)
{
    if (Startups() == 0) return m_status = GdiplusNotInitialized;
    Dc* dc = Dc_Of(m_hdc);
    if (!dc || !image || !image->Surface()) return m_status = InvalidParameter;
    int w = int(image->GetWidth()), h = int(image->GetHeight());
    if (w == 0 || h == 0 || width == 0 || height == 0) return m_status = Ok;
    Painter p(*dc);
    if (!p) return m_status = Ok;
    cairo_translate(p.cr, x, y);
    cairo_scale(p.cr, width / w, height / h);
    cairo_set_source_surface(p.cr, image->Surface(), 0, 0);
    bool nearest = m_interpolation == InterpolationModeNearestNeighbor;
    cairo_pattern_set_filter(cairo_get_source(p.cr), nearest ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(p.cr), CAIRO_EXTEND_PAD);
    cairo_rectangle(p.cr, 0, 0, w, h);
    cairo_fill(p.cr);
    return m_status = Ok;
}

Status Graphics::SetInterpolationMode(InterpolationMode mode)
{
    if (mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic) return m_status = InvalidParameter;
    m_interpolation = mode;
    return m_status = Ok;
}

Status Graphics::SetSmoothingMode(SmoothingMode mode)
{
    if (mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias) return m_status = InvalidParameter;
    m_smoothing = mode;
    return m_status = Ok;
}

}  // namespace Gdiplus
