// Rectangle-set operations shared by regions and clipping. Not a public header.
#pragma once

#include <vector>

#include "win/win_types.h"

namespace platform::gdi {

std::vector<RECT> Subtract(const std::vector<RECT>& a, const RECT& b);
std::vector<RECT> Intersect(const std::vector<RECT>& a, const std::vector<RECT>& b);
std::vector<RECT> Unite(const std::vector<RECT>& a, const std::vector<RECT>& b);
RECT Bounding_Box(const std::vector<RECT>& rects);
// NULLREGION, SIMPLEREGION or COMPLEXREGION.
int Region_Type(const std::vector<RECT>& rects);

}  // namespace platform::gdi
