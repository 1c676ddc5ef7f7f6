// Conversions between the machine's clock, SYSTEMTIME and FILETIME (inside the
// win layer). The machine's time zone is the host's. FILETIME conversions work
// in whole 100 ns ticks over the full Windows range (years 1601 to 30827).
#pragma once

#include <chrono>
#include <cstdint>

#include "win/win_types.h"

namespace platform {

using Time_Point = std::chrono::system_clock::time_point;

SYSTEMTIME Local_System_Time(Time_Point time);
// A local time without a valid date (month 13 ...) is normalised as mktime does.
Time_Point Time_Point_Of_Local(const SYSTEMTIME& local);
// FILETIME: 100 ns intervals since 1601-01-01 UTC.
FILETIME File_Time_Of_Point(Time_Point time);
FILETIME File_Time_Of_Utc(const SYSTEMTIME& utc);
SYSTEMTIME Utc_Of_File_Time(const FILETIME& time);
// The zone's offset from UTC at that moment, in seconds.
int64_t Utc_Offset_Seconds(const FILETIME& time);

}  // namespace platform
