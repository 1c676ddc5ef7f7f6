// The start or end points of a list of segments by grid cell, so that the segments with an
// end near a point are found without scanning every segment of a coordinate window.
#pragma once

#include <vector>

#include "ge/gepnt2d.h"
#include "sheets/sheet_records.h"

class Segment_End_Grid {
public:
    // The segments' starts, or their ends; positions are those in the list.
    Segment_End_Grid(const Temp_Line_Array& lines, bool ends);
    // Positions, ascending, of the segments whose point lies in the square of half side t
    // around the point: every segment whose point is nearer than t, and perhaps others.
    void Near(const ZcGePoint2d& point, double t, std::vector<int>& out) const;
    // Positions, ascending, of the segments whose point lies in the box (edges included).
    void In_Box(double x0, double y0, double x1, double y1, std::vector<int>& out) const;

private:
    int Column(double x) const;
    int Row(double y) const;

    std::vector<ZcGePoint2d> m_Points;  // by position
    std::vector<int> m_Cell_First;      // per cell, where its positions start in m_Positions; one more at the end
    std::vector<int> m_Positions;       // by cell, ascending within a cell
    int m_Columns = 0, m_Rows = 0;
    double m_Left = 0, m_Bottom = 0, m_Cell_Width = 1, m_Cell_Height = 1;
};
