// Tooltips: a tip shows below the cursor while the mouse is over one of its tools and
// hides when the mouse leaves it or a button is pressed. It paints its text on the info
// colours in a thin frame; a snapshot of its owner shows it.
#include <algorithm>

#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"
#include "mfc/control_state.h"

namespace platform {

namespace {

constexpr int kPadding = 4;
constexpr int kBelowCursor = 20;

struct Tooltip_State : Control_Data {
    COLORREF text_colour = GetSysColor(COLOR_INFOTEXT);
    COLORREF back_colour = GetSysColor(COLOR_INFOBK);
    int max_width = -1;  // -1: one line; else lines break at '\n'
    HWND tool = nullptr;
};

Tooltip_State* TS(Window* w) { return w->state<Tooltip_State>(); }

std::vector<std::wstring> Lines(Window* tip) {
    std::vector<std::wstring> lines;
    if (TS(tip)->max_width < 0) return {tip->text};
    size_t start = 0;
    for (size_t i = 0; i <= tip->text.size(); ++i)
        if (i == tip->text.size() || tip->text[i] == L'\n') lines.push_back(tip->text.substr(start, i - start)), start = i + 1;
    return lines;
}

HFONT Tip_Font(Window* tip) { return tip->font ? tip->font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void Paint(Window* tip) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(tip->handle(), &ps);
    if (!dc) return;
    const RECT r = Client_Rect(tip);
    HBRUSH back = CreateSolidBrush(TS(tip)->back_colour);
    FillRect(dc, &r, back);
    DeleteObject(back);
    HBRUSH line = CreateSolidBrush(RGB(118, 118, 118));
    FrameRect(dc, &r, line);
    DeleteObject(line);
    HGDIOBJ old = SelectObject(dc, Tip_Font(tip));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TS(tip)->text_colour);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    int y = kPadding;
    for (const std::wstring& text : Lines(tip)) {
        RECT row{kPadding, y, r.right - kPadding, y + tm.tmHeight};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &row, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        y += tm.tmHeight;
    }
    SelectObject(dc, old);
    EndPaint(tip->handle(), &ps);
}

LRESULT Tooltip_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: Paint(w); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: return msg >= WM_USER ? 0 : Default_Window_Proc(w, msg, wParam, lParam);
    }
}

const bool g_registered = [] {
    Register_Window_Class(L"tooltips_class32", Tooltip_Proc);
    return true;
}();

}  // namespace

void Tooltip_Show(Window* tip, HWND tool, const std::wstring& text) {
    if (TS(tip)->tool == tool && tip->visible && tip->text == text) return;
    tip->text = text;
    TS(tip)->tool = tool;
    HDC dc = GetDC(tip->handle());
    HGDIOBJ old = SelectObject(dc, Tip_Font(tip));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    int width = 0, height = 0;
    for (const std::wstring& line : Lines(tip)) {
        SIZE size{};
        GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
        width = std::max<int>(width, size.cx);
        height += tm.tmHeight;
    }
    SelectObject(dc, old);
    ReleaseDC(tip->handle(), dc);
    POINT cursor{};
    GetCursorPos(&cursor);
    // Shown without activation: the tip never takes the script's steps.
    tip->rect = RECT{cursor.x, cursor.y + kBelowCursor, cursor.x + width + 2 * kPadding,
                     cursor.y + kBelowCursor + height + 2 * kPadding};
    tip->visible = true;
    tip->needs_paint = true;
}

void Tooltip_Hide(Window* tip) {
    tip->visible = false;
    TS(tip)->tool = nullptr;
}

HWND Tooltip_Tool(Window* tip) { return tip->visible ? TS(tip)->tool : nullptr; }

void Tooltip_Set_Colours(Window* tip, COLORREF text, COLORREF back) {
    TS(tip)->text_colour = text;
    TS(tip)->back_colour = back;
    tip->needs_paint = true;
}

COLORREF Tooltip_Text_Colour(Window* tip) { return TS(tip)->text_colour; }
COLORREF Tooltip_Back_Colour(Window* tip) { return TS(tip)->back_colour; }

int Tooltip_Set_Max_Width(Window* tip, int width) {
    const int old = TS(tip)->max_width;
    TS(tip)->max_width = width < 0 ? -1 : width;
    return old;
}

}  // namespace platform
