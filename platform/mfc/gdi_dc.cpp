// Device contexts: creation, window contexts through the provider, attributes, selection,
// saved states, origins and clipping.
#include <algorithm>
#include <unordered_set>

#include "mfc/gdi_internal.h"
#include "mfc/gdi_region.h"

namespace platform {

namespace {

struct Window_Hooks {
    Window_DC_Provider provider;
    Window_DC_Release release;
};

Window_Hooks& Hooks()
{
    static Window_Hooks hooks;
    return hooks;
}

}  // namespace

void Set_Window_DC_Provider(Window_DC_Provider provider, Window_DC_Release release)
{
    Hooks() = {std::move(provider), std::move(release)};
}

}  // namespace platform

namespace platform::gdi {

namespace {

std::unordered_set<const void*>& Live_Dcs()
{
    static auto* live = new std::unordered_set<const void*>();
    return *live;
}

void Select_Defaults(Dc& dc)
{
    dc.a.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc.a.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc.a.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    if (dc.type == Dc::Type::Memory) {
        static HBITMAP stock_bitmap = [] {
            cairo_surface_t* s = New_Opaque_Surface(1, 1);
            HBITMAP h = New_Bitmap(s, 1, false);
            cairo_surface_destroy(s);
            Lookup(h)->stock = true;
            return h;
        }();
        dc.a.bitmap = stock_bitmap;
    }
}

// Every object a set of attributes holds counts as selected.
void Hold(const Dc_Attributes& a, Dc* dc)
{
    for (void* h : {static_cast<void*>(a.pen), static_cast<void*>(a.brush), static_cast<void*>(a.font),
                    static_cast<void*>(a.bitmap)})
        if (Object* o = Lookup(h)) ++o->selections;
    if (Bitmap* b = Bitmap_Of(a.bitmap)) b->selected_in = dc;
}

void Let_Go(const Dc_Attributes& a)
{
    for (void* h : {static_cast<void*>(a.pen), static_cast<void*>(a.brush), static_cast<void*>(a.font),
                    static_cast<void*>(a.bitmap)}) {
        // Pending deletions are no longer found by Lookup: reach them directly.
        if (!h) continue;
        auto* o = static_cast<Object*>(h);
        if (o->kind == Kind::Bitmap) static_cast<Bitmap*>(o)->selected_in = nullptr;
        Deselected(o);
    }
}

}  // namespace

Dc* Dc_Of(HDC hdc)
{
    if (!hdc || !Live_Dcs().count(hdc)) return nullptr;
    return reinterpret_cast<Dc*>(hdc);
}

HDC New_Dc(Dc* dc)
{
    Select_Defaults(*dc);
    Hold(dc->a, dc);
    Live_Dcs().insert(dc);
    return reinterpret_cast<HDC>(dc);
}

void Delete_Dc(Dc* dc)
{
    Live_Dcs().erase(dc);
    Let_Go(dc->a);
    for (const Dc_Attributes& s : dc->saved) Let_Go(s);
    if (dc->surface) cairo_surface_destroy(dc->surface);
    if (dc->permanent) dc->permanent->m_hDC = dc->permanent->m_hAttribDC = nullptr;
    if (dc->temporary) dc->temporary->m_hDC = dc->temporary->m_hAttribDC = nullptr;
    delete dc;
}

cairo_surface_t* Target(const Dc& dc)
{
    if (dc.type == Dc::Type::Memory) {
        auto* b = static_cast<Bitmap*>(static_cast<void*>(dc.a.bitmap));
        return b ? b->surface : nullptr;
    }
    return dc.surface;
}

POINT Offset(const Dc& dc)
{
    return {dc.origin.x + dc.a.viewport_org.x - dc.a.window_org.x,
            dc.origin.y + dc.a.viewport_org.y - dc.a.window_org.y};
}

RECT Drawable_Bounds(const Dc& dc)
{
    cairo_surface_t* s = Target(dc);
    if (!s) return {0, 0, 0, 0};
    RECT r{0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
    if (dc.bounds) Intersect(r, r, *dc.bounds);
    return r;
}

std::vector<RECT> Clip_Rects(const Dc& dc)
{
    RECT bounds = Drawable_Bounds(dc);
    if (Empty(bounds)) return {};
    if (!dc.a.clip) return {bounds};
    std::vector<RECT> out;
    for (const RECT& r : *dc.a.clip) {
        RECT i;
        if (Intersect(i, r, bounds)) out.push_back(i);
    }
    return out;
}

Painter::Painter(const Dc& dc)
{
    cairo_surface_t* s = Target(dc);
    if (!s) return;
    cr = cairo_create(s);
    for (const RECT& r : Clip_Rects(dc)) cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    cairo_clip(cr);
    POINT o = Offset(dc);
    cairo_translate(cr, o.x, o.y);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
}

Painter::~Painter()
{
    if (cr) cairo_destroy(cr);
}

uint32_t Mix2(int rop2, uint32_t pen, uint32_t dst)
{
    unsigned idx = unsigned(rop2 - 1) & 15u;
    uint32_t r = 0;
    if (idx & 1) r |= ~pen & ~dst;
    if (idx & 2) r |= ~pen & dst;
    if (idx & 4) r |= pen & ~dst;
    if (idx & 8) r |= pen & dst;
    return (r & 0x00FFFFFFu) | 0xFF000000u;
}

uint32_t Mix3(uint8_t code, uint32_t pat, uint32_t src, uint32_t dst)
{
    uint32_t r = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (!(code & (1u << bit))) continue;
        uint32_t p = (bit & 4) ? pat : ~pat;
        uint32_t s = (bit & 2) ? src : ~src;
        uint32_t d = (bit & 1) ? dst : ~dst;
        r |= p & s & d;
    }
    return (r & 0x00FFFFFFu) | 0xFF000000u;
}

void Paint_Path(const Dc& dc, cairo_t* cr, COLORREF color, bool fill, int rop2)
{
    if (rop2 == 0) rop2 = dc.a.rop2;
    if (rop2 == R2_COPYPEN) {
        Set_Source_Color(cr, color);
        if (fill) cairo_fill(cr);
        else cairo_stroke(cr);
        return;
    }
    if (rop2 == R2_NOP) {
        cairo_new_path(cr);
        return;
    }
    // Other mixes: the coverage of the path decides which pixels take the mix.
    cairo_surface_t* target = Target(dc);
    int w = cairo_image_surface_get_width(target), h = cairo_image_surface_get_height(target);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* mc = cairo_create(mask);
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_set_matrix(mc, &m);
    cairo_set_antialias(mc, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(mc, cairo_get_line_width(cr));
    cairo_set_line_cap(mc, cairo_get_line_cap(cr));
    cairo_set_line_join(mc, cairo_get_line_join(cr));
    cairo_set_fill_rule(mc, cairo_get_fill_rule(cr));
    int dashes = cairo_get_dash_count(cr);
    if (dashes > 0) {
        std::vector<double> d(static_cast<size_t>(dashes));
        double off = 0;
        cairo_get_dash(cr, d.data(), &off);
        cairo_set_dash(mc, d.data(), dashes, off);
    }
    cairo_append_path(mc, path);
    cairo_path_destroy(path);
    cairo_new_path(cr);
    if (fill) cairo_fill(mc);
    else cairo_stroke(mc);
    cairo_destroy(mc);
    cairo_surface_flush(mask);
    const unsigned char* md = cairo_image_surface_get_data(mask);
    int ms = cairo_image_surface_get_stride(mask);
    uint32_t pen = Pixel_Of(color);
    For_Each_Pixel(dc, RECT{0, 0, w, h}, [&](uint32_t& p, int x, int y) {
        if (md[y * ms + x]) p = Mix2(rop2, pen, p);
    });
    cairo_surface_destroy(mask);
}

void Fill_Path_With_Brush(const Dc& dc, cairo_t* cr, const Brush* brush, int rop2)
{
    if (rop2 == 0) rop2 = dc.a.rop2;
    if (!brush || brush->style == BS_NULL) {
        cairo_new_path(cr);
        return;
    }
    if (brush->style == BS_SOLID || rop2 != R2_COPYPEN) {
        Paint_Path(dc, cr, brush->color, true, rop2);
        return;
    }
    cairo_save(cr);
    // Patterns are aligned to the brush origin in device coordinates.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    POINT o = Offset(dc);
    double ax = dc.a.brush_org.x - o.x, ay = dc.a.brush_org.y - o.y;
    cairo_surface_t* tile = nullptr;
    if (brush->style == BS_PATTERN && brush->pattern) {
        tile = cairo_surface_reference(brush->pattern);
    } else {
        tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
        cairo_t* tc = cairo_create(tile);
        if (dc.a.bk_mode == OPAQUE) {
            Set_Source_Color(tc, dc.a.bk_color);
            cairo_paint(tc);
        }
        cairo_set_antialias(tc, CAIRO_ANTIALIAS_NONE);
        Set_Source_Color(tc, brush->color);
        for (int i = 0; i < 8; ++i) {
            auto dot = [&](int x, int y) { cairo_rectangle(tc, x, y, 1, 1); };
            switch (brush->hatch) {
            case HS_HORIZONTAL: dot(i, 7); break;
            case HS_VERTICAL: dot(7, i); break;
            case HS_FDIAGONAL: dot(i, i); break;
            case HS_BDIAGONAL: dot(7 - i, i); break;
            case HS_CROSS: dot(i, 7); dot(7, i); break;
            case HS_DIAGCROSS: dot(i, i); dot(7 - i, i); break;
            default: break;
            }
        }
        cairo_fill(tc);
        cairo_destroy(tc);
    }
    cairo_pattern_t* pat = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pat, CAIRO_EXTEND_REPEAT);
    cairo_matrix_t pm;
    cairo_matrix_init_translate(&pm, -ax, -ay);
    cairo_pattern_set_matrix(pat, &pm);
    cairo_set_source(cr, pat);
    cairo_fill(cr);
    cairo_pattern_destroy(pat);
    cairo_surface_destroy(tile);
    cairo_restore(cr);
}

}  // namespace platform::gdi

using namespace platform::gdi;

namespace {

// The screen's context (a null window): for measuring and device capabilities; what is
// drawn on it is not kept.
platform::Window_Surface Screen_Surface()
{
    static cairo_surface_t* screen = New_Opaque_Surface(1, 1);
    return {screen, {0, 0}, {0, 0, 1, 1}};
}

Dc* New_Window_Dc(HWND hWnd, platform::Window_DC_Kind kind)
{
    auto& hooks = platform::Hooks();
    platform::Window_Surface ws;
    if (!hWnd) ws = Screen_Surface();
    else if (!hooks.provider || !hooks.provider(hWnd, kind, ws)) return nullptr;
    if (!ws.surface) return nullptr;
    auto* dc = new Dc();
    dc->type = Dc::Type::Window;
    dc->surface = cairo_surface_reference(ws.surface);
    dc->origin = ws.origin;
    dc->bounds = ws.clip;
    dc->hwnd = hWnd;
    dc->window_kind = kind;
    New_Dc(dc);
    return dc;
}

void Release_Window_Dc(Dc* dc)
{
    HWND hwnd = dc->hwnd;
    platform::Window_DC_Kind kind = dc->window_kind;
    Delete_Dc(dc);
    if (hwnd && platform::Hooks().release) platform::Hooks().release(hwnd, kind);
}

template <class T>
T Swap_Attribute(HDC hdc, T Dc_Attributes::*member, T value, T failed)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return failed;
    T old = dc->a.*member;
    dc->a.*member = value;
    return old;
}

template <class T>
T Get_Attribute(HDC hdc, T Dc_Attributes::*member, T failed)
{
    Dc* dc = Dc_Of(hdc);
    return dc ? dc->a.*member : failed;
}

BOOL Set_Point(HDC hdc, POINT Dc_Attributes::*member, int x, int y, bool offset, LPPOINT old)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    POINT& p = dc->a.*member;
    if (old) *old = p;
    if (offset) {
        p.x += x;
        p.y += y;
    } else {
        p = {x, y};
    }
    return TRUE;
}

// The clip in device coordinates, starting from the whole surface when there is none.
std::vector<RECT> Current_Clip(const Dc& dc)
{
    if (dc.a.clip) return *dc.a.clip;
    return {Drawable_Bounds(dc)};
}

RECT To_Device(const Dc& dc, int left, int top, int right, int bottom)
{
    POINT o = Offset(dc);
    return {std::min(left, right) + o.x, std::min(top, bottom) + o.y, std::max(left, right) + o.x,
            std::max(top, bottom) + o.y};
}

// Region clipping uses device coordinates of the context (the window origin applies).
std::vector<RECT> Region_To_Surface(const Dc& dc, const Region& r)
{
    std::vector<RECT> out;
    for (RECT rc : r.rects) {
        rc.left += dc.origin.x;
        rc.right += dc.origin.x;
        rc.top += dc.origin.y;
        rc.bottom += dc.origin.y;
        out.push_back(rc);
    }
    return out;
}

int Clip_Type(const Dc& dc) { return Region_Type(Clip_Rects(dc)); }

}  // namespace

namespace platform {

HDC Make_Surface_DC(cairo_surface_t* surface, POINT origin)
{
    if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return nullptr;
    auto* dc = new Dc();
    dc->surface = cairo_surface_reference(surface);
    dc->origin = origin;
    return New_Dc(dc);
}

HDC Make_Image_DC(int width, int height)
{
    if (width <= 0 || height <= 0) return nullptr;
    cairo_surface_t* s = New_Opaque_Surface(width, height, RGB(255, 255, 255));
    HDC h = Make_Surface_DC(s);
    cairo_surface_destroy(s);
    return h;
}

cairo_surface_t* DC_Surface(HDC hdc)
{
    Dc* dc = Dc_Of(hdc);
    return dc ? Target(*dc) : nullptr;
}

}  // namespace platform

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !Dc_Of(hdc)) return nullptr;
    auto* dc = new Dc();
    dc->type = Dc::Type::Memory;
    return New_Dc(dc);
}

BOOL DeleteDC(HDC hdc)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    if (dc->type == Dc::Type::Window) Release_Window_Dc(dc);
    else Delete_Dc(dc);
    return TRUE;
}

HDC GetDC(HWND hWnd)
{
    Dc* dc = New_Window_Dc(hWnd, platform::Window_DC_Kind::Client);
    return dc ? reinterpret_cast<HDC>(dc) : nullptr;
}

HDC GetWindowDC(HWND hWnd)
{
    Dc* dc = New_Window_Dc(hWnd, platform::Window_DC_Kind::Window);
    return dc ? reinterpret_cast<HDC>(dc) : nullptr;
}

int ReleaseDC(HWND hWnd, HDC hDC)
{
    Dc* dc = Dc_Of(hDC);
    if (!dc || dc->type != Dc::Type::Window || dc->hwnd != hWnd) return 0;
    Release_Window_Dc(dc);
    return 1;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint)
{
    if (!lpPaint || !hWnd) return nullptr;
    *lpPaint = PAINTSTRUCT{};
    Dc* dc = New_Window_Dc(hWnd, platform::Window_DC_Kind::Paint);
    if (!dc) return nullptr;
    lpPaint->hdc = reinterpret_cast<HDC>(dc);
    lpPaint->fErase = TRUE;
    RECT b = *dc->bounds;
    lpPaint->rcPaint = {b.left - dc->origin.x, b.top - dc->origin.y, b.right - dc->origin.x, b.bottom - dc->origin.y};
    return lpPaint->hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    if (!lpPaint) return FALSE;
    Dc* dc = Dc_Of(lpPaint->hdc);
    if (!dc || dc->type != Dc::Type::Window || dc->hwnd != hWnd) return FALSE;
    Release_Window_Dc(dc);
    return TRUE;
}

HWND WindowFromDC(HDC hDC)
{
    Dc* dc = Dc_Of(hDC);
    return dc ? dc->hwnd : nullptr;
}

int SaveDC(HDC hdc)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return 0;
    dc->saved.push_back(dc->a);
    Hold(dc->a, dc);
    return int(dc->saved.size());
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || dc->saved.empty()) return FALSE;
    int n = int(dc->saved.size());
    int level = nSavedDC < 0 ? n + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > n) return FALSE;
    while (int(dc->saved.size()) > level) {
        Let_Go(dc->saved.back());
        dc->saved.pop_back();
    }
    Let_Go(dc->a);
    dc->a = dc->saved.back();
    dc->saved.pop_back();
    // The restored objects stay held: their selections were counted when saved.
    if (Bitmap* b = Bitmap_Of(dc->a.bitmap)) b->selected_in = dc;
    return TRUE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    Dc* dc = Dc_Of(hdc);
    Object* o = Lookup(h);
    if (!dc || !o) return nullptr;
    auto swap = [&](auto& slot) -> HGDIOBJ {
        using H = std::remove_reference_t<decltype(slot)>;
        H old = slot;
        slot = static_cast<H>(h);
        ++o->selections;
        if (old) Deselected(static_cast<Object*>(static_cast<void*>(old)));
        return old;
    };
    switch (o->kind) {
    case Kind::Pen: return swap(dc->a.pen);
    case Kind::Brush: return swap(dc->a.brush);
    case Kind::Font: return swap(dc->a.font);
    case Kind::Bitmap: {
        auto* b = static_cast<Bitmap*>(o);
        if (dc->type != Dc::Type::Memory) return nullptr;
        if (b->selected_in && b->selected_in != dc && !b->stock) return nullptr;  // one context at a time
        if (auto* old = static_cast<Bitmap*>(static_cast<void*>(dc->a.bitmap))) old->selected_in = nullptr;
        b->selected_in = dc;
        return swap(dc->a.bitmap);
    }
    case Kind::Region: {
        int type = SelectClipRgn(hdc, static_cast<HRGN>(h));
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(type));
    }
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->a.pen;
    case OBJ_BRUSH: return dc->a.brush;
    case OBJ_FONT: return dc->a.font;
    case OBJ_BITMAP: return dc->a.bitmap;
    default: return nullptr;
    }
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    return Swap_Attribute(hdc, &Dc_Attributes::text_color, color & 0x00FFFFFF, COLORREF(CLR_INVALID));
}
COLORREF GetTextColor(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::text_color, COLORREF(CLR_INVALID)); }
COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    return Swap_Attribute(hdc, &Dc_Attributes::bk_color, color & 0x00FFFFFF, COLORREF(CLR_INVALID));
}
COLORREF GetBkColor(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::bk_color, COLORREF(CLR_INVALID)); }
int SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return Swap_Attribute(hdc, &Dc_Attributes::bk_mode, mode, 0);
}
int GetBkMode(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::bk_mode, 0); }
UINT SetTextAlign(HDC hdc, UINT align) { return Swap_Attribute(hdc, &Dc_Attributes::text_align, align, UINT(0xFFFFFFFF)); }
UINT GetTextAlign(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::text_align, UINT(0xFFFFFFFF)); }
int SetROP2(HDC hdc, int rop2)
{
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
    return Swap_Attribute(hdc, &Dc_Attributes::rop2, rop2, 0);
}
int GetROP2(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::rop2, 0); }
int SetStretchBltMode(HDC hdc, int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return Swap_Attribute(hdc, &Dc_Attributes::stretch_mode, mode, 0);
}
int GetStretchBltMode(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::stretch_mode, 0); }
int SetPolyFillMode(HDC hdc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return Swap_Attribute(hdc, &Dc_Attributes::poly_fill_mode, mode, 0);
}
int GetPolyFillMode(HDC hdc) { return Get_Attribute(hdc, &Dc_Attributes::poly_fill_mode, 0); }
// Only MM_TEXT exists: pixels.
int SetMapMode(HDC hdc, int iMode) { return Dc_Of(hdc) && iMode == MM_TEXT ? MM_TEXT : 0; }
int GetMapMode(HDC hdc) { return Dc_Of(hdc) ? MM_TEXT : 0; }

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return Set_Point(hdc, &Dc_Attributes::brush_org, x, y, false, lppt);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return Set_Point(hdc, &Dc_Attributes::viewport_org, x, y, false, lppt);
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return Set_Point(hdc, &Dc_Attributes::viewport_org, x, y, true, lppt);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint) { return Set_Point(hdc, &Dc_Attributes::viewport_org, 0, 0, true, lppoint); }
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return Set_Point(hdc, &Dc_Attributes::window_org, x, y, false, lppt);
}
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    return Set_Point(hdc, &Dc_Attributes::window_org, x, y, true, lppt);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint) { return Set_Point(hdc, &Dc_Attributes::window_org, 0, 0, true, lppoint); }

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lppt) return FALSE;
    int dx = dc->a.viewport_org.x - dc->a.window_org.x, dy = dc->a.viewport_org.y - dc->a.window_org.y;
    for (int i = 0; i < c; ++i) {
        lppt[i].x += dx;
        lppt[i].y += dy;
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lppt) return FALSE;
    int dx = dc->a.viewport_org.x - dc->a.window_org.x, dy = dc->a.viewport_org.y - dc->a.window_org.y;
    for (int i = 0; i < c; ++i) {
        lppt[i].x -= dx;
        lppt[i].y -= dy;
    }
    return TRUE;
}

int GetDeviceCaps(HDC hdc, int index)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return 0;
    RECT b = Drawable_Bounds(*dc);
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case HORZRES: return GetSystemMetrics(SM_CXSCREEN) > 0 ? GetSystemMetrics(SM_CXSCREEN) : b.right - b.left;
    case VERTRES: return GetSystemMetrics(SM_CYSCREEN) > 0 ? GetSystemMetrics(SM_CYSCREEN) : b.bottom - b.top;
    case HORZSIZE: return MulDiv(GetDeviceCaps(hdc, HORZRES), 254, 960);
    case VERTSIZE: return MulDiv(GetDeviceCaps(hdc, VERTRES), 254, 960);
    default: return 0;
    }
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return ERROR;
    dc->a.clip = Intersect(Current_Clip(*dc), std::vector<RECT>{To_Device(*dc, left, top, right, bottom)});
    return Clip_Type(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return ERROR;
    dc->a.clip = Subtract(Current_Clip(*dc), To_Device(*dc, left, top, right, bottom));
    return Clip_Type(*dc);
}

int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return ERROR;
    Region* r = Region_Of(hrgn);
    if (!r) {
        if (mode != RGN_COPY) return ERROR;
        dc->a.clip.reset();
        return Clip_Type(*dc);
    }
    std::vector<RECT> rgn = Region_To_Surface(*dc, *r);
    std::vector<RECT> cur = Current_Clip(*dc);
    switch (mode) {
    case RGN_COPY: dc->a.clip = rgn; break;
    case RGN_AND: dc->a.clip = Intersect(cur, rgn); break;
    case RGN_OR: dc->a.clip = Unite(cur, rgn); break;
    case RGN_DIFF:
        for (const RECT& rc : rgn) cur = Subtract(cur, rc);
        dc->a.clip = cur;
        break;
    case RGN_XOR: {
        std::vector<RECT> a = cur, b = rgn;
        for (const RECT& rc : rgn) a = Subtract(a, rc);
        for (const RECT& rc : cur) b = Subtract(b, rc);
        a.insert(a.end(), b.begin(), b.end());
        dc->a.clip = a;
        break;
    }
    default: return ERROR;
    }
    return Clip_Type(*dc);
}

int SelectClipRgn(HDC hdc, HRGN hrgn) { return ExtSelectClipRgn(hdc, hrgn, RGN_COPY); }

int GetClipBox(HDC hdc, LPRECT lprect)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lprect) return ERROR;
    std::vector<RECT> rects = Clip_Rects(*dc);
    RECT box = Bounding_Box(rects);
    POINT o = Offset(*dc);
    *lprect = {box.left - o.x, box.top - o.y, box.right - o.x, box.bottom - o.y};
    if (rects.empty()) *lprect = {0, 0, 0, 0};
    return Region_Type(rects);
}

int GetClipRgn(HDC hdc, HRGN hrgn)
{
    Dc* dc = Dc_Of(hdc);
    Region* r = Region_Of(hrgn);
    if (!dc || !r) return -1;
    if (!dc->a.clip) return 0;
    r->rects.clear();
    for (RECT rc : *dc->a.clip) {
        rc.left -= dc->origin.x;
        rc.right -= dc->origin.x;
        rc.top -= dc->origin.y;
        rc.bottom -= dc->origin.y;
        r->rects.push_back(rc);
    }
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    POINT o = Offset(*dc);
    for (const RECT& r : Clip_Rects(*dc))
        if (x + o.x >= r.left && x + o.x < r.right && y + o.y >= r.top && y + o.y < r.bottom) return TRUE;
    return FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* lprect)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lprect) return FALSE;
    RECT d = To_Device(*dc, lprect->left, lprect->top, lprect->right, lprect->bottom);
    for (const RECT& r : Clip_Rects(*dc)) {
        RECT i;
        if (Intersect(i, r, d)) return TRUE;
    }
    return FALSE;
}

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0) return -1;
    long long p = (long long)nNumber * nNumerator, d = nDenominator;
    bool negative = (p < 0) != (d < 0);
    long long a = p < 0 ? -p : p, b = d < 0 ? -d : d;
    long long q = (a + b / 2) / b;  // halves round away from zero
    if (negative) q = -q;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return int(q);
}
