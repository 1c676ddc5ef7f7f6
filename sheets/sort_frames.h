// The first sheet of a set of rectangles under one of the eight position orders.
#pragma once

#include "ge/gepnt3d.h"
#include "rx/zcarray.h"

// Index into the parallel corner arrays of the sheet that comes first under sort type
// 1..8 (rows or columns found by overlap). Both arrays are emptied, so callers pass
// copies. 0 for a type outside 1..8, for empty arrays and for one sheet; -1 when a sweep
// keeps no sheet.
int Sort_Frames(ZcArray<ZcGePoint3d>& min_corners, ZcArray<ZcGePoint3d>& max_corners, int sort_type);
