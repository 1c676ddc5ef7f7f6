// The first sheet of a set of rectangles under one of the eight position orders, and the
// order that repeatedly taking the first sheet gives.
#pragma once

#include <map>
#include <vector>

#include "db/dbmain.h"
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

// The sheets (anything with Space_Id, Min_Corner and Max_Corner) one space after the
// other, spaces in the order of their first sheet, each space's sheets in the position
// order of sort type 1..8 (as listed for any other type).
template <class Sheet>
std::vector<Sheet*> Order_Sheets_By_Position(const std::vector<Sheet*>& sheets, int sort_type)
{
    std::vector<std::vector<Sheet*>> groups;
    std::map<ZcDbObjectId, size_t> group_of_space;
    for (Sheet* sheet : sheets) {
        const auto [entry, added] = group_of_space.try_emplace(sheet->Space_Id, groups.size());
        if (added)
            groups.emplace_back();
        groups[entry->second].push_back(sheet);
    }
    std::vector<Sheet*> ordered;
    ordered.reserve(sheets.size());
    for (const std::vector<Sheet*>& group : groups) {
        std::vector<Frame_Box> boxes;
        boxes.reserve(group.size());
        for (const Sheet* sheet : group)
            boxes.push_back(Box_Of_Corners(sheet->Min_Corner.x, sheet->Min_Corner.y, sheet->Max_Corner.x,
                                           sheet->Max_Corner.y));
        for (int index : Order_Frames(boxes, sort_type))
            ordered.push_back(group[index]);
    }
    return ordered;
}
