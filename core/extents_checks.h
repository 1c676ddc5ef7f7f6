// Small tests on extents boxes.
#pragma once

#include "ge/extents.h"

// min x <= x <= max x and min y <= y <= max y (bounds included, z ignored).
bool Point_In_Extents(const ZcGePoint3d& point, const ZcDbExtents& extents);
// Both sides longer than 1e-5: false for empty or degenerate boxes.
bool Check_Extents(const ZcDbExtents& extents);
