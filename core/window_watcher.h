// The window-message watcher: gives keys a meaning during picks, jigs and previews. For now
// it pages the host's preview of a result window's sheet.
#pragma once

#include "win/windows.h"

// Sees every window message of the host's thread; never consumes one. While a sheet of a
// result window is previewed, a key-down of PageUp, Left or Up moves `g_Preview_Index` to
// the previous row (not below 0) and PageDown, Right or Down to the next one (not past the
// window's last row); each move queues a cancel, which ends the preview so that the
// window's preview button shows the new row.
void Watch_Key_Message(const MSG* message);
