// Image files: reading bytes, recognising formats, PNG through cairo, scaling.
#include <cstring>
#include <fstream>

#include "mfc/image_codecs.h"
#include "win/win_files.h"

namespace platform::image {

namespace {

struct Byte_Reader {
    const unsigned char* data;
    size_t size;
    size_t at = 0;
};

cairo_status_t Read_Bytes(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<Byte_Reader*>(closure);
    if (r->size - r->at < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->at, length);
    r->at += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

bool Read_File(const std::filesystem::path& path, std::vector<unsigned char>& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool Decode(const std::vector<unsigned char>& bytes, Decoded& out)
{
    const unsigned char* d = bytes.data();
    size_t n = bytes.size();
    if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0) return Decode_Png(d, n, out);
    if (n >= 2 && d[0] == 'B' && d[1] == 'M') return Decode_Bmp(d, n, out);
    if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return Decode_Jpeg(d, n, out);
    return false;
}

bool Decode_Png(const unsigned char* data, size_t size, Decoded& out)
{
    Byte_Reader reader{data, size};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(Read_Bytes, &reader);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return false;
    }
    out.has_alpha = cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
    out.bits_pixel = out.has_alpha ? 32 : 24;
    out.surface = Scaled_Copy(s, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
    cairo_surface_destroy(s);
    return true;
}

bool Save_Png(cairo_surface_t* surface, const std::filesystem::path& path)
{
    if (!surface || !platform::Can_Write(path)) return false;
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

cairo_surface_t* Scaled_Copy(cairo_surface_t* surface, int w, int h)
{
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    int sw = cairo_image_surface_get_width(surface), sh = cairo_image_surface_get_height(surface);
    if (sw <= 0 || sh <= 0 || w <= 0 || h <= 0) return out;
    cairo_t* cr = cairo_create(out);
    cairo_scale(cr, double(w) / sw, double(h) / sh);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), (w == sw && h == sh) ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return out;
}

}  // namespace platform::image
