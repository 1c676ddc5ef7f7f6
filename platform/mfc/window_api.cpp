// The window functions of the Windows stand-in, over the window table.
#include <algorithm>
#include <cwchar>

#include "mfc/afxwin.h"
#include "mfc/gdi_api.h"
#include "mfc/window_table.h"
#include "win/win_shell.h"

using namespace platform;

namespace {

Window* Top_Level(Window* w) {
    while (w && (w->style & WS_CHILD) && w->parent) w = w->parent;
    return w;
}

void Destroy(Window* w) {
    if (w->destroying) return;
    w->destroying = true;
    const HWND h = w->handle();
    if (Capture_Window() == w) ReleaseCapture();
    if (w->visible) w->visible = false;
    Send(w, WM_DESTROY, 0, 0);
    // Children and owned pop-ups go with their parent.
    for (HWND other_handle : Handles(All_Windows()))
        if (Window* other = Find_Window(other_handle); other && other != w && other->parent == w) Destroy(other);
    if (!Find_Window(h)) return;
    Send(w, WM_NCDESTROY, 0, 0);
    CWnd* object = w->object;
    Forget_Window(w);
    if (object && object->m_hWnd == h) {
        object->m_hWnd = nullptr;
        object->PostNcDestroy();
    }
    delete w;
}

}  // namespace

BOOL IsWindow(HWND hWnd) { return Find_Window(hWnd) != nullptr; }

BOOL IsWindowVisible(HWND hWnd) {
    for (Window* w = Find_Window(hWnd); w; w = (w->style & WS_CHILD) ? w->parent : nullptr)
        if (!w->visible) return FALSE;
    return Find_Window(hWnd) != nullptr;
}

BOOL IsWindowEnabled(HWND hWnd) {
    Window* w = Find_Window(hWnd);
    return w && w->enabled;
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable) {
    Window* w = Find_Window(hWnd);
    if (!w) return FALSE;
    const BOOL was_disabled = !w->enabled;
    if (w->enabled != (bEnable != FALSE)) {
        w->enabled = bEnable != FALSE;
        if (w->enabled) w->style &= ~WS_DISABLED; else w->style |= WS_DISABLED;
        Send(w, WM_ENABLE, bEnable, 0);
        w->needs_paint = true;
    }
    return was_disabled;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = Find_Window(hWnd);
    if (!w) return FALSE;
    const BOOL was = w->visible;
    const bool show = nCmdShow != SW_HIDE;
    if (w->visible != show) {
        Send(w, WM_SHOWWINDOW, show, 0);
        if (!Find_Window(hWnd)) return was;
        w->visible = show;
        if (show) w->style |= WS_VISIBLE; else w->style &= ~WS_VISIBLE;
        w->needs_paint = show;
    }
    if (show && !(w->style & WS_CHILD) && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
        Activate_Window(w);
    return was;
}

BOOL DestroyWindow(HWND hWnd) {
    Window* w = Find_Window(hWnd);
    if (!w) return FALSE;
    Destroy(w);
    return TRUE;
}

HWND GetParent(HWND hWnd) {
    Window* w = Find_Window(hWnd);
    return (w && w->parent) ? w->parent->handle() : nullptr;
}

BOOL IsChild(HWND hWndParent, HWND hWnd) {
    Window* p = Find_Window(hWndParent);
    Window* w = Find_Window(hWnd);
    if (!p || !w) return FALSE;
    for (; w && (w->style & WS_CHILD); w = w->parent)
        if (w->parent == p) return TRUE;
    return FALSE;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem) {
    Window* w = Find_Window(hDlg);
    if (!w) return nullptr;
    for (Window* c : w->children)
        if (c->id == nIDDlgItem) return c->handle();
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd) {
    Window* w = Find_Window(hWnd);
    return w ? w->id : 0;
}

HWND GetWindow(HWND hWnd, UINT uCmd) {
    Window* w = Find_Window(hWnd);
    if (!w) return nullptr;
    if (uCmd == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle();
    if (uCmd == GW_OWNER) return (!(w->style & WS_CHILD) && w->parent) ? w->parent->handle() : nullptr;
    if (!(w->style & WS_CHILD) || !w->parent) return nullptr;
    auto& sib = w->parent->children;
    auto it = std::find(sib.begin(), sib.end(), w);
    switch (uCmd) {
    case GW_HWNDFIRST: return sib.front()->handle();
    case GW_HWNDLAST: return sib.back()->handle();
    case GW_HWNDNEXT: return (it + 1 != sib.end()) ? (*(it + 1))->handle() : nullptr;
    case GW_HWNDPREV: return it != sib.begin() ? (*(it - 1))->handle() : nullptr;
    default: return nullptr;
    }
}

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex) {
    Window* w = Find_Window(hWnd);
    if (!w) return 0;
    switch (nIndex) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style | (w->visible ? WS_VISIBLE : 0));
    case GWL_EXSTYLE: return w->ex_style;
    case GWL_ID: return w->id;
    case GWLP_USERDATA: return w->user_data;
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    Window* w = Find_Window(hWnd);
    if (!w) return 0;
    const LONG_PTR old = GetWindowLongPtrW(hWnd, nIndex);
    switch (nIndex) {
    case GWL_STYLE:
        w->style = static_cast<DWORD>(dwNewLong) & ~WS_VISIBLE;
        w->enabled = !(w->style & WS_DISABLED);
        break;
    case GWL_EXSTYLE: w->ex_style = static_cast<DWORD>(dwNewLong); break;
    case GWL_ID: w->id = static_cast<int>(dwNewLong); break;
    case GWLP_USERDATA: w->user_data = dwNewLong; break;
    default: return 0;
    }
    return old;
}

BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString) {
    return Find_Window(hWnd) ? static_cast<BOOL>(SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString ? lpString : L""))) : FALSE;
}

int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount) {
    if (!Find_Window(hWnd) || !lpString || nMaxCount <= 0) return 0;
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int GetWindowTextLengthW(HWND hWnd) {
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect) {
    Window* w = Find_Window(hWnd);
    if (!w || !lpRect) return FALSE;
    RECT r = w->rect;
    if ((w->style & WS_CHILD) && w->parent) {
        const POINT o = Client_Origin(w->parent);
        r.left += o.x, r.right += o.x, r.top += o.y, r.bottom += o.y;
    }
    *lpRect = r;
    return TRUE;
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect) {
    Window* w = Find_Window(hWnd);
    if (!w || !lpRect) return FALSE;
    *lpRect = Client_Rect(w);
    return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND /*hWndInsertAfter*/, int X, int Y, int cx, int cy, UINT uFlags) {
    Window* w = Find_Window(hWnd);
    if (!w) return FALSE;
    RECT r = w->rect;
    const bool moved = !(uFlags & SWP_NOMOVE) && (X != r.left || Y != r.top);
    const bool sized = !(uFlags & SWP_NOSIZE) && (cx != r.right - r.left || cy != r.bottom - r.top);
    if (!(uFlags & SWP_NOMOVE)) {
        r.right = X + (r.right - r.left), r.bottom = Y + (r.bottom - r.top);
        r.left = X, r.top = Y;
    }
    if (!(uFlags & SWP_NOSIZE)) r.right = r.left + std::max(cx, 0), r.bottom = r.top + std::max(cy, 0);
    w->rect = r;
    if (moved) Send(w, WM_MOVE, 0, MAKELPARAM(r.left, r.top));
    if (sized && Find_Window(hWnd)) {
        const RECT c = Client_Rect(w);
        Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
    }
    if (!Find_Window(hWnd)) return TRUE;
    if (uFlags & SWP_SHOWWINDOW) ShowWindow(hWnd, SW_SHOWNA);
    if (uFlags & SWP_HIDEWINDOW) ShowWindow(hWnd, SW_HIDE);
    if (!(uFlags & SWP_NOREDRAW)) w->needs_paint = true;
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint) {
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight, SWP_NOZORDER | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint) {
    Window* w = Find_Window(hWnd);
    if (!w || !lpPoint) return FALSE;
    const POINT o = Client_Origin(w);
    lpPoint->x -= o.x, lpPoint->y -= o.y;
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint) {
    Window* w = Find_Window(hWnd);
    if (!w || !lpPoint) return FALSE;
    const POINT o = Client_Origin(w);
    lpPoint->x += o.x, lpPoint->y += o.y;
    return TRUE;
}

HWND SetFocus(HWND hWnd) {
    Window* w = Find_Window(hWnd);
    Window* old = Focus_Window();
    if (w == old) return old ? old->handle() : nullptr;
    const HWND old_handle = old ? old->handle() : nullptr;
    Set_Focus_Window(w);
    if (old) Send(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (w && Find_Window(hWnd)) {
        Send(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(old_handle), 0);
        if (Window* top = Top_Level(w)) Activate_Window(top);
    }
    return old_handle;
}

HWND GetFocus() {
    Window* w = Focus_Window();
    return w ? w->handle() : nullptr;
}

HWND GetActiveWindow() {
    for (Window* w : Activation_Order())
        if (w->visible) return w->handle();
    return nullptr;
}

HWND SetActiveWindow(HWND hWnd) {
    const HWND old = GetActiveWindow();
    if (Window* w = Find_Window(hWnd)) Activate_Window(Top_Level(w));
    return old;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }
BOOL SetForegroundWindow(HWND hWnd) { return SetActiveWindow(hWnd) != nullptr || IsWindow(hWnd); }

HWND SetCapture(HWND hWnd) {
    Window* old = Capture_Window();
    Window* w = Find_Window(hWnd);
    Set_Capture_Window(w);
    if (old && old != w) Send(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hWnd));
    return old ? old->handle() : nullptr;
}

BOOL ReleaseCapture() {
    Window* old = Capture_Window();
    Set_Capture_Window(nullptr);
    if (old) Send(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    Window* w = Capture_Window();
    return w ? w->handle() : nullptr;
}

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    if (!lpEventTrack) return FALSE;
    Window* w = Find_Window(lpEventTrack->hwndTrack);
    if (!w) return FALSE;
    const bool cancel = (lpEventTrack->dwFlags & TME_CANCEL) != 0;
    if (lpEventTrack->dwFlags & TME_LEAVE) w->track_leave = !cancel;
    if (lpEventTrack->dwFlags & TME_HOVER) w->track_hover = !cancel;
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* /*lpRect*/, BOOL /*bErase*/) {
    Window* w = Find_Window(hWnd);
    if (!w) return FALSE;
    w->needs_paint = true;
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd) {
    Window* w = Find_Window(hWnd);
    if (!w) return FALSE;
    if (w->needs_paint && IsWindowVisible(hWnd)) {
        w->needs_paint = false;
        Send(w, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN, UINT flags) {
    if (!Find_Window(hWnd)) return FALSE;
    if (flags & RDW_INVALIDATE) InvalidateRect(hWnd, lprcUpdate, (flags & RDW_ERASE) != 0);
    if (flags & RDW_UPDATENOW) UpdateWindow(hWnd);
    return TRUE;
}

BOOL SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString) {
    return SetWindowTextW(GetDlgItem(hDlg, nIDDlgItem), lpString);
}

UINT GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax) {
    if (lpString && cchMax > 0) lpString[0] = 0;
    return static_cast<UINT>(GetWindowTextW(GetDlgItem(hDlg, nIDDlgItem), lpString, cchMax));
}

LRESULT SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return SendMessageW(GetDlgItem(hDlg, nIDDlgItem), Msg, wParam, lParam);
}

BOOL CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck) {
    HWND b = GetDlgItem(hDlg, nIDButton);
    if (!b) return FALSE;
    SendMessageW(b, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND hDlg, int nIDButton) {
    return static_cast<UINT>(SendMessageW(GetDlgItem(hDlg, nIDButton), BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    Window* d = Find_Window(hDlg);
    if (!d) return FALSE;
    for (Window* c : d->children)
        if (c->id >= nIDFirstButton && c->id <= nIDLastButton)
            Send(c, BM_SETCHECK, c->id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

HWND WindowFromPoint(POINT Point) {
    // The innermost visible window under the point, among the most recently activated.
    for (Window* top : Activation_Order()) {
        RECT r;
        if (!top->visible || !GetWindowRect(top->handle(), &r)) continue;
        if (Point.x < r.left || Point.x >= r.right || Point.y < r.top || Point.y >= r.bottom) continue;
        Window* hit = top;
        for (bool deeper = true; deeper;) {
            deeper = false;
            for (auto it = hit->children.rbegin(); it != hit->children.rend(); ++it) {
                Window* c = *it;
                if (!c->visible || !GetWindowRect(c->handle(), &r)) continue;
                if (Point.x >= r.left && Point.x < r.right && Point.y >= r.top && Point.y < r.bottom &&
                    !((c->class_name == L"Button") && (c->style & BS_TYPEMASK) == BS_GROUPBOX)) {
                    hit = c;
                    deeper = true;
                    break;
                }
            }
        }
        return hit->handle();
    }
    return nullptr;
}

BOOL MapDialogRect(HWND hDlg, LPRECT lpRect) {
    Window* w = Find_Window(hDlg);
    if (!w || !lpRect) return FALSE;
    const SIZE base = Font_Base_Units(w->font);
    lpRect->left = MulDiv(lpRect->left, base.cx, 4);
    lpRect->right = MulDiv(lpRect->right, base.cx, 4);
    lpRect->top = MulDiv(lpRect->top, base.cy, 8);
    lpRect->bottom = MulDiv(lpRect->bottom, base.cy, 8);
    return TRUE;
}

void DragAcceptFiles(HWND hWnd, BOOL fAccept) {
    Window* w = Find_Window(hWnd);
    if (!w) return;
    if (fAccept) w->ex_style |= WS_EX_ACCEPTFILES; else w->ex_style &= ~WS_EX_ACCEPTFILES;
}

LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find_Window(hWnd);
    return w ? w->proc(w, Msg, wParam, lParam) : 0;
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return lpPrevWndFunc ? lpPrevWndFunc(hWnd, Msg, wParam, lParam) : DefWindowProcW(hWnd, Msg, wParam, lParam);
}
