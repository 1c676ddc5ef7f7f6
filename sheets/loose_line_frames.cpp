// Rectangles assembled from loose lines.
#include "sheets/loose_line_frames.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/detection_feedback.h"
#include "core/ucs_transform.h"
#include "db/dbents.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "sheets/frame_candidates.h"
#include "sheets/frame_cleanup.h"
#include "sheets/segment_end_grid.h"
#include "sheets/sort_helpers.h"

namespace {

constexpr int Pairwise_Sheet_Limit = 300;
constexpr int Pairwise_Segment_Limit = 3000;
constexpr int Max_Split_Depth = 4;
constexpr int Rectangle_Batch = 300;

bool Near(const ZcGePoint2d& a, const ZcGePoint2d& b, double tolerance)
{
    return std::hypot(a.x - b.x, a.y - b.y) < tolerance;
}

// Where a scan for keys from the value on starts (the bisection of the sorted segments).
int First_At_Least(const Temp_Line_Array& lines, double value, bool by_y)
{
    return by_y ? Find_Line_By_Y(lines, value) : Find_Line_By_X(lines, value);
}

// The positions of near (ascending) that a scan from index on meets while the segments'
// coordinate stays within limit: the scan would stop at the first segment beyond it.
std::vector<int>& Within_Scan(const Temp_Line_Array& lines, std::vector<int>& near, int index, double limit, bool by_y)
{
    auto it = std::lower_bound(near.begin(), near.end(), index);
    auto end = it;
    while (end != near.end() && (by_y ? lines[*end]->Start.y : lines[*end]->Start.x) <= limit)
        ++end;
    near.erase(end, near.end());
    near.erase(near.begin(), it);
    return near;
}

// The first vertical from index on, while their x stays within the window, whose bottom
// (or top) end lies near the point; -1 when none. Sets its joined flag.
int Join_Horizontal_End(Temp_Line_Array& verticals, const Segment_Ends& ends, int index, const ZcGePoint2d& point,
                        double t)
{
    std::vector<int> near;
    ends.Near(point, t, near);
    for (int k : Within_Scan(verticals, near, index, point.x + t, false)) {
        Temp_Line* vertical = verticals[k];
        if (Near(point, vertical->Start, t)) {
            vertical->Start_Joined = true;
            return k;
        }
        if (Near(point, vertical->End, t)) {
            vertical->End_Joined = true;
            return k;
        }
    }
    return -1;
}

// The first horizontal from index on, while their y stays within the window, with an end
// near the point; -1 when none.
int Find_Horizontal_At(const Temp_Line_Array& horizontals, const Segment_Ends& ends, int index,
                       const ZcGePoint2d& point, double t)
{
    std::vector<int> near;
    ends.Near(point, t, near);
    for (int k : Within_Scan(horizontals, near, index, point.y + t, true))
        if (Near(point, horizontals[k]->Start, t) || Near(point, horizontals[k]->End, t))
            return k;
    return -1;
}

void Keep_Joined_Horizontals(Temp_Line_Array& horizontals, Temp_Line_Array& verticals)
{
    const Segment_Ends ends(verticals);
    for (INT_PTR i = 0; i < horizontals.GetSize(); ++i) {
        Temp_Line* line = horizontals[i];
        const ZcGePoint2d& left = line->Start;
        const ZcGePoint2d& right = line->End;
        const double t = (right.x - left.x) / 2000.0;
        const int left_index =
            Join_Horizontal_End(verticals, ends, First_At_Least(verticals, left.x - t, false), left, t);
        if (left_index < 0) {
            line->Done = true;
            continue;
        }
        const int from = std::max(left_index + 1, First_At_Least(verticals, right.x - t, false));
        if (Join_Horizontal_End(verticals, ends, from, right, t) < 0)
            line->Done = true;
    }
    Purge_Done_Segments(horizontals, 0);
}

void Keep_Joined_Verticals(Temp_Line_Array& horizontals, Temp_Line_Array& verticals)
{
    const Segment_Ends ends(horizontals);
    for (INT_PTR i = 0; i < verticals.GetSize(); ++i) {
        Temp_Line* line = verticals[i];
        const ZcGePoint2d& bottom = line->Start;
        const ZcGePoint2d& top = line->End;
        const double t = (top.y - bottom.y) / 2000.0;
        int bottom_index = 0;
        if (!line->Start_Joined) {
            bottom_index =
                Find_Horizontal_At(horizontals, ends, First_At_Least(horizontals, bottom.y - t, true), bottom, t);
            if (bottom_index < 0) {
                line->Done = true;
                continue;
            }
            bottom_index += 1;
        }
        if (!line->End_Joined) {
            const int from = std::max(bottom_index, First_At_Least(horizontals, top.y - t, true));
            if (Find_Horizontal_At(horizontals, ends, from, top, t) < 0)
                line->Done = true;
        }
    }
    Purge_Done_Segments(verticals, 0);
}

// Where the sides of the rectangles on one bottom line may be: the verticals from a scan
// start on, within the x window, whose bottom end lies near the bottom line's end.
std::vector<int> Side_Candidates(const Temp_Line_Array& verticals, const Segment_Index& starts, int index,
                                 const ZcGePoint2d& corner, double t)
{
    std::vector<int> near;
    starts.Starts_Near(corner, t, near);
    Within_Scan(verticals, near, index, corner.x + t, false);
    near.erase(std::remove_if(near.begin(), near.end(),
                              [&](int k) { return !Near(verticals[k]->Start, corner, t); }),
               near.end());
    return near;
}

// The first of the side candidates from index on whose top end lies near top; -1 when
// none. With not_last the scan stops before the last vertical.
int Find_Side(const Temp_Line_Array& verticals, const std::vector<int>& candidates, int index,
              const ZcGePoint2d& top, double t, bool not_last)
{
    const int count = static_cast<int>(verticals.GetSize());
    for (auto it = std::lower_bound(candidates.begin(), candidates.end(), index); it != candidates.end(); ++it) {
        if (not_last && *it == count - 1)
            break;
        if (Near(verticals[*it]->End, top, t))
            return *it;
    }
    return -1;
}

Plot_Drawing1* Make_Rectangle(const Temp_Line& bottom, const Temp_Line& top, const Temp_Line& left,
                              const Temp_Line& right, ZcDbObjectId space_id, ZcDbObjectId layer_id)
{
    ZcDbExtents box;
    for (const ZcGePoint2d& point : {bottom.Start, bottom.End, top.Start, top.End})
        box.addPoint(ZcGePoint3d(point.x, point.y, 0.0));
    Plot_Drawing1* sheet = new Plot_Drawing1;
    sheet->Kind = Sheet_From_Lines;
    sheet->Source_Ids[0] = bottom.Entity_Id;
    sheet->Source_Ids[1] = top.Entity_Id;
    sheet->Source_Ids[2] = left.Entity_Id;
    sheet->Source_Ids[3] = right.Entity_Id;
    sheet->Space_Id = space_id;
    if (!sheet->Init_From_Extents(layer_id, box, 1.0)) {
        delete sheet;
        return nullptr;
    }
    return sheet;
}

// Marks done each segment from start on that the first frame holding it takes; that frame
// gets the contains flag. True when any was marked.
bool Mark_Segments_Inside(const Inner_Rect_Index& index, Temp_Line_Array& segments, int start)
{
    bool any = false;
    for (INT_PTR i = std::max(start, 0); i < segments.GetSize(); ++i) {
        Temp_Line* segment = segments[i];
        if (segment->Done)
            continue;
        if (Plot_Drawing1* frame = index.First_Holding(segment->Start.x, segment->Start.y, segment->End.x, segment->End.y)) {
            frame->Contains = true;
            segment->Done = true;
            any = true;
        }
    }
    return any;
}

// Marks done each segment from start on that lies in a rectangle of the index; the first
// rectangle holding it gets the contains flag. Only the segments starting inside an inner
// rectangle are looked at.
void Mark_Held_Segments(const Inner_Rect_Index& index, const Sheet_Array& rectangles, Temp_Line_Array& segments,
                        const Segment_Index& starts, int start)
{
    std::vector<int> inside;
    for (INT_PTR r = 0; r < rectangles.GetSize(); ++r) {
        const Plot_Drawing1& rectangle = *rectangles[r];
        if (!(rectangle.Inner_Left < rectangle.Inner_Right && rectangle.Inner_Bottom < rectangle.Inner_Top))
            continue;
        starts.Starts_In(rectangle.Inner_Left, rectangle.Inner_Bottom, rectangle.Inner_Right, rectangle.Inner_Top,
                         inside);
        for (int position : inside) {
            Temp_Line* segment = segments[position];
            if (position < start || segment->Done)
                continue;
            if (Plot_Drawing1* frame = index.First_Holding(segment->Start.x, segment->Start.y, segment->End.x, segment->End.y)) {
                frame->Contains = true;
                segment->Done = true;
            }
        }
    }
}

// Deletes the horizontals from start on, and every vertical, lying strictly inside one of
// the rectangles' inner rectangles; the rectangle holding one first gets the contains flag.
void Drop_Segments_In_Batch(int start, Sheet_Array& rectangles, Temp_Line_Array& horizontals,
                            Segment_Index& horizontal_starts, Temp_Line_Array& verticals, Segment_Index& vertical_starts)
{
    const Inner_Rect_Index index(rectangles);
    Mark_Held_Segments(index, rectangles, horizontals, horizontal_starts, start);
    Mark_Held_Segments(index, rectangles, verticals, vertical_starts, 0);
    horizontal_starts.Purge_Done(horizontals, start);
    vertical_starts.Purge_Done(verticals, 0);
}

void Insert_At_Front(Sheet_Array& sheets, Sheet_Array& batch)
{
    if (batch.GetSize() == 0)
        return;
    sheets.InsertAt(0, &batch);
    batch.RemoveAll();
}

}  // namespace

void Make_Segment(ZcDbObjectId entity_id, const ZcGePoint3d& p, const ZcGePoint3d& q, Temp_Line_Array& horizontals,
                  Temp_Line_Array& verticals)
{
    ZcGePoint3d a = p, b = q;
    g_Ucs.World_To_Ucs(a);
    g_Ucs.World_To_Ucs(b);
    const double dx = std::fabs(b.x - a.x), dy = std::fabs(b.y - a.y);
    const double t = (dx + dy) / 1000.0;
    const bool horizontal = dy < t;
    if (!horizontal && !(dx < t))
        return;
    const bool a_first = horizontal ? a.x < b.x : a.y < b.y;
    const ZcGePoint3d& start = a_first ? a : b;
    const ZcGePoint3d& end = a_first ? b : a;
    Temp_Line* segment = new Temp_Line;
    segment->Entity_Id = entity_id;
    segment->Start.set(start.x, start.y);
    segment->End.set(end.x, end.y);
    (horizontal ? horizontals : verticals).Add(segment);
}

void Collect_Line_Segments(Sheet_Array& sheets, const Temp_Id_Array& candidates, Temp_Line_Array& horizontals,
                           Temp_Line_Array& verticals)
{
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i)
        sheets[i]->Compute_Inner_Rect();
    for (INT_PTR i = 0; i < candidates.GetSize(); ++i) {
        const ZcDbObjectId id = candidates[i]->Entity_Id;
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            continue;
        if (const ZcDbLine* line = ZcDbLine::cast(entity.object())) {
            const ZcGePoint3d start = line->startPoint(), end = line->endPoint();
            if (start.distanceTo(end) > 1e-5)
                Make_Segment(id, start, end, horizontals, verticals);
            continue;
        }
        ZcGePoint3dArray points;
        if (Get_Polyline_Vertices(points, ZcDbPolyline::cast(entity.object()), ZcDb2dPolyline::cast(entity.object()),
                                  ZcDb3dPolyline::cast(entity.object())))
            for (int k = 0; k + 1 < points.length(); ++k)
                Make_Segment(id, points[k], points[k + 1], horizontals, verticals);
    }
    Sheet_Array copy;
    copy.Append(sheets);
    Drop_Segments_In_Frames(copy, horizontals, 0);
    copy.Append(sheets);
    Drop_Segments_In_Frames(copy, verticals, 0);
}

void Drop_Segments_In_Frames_Pairwise(Sheet_Array& sheets, Temp_Line_Array& segments)
{
    if (Mark_Segments_Inside(Inner_Rect_Index(sheets), segments, 0))
        Purge_Done_Segments(segments, 0);
}

void Drop_Segments_In_Frames(Sheet_Array& sheets, Temp_Line_Array& segments, int depth)
{
    if (sheets.GetSize() <= Pairwise_Sheet_Limit || segments.GetSize() <= Pairwise_Segment_Limit) {
        Drop_Segments_In_Frames_Pairwise(sheets, segments);
        sheets.RemoveAll();
        return;
    }
    const Frame_Split split = Split_Of(sheets);
    Sheet_Array sheets_below, sheets_above, sheets_across;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = sheets[i];
        const int s = split.Side(*sheet);
        (s < 0 ? sheets_below : s > 0 ? sheets_above : sheets_across).Add(sheet);
    }
    Temp_Line_Array below, above, across;
    for (INT_PTR i = 0; i < segments.GetSize(); ++i) {
        Temp_Line* segment = segments[i];
        const int s = split.By_X ? split.Side(segment->Start.x, segment->End.x) : split.Side(segment->Start.y, segment->End.y);
        (s < 0 ? below : s > 0 ? above : across).Add(segment);
    }
    sheets.RemoveAll();
    segments.RemoveAll();

    for (auto [group_sheets, group] : {std::pair{&sheets_below, &below}, std::pair{&sheets_above, &above}}) {
        if (group->GetSize() < Pairwise_Segment_Limit + 1 || depth > Max_Split_Depth)
            Drop_Segments_In_Frames_Pairwise(*group_sheets, *group);
        else
            Drop_Segments_In_Frames(*group_sheets, *group, depth + 1);
    }
    Drop_Segments_In_Frames_Pairwise(sheets_across, across);
    Drop_Segments_In_Frames_Pairwise(sheets_across, below);
    Drop_Segments_In_Frames_Pairwise(sheets_across, above);

    segments.Append(below);
    segments.Append(above);
    segments.Append(across);
}

void Purge_Done_Segments(Temp_Line_Array& segments, int start)
{
    INT_PTR kept = std::max(start, 0);
    for (INT_PTR i = kept; i < segments.GetSize(); ++i) {
        Temp_Line* segment = segments[i];
        if (segment->Done)
            delete segment;
        else
            segments[kept++] = segment;
    }
    if (kept < segments.GetSize())
        segments.SetSize(kept);
}

void Build_Rects_From_Lines(Temp_Line_Array& horizontals, Temp_Line_Array& verticals, ZcDbObjectId space_id,
                            ZcDbObjectId layer_id, Sheet_Array& sheets, Detection_Feedback& feedback)
{
    if (horizontals.GetSize() > 1)
        Sort_Lines(horizontals, 0, static_cast<int>(horizontals.GetSize()) - 1, true);
    if (verticals.GetSize() > 1)
        Sort_Lines(verticals, 0, static_cast<int>(verticals.GetSize()) - 1, false);
    for (INT_PTR i = 0; i < verticals.GetSize(); ++i)
        verticals[i]->Start_Joined = verticals[i]->End_Joined = false;
    Keep_Joined_Horizontals(horizontals, verticals);
    Keep_Joined_Verticals(horizontals, verticals);

    Segment_Index vertical_starts(verticals), horizontal_starts(horizontals);
    std::vector<int> tops, near;
    Sheet_Array batch;
    for (int i = 0; i + 1 < horizontals.GetSize(); ++i) {
        const Temp_Line& bottom = *horizontals[i];
        const ZcGePoint2d& l1 = bottom.Start;
        const ZcGePoint2d& r1 = bottom.End;
        const double t = (r1.x - l1.x) / 2000.0;
        // A top closes a rectangle only when a left side joins it to the bottom line, so the
        // tops worth trying lie near the upper ends of the left side candidates.
        const std::vector<int> lefts =
            Side_Candidates(verticals, vertical_starts, First_At_Least(verticals, l1.x - t, false), l1, t);
        tops.clear();
        for (int k : lefts) {
            horizontal_starts.Starts_Near(verticals[k]->End, t, near);
            for (int j : near)
                if (j > i)
                    tops.push_back(j);
        }
        std::sort(tops.begin(), tops.end());
        tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
        std::vector<int> rights;
        bool rights_found = false;
        for (int j : tops) {
            const Temp_Line& top = *horizontals[j];
            const ZcGePoint2d& l2 = top.Start;
            const ZcGePoint2d& r2 = top.End;
            if (!(std::fabs(l2.x - l1.x) < t && std::fabs(r2.x - r1.x) < t && std::fabs(l2.y - l1.y) > t))
                continue;
            const int left = Find_Side(verticals, lefts, 0, l2, t, true);
            if (left < 0)
                continue;
            if (!rights_found) {
                rights = Side_Candidates(verticals, vertical_starts, First_At_Least(verticals, r1.x - t, false), r1, t);
                rights_found = true;
            }
            const int right = Find_Side(verticals, rights, left + 1, r2, t, false);
            if (right < 0)
                continue;
            if (Plot_Drawing1* sheet = Make_Rectangle(bottom, top, *verticals[left], *verticals[right], space_id, layer_id))
                batch.Add(sheet);
        }
        if (batch.GetSize() >= Rectangle_Batch) {
            feedback.Progress_Step();
            Remove_Small_Or_Inner_Frames(batch);
            Drop_Segments_In_Batch(i + 1, batch, horizontals, horizontal_starts, verticals, vertical_starts);
            Insert_At_Front(sheets, batch);
        }
    }
    Insert_At_Front(sheets, batch);
}
