// Memory contexts with selected bitmaps, block transfers, blending and gradient fills.
#include "gdi_test_support.h"

using namespace gdi_test;

namespace {

// A memory context with a bitmap of w x h filled with one colour.
struct Memory_Dc : CDC {
    Memory_Dc(CDC& screen, int w, int h, COLORREF fill)
    {
        CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        old = SelectObject(&bitmap);
        FillSolidRect(0, 0, w, h, fill);
    }
    ~Memory_Dc() override { SelectObject(old); }
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

}  // namespace

TEST(GdiBlit, BitBltCopiesAndMixes)
{
    Image_Dc screen(12, 12);
    Memory_Dc src(screen, 4, 4, kRed);
    src.SetPixel(1, 2, kBlue);
    ASSERT_TRUE(screen.BitBlt(5, 5, 4, 4, &src, 0, 0, SRCCOPY));
    EXPECT_EQ(screen.GetPixel(6, 7), kBlue);
    EXPECT_EQ(screen.GetPixel(5, 5), kRed);
    EXPECT_EQ(screen.GetPixel(8, 8), kRed);
    EXPECT_EQ(screen.GetPixel(9, 9), kWhite);
    EXPECT_EQ(screen.GetPixel(4, 5), kWhite);

    // A source offset; the raster operations on white and red.
    ASSERT_TRUE(screen.BitBlt(0, 0, 1, 1, &src, 1, 2, SRCCOPY));
    EXPECT_EQ(screen.GetPixel(0, 0), kBlue);
    struct Case {
        DWORD rop;
        COLORREF dest, expected;
    };
    const Case cases[] = {
        {SRCAND, kWhite, kRed},          {SRCAND, kBlue, kBlack},   {SRCPAINT, kBlue, RGB(255, 0, 255)},
        {SRCINVERT, kWhite, RGB(0, 255, 255)}, {NOTSRCCOPY, kWhite, RGB(0, 255, 255)}, {DSTINVERT, kWhite, kBlack},
        {BLACKNESS, kWhite, kBlack},     {WHITENESS, kBlack, kWhite},
    };
    for (const Case& c : cases) {
        screen.SetPixel(10, 0, c.dest);
        ASSERT_TRUE(screen.BitBlt(10, 0, 1, 1, &src, 0, 0, c.rop));
        EXPECT_EQ(screen.GetPixel(10, 0), c.expected) << std::hex << c.rop;
    }
}

TEST(GdiBlit, StretchBltScalesAndMirrors)
{
    Image_Dc screen(10, 10);
    Memory_Dc src(screen, 2, 2, kRed);
    src.SetPixel(1, 0, kBlue);
    src.SetPixel(0, 1, kGreen);
    screen.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(screen.StretchBlt(0, 0, 4, 4, &src, 0, 0, 2, 2, SRCCOPY));
    const std::vector<std::tuple<int, int, COLORREF>> scaled = {
        {0, 0, kRed}, {1, 1, kRed}, {2, 0, kBlue}, {3, 1, kBlue}, {0, 2, kGreen}, {1, 3, kGreen}, {3, 3, kRed}, {4, 4, kWhite}};
    for (auto [x, y, c] : scaled) EXPECT_EQ(screen.GetPixel(x, y), c) << x << "," << y;

    // A negative destination width mirrors left and right.
    ASSERT_TRUE(screen.StretchBlt(9, 5, -2, 2, &src, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(screen.GetPixel(8, 5), kRed);
    EXPECT_EQ(screen.GetPixel(7, 5), kBlue);
    EXPECT_EQ(screen.GetPixel(7, 6), kRed);
    EXPECT_EQ(screen.GetPixel(8, 6), kGreen);
}

TEST(GdiBlit, TransparentBltLeavesTheKeyColourOut)
{
    const COLORREF key = RGB(255, 0, 255);
    Image_Dc screen(10, 10);
    Memory_Dc src(screen, 3, 3, key);
    src.SetPixel(1, 1, kGreen);
    ASSERT_TRUE(screen.TransparentBlt(0, 0, 6, 6, &src, 0, 0, 3, 3, key));
    EXPECT_EQ(screen.GetPixel(0, 0), kWhite);
    EXPECT_EQ(screen.GetPixel(5, 5), kWhite);
    EXPECT_EQ(screen.GetPixel(2, 2), kGreen);
    EXPECT_EQ(screen.GetPixel(3, 3), kGreen);
}

TEST(GdiBlit, AlphaBlendUsesPerPixelAndConstantAlpha)
{
    Image_Dc screen(10, 10);
    // A bitmap with premultiplied alpha: half-transparent red and fully transparent pixels.
    std::vector<uint32_t> bits = {0x80800000u, 0x00000000u, 0xFF0000FFu, 0x80800000u};
    HBITMAP hbm = ::CreateBitmap(2, 2, 1, 32, nullptr);
    ASSERT_NE(hbm, nullptr);
    cairo_surface_t* s = platform::Bitmap_Surface(hbm);
    cairo_surface_flush(s);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s))[x] =
                bits[size_t(y * 2 + x)];
    cairo_surface_mark_dirty(s);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    HGDIOBJ old = ::SelectObject(mem, hbm);

    BLENDFUNCTION per_pixel{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(screen.AlphaBlend(0, 0, 2, 2, &mem, 0, 0, 2, 2, per_pixel));
    Expect_Near_Color(screen.GetPixel(0, 0), RGB(255, 127, 127), 1, "half red over white");
    EXPECT_EQ(screen.GetPixel(1, 0), kWhite);
    EXPECT_EQ(screen.GetPixel(0, 1), kBlue);

    BLENDFUNCTION constant{AC_SRC_OVER, 0, 128, 0};
    ASSERT_TRUE(screen.AlphaBlend(4, 4, 2, 2, &mem, 0, 0, 2, 2, constant));
    Expect_Near_Color(screen.GetPixel(4, 5), RGB(127, 127, 255), 1, "blue at half over white");

    // A source rectangle beyond the bitmap is refused.
    EXPECT_FALSE(screen.AlphaBlend(0, 0, 2, 2, &mem, 1, 1, 2, 2, per_pixel));
    ::SelectObject(mem, old);
    ::DeleteObject(hbm);
}

TEST(GdiGradient, HorizontalAndVerticalEndpointsAndMiddle)
{
    // From yellow to RGB(0,147,0) over 256 pixels: pixel i has c0 + (c1 - c0) * i / 256 in
    // 16-bit channels; the last pixel stops one step short of the second vertex's colour.
    struct Case {
        ULONG mode;
        bool reversed;  // the yellow vertex on the right (or bottom)
        COLORREF first, last, middle;
    };
    const Case cases[] = {
        {GRADIENT_FILL_RECT_H, false, RGB(255, 255, 0), RGB(0, 147, 0), RGB(127, 201, 0)},
        {GRADIENT_FILL_RECT_V, false, RGB(255, 255, 0), RGB(0, 147, 0), RGB(127, 201, 0)},
        {GRADIENT_FILL_RECT_H, true, RGB(0, 147, 0), RGB(254, 254, 0), RGB(127, 201, 0)},
    };
    for (const Case& c : cases) {
        Image_Dc dc(256, 256);
        TRIVERTEX v[2] = {{0, 0, 0xFF00, 0xFF00, 0x0000, 0}, {256, 256, 0x0000, 0x9300, 0x0000, 0}};
        if (c.reversed) v[0].x = 256, v[1].x = 0;
        GRADIENT_RECT mesh{0, 1};
        ASSERT_TRUE(dc.GradientFill(v, 2, &mesh, 1, c.mode));
        auto at = [&](int i) { return c.mode == GRADIENT_FILL_RECT_V ? dc.GetPixel(7, i) : dc.GetPixel(i, 7); };
        EXPECT_EQ(at(0), c.first) << c.mode << c.reversed;
        EXPECT_EQ(at(255), c.last) << c.mode << c.reversed;
        EXPECT_EQ(at(128), c.middle) << c.mode << c.reversed;
    }
    Image_Dc dc(4, 4);
    TRIVERTEX v[2] = {{0, 0, 0, 0, 0, 0}, {4, 4, 0, 0, 0, 0}};
    GRADIENT_RECT bad{0, 2};
    EXPECT_FALSE(dc.GradientFill(v, 2, &bad, 1, GRADIENT_FILL_RECT_H));
}

TEST(GdiBlit, BufferedDrawingThroughAMemoryContextAtTheClipBox)
{
    // The off-screen pattern of the progress bar: draw in a memory context whose window
    // origin is the target's clip box, then copy the box back.
    Image_Dc screen(40, 20);
    screen.IntersectClipRect(10, 5, 30, 15);
    CRect clip;
    screen.GetClipBox(&clip);
    ASSERT_EQ(clip, CRect(10, 5, 30, 15));
    {
        CDC mem;
        mem.CreateCompatibleDC(&screen);
        CBitmap buffer;
        buffer.CreateCompatibleBitmap(&screen, clip.Width(), clip.Height());
        CBitmap* old = mem.SelectObject(&buffer);
        mem.SetWindowOrg(clip.left, clip.top);
        mem.FillSolidRect(0, 0, 40, 20, kGreen);
        mem.FillSolidRect(12, 6, 2, 2, kRed);
        screen.BitBlt(clip.left, clip.top, clip.Width(), clip.Height(), &mem, clip.left, clip.top, SRCCOPY);
        mem.SelectObject(old);
    }
    screen.SelectClipRgn(nullptr);
    EXPECT_EQ(screen.GetPixel(10, 5), kGreen);
    EXPECT_EQ(screen.GetPixel(12, 6), kRed);
    EXPECT_EQ(screen.GetPixel(29, 14), kGreen);
    EXPECT_EQ(screen.GetPixel(30, 15), kWhite);
    EXPECT_EQ(screen.GetPixel(9, 5), kWhite);
}
