#include <chrono>
#include <ctime>
#include <thread>

#include "win/machine.h"
#include "win/win_time.h"

void GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    if (lpSystemTime) *lpSystemTime = platform::Machine::instance().local_time();
}

void GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    if (!lpSystemTime) return;
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    lpSystemTime->wYear = static_cast<WORD>(parts.tm_year + 1900);
    lpSystemTime->wMonth = static_cast<WORD>(parts.tm_mon + 1);
    lpSystemTime->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    lpSystemTime->wDay = static_cast<WORD>(parts.tm_mday);
    lpSystemTime->wHour = static_cast<WORD>(parts.tm_hour);
    lpSystemTime->wMinute = static_cast<WORD>(parts.tm_min);
    lpSystemTime->wSecond = static_cast<WORD>(parts.tm_sec);
    lpSystemTime->wMilliseconds =
        static_cast<WORD>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
}

ULONGLONG GetTickCount64() {
    using namespace std::chrono;
    return static_cast<ULONGLONG>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }
