// The sheets behind the rows of a sheet list, as the list lights up their markers in the
// drawing.
#pragma once

class Sheet_Rows {
public:
    virtual ~Sheet_Rows() = default;
    // The rows that have a sheet: 0 .. count - 1.
    virtual int Sheet_Row_Count() const = 0;
    // Gives the marker of the row's sheet the look `state`; its number stays.
    virtual void Set_Row_Marker_State(int row, int state) = 0;
};
