// Lines, shapes, rectangle fills, edges and pixels.
//
// Pixel rules: a 1-pixel line covers the pixels from its start up to, not including, its
// end; Rectangle, Ellipse and RoundRect cover [left, right) x [top, bottom) with the
// outline in the outermost pixels; FillRect fills exactly [left, right) x [top, bottom).
#include <algorithm>
#include <cmath>

#include "mfc/gdi_internal.h"

using namespace platform::gdi;

namespace platform::gdi {

Brush* Brush_Or_Sys_Color(HBRUSH hbr)
{
    auto value = reinterpret_cast<uintptr_t>(hbr);
    if (value > 0 && value <= COLOR_MENUBAR + 1) return Brush_Of(GetSysColorBrush(int(value) - 1));
    return Brush_Of(hbr);
}

}  // namespace platform::gdi

namespace {

const double kPi = 3.14159265358979323846;

// Prepares the stroke of the selected pen; false for the null pen.
bool Set_Pen(const Dc& dc, cairo_t* cr, const Pen*& pen)
{
    pen = Selected_Pen(dc.a);
    if (!pen || (pen->style & PS_STYLE_MASK) == PS_NULL) return false;
    cairo_set_line_width(cr, std::max(pen->width, 1));
    return true;
}

void Set_Dashes(cairo_t* cr, UINT style)
{
    static const double dash[] = {18, 6}, dot[] = {3, 3}, dashdot[] = {9, 6, 3, 6}, dashdotdot[] = {9, 3, 3, 3, 3, 3};
    switch (style & PS_STYLE_MASK) {
    case PS_DASH: cairo_set_dash(cr, dash, 2, 0); break;
    case PS_DOT: cairo_set_dash(cr, dot, 2, 0); break;
    case PS_DASHDOT: cairo_set_dash(cr, dashdot, 4, 0); break;
    case PS_DASHDOTDOT: cairo_set_dash(cr, dashdotdot, 6, 0); break;
    default: cairo_set_dash(cr, nullptr, 0, 0); break;
    }
}

bool Is_Styled(const Pen& pen)
{
    UINT s = pen.style & PS_STYLE_MASK;
    return pen.width <= 1 && s >= PS_DASH && s <= PS_DASHDOTDOT;
}

// Strokes the current path with the pen: styled pens show the background colour in
// their gaps when the background mode is opaque.
void Stroke(const Dc& dc, cairo_t* cr, const Pen& pen)
{
    if (Is_Styled(pen)) {
        if (dc.a.bk_mode == OPAQUE) {
            cairo_path_t* path = cairo_copy_path(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
            Paint_Path(dc, cr, dc.a.bk_color, false);
            cairo_append_path(cr, path);
            cairo_path_destroy(path);
        }
        Set_Dashes(cr, pen.style);
    }
    Paint_Path(dc, cr, pen.color, false);
    cairo_set_dash(cr, nullptr, 0, 0);
}

// A thin segment from a to b that leaves out the pixel of b.
void Thin_Segment(cairo_t* cr, POINT a, POINT b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::hypot(dx, dy);
    if (len == 0) return;
    dx /= len;
    dy /= len;
    cairo_move_to(cr, a.x + 0.5 - 0.5 * dx, a.y + 0.5 - 0.5 * dy);
    cairo_line_to(cr, b.x + 0.5 - 0.5 * dx, b.y + 0.5 - 0.5 * dy);
}

// The open polyline in the pen's style: thin pens segment by segment (each without its end
// pixel), wide pens as one path with round ends and joins.
BOOL Draw_Polyline(HDC hdc, const POINT* pts, int n)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !pts || n < 2) return FALSE;
    Painter p(*dc);
    const Pen* pen = nullptr;
    if (!p || !Set_Pen(*dc, p.cr, pen)) return TRUE;
    if (pen->width <= 1) {
        cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_BUTT);
        for (int i = 1; i < n; ++i) Thin_Segment(p.cr, pts[i - 1], pts[i]);
    } else {
        double c = (pen->width % 2) ? 0.5 : 0.0;
        cairo_set_line_cap(p.cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(p.cr, CAIRO_LINE_JOIN_ROUND);
        cairo_move_to(p.cr, pts[0].x + c, pts[0].y + c);
        for (int i = 1; i < n; ++i) cairo_line_to(p.cr, pts[i].x + c, pts[i].y + c);
    }
    Stroke(*dc, p.cr, *pen);
    return TRUE;
}

// Fills the path with the selected brush, then outlines it with the selected pen.
template <class Path>
BOOL Fill_And_Frame(HDC hdc, Path path, bool fill = true)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    Painter p(*dc);
    if (!p) return TRUE;
    cairo_set_fill_rule(p.cr, dc->a.poly_fill_mode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    if (fill) {
        path(p.cr);
        Fill_Path_With_Brush(*dc, p.cr, Selected_Brush(dc->a));
    }
    const Pen* pen = nullptr;
    if (Set_Pen(*dc, p.cr, pen)) {
        cairo_set_line_join(p.cr, pen->width > 1 ? CAIRO_LINE_JOIN_MITER : CAIRO_LINE_JOIN_MITER);
        path(p.cr);
        Stroke(*dc, p.cr, *pen);
    }
    return TRUE;
}

RECT Normalized(int l, int t, int r, int b) { return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)}; }

void Ellipse_Path(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    if (rx <= 0 || ry <= 0) return;
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Round_Rect_Path(cairo_t* cr, double l, double t, double r, double b, double rx, double ry)
{
    rx = std::min(rx, (r - l) / 2);
    ry = std::min(ry, (b - t) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, l, t, r - l, b - t);
        return;
    }
    auto corner = [&](double cx, double cy, double a0) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, a0, a0 + kPi / 2);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(r - rx, t + ry, -kPi / 2);
    corner(r - rx, b - ry, 0);
    corner(l + rx, b - ry, kPi / 2);
    corner(l + rx, t + ry, kPi);
    cairo_close_path(cr);
}

// Arc, chord and pie share the angle rule: counterclockwise on screen from the start radial
// to the end radial.
BOOL Arc_Figure(HDC hdc, int l, int t, int r, int b, int x1, int y1, int x2, int y2, bool pie)
{
    RECT box = Normalized(l, t, r, b);
    double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    double rx = (box.right - box.left - 1) / 2.0, ry = (box.bottom - box.top - 1) / 2.0;
    if (rx <= 0 || ry <= 0) return FALSE;
    double a1 = std::atan2((y1 - cy) / ry, (x1 - cx) / rx);
    double a2 = std::atan2((y2 - cy) / ry, (x2 - cx) / rx);
    if (a2 >= a1) a2 -= 2 * kPi;
    auto path = [&](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        if (pie) cairo_move_to(cr, 0, 0);
        cairo_arc_negative(cr, 0, 0, 1, a1, a2);
        if (pie) cairo_close_path(cr);
        cairo_restore(cr);
    };
    return Fill_And_Frame(hdc, path, pie);
}

void Fill_Device_Rect(const Dc& dc, RECT r, COLORREF c)
{
    For_Each_Pixel(dc, r, [&](uint32_t& p, int, int) { p = Pixel_Of(c); });
}

RECT To_Device(const Dc& dc, const RECT& r)
{
    POINT o = Offset(dc);
    return {r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    if (lppt) *lppt = dc->a.position;
    dc->a.position = {x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !lppt) return FALSE;
    *lppt = dc->a.position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    POINT pts[2] = {dc->a.position, {x, y}};
    Draw_Polyline(hdc, pts, 2);
    dc->a.position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) { return Draw_Polyline(hdc, apt, cpt); }

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !apt || cpt == 0) return FALSE;
    std::vector<POINT> pts{dc->a.position};
    pts.insert(pts.end(), apt, apt + cpt);
    Draw_Polyline(hdc, pts.data(), int(pts.size()));
    dc->a.position = apt[cpt - 1];
    return TRUE;
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt)
{
    if (!apt || cpt < 2) return FALSE;
    return Fill_And_Frame(hdc, [&](cairo_t* cr) {
        cairo_move_to(cr, apt[0].x + 0.5, apt[0].y + 0.5);
        for (int i = 1; i < cpt; ++i) cairo_line_to(cr, apt[i].x + 0.5, apt[i].y + 0.5);
        cairo_close_path(cr);
    });
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    RECT r = Normalized(left, top, right, bottom);
    if (r.right - r.left < 2 || r.bottom - r.top < 2) return TRUE;
    {
        // The interior without the right and bottom edges (the pen draws over the rest).
        Painter p(*dc);
        if (p) {
            cairo_rectangle(p.cr, r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
            Fill_Path_With_Brush(*dc, p.cr, Selected_Brush(dc->a));
        }
    }
    return Fill_And_Frame(
        hdc,
        [&](cairo_t* cr) {
            cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.right - r.left - 1, r.bottom - r.top - 1);
        },
        false);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height)
{
    RECT r = Normalized(left, top, right, bottom);
    return Fill_And_Frame(hdc, [&](cairo_t* cr) {
        Round_Rect_Path(cr, r.left + 0.5, r.top + 0.5, r.right - 0.5, r.bottom - 0.5, width / 2.0, height / 2.0);
    });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    RECT r = Normalized(left, top, right, bottom);
    return Fill_And_Frame(hdc, [&](cairo_t* cr) {
        Ellipse_Path(cr, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, (r.right - r.left - 1) / 2.0,
                     (r.bottom - r.top - 1) / 2.0);
    });
}

BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return Arc_Figure(hdc, x1, y1, x2, y2, x3, y3, x4, y4, false);
}

BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2)
{
    return Arc_Figure(hdc, left, top, right, bottom, xr1, yr1, xr2, yr2, true);
}

namespace platform::gdi {

void Fill_Rect(const Dc& dc, const RECT& r, const Brush* brush)
{
    if (r.left >= r.right || r.top >= r.bottom) return;
    Painter p(dc);
    if (!p) return;
    cairo_rectangle(p.cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
    Fill_Path_With_Brush(dc, p.cr, brush, R2_COPYPEN);
}

}  // namespace platform::gdi

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    Dc* dc = Dc_Of(hDC);
    Brush* brush = Brush_Or_Sys_Color(hbr);
    if (!dc || !lprc || !brush) return 0;
    Fill_Rect(*dc, *lprc, brush);
    return 1;
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr)
{
    if (!lprc) return 0;
    const RECT& r = *lprc;
    if (r.left >= r.right || r.top >= r.bottom) return Dc_Of(hDC) && Brush_Or_Sys_Color(hbr) ? 1 : 0;
    RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                    {r.left, r.bottom - 1, r.right, r.bottom},
                    {r.left, r.top, r.left + 1, r.bottom},
                    {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& s : sides)
        if (!FillRect(hDC, &s, hbr)) return 0;
    return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc)
{
    Dc* dc = Dc_Of(hDC);
    if (!dc || !lprc) return FALSE;
    For_Each_Pixel(*dc, To_Device(*dc, *lprc), [](uint32_t& p, int, int) { p = (p ^ 0x00FFFFFFu) | 0xFF000000u; });
    return TRUE;
}

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr)
{
    Region* r = Region_Of(hrgn);
    if (!r || !Dc_Of(hdc) || !Brush_Or_Sys_Color(hbr)) return FALSE;
    for (const RECT& rc : r->rects) FillRect(hdc, &rc, hbr);
    return TRUE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h)
{
    Dc* dc = Dc_Of(hdc);
    Region* r = Region_Of(hrgn);
    Brush* brush = Brush_Or_Sys_Color(hbr);
    if (!dc || !r || !brush) return FALSE;
    // A pixel of the region lies on its frame when a pixel w across or h down is outside it.
    POINT o = Offset(*dc);
    for (const RECT& rc : r->rects)
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x) {
                bool edge = false;
                for (int d = 1; d <= std::max(w, h) && !edge; ++d)
                    edge = (d <= w && (!PtInRegion(hrgn, x - d, y) || !PtInRegion(hrgn, x + d, y))) ||
                           (d <= h && (!PtInRegion(hrgn, x, y - d) || !PtInRegion(hrgn, x, y + d)));
                if (edge) Fill_Device_Rect(*dc, {x + o.x, y + o.y, x + o.x + 1, y + o.y + 1}, brush->color);
            }
    return TRUE;
}

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !qrc) return FALSE;
    RECT r = *qrc;
    struct Layer {
        UINT raised, sunken;
        COLORREF raised_tl, raised_br, sunken_tl, sunken_br;
    };
    const Layer layers[] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW),
         GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
         GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)},
    };
    for (int i = 0; i < 2; ++i) {
        const Layer& layer = layers[i];
        bool raised = edge & layer.raised, sunken = edge & layer.sunken;
        if (!raised && !sunken) continue;
        COLORREF tl = raised ? layer.raised_tl : layer.sunken_tl;
        COLORREF br = raised ? layer.raised_br : layer.sunken_br;
        if (grfFlags & BF_FLAT) tl = br = GetSysColor(i == 0 ? COLOR_BTNSHADOW : COLOR_BTNFACE);
        if (grfFlags & BF_MONO) tl = br = GetSysColor(i == 0 ? COLOR_WINDOWFRAME : COLOR_WINDOW);
        RECT d = To_Device(*dc, r);
        if (grfFlags & BF_LEFT) Fill_Device_Rect(*dc, {d.left, d.top, d.left + 1, d.bottom}, tl);
        if (grfFlags & BF_TOP) Fill_Device_Rect(*dc, {d.left, d.top, d.right, d.top + 1}, tl);
        if (grfFlags & BF_RIGHT) Fill_Device_Rect(*dc, {d.right - 1, d.top, d.right, d.bottom}, br);
        if (grfFlags & BF_BOTTOM) Fill_Device_Rect(*dc, {d.left, d.bottom - 1, d.right, d.bottom}, br);
        if (grfFlags & BF_LEFT) ++r.left;
        if (grfFlags & BF_TOP) ++r.top;
        if (grfFlags & BF_RIGHT) --r.right;
        if (grfFlags & BF_BOTTOM) --r.bottom;
    }
    if (grfFlags & BF_MIDDLE) Fill_Device_Rect(*dc, To_Device(*dc, r), GetSysColor(COLOR_BTNFACE));
    if (grfFlags & BF_ADJUST) *qrc = r;
    return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc)
{
    Dc* dc = Dc_Of(hDC);
    if (!dc || !lprc) return FALSE;
    RECT d = To_Device(*dc, *lprc);
    if (Empty(d)) return TRUE;
    // Every other pixel of the outline is inverted, so drawing it twice removes it.
    For_Each_Pixel(*dc, d, [&](uint32_t& p, int x, int y) {
        bool outline = x == d.left || x == d.right - 1 || y == d.top || y == d.bottom - 1;
        if (outline && ((x + y) % 2 == 0)) p = (p ^ 0x00FFFFFFu) | 0xFF000000u;
    });
    return TRUE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return CLR_INVALID;
    POINT o = Offset(*dc);
    bool done = false;
    For_Each_Pixel(*dc, {x + o.x, y + o.y, x + o.x + 1, y + o.y + 1}, [&](uint32_t& p, int, int) {
        p = Pixel_Of(color);
        done = true;
    });
    return done ? (color & 0x00FFFFFF) : CLR_INVALID;
}

COLORREF GetPixel(HDC hdc, int x, int y)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return CLR_INVALID;
    POINT o = Offset(*dc);
    COLORREF c = CLR_INVALID;
    For_Each_Pixel(*dc, {x + o.x, y + o.y, x + o.x + 1, y + o.y + 1}, [&](uint32_t& p, int, int) { c = Color_Of(p); });
    return c;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc) return FALSE;
    RECT r = Normalized(x, y, x + w, y + h);
    const Brush* brush = Selected_Brush(dc->a);
    if (rop == PATCOPY) {
        Fill_Rect(*dc, r, brush);
        return TRUE;
    }
    uint32_t pat = Pixel_Of(brush && brush->style != BS_NULL ? brush->color : 0);
    uint8_t code = uint8_t((rop >> 16) & 0xFF);
    For_Each_Pixel(*dc, To_Device(*dc, r), [&](uint32_t& p, int, int) { p = Mix3(code, pat, 0, p); });
    return TRUE;
}
