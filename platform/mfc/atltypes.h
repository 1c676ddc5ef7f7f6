// CPoint, CSize and CRect: the framework's value classes over POINT, SIZE and RECT.
// Rectangles follow Windows: right and bottom are exclusive; nothing is normalized
// unless NormalizeRect is called.
#pragma once

#include <algorithm>

#include "win/win_types.h"

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT pt) : POINT(pt) {}
    CPoint(SIZE sz) : POINT{sz.cx, sz.cy} {}
    explicit CPoint(LPARAM dwPoint) : POINT{(short)LOWORD(dwPoint), (short)HIWORD(dwPoint)} {}

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    void Offset(POINT pt) { Offset(pt.x, pt.y); }
    void SetPoint(int X, int Y) { x = X; y = Y; }
    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    void operator+=(POINT pt) { Offset(pt); }
    void operator-=(POINT pt) { Offset(-pt.x, -pt.y); }
    void operator+=(SIZE sz) { Offset(sz.cx, sz.cy); }
    void operator-=(SIZE sz) { Offset(-sz.cx, -sz.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
    CPoint operator+(SIZE sz) const { return CPoint(x + sz.cx, y + sz.cy); }
    CPoint operator-(SIZE sz) const { return CPoint(x - sz.cx, y - sz.cy); }
    inline CSize operator-(POINT pt) const;
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
    CSize(SIZE sz) : SIZE(sz) {}
    CSize(POINT pt) : SIZE{pt.x, pt.y} {}

    void SetSize(int CX, int CY) { cx = CX; cy = CY; }
    bool operator==(SIZE sz) const { return cx == sz.cx && cy == sz.cy; }
    bool operator!=(SIZE sz) const { return !(*this == sz); }
    void operator+=(SIZE sz) { cx += sz.cx; cy += sz.cy; }
    void operator-=(SIZE sz) { cx -= sz.cx; cy -= sz.cy; }
    CSize operator+(SIZE sz) const { return CSize(cx + sz.cx, cy + sz.cy); }
    CSize operator-(SIZE sz) const { return CSize(cx - sz.cx, cy - sz.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

inline CSize CPoint::operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}
    CRect(LPCRECT lprc) : RECT(*lprc) {}
    CRect(POINT pt, SIZE sz) : RECT{pt.x, pt.y, pt.x + sz.cx, pt.y + sz.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() { return *(reinterpret_cast<CPoint*>(this) + 1); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const { return *(reinterpret_cast<const CPoint*>(this) + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    bool IsRectEmpty() const { return left >= right || top >= bottom; }
    bool IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    bool PtInRect(POINT pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }
    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT lprc) { *static_cast<RECT*>(this) = *lprc; }
    bool EqualRect(LPCRECT lprc) const
    {
        return left == lprc->left && top == lprc->top && right == lprc->right && bottom == lprc->bottom;
    }

    void InflateRect(int x, int y) { left -= x; top -= y; right += x; bottom += y; }
    void InflateRect(SIZE sz) { InflateRect(sz.cx, sz.cy); }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void InflateRect(LPCRECT lprc) { InflateRect(lprc->left, lprc->top, lprc->right, lprc->bottom); }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE sz) { InflateRect(-sz.cx, -sz.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void DeflateRect(LPCRECT lprc) { DeflateRect(lprc->left, lprc->top, lprc->right, lprc->bottom); }
    void OffsetRect(int x, int y) { left += x; right += x; top += y; bottom += y; }
    void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE sz) { OffsetRect(sz.cx, sz.cy); }
    void MoveToX(int x) { right = x + Width(); left = x; }
    void MoveToY(int y) { bottom = y + Height(); top = y; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT pt) { MoveToXY(pt.x, pt.y); }
    void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }

    // False (and an empty rectangle) when the two do not overlap.
    bool IntersectRect(LPCRECT a, LPCRECT b)
    {
        SetRect(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                std::min(a->bottom, b->bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }
    // The smallest rectangle holding both; empty inputs are left out.
    bool UnionRect(LPCRECT a, LPCRECT b)
    {
        const CRect ra(*a), rb(*b);
        if (ra.IsRectEmpty()) *this = rb;
        else if (rb.IsRectEmpty()) *this = ra;
        else SetRect(std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
                     std::max(ra.bottom, rb.bottom));
        if (IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        return true;
    }

    bool operator==(const RECT& rc) const { return EqualRect(&rc); }
    bool operator!=(const RECT& rc) const { return !EqualRect(&rc); }
    void operator+=(POINT pt) { OffsetRect(pt); }
    void operator-=(POINT pt) { OffsetRect(-pt.x, -pt.y); }
    void operator+=(SIZE sz) { OffsetRect(sz); }
    void operator-=(SIZE sz) { OffsetRect(-sz.cx, -sz.cy); }
    void operator&=(const RECT& rc) { IntersectRect(this, &rc); }
    void operator|=(const RECT& rc) { UnionRect(this, &rc); }
    CRect operator+(POINT pt) const { CRect r(*this); r.OffsetRect(pt); return r; }
    CRect operator-(POINT pt) const { CRect r(*this); r.OffsetRect(-pt.x, -pt.y); return r; }
    CRect operator&(const RECT& rc) const { CRect r; r.IntersectRect(this, &rc); return r; }
    CRect operator|(const RECT& rc) const { CRect r; r.UnionRect(this, &rc); return r; }
};
