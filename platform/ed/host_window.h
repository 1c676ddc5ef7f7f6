// The host's windows and message watchers.
#pragma once

#include "win/win_types.h"

typedef void (*ZcedWatchWinMsgFn)(const MSG*);

// Watchers see every window message of the host's thread and never consume one.
// Adding a watcher twice keeps one. Returns true.
bool zcedRegisterWatchWinMsg(ZcedWatchWinMsgFn pfn);
// false when the watcher was not registered.
bool zcedRemoveWatchWinMsg(ZcedWatchWinMsgFn pfn);

// The host's main frame window and drawing window: distinct non-null handles.
HWND adsw_zcadMainWnd();
HWND adsw_zcadDocWnd();

// The full path of the module that calls it (the application's own module file).
const wchar_t* zcedGetAppName();

namespace platform {

// Hands a message to every watcher (in registration order).
void Notify_Message_Watchers(const MSG& message);
void Remove_All_Message_Watchers();

}  // namespace platform
