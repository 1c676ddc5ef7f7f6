// In-place editing of a list view item's label.
#include "mfc/control_state.h"

namespace platform {

namespace {

List_View_State* LV(Window* w) { return w->state<List_View_State>(); }

// The edit over the label: Enter commits, Esc cancels, losing the focus commits.
LRESULT Label_Edit_Proc(Window* w, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* list = w->parent;
    const bool editing = list && list->class_name == L"SysListView32" && LV(list)->label_edit == w;
    switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (editing && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
            List_View_End_Label_Edit(list, wParam == VK_RETURN);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (editing) LV(list)->label_edit = nullptr, LV(list)->label_item = -1;
        break;
    case WM_CHAR:
        if (wParam == L'\r' || wParam == 0x1B) return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT r = Find_Window_Class(L"Edit")(w, msg, wParam, lParam);
        if (editing) List_View_End_Label_Edit(list, true);
        return r;
    }
    default: break;
    }
    return Find_Window_Class(L"Edit")(w, msg, wParam, lParam);
}

}  // namespace

Window* List_View_Edit_Label(Window* list, int item) {
    auto* s = LV(list);
    if (s->label_edit) List_View_End_Label_Edit(list, true);
    if (!Find_Window(list->handle()) || !(list->style & LVS_EDITLABELS) || item < 0 ||
        item >= static_cast<int>(s->items.size()))
        return nullptr;
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
    info.item.iItem = item;
    info.item.pszText = s->items[item].texts.empty() ? const_cast<LPWSTR>(L"") : s->items[item].texts[0].data();
    info.item.lParam = s->items[item].data;
    info.item.state = s->items[item].state;
    if (Notify_Parent(list, &info.hdr, LVN_BEGINLABELEDIT) || !Find_Window(list->handle())) return nullptr;
    if (item >= static_cast<int>(s->items.size())) return nullptr;
    RECT r = List_View_Sub_Item_Rect(list, item, 0);
    const std::wstring label = s->items[item].texts.empty() ? L"" : s->items[item].texts[0];
    Window* edit = Create_Window(0, L"Edit", label, WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r, list,
                                 LIST_VIEW_LABEL_EDIT_ID, nullptr, nullptr);
    if (!edit) return nullptr;
    edit->font = list->font;
    edit->proc = Label_Edit_Proc;
    s->label_edit = edit;
    s->label_item = item;
    SetFocus(edit->handle());
    if (Find_Window(edit->handle())) Send(edit, EM_SETSEL, 0, -1);
    return Find_Window(edit->handle()) ? edit : nullptr;
}

void List_View_End_Label_Edit(Window* list, bool commit) {
    auto* s = LV(list);
    Window* edit = s->label_edit;
    if (!edit) return;
    const int item = s->label_item;
    s->label_edit = nullptr;
    s->label_item = -1;
    std::wstring text = Find_Window(edit->handle()) ? edit->text : L"";
    const HWND edit_handle = edit->handle();
    const HWND list_handle = list->handle();
    NMLVDISPINFOW info{};
    info.item.mask = LVIF_TEXT | LVIF_PARAM;
    info.item.iItem = item;
    info.item.pszText = commit ? text.data() : nullptr;
    if (item >= 0 && item < static_cast<int>(s->items.size())) info.item.lParam = s->items[item].data;
    const LRESULT accepted = Notify_Parent(list, &info.hdr, LVN_ENDLABELEDIT);
    if (!Find_Window(list_handle)) return;
    if (commit && accepted && item >= 0 && item < static_cast<int>(s->items.size())) {
        if (s->items[item].texts.empty()) s->items[item].texts.emplace_back();
        s->items[item].texts[0] = text;
    }
    list->needs_paint = true;
    if (Find_Window(edit_handle)) {
        const bool had_focus = Focus_Window() == edit;
        DestroyWindow(edit_handle);
        if (had_focus && Find_Window(list_handle)) SetFocus(list_handle);
    }
}

}  // namespace platform
