#include "plot/drivers/jpeg_file.h"

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <setjmp.h>
#include <string>
#include <vector>

namespace platform {

namespace {

struct Jpeg_Error {
    jpeg_error_mgr mgr;
    jmp_buf jump;
};

void On_Jpeg_Error(j_common_ptr info) { longjmp(reinterpret_cast<Jpeg_Error*>(info->err)->jump, 1); }

}  // namespace

bool Read_Jpeg(const std::filesystem::path& path, Plot_Image& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    jpeg_decompress_struct info;
    Jpeg_Error err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = On_Jpeg_Error;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::fclose(f);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    out.pixels.assign(size_t(out.width) * size_t(out.height), 0);
    std::vector<unsigned char> row(size_t(out.width) * 3);
    while (info.output_scanline < info.output_height) {
        const size_t y = info.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < out.width; ++x)
            out.pixels[y * size_t(out.width) + size_t(x)] = 0xFF000000u | (uint32_t(row[size_t(x) * 3]) << 16) |
                                                           (uint32_t(row[size_t(x) * 3 + 1]) << 8) | row[size_t(x) * 3 + 2];
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    return out.width > 0 && out.height > 0;
}

namespace {

// Compresses 32-bit xRGB rows (the alpha byte ignored) into baseline JPEG bytes.
bool Compress_Jpeg(const unsigned char* data, int w, int h, size_t stride, double dpi, int quality, std::string& out)
{
    jpeg_compress_struct cinfo;
    Jpeg_Error err;
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = On_Jpeg_Error;  // not the library's exit()
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::free(bytes);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &bytes, &size);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.density_unit = 1;  // dots per inch
    cinfo.X_density = cinfo.Y_density = UINT16(dpi > 0 && dpi < 65536 ? dpi : 72);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(size_t(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* px = reinterpret_cast<const uint32_t*>(data + size_t(cinfo.next_scanline) * stride);
        for (int x = 0; x < w; ++x) {
            row[size_t(x) * 3 + 0] = (px[x] >> 16) & 0xFF;
            row[size_t(x) * 3 + 1] = (px[x] >> 8) & 0xFF;
            row[size_t(x) * 3 + 2] = px[x] & 0xFF;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    out.assign(reinterpret_cast<const char*>(bytes), size);
    std::free(bytes);
    return true;
}

}  // namespace

bool Write_Jpeg(cairo_surface_t* image, Safe_File_Write& out, double dpi, int quality, std::wstring& error)
{
    cairo_surface_flush(image);
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    if (data == nullptr || w <= 0 || h <= 0) {
        error = L"no image to write";
        return false;
    }
    std::string bytes;
    if (!Compress_Jpeg(data, w, h, size_t(stride), dpi, quality, bytes)) {
        error = L"cannot write " + out.path() + L": the image cannot be compressed";
        return false;
    }
    const bool written = out.write(bytes.data(), bytes.size());
    if (!written) error = out.error();
    return written;
}

bool Jpeg_Bytes(const Plot_Image& image, int quality, std::string& bytes)
{
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() < size_t(image.width) * size_t(image.height))
        return false;
    return Compress_Jpeg(reinterpret_cast<const unsigned char*>(image.pixels.data()), image.width, image.height,
                         size_t(image.width) * 4, 72, quality, bytes);
}

}  // namespace platform
