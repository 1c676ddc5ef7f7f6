// Builders of the sheets that the tests list by hand instead of detecting them.
#pragma once

#include "sheets/sheet_records.h"

// A new sheet of the rectangle: its corners, size and orientation.
template <class Sheet>
Sheet* New_Sheet(double x0, double y0, double x1, double y1)
{
    auto* sheet = new Sheet;
    sheet->Min_Corner.set(x0, y0);
    sheet->Max_Corner.set(x1, y1);
    sheet->Width = x1 - x0;
    sheet->Height = y1 - y0;
    sheet->Portrait = sheet->Width < sheet->Height;
    return sheet;
}

// The sheet among all sheets of the set and on its plot list (the set owns it).
inline Plot_Drawing1* List_Sheet(Plot_Sheet_Set& set, Plot_Drawing1* sheet)
{
    set.All_Sheets.Add(sheet);
    set.Plot_List.Add(sheet);
    return sheet;
}
