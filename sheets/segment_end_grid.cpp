#include "sheets/segment_end_grid.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "sheets/loose_line_frames.h"

namespace {

bool Is_Finite(const ZcGePoint2d& point)
{
    return std::isfinite(point.x) && std::isfinite(point.y);
}

}  // namespace

Segment_End_Grid::Segment_End_Grid(const Temp_Line_Array& lines, bool ends)
{
    const int count = static_cast<int>(lines.GetSize());
    m_Points.reserve(count);
    double right = 0, top = 0;
    int finite = 0;
    for (int i = 0; i < count; ++i) {
        const ZcGePoint2d& point = ends ? lines[i]->End : lines[i]->Start;
        m_Points.push_back(point);
        if (!Is_Finite(point))
            continue;  // never near anything
        if (finite++ == 0) {
            m_Left = right = point.x, m_Bottom = top = point.y;
        } else {
            m_Left = std::min(m_Left, point.x), right = std::max(right, point.x);
            m_Bottom = std::min(m_Bottom, point.y), top = std::max(top, point.y);
        }
    }
    if (finite == 0)
        return;
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(finite)))));
    m_Columns = right > m_Left ? side : 1;
    m_Rows = top > m_Bottom ? side : 1;
    m_Cell_Width = right > m_Left ? (right - m_Left) / m_Columns : 1.0;
    m_Cell_Height = top > m_Bottom ? (top - m_Bottom) / m_Rows : 1.0;

    // Positions by cell: counted, then placed in position order.
    std::vector<int> cell_of(count, -1);
    m_Cell_First.assign(static_cast<size_t>(m_Columns) * m_Rows + 1, 0);
    for (int i = 0; i < count; ++i) {
        if (!Is_Finite(m_Points[i]))
            continue;
        cell_of[i] = Row(m_Points[i].y) * m_Columns + Column(m_Points[i].x);
        ++m_Cell_First[cell_of[i] + 1];
    }
    for (size_t c = 1; c < m_Cell_First.size(); ++c)
        m_Cell_First[c] += m_Cell_First[c - 1];
    m_Positions.resize(finite);
    std::vector<int> next(m_Cell_First.begin(), m_Cell_First.end() - 1);
    for (int i = 0; i < count; ++i)
        if (cell_of[i] >= 0)
            m_Positions[next[cell_of[i]]++] = i;
}

int Segment_End_Grid::Column(double x) const
{
    const double cell = std::floor((x - m_Left) / m_Cell_Width);
    return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(m_Columns - 1)));
}

int Segment_End_Grid::Row(double y) const
{
    const double cell = std::floor((y - m_Bottom) / m_Cell_Height);
    return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(m_Rows - 1)));
}

void Segment_End_Grid::Near(const ZcGePoint2d& point, double t, std::vector<int>& out) const
{
    out.clear();
    if (!(t > 0))
        return;
    if (std::isfinite(t))
        In_Box(point.x - t, point.y - t, point.x + t, point.y + t, out);
    else if (Is_Finite(point))
        In_Box(-t, -t, t, t, out);
}

void Segment_End_Grid::In_Box(double x0, double y0, double x1, double y1, std::vector<int>& out) const
{
    out.clear();
    if (m_Positions.empty() || std::isnan(x0) || std::isnan(y0) || std::isnan(x1) || std::isnan(y1))
        return;
    const int column_end = Column(x1), row_end = Row(y1);
    for (int row = Row(y0); row <= row_end; ++row)
        for (int column = Column(x0); column <= column_end; ++column) {
            const size_t cell = static_cast<size_t>(row) * m_Columns + column;
            for (int k = m_Cell_First[cell]; k < m_Cell_First[cell + 1]; ++k) {
                const int position = m_Positions[k];
                const ZcGePoint2d& p = m_Points[position];
                if (p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1)
                    out.push_back(position);
            }
        }
    std::sort(out.begin(), out.end());
}

void Segment_Ends::Near(const ZcGePoint2d& point, double t, std::vector<int>& out) const
{
    std::vector<int> starts, ends;
    m_Starts.Near(point, t, starts);
    m_Ends.Near(point, t, ends);
    out.clear();
    std::set_union(starts.begin(), starts.end(), ends.begin(), ends.end(), std::back_inserter(out));
}

Segment_Index::Segment_Index(const Temp_Line_Array& lines) : m_Starts(lines, false), m_Position_Of(lines.GetSize())
{
    for (int i = 0; i < static_cast<int>(m_Position_Of.size()); ++i)
        m_Position_Of[i] = i;
    m_Id_At = m_Position_Of;
}

void Segment_Index::Starts_Near(const ZcGePoint2d& point, double t, std::vector<int>& out) const
{
    m_Starts.Near(point, t, out);
    To_Positions(out);
}

void Segment_Index::Starts_In(double x0, double y0, double x1, double y1, std::vector<int>& out) const
{
    m_Starts.In_Box(x0, y0, x1, y1, out);
    To_Positions(out);
}

void Segment_Index::Purge_Done(Temp_Line_Array& lines, int start)
{
    int kept = std::max(start, 0);
    for (int position = kept; position < static_cast<int>(lines.GetSize()); ++position) {
        const int id = m_Id_At[position];
        if (lines[position]->Done) {
            m_Position_Of[id] = -1;
        } else {
            m_Position_Of[id] = kept;
            m_Id_At[kept++] = id;
        }
    }
    m_Id_At.resize(kept);
    Purge_Done_Segments(lines, start);
}

void Segment_Index::To_Positions(std::vector<int>& ids) const
{
    size_t kept = 0;
    for (int id : ids)
        if (m_Position_Of[id] >= 0)
            ids[kept++] = m_Position_Of[id];
    ids.resize(kept);
}
