// Internal model of the GDI stand-in: the objects behind GDI handles and device contexts.
// Not a public header.
#pragma once

#include <cairo.h>

#include <memory>
#include <optional>
#include <vector>

#include "mfc/afxdc.h"

namespace platform::gdi {

enum class Kind { Pen, Brush, Font, Bitmap, Region, Icon };

struct Dc;

// Every object behind a handle. Stock objects are never freed. An object deleted while
// selected into a context is freed when it is deselected.
struct Object {
    explicit Object(Kind k) : kind(k) {}
    virtual ~Object();
    Kind kind;
    bool stock = false;
    bool delete_pending = false;
    int selections = 0;
    CGdiObject* permanent = nullptr;           // the framework object it is attached to
    std::unique_ptr<CGdiObject> temporary;     // FromHandle's wrapper when none is attached
};

struct Pen : Object {
    Pen() : Object(Kind::Pen) {}
    UINT style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct Brush : Object {
    Brush() : Object(Kind::Brush) {}
    ~Brush() override;
    UINT style = BS_SOLID;
    COLORREF color = 0;
    LONG hatch = 0;
    cairo_surface_t* pattern = nullptr;  // BS_PATTERN: a copy of the bitmap
};

struct Font : Object {
    Font() : Object(Kind::Font) {}
    LOGFONTW lf{};
};

struct Bitmap : Object {
    Bitmap() : Object(Kind::Bitmap) {}
    ~Bitmap() override;
    cairo_surface_t* surface = nullptr;  // ARGB32, premultiplied
    int bits_pixel = 32;                 // as reported (1, 8, 24 or 32)
    bool has_alpha = false;              // pixels carry their own alpha
    Dc* selected_in = nullptr;
};

struct Region : Object {
    Region() : Object(Kind::Region) {}
    std::vector<RECT> rects;  // disjoint, non-empty
};

struct Icon : Object {
    Icon() : Object(Kind::Icon) {}
    ~Icon() override;
    cairo_surface_t* surface = nullptr;  // ARGB32, premultiplied
    POINT hotspot{0, 0};
    bool cursor = false;
};

// Registers a new object and returns it as its handle.
void* Register(Object* object);
// The live object of a handle, or null (unknown, deleted, or of another kind).
Object* Lookup(const void* handle);
template <class T>
T* Lookup_As(const void* handle, Kind kind)
{
    Object* o = Lookup(handle);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
}
inline Pen* Pen_Of(const void* h) { return Lookup_As<Pen>(h, Kind::Pen); }
inline Brush* Brush_Of(const void* h) { return Lookup_As<Brush>(h, Kind::Brush); }
inline Font* Font_Of(const void* h) { return Lookup_As<Font>(h, Kind::Font); }
inline Bitmap* Bitmap_Of(const void* h) { return Lookup_As<Bitmap>(h, Kind::Bitmap); }
inline Region* Region_Of(const void* h) { return Lookup_As<Region>(h, Kind::Region); }
inline Icon* Icon_Of(const void* h) { return Lookup_As<Icon>(h, Kind::Icon); }
// Frees an object (unregisters it first).
void Destroy(Object* object);
// Called when an object leaves a context: frees it when its deletion was pending.
void Deselected(Object* object);

// A bitmap object over a new reference to the surface (ARGB32).
HBITMAP New_Bitmap(cairo_surface_t* surface, int bits_pixel, bool has_alpha);
// A new ARGB32 surface of opaque black.
cairo_surface_t* New_Opaque_Surface(int width, int height, COLORREF fill = 0);
// An icon object over a new reference to the surface.
HICON New_Icon(cairo_surface_t* surface, POINT hotspot, bool cursor);

// The attributes a context saves and restores.
struct Dc_Attributes {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr;
    COLORREF text_color = 0x000000;
    COLORREF bk_color = 0xFFFFFF;
    int bk_mode = OPAQUE;
    UINT text_align = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    int stretch_mode = BLACKONWHITE;
    int poly_fill_mode = ALTERNATE;
    POINT position{0, 0};
    POINT viewport_org{0, 0};
    POINT window_org{0, 0};
    POINT brush_org{0, 0};
    std::optional<std::vector<RECT>> clip;  // device coordinates; none = whole drawable area
};

struct Dc {
    enum class Type { Memory, Surface, Window };
    Type type = Type::Surface;
    cairo_surface_t* surface = nullptr;  // Surface and Window types (referenced)
    POINT origin{0, 0};                  // surface position of device (0,0)
    std::optional<RECT> bounds;          // Window type: drawable part in surface coordinates
    HWND hwnd = nullptr;
    Window_DC_Kind window_kind = Window_DC_Kind::Client;
    Dc_Attributes a;
    std::vector<Dc_Attributes> saved;
    CDC* permanent = nullptr;
    std::unique_ptr<CDC> temporary;
};

// The objects a context holds (alive while selected, even when their deletion is pending).
inline const Pen* Selected_Pen(const Dc_Attributes& a) { return static_cast<const Pen*>(static_cast<void*>(a.pen)); }
inline const Brush* Selected_Brush(const Dc_Attributes& a)
{
    return static_cast<const Brush*>(static_cast<void*>(a.brush));
}
inline const Font* Selected_Font(const Dc_Attributes& a) { return static_cast<const Font*>(static_cast<void*>(a.font)); }

Dc* Dc_Of(HDC hdc);
HDC New_Dc(Dc* dc);
void Delete_Dc(Dc* dc);

// The surface drawn on (the selected bitmap's for a memory context).
cairo_surface_t* Target(const Dc& dc);
// Logical to surface offset.
POINT Offset(const Dc& dc);
// The drawable area in surface coordinates: bounds (or the surface) cut by the clip.
std::vector<RECT> Clip_Rects(const Dc& dc);
RECT Drawable_Bounds(const Dc& dc);

// A cairo context on the target, clipped, translated so that logical coordinates apply,
// without antialiasing. Null when the context has nothing to draw on.
struct Painter {
    explicit Painter(const Dc& dc);
    ~Painter();
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;
    cairo_t* cr = nullptr;
    explicit operator bool() const { return cr != nullptr; }
};

// Paints the current path of a painter-like context with the colour under the mix mode
// rop2 (0: the context's; copy: cairo directly; other mixes: per pixel through a coverage
// mask). fill: fill the path, else stroke it. The path is consumed.
void Paint_Path(const Dc& dc, cairo_t* cr, COLORREF color, bool fill, int rop2 = 0);
// Fills the path with the brush (solid, hatched or pattern); consumes the path.
void Fill_Path_With_Brush(const Dc& dc, cairo_t* cr, const Brush* brush, int rop2 = 0);
// Fills a rectangle of logical coordinates with the brush (copy mix).
void Fill_Rect(const Dc& dc, const RECT& r, const Brush* brush);
// The brush of a handle, including the system-colour values (COLOR_* + 1) FillRect accepts.
Brush* Brush_Or_Sys_Color(HBRUSH hbr);
void Set_Source_Color(cairo_t* cr, COLORREF color);

// Per-pixel access to a surface within the clip: calls fn(pixel&, surface x, y) for every
// pixel of the surface rectangle that lies in the drawable area.
template <class Fn>
void For_Each_Pixel(const Dc& dc, RECT area, Fn fn);
// Applies the binary raster operation index (R2_* - 1) or ternary code to bytes.
uint32_t Mix2(int rop2, uint32_t pen, uint32_t dst);
uint32_t Mix3(uint8_t code, uint32_t pat, uint32_t src, uint32_t dst);
// COLORREF <-> pixel (opaque).
inline uint32_t Pixel_Of(COLORREF c)
{
    return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}
inline COLORREF Color_Of(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

bool Intersect(RECT& out, const RECT& a, const RECT& b);
inline bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

template <class Fn>
void For_Each_Pixel(const Dc& dc, RECT area, Fn fn)
{
    cairo_surface_t* s = Target(dc);
    if (!s) return;
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    if (!data) return;  // a surface that could not be made
    int stride = cairo_image_surface_get_stride(s);
    for (const RECT& c : Clip_Rects(dc)) {
        RECT r;
        if (!Intersect(r, c, area)) continue;
        for (int y = r.top; y < r.bottom; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
            for (int x = r.left; x < r.right; ++x) fn(row[x], x, y);
        }
    }
    cairo_surface_mark_dirty(s);
}

}  // namespace platform::gdi
