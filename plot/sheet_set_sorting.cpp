// The plot list of a sheet set in the order the user picked: by position (types 1..8),
// one space after the other, or as detection met the frames (type 9).
#include "sheets/sheet_records.h"
#include "sheets/sort_frames.h"

namespace {

void Sort_By_Order_Index(Sheet_Array& list)
{
    for (INT_PTR end = list.GetSize(); end >= 2; --end)
        for (INT_PTR i = 0; i + 1 < end; ++i)
            if (list[i + 1]->Order_Index < list[i]->Order_Index) {
                Plot_Drawing1* later = list[i + 1];
                list[i + 1] = list[i];
                list[i] = later;
            }
}

ZcGePoint3d Point(const ZcGePoint2d& p)
{
    return ZcGePoint3d(p.x, p.y, 0.0);
}

}  // namespace

void Plot_Sheet_Set::Sort_Sheets(int sort_type)
{
    if (sort_type == 9) {
        Sort_By_Order_Index(Plot_List);
        for (INT_PTR i = 0; i < Plot_List.GetSize(); ++i)
            Plot_List[i]->Set_Marker(static_cast<int>(i + 1), -1);
        return;
    }

    Sheet_Array work;
    work.Append(Plot_List);
    Plot_List.RemoveAll();
    while (work.GetSize() > 0) {
        const ZcDbObjectId space = work[0]->Space_Id;
        Sheet_Array group;
        ZcArray<ZcGePoint3d> min_corners, max_corners;
        for (INT_PTR i = 0; i < work.GetSize();) {
            if (work[i]->Space_Id == space) {
                group.Add(work[i]);
                min_corners.append(Point(work[i]->Min_Corner));
                max_corners.append(Point(work[i]->Max_Corner));
                work.RemoveAt(i);
            } else {
                ++i;
            }
        }
        while (group.GetSize() > 0) {
            ZcArray<ZcGePoint3d> min_copy = min_corners, max_copy = max_corners;
            int pick = Sort_Frames(min_copy, max_copy, sort_type);
            if (pick < 0 || pick >= group.GetSize())
                pick = 0;  // no sheet kept by a sweep: take the group's first
            Plot_Drawing1* sheet = group[pick];
            Plot_List.Add(sheet);
            sheet->Set_Marker(static_cast<int>(Plot_List.GetSize()), -1);
            group.RemoveAt(pick);
            min_corners.removeAt(pick);
            max_corners.removeAt(pick);
        }
    }
}
