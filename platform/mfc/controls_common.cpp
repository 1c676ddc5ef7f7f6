// Built-in behaviour of progress bars, trackbars, tabs, up-down controls, date pickers
// and tooltips.
#include <algorithm>

#include "mfc/afxcmn.h"
#include "mfc/control_state.h"

namespace platform {

namespace {

LRESULT Progress_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Range_State>();
    auto set_pos = [&](int pos) {
        const int old = s->pos;
        s->pos = std::clamp(pos, std::min(s->low, s->high), std::max(s->low, s->high));
        w->needs_paint = true;
        return old;
    };
    switch (msg) {
    case PBM_SETRANGE: {
        const LRESULT old = MAKELONG(s->low, s->high);
        s->low = LOWORD(lParam), s->high = HIWORD(lParam);
        set_pos(s->pos);
        return old;
    }
    case PBM_SETRANGE32: {
        const LRESULT old = MAKELONG(s->low, s->high);
        s->low = static_cast<int>(wParam), s->high = static_cast<int>(lParam);
        set_pos(s->pos);
        return old;
    }
    case PBM_GETRANGE: {
        if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = PBRANGE{s->low, s->high};
        return wParam ? s->low : s->high;
    }
    case PBM_SETPOS: return set_pos(static_cast<int>(wParam));
    case PBM_DELTAPOS: return set_pos(s->pos + static_cast<int>(wParam));
    case PBM_GETPOS: return s->pos;
    case PBM_SETSTEP: {
        const int old = s->step;
        s->step = static_cast<int>(wParam);
        return old;
    }
    case PBM_STEPIT: {
        // Past the upper end the bar starts again from the lower end, as Windows does.
        int pos = s->pos + s->step;
        if (pos > s->high) pos = s->low + (pos - s->high);
        if (pos < s->low) pos = s->high - (s->low - pos);
        const int old = s->pos;
        s->pos = pos;
        w->needs_paint = true;
        return old;
    }
    case PBM_SETBARCOLOR: { const COLORREF old = s->bar; s->bar = static_cast<COLORREF>(lParam); return old; }
    case PBM_SETBKCOLOR: { const COLORREF old = s->back; s->back = static_cast<COLORREF>(lParam); return old; }
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

LRESULT Trackbar_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Range_State>();
    if (msg == WM_CREATE) s->high = 100, s->page = 20;
    switch (msg) {
    case TBM_GETPOS: return s->pos;
    case TBM_GETRANGEMIN: return s->low;
    case TBM_GETRANGEMAX: return s->high;
    case TBM_SETPOS:
        s->pos = std::clamp(static_cast<int>(lParam), s->low, std::max(s->low, s->high));
        w->needs_paint = true;
        return 0;
    case TBM_SETRANGE:
        s->low = static_cast<short>(LOWORD(lParam)), s->high = static_cast<short>(HIWORD(lParam));
        s->pos = std::clamp(s->pos, s->low, std::max(s->low, s->high));
        return 0;
    case TBM_SETRANGEMIN: s->low = static_cast<int>(lParam); s->pos = std::max(s->pos, s->low); return 0;
    case TBM_SETRANGEMAX: s->high = static_cast<int>(lParam); s->pos = std::min(s->pos, s->high); return 0;
    case TBM_SETPAGESIZE: { const int old = s->page; s->page = static_cast<int>(lParam); return old; }
    case TBM_SETLINESIZE: { const int old = s->line; s->line = static_cast<int>(lParam); return old; }
    case TBM_SETTICFREQ: return 0;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

LRESULT Up_Down_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Range_State>();
    if (msg == WM_CREATE) s->low = 100, s->high = 0;
    switch (msg) {
    case UDM_SETRANGE: s->low = static_cast<short>(HIWORD(lParam)), s->high = static_cast<short>(LOWORD(lParam)); return 0;
    case UDM_SETRANGE32: s->low = static_cast<int>(wParam), s->high = static_cast<int>(lParam); return 0;
    case UDM_GETRANGE: return MAKELONG(s->high, s->low);
    case UDM_GETRANGE32:
        if (wParam) *reinterpret_cast<int*>(wParam) = s->low;
        if (lParam) *reinterpret_cast<int*>(lParam) = s->high;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int old = s->pos;
        s->pos = static_cast<int>(msg == UDM_SETPOS ? static_cast<short>(LOWORD(lParam)) : lParam);
        if ((w->style & UDS_SETBUDDYINT) && s->buddy) SetWindowTextW(s->buddy, std::to_wstring(s->pos).c_str());
        return old;
    }
    case UDM_GETPOS:
    case UDM_GETPOS32: return s->pos;
    case UDM_SETBUDDY: { HWND old = s->buddy; s->buddy = reinterpret_cast<HWND>(wParam); return reinterpret_cast<LRESULT>(old); }
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(s->buddy);
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

LRESULT Tab_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Tab_State>();
    const int n = static_cast<int>(s->items.size());
    switch (msg) {
    case TCM_INSERTITEMW: {
        auto* it = reinterpret_cast<const TCITEMW*>(lParam);
        if (!it) return -1;
        Tab_Item item;
        if ((it->mask & TCIF_TEXT) && it->pszText) item.text = it->pszText;
        if (it->mask & TCIF_PARAM) item.data = it->lParam;
        if (it->mask & TCIF_IMAGE) item.image = it->iImage;
        const int at = std::clamp(static_cast<int>(wParam), 0, n);
        s->items.insert(s->items.begin() + at, item);
        if (s->cur_sel < 0) s->cur_sel = 0;
        else if (s->cur_sel >= at && n > 0) ++s->cur_sel;
        w->needs_paint = true;
        return at;
    }
    case TCM_SETITEMW:
    case TCM_GETITEMW: {
        auto* it = reinterpret_cast<TCITEMW*>(lParam);
        if (!it || wParam >= static_cast<WPARAM>(n)) return FALSE;
        auto& item = s->items[wParam];
        if (msg == TCM_SETITEMW) {
            if ((it->mask & TCIF_TEXT) && it->pszText) item.text = it->pszText;
            if (it->mask & TCIF_PARAM) item.data = it->lParam;
            if (it->mask & TCIF_IMAGE) item.image = it->iImage;
            w->needs_paint = true;
        } else {
            if ((it->mask & TCIF_TEXT) && it->pszText && it->cchTextMax > 0) {
                const size_t k = std::min<size_t>(item.text.size(), it->cchTextMax - 1);
                std::copy_n(item.text.begin(), k, it->pszText);
                it->pszText[k] = 0;
            }
            if (it->mask & TCIF_PARAM) it->lParam = item.data;
            if (it->mask & TCIF_IMAGE) it->iImage = item.image;
        }
        return TRUE;
    }
    case TCM_DELETEITEM:
        if (wParam >= static_cast<WPARAM>(n)) return FALSE;
        s->items.erase(s->items.begin() + static_cast<long>(wParam));
        if (s->cur_sel >= static_cast<int>(s->items.size())) s->cur_sel = static_cast<int>(s->items.size()) - 1;
        w->needs_paint = true;
        return TRUE;
    case TCM_DELETEALLITEMS: s->items.clear(); s->cur_sel = -1; w->needs_paint = true; return TRUE;
    case TCM_GETITEMCOUNT: return n;
    case TCM_GETCURSEL: return s->cur_sel;
    case TCM_SETCURSEL: {
        const int old = s->cur_sel;
        const int index = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (index < 0 || index >= n) return -1;
        s->cur_sel = index;
        w->needs_paint = true;
        return old;
    }
    case TCM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r || wParam >= static_cast<WPARAM>(n)) return FALSE;
        int x = 2;
        const int h = Measure_Text(w->font, L"Ag").cy + 6;
        for (int i = 0; i < static_cast<int>(wParam); ++i) x += Measure_Text(w->font, s->items[i].text).cx + 12;
        *r = RECT{x, 2, x + Measure_Text(w->font, s->items[wParam].text).cx + 12, 2 + h};
        return TRUE;
    }
    case TCM_ADJUSTRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r) return 0;
        const int h = Measure_Text(w->font, L"Ag").cy + 8;
        if (wParam) r->left -= 4, r->right += 4, r->top -= h + 2, r->bottom += 4;
        else r->left += 4, r->right -= 4, r->top += h + 2, r->bottom -= 4;
        return 0;
    }
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

// yyyymmddhhmmss, for comparing dates.
long long Date_Key(const SYSTEMTIME& t) {
    return ((((t.wYear * 100LL + t.wMonth) * 100 + t.wDay) * 100 + t.wHour) * 100 + t.wMinute) * 100 + t.wSecond;
}

// A date moved into the picker's range, as the picker does.
SYSTEMTIME Clamp_Date(const Date_State* s, SYSTEMTIME t) {
    if ((s->range_flags & GDTR_MIN) && Date_Key(t) < Date_Key(s->range[0])) t = s->range[0];
    if ((s->range_flags & GDTR_MAX) && Date_Key(t) > Date_Key(s->range[1])) t = s->range[1];
    return t;
}

LRESULT Date_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = w->state<Date_State>();
    if (msg == WM_CREATE) GetLocalTime(&s->time);
    switch (msg) {
    case DTM_GETSYSTEMTIME:
        if (s->none) return GDT_NONE;
        if (lParam) *reinterpret_cast<SYSTEMTIME*>(lParam) = s->time;
        return GDT_VALID;
    case DTM_SETSYSTEMTIME:
        if (wParam == GDT_NONE) {
            if (!(w->style & DTS_SHOWNONE)) return FALSE;
            s->none = true;
        } else {
            if (!lParam) return FALSE;
            s->time = Clamp_Date(s, *reinterpret_cast<const SYSTEMTIME*>(lParam));
            s->none = false;
        }
        w->needs_paint = true;
        return TRUE;
    case DTM_SETRANGE:
        if (!lParam) return FALSE;
        s->range_flags = static_cast<DWORD>(wParam) & (GDTR_MIN | GDTR_MAX);
        std::copy_n(reinterpret_cast<const SYSTEMTIME*>(lParam), 2, s->range);
        s->time = Clamp_Date(s, s->time);
        return TRUE;
    case DTM_GETRANGE:
        if (lParam) std::copy_n(s->range, 2, reinterpret_cast<SYSTEMTIME*>(lParam));
        return s->range_flags;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

LRESULT Scroll_Bar_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    return msg >= WM_USER ? 0 : Default_Window_Proc(w, msg, wParam, lParam);
}

const bool g_registered = [] {
    Register_Window_Class(L"msctls_progress32", Progress_Proc, Make_Object<CProgressCtrl>);
    Register_Window_Class(L"msctls_trackbar32", Trackbar_Proc, Make_Object<CSliderCtrl>);
    Register_Window_Class(L"msctls_updown32", Up_Down_Proc, Make_Object<CSpinButtonCtrl>);
    Register_Window_Class(L"SysTabControl32", Tab_Proc, Make_Object<CTabCtrl>);
    Register_Window_Class(L"SysDateTimePick32", Date_Proc, Make_Object<CDateTimeCtrl>);
    Register_Window_Class(L"ScrollBar", Scroll_Bar_Proc, Make_Object<CScrollBar>);
    return true;
}();

}  // namespace

bool Tab_User_Choose(Window* tab, int index) {
    auto* s = tab->state<Tab_State>();
    if (index < 0 || index >= static_cast<int>(s->items.size()) || !tab->enabled) return false;
    NMHDR changing{};
    if (Notify_Parent(tab, &changing, TCN_SELCHANGING)) return true;
    if (!Find_Window(tab->handle())) return true;
    s->cur_sel = index;
    tab->needs_paint = true;
    NMHDR changed{};
    Notify_Parent(tab, &changed, TCN_SELCHANGE);
    return true;
}

bool Trackbar_User_Move(Window* trackbar, int pos) {
    auto* s = trackbar->state<Range_State>();
    if (!trackbar->enabled || !trackbar->parent) return false;
    s->pos = std::clamp(pos, s->low, std::max(s->low, s->high));
    trackbar->needs_paint = true;
    const UINT message = (trackbar->style & TBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    const LPARAM from = reinterpret_cast<LPARAM>(trackbar->handle());
    Send(trackbar->parent, message, MAKEWPARAM(TB_THUMBPOSITION, s->pos), from);
    if (Find_Window(trackbar->handle())) Send(trackbar->parent, message, MAKEWPARAM(TB_ENDTRACK, 0), from);
    return true;
}

bool Date_User_Set(Window* picker, const SYSTEMTIME& time) {
    auto* s = picker->state<Date_State>();
    if (!picker->enabled) return false;
    s->time = Clamp_Date(s, time);
    s->none = false;
    picker->needs_paint = true;
    NMDATETIMECHANGE nm{};
    nm.dwFlags = GDT_VALID;
    nm.st = s->time;
    Notify_Parent(picker, &nm.nmhdr, DTN_DATETIMECHANGE);
    return true;
}

}  // namespace platform
