// The entries of the host menu, in the order of the pop-up and of the menu file.
#pragma once

#include "mfc/afxstr.h"

struct Menu_Entry {
    enum class Kind { Item, Separator, Sub_Menu };
    Kind kind;
    int number;              // Item: the numbered command
    const wchar_t* label;    // Item, Sub_Menu
    bool closes_sub_menu;    // Item: the last entry of the open sub-menu
};

extern const Menu_Entry Menu_Table[];
extern const int Menu_Table_Size;

// The pop-up's name.
extern const wchar_t* const Menu_Popup_Name;  // "K-批打印"

// "KV_DivezUrez_<n>".
CString Menu_Command_Name(int number);
// The label with the user's alias of the number after "--"; the label alone when the
// number has none.
CString Menu_Label_With_Alias(int number, const wchar_t* label);
