// Built-in behaviour of plain windows, dialogs, buttons, statics and edits.
#include <algorithm>
#include <cwctype>

#include "mfc/afxwin.h"
#include "mfc/control_state.h"
#include "mfc/gdi_api.h"

namespace platform {

namespace {

LRESULT Copy_Text(const std::wstring& text, WPARAM capacity, LPARAM buffer) {
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    if (!out || capacity == 0) return 0;
    const size_t n = std::min<size_t>(text.size(), capacity - 1);
    std::copy_n(text.begin(), n, out);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

bool Inside_Client(Window* w, LPARAM lParam) {
    const RECT r = Client_Rect(w);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// ---- buttons -------------------------------------------------------------------

UINT Button_Type(Window* w) { return w->style & BS_TYPEMASK; }

bool Is_Radio(Window* w) {
    const UINT t = Button_Type(w);
    return w->class_name == L"Button" && (t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON);
}

// The radio buttons of a button's group (WS_GROUP starts a group).
std::vector<Window*> Radio_Group(Window* button) {
    std::vector<Window*> group;
    if (!button->parent) return group;
    auto& sib = button->parent->children;
    auto it = std::find(sib.begin(), sib.end(), button);
    auto first = it;
    while (first != sib.begin() && !((*first)->style & WS_GROUP)) --first;
    for (auto i = first; i != sib.end(); ++i) {
        if (i != first && ((*i)->style & WS_GROUP)) break;
        if (Is_Radio(*i)) group.push_back(*i);
    }
    return group;
}

void Button_Clicked(Window* w) {
    auto* s = w->state<Button_State>();
    switch (Button_Type(w)) {
    case BS_AUTOCHECKBOX: s->check = s->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; break;
    case BS_AUTO3STATE: s->check = (s->check + 1) % 3; break;
    case BS_AUTORADIOBUTTON:
        for (Window* r : Radio_Group(w))
            if (r != w) r->state<Button_State>()->check = BST_UNCHECKED, r->needs_paint = true;
        s->check = BST_CHECKED;
        break;
    default: break;
    }
    w->needs_paint = true;
    Notify_Parent_Command(w, BN_CLICKED);
}

LRESULT Button_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Button_State>();
    switch (msg) {
    case BM_GETCHECK: return s->check;
    case BM_SETCHECK:
        s->check = static_cast<int>(wParam);
        w->needs_paint = true;
        return 0;
    case BM_GETSTATE: return s->check | (s->pushed ? BST_PUSHED : 0) | (Focus_Window() == w ? BST_FOCUS : 0);
    case BM_SETSTATE:
        s->pushed = wParam != 0;
        w->needs_paint = true;
        return 0;
    case BM_SETSTYLE:
        w->style = (w->style & 0xFFFF0000u) | LOWORD(wParam);
        if (lParam) w->needs_paint = true;
        return 0;
    case BM_SETIMAGE: {
        HANDLE old = s->image;
        s->image = reinterpret_cast<HANDLE>(lParam);
        w->needs_paint = true;
        return reinterpret_cast<LRESULT>(old);
    }
    case BM_GETIMAGE: return reinterpret_cast<LRESULT>(s->image);
    case BM_CLICK: {
        const RECT r = Client_Rect(w);
        const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
        Send(w, WM_LBUTTONDOWN, MK_LBUTTON, at);
        if (Find_Window(w->handle())) Send(w, WM_LBUTTONUP, 0, at);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!w->enabled || Button_Type(w) == BS_GROUPBOX) return 0;
        if (msg == WM_LBUTTONDBLCLK && (Is_Radio(w) || Button_Type(w) == BS_OWNERDRAW || (w->style & BS_NOTIFY))) {
            Notify_Parent_Command(w, BN_DOUBLECLICKED);
            return 0;
        }
        s->pushed = true;
        w->needs_paint = true;
        SetCapture(w->handle());
        if (Find_Window(w->handle()) && Focus_Window() != w) SetFocus(w->handle());
        return 0;
    case WM_LBUTTONUP: {
        if (!Find_Window(w->handle())) return 0;
        const bool was_pushed = s->pushed;
        s->pushed = false;
        w->needs_paint = true;
        if (GetCapture() == w->handle()) ReleaseCapture();
        if (was_pushed && w->enabled && Find_Window(w->handle()) && Inside_Client(w, lParam)) Button_Clicked(w);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) Send(w, BM_CLICK, 0, 0);
        return 0;
    case WM_GETDLGCODE: {
        const UINT t = Button_Type(w);
        if (t == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (t == BS_PUSHBUTTON || t == BS_OWNERDRAW) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (Is_Radio(w)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (t == BS_GROUPBOX) return DLGC_STATIC;
        return DLGC_BUTTON;
    }
    case WM_SETFOCUS:
        if (w->style & BS_NOTIFY) Notify_Parent_Command(w, BN_SETFOCUS);
        w->needs_paint = true;
        return 0;
    case WM_KILLFOCUS:
        if (w->style & BS_NOTIFY) Notify_Parent_Command(w, BN_KILLFOCUS);
        w->needs_paint = true;
        return 0;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

// ---- statics -------------------------------------------------------------------

LRESULT Static_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Static_State>();
    switch (msg) {
    case STM_SETICON:
    case STM_SETIMAGE: {
        HANDLE old = s->image;
        s->image = reinterpret_cast<HANDLE>(msg == STM_SETICON ? static_cast<LPARAM>(wParam) : lParam);
        w->needs_paint = true;
        return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
    case STM_GETIMAGE: return reinterpret_cast<LRESULT>(s->image);
    case WM_LBUTTONUP:
        if ((w->style & SS_NOTIFY) && w->enabled) Notify_Parent_Command(w, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if ((w->style & SS_NOTIFY) && w->enabled) Notify_Parent_Command(w, STN_DBLCLK);
        return 0;
    case WM_NCHITTEST: return (w->style & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

// ---- edits ---------------------------------------------------------------------

std::wstring Filter_Typed(Window* w, const std::wstring& typed) {
    std::wstring out;
    for (wchar_t c : typed) {
        if ((w->style & ES_NUMBER) && !(c >= L'0' && c <= L'9')) continue;
        if (!(w->style & ES_MULTILINE) && (c == L'\r' || c == L'\n')) continue;
        if (w->style & ES_UPPERCASE) c = static_cast<wchar_t>(std::towupper(c));
        if (w->style & ES_LOWERCASE) c = static_cast<wchar_t>(std::towlower(c));
        out += c;
    }
    return out;
}

// Replaces the selection as typing or pasting would; false when nothing changed.
bool Edit_Replace_Selection(Window* w, const std::wstring& typed, bool as_user) {
    auto* s = w->state<Edit_State>();
    const int len = static_cast<int>(w->text.size());
    int a = std::clamp(std::min(s->sel_start, s->sel_end), 0, len);
    int b = std::clamp(std::max(s->sel_start, s->sel_end), 0, len);
    std::wstring insert = as_user ? Filter_Typed(w, typed) : typed;
    if (as_user && s->limit) {
        const size_t room = s->limit > (w->text.size() - (b - a)) ? s->limit - (w->text.size() - (b - a)) : 0;
        if (insert.size() > room) {
            insert.resize(room);
            Notify_Parent_Command(w, EN_MAXTEXT);
        }
    }
    if (a == b && insert.empty()) return false;
    w->text.replace(a, b - a, insert);
    s->sel_start = s->sel_end = a + static_cast<int>(insert.size());
    s->modified = true;
    w->needs_paint = true;
    Notify_Parent_Command(w, EN_UPDATE);
    Notify_Parent_Command(w, EN_CHANGE);
    return true;
}

LRESULT Edit_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Edit_State>();
    switch (msg) {
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        s->sel_start = s->sel_end = 0;
        s->modified = false;
        w->needs_paint = true;
        Notify_Parent_Command(w, EN_UPDATE);
        Notify_Parent_Command(w, EN_CHANGE);
        return TRUE;
    case EM_GETSEL:
        if (wParam) *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(s->sel_start);
        if (lParam) *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(s->sel_end);
        return MAKELONG(s->sel_start, s->sel_end);
    case EM_SETSEL: {
        const int len = static_cast<int>(w->text.size());
        int a = static_cast<int>(static_cast<INT_PTR>(wParam)), b = static_cast<int>(lParam);
        if (a == -1) { s->sel_start = s->sel_end = std::clamp(s->sel_end, 0, len); return 0; }
        if (b == -1 || b > len) b = len;
        if (a < 0 || a > len) a = len;
        s->sel_start = std::min(a, b);
        s->sel_end = std::max(a, b);
        w->needs_paint = true;
        return 0;
    }
    case EM_REPLACESEL:
        Edit_Replace_Selection(w, lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"", false);
        return 0;
    case EM_LIMITTEXT:
        s->limit = static_cast<UINT>(wParam);
        return 0;
    case EM_GETLIMITTEXT: return s->limit ? s->limit : 30000;
    case EM_SETREADONLY:
        if (wParam) w->style |= ES_READONLY; else w->style &= ~ES_READONLY;
        w->needs_paint = true;
        return TRUE;
    case EM_GETLINECOUNT: return 1 + std::count(w->text.begin(), w->text.end(), L'\n');
    case EM_GETMODIFY: return s->modified;
    case EM_SETMODIFY: s->modified = wParam != 0; return 0;
    case EM_UNDO: return FALSE;
    case WM_CHAR: {
        if (w->style & ES_READONLY) return 0;
        const wchar_t c = static_cast<wchar_t>(wParam);
        if (c == L'\b') {
            if (s->sel_start == s->sel_end && s->sel_start > 0) --s->sel_start;
            Edit_Replace_Selection(w, L"", true);
        } else if (c >= 0x20 || ((w->style & ES_MULTILINE) && c == L'\r')) {
            Edit_Replace_Selection(w, std::wstring(1, c == L'\r' ? L'\n' : c), true);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        if (w->enabled && Focus_Window() != w) SetFocus(w->handle());
        return 0;
    case WM_SETFOCUS:
        w->needs_paint = true;
        Notify_Parent_Command(w, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        w->needs_paint = true;
        Notify_Parent_Command(w, EN_KILLFOCUS);
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

// ---- dialogs -------------------------------------------------------------------

struct Dialog_State : Control_Data {
    int def_id = IDOK;
};

LRESULT Dialog_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        // The close box is Cancel.
        Send(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w->handle(), IDCANCEL)));
        return 0;
    case DM_GETDEFID: return MAKELONG(w->state<Dialog_State>()->def_id, DC_HASDEFID);
    case DM_SETDEFID: w->state<Dialog_State>()->def_id = static_cast<int>(wParam); return TRUE;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

LRESULT Plain_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default_Window_Proc(w, msg, wParam, lParam);
}

const bool g_registered = [] {
    Register_Window_Class(L"AfxWnd", Plain_Proc);
    Register_Window_Class(L"#32770", Dialog_Proc);
    Register_Window_Class(L"Button", Button_Proc, Make_Object<CButton>);
    Register_Window_Class(L"Static", Static_Proc, Make_Object<CStatic>);
    Register_Window_Class(L"Edit", Edit_Proc, Make_Object<CEdit>);
    return true;
}();

}  // namespace

bool Edit_Type_Text(Window* edit, const std::wstring& text) {
    auto* s = edit->state<Edit_State>();
    s->sel_start = 0;
    s->sel_end = static_cast<int>(edit->text.size());
    return Edit_Replace_Selection(edit, text, true);
}

LRESULT Default_Window_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE: return TRUE;
    case WM_CREATE: return 0;
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        w->needs_paint = true;
        return TRUE;
    case WM_GETTEXT: return Copy_Text(w->text, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_SETFONT:
        w->font = reinterpret_cast<HFONT>(wParam);
        if (lParam) w->needs_paint = true;
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(w->font);
    case WM_SETICON: {
        HICON& slot = wParam == ICON_BIG ? w->icon_big : w->icon_small;
        HICON old = slot;
        slot = reinterpret_cast<HICON>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case WM_GETICON: return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->icon_big : w->icon_small);
    case WM_CLOSE: DestroyWindow(w->handle()); return 0;
    case WM_NCHITTEST: return HTCLIENT;
    case WM_NCLBUTTONDOWN:
        if (wParam == HTCAPTION && !(w->style & WS_CHILD)) Move_By_Caption(w);
        return 0;
    case WM_PAINT:
    case WM_ERASEBKGND: return Paint_Standard(w, msg, wParam);
    case WM_CONTEXTMENU:
        if (w->parent && (w->style & WS_CHILD)) return Send(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    case WM_SETCURSOR:
        // The parent decides first; else the client area shows the arrow.
        if (w->parent && (w->style & WS_CHILD) && Send(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
        if (LOWORD(lParam) == HTCLIENT) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return FALSE;
    default: return 0;
    }
}

}  // namespace platform
