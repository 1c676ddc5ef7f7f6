// Image files (BMP, ICO, PNG, JPEG), resource loading, icons, CImage, GDI+, PNG snapshots and
// window contexts.
#include <map>

#include "gdi_test_support.h"
#include "mfc/atlimage.h"
#include "mfc/gdiplus.h"
#include "win/host_path_text.h"

using namespace gdi_test;

namespace {

void Put16(std::vector<unsigned char>& b, unsigned v)
{
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(std::vector<unsigned char>& b, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// A DIB (header, palette, rows) of the pixels; 8-bit images get a palette of their colours.
// Icons get a doubled height and an AND mask that marks `masked` pixels transparent.
std::vector<unsigned char> Make_Dib(int w, int h, int bpp, bool top_down, const std::vector<COLORREF>& px,
                                    bool icon = false, const std::vector<bool>& masked = {})
{
    std::vector<COLORREF> palette;
    if (bpp == 8)
        for (COLORREF c : px)
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) palette.push_back(c);
    std::vector<unsigned char> b;
    Put32(b, 40);
    Put32(b, uint32_t(w));
    Put32(b, uint32_t((top_down ? -h : h) * (icon ? 2 : 1)));
    Put16(b, 1);
    Put16(b, unsigned(bpp));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, uint32_t(palette.size()));
    Put32(b, 0);
    for (COLORREF c : palette) Put32(b, (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    size_t stride = ((size_t(w) * bpp + 31) / 32) * 4;
    for (int row = 0; row < h; ++row) {
        int y = top_down ? row : h - 1 - row;
        size_t start = b.size();
        for (int x = 0; x < w; ++x) {
            COLORREF c = px[size_t(y * w + x)];
            if (bpp == 8) {
                b.push_back(static_cast<unsigned char>(std::find(palette.begin(), palette.end(), c) - palette.begin()));
                continue;
            }
            b.push_back(GetBValue(c));
            b.push_back(GetGValue(c));
            b.push_back(GetRValue(c));
            if (bpp == 32) b.push_back(0);
        }
        while (b.size() - start < stride) b.push_back(0);
    }
    if (icon) {
        size_t mstride = ((size_t(w) + 31) / 32) * 4;
        for (int row = 0; row < h; ++row) {
            int y = h - 1 - row;
            std::vector<unsigned char> m(mstride, 0);
            for (int x = 0; x < w; ++x)
                if (!masked.empty() && masked[size_t(y * w + x)]) m[size_t(x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
            b.insert(b.end(), m.begin(), m.end());
        }
    }
    return b;
}

std::vector<unsigned char> Make_Bmp(int w, int h, int bpp, bool top_down, const std::vector<COLORREF>& px)
{
    std::vector<unsigned char> dib = Make_Dib(w, h, bpp, top_down, px);
    uint32_t palette_bytes = uint32_t(dib[32] | (dib[33] << 8)) * 4;
    std::vector<unsigned char> b = {'B', 'M'};
    Put32(b, uint32_t(14 + dib.size()));
    Put32(b, 0);
    Put32(b, 14 + 40 + palette_bytes);
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

struct Ico_Entry {
    int size;
    int bpp;  // for a cursor: the hotspot's y (its x is 1)
    std::vector<unsigned char> data;
};

// An icon file, or (cursor) a cursor file whose entries give their hotspot.
std::vector<unsigned char> Make_Ico(const std::vector<Ico_Entry>& entries, bool cursor = false)
{
    std::vector<unsigned char> b;
    Put16(b, 0);
    Put16(b, cursor ? 2 : 1);
    Put16(b, unsigned(entries.size()));
    uint32_t offset = uint32_t(6 + 16 * entries.size());
    for (const Ico_Entry& e : entries) {
        b.push_back(static_cast<unsigned char>(e.size));
        b.push_back(static_cast<unsigned char>(e.size));
        b.push_back(0);
        b.push_back(0);
        Put16(b, 1);
        Put16(b, unsigned(e.bpp));
        Put32(b, uint32_t(e.data.size()));
        Put32(b, offset);
        offset += uint32_t(e.data.size());
    }
    for (const Ico_Entry& e : entries) b.insert(b.end(), e.data.begin(), e.data.end());
    return b;
}

COLORREF Bitmap_Pixel(HBITMAP hbm, int x, int y)
{
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, hbm);
    COLORREF c = mem.GetPixel(x, y);
    ::SelectObject(mem, old);
    return c;
}

const std::vector<COLORREF> kSixPixels = {kRed, kGreen, kBlue, kBlack, kWhite, RGB(10, 20, 30)};

}  // namespace

TEST(GdiImageFiles, BmpVariantsLoadWithTheirPixels)
{
    std::filesystem::path dir = Scratch_Dir("bmp");
    struct Case {
        int bpp;
        bool top_down;
    };
    const Case cases[] = {{24, false}, {24, true}, {32, false}, {32, true}, {8, false}, {8, true}};
    for (const Case& c : cases) {
        std::filesystem::path file = dir / ("p" + std::to_string(c.bpp) + (c.top_down ? "t" : "b") + ".bmp");
        Write_Bytes(file, Make_Bmp(3, 2, c.bpp, c.top_down, kSixPixels));
        auto hbm = static_cast<HBITMAP>(::LoadImageW(nullptr, platform::Text_From_Host_Path(file).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(hbm, nullptr) << file;
        BITMAP bm{};
        ::GetObjectW(hbm, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 3);
        EXPECT_EQ(bm.bmHeight, 2);
        EXPECT_EQ(bm.bmBitsPixel, c.bpp);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(Bitmap_Pixel(hbm, i % 3, i / 3), kSixPixels[size_t(i)]) << file << " " << i;
        ::DeleteObject(hbm);
    }
    // Not an image, and a truncated one.
    Write_Bytes(dir / "bad.bmp", {'B', 'M', 1, 2, 3});
    EXPECT_EQ(::LoadImageW(nullptr, platform::Text_From_Host_Path(dir / "bad.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::vector<unsigned char> cut = Make_Bmp(3, 2, 24, false, kSixPixels);
    cut.resize(cut.size() - 4);
    Write_Bytes(dir / "cut.bmp", cut);
    EXPECT_EQ(::LoadImageW(nullptr, platform::Text_From_Host_Path(dir / "cut.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST(GdiImageFiles, IconsPickTheirEntryAndKeepTransparency)
{
    std::filesystem::path dir = Scratch_Dir("ico");
    // A 16-pixel 24-bit entry with a masked corner and a 32-pixel PNG entry.
    std::vector<COLORREF> red16(256, kRed);
    std::vector<bool> mask16(256, false);
    for (int i = 0; i < 16; ++i) mask16[size_t((i / 4) * 16 + i % 4)] = true;  // top-left 4 x 4
    std::filesystem::path png32 = dir / "blue32.png";
    std::vector<uint32_t> blue(32 * 32, 0xFF0000FFu);
    for (int i = 0; i < 16; ++i) blue[size_t((i / 4) * 32 + i % 4)] = 0x00000000u;
    Write_Png(png32, 32, 32, blue);
    std::filesystem::path ico = dir / "two.ico";
    Write_Bytes(ico, Make_Ico({{16, 24, Make_Dib(16, 16, 24, false, red16, true, mask16)}, {32, 32, Read_Bytes(png32)}}));

    struct Case {
        int size;
        COLORREF inside;
    };
    const Case cases[] = {{16, kRed}, {32, kBlue}, {24, kBlue}};
    for (const Case& c : cases) {
        auto icon = static_cast<HICON>(::LoadImageW(nullptr, platform::Text_From_Host_Path(ico).c_str(), IMAGE_ICON, c.size, c.size, LR_LOADFROMFILE));
        ASSERT_NE(icon, nullptr) << c.size;
        Image_Dc dc(40, 40);
        ASSERT_TRUE(::DrawIconEx(dc, 2, 3, icon, 0, 0, 0, nullptr, DI_NORMAL));
        EXPECT_EQ(dc.GetPixel(2 + c.size / 2, 3 + c.size / 2), c.inside) << c.size;
        EXPECT_EQ(dc.GetPixel(2, 3), kWhite) << "transparent corner " << c.size;
        EXPECT_EQ(dc.GetPixel(2 + c.size, 3 + c.size / 2), kWhite) << c.size;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP bm{};
        ::GetObjectW(info.hbmColor, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, c.size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        EXPECT_TRUE(::DestroyIcon(icon));
        EXPECT_FALSE(::DestroyIcon(icon));
    }
}

TEST(GdiImageFiles, ResourcesComeThroughTheLoader)
{
    std::filesystem::path dir = Scratch_Dir("resources");
    Write_Bytes(dir / "695.bmp", Make_Bmp(3, 2, 24, false, kSixPixels));
    std::vector<COLORREF> green32(32 * 32, kGreen);
    Write_Bytes(dir / "710.ico", Make_Ico({{32, 24, Make_Dib(32, 32, 24, false, green32, true)}}));
    std::vector<std::pair<uintptr_t, platform::Image_Resource_Kind>> asked;
    platform::Set_Bitmap_Resource_Loader([&](HINSTANCE, LPCWSTR name, platform::Image_Resource_Kind kind) {
        asked.push_back({reinterpret_cast<uintptr_t>(name), kind});
        std::map<uintptr_t, std::string> files = {{695, "695.bmp"}, {710, "710.ico"}};
        auto it = IS_INTRESOURCE(name) ? files.find(reinterpret_cast<uintptr_t>(name)) : files.end();
        return it == files.end() ? std::filesystem::path() : dir / it->second;
    });
    auto module = reinterpret_cast<HINSTANCE>(0x1234);

    CBitmap logo;
    ASSERT_TRUE(logo.LoadBitmap(695));
    BITMAP bm{};
    logo.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 3);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(696));

    // Icons from LoadIcon are shared: one handle, never destroyed.
    HICON icon = ::LoadIconW(module, MAKEINTRESOURCEW(710));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(::LoadIconW(module, MAKEINTRESOURCEW(710)), icon);
    ::DestroyIcon(icon);
    Image_Dc dc(40, 40);
    EXPECT_TRUE(dc.DrawIcon(0, 0, icon));
    EXPECT_EQ(dc.GetPixel(16, 16), kGreen);
    // An icon at another size, and one that does not exist.
    auto small = static_cast<HICON>(::LoadImageW(module, MAKEINTRESOURCEW(710), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(small, nullptr);
    ::DrawIconEx(dc, 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL);
    ICONINFO info{};
    ::GetIconInfo(small, &info);
    ::GetObjectW(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 16);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(small);
    EXPECT_EQ(::LoadIconW(module, MAKEINTRESOURCEW(711)), nullptr);
    EXPECT_NE(::LoadCursorW(nullptr, IDC_HAND), nullptr);
    EXPECT_EQ(::LoadCursorW(nullptr, MAKEINTRESOURCEW(709)), nullptr);  // not a system cursor
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front().first, 695u);
    EXPECT_EQ(asked.front().second, platform::Image_Resource_Kind::Bitmap);
    platform::Set_Bitmap_Resource_Loader({});
    CBitmap without_loader;
    EXPECT_FALSE(without_loader.LoadBitmap(695));
}

TEST(GdiImageFiles, CursorsKeepTheirHotspot)
{
    std::filesystem::path dir = Scratch_Dir("cursor");
    std::vector<COLORREF> black(32 * 32, kBlack);
    Write_Bytes(dir / "hand.cur", Make_Ico({{32, 7, Make_Dib(32, 32, 24, false, black, true)}}, true));
    auto cursor = static_cast<HCURSOR>(
        ::LoadImageW(nullptr, platform::Text_From_Host_Path(dir / "hand.cur").c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, 7u);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_TRUE(::DestroyCursor(cursor));
}

TEST(GdiImageFiles, PictureDrawnGreyedIsEmbossed)
{
    std::filesystem::path dir = Scratch_Dir("state");
    std::vector<uint32_t> px(16 * 16, 0xFFFF0000u);
    Write_Png(dir / "red.png", 16, 16, px);
    Write_Bytes(dir / "red.ico", Make_Ico({{16, 32, Read_Bytes(dir / "red.png")}}));
    auto icon = static_cast<HICON>(::LoadImageW(nullptr, platform::Text_From_Host_Path(dir / "red.ico").c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr);
    Image_Dc dc(40, 20);
    dc.DrawState(CPoint(0, 0), CSize(16, 16), icon, DSS_NORMAL, (HBRUSH) nullptr);
    dc.DrawState(CPoint(20, 0), CSize(16, 16), icon, DSS_DISABLED, (HBRUSH) nullptr);
    EXPECT_EQ(dc.GetPixel(8, 8), kRed);
    EXPECT_EQ(dc.GetPixel(28, 8), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(dc.GetPixel(36, 16), GetSysColor(COLOR_3DHILIGHT));
    ::DestroyIcon(icon);
}

TEST(GdiCImage, LoadsByContentDrawsWithAlphaAndSaves)
{
    std::filesystem::path dir = Scratch_Dir("cimage");
    // A PNG under a name without a meaningful extension.
    std::vector<uint32_t> px = {0xFFFF0000u, 0x800000FFu, 0x00000000u, 0xFF00FF00u};
    Write_Png(dir / "temp.zip2", 2, 2, px);
    CImage image;
    ASSERT_EQ(image.Load(platform::Text_From_Host_Path(dir / "temp.zip2").c_str()), S_OK);
    EXPECT_FALSE(image.IsNull());
    EXPECT_EQ(image.GetWidth(), 2);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_EQ(image.GetBPP(), 32);

    Image_Dc dc(20, 20);
    ASSERT_TRUE(image.Draw(dc, CRect(0, 0, 4, 4)));
    EXPECT_EQ(dc.GetPixel(0, 0), kRed);
    Expect_Near_Color(dc.GetPixel(3, 0), RGB(127, 127, 255), 2, "half blue over white");
    EXPECT_EQ(dc.GetPixel(0, 3), kWhite);
    EXPECT_EQ(dc.GetPixel(3, 3), kGreen);

    // Saved in the format of the extension and read back.
    for (const char* name : {"copy.png", "copy.bmp", "copy.jpg"}) {
        CImage opaque;
        ASSERT_TRUE(opaque.Create(8, 8, 24));
        HDC idc = opaque.GetDC();
        CDC::FromHandle(idc)->FillSolidRect(0, 0, 8, 8, RGB(200, 40, 40));
        opaque.ReleaseDC();
        ASSERT_EQ(opaque.Save(platform::Text_From_Host_Path(dir / name).c_str()), S_OK) << name;
        CImage back;
        ASSERT_EQ(back.Load(platform::Text_From_Host_Path(dir / name).c_str()), S_OK) << name;
        Expect_Near_Color(back.GetPixel(4, 4), RGB(200, 40, 40), 6, name);
    }
    CImage any;
    any.Create(2, 2, 24);
    EXPECT_EQ(any.Save(platform::Text_From_Host_Path(dir / "copy.gif").c_str()), E_FAIL);

    Write_Bytes(dir / "garbage.png", {1, 2, 3, 4, 5});
    CImage bad;
    EXPECT_EQ(bad.Load(platform::Text_From_Host_Path(dir / "garbage.png").c_str()), E_FAIL);
    EXPECT_TRUE(bad.IsNull());
    EXPECT_FALSE(bad.Draw(dc, 0, 0));
}

TEST(GdiPlus, DrawsAPngScaledIntoAContext)
{
    std::filesystem::path dir = Scratch_Dir("gdiplus");
    std::vector<uint32_t> px = {0xFFFF0000u, 0xFF0000FFu, 0xFF00FF00u, 0x00000000u};
    Write_Png(dir / "stamp.png", 2, 2, px);

    Gdiplus::Bitmap early(platform::Text_From_Host_Path(dir / "stamp.png").c_str());
    EXPECT_EQ(early.GetLastStatus(), Gdiplus::GdiplusNotInitialized);

    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::GdiplusStartup(&token, &input, nullptr), Gdiplus::Ok);
    {
        Gdiplus::Bitmap stamp(platform::Text_From_Host_Path(dir / "stamp.png").c_str());
        ASSERT_EQ(stamp.GetLastStatus(), Gdiplus::Ok);
        EXPECT_EQ(stamp.GetWidth(), 2u);
        EXPECT_EQ(stamp.GetHeight(), 2u);
        Image_Dc dc(20, 20);
        Gdiplus::Graphics g(dc.GetSafeHdc());
        g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        g.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        ASSERT_EQ(g.DrawImage(&stamp, 2, 2, 8, 8), Gdiplus::Ok);
        EXPECT_EQ(dc.GetPixel(3, 3), kRed);
        EXPECT_EQ(dc.GetPixel(9, 3), kBlue);
        EXPECT_EQ(dc.GetPixel(3, 9), kGreen);
        EXPECT_EQ(dc.GetPixel(9, 9), kWhite);
        EXPECT_EQ(dc.GetPixel(10, 10), kWhite);

        Gdiplus::Bitmap missing(platform::Text_From_Host_Path(dir / "none.png").c_str());
        EXPECT_EQ(missing.GetLastStatus(), Gdiplus::FileNotFound);
        EXPECT_EQ(g.DrawImage(&missing, 0, 0, 4, 4), Gdiplus::InvalidParameter);
    }
    Gdiplus::GdiplusShutdown(token);
}

TEST(GdiSnapshot, SavePngReadsBack)
{
    std::filesystem::path dir = Scratch_Dir("snapshot");
    Image_Dc dc(6, 4);
    dc.FillSolidRect(1, 1, 2, 2, RGB(170, 210, 150));
    ASSERT_TRUE(platform::Save_Png(dc.GetSafeHdc(), dir / "dc.png"));
    cairo_surface_t* s = cairo_image_surface_create_from_png((dir / "dc.png").c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(s), 6);
    EXPECT_EQ(cairo_image_surface_get_height(s), 4);
    CDC back;
    back.Attach_Surface(s);
    EXPECT_EQ(back.GetPixel(1, 1), RGB(170, 210, 150));
    EXPECT_EQ(back.GetPixel(0, 0), kWhite);
    cairo_surface_destroy(s);

    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&dc, 3, 3);
    ASSERT_TRUE(platform::Save_Png((HBITMAP)bmp.m_hObject, dir / "bitmap.png"));
    EXPECT_FALSE(platform::Save_Png((HDC) nullptr, dir / "none.png"));
}

TEST(GdiWindowDc, WindowContextsPaintThroughTheProvider)
{
    cairo_surface_t* screen = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 40, 40);
    auto hwnd = reinterpret_cast<HWND>(0x777);
    std::vector<platform::Window_DC_Kind> released;
    platform::Set_Window_DC_Provider(
        [&](HWND w, platform::Window_DC_Kind, platform::Window_Surface& out) {
            if (w != hwnd) return false;
            out.surface = screen;
            out.origin = {10, 10};
            out.clip = {10, 10, 30, 30};
            return true;
        },
        [&](HWND, platform::Window_DC_Kind kind) { released.push_back(kind); });
    CDC surface_view;
    surface_view.Attach_Surface(screen);

    HDC hdc = ::GetDC(hwnd);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(::WindowFromDC(hdc), hwnd);
    CDC::FromHandle(hdc)->FillSolidRect(0, 0, 5, 5, kRed);
    CDC::FromHandle(hdc)->FillSolidRect(-5, 15, 40, 1, kBlue);
    EXPECT_EQ(::ReleaseDC(hwnd, hdc), 1);
    EXPECT_EQ(surface_view.GetPixel(10, 10), kRed);
    EXPECT_EQ(surface_view.GetPixel(14, 14), kRed);
    EXPECT_EQ(surface_view.GetPixel(15, 15), 0u);
    EXPECT_EQ(surface_view.GetPixel(9, 25), 0u);   // outside the window's area
    EXPECT_EQ(surface_view.GetPixel(29, 25), kBlue);
    EXPECT_EQ(surface_view.GetPixel(30, 25), 0u);

    PAINTSTRUCT ps{};
    HDC paint = ::BeginPaint(hwnd, &ps);
    ASSERT_NE(paint, nullptr);
    EXPECT_EQ(CRect(ps.rcPaint), CRect(0, 0, 20, 20));
    EXPECT_TRUE(::EndPaint(hwnd, &ps));
    EXPECT_EQ(::GetDC(reinterpret_cast<HWND>(0x778)), nullptr);
    ASSERT_EQ(released.size(), 2u);
    EXPECT_EQ(released[1], platform::Window_DC_Kind::Paint);

    // The screen's context answers measuring questions.
    HDC screen_dc = ::GetDC(nullptr);
    ASSERT_NE(screen_dc, nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen_dc, LOGPIXELSY), 96);
    SIZE size{};
    EXPECT_TRUE(::GetTextExtentPoint32W(screen_dc, L"宋体", 2, &size));
    EXPECT_GT(size.cx, 0);
    EXPECT_EQ(::ReleaseDC(nullptr, screen_dc), 1);
    EXPECT_EQ(released.size(), 2u);

    // Without a provider, the framework's paint context draws nowhere and does not fail.
    platform::Set_Window_DC_Provider({});
    {
        CPaintDC dc(nullptr);
        EXPECT_EQ(dc.GetSafeHdc(), nullptr);
        dc.FillSolidRect(0, 0, 3, 3, kRed);
    }
    surface_view.DeleteDC();
    cairo_surface_destroy(screen);
}
