// The program's version stamp (yyyymmdd) at the head of every file and record it
// writes. Readers take a field only when the stamp is late enough for it, so the
// stamp must be later than the newest field of every format.
#pragma once

#include <cstdint>

constexpr int32_t Program_Version_Stamp = 20261210;

// Whether a value read where a file holds a version stamp can be one: a date yyyymmdd.
constexpr bool Is_Version_Stamp(int32_t value)
{
    const int32_t year = value / 10000, month = value / 100 % 100, day = value % 100;
    return year >= 1900 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}
