#include <cerrno>
#include <chrono>
#include <thread>

#include "win/clock.h"
#include "win/machine.h"
#include "win/win_error.h"
#include "win/win_time.h"

using platform::Machine;

namespace {

bool Valid(const SYSTEMTIME& t) {
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 && t.wDay <= 31 &&
           t.wHour <= 23 && t.wMinute <= 59 && t.wSecond <= 59 && t.wMilliseconds <= 999;
}

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

FILETIME Shifted(const FILETIME& time, int64_t seconds) {
    const uint64_t ticks = ((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) +
                           static_cast<uint64_t>(seconds * 10000000);
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime) *lpSystemTime = Machine::instance().local_time();
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (!lpSystemTime) return;
    const FILETIME now = platform::File_Time_Of_Point(Machine::instance().now());
    *lpSystemTime = platform::Utc_Of_File_Time(now);
}

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
    if (lpSystemTimeAsFileTime) *lpSystemTimeAsFileTime = platform::File_Time_Of_Point(Machine::instance().now());
}

ULONGLONG GetTickCount64() {
    using namespace std::chrono;
    return static_cast<ULONGLONG>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (!lpFileTime || !lpSystemTime || Ticks(*lpFileTime) >= 0x8000000000000000ull) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpSystemTime = platform::Utc_Of_File_Time(*lpFileTime);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (!lpSystemTime || !lpFileTime || !Valid(*lpSystemTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpFileTime = platform::File_Time_Of_Utc(*lpSystemTime);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpLocalFileTime = Shifted(*lpFileTime, platform::Utc_Offset_Seconds(*lpFileTime));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
    if (!lpLocalFileTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The offset of the moment the local time names, as near as one lookup finds it.
    *lpFileTime = Shifted(*lpLocalFileTime, -platform::Utc_Offset_Seconds(*lpLocalFileTime));
    return TRUE;
}

LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
    const uint64_t a = Ticks(*lpFileTime1), b = Ticks(*lpFileTime2);
    return a < b ? -1 : (a > b ? 1 : 0);
}

__time64_t _time64(__time64_t* timer) {
    const __time64_t now = std::chrono::system_clock::to_time_t(Machine::instance().now());
    if (timer) *timer = now;
    return now;
}

int _localtime64_s(std::tm* tmDest, const __time64_t* sourceTime) {
    if (!tmDest || !sourceTime || *sourceTime < 0) return EINVAL;
    const std::time_t seconds = static_cast<std::time_t>(*sourceTime);
    return localtime_r(&seconds, tmDest) ? 0 : EINVAL;
}

__time64_t _mktime64(std::tm* timeptr) { return timeptr ? std::mktime(timeptr) : -1; }
