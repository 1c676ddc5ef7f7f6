// The window-message watcher: gives keys a meaning during picks, jigs and previews.
#pragma once

#include "win/windows.h"

// Sees every window message of the host's thread; never consumes one. On a key-down:
// - while the outer frame's selection or the single plot's pick waits, every key-down posts
//   one backspace to the drawing window, which takes back the character the key typed.
//   S then opens the pick's settings (outer frame, single plot) and posts a second one;
//   during the single pick Tab switches the pick mode, cancels the pick and queues the
//   other pick command.
// - Tab turns the signature being dragged into place (g_Sign_Jig_Rot), or else the
//   title-block frame being dragged (g_Frame_Jig_Dir).
// - while a sheet of a result window is previewed: PageUp, Left or Up moves
//   `g_Preview_Index` to the previous row (not below 0) and PageDown, Right or Down to the
//   next one (not past the window's last row); each move queues a cancel, which ends the
//   preview so that the window's preview button shows the new row.
void Watch_Key_Message(const MSG* message);

// One backspace character posted to the host's drawing window.
void Post_Backspace();
