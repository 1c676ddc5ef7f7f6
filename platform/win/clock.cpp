#include "win/clock.h"

#include <ctime>

namespace platform {

namespace {

using namespace std::chrono;

// 100 ns intervals from 1601-01-01 to 1970-01-01, and in a second.
constexpr int64_t kEpochTicks = 116444736000000000LL;
constexpr int64_t kTicksPerSecond = 10000000;

SYSTEMTIME From_Parts(const std::tm& parts, int milliseconds) {
    SYSTEMTIME out{};
    out.wYear = static_cast<WORD>(parts.tm_year + 1900);
    out.wMonth = static_cast<WORD>(parts.tm_mon + 1);
    out.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    out.wDay = static_cast<WORD>(parts.tm_mday);
    out.wHour = static_cast<WORD>(parts.tm_hour);
    out.wMinute = static_cast<WORD>(parts.tm_min);
    out.wSecond = static_cast<WORD>(parts.tm_sec);
    out.wMilliseconds = static_cast<WORD>(milliseconds);
    return out;
}

std::tm To_Parts(const SYSTEMTIME& time) {
    std::tm parts{};
    parts.tm_year = time.wYear - 1900;
    parts.tm_mon = time.wMonth - 1;
    parts.tm_mday = time.wDay;
    parts.tm_hour = time.wHour;
    parts.tm_min = time.wMinute;
    parts.tm_sec = time.wSecond;
    parts.tm_isdst = -1;
    return parts;
}

int64_t Ticks_Of(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME File_Time_Of_Ticks(int64_t ticks) {
    const uint64_t bits = static_cast<uint64_t>(ticks);
    return FILETIME{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

// Seconds since 1970 (rounded down) of a FILETIME.
std::time_t Unix_Seconds_Of(const FILETIME& time, int64_t& remainder_ticks) {
    const int64_t since_1970 = Ticks_Of(time) - kEpochTicks;
    int64_t seconds = since_1970 / kTicksPerSecond;
    remainder_ticks = since_1970 % kTicksPerSecond;
    if (remainder_ticks < 0) remainder_ticks += kTicksPerSecond, --seconds;
    return static_cast<std::time_t>(seconds);
}

}  // namespace

SYSTEMTIME Local_System_Time(Time_Point time) {
    const auto since_epoch = duration_cast<milliseconds>(time.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(since_epoch / 1000 - (since_epoch % 1000 < 0 ? 1 : 0));
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return From_Parts(parts, static_cast<int>(since_epoch - int64_t{seconds} * 1000));
}

Time_Point Time_Point_Of_Local(const SYSTEMTIME& local) {
    std::tm parts = To_Parts(local);
    return system_clock::from_time_t(std::mktime(&parts)) + milliseconds(local.wMilliseconds);
}

FILETIME File_Time_Of_Point(Time_Point time) {
    return File_Time_Of_Ticks(duration_cast<nanoseconds>(time.time_since_epoch()).count() / 100 + kEpochTicks);
}

FILETIME File_Time_Of_Utc(const SYSTEMTIME& utc) {
    std::tm parts = To_Parts(utc);
    parts.tm_isdst = 0;
    const int64_t seconds = timegm(&parts);
    return File_Time_Of_Ticks(seconds * kTicksPerSecond + int64_t{utc.wMilliseconds} * 10000 + kEpochTicks);
}

SYSTEMTIME Utc_Of_File_Time(const FILETIME& time) {
    int64_t remainder = 0;
    const std::time_t seconds = Unix_Seconds_Of(time, remainder);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    return From_Parts(parts, static_cast<int>(remainder / 10000));
}

int64_t Utc_Offset_Seconds(const FILETIME& time) {
    int64_t remainder = 0;
    const std::time_t seconds = Unix_Seconds_Of(time, remainder);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return parts.tm_gmtoff;
}

}  // namespace platform
