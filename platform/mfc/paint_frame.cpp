// The frame of a top-level window as a snapshot shows it: borders, and with a caption the
// title bar with the small icon, the caption text and the close box.
#include <algorithm>

#include "mfc/afxdc.h"
#include "mfc/control_state.h"

namespace platform {

namespace {

constexpr COLORREF kFrameFace = RGB(240, 240, 240);
constexpr COLORREF kFrameLine = RGB(100, 100, 100);
constexpr COLORREF kCaptionText = RGB(0, 0, 0);
constexpr COLORREF kCloseMark = RGB(60, 60, 60);

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

void Paint_Window_Frame(Window* w, HDC dc) {
    const RECT in = Frame_Insets(w->style, w->ex_style);
    const int width = w->rect.right - w->rect.left, height = w->rect.bottom - w->rect.top;
    if (in.left + in.top + in.right + in.bottom == 0 || width <= 0 || height <= 0) return;
    // The frame's face around the client area, outlined.
    Fill(dc, RECT{0, 0, width, in.top}, kFrameFace);
    Fill(dc, RECT{0, height - in.bottom, width, height}, kFrameFace);
    Fill(dc, RECT{0, 0, in.left, height}, kFrameFace);
    Fill(dc, RECT{width - in.right, 0, width, height}, kFrameFace);
    HBRUSH line = CreateSolidBrush(kFrameLine);
    const RECT outline{0, 0, width, height};
    FrameRect(dc, &outline, line);
    DeleteObject(line);
    if ((w->style & WS_CAPTION) != WS_CAPTION) return;
    const int border = in.left;
    const RECT bar{border, border, width - border, in.top};
    const int bar_height = bar.bottom - bar.top;
    int text_left = bar.left + 6;
    if (w->icon_small) {
        const int size = std::min(16, bar_height - 2);
        DrawIconEx(dc, text_left, bar.top + (bar_height - size) / 2, w->icon_small, size, size, 0, nullptr, DI_NORMAL);
        text_left += size + 6;
    }
    int text_right = bar.right - 6;
    if (w->style & WS_SYSMENU) {
        // The close box: a cross in a square at the bar's right end.
        const int box = bar_height;
        const RECT close{bar.right - box - 4, bar.top, bar.right - 4, bar.bottom};
        text_right = close.left - 4;
        HPEN pen = CreatePen(PS_SOLID, 1, kCloseMark);
        HGDIOBJ old = SelectObject(dc, pen);
        const int m = box / 3;
        MoveToEx(dc, close.left + m, close.top + m, nullptr);
        LineTo(dc, close.right - m, close.bottom - m);
        MoveToEx(dc, close.right - m - 1, close.top + m, nullptr);
        LineTo(dc, close.left + m - 1, close.bottom - m);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kCaptionText);
    RECT text{text_left, bar.top, text_right, bar.bottom};
    DrawTextW(dc, w->text.c_str(), static_cast<int>(w->text.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old_font);
}

}  // namespace platform
