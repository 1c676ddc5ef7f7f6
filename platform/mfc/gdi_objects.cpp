// GDI objects: the handle registry, pens, brushes, fonts, bitmaps, stock objects and
// system colours.
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_set>

#include "mfc/gdi_internal.h"

namespace platform::gdi {

namespace {

std::unordered_set<const void*>& Live()
{
    static auto* live = new std::unordered_set<const void*>();
    return *live;
}

}  // namespace

Object::~Object()
{
    if (temporary) temporary->m_hObject = nullptr;  // the wrapper must not delete again
}
Brush::~Brush()
{
    if (pattern) cairo_surface_destroy(pattern);
}
Bitmap::~Bitmap()
{
    if (surface) cairo_surface_destroy(surface);
}
Icon::~Icon()
{
    if (surface) cairo_surface_destroy(surface);
}

void* Register(Object* object)
{
    Live().insert(object);
    return object;
}

Object* Lookup(const void* handle)
{
    if (!handle || !Live().count(handle)) return nullptr;
    auto* o = static_cast<Object*>(const_cast<void*>(handle));
    return o->delete_pending ? nullptr : o;
}

void Destroy(Object* object)
{
    if (!object || object->stock) return;
    Live().erase(object);
    if (object->permanent) object->permanent->m_hObject = nullptr;
    delete object;
}

void Deselected(Object* object)
{
    if (!object) return;
    if (object->selections > 0) --object->selections;
    if (object->selections == 0 && object->delete_pending) Destroy(object);
}

cairo_surface_t* New_Opaque_Surface(int width, int height, COLORREF fill)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(width, 0), std::max(height, 0));
    cairo_t* cr = cairo_create(s);
    Set_Source_Color(cr, fill);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return s;
}

HBITMAP New_Bitmap(cairo_surface_t* surface, int bits_pixel, bool has_alpha)
{
    auto* b = new Bitmap();
    b->surface = cairo_surface_reference(surface);
    b->bits_pixel = bits_pixel;
    b->has_alpha = has_alpha;
    return static_cast<HBITMAP>(Register(b));
}

HICON New_Icon(cairo_surface_t* surface, POINT hotspot, bool cursor)
{
    auto* i = new Icon();
    i->surface = cairo_surface_reference(surface);
    i->hotspot = hotspot;
    i->cursor = cursor;
    return static_cast<HICON>(Register(i));
}

bool Intersect(RECT& out, const RECT& a, const RECT& b)
{
    out = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return !Empty(out);
}

void Set_Source_Color(cairo_t* cr, COLORREF color)
{
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
}

}  // namespace platform::gdi

using namespace platform::gdi;

namespace {

template <class T>
T* Make_Stock(T* object)
{
    object->stock = true;
    Register(object);
    return object;
}

Pen* Stock_Pen(UINT style, COLORREF color)
{
    auto* p = new Pen();
    p->style = style;
    p->color = color;
    return Make_Stock(p);
}

Brush* Stock_Brush(UINT style, COLORREF color)
{
    auto* b = new Brush();
    b->style = style;
    b->color = color;
    return Make_Stock(b);
}

Font* Stock_Font(LONG height, const wchar_t* face)
{
    auto* f = new Font();
    f->lf.lfHeight = height;
    f->lf.lfWeight = FW_NORMAL;
    f->lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(f->lf.lfFaceName, face, LF_FACESIZE - 1);
    return Make_Stock(f);
}

// Colours of the standard Windows 10 scheme.
COLORREF Sys_Color_Value(int index)
{
    switch (index) {
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    case COLOR_BACKGROUND: return RGB(0, 0, 0);
    case COLOR_ACTIVECAPTION: return RGB(153, 180, 209);
    case COLOR_INACTIVECAPTION: return RGB(191, 205, 219);
    case COLOR_MENU: return RGB(240, 240, 240);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(100, 100, 100);
    case COLOR_MENUTEXT: return RGB(0, 0, 0);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(0, 0, 0);
    case COLOR_ACTIVEBORDER: return RGB(180, 180, 180);
    case COLOR_INACTIVEBORDER: return RGB(244, 247, 252);
    case COLOR_APPWORKSPACE: return RGB(171, 171, 171);
    case COLOR_HIGHLIGHT: return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(109, 109, 109);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_INACTIVECAPTIONTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(105, 105, 105);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOTEXT: return RGB(0, 0, 0);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_HOTLIGHT: return RGB(0, 102, 204);
    case COLOR_GRADIENTACTIVECAPTION: return RGB(185, 209, 234);
    case COLOR_GRADIENTINACTIVECAPTION: return RGB(215, 228, 242);
    case COLOR_MENUHILIGHT: return RGB(0, 120, 215);
    case COLOR_MENUBAR: return RGB(240, 240, 240);
    default: return CLR_INVALID;
    }
}

constexpr int kSysColors = COLOR_MENUBAR + 1;

HBITMAP Make_Bitmap(int width, int height, int bits_pixel)
{
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
    cairo_surface_t* s = New_Opaque_Surface(width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {  // out of memory
        cairo_surface_destroy(s);
        return nullptr;
    }
    HBITMAP h = New_Bitmap(s, bits_pixel, false);
    cairo_surface_destroy(s);
    return h;
}

// Rows of a device-dependent bitmap are padded to 16 bits.
int Ddb_Stride(int width, int bits_pixel) { return ((width * bits_pixel + 15) / 16) * 2; }

void Write_Bits(Bitmap& b, const unsigned char* bits, size_t size)
{
    cairo_surface_flush(b.surface);
    int w = cairo_image_surface_get_width(b.surface), h = cairo_image_surface_get_height(b.surface);
    unsigned char* data = cairo_image_surface_get_data(b.surface);
    int stride = cairo_image_surface_get_stride(b.surface);
    int src_stride = Ddb_Stride(w, b.bits_pixel);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            size_t at = size_t(y) * src_stride;
            uint32_t p = 0xFF000000u;
            if (b.bits_pixel == 1) {
                if (at + x / 8 >= size) break;
                p = (bits[at + x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFFFFu : 0xFF000000u;
            } else {
                size_t bytes = b.bits_pixel / 8;
                size_t o = at + x * bytes;
                if (o + bytes > size) break;
                p = 0xFF000000u | (uint32_t(bits[o + 2]) << 16) | (uint32_t(bits[o + 1]) << 8) | bits[o];
                if (bytes == 4 && b.has_alpha) p = (p & 0x00FFFFFFu) | (uint32_t(bits[o + 3]) << 24);
            }
            row[x] = p;
        }
    }
    cairo_surface_mark_dirty(b.surface);
}

}  // namespace

HGDIOBJ GetStockObject(int i)
{
    static Brush* brushes[] = {Stock_Brush(BS_SOLID, RGB(255, 255, 255)), Stock_Brush(BS_SOLID, RGB(192, 192, 192)),
                               Stock_Brush(BS_SOLID, RGB(128, 128, 128)), Stock_Brush(BS_SOLID, RGB(64, 64, 64)),
                               Stock_Brush(BS_SOLID, RGB(0, 0, 0)),       Stock_Brush(BS_NULL, 0)};
    static Pen* pens[] = {Stock_Pen(PS_SOLID, RGB(255, 255, 255)), Stock_Pen(PS_SOLID, 0), Stock_Pen(PS_NULL, 0)};
    static Font* system_font = Stock_Font(16, L"System");
    static Font* gui_font = Stock_Font(-12, L"MS Shell Dlg");
    static Font* fixed_font = Stock_Font(16, L"Fixedsys");
    static Brush* dc_brush = Stock_Brush(BS_SOLID, RGB(255, 255, 255));
    static Pen* dc_pen = Stock_Pen(PS_SOLID, 0);
    if (i >= WHITE_BRUSH && i <= NULL_BRUSH) return brushes[i];
    if (i >= WHITE_PEN && i <= NULL_PEN) return pens[i - WHITE_PEN];
    switch (i) {
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return fixed_font;
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT: return gui_font;
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return system_font;
    case DC_BRUSH: return dc_brush;
    case DC_PEN: return dc_pen;
    default: return nullptr;
    }
}

DWORD GetSysColor(int nIndex)
{
    COLORREF c = Sys_Color_Value(nIndex);
    return c == CLR_INVALID ? 0 : c;
}

HBRUSH GetSysColorBrush(int nIndex)
{
    static Brush* brushes[kSysColors] = {};
    if (nIndex < 0 || nIndex >= kSysColors || Sys_Color_Value(nIndex) == CLR_INVALID) return nullptr;
    if (!brushes[nIndex]) brushes[nIndex] = Stock_Brush(BS_SOLID, Sys_Color_Value(nIndex));
    return static_cast<HBRUSH>(static_cast<void*>(brushes[nIndex]));
}

BOOL DeleteObject(HGDIOBJ ho)
{
    Object* o = Lookup(ho);
    if (!o || o->kind == Kind::Icon) return FALSE;
    if (o->stock) return TRUE;
    if (o->selections > 0) {
        o->delete_pending = true;  // freed when its context lets go of it
        if (o->permanent) o->permanent->m_hObject = nullptr;
        o->permanent = nullptr;
        return TRUE;
    }
    Destroy(o);
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ h)
{
    if (Dc* dc = Dc_Of(static_cast<HDC>(h))) return dc->type == Dc::Type::Memory ? OBJ_MEMDC : OBJ_DC;
    Object* o = Lookup(h);
    if (!o) return 0;
    switch (o->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Region: return OBJ_REGION;
    default: return 0;
    }
}

int GetObjectW(HANDLE h, int c, LPVOID pv)
{
    Object* o = Lookup(h);
    if (!o) return 0;
    auto answer = [&](const void* data, int size) {
        if (!pv) return size;
        if (c < size) return 0;
        std::memcpy(pv, data, size);
        return size;
    };
    switch (o->kind) {
    case Kind::Pen: {
        auto* p = static_cast<Pen*>(o);
        LOGPEN lp{p->style, {p->width, 0}, p->color};
        return answer(&lp, sizeof lp);
    }
    case Kind::Brush: {
        auto* b = static_cast<Brush*>(o);
        LOGBRUSH lb{b->style, b->color, ULONG_PTR(b->hatch)};
        return answer(&lb, sizeof lb);
    }
    case Kind::Font: return answer(&static_cast<Font*>(o)->lf, sizeof(LOGFONTW));
    case Kind::Bitmap: {
        auto* b = static_cast<Bitmap*>(o);
        BITMAP bm{};
        bm.bmWidth = cairo_image_surface_get_width(b->surface);
        bm.bmHeight = cairo_image_surface_get_height(b->surface);
        bm.bmWidthBytes = Ddb_Stride(bm.bmWidth, b->bits_pixel);
        bm.bmPlanes = 1;
        bm.bmBitsPixel = WORD(b->bits_pixel);
        return answer(&bm, sizeof bm);
    }
    default: return 0;
    }
}

HPEN CreatePen(int iStyle, int cWidth, COLORREF color)
{
    auto* p = new Pen();
    p->style = UINT(iStyle);
    p->width = std::max(cWidth, 0);
    p->color = color & 0x00FFFFFF;
    return static_cast<HPEN>(Register(p));
}

HPEN CreatePenIndirect(const LOGPEN* plpen)
{
    return plpen ? CreatePen(int(plpen->lopnStyle), plpen->lopnWidth.x, plpen->lopnColor) : nullptr;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    auto* b = new Brush();
    b->color = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(Register(b));
}

HBRUSH CreateHatchBrush(int iHatch, COLORREF color)
{
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) return nullptr;
    auto* b = new Brush();
    b->style = BS_HATCHED;
    b->hatch = iHatch;
    b->color = color & 0x00FFFFFF;
    return static_cast<HBRUSH>(Register(b));
}

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    Bitmap* bm = Bitmap_Of(hbm);
    if (!bm) return nullptr;
    auto* b = new Brush();
    b->style = BS_PATTERN;
    int w = cairo_image_surface_get_width(bm->surface), h = cairo_image_surface_get_height(bm->surface);
    b->pattern = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(b->pattern);
    cairo_set_source_surface(cr, bm->surface, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return static_cast<HBRUSH>(Register(b));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush)
{
    if (!plbrush) return nullptr;
    switch (plbrush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(plbrush->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(int(plbrush->lbHatch), plbrush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(plbrush->lbHatch));
    default: return nullptr;
    }
}

HFONT CreateFontIndirectW(const LOGFONTW* lplf)
{
    if (!lplf) return nullptr;
    auto* f = new Font();
    f->lf = *lplf;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(Register(f));
}

HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName)
{
    LOGFONTW lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = BYTE(bItalic);
    lf.lfUnderline = BYTE(bUnderline);
    lf.lfStrikeOut = BYTE(bStrikeOut);
    lf.lfCharSet = BYTE(iCharSet);
    lf.lfOutPrecision = BYTE(iOutPrecision);
    lf.lfClipPrecision = BYTE(iClipPrecision);
    lf.lfQuality = BYTE(iQuality);
    lf.lfPitchAndFamily = BYTE(iPitchAndFamily);
    if (pszFaceName) std::wcsncpy(lf.lfFaceName, pszFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nPlanes != 1 || (nBitCount != 1 && nBitCount != 24 && nBitCount != 32)) return nullptr;
    HBITMAP h = Make_Bitmap(nWidth, nHeight, int(nBitCount));
    if (h && lpBits) {
        Bitmap* b = Bitmap_Of(h);
        Write_Bits(*b, static_cast<const unsigned char*>(lpBits),
                   size_t(Ddb_Stride(nWidth, int(nBitCount))) * size_t(nHeight));
    }
    return h;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    if (!Dc_Of(hdc)) return nullptr;
    return Make_Bitmap(cx, cy, 32);
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    Bitmap* b = Bitmap_Of(hbit);
    if (!b || cb < 0) return 0;
    int w = cairo_image_surface_get_width(b->surface), h = cairo_image_surface_get_height(b->surface);
    int stride = Ddb_Stride(w, b->bits_pixel);
    LONG total = LONG(stride) * h;
    if (!lpvBits) return total;
    cairo_surface_flush(b->surface);
    const unsigned char* data = cairo_image_surface_get_data(b->surface);
    int sstride = cairo_image_surface_get_stride(b->surface);
    auto* out = static_cast<unsigned char*>(lpvBits);
    LONG n = std::min(cb, total);
    std::memset(out, 0, size_t(n));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * sstride);
        for (int x = 0; x < w; ++x) {
            uint32_t p = row[x];
            LONG at = LONG(y) * stride;
            if (b->bits_pixel == 1) {
                if (at + x / 8 >= n) break;
                bool white = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) >= 384;
                if (white) out[at + x / 8] |= BYTE(0x80 >> (x % 8));
            } else {
                LONG bytes = b->bits_pixel / 8;
                LONG o = at + x * bytes;
                if (o + bytes > n) break;
                out[o] = BYTE(p);
                out[o + 1] = BYTE(p >> 8);
                out[o + 2] = BYTE(p >> 16);
                if (bytes == 4) out[o + 3] = BYTE(p >> 24);
            }
        }
    }
    return n;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits)
{
    Bitmap* b = Bitmap_Of(hbm);
    if (!b || !pvBits) return 0;
    int w = cairo_image_surface_get_width(b->surface), h = cairo_image_surface_get_height(b->surface);
    LONG total = LONG(Ddb_Stride(w, b->bits_pixel)) * h;
    LONG n = std::min(LONG(cb), total);
    Write_Bits(*b, static_cast<const unsigned char*>(pvBits), size_t(n));
    return n;
}
