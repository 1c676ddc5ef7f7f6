// The plot list of a sheet set in the order the user picked: by position (types 1..8),
// one space after the other, or as detection met the frames (type 9).
#include <algorithm>
#include <vector>

#include "sheets/sheet_records.h"
#include "sheets/sort_frames.h"

void Plot_Sheet_Set::Sort_Sheets(int sort_type)
{
    std::vector<Plot_Drawing1*> ordered;
    ordered.reserve(Plot_List.GetSize());
    for (INT_PTR i = 0; i < Plot_List.GetSize(); ++i)
        ordered.push_back(Plot_List[i]);
    if (sort_type == 9)
        std::stable_sort(ordered.begin(), ordered.end(), [](const Plot_Drawing1* a, const Plot_Drawing1* b) {
            return a->Order_Index < b->Order_Index;
        });
    else
        ordered = Order_Sheets_By_Position(ordered, sort_type);
    for (size_t i = 0; i < ordered.size(); ++i) {
        Plot_List[static_cast<INT_PTR>(i)] = ordered[i];
        ordered[i]->Set_Marker(static_cast<int>(i + 1), -1);
    }
}
