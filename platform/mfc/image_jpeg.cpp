// JPEG files through libjpeg (8-bit RGB or greyscale).
#include <cstdio>
#include <csetjmp>

// XMD_H: INT32 is already a type of the Windows stand-in.
#define XMD_H
#include <jpeglib.h>

#include "mfc/image_codecs.h"
#include "win/win_files.h"

namespace platform::image {

namespace {

struct Error_Exit {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void On_Error(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Error_Exit*>(info->err)->jump, 1);
}

void Quiet(j_common_ptr, int) {}

}  // namespace

bool Decode_Jpeg(const unsigned char* data, size_t size, Decoded& out)
{
    jpeg_decompress_struct info{};
    Error_Exit err{};
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = On_Error;
    err.mgr.emit_message = Quiet;
    cairo_surface_t* volatile s = nullptr;
    std::vector<unsigned char> row;  // before the jump point: released on every path
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        if (s) cairo_surface_destroy(s);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    int w = int(info.output_width), h = int(info.output_height);
    if (w > 32767 || h > 32767) {  // beyond what a bitmap can hold
        jpeg_destroy_decompress(&info);
        return false;
    }
    s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        jpeg_destroy_decompress(&info);
        cairo_surface_destroy(s);
        return false;
    }
    unsigned char* dst = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    row.resize(size_t(w) * 3);
    while (info.output_scanline < info.output_height) {
        int y = int(info.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        auto* d = reinterpret_cast<uint32_t*>(dst + y * stride);
        for (int x = 0; x < w; ++x)
            d[x] = 0xFF000000u | (uint32_t(row[x * 3]) << 16) | (uint32_t(row[x * 3 + 1]) << 8) | row[x * 3 + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    cairo_surface_mark_dirty(s);
    out.surface = s;
    out.bits_pixel = 24;
    out.has_alpha = false;
    return true;
}

bool Save_Jpeg(cairo_surface_t* surface, const std::filesystem::path& path, int quality)
{
    if (!surface || !platform::Can_Write(path)) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    cairo_surface_flush(surface);
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    jpeg_compress_struct info{};
    Error_Exit err{};
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = On_Error;
    std::vector<unsigned char> row(size_t(w) * 3);
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        std::fclose(f);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < h; ++y) {
        const auto* s = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            row[x * 3] = static_cast<unsigned char>(s[x] >> 16);
            row[x * 3 + 1] = static_cast<unsigned char>(s[x] >> 8);
            row[x * 3 + 2] = static_cast<unsigned char>(s[x]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(f) == 0;
}

}  // namespace platform::image
