// BMP files: 1/4/8-bit palettised, 16/24/32-bit (BI_RGB or BI_BITFIELDS), bottom-up or
// top-down; the DIBs inside icons (doubled height, AND mask). Written as 24 or 32 bits.
#include <cstring>
#include <fstream>

#include "mfc/image_codecs.h"
#include "win/win_files.h"

namespace platform::image {

namespace {

uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t U16(const unsigned char* p) { return uint16_t(p[0] | (p[1] << 8)); }

// The value of a bit field scaled to 0..255.
uint32_t Field(uint32_t value, uint32_t mask)
{
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255 / max;
}

void Put32(std::vector<unsigned char>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void Put16(std::vector<unsigned char>& out, uint16_t v)
{
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

}  // namespace

bool Decode_Bmp(const unsigned char* data, size_t size, Decoded& out, bool file_header, bool icon)
{
    size_t base = file_header ? 14 : 0;
    if (size < base + 40) return false;
    if (file_header && (data[0] != 'B' || data[1] != 'M')) return false;
    const unsigned char* h = data + base;
    uint32_t header_size = U32(h);
    if (header_size < 40 || base + header_size > size) return false;
    int32_t width = int32_t(U32(h + 4)), height = int32_t(U32(h + 8));
    int bpp = U16(h + 14);
    uint32_t compression = U32(h + 16);
    uint32_t colors_used = U32(h + 32);
    if (icon) height /= 2;
    bool top_down = height < 0;
    if (top_down) height = -height;
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return false;
    if (compression != 0 && compression != 3) return false;  // no RLE
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;

    uint32_t rmask = 0x00FF0000, gmask = 0x0000FF00, bmask = 0x000000FF, amask = 0;
    if (bpp == 16) rmask = 0x7C00, gmask = 0x03E0, bmask = 0x001F;
    size_t after_header = base + header_size;
    if (compression == 3) {
        const unsigned char* m = header_size >= 52 ? h + 40 : data + after_header;
        if (header_size < 52) {
            if (after_header + 12 > size) return false;
            after_header += 12;
        }
        rmask = U32(m), gmask = U32(m + 4), bmask = U32(m + 8);
        if (header_size >= 56) amask = U32(h + 52);
    }
    std::vector<uint32_t> palette;
    if (bpp <= 8) {
        size_t count = colors_used ? colors_used : (1u << bpp);
        if (count > 256 || after_header + count * 4 > size) return false;
        for (size_t i = 0; i < count; ++i) palette.push_back(U32(data + after_header + i * 4) & 0x00FFFFFF);
    }
    size_t pixels = file_header ? U32(data + 10) : after_header + palette.size() * 4;
    size_t stride = ((size_t(width) * bpp + 31) / 32) * 4;
    if (pixels > size || stride * height > size - pixels) return false;
    size_t mask_stride = ((size_t(width) + 31) / 32) * 4;
    size_t mask_at = pixels + stride * height;
    bool has_mask = icon && mask_at + mask_stride * height <= size;

    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return false;
    }
    unsigned char* dst = cairo_image_surface_get_data(s);
    int dstride = cairo_image_surface_get_stride(s);
    bool any_alpha = false;
    for (int y = 0; y < height; ++y) {
        int file_row = top_down ? y : height - 1 - y;
        const unsigned char* row = data + pixels + stride * file_row;
        auto* drow = reinterpret_cast<uint32_t*>(dst + y * dstride);
        for (int x = 0; x < width; ++x) {
            uint32_t rgb = 0, a = 0xFF;
            if (bpp <= 8) {
                int bit = x * bpp;
                uint32_t index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                rgb = index < palette.size() ? palette[index] : 0;
            } else if (bpp == 24) {
                rgb = row[x * 3] | (row[x * 3 + 1] << 8) | (uint32_t(row[x * 3 + 2]) << 16);
            } else {
                uint32_t v = bpp == 16 ? U16(row + x * 2) : U32(row + x * 4);
                rgb = (Field(v, rmask) << 16) | (Field(v, gmask) << 8) | Field(v, bmask);
                if (bpp == 32) {
                    a = compression == 3 ? (amask ? Field(v, amask) : 0xFF) : (v >> 24);
                    if (compression == 0 && a) any_alpha = true;
                }
            }
            drow[x] = (a << 24) | rgb;
        }
    }
    // 32-bit BI_RGB pixels carry alpha only when some pixel uses it.
    out.has_alpha = bpp == 32 && (compression == 0 ? any_alpha : amask != 0);
    for (int y = 0; y < height; ++y) {
        auto* drow = reinterpret_cast<uint32_t*>(dst + y * dstride);
        int file_row = top_down ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            uint32_t p = drow[x];
            uint32_t a = out.has_alpha ? p >> 24 : 0xFF;
            if (!out.has_alpha && has_mask) {
                const unsigned char* mrow = data + mask_at + mask_stride * file_row;
                if ((mrow[x / 8] >> (7 - x % 8)) & 1) a = 0;
            }
            uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
            drow[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    cairo_surface_mark_dirty(s);
    out.surface = s;
    out.bits_pixel = bpp;
    out.has_alpha = out.has_alpha || has_mask;
    return true;
}

bool Save_Bmp(cairo_surface_t* surface, const std::filesystem::path& path, bool with_alpha)
{
    if (!surface || !platform::Can_Write(path)) return false;
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int sstride = cairo_image_surface_get_stride(surface);
    int bpp = with_alpha ? 32 : 24;
    size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, uint32_t(54 + stride * h));
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, uint32_t(w));
    Put32(out, uint32_t(h));
    Put16(out, 1);
    Put16(out, uint16_t(bpp));
    Put32(out, 0);
    Put32(out, uint32_t(stride * h));
    Put32(out, 3780);  // 96 dpi
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * sstride);
        size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            uint32_t a = p >> 24;
            uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (with_alpha && a && a < 255) {  // unpremultiply
                r = r * 255 / a;
                g = g * 255 / a;
                b = b * 255 / a;
            }
            out.push_back(static_cast<unsigned char>(b));
            out.push_back(static_cast<unsigned char>(g));
            out.push_back(static_cast<unsigned char>(r));
            if (with_alpha) out.push_back(static_cast<unsigned char>(a));
        }
        while (out.size() - start < stride) out.push_back(0);
    }
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    return bool(f);
}

}  // namespace platform::image
