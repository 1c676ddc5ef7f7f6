// The GDI functions of the emulated machine, painting for real onto cairo image surfaces.
//
// Coordinates are pixels at 96 dpi; rectangles exclude their right and bottom edges.
// Mapping is MM_TEXT with translation only (viewport and window origins).
// Every face name maps to the one pinned CJK font (WenQuanYi Micro Hei).
// Invalid or deleted handles are refused (FALSE, null or CLR_INVALID), never dereferenced.
#pragma once

#include "mfc/gdi_types.h"

// Objects.
HGDIOBJ GetStockObject(int i);
BOOL DeleteObject(HGDIOBJ ho);
int GetObjectW(HANDLE h, int c, LPVOID pv);
inline int GetObject(HANDLE h, int c, LPVOID pv) { return GetObjectW(h, c, pv); }
DWORD GetObjectType(HGDIOBJ h);
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
HPEN CreatePenIndirect(const LOGPEN* plpen);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
HBRUSH CreatePatternBrush(HBITMAP hbm);
HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
HFONT CreateFontIndirectW(const LOGFONTW* lplf);
inline HFONT CreateFontIndirect(const LOGFONTW* lplf) { return CreateFontIndirectW(lplf); }
HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName);
inline HFONT CreateFont(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName) { return CreateFontW(cHeight, cWidth, cEscapement, cOrientation, cWeight, bItalic, bUnderline, bStrikeOut, iCharSet, iOutPrecision, iClipPrecision, iQuality, iPitchAndFamily, pszFaceName); }
HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits);

// System colours.
DWORD GetSysColor(int nIndex);
HBRUSH GetSysColorBrush(int nIndex);

// Regions.
HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
HRGN CreateRectRgnIndirect(const RECT* lprect);
HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
HRGN CreateEllipticRgnIndirect(const RECT* lprect);
BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
int OffsetRgn(HRGN hrgn, int x, int y);
int GetRgnBox(HRGN hrgn, LPRECT lprc);
BOOL PtInRegion(HRGN hrgn, int x, int y);
BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);

// Device contexts.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
// Window contexts come from platform::Set_Window_DC_Provider; a null window gives the
// screen's context (for measuring and device capabilities; what is drawn is not kept).
HDC GetDC(HWND hWnd);
HDC GetWindowDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
HWND WindowFromDC(HDC hDC);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetROP2(HDC hdc, int rop2);
int GetROP2(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
int SetMapMode(HDC hdc, int iMode);
int GetMapMode(HDC hdc);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint);
BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);
int GetDeviceCaps(HDC hdc, int index);

// Clipping (rectangles in logical coordinates; regions in device coordinates).
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int SelectClipRgn(HDC hdc, HRGN hrgn);
int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
int GetClipBox(HDC hdc, LPRECT lprect);
int GetClipRgn(HDC hdc, HRGN hrgn);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* lprect);

// Lines and shapes.
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt);
BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Arc(HDC hdc, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xr1, int yr1, int xr2, int yr2);
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
BOOL InvertRect(HDC hDC, const RECT* lprc);
BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags);
BOOL DrawFocusRect(HDC hDC, const RECT* lprc);
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);

// Text.
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c);
inline BOOL TextOut(HDC hdc, int x, int y, LPCWSTR lpString, int c) { return TextOutW(hdc, x, y, lpString, c); }
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c,
                 const INT* lpDx);
inline BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString, UINT c, const INT* lpDx) { return ExtTextOutW(hdc, x, y, options, lprect, lpString, c, lpDx); }
int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format);
inline int DrawText(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format) { return DrawTextW(hdc, lpchText, cchText, lprc, format); }
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl);
inline BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) { return GetTextExtentPoint32W(hdc, lpString, c, psizl); }
inline BOOL GetTextExtentPointW(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) { return GetTextExtentPoint32W(hdc, lpString, c, psizl); }
inline BOOL GetTextExtentPoint(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl) { return GetTextExtentPoint32W(hdc, lpString, c, psizl); }
BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm);
inline BOOL GetTextMetrics(HDC hdc, LPTEXTMETRICW lptm) { return GetTextMetricsW(hdc, lptm); }
int GetTextFaceW(HDC hdc, int c, LPWSTR lpName);
inline int GetTextFace(HDC hdc, int c, LPWSTR lpName) { return GetTextFaceW(hdc, c, lpName); }
int MulDiv(int nNumber, int nNumerator, int nDenominator);

// Block transfers, gradients and blending.
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop);
BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc,
                    int xoriginSrc, int yoriginSrc, int wSrc, int hSrc, UINT crTransparent);
BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest, HDC hdcSrc, int xoriginSrc,
                int yoriginSrc, int wSrc, int hSrc, BLENDFUNCTION ftn);
BOOL GradientFill(HDC hdc, PTRIVERTEX pVertex, ULONG nVertex, PVOID pMesh, ULONG nMesh, ULONG ulMode);

// Icons, cursors and images; resources come through platform::Set_Bitmap_Resource_Loader.
HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad);
inline HANDLE LoadImage(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy, UINT fuLoad) { return LoadImageW(hInst, name, type, cx, cy, fuLoad); }
HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName);
inline HICON LoadIcon(HINSTANCE hInstance, LPCWSTR lpIconName) { return LoadIconW(hInstance, lpIconName); }
HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
inline HCURSOR LoadCursor(HINSTANCE hInstance, LPCWSTR lpCursorName) { return LoadCursorW(hInstance, lpCursorName); }
HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName);
inline HBITMAP LoadBitmap(HINSTANCE hInstance, LPCWSTR lpBitmapName) { return LoadBitmapW(hInstance, lpBitmapName); }
BOOL DestroyIcon(HICON hIcon);
BOOL DestroyCursor(HCURSOR hCursor);
// The cursor shown now (null: none); SetCursor returns the one it replaces.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();
HICON CopyIcon(HICON hIcon);
BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);
BOOL DrawStateW(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y,
                int cx, int cy, UINT uFlags);
inline BOOL DrawState(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y, int cx, int cy, UINT uFlags) { return DrawStateW(hdc, hbrFore, qfnCallBack, lData, wData, x, y, cx, cy, uFlags); }
