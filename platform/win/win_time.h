// The clock of the emulated machine (its local time is settable in tests through
// platform::Machine; its time zone is the host's). Every function here reads the
// same clock, and so do the modification times of files written through _wfopen.
#pragma once

#include <ctime>

#include "win/win_types.h"

void GetLocalTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTime(LPSYSTEMTIME lpSystemTime);
void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
DWORD GetTickCount();
ULONGLONG GetTickCount64();
void Sleep(DWORD dwMilliseconds);

// FILETIME is UTC unless named local. FileTimeToSystemTime fails for times past
// year 30827; SystemTimeToFileTime for fields out of range.
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
// -1, 0 or 1.
LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);

// C runtime time functions on the machine's clock.
typedef int64_t __time64_t;
__time64_t _time64(__time64_t* timer);
// 0 on success, EINVAL for a null argument or a negative time.
int _localtime64_s(std::tm* tmDest, const __time64_t* sourceTime);
__time64_t _mktime64(std::tm* timeptr);
