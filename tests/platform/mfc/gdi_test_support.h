// Helpers of the drawing tests: small image contexts, ink boxes and scratch files.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mfc/afxdc.h"

namespace gdi_test {

inline const COLORREF kWhite = RGB(255, 255, 255);
inline const COLORREF kBlack = RGB(0, 0, 0);
inline const COLORREF kRed = RGB(255, 0, 0);
inline const COLORREF kGreen = RGB(0, 255, 0);
inline const COLORREF kBlue = RGB(0, 0, 255);

// A device context on a white image of its own.
struct Image_Dc : CDC {
    Image_Dc(int width, int height) { Attach(platform::Make_Image_DC(width, height)); }
};

// The smallest rectangle holding every pixel that is not the background colour.
inline RECT Ink_Box(CDC& dc, int width, int height, COLORREF background = kWhite)
{
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (dc.GetPixel(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

// A folder of its own under the build tree, emptied first.
inline std::filesystem::path Scratch_Dir(const std::string& name)
{
    std::filesystem::path dir = std::filesystem::path(KORVEL_BINARY_DIR) / "test_scratch" / "gdi" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline void Write_Bytes(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<unsigned char> Read_Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Writes a PNG of the given ARGB pixels (non-premultiplied 0xAARRGGBB, row by row).
inline void Write_Png(const std::filesystem::path& path, int w, int h, const std::vector<uint32_t>& argb)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t p = argb[size_t(y * w + x)];
            uint32_t a = p >> 24;
            uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    cairo_surface_mark_dirty(s);
    cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
}

inline void Expect_Near_Color(COLORREF actual, COLORREF expected, int tolerance, const std::string& what)
{
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance) << what;
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance) << what;
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance) << what;
}

}  // namespace gdi_test
