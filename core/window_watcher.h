// The window-message watcher: gives keys a meaning during picks, jigs and previews.
// Filled in when the key handling lands: for now it watches and does nothing.
#pragma once

#include "win/windows.h"

// Sees every window message of the host's thread; never consumes one.
void Watch_Key_Message(const MSG* message);
