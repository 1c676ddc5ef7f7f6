// CImage over a GDI bitmap.
#include <algorithm>
#include <cwctype>

#include "mfc/atlimage.h"
#include "mfc/gdi_internal.h"
#include "mfc/image_codecs.h"
#include "win/host_path_text.h"
#include "win/win_files.h"

using namespace platform::gdi;

namespace {

cairo_surface_t* Surface_Of(HBITMAP h)
{
    Bitmap* b = Bitmap_Of(h);
    return b ? b->surface : nullptr;
}

std::wstring Lower_Extension(const std::filesystem::path& p)
{
    std::wstring e = platform::Text_From_Host_Path(p.extension());
    for (wchar_t& c : e) c = wchar_t(std::towlower(c));
    return e;
}

}  // namespace

CImage::~CImage() { Destroy(); }

HRESULT CImage::Load(LPCTSTR pszFileName)
{
    Destroy();
    if (!pszFileName) return E_INVALIDARG;
    std::vector<unsigned char> bytes;
    platform::image::Decoded d;
    if (!platform::image::Read_File(platform::To_Host_Path(pszFileName), bytes) || !platform::image::Decode(bytes, d))
        return E_FAIL;
    m_hBitmap = New_Bitmap(d.surface, d.bits_pixel, d.has_alpha);
    cairo_surface_destroy(d.surface);
    m_nBPP = d.bits_pixel;
    m_bHasAlphaChannel = d.has_alpha && d.bits_pixel == 32;
    return S_OK;
}

BOOL CImage::Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags)
{
    Destroy();
    nHeight = std::abs(nHeight);
    if (nWidth <= 0 || nHeight == 0 || (nBPP != 24 && nBPP != 32)) return FALSE;
    bool alpha = nBPP == 32 && (dwFlags & createAlphaChannel);
    cairo_surface_t* s = alpha ? cairo_image_surface_create(CAIRO_FORMAT_ARGB32, nWidth, nHeight)
                               : New_Opaque_Surface(nWidth, nHeight);
    m_hBitmap = New_Bitmap(s, nBPP, alpha);
    cairo_surface_destroy(s);
    m_nBPP = nBPP;
    m_bHasAlphaChannel = alpha;
    return TRUE;
}

void CImage::Destroy()
{
    if (m_hDC) {
        ::SelectObject(m_hDC, m_hOldBitmap);
        ::DeleteDC(m_hDC);
        m_hDC = nullptr;
        m_nDCRefCount = 0;
    }
    if (m_hBitmap) ::DeleteObject(Detach());
}

void CImage::Attach(HBITMAP hBitmap)
{
    Destroy();
    Bitmap* b = Bitmap_Of(hBitmap);
    if (!b) return;
    m_hBitmap = hBitmap;
    m_nBPP = b->bits_pixel;
    m_bHasAlphaChannel = b->has_alpha && b->bits_pixel == 32;
}

HBITMAP CImage::Detach()
{
    HBITMAP h = m_hBitmap;
    m_hBitmap = nullptr;
    m_nBPP = 0;
    m_bHasAlphaChannel = false;
    return h;
}

HRESULT CImage::Save(LPCTSTR pszFileName) const
{
    cairo_surface_t* s = Surface_Of(m_hBitmap);
    if (!s || !pszFileName) return E_FAIL;
    std::filesystem::path path = platform::To_Host_Path(pszFileName);
    std::wstring ext = Lower_Extension(path);
    bool ok = false;
    if (ext == L".png") ok = platform::image::Save_Png(s, path);
    else if (ext == L".bmp") ok = platform::image::Save_Bmp(s, path, m_bHasAlphaChannel);
    else if (ext == L".jpg" || ext == L".jpeg") ok = platform::image::Save_Jpeg(s, path);
    return ok ? S_OK : E_FAIL;
}

int CImage::GetWidth() const
{
    cairo_surface_t* s = Surface_Of(m_hBitmap);
    return s ? cairo_image_surface_get_width(s) : 0;
}

int CImage::GetHeight() const
{
    cairo_surface_t* s = Surface_Of(m_hBitmap);
    return s ? cairo_image_surface_get_height(s) : 0;
}

int CImage::GetBPP() const { return m_hBitmap ? m_nBPP : 0; }

COLORREF CImage::GetPixel(int x, int y) const
{
    cairo_surface_t* s = Surface_Of(m_hBitmap);
    if (!s || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return CLR_INVALID;
    cairo_surface_flush(s);
    auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
    return Color_Of(row[x]);
}

void CImage::SetPixel(int x, int y, COLORREF color)
{
    cairo_surface_t* s = Surface_Of(m_hBitmap);
    if (!s || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return;
    cairo_surface_flush(s);
    auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s));
    row[x] = Pixel_Of(color);
    cairo_surface_mark_dirty(s);
}

HDC CImage::GetDC() const
{
    if (!m_hBitmap) return nullptr;
    if (!m_hDC) {
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hOldBitmap = ::SelectObject(m_hDC, m_hBitmap);
    }
    ++m_nDCRefCount;
    return m_hDC;
}

void CImage::ReleaseDC() const
{
    if (!m_hDC || --m_nDCRefCount > 0) return;
    ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_nDCRefCount = 0;
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight) const
{
    if (!m_hBitmap) return FALSE;
    if (m_bHasAlphaChannel)
        return AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight);
    return StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight);
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc) const
{
    return Draw(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left, rectDest.bottom - rectDest.top,
                rectSrc.left, rectSrc.top, rectSrc.right - rectSrc.left, rectSrc.bottom - rectSrc.top);
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight) const
{
    return Draw(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, GetWidth(), GetHeight());
}

BOOL CImage::Draw(HDC hDestDC, const RECT& rectDest) const
{
    return Draw(hDestDC, rectDest.left, rectDest.top, rectDest.right - rectDest.left, rectDest.bottom - rectDest.top);
}

BOOL CImage::Draw(HDC hDestDC, int xDest, int yDest) const
{
    return Draw(hDestDC, xDest, yDest, GetWidth(), GetHeight());
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP) const
{
    return BitBlt(hDestDC, xDest, yDest, GetWidth(), GetHeight(), 0, 0, dwROP);
}

BOOL CImage::BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    DWORD dwROP) const
{
    HDC src = GetDC();
    if (!src) return FALSE;
    BOOL ok = ::BitBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, dwROP);
    ReleaseDC();
    return ok;
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, DWORD dwROP) const
{
    return StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, 0, 0, GetWidth(), GetHeight(), dwROP);
}

BOOL CImage::StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, DWORD dwROP) const
{
    HDC src = GetDC();
    if (!src) return FALSE;
    BOOL ok = ::StretchBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, nSrcWidth, nSrcHeight,
                           dwROP);
    ReleaseDC();
    return ok;
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha, BYTE bBlendOp) const
{
    return AlphaBlend(hDestDC, xDest, yDest, GetWidth(), GetHeight(), 0, 0, GetWidth(), GetHeight(), bSrcAlpha,
                      bBlendOp);
}

BOOL CImage::AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                        int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha, BYTE bBlendOp) const
{
    HDC src = GetDC();
    if (!src) return FALSE;
    BLENDFUNCTION blend{bBlendOp, 0, bSrcAlpha, BYTE(m_bHasAlphaChannel ? AC_SRC_ALPHA : 0)};
    BOOL ok = ::AlphaBlend(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, xSrc, ySrc, nSrcWidth, nSrcHeight,
                           blend);
    ReleaseDC();
    return ok;
}

BOOL CImage::TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                            UINT crTransparent) const
{
    if (crTransparent == CLR_INVALID) return FALSE;  // no transparent colour
    HDC src = GetDC();
    if (!src) return FALSE;
    BOOL ok = ::TransparentBlt(hDestDC, xDest, yDest, nDestWidth, nDestHeight, src, 0, 0, GetWidth(), GetHeight(),
                               crTransparent);
    ReleaseDC();
    return ok;
}
