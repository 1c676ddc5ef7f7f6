// The first sheet of a set of rectangles under one of the eight position orders, and the
// order that repeatedly taking the first sheet gives.
#pragma once

#include <vector>

#include "ge/gepnt3d.h"
#include "rx/zcarray.h"
#include "sheets/frame_order_index.h"

// Index into the parallel corner arrays of the sheet that comes first under sort type
// 1..8 (rows or columns found by overlap). Both arrays are emptied, so callers pass
// copies. 0 for a type outside 1..8, for empty arrays and for one sheet.
int Sort_Frames(ZcArray<ZcGePoint3d>& min_corners, ZcArray<ZcGePoint3d>& max_corners, int sort_type);

// The indices of the boxes in the order of repeated Sort_Frames picks, each pick taken out
// of the set before the next. The given order for a type outside 1..8.
std::vector<int> Order_Frames(const std::vector<Frame_Box>& boxes, int sort_type);
