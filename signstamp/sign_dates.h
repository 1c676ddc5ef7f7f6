// Calendar dates as yyyymmdd integers on the machine's local clock, for the
// authorisation windows of placed signatures.
#pragma once

#include <cstdint>

// Today's local date as yyyymmdd.
int32_t Today_Date_Stamp();
// The local date `days` days after today as yyyymmdd.
int32_t Date_Stamp_After_Days(int32_t days);
// Whole days from the first date to the second (negative when the second is earlier);
// false when either is no calendar date from 1970 on (month 1..12, day 1..31).
bool Days_Between_Stamps(int32_t from, int32_t to, int64_t& days);
