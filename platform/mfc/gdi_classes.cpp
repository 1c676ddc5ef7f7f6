// The framework's drawing classes over the GDI functions.
#include <cwchar>

#include "mfc/afxwin.h"
#include "mfc/gdi_internal.h"

using namespace platform::gdi;

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

// --- CGdiObject ----------------------------------------------------------------------------

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    Object* o = Lookup(hObject);
    if (!o || m_hObject) return FALSE;
    m_hObject = hObject;
    o->permanent = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (Object* o = Lookup(h); o && o->permanent == this) o->permanent = nullptr;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObjectW(m_hObject, nCount, lpObject); }

UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject)
{
    Object* o = Lookup(hObject);
    if (!o) return nullptr;
    if (o->permanent) return o->permanent;
    if (!o->temporary) {
        CGdiObject* w = nullptr;
        switch (o->kind) {
        case Kind::Pen: w = new CPen(); break;
        case Kind::Brush: w = new CBrush(); break;
        case Kind::Font: w = new CFont(); break;
        case Kind::Bitmap: w = new CBitmap(); break;
        case Kind::Region: w = new CRgn(); break;
        default: return nullptr;
        }
        w->m_hObject = hObject;
        o->temporary.reset(w);
    }
    return o->temporary.get();
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) { return Attach(::CreatePen(nPenStyle, nWidth, crColor)); }
BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }

CBrush::CBrush(CBitmap* pBitmap) { CreatePatternBrush(pBitmap); }
BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap ? Attach(::CreatePatternBrush((HBITMAP)pBitmap->m_hObject)) : FALSE;
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (!::GetSysColorBrush(nIndex)) return FALSE;
    return CreateSolidBrush(::GetSysColor(nIndex));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont) { return Attach(::CreateFontIndirectW(lpLogFont)); }

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (lpszFaceName) std::wcsncpy(lf.lfFaceName, lpszFaceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC)
{
    if (!lpLogFont) return FALSE;
    LOGFONTW lf = *lpLogFont;
    int dpi = pDC && pDC->m_hDC ? ::GetDeviceCaps(pDC->m_hDC, LOGPIXELSY) : 96;
    int pixels = ::MulDiv(dpi, lf.lfHeight, 720);  // tenths of a point to pixels
    lf.lfHeight = -(pixels < 0 ? -pixels : pixels);
    return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) { return Attach(::LoadBitmapW(nullptr, lpszResourceName)); }
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap)
{
    if (!lpBitmap) return FALSE;
    return CreateBitmap(lpBitmap->bmWidth, lpBitmap->bmHeight, lpBitmap->bmPlanes, lpBitmap->bmBitsPixel,
                        lpBitmap->bmBits);
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return pDC ? Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight)) : FALSE;
}
DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    return DWORD(::GetBitmapBits((HBITMAP)m_hObject, LONG(dwCount), lpBits));
}
DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    return DWORD(::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn((HRGN)m_hObject, pRgn1 ? (HRGN)pRgn1->m_hObject : nullptr,
                        pRgn2 ? (HRGN)pRgn2->m_hObject : nullptr, nCombineMode);
}

// --- CDC -----------------------------------------------------------------------------------

CDC::~CDC() { Release_Handle(); }

void CDC::Release_Handle()
{
    if (m_hDC) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hDC)
{
    Dc* dc = Dc_Of(hDC);
    if (!dc || m_hDC) return FALSE;
    m_hDC = m_hAttribDC = hDC;
    dc->permanent = this;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (Dc* dc = Dc_Of(h); dc && dc->permanent == this) dc->permanent = nullptr;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    Dc* dc = Dc_Of(hDC);
    if (!dc) return nullptr;
    if (dc->permanent) return dc->permanent;
    if (!dc->temporary) {
        dc->temporary = std::make_unique<CDC>();
        dc->temporary->m_hDC = dc->temporary->m_hAttribDC = hDC;
    }
    return dc->temporary.get();
}

BOOL CDC::Attach_Surface(cairo_surface_t* surface, POINT origin)
{
    Release_Handle();
    return Attach(platform::Make_Surface_DC(surface, origin));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC) return FALSE;
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC) return FALSE;
    return ::DeleteDC(Detach());
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return pPen ? CPen::FromHandle((HPEN)::SelectObject(m_hDC, pPen->m_hObject)) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return pBrush ? CBrush::FromHandle((HBRUSH)::SelectObject(m_hDC, pBrush->m_hObject)) : nullptr;
}
CFont* CDC::SelectObject(CFont* pFont)
{
    return pFont ? CFont::FromHandle((HFONT)::SelectObject(m_hDC, pFont->m_hObject)) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return pBitmap ? CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, pBitmap->m_hObject)) : nullptr;
}
int CDC::SelectObject(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, pRgn ? (HRGN)pRgn->m_hObject : nullptr); }
CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return pObject ? CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject)) : nullptr;
}
CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}
CPen* CDC::GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }
CBrush* CDC::GetCurrentBrush() const { return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

namespace {

// Calls a function that sets a point of the context and returns the previous one.
CPoint Exchange_Point(BOOL (*fn)(HDC, int, int, LPPOINT), HDC hdc, int x, int y)
{
    POINT old{};
    fn(hdc, x, y, &old);
    return old;
}

CPoint Query_Point(BOOL (*fn)(HDC, LPPOINT), HDC hdc)
{
    POINT p{};
    fn(hdc, &p);
    return p;
}

}  // namespace

CPoint CDC::SetBrushOrg(int x, int y) { return Exchange_Point(::SetBrushOrgEx, m_hDC, x, y); }
CPoint CDC::SetViewportOrg(int x, int y) { return Exchange_Point(::SetViewportOrgEx, m_hDC, x, y); }
CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return Exchange_Point(::OffsetViewportOrgEx, m_hDC, nWidth, nHeight);
}
CPoint CDC::GetViewportOrg() const { return Query_Point(::GetViewportOrgEx, m_hDC); }
CPoint CDC::SetWindowOrg(int x, int y) { return Exchange_Point(::SetWindowOrgEx, m_hDC, x, y); }
CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) { return Exchange_Point(::OffsetWindowOrgEx, m_hDC, nWidth, nHeight); }
CPoint CDC::GetWindowOrg() const { return Query_Point(::GetWindowOrgEx, m_hDC); }
CPoint CDC::GetCurrentPosition() const { return Query_Point(::GetCurrentPositionEx, m_hDC); }
CPoint CDC::MoveTo(int x, int y) { return Exchange_Point(::MoveToEx, m_hDC, x, y); }

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r{std::min(x, x + cx), std::min(y, y + cy), std::max(x, x + cx), std::max(y, y + cy)};
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, pBrush ? (HBRUSH)pBrush->m_hObject : nullptr);
}
BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush)
{
    return ::DrawStateW(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(lpszText), WPARAM(nTextLen), pt.x, pt.y,
                        size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}
BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, pBrush ? (HBRUSH)pBrush->m_hObject : nullptr);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount) { return ::TextOutW(m_hDC, x, y, lpszString, nCount); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE s{0, 0};
    ::GetTextExtentPoint32W(m_hDC, lpszString, nCount, &s);
    return s;
}

int CDC::GetTextFace(CString& rString) const
{
    WCHAR name[LF_FACESIZE] = {};
    int n = ::GetTextFaceW(m_hDC, LF_FACESIZE, name);
    rString = name;
    return n;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc,
                            ySrc, nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend)
{
    return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, blend);
}

// --- Window contexts -----------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
