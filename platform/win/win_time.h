// Local time of the emulated machine (settable in tests through platform::Machine).
#pragma once

#include "win/win_types.h"

void GetLocalTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTime(LPSYSTEMTIME lpSystemTime);
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD dwMilliseconds);
