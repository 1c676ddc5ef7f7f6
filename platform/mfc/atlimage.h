// CImage, the image class of the template library: a bitmap loaded from or saved to PNG,
// BMP or JPEG, drawn into device contexts.
//
// Load recognises the format by the file's bytes, not by its name. Draw blends through the
// alpha channel when the image has one (AlphaBlend), otherwise copies (StretchBlt).
// Save chooses the format by the file extension (.png, .bmp, .jpg/.jpeg); others fail.
#pragma once

#include "mfc/afxdc.h"

class CImage {
public:
    static const DWORD createAlphaChannel = 0x01;

    CImage() = default;
    ~CImage();
    CImage(const CImage&) = delete;
    CImage& operator=(const CImage&) = delete;

    HRESULT Load(LPCTSTR pszFileName);
    // 24 or 32 bits per pixel (a negative height means top-down, as for a DIB); the
    // pixels start black, or transparent with createAlphaChannel.
    BOOL Create(int nWidth, int nHeight, int nBPP, DWORD dwFlags = 0);
    void Destroy();
    void Attach(HBITMAP hBitmap);
    HBITMAP Detach();
    HRESULT Save(LPCTSTR pszFileName) const;

    bool IsNull() const { return m_hBitmap == nullptr; }
    int GetWidth() const;
    int GetHeight() const;
    int GetBPP() const;
    bool HasAlphaChannel() const { return m_bHasAlphaChannel; }
    void SetHasAlphaChannel(bool bHasAlphaChannel) { m_bHasAlphaChannel = bHasAlphaChannel; }
    operator HBITMAP() const { return m_hBitmap; }

    COLORREF GetPixel(int x, int y) const;
    void SetPixel(int x, int y, COLORREF color);
    void SetPixelRGB(int x, int y, BYTE r, BYTE g, BYTE b) { SetPixel(x, y, RGB(r, g, b)); }

    // A memory context with the image selected; every GetDC is matched by a ReleaseDC.
    HDC GetDC() const;
    void ReleaseDC() const;

    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc, int nSrcWidth,
              int nSrcHeight) const;
    BOOL Draw(HDC hDestDC, const RECT& rectDest, const RECT& rectSrc) const;
    BOOL Draw(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight) const;
    BOOL Draw(HDC hDestDC, const RECT& rectDest) const;
    BOOL Draw(HDC hDestDC, int xDest, int yDest) const;
    BOOL Draw(HDC hDestDC, POINT pointDest) const { return Draw(hDestDC, pointDest.x, pointDest.y); }

    BOOL BitBlt(HDC hDestDC, int xDest, int yDest, DWORD dwROP = SRCCOPY) const;
    BOOL BitBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                DWORD dwROP = SRCCOPY) const;
    BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, DWORD dwROP = SRCCOPY) const;
    BOOL StretchBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwROP = SRCCOPY) const;
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, BYTE bSrcAlpha = 0xFF, BYTE bBlendOp = AC_SRC_OVER) const;
    BOOL AlphaBlend(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, BYTE bSrcAlpha = 0xFF, BYTE bBlendOp = AC_SRC_OVER) const;
    BOOL TransparentBlt(HDC hDestDC, int xDest, int yDest, int nDestWidth, int nDestHeight,
                        UINT crTransparent = CLR_INVALID) const;

private:
    HBITMAP m_hBitmap = nullptr;
    int m_nBPP = 0;
    bool m_bHasAlphaChannel = false;
    mutable HDC m_hDC = nullptr;
    mutable HGDIOBJ m_hOldBitmap = nullptr;
    mutable int m_nDCRefCount = 0;
};
