#include "dialogs/stored_frame_rows.h"

#include <algorithm>

Stored_Frame_Rows::Stored_Frame_Rows(const Sheet_Infor_List& stored)
{
    Untaken.Min_Corners = stored.Min_Corners;
    Untaken.Max_Corners = stored.Max_Corners;
    const int count = std::min(stored.Min_Corners.length(), stored.Max_Corners.length());
    for (int i = 0; i < count; ++i) Stored_Index.append(i);
}

int Stored_Frame_Rows::Take(const Plot_Drawing1& sheet)
{
    const int untaken = Find_Frame_Infor(Untaken, sheet);
    if (untaken < 0)
        return -1;
    const int index = Stored_Index[untaken];
    Remove_Frame_Infor(Untaken, sheet);
    Stored_Index.removeAt(untaken);
    return index;
}
