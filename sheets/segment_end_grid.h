// Grids of the ends of a list of segments, so that the segments with an end near a point or
// in a box are found without scanning every segment of a coordinate window.
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

// Both ends of a list of segments by grid cell.
class Segment_Ends {
public:
    explicit Segment_Ends(const Temp_Line_Array& lines) : m_Starts(lines, false), m_Ends(lines, true) {}
    // Positions, ascending, of the segments with an end in the square of half side t.
    void Near(const ZcGePoint2d& point, double t, std::vector<int>& out) const;

private:
    Segment_End_Grid m_Starts, m_Ends;
};

// The segments of a list by grid cell of their starts, as the list was when the index was
// made, with their positions now: purges move the later segments up.
class Segment_Index {
public:
    explicit Segment_Index(const Temp_Line_Array& lines);
    // Positions now, ascending, of the segments whose start lies in the square of half side t.
    void Starts_Near(const ZcGePoint2d& point, double t, std::vector<int>& out) const;
    // The same for the starts in the box.
    void Starts_In(double x0, double y0, double x1, double y1, std::vector<int>& out) const;
    // Purge_Done_Segments on the list, keeping up with the positions.
    void Purge_Done(Temp_Line_Array& lines, int start);

private:
    void To_Positions(std::vector<int>& ids) const;

    Segment_End_Grid m_Starts;
    std::vector<int> m_Position_Of;  // by id; -1 once purged
    std::vector<int> m_Id_At;        // by position now
};
