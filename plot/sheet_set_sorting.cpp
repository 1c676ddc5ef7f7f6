// The plot list of a sheet set in the order the user picked: by position (types 1..8),
// one space after the other, or as detection met the frames (type 9).
#include <algorithm>
#include <map>
#include <vector>

#include "sheets/sheet_records.h"
#include "sheets/sort_frames.h"

namespace {

// The sheets of each space, spaces in the order of their first sheet.
std::vector<std::vector<Plot_Drawing1*>> Group_By_Space(const Sheet_Array& list)
{
    std::vector<std::vector<Plot_Drawing1*>> groups;
    std::map<ZcDbObjectId, size_t> group_of_space;
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        const auto [entry, added] = group_of_space.try_emplace(list[i]->Space_Id, groups.size());
        if (added)
            groups.emplace_back();
        groups[entry->second].push_back(list[i]);
    }
    return groups;
}

std::vector<Plot_Drawing1*> By_Position(const std::vector<Plot_Drawing1*>& group, int sort_type)
{
    std::vector<Frame_Box> boxes;
    boxes.reserve(group.size());
    for (const Plot_Drawing1* sheet : group)
        boxes.push_back(Box_Of_Corners(sheet->Min_Corner.x, sheet->Min_Corner.y, sheet->Max_Corner.x,
                                       sheet->Max_Corner.y));
    std::vector<Plot_Drawing1*> ordered;
    ordered.reserve(group.size());
    for (int index : Order_Frames(boxes, sort_type))
        ordered.push_back(group[index]);
    return ordered;
}

}  // namespace

void Plot_Sheet_Set::Sort_Sheets(int sort_type)
{
    std::vector<Plot_Drawing1*> ordered;
    ordered.reserve(Plot_List.GetSize());
    if (sort_type == 9) {
        for (INT_PTR i = 0; i < Plot_List.GetSize(); ++i)
            ordered.push_back(Plot_List[i]);
        std::stable_sort(ordered.begin(), ordered.end(), [](const Plot_Drawing1* a, const Plot_Drawing1* b) {
            return a->Order_Index < b->Order_Index;
        });
    } else {
        for (const std::vector<Plot_Drawing1*>& group : Group_By_Space(Plot_List)) {
            const std::vector<Plot_Drawing1*> group_order = By_Position(group, sort_type);
            ordered.insert(ordered.end(), group_order.begin(), group_order.end());
        }
    }
    for (size_t i = 0; i < ordered.size(); ++i) {
        Plot_List[static_cast<INT_PTR>(i)] = ordered[i];
        ordered[i]->Set_Marker(static_cast<int>(i + 1), -1);
    }
}
