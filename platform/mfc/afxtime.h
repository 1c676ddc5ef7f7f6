// Calendar times: CTime counts seconds since 1970 in the machine's local time zone;
// COleDateTime counts days (with a fraction for the time of day) since 1899-12-30
// and carries a validity status. GetCurrentTime of both reads the machine's clock.
#pragma once

#include <cstdint>
#include <ctime>

#include "win/windows.h"
#include "mfc/afxstr.h"

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(__time64_t seconds) : span_(seconds) {}
    CTimeSpan(LONG days, int hours, int minutes, int seconds);

    LONGLONG GetDays() const { return span_ / 86400; }
    LONGLONG GetTotalHours() const { return span_ / 3600; }
    LONGLONG GetTotalMinutes() const { return span_ / 60; }
    LONGLONG GetTotalSeconds() const { return span_; }
    __time64_t GetTimeSpan() const { return span_; }

    CTimeSpan operator+(CTimeSpan other) const { return span_ + other.span_; }
    CTimeSpan operator-(CTimeSpan other) const { return span_ - other.span_; }
    auto operator<=>(const CTimeSpan&) const = default;

private:
    __time64_t span_ = 0;
};

class CTime {
public:
    CTime() = default;
    CTime(__time64_t time) : time_(time) {}
    // Local time; a daylight-saving flag of -1 lets the time zone decide.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& time, int dst = -1);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return time_; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    int GetDayOfWeek() const { return Local().tm_wday + 1; }  // 1 = Sunday
    bool GetAsSystemTime(SYSTEMTIME& time) const;
    // strftime directives on the local time.
    CString Format(LPCWSTR format) const;

    CTimeSpan operator-(CTime other) const { return time_ - other.time_; }
    CTime operator+(CTimeSpan span) const { return time_ + span.GetTimeSpan(); }
    CTime operator-(CTimeSpan span) const { return time_ - span.GetTimeSpan(); }
    CTime& operator+=(CTimeSpan span) { time_ += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { time_ -= span.GetTimeSpan(); return *this; }
    auto operator<=>(const CTime&) const = default;

private:
    std::tm Local() const;
    __time64_t time_ = 0;
};

class COleDateTimeSpan {
public:
    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days) : span_(days) {}
    COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    LONG GetDays() const { return static_cast<LONG>(span_); }
    double GetTotalDays() const { return span_; }
    double GetTotalHours() const { return span_ * 24; }
    double GetTotalSeconds() const { return span_ * 86400; }

    COleDateTimeSpan operator+(COleDateTimeSpan other) const { return span_ + other.span_; }
    COleDateTimeSpan operator-(COleDateTimeSpan other) const { return span_ - other.span_; }
    auto operator<=>(const COleDateTimeSpan&) const = default;

private:
    double span_ = 0;
};

typedef double DATE;

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    COleDateTime(DATE date) : date_(date) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second) {
        SetDateTime(year, month, day, hour, minute, second);
    }
    COleDateTime(const SYSTEMTIME& time);
    COleDateTime(const CTime& time);

    static COleDateTime GetCurrentTime();

    // 0 when set; 1 with the status invalid for fields out of range
    // (years 100..9999, a day the month has, 0..23:59:59).
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    void SetStatus(DateTimeStatus status) { status_ = status; }
    DateTimeStatus GetStatus() const { return status_; }

    // Fields of an invalid time are -1.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday
    int GetDayOfYear() const;
    bool GetAsSystemTime(SYSTEMTIME& time) const;
    operator DATE() const { return date_; }
    // strftime directives; an empty string for an invalid time.
    CString Format(LPCWSTR format) const;

    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime operator+(COleDateTimeSpan span) const;
    COleDateTime operator-(COleDateTimeSpan span) const;
    COleDateTime& operator+=(COleDateTimeSpan span) { return *this = *this + span; }
    COleDateTime& operator-=(COleDateTimeSpan span) { return *this = *this - span; }
    bool operator==(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

private:
    bool Fields(SYSTEMTIME& time) const;
    DATE date_ = 0;
    DateTimeStatus status_ = valid;
};
