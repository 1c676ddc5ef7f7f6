// The host's menu model behind its automation objects (zcadmenu.h): one per host,
// whatever the documents. The host starts with its main menu group "ZWCAD" whose
// pop-ups fill the menu bar; menu files add groups ("_MenuLoad") and remove them
// ("_MenuUnload"); "MENU" loads the main menu again.
#pragma once

#include <string>

#include "com/menu_source.h"
#include "win/win_types.h"

namespace platform {

// The menu bar as the host shows it, one line each (each line starts with "\n"): a
// header ("Menu bar:", or "Menu bar (hidden):" while MENUBAR is 0), then each pop-up's
// name, its entries indented by two blanks per level: an item as its label followed by
// its macro in quotes, a separator as "----", a sub-menu as its label followed by " >"
// and then its entries.
std::wstring Describe_Menu_Bar();

// Drops every menu group and loads the host's main menu group again.
void Reset_Menu_Model();
// Adds the menu group of a parsed menu file and puts its pop-ups at the end of the
// menu bar. False with error when a group of that name is loaded already.
bool Load_Menu_Group(const Menu_Source& source, const std::wstring& path, std::string& error);
// Removes the group (compared without regard to case) and its pop-ups from the bar;
// false when no such group is loaded.
bool Unload_Menu_Group(const std::wstring& name);

// References that callers of the automation objects hold and have not released.
LONG Menu_Client_References();

}  // namespace platform
