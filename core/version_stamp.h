// The program's version stamp (yyyymmdd) at the head of every file and record it
// writes. Readers take a field only when the stamp is late enough for it, so the
// stamp must be later than the newest field of every format.
#pragma once

#include <cstdint>

constexpr int32_t Program_Version_Stamp = 20261210;
