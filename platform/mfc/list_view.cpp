// Built-in behaviour of the list control (report view) and its header.
#include <algorithm>

#include "mfc/afxcmn.h"
#include "mfc/control_state.h"

namespace platform {

namespace {

List_View_State* LV(Window* w) { return w->state<List_View_State>(); }

int Count(Window* w) { return static_cast<int>(LV(w)->items.size()); }

void Item_Changed(Window* w, int item, UINT old_state, UINT new_state) {
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.uOldState = old_state;
    nm.uNewState = new_state;
    nm.uChanged = LVIF_STATE;
    nm.lParam = LV(w)->items[item].data;
    Notify_Parent(w, &nm.hdr, LVN_ITEMCHANGED);
}

void Set_State(Window* w, int item, UINT state, UINT mask) {
    auto& items = LV(w)->items;
    if (item == -1) {
        for (int i = 0; i < static_cast<int>(items.size()); ++i) Set_State(w, i, state, mask);
        return;
    }
    if (item < 0 || item >= static_cast<int>(items.size())) return;
    const UINT old_state = items[item].state;
    const UINT new_state = (old_state & ~mask) | (state & mask);
    if (new_state == old_state) return;
    items[item].state = new_state;
    w->needs_paint = true;
    Item_Changed(w, item, old_state, new_state);
}

void Select_Only(Window* w, int item) {
    for (int i = 0; i < Count(w) && Find_Window(w->handle()); ++i)
        if (i != item) Set_State(w, i, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (item >= 0 && Find_Window(w->handle()))
        Set_State(w, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int Column_Left(Window* w, int column) {
    int x = 0;
    for (int c = 0; c < column && c < static_cast<int>(LV(w)->columns.size()); ++c) x += LV(w)->columns[c].width;
    return x;
}

int Total_Width(Window* w) { return Column_Left(w, static_cast<int>(LV(w)->columns.size())); }

void Hit_Test(Window* w, LVHITTESTINFO* info, bool sub_item) {
    info->iItem = -1;
    info->iSubItem = -1;
    info->flags = LVHT_NOWHERE;
    const int header = List_View_Header_Height(w), row = List_View_Row_Height(w);
    const int y = info->pt.y - header;
    if (info->pt.y < header) {
        info->flags = LVHT_ABOVE;
        return;
    }
    const int item = LV(w)->top + y / row;
    if (item >= Count(w)) {
        info->flags = LVHT_BELOW;
        return;
    }
    const int ncol = static_cast<int>(LV(w)->columns.size());
    int col = -1;
    for (int c = 0; c < ncol; ++c)
        if (info->pt.x >= Column_Left(w, c) && info->pt.x < Column_Left(w, c + 1)) col = c;
    const bool full_row = (LV(w)->ex_style & LVS_EX_FULLROWSELECT) != 0;
    if (col < 0 || (!full_row && !sub_item && col != 0)) return;
    info->iItem = item;
    info->iSubItem = sub_item ? col : 0;
    const bool on_check = (LV(w)->ex_style & LVS_EX_CHECKBOXES) && col == 0 && info->pt.x < 18;
    info->flags = on_check ? LVHT_ONITEMSTATEICON : LVHT_ONITEMLABEL;
}

int Text_Width(Window* w, const std::wstring& text) { return Measure_Text(w->font, text).cx; }

void Auto_Size(Window* w, int column, bool use_header) {
    auto* s = LV(w);
    int width = 0;
    for (const auto& item : s->items)
        if (column < static_cast<int>(item.texts.size()))
            width = std::max(width, Text_Width(w, item.texts[column]));
    width += column == 0 ? 8 : 12;
    if (column == 0 && (s->ex_style & LVS_EX_CHECKBOXES)) width += 18;
    if (use_header) {
        width = std::max(width, Text_Width(w, s->columns[column].text) + 12);
        if (column == static_cast<int>(s->columns.size()) - 1) {
            const int rest = Client_Rect(w).right - Column_Left(w, column);
            width = std::max(width, rest);
        }
    }
    s->columns[column].width = width;
}

LRESULT Get_Item(Window* w, LVITEMW* it) {
    auto* s = LV(w);
    if (!it || it->iItem < 0 || it->iItem >= Count(w)) return FALSE;
    const auto& item = s->items[it->iItem];
    if (it->mask & LVIF_TEXT) {
        std::wstring t = it->iSubItem < static_cast<int>(item.texts.size()) ? item.texts[it->iSubItem] : L"";
        if (it->pszText && it->cchTextMax > 0) {
            const size_t n = std::min<size_t>(t.size(), it->cchTextMax - 1);
            std::copy_n(t.begin(), n, it->pszText);
            it->pszText[n] = 0;
        }
    }
    if (it->mask & LVIF_STATE) it->state = item.state & it->stateMask;
    if (it->mask & LVIF_PARAM) it->lParam = item.data;
    if (it->mask & LVIF_IMAGE) it->iImage = item.image;
    return TRUE;
}

LRESULT Set_Item(Window* w, const LVITEMW* it) {
    auto* s = LV(w);
    if (!it || it->iItem < 0 || it->iItem >= Count(w)) return FALSE;
    auto& item = s->items[it->iItem];
    if (it->mask & LVIF_TEXT) {
        if (it->iSubItem < 0 || it->iSubItem >= std::max<int>(1, s->columns.size())) return FALSE;
        if (static_cast<int>(item.texts.size()) <= it->iSubItem) item.texts.resize(it->iSubItem + 1);
        item.texts[it->iSubItem] = it->pszText ? it->pszText : L"";
    }
    if (it->mask & LVIF_PARAM) item.data = it->lParam;
    if (it->mask & LVIF_IMAGE) item.image = it->iImage;
    w->needs_paint = true;
    if (it->mask & LVIF_STATE) Set_State(w, it->iItem, it->state, it->stateMask);
    return TRUE;
}

void Send_Click(Window* w, UINT code, LPARAM at) {
    NMITEMACTIVATE nm{};
    LVHITTESTINFO hit{};
    hit.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    Hit_Test(w, &hit, true);
    nm.iItem = hit.iItem;
    nm.iSubItem = hit.iSubItem < 0 ? 0 : hit.iSubItem;
    nm.ptAction = hit.pt;
    if (hit.iItem >= 0) nm.lParam = LV(w)->items[hit.iItem].data;
    if (GetKeyState(VK_CONTROL) & 0x8000) nm.uKeyFlags |= 0x0001;
    if (GetKeyState(VK_SHIFT) & 0x8000) nm.uKeyFlags |= 0x0004;
    Notify_Parent(w, &nm.hdr, code);
}

void Press(Window* w, LPARAM at) {
    if (Focus_Window() != w) SetFocus(w->handle());
    if (!Find_Window(w->handle())) return;
    LVHITTESTINFO hit{};
    hit.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    Hit_Test(w, &hit, false);
    if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON)) {
        const UINT state = LV(w)->items[hit.iItem].state & LVIS_STATEIMAGEMASK;
        Set_State(w, hit.iItem, state == INDEXTOSTATEIMAGEMASK(2) ? INDEXTOSTATEIMAGEMASK(1) : INDEXTOSTATEIMAGEMASK(2),
                  LVIS_STATEIMAGEMASK);
    }
    const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) && !(w->style & LVS_SINGLESEL);
    if (hit.iItem >= 0 && ctrl)
        Set_State(w, hit.iItem, LV(w)->items[hit.iItem].state ^ LVIS_SELECTED, LVIS_SELECTED);
    else
        Select_Only(w, hit.iItem);
}

LRESULT List_View_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* s = LV(w);
    const int n = Count(w);
    switch (msg) {
    case WM_CREATE: {
        RECT r{0, 0, 0, 0};
        s->header = Create_Window(0, L"SysHeader32", L"", WS_CHILD | ((w->style & LVS_NOCOLUMNHEADER) ? 0 : WS_VISIBLE), r, w, 0,
                                  nullptr, nullptr);
        return 0;
    }
    case LVM_GETITEMCOUNT: return n;
    case LVM_INSERTCOLUMNW: {
        auto* col = reinterpret_cast<const LVCOLUMNW*>(lParam);
        if (!col) return -1;
        int at = std::clamp(static_cast<int>(wParam), 0, static_cast<int>(s->columns.size()));
        List_View_Column c;
        if (col->mask & LVCF_TEXT) c.text = col->pszText ? col->pszText : L"";
        if (col->mask & LVCF_WIDTH) c.width = col->cx;
        if (col->mask & LVCF_FMT) c.fmt = col->fmt;
        s->columns.insert(s->columns.begin() + at, c);
        for (auto& item : s->items)
            if (static_cast<int>(item.texts.size()) > at) item.texts.insert(item.texts.begin() + at, L"");
        w->needs_paint = true;
        return at;
    }
    case LVM_GETCOLUMNW: {
        auto* col = reinterpret_cast<LVCOLUMNW*>(lParam);
        if (!col || wParam >= s->columns.size()) return FALSE;
        const auto& c = s->columns[wParam];
        if (col->mask & LVCF_WIDTH) col->cx = c.width;
        if (col->mask & LVCF_FMT) col->fmt = c.fmt;
        if ((col->mask & LVCF_TEXT) && col->pszText && col->cchTextMax > 0) {
            const size_t k = std::min<size_t>(c.text.size(), col->cchTextMax - 1);
            std::copy_n(c.text.begin(), k, col->pszText);
            col->pszText[k] = 0;
        }
        return TRUE;
    }
    case LVM_DELETECOLUMN:
        if (wParam >= s->columns.size()) return FALSE;
        s->columns.erase(s->columns.begin() + static_cast<long>(wParam));
        for (auto& item : s->items)
            if (item.texts.size() > wParam) item.texts.erase(item.texts.begin() + static_cast<long>(wParam));
        w->needs_paint = true;
        return TRUE;
    case LVM_GETCOLUMNWIDTH: return wParam < s->columns.size() ? s->columns[wParam].width : 0;
    case LVM_SETCOLUMNWIDTH: {
        if (wParam >= s->columns.size()) return FALSE;
        const int cx = static_cast<int>(static_cast<short>(LOWORD(lParam)));
        if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER)
            Auto_Size(w, static_cast<int>(wParam), cx == LVSCW_AUTOSIZE_USEHEADER);
        else
            s->columns[wParam].width = std::max(cx, 0);
        w->needs_paint = true;
        return TRUE;
    }
    case LVM_INSERTITEMW: {
        auto* it = reinterpret_cast<const LVITEMW*>(lParam);
        if (!it || it->iSubItem != 0) return -1;
        const int at = std::clamp(it->iItem, 0, n);
        List_View_Item item;
        item.texts.push_back((it->mask & LVIF_TEXT) && it->pszText ? it->pszText : L"");
        if (it->mask & LVIF_PARAM) item.data = it->lParam;
        if (it->mask & LVIF_IMAGE) item.image = it->iImage;
        if (it->mask & LVIF_STATE) item.state = it->state & it->stateMask;
        if ((s->ex_style & LVS_EX_CHECKBOXES) && !(item.state & LVIS_STATEIMAGEMASK)) item.state |= INDEXTOSTATEIMAGEMASK(1);
        s->items.insert(s->items.begin() + at, item);
        w->needs_paint = true;
        NMLISTVIEW nm{};
        nm.iItem = at;
        Notify_Parent(w, &nm.hdr, LVN_INSERTITEM);
        return at;
    }
    case LVM_DELETEITEM: {
        if (wParam >= static_cast<WPARAM>(n)) return FALSE;
        NMLISTVIEW nm{};
        nm.iItem = static_cast<int>(wParam);
        nm.lParam = s->items[wParam].data;
        Notify_Parent(w, &nm.hdr, LVN_DELETEITEM);
        if (!Find_Window(w->handle()) || wParam >= s->items.size()) return FALSE;
        s->items.erase(s->items.begin() + static_cast<long>(wParam));
        if (s->top >= Count(w)) s->top = std::max(0, Count(w) - 1);
        w->needs_paint = true;
        return TRUE;
    }
    case LVM_DELETEALLITEMS: {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        Notify_Parent(w, &nm.hdr, LVN_DELETEALLITEMS);
        if (!Find_Window(w->handle())) return FALSE;
        s->items.clear();
        s->top = 0;
        w->needs_paint = true;
        return TRUE;
    }
    case LVM_SETITEMW: return Set_Item(w, reinterpret_cast<const LVITEMW*>(lParam));
    case LVM_GETITEMW: return Get_Item(w, reinterpret_cast<LVITEMW*>(lParam));
    case LVM_SETITEMTEXTW: {
        auto* it = reinterpret_cast<LVITEMW*>(lParam);
        if (!it) return FALSE;
        LVITEMW copy = *it;
        copy.iItem = static_cast<int>(wParam);
        copy.mask = LVIF_TEXT;
        return Set_Item(w, &copy);
    }
    case LVM_GETITEMTEXTW: {
        auto* it = reinterpret_cast<LVITEMW*>(lParam);
        if (!it) return 0;
        LVITEMW copy = *it;
        copy.iItem = static_cast<int>(wParam);
        copy.mask = LVIF_TEXT;
        if (!Get_Item(w, &copy)) {
            if (it->pszText && it->cchTextMax > 0) it->pszText[0] = 0;
            return 0;
        }
        return static_cast<LRESULT>(std::wcslen(it->pszText ? it->pszText : L""));
    }
    case LVM_SETITEMSTATE: {
        auto* it = reinterpret_cast<const LVITEMW*>(lParam);
        if (!it) return FALSE;
        Set_State(w, static_cast<int>(static_cast<INT_PTR>(wParam)), it->state, it->stateMask);
        return TRUE;
    }
    case LVM_GETITEMSTATE: return wParam < static_cast<WPARAM>(n) ? (s->items[wParam].state & static_cast<UINT>(lParam)) : 0;
    case LVM_GETNEXTITEM: {
        const int start = static_cast<int>(static_cast<INT_PTR>(wParam));
        const UINT flags = static_cast<UINT>(lParam);
        for (int i = std::max(start + 1, 0); i < n; ++i) {
            const UINT st = s->items[i].state;
            if ((flags & LVNI_SELECTED) && !(st & LVIS_SELECTED)) continue;
            if ((flags & LVNI_FOCUSED) && !(st & LVIS_FOCUSED)) continue;
            return i;
        }
        return -1;
    }
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(s->items.begin(), s->items.end(), [](const List_View_Item& i) { return i.state & LVIS_SELECTED; });
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD old = s->ex_style;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        s->ex_style = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
        if ((s->ex_style & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
            for (auto& item : s->items)
                if (!(item.state & LVIS_STATEIMAGEMASK)) item.state |= INDEXTOSTATEIMAGEMASK(1);
        w->needs_paint = true;
        return old;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return s->ex_style;
    case LVM_SETIMAGELIST: {
        if (wParam > 2) return 0;
        HIMAGELIST old = s->images[wParam];
        s->images[wParam] = reinterpret_cast<HIMAGELIST>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    case LVM_EDITLABELW: {
        Window* edit = List_View_Edit_Label(w, static_cast<int>(static_cast<INT_PTR>(wParam)));
        return reinterpret_cast<LRESULT>(edit ? edit->handle() : nullptr);
    }
    case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(s->label_edit ? s->label_edit->handle() : nullptr);
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(s->header ? s->header->handle() : nullptr);
    case LVM_GETTOPINDEX: return s->top;
    case LVM_GETCOUNTPERPAGE: {
        const int h = Client_Rect(w).bottom - List_View_Header_Height(w);
        return std::max(0, h / List_View_Row_Height(w));
    }
    case LVM_ENSUREVISIBLE: {
        const int item = static_cast<int>(wParam);
        if (item < 0 || item >= n) return FALSE;
        const int page = std::max<int>(1, static_cast<int>(Send(w, LVM_GETCOUNTPERPAGE, 0, 0)));
        if (item < s->top) s->top = item;
        else if (item >= s->top + page) s->top = item - page + 1;
        w->needs_paint = true;
        return TRUE;
    }
    case LVM_REDRAWITEMS: w->needs_paint = true; return TRUE;
    case LVM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r || wParam >= static_cast<WPARAM>(n)) return FALSE;
        const int code = r->left;
        RECT out = List_View_Sub_Item_Rect(w, static_cast<int>(wParam), 0);
        if (code == LVIR_BOUNDS || code == LVIR_SELECTBOUNDS) out.right = out.left + Total_Width(w);
        *r = out;
        return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!r || wParam >= static_cast<WPARAM>(n) || r->top < 0 || r->top >= static_cast<int>(s->columns.size())) return FALSE;
        *r = List_View_Sub_Item_Rect(w, static_cast<int>(wParam), r->top);
        if (r->top == 0 && r->left == LVIR_BOUNDS) r->right = r->left + Total_Width(w);
        return TRUE;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!info) return -1;
        Hit_Test(w, info, msg == LVM_SUBITEMHITTEST);
        return info->iItem;
    }
    case LVM_SORTITEMS: {
        auto compare = reinterpret_cast<PFNLVCOMPARE>(lParam);
        if (!compare) return FALSE;
        std::stable_sort(s->items.begin(), s->items.end(), [&](const List_View_Item& a, const List_View_Item& b) {
            return compare(a.data, b.data, static_cast<LPARAM>(wParam)) < 0;
        });
        w->needs_paint = true;
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        if (w->enabled) Press(w, lParam);
        return 0;
    case WM_LBUTTONUP:
        if (w->enabled && !s->after_double) Send_Click(w, NM_CLICK, lParam);
        if (Find_Window(w->handle())) s->after_double = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        if (!w->enabled) return 0;
        s->after_double = true;
        Send_Click(w, NM_DBLCLK, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        if (!w->enabled) return 0;
        {
            LVHITTESTINFO hit{};
            hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            Hit_Test(w, &hit, false);
            if (hit.iItem >= 0 && !(s->items[hit.iItem].state & LVIS_SELECTED)) Select_Only(w, hit.iItem);
        }
        return 0;
    case WM_RBUTTONUP: {
        if (!w->enabled) return 0;
        Send_Click(w, NM_RCLICK, lParam);
        if (!Find_Window(w->handle())) return 0;
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(w->handle(), &p);
        Send(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w->handle()), MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_KEYDOWN: {
        NMLVKEYDOWN nm{};
        nm.wVKey = static_cast<WORD>(wParam);
        Notify_Parent(w, &nm.hdr, LVN_KEYDOWN);
        if (!Find_Window(w->handle())) return 0;
        int cur = static_cast<int>(Send(w, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (wParam == VK_DOWN && cur + 1 < Count(w)) Select_Only(w, cur + 1), Send(w, LVM_ENSUREVISIBLE, cur + 1, 0);
        if (wParam == VK_UP && cur > 0) Select_Only(w, cur - 1), Send(w, LVM_ENSUREVISIBLE, cur - 1, 0);
        return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE: w->needs_paint = true; return 0;
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

LRESULT Header_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* list = w->parent;
    switch (msg) {
    case HDM_GETITEMCOUNT: return list ? static_cast<LRESULT>(LV(list)->columns.size()) : 0;
    case HDM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        if (!list || !r || wParam >= LV(list)->columns.size()) return FALSE;
        *r = RECT{Column_Left(list, static_cast<int>(wParam)), 0, Column_Left(list, static_cast<int>(wParam) + 1),
                  List_View_Header_Height(list)};
        return TRUE;
    }
    default: return Default_Window_Proc(w, msg, wParam, lParam);
    }
}

const bool g_registered = [] {
    Register_Window_Class(L"SysListView32", List_View_Proc, Make_Object<CListCtrl>);
    Register_Window_Class(L"SysHeader32", Header_Proc, Make_Object<CHeaderCtrl>);
    return true;
}();

}  // namespace

int List_View_Header_Height(Window* list) {
    if ((list->style & LVS_NOCOLUMNHEADER) || (list->style & LVS_TYPEMASK) != LVS_REPORT) return 0;
    return Measure_Text(list->font, L"Ag").cy + 8;
}

int List_View_Row_Height(Window* list) {
    return std::max<int>(Measure_Text(list->font, L"Ag").cy + 4, (LV(list)->ex_style & LVS_EX_CHECKBOXES) ? 18 : 0);
}

RECT List_View_Sub_Item_Rect(Window* list, int item, int sub_item) {
    const int top = List_View_Header_Height(list) + (item - LV(list)->top) * List_View_Row_Height(list);
    return RECT{Column_Left(list, sub_item), top, Column_Left(list, sub_item + 1), top + List_View_Row_Height(list)};
}

// The user clicks a column header.
bool List_View_Header_Click(Window* list, int column) {
    if (column < 0 || column >= static_cast<int>(LV(list)->columns.size()) || !list->enabled) return false;
    NMLISTVIEW nm{};
    nm.iItem = -1;
    nm.iSubItem = column;
    Notify_Parent(list, &nm.hdr, LVN_COLUMNCLICK);
    return true;
}

}  // namespace platform
