// Regions as sets of disjoint rectangles; round and elliptic regions are built row by row.
#include <algorithm>
#include <cmath>

#include "mfc/gdi_internal.h"
#include "mfc/gdi_region.h"

namespace platform::gdi {

std::vector<RECT> Subtract(const RECT& a, const RECT& b)
{
    RECT i;
    if (!Intersect(i, a, b)) return {a};
    std::vector<RECT> out;
    if (a.top < i.top) out.push_back({a.left, a.top, a.right, i.top});
    if (i.bottom < a.bottom) out.push_back({a.left, i.bottom, a.right, a.bottom});
    if (a.left < i.left) out.push_back({a.left, i.top, i.left, i.bottom});
    if (i.right < a.right) out.push_back({i.right, i.top, a.right, i.bottom});
    return out;
}

std::vector<RECT> Subtract(const std::vector<RECT>& a, const RECT& b)
{
    std::vector<RECT> out;
    for (const RECT& r : a)
        for (const RECT& piece : Subtract(r, b)) out.push_back(piece);
    return out;
}

std::vector<RECT> Intersect(const std::vector<RECT>& a, const std::vector<RECT>& b)
{
    std::vector<RECT> out;
    for (const RECT& ra : a)
        for (const RECT& rb : b) {
            RECT i;
            if (Intersect(i, ra, rb)) out.push_back(i);
        }
    return out;
}

std::vector<RECT> Unite(const std::vector<RECT>& a, const std::vector<RECT>& b)
{
    std::vector<RECT> out = a;
    for (const RECT& r : b) {
        std::vector<RECT> rest{r};
        for (const RECT& ra : a) rest = Subtract(rest, ra);
        out.insert(out.end(), rest.begin(), rest.end());
    }
    return out;
}

RECT Bounding_Box(const std::vector<RECT>& rects)
{
    if (rects.empty()) return {0, 0, 0, 0};
    RECT box = rects.front();
    for (const RECT& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

int Region_Type(const std::vector<RECT>& rects)
{
    return rects.empty() ? NULLREGION : rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace platform::gdi

using namespace platform::gdi;

namespace {

HRGN New_Region(std::vector<RECT> rects)
{
    auto* r = new Region();
    for (const RECT& rc : rects)
        if (!Empty(rc)) r->rects.push_back(rc);
    return static_cast<HRGN>(Register(r));
}

RECT Normalized(int x1, int y1, int x2, int y2)
{
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// One rectangle per pixel row of a rectangle with elliptic corners of the given diameters.
HRGN Rounded_Region(RECT box, int ew, int eh)
{
    ew = std::min(std::abs(ew), int(box.right - box.left));
    eh = std::min(std::abs(eh), int(box.bottom - box.top));
    std::vector<RECT> rows;
    double rx = ew / 2.0, ry = eh / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
        double cy = y + 0.5;
        double inset = 0.0;
        if (ry > 0 && rx > 0) {
            double dy = 0.0;
            if (cy < box.top + ry) dy = box.top + ry - cy;
            else if (cy > box.bottom - ry) dy = cy - (box.bottom - ry);
            if (dy > 0) inset = rx - rx * std::sqrt(std::max(0.0, 1.0 - (dy * dy) / (ry * ry)));
        }
        int in = int(std::lround(inset));
        RECT r{box.left + in, y, box.right - in, y + 1};
        if (!Empty(r)) {
            if (!rows.empty() && rows.back().left == r.left && rows.back().right == r.right &&
                rows.back().bottom == y)
                rows.back().bottom = y + 1;
            else rows.push_back(r);
        }
    }
    return New_Region(rows);
}

}  // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return New_Region({Normalized(x1, y1, x2, y2)}); }

HRGN CreateRectRgnIndirect(const RECT* lprect)
{
    return lprect ? CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    return Rounded_Region(Normalized(x1, y1, x2, y2), w, h);
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    RECT box = Normalized(x1, y1, x2, y2);
    return Rounded_Region(box, box.right - box.left, box.bottom - box.top);
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect)
{
    return lprect ? CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom) : nullptr;
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom)
{
    Region* r = Region_Of(hrgn);
    if (!r) return FALSE;
    r->rects.clear();
    RECT rc = Normalized(left, top, right, bottom);
    if (!Empty(rc)) r->rects.push_back(rc);
    return TRUE;
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    Region* dst = Region_Of(hrgnDst);
    Region* a = Region_Of(hrgnSrc1);
    Region* b = Region_Of(hrgnSrc2);
    if (!dst || !a || (iMode != RGN_COPY && !b)) return ERROR;
    std::vector<RECT> out;
    switch (iMode) {
    case RGN_COPY: out = a->rects; break;
    case RGN_AND: out = Intersect(a->rects, b->rects); break;
    case RGN_OR: out = Unite(a->rects, b->rects); break;
    case RGN_DIFF: {
        out = a->rects;
        for (const RECT& r : b->rects) out = Subtract(out, r);
        break;
    }
    case RGN_XOR: {
        std::vector<RECT> ab = a->rects, ba = b->rects;
        for (const RECT& r : b->rects) ab = Subtract(ab, r);
        for (const RECT& r : a->rects) ba = Subtract(ba, r);
        out = ab;
        out.insert(out.end(), ba.begin(), ba.end());
        break;
    }
    default: return ERROR;
    }
    dst->rects = std::move(out);
    return Region_Type(dst->rects);
}

int OffsetRgn(HRGN hrgn, int x, int y)
{
    Region* r = Region_Of(hrgn);
    if (!r) return ERROR;
    for (RECT& rc : r->rects) {
        rc.left += x;
        rc.right += x;
        rc.top += y;
        rc.bottom += y;
    }
    return Region_Type(r->rects);
}

int GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    Region* r = Region_Of(hrgn);
    if (!r || !lprc) return ERROR;
    *lprc = Bounding_Box(r->rects);
    return Region_Type(r->rects);
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    Region* r = Region_Of(hrgn);
    if (!r) return FALSE;
    for (const RECT& rc : r->rects)
        if (x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom) return TRUE;
    return FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect)
{
    Region* r = Region_Of(hrgn);
    if (!r || !lprect) return FALSE;
    RECT probe = Normalized(lprect->left, lprect->top, lprect->right, lprect->bottom);
    for (const RECT& rc : r->rects) {
        RECT i;
        if (Intersect(i, rc, probe)) return TRUE;
    }
    return FALSE;
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2)
{
    Region* a = Region_Of(hrgn1);
    Region* b = Region_Of(hrgn2);
    if (!a || !b) return ERROR;
    std::vector<RECT> ab = a->rects, ba = b->rects;
    for (const RECT& r : b->rects) ab = Subtract(ab, r);
    for (const RECT& r : a->rects) ba = Subtract(ba, r);
    return ab.empty() && ba.empty();
}
