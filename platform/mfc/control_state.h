// State the built-in window classes keep in their windows, and their class procedures.
#pragma once

#include <string>
#include <vector>

#include "mfc/window_table.h"

namespace platform {

struct Button_State : Control_Data {
    int check = BST_UNCHECKED;
    bool pushed = false;
    HANDLE image = nullptr;  // icon or bitmap
};

struct Static_State : Control_Data {
    HANDLE image = nullptr;
};

struct Edit_State : Control_Data {
    int sel_start = 0;
    int sel_end = 0;
    UINT limit = 0;  // 0: no limit of ours (Windows' 30000 is never reached here)
    bool modified = false;
};

struct List_Item {
    std::wstring text;
    DWORD_PTR data = 0;
    bool selected = false;
    int height = 0;  // owner-draw variable
};

struct List_State : Control_Data {  // list box and the list of a combo box
    std::vector<List_Item> items;
    int cur_sel = -1;
    int top = 0;
    int caret = 0;
    int item_height = 0;  // 0: from the font
    bool dropped = false;
    UINT edit_limit = 0;
    int dropped_width = 0;
};

struct List_View_Column {
    std::wstring text;
    int width = 0;
    int fmt = LVCFMT_LEFT;
};

struct List_View_Item {
    std::vector<std::wstring> texts;  // one per column (sub-item)
    UINT state = 0;
    LPARAM data = 0;
    int image = -1;
};

struct List_View_State : Control_Data {
    std::vector<List_View_Column> columns;
    std::vector<List_View_Item> items;
    DWORD ex_style = 0;
    int top = 0;
    HIMAGELIST images[3] = {};
    Window* header = nullptr;
    bool after_double = false;  // the button release that ends a double click is no click
    Window* label_edit = nullptr;  // the edit over the label being edited
    int label_item = -1;
};

struct Range_State : Control_Data {  // progress bar, trackbar, up-down
    int low = 0;
    int high = 100;
    int pos = 0;
    int step = 10;
    int page = 0;
    int line = 1;
    HWND buddy = nullptr;
    COLORREF bar = CLR_INVALID;
    COLORREF back = CLR_INVALID;
};

struct Tab_Item {
    std::wstring text;
    LPARAM data = 0;
    int image = -1;
};

struct Tab_State : Control_Data {
    std::vector<Tab_Item> items;
    int cur_sel = -1;
};

struct Date_State : Control_Data {
    SYSTEMTIME time{};
    bool none = false;
    DWORD range_flags = 0;  // GDTR_MIN, GDTR_MAX
    SYSTEMTIME range[2]{};
};

// A reflected WM_DRAWITEM goes to the control's DrawItem; false for other messages.
template <class Control>
bool Reflect_Draw_Item(Control* control, UINT message, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return false;
    control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult) *pResult = TRUE;
    return true;
}

// The built-in behaviour every class falls back on (text, font, icon, close...).
LRESULT Default_Window_Proc(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
// The move loop of a press on a top-level window's caption (mfc/window_move.cpp).
void Move_By_Caption(Window* window);

// Paints a top-level window's frame and caption, the window's top-left corner at (0,0)
// of the context (mfc/paint_frame.cpp); nothing for a window without a frame.
void Paint_Window_Frame(Window* window, HDC dc);

// Tooltip windows (mfc/tooltip.cpp): shown below the cursor over a tool without being
// activated, hidden; their colours and line breaking (a max width >= 0 breaks at '\n').
void Tooltip_Show(Window* tip, HWND tool, const std::wstring& text);
void Tooltip_Hide(Window* tip);
HWND Tooltip_Tool(Window* tip);
void Tooltip_Set_Colours(Window* tip, COLORREF text, COLORREF back);
COLORREF Tooltip_Text_Colour(Window* tip);
COLORREF Tooltip_Back_Colour(Window* tip);
int Tooltip_Set_Max_Width(Window* tip, int width);

// The user replaces an edit's whole text (typing rules apply: limit, ES_NUMBER, case);
// false when nothing changed.
bool Edit_Type_Text(Window* edit, const std::wstring& text);

// The user picks an item of a combo box's list / types into its edit (notifications as
// on Windows; SetCurSel sends none). false when the control refuses.
bool Combo_User_Choose(Window* combo, int index);
bool Combo_User_Type(Window* combo, const std::wstring& text);

// Geometry of a list view (client coordinates).
int List_View_Header_Height(Window* list);
int List_View_Row_Height(Window* list);
RECT List_View_Sub_Item_Rect(Window* list, int item, int sub_item);
// The user clicks a list view's column header (LVN_COLUMNCLICK); false for a bad column.
bool List_View_Header_Click(Window* list, int column);
// In-place label editing: an edit with id LIST_VIEW_LABEL_EDIT_ID over the item's label
// (LVN_BEGINLABELEDIT first; null when refused). Ending sends LVN_ENDLABELEDIT with the new
// text (null when cancelled) and sets the label when the parent returns TRUE.
// Clear of IDOK and of the ids of dialog templates; a `text LISTID` step types into it.
constexpr int LIST_VIEW_LABEL_EDIT_ID = 0xE7FE;
Window* List_View_Edit_Label(Window* list, int item);
void List_View_End_Label_Edit(Window* list, bool commit);
// The user picks a tab (TCN_SELCHANGING, TCN_SELCHANGE) / moves a trackbar (WM_HSCROLL or
// WM_VSCROLL to the parent) / sets a date picker (DTN_DATETIMECHANGE).
bool Tab_User_Choose(Window* tab, int index);
bool Trackbar_User_Move(Window* trackbar, int pos);
bool Date_User_Set(Window* picker, const SYSTEMTIME& time);

// Geometry of a list box.
int List_Box_Item_Height(Window* list);

// Paints a window's standard look for WM_PAINT and WM_ERASEBKGND (wParam: the context)
// (mfc/paint_controls.cpp).
LRESULT Paint_Standard(Window* window, UINT message, WPARAM wParam);

}  // namespace platform
