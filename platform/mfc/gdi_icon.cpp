// Icons, cursors and bitmaps from files and resources; DrawIcon, DrawIconEx and DrawState.
//
// Resources resolve to image files through the loader the resource-script reader installs
// (platform::Set_Bitmap_Resource_Loader). Icons and cursors loaded by LoadIcon/LoadCursor or
// with LR_SHARED are shared: one handle per resource and size, never destroyed.
#include <cwchar>
#include <map>
#include <tuple>

#include "mfc/gdi_internal.h"
#include "mfc/image_codecs.h"
#include "win/win_display.h"
#include "win/win_files.h"

namespace platform {

namespace {

Bitmap_Resource_Loader& Loader()
{
    static Bitmap_Resource_Loader loader;
    return loader;
}

}  // namespace

void Set_Bitmap_Resource_Loader(Bitmap_Resource_Loader loader) { Loader() = std::move(loader); }

}  // namespace platform

using namespace platform::gdi;

namespace {

int Default_Icon_Size()
{
    int s = GetSystemMetrics(SM_CXICON);
    return s > 0 ? s : 32;
}

std::wstring Name_Key(LPCWSTR name)
{
    if (IS_INTRESOURCE(name)) return L"#" + std::to_wstring(reinterpret_cast<uintptr_t>(name));
    return name ? platform::Fold_Case(name) : std::wstring();
}

// Stock icons and cursors of the system: blank images that stand for them.
HANDLE Stock_Image(LPCWSTR name, UINT type)
{
    if (!IS_INTRESOURCE(name)) return nullptr;
    auto id = reinterpret_cast<uintptr_t>(name);
    bool known = type == IMAGE_CURSOR ? (id >= 32512 && id <= 32651) : (id >= 32512 && id <= 32518);
    if (!known) return nullptr;
    static std::map<std::pair<UINT, uintptr_t>, HICON> stock;
    HICON& h = stock[{type, id}];
    if (!h) {
        int size = Default_Icon_Size();
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        h = New_Icon(s, {0, 0}, type == IMAGE_CURSOR);
        cairo_surface_destroy(s);
        Lookup(h)->stock = true;
    }
    return h;
}

std::filesystem::path Resolve(HINSTANCE hInst, LPCWSTR name, UINT type, UINT fuLoad)
{
    if (fuLoad & LR_LOADFROMFILE) return name && !IS_INTRESOURCE(name) ? platform::To_Host_Path(name) : std::filesystem::path();
    auto& loader = platform::Loader();
    if (!loader) return {};
    platform::Image_Resource_Kind kind = type == IMAGE_BITMAP ? platform::Image_Resource_Kind::Bitmap
                                         : type == IMAGE_ICON ? platform::Image_Resource_Kind::Icon
                                                              : platform::Image_Resource_Kind::Cursor;
    return loader(hInst, name, kind);
}

bool Is_Icon_File(const std::vector<unsigned char>& b)
{
    return b.size() >= 4 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0;
}

HANDLE Load(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    std::filesystem::path path = Resolve(hInst, name, type, fuLoad);
    std::vector<unsigned char> bytes;
    if (path.empty() || !platform::image::Read_File(path, bytes)) return nullptr;
    if (fuLoad & LR_DEFAULTSIZE) {
        if (cx == 0) cx = Default_Icon_Size();
        if (cy == 0) cy = Default_Icon_Size();
    }
    platform::image::Decoded d;
    bool ok = type != IMAGE_BITMAP && Is_Icon_File(bytes) ? platform::image::Decode_Ico(bytes.data(), bytes.size(), cx, d)
                                                          : platform::image::Decode(bytes, d);
    if (!ok) return nullptr;
    int w = cairo_image_surface_get_width(d.surface), h = cairo_image_surface_get_height(d.surface);
    if ((cx && cx != w) || (cy && cy != h)) {
        cairo_surface_t* scaled = platform::image::Scaled_Copy(d.surface, cx ? cx : w, cy ? cy : h);
        cairo_surface_destroy(d.surface);
        d.surface = scaled;
    }
    HANDLE result = type == IMAGE_BITMAP ? HANDLE(New_Bitmap(d.surface, d.bits_pixel, d.has_alpha))
                                         : HANDLE(New_Icon(d.surface, d.hotspot, type == IMAGE_CURSOR));
    cairo_surface_destroy(d.surface);
    return result;
}

// Draws the image surface at (x, y) in cx x cy; greyed: embossed in the 3D colours.
void Draw_Image(const Dc& dc, cairo_surface_t* image, int x, int y, int cx, int cy, bool disabled)
{
    int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    if (w <= 0 || h <= 0 || cx <= 0 || cy <= 0) return;
    Painter p(dc);
    if (!p) return;
    cairo_t* cr = p.cr;
    auto place = [&](int dx, int dy) {
        cairo_save(cr);
        cairo_translate(cr, x + dx, y + dy);
        cairo_scale(cr, double(cx) / w, double(cy) / h);
        cairo_pattern_t* pat = cairo_pattern_create_for_surface(image);
        cairo_pattern_set_filter(pat, (cx == w && cy == h) ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
        return pat;
    };
    if (!disabled) {
        cairo_pattern_t* pat = place(0, 0);
        cairo_set_source(cr, pat);
        cairo_paint(cr);
        cairo_pattern_destroy(pat);
        cairo_restore(cr);
        return;
    }
    const std::pair<int, int> offsets[] = {{1, 1}, {0, 0}};
    const COLORREF colors[] = {GetSysColor(COLOR_3DHILIGHT), GetSysColor(COLOR_3DSHADOW)};
    for (int i = 0; i < 2; ++i) {
        cairo_pattern_t* pat = place(offsets[i].first, offsets[i].second);
        Set_Source_Color(cr, colors[i]);
        cairo_mask(cr, pat);
        cairo_pattern_destroy(pat);
        cairo_restore(cr);
    }
}

void Draw_Text_State(HDC hdc, LPCWSTR text, int length, int x, int y, int cx, int cy, UINT flags, bool prefix)
{
    Dc* dc = Dc_Of(hdc);
    if (length <= 0) length = int(std::wcslen(text));
    SIZE size{};
    GetTextExtentPoint32W(hdc, text, length, &size);
    if (cx <= 0) cx = size.cx;
    if (cy <= 0) cy = size.cy;
    UINT format = DT_SINGLELINE | DT_NOCLIP | (prefix ? 0u : DT_NOPREFIX) | ((flags & DSS_HIDEPREFIX) ? DT_HIDEPREFIX : 0u);
    int old_mode = dc->a.bk_mode;
    COLORREF old_color = dc->a.text_color;
    dc->a.bk_mode = TRANSPARENT;
    auto draw = [&](int dx, int dy, COLORREF color) {
        dc->a.text_color = color;
        RECT r{x + dx, y + dy, x + dx + cx, y + dy + cy};
        DrawTextW(hdc, text, length, &r, format);
    };
    if (flags & DSS_DISABLED) {
        draw(1, 1, GetSysColor(COLOR_3DHILIGHT));
        draw(0, 0, GetSysColor(COLOR_3DSHADOW));
    } else {
        draw(0, 0, old_color);
    }
    dc->a.bk_mode = old_mode;
    dc->a.text_color = old_color;
}

}  // namespace

HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    if (!name || type > IMAGE_CURSOR) return nullptr;
    if (!hInst && !(fuLoad & LR_LOADFROMFILE) && type != IMAGE_BITMAP) return Stock_Image(name, type);
    if (!(fuLoad & LR_SHARED) || type == IMAGE_BITMAP) return Load(hInst, name, type, cx, cy, fuLoad);
    static std::map<std::tuple<HINSTANCE, std::wstring, UINT, int, int>, HANDLE> shared;
    auto key = std::make_tuple(hInst, Name_Key(name), type, cx, cy);
    auto it = shared.find(key);
    if (it != shared.end()) return it->second;
    HANDLE h = Load(hInst, name, type, cx, cy, fuLoad);
    if (!h) return nullptr;
    Lookup(h)->stock = true;
    shared.emplace(key, h);
    return h;
}

HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName)
{
    return static_cast<HICON>(LoadImageW(hInstance, lpIconName, IMAGE_ICON, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName)
{
    return static_cast<HCURSOR>(LoadImageW(hInstance, lpCursorName, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}

HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName)
{
    return static_cast<HBITMAP>(LoadImageW(hInstance, lpBitmapName, IMAGE_BITMAP, 0, 0, 0));
}

BOOL DestroyIcon(HICON hIcon)
{
    Icon* i = Icon_Of(hIcon);
    if (!i) return FALSE;
    if (!i->stock) Destroy(i);
    return TRUE;
}

BOOL DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }

namespace {
HCURSOR g_current_cursor = nullptr;
}

HCURSOR SetCursor(HCURSOR hCursor)
{
    const HCURSOR previous = g_current_cursor;
    g_current_cursor = hCursor;
    return previous;
}

HCURSOR GetCursor() { return g_current_cursor; }

HICON CopyIcon(HICON hIcon)
{
    Icon* i = Icon_Of(hIcon);
    if (!i) return nullptr;
    int w = cairo_image_surface_get_width(i->surface), h = cairo_image_surface_get_height(i->surface);
    cairo_surface_t* copy = platform::image::Scaled_Copy(i->surface, w, h);
    HICON c = New_Icon(copy, i->hotspot, i->cursor);
    cairo_surface_destroy(copy);
    return c;
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo)
{
    Icon* i = Icon_Of(hIcon);
    if (!i || !piconinfo) return FALSE;
    int w = cairo_image_surface_get_width(i->surface), h = cairo_image_surface_get_height(i->surface);
    piconinfo->fIcon = !i->cursor;
    piconinfo->xHotspot = DWORD(i->cursor ? i->hotspot.x : w / 2);
    piconinfo->yHotspot = DWORD(i->cursor ? i->hotspot.y : h / 2);
    piconinfo->hbmColor = New_Bitmap(i->surface, 32, true);
    // The mask: white where the icon is transparent.
    cairo_surface_t* mask = New_Opaque_Surface(w, h);
    cairo_surface_flush(i->surface);
    const unsigned char* src = cairo_image_surface_get_data(i->surface);
    unsigned char* dst = cairo_image_surface_get_data(mask);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t a = reinterpret_cast<const uint32_t*>(src + y * cairo_image_surface_get_stride(i->surface))[x] >> 24;
            if (a < 128) reinterpret_cast<uint32_t*>(dst + y * cairo_image_surface_get_stride(mask))[x] = 0xFFFFFFFFu;
        }
    cairo_surface_mark_dirty(mask);
    piconinfo->hbmMask = New_Bitmap(mask, 1, false);
    cairo_surface_destroy(mask);
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags)
{
    Dc* dc = Dc_Of(hdc);
    Icon* i = Icon_Of(hIcon);
    if (!dc || !i) return FALSE;
    int w = cairo_image_surface_get_width(i->surface), h = cairo_image_surface_get_height(i->surface);
    if (cxWidth == 0) cxWidth = (diFlags & DI_DEFAULTSIZE) ? Default_Icon_Size() : w;
    if (cyWidth == 0) cyWidth = (diFlags & DI_DEFAULTSIZE) ? Default_Icon_Size() : h;
    if (hbrFlickerFreeDraw) {
        RECT r{xLeft, yTop, xLeft + cxWidth, yTop + cyWidth};
        FillRect(hdc, &r, hbrFlickerFreeDraw);
    }
    Draw_Image(*dc, i->surface, xLeft, yTop, cxWidth, cyWidth, false);
    return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon)
{
    return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL DrawStateW(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y,
                int cx, int cy, UINT uFlags)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    bool disabled = uFlags & DSS_DISABLED;
    switch (uFlags & 0x000F) {
    case DST_ICON:
    case DST_BITMAP: {
        cairo_surface_t* image = nullptr;
        if ((uFlags & 0x000F) == DST_ICON) {
            Icon* i = Icon_Of(reinterpret_cast<HICON>(lData));
            image = i ? i->surface : nullptr;
        } else {
            Bitmap* b = Bitmap_Of(reinterpret_cast<HBITMAP>(lData));
            image = b ? b->surface : nullptr;
        }
        if (!image) return FALSE;
        if (cx <= 0) cx = cairo_image_surface_get_width(image);
        if (cy <= 0) cy = cairo_image_surface_get_height(image);
        Draw_Image(*dc, image, x, y, cx, cy, disabled);
        return TRUE;
    }
    case DST_TEXT:
    case DST_PREFIXTEXT: {
        auto text = reinterpret_cast<LPCWSTR>(lData);
        if (!text) return FALSE;
        Draw_Text_State(hdc, text, int(wData), x, y, cx, cy, uFlags, (uFlags & 0x000F) == DST_PREFIXTEXT);
        return TRUE;
    }
    case DST_COMPLEX: {
        if (!qfnCallBack) return FALSE;
        POINT old{};
        OffsetViewportOrgEx(hdc, x, y, &old);
        BOOL ok = qfnCallBack(hdc, lData, wData, cx, cy);
        SetViewportOrgEx(hdc, old.x, old.y, nullptr);
        return ok;
    }
    default: return FALSE;
    }
}
