// The host menu: the pop-up in the host's menu bar and the menu source file.
#pragma once

// Keeps the pop-up in the host's menu bar; with force, rebuilds its entries.
void Refresh_Menu(bool force);
