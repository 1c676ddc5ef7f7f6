#include "win/clock.h"

#include <ctime>

namespace platform {

namespace {

using namespace std::chrono;

// 100 ns intervals from 1601-01-01 to 1970-01-01.
constexpr int64_t kFileTimeEpochOffset = 116444736000000000LL;

SYSTEMTIME From_Parts(const std::tm& parts, Time_Point time) {
    SYSTEMTIME out{};
    out.wYear = static_cast<WORD>(parts.tm_year + 1900);
    out.wMonth = static_cast<WORD>(parts.tm_mon + 1);
    out.wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    out.wDay = static_cast<WORD>(parts.tm_mday);
    out.wHour = static_cast<WORD>(parts.tm_hour);
    out.wMinute = static_cast<WORD>(parts.tm_min);
    out.wSecond = static_cast<WORD>(parts.tm_sec);
    const auto millis = duration_cast<milliseconds>(time.time_since_epoch()).count() % 1000;
    out.wMilliseconds = static_cast<WORD>(millis < 0 ? millis + 1000 : millis);
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

std::time_t Seconds_Of(Time_Point time) {
    return static_cast<std::time_t>(floor<seconds>(time.time_since_epoch()).count());
}

}  // namespace

SYSTEMTIME Local_System_Time(Time_Point time) {
    const std::time_t seconds = Seconds_Of(time);
    std::tm parts{};
    localtime_r(&seconds, &parts);
    return From_Parts(parts, time);
}

SYSTEMTIME Utc_System_Time(Time_Point time) {
    const std::time_t seconds = Seconds_Of(time);
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    return From_Parts(parts, time);
}

Time_Point Time_Point_Of_Local(const SYSTEMTIME& local) {
    std::tm parts = To_Parts(local);
    return system_clock::from_time_t(std::mktime(&parts)) + milliseconds(local.wMilliseconds);
}

Time_Point Time_Point_Of_Utc(const SYSTEMTIME& utc) {
    std::tm parts = To_Parts(utc);
    parts.tm_isdst = 0;
    return system_clock::from_time_t(timegm(&parts)) + milliseconds(utc.wMilliseconds);
}

FILETIME File_Time_Of_Point(Time_Point time) {
    const int64_t ticks = duration_cast<nanoseconds>(time.time_since_epoch()).count() / 100 + kFileTimeEpochOffset;
    const uint64_t bits = static_cast<uint64_t>(ticks);
    return FILETIME{static_cast<DWORD>(bits & 0xFFFFFFFFu), static_cast<DWORD>(bits >> 32)};
}

Time_Point Point_Of_File_Time(const FILETIME& time) {
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return Time_Point(duration_cast<system_clock::duration>(nanoseconds((ticks - kFileTimeEpochOffset) * 100)));
}

}  // namespace platform
