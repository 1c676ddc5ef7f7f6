// Built-in behaviour of combo boxes and list boxes.
#include <algorithm>
#include <cwctype>

#include "mfc/afxwin.h"
#include "mfc/control_state.h"

namespace platform {

namespace {

std::wstring Lower(const std::wstring& s) {
    std::wstring out(s);
    for (auto& c : out) c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

const wchar_t* Text_Of(LPARAM lParam) { return lParam ? reinterpret_cast<const wchar_t*>(lParam) : L""; }

bool Has_Strings(Window* w, bool combo) {
    const DWORD od = combo ? (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE) : (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
    const DWORD hs = combo ? CBS_HASSTRINGS : LBS_HASSTRINGS;
    return !(w->style & od) || (w->style & hs);
}

int Insert(List_State* s, int index, List_Item item) {
    if (index < 0 || index > static_cast<int>(s->items.size())) index = static_cast<int>(s->items.size());
    s->items.insert(s->items.begin() + index, std::move(item));
    if (s->cur_sel >= index) ++s->cur_sel;
    return index;
}

int Sorted_Index(List_State* s, const std::wstring& text) {
    const std::wstring key = Lower(text);
    int i = 0;
    while (i < static_cast<int>(s->items.size()) && Lower(s->items[i].text) <= key) ++i;
    return i;
}

// Search after `start` (wrapping); exact or by prefix, without regard to case.
int Find(List_State* s, int start, const std::wstring& text, bool exact) {
    const int n = static_cast<int>(s->items.size());
    if (n == 0) return -1;
    const std::wstring key = Lower(text);
    if (start < -1 || start >= n) start = -1;
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        const std::wstring t = Lower(s->items[i].text);
        if (exact ? t == key : t.compare(0, key.size(), key) == 0) return i;
    }
    return -1;
}

LRESULT Copy_Item(const List_State* s, WPARAM index, LPARAM buffer) {
    if (index >= s->items.size()) return -1;
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    const std::wstring& t = s->items[index].text;
    if (out) {
        std::copy(t.begin(), t.end(), out);
        out[t.size()] = 0;
    }
    return static_cast<LRESULT>(t.size());
}

// Messages both kinds share; `handled` false for the others.
LRESULT Common_List(Window* w, List_State* s, bool combo, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const int n = static_cast<int>(s->items.size());
    const DWORD sort = combo ? CBS_SORT : LBS_SORT;
    auto item_of = [&](LPARAM lp) {
        List_Item item;
        if (Has_Strings(w, combo)) item.text = Text_Of(lp);
        else item.data = static_cast<DWORD_PTR>(lp);
        return item;
    };
    switch (msg) {
    case CB_ADDSTRING:
    case LB_ADDSTRING: {
        List_Item item = item_of(lParam);
        const int at = (w->style & sort) && Has_Strings(w, combo) ? Sorted_Index(s, item.text) : n;
        w->needs_paint = true;
        return Insert(s, at, std::move(item));
    }
    case CB_INSERTSTRING:
    case LB_INSERTSTRING:
        w->needs_paint = true;
        return Insert(s, static_cast<int>(static_cast<INT_PTR>(wParam)), item_of(lParam));
    case CB_DELETESTRING:
    case LB_DELETESTRING: {
        if (wParam >= static_cast<WPARAM>(n)) return -1;
        s->items.erase(s->items.begin() + static_cast<long>(wParam));
        if (s->cur_sel == static_cast<int>(wParam)) s->cur_sel = -1;
        else if (s->cur_sel > static_cast<int>(wParam)) --s->cur_sel;
        w->needs_paint = true;
        return n - 1;
    }
    case CB_RESETCONTENT:
    case LB_RESETCONTENT:
        s->items.clear();
        s->cur_sel = -1;
        s->top = 0;
        if (combo && (w->style & 3) == CBS_DROPDOWNLIST) w->text.clear();
        w->needs_paint = true;
        return 0;
    case CB_GETCOUNT:
    case LB_GETCOUNT: return n;
    case CB_GETLBTEXT:
    case LB_GETTEXT: return Copy_Item(s, wParam, lParam);
    case CB_GETLBTEXTLEN:
    case LB_GETTEXTLEN: return wParam < static_cast<WPARAM>(n) ? static_cast<LRESULT>(s->items[wParam].text.size()) : -1;
    case CB_FINDSTRING:
    case LB_FINDSTRING: return Find(s, static_cast<int>(static_cast<INT_PTR>(wParam)), Text_Of(lParam), false);
    case CB_FINDSTRINGEXACT:
    case LB_FINDSTRINGEXACT: return Find(s, static_cast<int>(static_cast<INT_PTR>(wParam)), Text_Of(lParam), true);
    case CB_GETITEMDATA:
    case LB_GETITEMDATA: return wParam < static_cast<WPARAM>(n) ? static_cast<LRESULT>(s->items[wParam].data) : -1;
    case CB_SETITEMDATA:
    case LB_SETITEMDATA:
        if (wParam >= static_cast<WPARAM>(n)) return -1;
        s->items[wParam].data = static_cast<DWORD_PTR>(lParam);
        return 0;
    case CB_SETITEMHEIGHT:
    case LB_SETITEMHEIGHT:
        if (w->style & (combo ? CBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWVARIABLE)) {
            if (wParam < static_cast<WPARAM>(n)) s->items[wParam].height = static_cast<int>(lParam);
        } else {
            s->item_height = static_cast<int>(lParam);
        }
        w->needs_paint = true;
        return 0;
    case CB_GETITEMHEIGHT:
    case LB_GETITEMHEIGHT:
        if ((w->style & (combo ? CBS_OWNERDRAWVARIABLE : LBS_OWNERDRAWVARIABLE)) && wParam < static_cast<WPARAM>(n) &&
            s->items[wParam].height > 0)
            return s->items[wParam].height;
        return List_Box_Item_Height(w);
    default: handled = false; return 0;
    }
}

// ---- combo boxes ---------------------------------------------------------------

bool Is_Drop_List(Window* w) { return (w->style & 3) == CBS_DROPDOWNLIST; }

void Combo_Select(Window* w, List_State* s, int index) {
    s->cur_sel = (index >= 0 && index < static_cast<int>(s->items.size())) ? index : -1;
    w->text = s->cur_sel >= 0 ? s->items[s->cur_sel].text : std::wstring();
    w->needs_paint = true;
}

LRESULT Combo_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<List_State>();
    bool handled = false;
    const LRESULT r = Common_List(w, s, true, msg, wParam, lParam, handled);
    if (handled) {
        if (msg == CB_DELETESTRING && s->cur_sel < 0 && Is_Drop_List(w)) w->text.clear();
        return r;
    }
    switch (msg) {
    case CB_GETCURSEL: return s->cur_sel;
    case CB_SETCURSEL: {
        const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
        Combo_Select(w, s, index);
        return (index >= 0 && index < static_cast<int>(s->items.size())) ? index : CB_ERR;
    }
    case CB_SELECTSTRING: {
        const int i = Find(s, static_cast<int>(static_cast<INT_PTR>(wParam)), Text_Of(lParam), false);
        if (i >= 0) Combo_Select(w, s, i);
        return i;
    }
    case CB_GETDROPPEDSTATE: return s->dropped;
    case CB_SHOWDROPDOWN:
        if ((wParam != 0) != s->dropped) {
            s->dropped = wParam != 0;
            Notify_Parent_Command(w, s->dropped ? CBN_DROPDOWN : CBN_CLOSEUP);
        }
        return TRUE;
    case CB_LIMITTEXT: s->edit_limit = static_cast<UINT>(wParam); return TRUE;
    case CB_SETDROPPEDWIDTH: s->dropped_width = static_cast<int>(wParam); return s->dropped_width;
    case CB_GETEDITSEL: return MAKELONG(0, static_cast<int>(w->text.size()));
    case CB_SETEDITSEL: return Is_Drop_List(w) ? CB_ERR : TRUE;
    case CB_GETDROPPEDCONTROLRECT:
        if (lParam) GetWindowRect(w->handle(), reinterpret_cast<RECT*>(lParam));
        return TRUE;
    case WM_SETTEXT:
        if (Is_Drop_List(w)) {
            const int i = Find(s, -1, Text_Of(lParam), true);
            if (i < 0) return CB_ERR;
            Combo_Select(w, s, i);
            return TRUE;
        }
        w->text = Text_Of(lParam);
        s->cur_sel = Find(s, -1, w->text, true);
        w->needs_paint = true;
        return TRUE;
    case WM_LBUTTONDOWN:
        if (w->enabled && Focus_Window() != w) SetFocus(w->handle());
        return 0;
    case WM_SETFOCUS: Notify_Parent_Command(w, CBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: Notify_Parent_Command(w, CBN_KILLFOCUS); return 0;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_WANTARROWS;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

// ---- list boxes ----------------------------------------------------------------

bool Multi(Window* w) { return (w->style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

LRESULT List_Box_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<List_State>();
    bool handled = false;
    const LRESULT r = Common_List(w, s, false, msg, wParam, lParam, handled);
    if (handled) return r;
    const int n = static_cast<int>(s->items.size());
    switch (msg) {
    case LB_GETCURSEL:
        if (Multi(w)) return s->caret < n ? s->caret : -1;
        return s->cur_sel;
    case LB_SETCURSEL: {
        if (Multi(w)) return LB_ERR;
        const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
        for (auto& item : s->items) item.selected = false;
        s->cur_sel = (index >= 0 && index < n) ? index : -1;
        if (s->cur_sel >= 0) s->items[s->cur_sel].selected = true, s->caret = s->cur_sel;
        w->needs_paint = true;
        return (index >= 0 && index < n) ? index : LB_ERR;
    }
    case LB_SETSEL: {
        if (!Multi(w)) return LB_ERR;
        const int index = static_cast<int>(lParam);
        if (index == -1) {
            for (auto& item : s->items) item.selected = wParam != 0;
        } else if (index >= 0 && index < n) {
            s->items[index].selected = wParam != 0;
        } else {
            return LB_ERR;
        }
        w->needs_paint = true;
        return 0;
    }
    case LB_GETSEL: return wParam < static_cast<WPARAM>(n) ? (s->items[wParam].selected ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT:
        if (!Multi(w)) return LB_ERR;
        return std::count_if(s->items.begin(), s->items.end(), [](const List_Item& i) { return i.selected; });
    case LB_GETSELITEMS: {
        if (!Multi(w)) return LB_ERR;
        auto* out = reinterpret_cast<int*>(lParam);
        int k = 0;
        for (int i = 0; i < n && k < static_cast<int>(wParam); ++i)
            if (s->items[i].selected) out[k++] = i;
        return k;
    }
    case LB_SELECTSTRING: {
        const int i = Find(s, static_cast<int>(static_cast<INT_PTR>(wParam)), Text_Of(lParam), false);
        if (i >= 0 && !Multi(w)) Send(w, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        return i;
    }
    case LB_GETTOPINDEX: return s->top;
    case LB_SETTOPINDEX:
        if (wParam >= static_cast<WPARAM>(std::max(n, 1))) return LB_ERR;
        s->top = static_cast<int>(wParam);
        w->needs_paint = true;
        return 0;
    case LB_GETCARETINDEX: return s->caret;
    case LB_SETCARETINDEX:
        if (wParam >= static_cast<WPARAM>(n)) return LB_ERR;
        s->caret = static_cast<int>(wParam);
        return 0;
    case LB_GETITEMRECT: {
        if (wParam >= static_cast<WPARAM>(std::max(n, 1)) || !lParam) return LB_ERR;
        auto* rect = reinterpret_cast<RECT*>(lParam);
        const RECT c = Client_Rect(w);
        int y = 0;
        for (int i = s->top; i < static_cast<int>(wParam); ++i) y += static_cast<int>(Send(w, LB_GETITEMHEIGHT, i, 0));
        *rect = RECT{0, y, c.right, y + static_cast<int>(Send(w, LB_GETITEMHEIGHT, wParam, 0))};
        return 0;
    }
    case LB_ITEMFROMPOINT: {
        const int y = GET_Y_LPARAM(lParam);
        int top = 0;
        for (int i = s->top; i < n; ++i) {
            const int h = static_cast<int>(Send(w, LB_GETITEMHEIGHT, i, 0));
            if (y >= top && y < top + h) return MAKELONG(i, 0);
            top += h;
        }
        return MAKELONG(std::max(n - 1, 0), 1);
    }
    case WM_LBUTTONDOWN: {
        if (!w->enabled) return 0;
        if (Focus_Window() != w) SetFocus(w->handle());
        const LRESULT hit = Send(w, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) || n == 0) return 0;
        const int i = LOWORD(hit);
        if (Multi(w)) {
            s->items[i].selected = !s->items[i].selected;
            s->caret = i;
        } else {
            for (auto& item : s->items) item.selected = false;
            s->items[i].selected = true;
            s->cur_sel = s->caret = i;
        }
        w->needs_paint = true;
        if (w->style & LBS_NOTIFY) Notify_Parent_Command(w, LBN_SELCHANGE);
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        if (w->enabled && (w->style & LBS_NOTIFY)) Notify_Parent_Command(w, LBN_DBLCLK);
        return 0;
    case WM_SETFOCUS: if (w->style & LBS_NOTIFY) Notify_Parent_Command(w, LBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: if (w->style & LBS_NOTIFY) Notify_Parent_Command(w, LBN_KILLFOCUS); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

const bool g_registered = [] {
    Register_Window_Class(L"ComboBox", Combo_Proc, Make_Object<CComboBox>);
    Register_Window_Class(L"ListBox", List_Box_Proc, Make_Object<CListBox>);
    return true;
}();

}  // namespace

int List_Box_Item_Height(Window* list) {
    auto* s = list->state<List_State>();
    if (s->item_height > 0) return s->item_height;
    return Measure_Text(list->font, L"Ag").cy + 2;
}

// The user picks item `index` of a combo box's list (CBN_SELCHANGE as on Windows).
bool Combo_User_Choose(Window* w, int index) {
    auto* s = w->state<List_State>();
    if (index < 0 || index >= static_cast<int>(s->items.size()) || !w->enabled) return false;
    Send(w, CB_SHOWDROPDOWN, TRUE, 0);
    if (!Find_Window(w->handle())) return true;
    Combo_Select(w, s, index);
    Notify_Parent_Command(w, CBN_SELCHANGE);
    if (!Find_Window(w->handle())) return true;
    Notify_Parent_Command(w, CBN_SELENDOK);
    if (Find_Window(w->handle())) Send(w, CB_SHOWDROPDOWN, FALSE, 0);
    return true;
}

// The user types the text of a drop-down combo box's edit.
bool Combo_User_Type(Window* w, const std::wstring& text) {
    if (Is_Drop_List(w) || !w->enabled) return false;
    auto* s = w->state<List_State>();
    w->text = s->edit_limit && text.size() > s->edit_limit ? text.substr(0, s->edit_limit) : text;
    s->cur_sel = -1;
    w->needs_paint = true;
    Notify_Parent_Command(w, CBN_EDITUPDATE);
    if (Find_Window(w->handle())) Notify_Parent_Command(w, CBN_EDITCHANGE);
    return true;
}

}  // namespace platform
