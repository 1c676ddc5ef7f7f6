// Block transfers (BitBlt, StretchBlt, TransparentBlt, AlphaBlend) and gradient fills.
//
// Every transfer first scales the source rectangle into a scratch image of the destination
// size (nearest pixel, or smoothed in HALFTONE mode), then composes it into the destination
// within its clip: SRCCOPY copies pixels as they are (alpha included), other raster
// operations mix colours bit by bit.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "mfc/gdi_internal.h"

using namespace platform::gdi;

namespace {

bool Uses_Source(DWORD rop) { return (((rop >> 2) ^ rop) & 0x00330000) != 0; }

// The source rectangle (device coordinates of the source) scaled to w x h; mirrored when the
// signs of the sizes differ. Parts outside the source surface are opaque black.
cairo_surface_t* Scaled_Source(const Dc& src, int sx, int sy, int sw, int sh, int w, int h, bool smooth)
{
    cairo_surface_t* out = New_Opaque_Surface(w, h);
    cairo_surface_t* s = Target(src);
    if (!s || sw == 0 || sh == 0) return out;
    POINT o = Offset(src);
    double x0 = sx + o.x, y0 = sy + o.y;
    cairo_t* cr = cairo_create(out);
    cairo_scale(cr, double(w) / sw, double(h) / sh);
    cairo_translate(cr, -x0, -y0);
    cairo_rectangle(cr, 0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, 0, 0);
    bool same_size = std::abs(w) == std::abs(sw) && std::abs(h) == std::abs(sh);
    cairo_pattern_set_filter(cairo_get_source(cr), smooth && !same_size ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return out;
}

struct Dest {
    RECT device;  // destination rectangle in device (surface) coordinates, normalized
    int w = 0, h = 0;
};

// Normalizes a destination; a negative size on one side only mirrors the source.
bool Prepare(const Dc& dst, int x, int y, int& w, int& h, int& sx, int& sy, int& sw, int& sh, Dest& d)
{
    if (w < 0) {
        x += w;
        w = -w;
        sx += sw;
        sw = -sw;
    }
    if (h < 0) {
        y += h;
        h = -h;
        sy += sh;
        sh = -sh;
    }
    if (w == 0 || h == 0) return false;
    POINT o = Offset(dst);
    d.device = {x + o.x, y + o.y, x + o.x + w, y + o.y + h};
    d.w = w;
    d.h = h;
    return true;
}

uint32_t Pixel_At(cairo_surface_t* s, int x, int y)
{
    const unsigned char* data = cairo_image_surface_get_data(s);
    return reinterpret_cast<const uint32_t*>(data + y * cairo_image_surface_get_stride(s))[x];
}

BOOL Transfer(HDC hdcDest, int x, int y, int w, int h, HDC hdcSrc, int sx, int sy, int sw, int sh, DWORD rop)
{
    Dc* dst = Dc_Of(hdcDest);
    if (!dst) return FALSE;
    const Brush* brush = Selected_Brush(dst->a);
    uint32_t pat = Pixel_Of(brush && brush->style != BS_NULL ? brush->color : 0);
    uint8_t code = uint8_t((rop >> 16) & 0xFF);
    if (!Uses_Source(rop)) {
        if (rop == PATCOPY) {
            Fill_Rect(*dst, {std::min(x, x + w), std::min(y, y + h), std::max(x, x + w), std::max(y, y + h)}, brush);
            return TRUE;
        }
        return PatBlt(hdcDest, x, y, w, h, rop);
    }
    Dc* src = Dc_Of(hdcSrc);
    if (!src) return FALSE;
    Dest d;
    if (!Prepare(*dst, x, y, w, h, sx, sy, sw, sh, d)) return TRUE;
    cairo_surface_t* t = Scaled_Source(*src, sx, sy, sw, sh, d.w, d.h, dst->a.stretch_mode == HALFTONE);
    cairo_surface_flush(t);
    if (rop == SRCCOPY) {
        Painter p(*dst);
        if (p) {
            cairo_identity_matrix(p.cr);
            cairo_set_source_surface(p.cr, t, d.device.left, d.device.top);
            cairo_rectangle(p.cr, d.device.left, d.device.top, d.w, d.h);
            cairo_set_operator(p.cr, CAIRO_OPERATOR_SOURCE);
            cairo_fill(p.cr);
        }
    } else {
        For_Each_Pixel(*dst, d.device, [&](uint32_t& p, int px, int py) {
            p = Mix3(code, pat, Pixel_At(t, px - d.device.left, py - d.device.top), p);
        });
    }
    cairo_surface_destroy(t);
    return TRUE;
}

uint32_t Blend_Vertex(const TRIVERTEX& a, const TRIVERTEX& b, long long i, long long n)
{
    auto mix = [&](COLOR16 ca, COLOR16 cb) {
        long long v = ca + (n > 0 ? (static_cast<long long>(cb) - ca) * i / n : 0);
        return uint32_t(std::clamp(v, 0LL, 0xFFFFLL)) >> 8;
    };
    return 0xFF000000u | (mix(a.Red, b.Red) << 16) | (mix(a.Green, b.Green) << 8) | mix(a.Blue, b.Blue);
}

void Gradient_Rect(const Dc& dc, const TRIVERTEX& v1, const TRIVERTEX& v2, bool vertical)
{
    const TRIVERTEX& lo = vertical ? (v1.y <= v2.y ? v1 : v2) : (v1.x <= v2.x ? v1 : v2);
    const TRIVERTEX& hi = &lo == &v1 ? v2 : v1;
    RECT r{std::min(v1.x, v2.x), std::min(v1.y, v2.y), std::max(v1.x, v2.x), std::max(v1.y, v2.y)};
    POINT o = Offset(dc);
    RECT d{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
    long long n = vertical ? r.bottom - r.top : r.right - r.left;
    For_Each_Pixel(dc, d, [&](uint32_t& p, int x, int y) {
        long long i = vertical ? y - d.top : x - d.left;
        p = Blend_Vertex(lo, hi, i, n);
    });
}

void Gradient_Triangle(const Dc& dc, const TRIVERTEX& a, const TRIVERTEX& b, const TRIVERTEX& c)
{
    double det = double(b.y - c.y) * (a.x - c.x) + double(c.x - b.x) * (a.y - c.y);
    if (det == 0) return;
    POINT o = Offset(dc);
    RECT box{std::min({a.x, b.x, c.x}) + o.x, std::min({a.y, b.y, c.y}) + o.y, std::max({a.x, b.x, c.x}) + o.x + 1,
             std::max({a.y, b.y, c.y}) + o.y + 1};
    For_Each_Pixel(dc, box, [&](uint32_t& p, int x, int y) {
        double px = x - o.x, py = y - o.y;
        double wa = (double(b.y - c.y) * (px - c.x) + double(c.x - b.x) * (py - c.y)) / det;
        double wb = (double(c.y - a.y) * (px - c.x) + double(a.x - c.x) * (py - c.y)) / det;
        double wc = 1.0 - wa - wb;
        const double eps = -1e-9;
        if (wa < eps || wb < eps || wc < eps) return;
        auto mix = [&](COLOR16 ca, COLOR16 cb, COLOR16 cc) {
            return uint32_t(std::clamp(wa * ca + wb * cb + wc * cc, 0.0, 65535.0)) >> 8;
        };
        p = 0xFF000000u | (mix(a.Red, b.Red, c.Red) << 16) | (mix(a.Green, b.Green, c.Green) << 8) |
            mix(a.Blue, b.Blue, c.Blue);
    });
}

}  // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return Transfer(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop)
{
    return Transfer(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent)
{
    Dc* dst = Dc_Of(hdcDest);
    Dc* src = Dc_Of(hdcSrc);
    if (!dst || !src || wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    Dest d;
    if (!Prepare(*dst, xoriginDest, yoriginDest, wDest, hDest, xoriginSrc, yoriginSrc, wSrc, hSrc, d)) return TRUE;
    cairo_surface_t* t = Scaled_Source(*src, xoriginSrc, yoriginSrc, wSrc, hSrc, d.w, d.h, false);
    cairo_surface_flush(t);
    uint32_t key = Pixel_Of(crTransparent) & 0x00FFFFFFu;
    For_Each_Pixel(*dst, d.device, [&](uint32_t& p, int px, int py) {
        uint32_t s = Pixel_At(t, px - d.device.left, py - d.device.top);
        if ((s & 0x00FFFFFFu) != key) p = s | 0xFF000000u;
    });
    cairo_surface_destroy(t);
    return TRUE;
}

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn)
{
    Dc* dst = Dc_Of(hdcDest);
    Dc* src = Dc_Of(hdcSrc);
    if (!dst || !src || ftn.BlendOp != AC_SRC_OVER) return FALSE;
    if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return FALSE;
    // The source rectangle must lie inside the source surface.
    cairo_surface_t* s = Target(*src);
    POINT so = Offset(*src);
    if (!s || xoriginSrc + so.x < 0 || yoriginSrc + so.y < 0 ||
        xoriginSrc + so.x + wSrc > cairo_image_surface_get_width(s) ||
        yoriginSrc + so.y + hSrc > cairo_image_surface_get_height(s))
        return FALSE;
    Dest d;
    if (!Prepare(*dst, xoriginDest, yoriginDest, wDest, hDest, xoriginSrc, yoriginSrc, wSrc, hSrc, d)) return TRUE;
    cairo_surface_t* t = Scaled_Source(*src, xoriginSrc, yoriginSrc, wSrc, hSrc, d.w, d.h, true);
    if (!(ftn.AlphaFormat & AC_SRC_ALPHA)) {
        // Without per-pixel alpha the source counts as opaque.
        cairo_surface_flush(t);
        unsigned char* data = cairo_image_surface_get_data(t);
        int stride = cairo_image_surface_get_stride(t);
        for (int yy = 0; yy < d.h; ++yy)
            for (int xx = 0; xx < d.w; ++xx) reinterpret_cast<uint32_t*>(data + yy * stride)[xx] |= 0xFF000000u;
        cairo_surface_mark_dirty(t);
    }
    {
        Painter p(*dst);
        if (p) {
            cairo_identity_matrix(p.cr);
            cairo_rectangle(p.cr, d.device.left, d.device.top, d.w, d.h);
            cairo_clip(p.cr);
            cairo_set_source_surface(p.cr, t, d.device.left, d.device.top);
            cairo_set_operator(p.cr, CAIRO_OPERATOR_OVER);
            cairo_paint_with_alpha(p.cr, ftn.SourceConstantAlpha / 255.0);
        }
    }
    cairo_surface_destroy(t);
    return TRUE;
}

BOOL GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode)
{
    Dc* dc = Dc_Of(hdc);
    if (!dc || !pVertex || !pMesh) return FALSE;
    if (ulMode == GRADIENT_FILL_RECT_H || ulMode == GRADIENT_FILL_RECT_V) {
        auto* rects = static_cast<const GRADIENT_RECT*>(pMesh);
        for (ULONG i = 0; i < nMesh; ++i)
            if (rects[i].UpperLeft >= nVertex || rects[i].LowerRight >= nVertex) return FALSE;
        for (ULONG i = 0; i < nMesh; ++i)
            Gradient_Rect(*dc, pVertex[rects[i].UpperLeft], pVertex[rects[i].LowerRight],
                          ulMode == GRADIENT_FILL_RECT_V);
        return TRUE;
    }
    if (ulMode == GRADIENT_FILL_TRIANGLE) {
        auto* tris = static_cast<const GRADIENT_TRIANGLE*>(pMesh);
        for (ULONG i = 0; i < nMesh; ++i)
            if (tris[i].Vertex1 >= nVertex || tris[i].Vertex2 >= nVertex || tris[i].Vertex3 >= nVertex) return FALSE;
        for (ULONG i = 0; i < nMesh; ++i)
            Gradient_Triangle(*dc, pVertex[tris[i].Vertex1], pVertex[tris[i].Vertex2], pVertex[tris[i].Vertex3]);
        return TRUE;
    }
    return FALSE;
}
