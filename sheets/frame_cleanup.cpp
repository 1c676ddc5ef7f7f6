// Duplicate, inner, small and empty frame removal.
#include "sheets/frame_cleanup.h"

#include <algorithm>
#include <cmath>

#include "core/selection_helpers.h"
#include "core/view_helpers.h"
#include "sheets/exact_extents.h"
#include "sheets/marker_entities.h"

namespace {

constexpr int Pairwise_Limit = 1000;
constexpr int Max_Split_Depth = 4;

double Sheet_Area(Plot_Drawing1* sheet)
{
    if (sheet->Area <= 0.0)
        sheet->Area = sheet->Width * sheet->Height;
    return sheet->Area;
}

// Deletes the marked sheets (their markers go with them); the rest keep their order.
void Delete_Marked(Sheet_Array& sheets)
{
    INT_PTR kept = 0;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        if (sheet->Delete_Mark)
            delete sheet;
        else
            sheets[kept++] = sheet;
    }
    sheets.SetSize(kept);
}

// True when inner lies inside outer grown by grow on every side (a negative grow shrinks).
bool Lies_Within(const Plot_Drawing1& inner, const Plot_Drawing1& outer, double grow)
{
    return inner.Min_Corner.x >= outer.Min_Corner.x - grow && inner.Min_Corner.y >= outer.Min_Corner.y - grow &&
           inner.Max_Corner.x <= outer.Max_Corner.x + grow && inner.Max_Corner.y <= outer.Max_Corner.y + grow;
}

bool Strictly_Inside_Inner(const Plot_Drawing1& frame, double x, double y)
{
    return x > frame.Inner_Left && x < frame.Inner_Right && y > frame.Inner_Bottom && y < frame.Inner_Top;
}

// The frames of a list by the grid cells that their rectangles, grown by their tolerance,
// cover: a frame that a sheet lies within covers the cell of the sheet's min corner.
class Grown_Frame_Grid {
public:
    explicit Grown_Frame_Grid(const Sheet_Array& frames)
    {
        for (INT_PTR i = 0; i < frames.GetSize(); ++i) {
            const Plot_Drawing1& frame = *frames[i];
            const double t = frame.Tolerance;
            m_Grown.push_back({frame.Min_Corner.x - t, frame.Min_Corner.y - t, frame.Max_Corner.x + t,
                               frame.Max_Corner.y + t});
            m_All.push_back(static_cast<int>(i));
        }
        double right = 0, top = 0;
        bool any_x = false, any_y = false;
        for (const Box& box : m_Grown) {
            for (double x : {box.x0, box.x1})
                if (std::isfinite(x)) {
                    m_Left = any_x ? std::min(m_Left, x) : x;
                    right = any_x ? std::max(right, x) : x;
                    any_x = true;
                }
            for (double y : {box.y0, box.y1})
                if (std::isfinite(y)) {
                    m_Bottom = any_y ? std::min(m_Bottom, y) : y;
                    top = any_y ? std::max(top, y) : y;
                    any_y = true;
                }
        }
        const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(m_Grown.size())))));
        m_Columns = right > m_Left ? side : 1;
        m_Rows = top > m_Bottom ? side : 1;
        m_Cell_Width = right > m_Left ? (right - m_Left) / m_Columns : 1.0;
        m_Cell_Height = top > m_Bottom ? (top - m_Bottom) / m_Rows : 1.0;
        m_Cells.resize(static_cast<size_t>(m_Columns) * m_Rows);
        for (size_t f = 0; f < m_Grown.size(); ++f) {
            const Box& box = m_Grown[f];
            if (std::isnan(box.x0) || std::isnan(box.y0) || std::isnan(box.x1) || std::isnan(box.y1) ||
                !(box.x0 <= box.x1 && box.y0 <= box.y1))
                continue;  // holds nothing
            for (int row = Row(box.y0); row <= Row(box.y1); ++row)
                for (int column = Column(box.x0); column <= Column(box.x1); ++column)
                    m_Cells[static_cast<size_t>(row) * m_Columns + column].push_back(static_cast<int>(f));
        }
    }

    // Positions, ascending, of the frames whose grown rectangle may hold the sheet.
    const std::vector<int>& Around(const Plot_Drawing1& sheet) const
    {
        const ZcGePoint2d& low = sheet.Min_Corner;
        const ZcGePoint2d& high = sheet.Max_Corner;
        if (std::isnan(low.x) || std::isnan(low.y))
            return m_None;
        if (!(low.x <= high.x && low.y <= high.y))
            return m_All;  // corners out of order: its min corner says nothing
        return m_Cells[static_cast<size_t>(Row(low.y)) * m_Columns + Column(low.x)];
    }

private:
    struct Box {
        double x0, y0, x1, y1;
    };

    int Column(double x) const
    {
        const double cell = std::floor((x - m_Left) / m_Cell_Width);
        return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(m_Columns - 1)));
    }
    int Row(double y) const
    {
        const double cell = std::floor((y - m_Bottom) / m_Cell_Height);
        return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(m_Rows - 1)));
    }

    std::vector<Box> m_Grown;
    std::vector<std::vector<int>> m_Cells;
    std::vector<int> m_All, m_None;
    int m_Columns = 1, m_Rows = 1;
    double m_Left = 0, m_Bottom = 0, m_Cell_Width = 1, m_Cell_Height = 1;
};

// Each unmarked sheet against the unmarked others whose grown rectangle may hold it, in
// the others' order, until the sheet is marked: of the tests of every sheet with every
// other, those that can change anything, in the same order.
void Resolve_Against(const Sheet_Array& sheets, const Sheet_Array& others)
{
    const Grown_Frame_Grid grid(others);
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        for (int j : grid.Around(*sheet)) {
            if (sheet->Delete_Mark)
                break;
            Plot_Drawing1* other = others[j];
            if (other != sheet && !other->Delete_Mark)
                sheet->Resolve_Overlap(other);
        }
    }
}

}  // namespace

int Frame_Split::Side(double low, double high) const
{
    if (low < Middle && high < Middle)
        return -1;
    if (low > Middle && high > Middle)
        return 1;
    return 0;
}

int Frame_Split::Side(const Plot_Drawing1& sheet) const
{
    return By_X ? Side(sheet.Min_Corner.x, sheet.Max_Corner.x) : Side(sheet.Min_Corner.y, sheet.Max_Corner.y);
}

Frame_Split Split_Of(const Sheet_Array& sheets)
{
    double x0 = sheets[0]->Min_Corner.x, x1 = sheets[0]->Max_Corner.x;
    double y0 = sheets[0]->Min_Corner.y, y1 = sheets[0]->Max_Corner.y;
    for (INT_PTR i = 1; i < sheets.GetSize(); ++i) {
        x0 = std::min(x0, sheets[i]->Min_Corner.x);
        x1 = std::max(x1, sheets[i]->Max_Corner.x);
        y0 = std::min(y0, sheets[i]->Min_Corner.y);
        y1 = std::max(y1, sheets[i]->Max_Corner.y);
    }
    Frame_Split split;
    split.By_X = (x1 - x0) > (y1 - y0);
    split.Middle = split.By_X ? (x0 + x1) / 2.0 : (y0 + y1) / 2.0;
    return split;
}

void Plot_Drawing1::Resolve_Overlap(Plot_Drawing1* other)
{
    const double t = other->Tolerance;
    if (!Lies_Within(*this, *other, t))
        return;
    const double a = Sheet_Area(this);
    const double b = Sheet_Area(other);
    if (a <= b) {
        Delete_Mark = true;
        if (!other->Contains && Lies_Within(*this, *other, -t))
            other->Contains = true;
    } else {
        other->Delete_Mark = true;
        if (!Contains && Lies_Within(*other, *this, -t))
            Contains = true;
    }
}

void Remove_Small_Or_Inner_Frames(Sheet_Array& sheets)
{
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        if (sheet->Tolerance > 0.0)
            continue;
        const double shorter = std::min(sheet->Max_Corner.x - sheet->Min_Corner.x, sheet->Max_Corner.y - sheet->Min_Corner.y);
        if (shorter < 0.001)
            sheet->Delete_Mark = true;
        else
            sheet->Tolerance = 0.01 * shorter;
    }
    Delete_Marked(sheets);
    Remove_Overlapping_Frames(sheets, 0);
}

void Remove_Overlapping_Frames_Pairwise(Sheet_Array& sheets)
{
    Resolve_Against(sheets, sheets);
    Delete_Marked(sheets);
}

void Remove_Overlapping_Frames(Sheet_Array& sheets, int depth)
{
    if (sheets.GetSize() <= Pairwise_Limit) {
        Remove_Overlapping_Frames_Pairwise(sheets);
        return;
    }
    const Frame_Split split = Split_Of(sheets);
    Sheet_Array below, above, straddling;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        const int side = split.Side(*sheet);
        (side < 0 ? below : side > 0 ? above : straddling).Add(sheet);
    }
    for (Sheet_Array* group : {&below, &above}) {
        if (group->GetSize() < Pairwise_Limit + 1 || depth > Max_Split_Depth)
            Remove_Overlapping_Frames_Pairwise(*group);
        else
            Remove_Overlapping_Frames(*group, depth + 1);
    }
    Remove_Overlapping_Frames_Pairwise(straddling);

    sheets.RemoveAll();
    sheets.Append(below);
    sheets.Append(above);
    Resolve_Against(sheets, straddling);
    Delete_Marked(sheets);
    Delete_Marked(straddling);
    sheets.Append(straddling);
}

Inner_Rect_Index::Inner_Rect_Index(Sheet_Array& frames)
{
    double right = 0, top = 0;
    for (INT_PTR i = 0; i < frames.GetSize(); ++i) {
        Plot_Drawing1* frame = frames[i];
        frame->Compute_Inner_Rect();
        if (!(frame->Inner_Left < frame->Inner_Right && frame->Inner_Bottom < frame->Inner_Top) ||
            !std::isfinite(frame->Inner_Left + frame->Inner_Right + frame->Inner_Bottom + frame->Inner_Top))
            continue;  // holds nothing strictly inside
        if (Frames.empty()) {
            Left = frame->Inner_Left, Bottom = frame->Inner_Bottom, right = frame->Inner_Right, top = frame->Inner_Top;
        } else {
            Left = std::min(Left, frame->Inner_Left), Bottom = std::min(Bottom, frame->Inner_Bottom);
            right = std::max(right, frame->Inner_Right), top = std::max(top, frame->Inner_Top);
        }
        Frames.push_back(frame);
    }
    if (Frames.empty())
        return;
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(Frames.size())))));
    Columns = right > Left ? side : 1;
    Rows = top > Bottom ? side : 1;
    Cell_Width = right > Left ? (right - Left) / Columns : 1.0;
    Cell_Height = top > Bottom ? (top - Bottom) / Rows : 1.0;
    Cells.resize(static_cast<size_t>(Columns) * Rows);
    for (size_t f = 0; f < Frames.size(); ++f) {
        const Plot_Drawing1* frame = Frames[f];
        for (int row = Row(frame->Inner_Bottom); row <= Row(frame->Inner_Top); ++row)
            for (int column = Column(frame->Inner_Left); column <= Column(frame->Inner_Right); ++column)
                Cells[static_cast<size_t>(row) * Columns + column].push_back(static_cast<int>(f));
    }
}

int Inner_Rect_Index::Column(double x) const
{
    const double cell = std::floor((x - Left) / Cell_Width);
    return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(Columns - 1)));
}

int Inner_Rect_Index::Row(double y) const
{
    const double cell = std::floor((y - Bottom) / Cell_Height);
    return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(Rows - 1)));
}

Plot_Drawing1* Inner_Rect_Index::First_Holding(double x0, double y0, double x1, double y1) const
{
    if (Frames.empty() || !std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return nullptr;
    // A frame that holds the box holds its first corner, so it covers that corner's cell.
    for (int f : Cells[static_cast<size_t>(Row(y0)) * Columns + Column(x0)]) {
        Plot_Drawing1* frame = Frames[static_cast<size_t>(f)];
        if (Strictly_Inside_Inner(*frame, x0, y0) && Strictly_Inside_Inner(*frame, x1, y1))
            return frame;
    }
    return nullptr;
}

Candidate_Grid::Candidate_Grid(const Temp_Id_Array& candidates, int start)
{
    double right = 0, top = 0;
    bool any = false;
    for (INT_PTR i = std::max(start, 0); i < candidates.GetSize(); ++i) {
        const ZcGePoint3d& corner = candidates[i]->Min_Corner;
        if (!std::isfinite(corner.x) || !std::isfinite(corner.y))
            continue;
        if (!any) {
            Left = right = corner.x, Bottom = top = corner.y;
            any = true;
        }
        Left = std::min(Left, corner.x), right = std::max(right, corner.x);
        Bottom = std::min(Bottom, corner.y), top = std::max(top, corner.y);
    }
    if (!any)
        return;
    const double count = static_cast<double>(candidates.GetSize() - std::max(start, 0));
    const int side = std::max(1, static_cast<int>(std::ceil(std::sqrt(count / 4.0))));
    Columns = right > Left ? side : 1;
    Rows = top > Bottom ? side : 1;
    Cell_Width = right > Left ? (right - Left) / Columns : 1.0;
    Cell_Height = top > Bottom ? (top - Bottom) / Rows : 1.0;
    Cells.resize(static_cast<size_t>(Columns) * Rows);
    for (INT_PTR i = std::max(start, 0); i < candidates.GetSize(); ++i) {
        Temp_Id* candidate = candidates[i];
        if (std::isfinite(candidate->Min_Corner.x) && std::isfinite(candidate->Min_Corner.y))
            Cells[static_cast<size_t>(Row(candidate->Min_Corner.y)) * Columns + Column(candidate->Min_Corner.x)]
                .emplace_back(static_cast<int>(i), candidate);
    }
}

int Candidate_Grid::Column(double x) const
{
    const double cell = std::floor((x - Left) / Cell_Width);
    return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(Columns - 1)));
}

int Candidate_Grid::Row(double y) const
{
    const double cell = std::floor((y - Bottom) / Cell_Height);
    return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(Rows - 1)));
}

bool Candidate_Grid::Consume(Sheet_Array& frames, int from)
{
    bool any = false;
    for (INT_PTR f = 0; f < frames.GetSize(); ++f) {
        Plot_Drawing1* frame = frames[f];
        frame->Compute_Inner_Rect();
        if (Cells.empty() || !(frame->Inner_Left < frame->Inner_Right && frame->Inner_Bottom < frame->Inner_Top) ||
            !std::isfinite(frame->Inner_Left + frame->Inner_Right + frame->Inner_Bottom + frame->Inner_Top))
            continue;
        // A candidate inside the frame has its min corner inside, so in a cell the inner
        // rectangle covers.
        for (int row = Row(frame->Inner_Bottom); row <= Row(frame->Inner_Top); ++row)
            for (int column = Column(frame->Inner_Left); column <= Column(frame->Inner_Right); ++column)
                for (const auto& [position, candidate] : Cells[static_cast<size_t>(row) * Columns + column]) {
                    if (position < from || candidate->Done)
                        continue;
                    if (Strictly_Inside_Inner(*frame, candidate->Min_Corner.x, candidate->Min_Corner.y) &&
                        Strictly_Inside_Inner(*frame, candidate->Max_Corner.x, candidate->Max_Corner.y)) {
                        candidate->Done = true;
                        frame->Contains = true;
                        any = true;
                    }
                }
    }
    return any;
}

void Consume_Inner_Candidates(Sheet_Array& frames, Temp_Id_Array& candidates, int start)
{
    Candidate_Grid grid(candidates, start);
    if (grid.Consume(frames, start))
        Purge_Done_Candidates(candidates, start);
}

void Purge_Done_Candidates(Temp_Id_Array& candidates, int start)
{
    INT_PTR kept = std::max(start, 0);
    for (INT_PTR i = kept; i < candidates.GetSize(); ++i) {
        Temp_Id* candidate = candidates[i];
        if (candidate->Done)
            delete candidate;
        else
            candidates[kept++] = candidate;
    }
    if (kept < candidates.GetSize())
        candidates.SetSize(kept);
}

bool Is_Empty_Or_Own_Marker(const ZcDbObjectIdArray& ids)
{
    if (ids.isEmpty())
        return true;
    if (ids.length() > 1)
        return false;
    ZcDbObjectPointer<ZcDbEntity> entity(ids[0], ZcDb::kForRead);
    return entity.openStatus() == Zcad::eOk && Temp_PlotRec::cast(entity.object()) != nullptr;
}

void Build_Range_Fence(ZcGePoint3dArray& points, const ZcGePoint3d& corner_1, const ZcGePoint3d& corner_2,
                       int intervals)
{
    points.removeAll();
    if (intervals < 1)
        intervals = 1;
    const bool along_x = std::fabs(corner_2.x - corner_1.x) > std::fabs(corner_2.y - corner_1.y);
    if (along_x) {
        const double step = (corner_2.y - corner_1.y) / intervals;
        for (int k = 0; k <= intervals; ++k) {
            const double y = corner_1.y + k * step;
            points.append(ZcGePoint3d(corner_1.x, y, 0.0));
            points.append(ZcGePoint3d(corner_2.x, y, 0.0));
        }
    } else {
        const double step = (corner_2.x - corner_1.x) / intervals;
        for (int k = 0; k <= intervals; ++k) {
            const double x = corner_1.x + k * step;
            points.append(ZcGePoint3d(x, corner_1.y, 0.0));
            points.append(ZcGePoint3d(x, corner_2.y, 0.0));
        }
    }
}

namespace {

// True when a viewport found along the frame's diagonal has its centre strictly inside the
// frame; the viewports found stay in ids.
bool Has_Centred_Viewport(const Plot_Drawing1& sheet, ZcDbObjectIdArray& ids)
{
    ZcGePoint3dArray diagonal;
    diagonal.append(ZcGePoint3d(sheet.Min_Corner.x - 0.001, sheet.Min_Corner.y - 0.001, 0.0));
    diagonal.append(ZcGePoint3d(sheet.Max_Corner.x + 0.001, sheet.Max_Corner.y + 0.001, 0.0));
    Fence_Select_By_Type(L"ViewPort", ids, diagonal);
    for (int i = 0; i < ids.length(); ++i) {
        const ZcGePoint3d centre = Get_Extents_Centre(Get_Entity_Extents_By_Id(ids[i]));
        if (centre.x > sheet.Min_Corner.x && centre.x < sheet.Max_Corner.x && centre.y > sheet.Min_Corner.y &&
            centre.y < sheet.Max_Corner.y)
            return true;
    }
    return false;
}

bool Is_Empty_Frame(const Plot_Drawing1& sheet)
{
    ZcDbObjectIdArray ids;
    if (Has_Centred_Viewport(sheet, ids))
        return false;
    const double inset_x = (sheet.Max_Corner.x - sheet.Min_Corner.x) * 0.025;
    const double inset_y = (sheet.Max_Corner.y - sheet.Min_Corner.y) * 0.025;
    const ZcGePoint3d lower_left(sheet.Min_Corner.x + inset_x, sheet.Min_Corner.y + inset_y, 0.0);
    const ZcGePoint3d upper_right(sheet.Max_Corner.x - inset_x, sheet.Max_Corner.y - inset_y, 0.0);
    const int divisions[] = {3, 15, 90};
    for (int n = 0; n < 3; ++n) {
        ZcGePoint3dArray fence;
        if (n == 0)
            Build_Range_Fence(fence, lower_left, upper_right, divisions[n]);
        else
            Build_Range_Fence(fence, upper_right, lower_left, divisions[n]);
        Fence_Select(ids, fence);
        if (!Is_Empty_Or_Own_Marker(ids))
            return false;
    }
    return true;
}

}  // namespace

void Remove_Empty_Frames(Sheet_Array& sheets)
{
    ZcDbExtents tested;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        const Plot_Drawing1* sheet = sheets[i];
        if ((sheet->Kind == Sheet_From_Polyline || sheet->Kind == Sheet_From_Lines) && !sheet->Contains) {
            tested.addPoint(ZcGePoint3d(sheet->Min_Corner.x, sheet->Min_Corner.y, 0.0));
            tested.addPoint(ZcGePoint3d(sheet->Max_Corner.x, sheet->Max_Corner.y, 0.0));
        }
    }
    if (!tested.isValid())
        return;
    Zoom_To_Include(tested);
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        if ((sheet->Kind == Sheet_From_Polyline || sheet->Kind == Sheet_From_Lines) && !sheet->Contains &&
            Is_Empty_Frame(*sheet))
            sheet->Delete_Mark = true;
    }
    Delete_Marked(sheets);
}
