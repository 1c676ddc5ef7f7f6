// The module's entry points.
#pragma once

#include "rx/rxentry.h"
#include "win/windows.h"

extern "C" {
// The library entry: process attach and detach.
BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
// The host's messages: 1 loads the application, 2 unloads it; every message returns OK.
ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode message, void* app_id);
// The API version of the host SDK the build is made for.
int zcrxGetApiVersion();
}
