#include "signstamp/sign_dates.h"

#include "win/win_time.h"

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t Days_From_Civil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

int32_t Stamp_From_Days(int64_t z)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return static_cast<int32_t>((y + (m <= 2)) * 10000 + m * 100 + d);
}

bool Stamp_To_Days(int32_t stamp, int64_t& days)
{
    const int32_t year = stamp / 10000, month = stamp / 100 % 100, day = stamp % 100;
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    days = Days_From_Civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
    return true;
}

}  // namespace

int32_t Today_Date_Stamp()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear * 10000 + now.wMonth * 100 + now.wDay;
}

int32_t Date_Stamp_After_Days(int32_t days)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Stamp_From_Days(Days_From_Civil(now.wYear, now.wMonth, now.wDay) + days);
}

bool Days_Between_Stamps(int32_t from, int32_t to, int64_t& days)
{
    int64_t first = 0, second = 0;
    if (!Stamp_To_Days(from, first) || !Stamp_To_Days(to, second))
        return false;
    days = second - first;
    return true;
}
