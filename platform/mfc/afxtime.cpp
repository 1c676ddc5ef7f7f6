#include "mfc/afxtime.h"

#include <cmath>
#include <cwchar>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long long Days_From_Civil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void Civil_From_Days(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

bool Leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int Month_Days(int y, int m) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && Leap(y) ? 29 : days[m - 1];
}

const long long kOleEpoch = Days_From_Civil(1899, 12, 30);

// An OLE date counts the day before 1899-12-30 negatively but its time of day
// forwards; as a line, -1.25 (1899-12-29 06:00) is -0.75.
double Ole_To_Linear(DATE date) {
    const double days = std::trunc(date);
    return days + std::fabs(date - days);
}

DATE Linear_To_Ole(double linear) {
    const double day = std::floor(linear);
    const double time = linear - day;
    return day >= 0 ? day + time : day - time;
}

CString Format_Tm(const std::tm& tm, LPCWSTR format) {
    if (!format || !*format) return CString();
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::wstring out(size, L'\0');
        const size_t n = std::wcsftime(out.data(), size, format, &tm);
        if (n > 0) return CString(out.c_str(), static_cast<int>(n));
    }
    return CString();
}

}  // namespace

// ---- CTime -----------------------------------------------------------------------

CTimeSpan::CTimeSpan(LONG days, int hours, int minutes, int seconds)
    : span_(((static_cast<__time64_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds) {}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = dst;
    time_ = _mktime64(&tm);
}

CTime::CTime(const SYSTEMTIME& time, int dst)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, dst) {}

CTime CTime::GetCurrentTime() { return CTime(_time64(nullptr)); }

std::tm CTime::Local() const {
    std::tm tm{};
    _localtime64_s(&tm, &time_);
    return tm;
}

bool CTime::GetAsSystemTime(SYSTEMTIME& time) const {
    std::tm tm{};
    if (_localtime64_s(&tm, &time_) != 0) return false;
    time = SYSTEMTIME{static_cast<WORD>(tm.tm_year + 1900), static_cast<WORD>(tm.tm_mon + 1),
                      static_cast<WORD>(tm.tm_wday), static_cast<WORD>(tm.tm_mday),
                      static_cast<WORD>(tm.tm_hour), static_cast<WORD>(tm.tm_min),
                      static_cast<WORD>(tm.tm_sec), 0};
    return true;
}

CString CTime::Format(LPCWSTR format) const { return Format_Tm(Local(), format); }

// ---- COleDateTime ------------------------------------------------------------------

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
    : span_(days + (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0) {}

COleDateTime::COleDateTime(const SYSTEMTIME& time) {
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

COleDateTime::COleDateTime(const CTime& time) {
    SYSTEMTIME st{};
    if (time.GetAsSystemTime(st)) *this = COleDateTime(st);
    else status_ = invalid;
}

COleDateTime COleDateTime::GetCurrentTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return COleDateTime(now);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > Month_Days(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        date_ = 0;
        status_ = invalid;
        return 1;
    }
    const double days = static_cast<double>(Days_From_Civil(year, month, day) - kOleEpoch);
    date_ = Linear_To_Ole(days + (hour * 3600 + minute * 60 + second) / 86400.0);
    status_ = valid;
    return 0;
}

bool COleDateTime::Fields(SYSTEMTIME& time) const {
    if (status_ != valid) return false;
    const long long seconds = std::llround(Ole_To_Linear(date_) * 86400.0);
    long long days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) rest += 86400, --days;
    int y, m, d;
    Civil_From_Days(days + kOleEpoch, y, m, d);
    if (y < 100 || y > 9999) return false;
    const long long weekday = ((days + kOleEpoch) % 7 + 11) % 7;  // 1970-01-01 was a Thursday
    time = SYSTEMTIME{static_cast<WORD>(y), static_cast<WORD>(m), static_cast<WORD>(weekday),
                      static_cast<WORD>(d), static_cast<WORD>(rest / 3600),
                      static_cast<WORD>(rest / 60 % 60), static_cast<WORD>(rest % 60), 0};
    return true;
}

int COleDateTime::GetYear() const { SYSTEMTIME t; return Fields(t) ? t.wYear : -1; }
int COleDateTime::GetMonth() const { SYSTEMTIME t; return Fields(t) ? t.wMonth : -1; }
int COleDateTime::GetDay() const { SYSTEMTIME t; return Fields(t) ? t.wDay : -1; }
int COleDateTime::GetHour() const { SYSTEMTIME t; return Fields(t) ? t.wHour : -1; }
int COleDateTime::GetMinute() const { SYSTEMTIME t; return Fields(t) ? t.wMinute : -1; }
int COleDateTime::GetSecond() const { SYSTEMTIME t; return Fields(t) ? t.wSecond : -1; }
int COleDateTime::GetDayOfWeek() const { SYSTEMTIME t; return Fields(t) ? t.wDayOfWeek + 1 : -1; }

int COleDateTime::GetDayOfYear() const {
    SYSTEMTIME t;
    if (!Fields(t)) return -1;
    return static_cast<int>(Days_From_Civil(t.wYear, t.wMonth, t.wDay) - Days_From_Civil(t.wYear, 1, 1) + 1);
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const { return Fields(time); }

CString COleDateTime::Format(LPCWSTR format) const {
    SYSTEMTIME t;
    if (!Fields(t)) return CString();
    // Outside CTime's range too, so the fields go in as they are.
    std::tm tm{};
    tm.tm_year = t.wYear - 1900, tm.tm_mon = t.wMonth - 1, tm.tm_mday = t.wDay;
    tm.tm_hour = t.wHour, tm.tm_min = t.wMinute, tm.tm_sec = t.wSecond;
    tm.tm_wday = t.wDayOfWeek, tm.tm_yday = GetDayOfYear() - 1, tm.tm_isdst = -1;
    return Format_Tm(tm, format);
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
    return Ole_To_Linear(date_) - Ole_To_Linear(other.date_);
}

COleDateTime COleDateTime::operator+(COleDateTimeSpan span) const {
    COleDateTime sum(Linear_To_Ole(Ole_To_Linear(date_) + span.GetTotalDays()));
    sum.status_ = status_;
    return sum;
}

COleDateTime COleDateTime::operator-(COleDateTimeSpan span) const { return *this + COleDateTimeSpan(-span.GetTotalDays()); }

bool COleDateTime::operator==(const COleDateTime& other) const {
    return status_ == other.status_ && Ole_To_Linear(date_) == Ole_To_Linear(other.date_);
}

bool COleDateTime::operator<(const COleDateTime& other) const {
    return Ole_To_Linear(date_) < Ole_To_Linear(other.date_);
}
