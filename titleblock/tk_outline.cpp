#include "titleblock/tk_outline.h"

#include <cmath>
#include <memory>

#include "core/name_lookups.h"
#include "sheets/sort_helpers.h"
#include "core/point_sets.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbobjiter.h"
#include "db/dbpl.h"
#include "db/dbpoly.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "sheets/frame_candidates.h"
#include "titleblock/tk_block_file.h"
#include "titleblock/tk_block_walk.h"

TK_Insert_Data g_TK_Insert;

namespace {

constexpr double Min_Length = 0.00001;

ZcGePoint2d Flat(const ZcGePoint3d& point) { return ZcGePoint2d(point.x, point.y); }

// One entity of a frame: lines and polylines give segments, block references the
// segments of their definitions and, when attributed, their block name.
void Collect_Frame_Entity(const ZcDbEntity* entity, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends,
                          CStringArray* attsync_names)
{
    if (const ZcDbLine* line = ZcDbLine::cast(entity)) {
        Collect_Line_Segment(line, starts, ends);
    } else if (entity->isKindOf(ZcDbPolyline::desc()) || entity->isKindOf(ZcDb2dPolyline::desc()) ||
               entity->isKindOf(ZcDb3dPolyline::desc())) {
        Collect_Polyline_Segments(entity, starts, ends);
    } else if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity)) {
        Collect_Block_Segments(reference, starts, ends);
        CString name;
        if (attsync_names != nullptr && Has_Attributes(reference) &&
            Get_Block_Name(name, reference->blockTableRecord()))
            attsync_names->Add(name);
    }
}

void Collect_Picked_Frame(const ZcDbObjectIdArray& ids, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends,
                          CStringArray& attsync_names)
{
    for (int i = 0; i < ids.length(); ++i) {
        ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForRead);
        if (entity.openStatus() == Zcad::eOk)
            Collect_Frame_Entity(entity.object(), starts, ends, &attsync_names);
    }
    for (int i = 0; i < starts.length(); ++i) {
        g_Ucs.World_To_Ucs_2d(starts[i]);
        g_Ucs.World_To_Ucs_2d(ends[i]);
    }
}

void Move_Points(ZcGePoint2dArray& points, double dx, double dy)
{
    for (int i = 0; i < points.length(); ++i)
        points[i].set(points[i].x - dx, points[i].y - dy);
}

// The four corners: of the traced area when there is one, else of the frame box.
void Set_Corners(const ZcGePoint2dArray& area, double width, double height, ZcGePoint2d corners[4])
{
    corners[0].set(-width / 2, -height / 2);
    corners[1].set(width / 2, -height / 2);
    corners[2].set(width / 2, height / 2);
    corners[3].set(-width / 2, height / 2);
    if (area.isEmpty())
        return;
    for (int k = 0; k < 4; ++k)
        corners[k] = area[0];
    for (int i = 1; i < area.length(); ++i) {
        const ZcGePoint2d& p = area[i];
        if (p.x < corners[0].x || (p.x == corners[0].x && p.y < corners[0].y))
            corners[0] = p;
        if (p.x > corners[1].x || (p.x == corners[1].x && p.y < corners[1].y))
            corners[1] = p;
        if (p.x > corners[2].x || (p.x == corners[2].x && p.y > corners[2].y))
            corners[2] = p;
        if (p.x < corners[3].x || (p.x == corners[3].x && p.y > corners[3].y))
            corners[3] = p;
    }
}

}  // namespace

bool Collect_Library_Frame(const CString& path, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends,
                           CStringArray* attsync_names)
{
    std::unique_ptr<ZcDbDatabase> db;
    ZcDbObjectId block_id;
    if (!Read_TK_Block(path, db, block_id))
        return false;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    ZcDbBlockTableRecordIterator* it = nullptr;
    if (block.openStatus() != Zcad::eOk || block->newIterator(it) != Zcad::eOk)
        return false;
    for (it->start(); !it->done(); it->step()) {
        ZcDbEntity* entity = nullptr;
        if (it->getEntity(entity, ZcDb::kForRead) != Zcad::eOk)
            continue;
        Collect_Frame_Entity(entity, starts, ends, attsync_names);
        entity->close();
    }
    delete it;
    return true;
}

void TK_Insert_Data::Clear()
{
    Picked_Ids.removeAll();
    Dwg_Path.Empty();
    Attsync_Names.RemoveAll();
    Area_Outline.removeAll();
    for (ZcGePoint2d& corner : Corners)
        corner.set(0, 0);
    Outline_Segments.removeAll();
    Frame_Centre.set(0, 0);
}

void Segment_Bounds::Add(const ZcGePoint2d& point)
{
    if (First) {
        Min = Max = point;
        First = false;
        return;
    }
    Min.set(std::min(Min.x, point.x), std::min(Min.y, point.y));
    Max.set(std::max(Max.x, point.x), std::max(Max.y, point.y));
}

void Collect_Line_Segment(const ZcDbLine* line, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends)
{
    const ZcGePoint2d start = Flat(line->startPoint()), end = Flat(line->endPoint());
    if (start.distanceTo(end) <= Min_Length)
        return;
    starts.append(start);
    ends.append(end);
}

void Collect_Polyline_Segments(const ZcDbEntity* polyline, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends)
{
    ZcGePoint3dArray vertices;
    if (!Get_Polyline_Vertices(vertices, ZcDbPolyline::cast(polyline), ZcDb2dPolyline::cast(polyline),
                               ZcDb3dPolyline::cast(polyline)))
        return;
    for (int i = 0; i + 1 < vertices.length(); ++i) {
        starts.append(Flat(vertices[i]));
        ends.append(Flat(vertices[i + 1]));
    }
}

void Collect_Block_Segments(const ZcDbBlockReference* reference, ZcGePoint2dArray& starts, ZcGePoint2dArray& ends)
{
    ZcGePoint2dArray own_starts, own_ends;
    Walk_Shown_Definition(reference, [&](const ZcDbEntity* entity) {
        Collect_Frame_Entity(entity, own_starts, own_ends, nullptr);
    });
    const ZcGeMatrix3d transform = reference->blockTransform();
    Transform_Points(own_starts, transform);
    Transform_Points(own_ends, transform);
    starts.append(own_starts);
    ends.append(own_ends);
}

bool Has_Attributes(const ZcDbBlockReference* reference)
{
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForRead);
        if (attribute.openStatus() == Zcad::eOk)
            return true;
    }
    return false;
}

void Snap_Or_Add_Value(double& value, ZcGeDoubleArray& list, double tolerance)
{
    for (int i = 0; i < list.length(); ++i) {
        if (std::fabs(list[i] - value) <= tolerance) {
            value = list[i];
            return;
        }
    }
    list.append(value);
}

void Classify_Segment(ZcGePoint2d start, ZcGePoint2d end, Frame_Lines& lines, ZcGeDoubleArray& x_values,
                      ZcGeDoubleArray& y_values, Segment_Bounds& bounds)
{
    const double fy = std::fabs(end.y - start.y), fx = std::fabs(end.x - start.x);
    const double t = (fx + fy) / 1000;
    if (fy < t) {
        if (end.x < start.x)
            std::swap(start, end);
        double y = (start.y + end.y) / 2;
        Snap_Or_Add_Value(y, y_values, t);
        double x1 = start.x, x2 = end.x;
        Snap_Or_Add_Value(x1, x_values, t);
        Snap_Or_Add_Value(x2, x_values, t);
        start.set(x1, y);
        end.set(x2, y);
        lines.H_Starts.append(start);
        lines.H_Ends.append(end);
    } else if (fx < t) {
        if (end.y < start.y)
            std::swap(start, end);
        double x = (start.x + end.x) / 2;
        Snap_Or_Add_Value(x, x_values, t);
        double y1 = start.y, y2 = end.y;
        Snap_Or_Add_Value(y1, y_values, t);
        Snap_Or_Add_Value(y2, y_values, t);
        start.set(x, y1);
        end.set(x, y2);
        lines.V_Starts.append(start);
        lines.V_Ends.append(end);
    } else {
        return;
    }
    bounds.Add(start);
    bounds.Add(end);
}

bool Merge_Collinear_Pair(const ZcGePoint2d& a, const ZcGePoint2d& b, const ZcGePoint2d& c, const ZcGePoint2d& d,
                          ZcGePoint2d& out_start, ZcGePoint2d& out_end)
{
    const ZcGePoint2d* pairs[6][2] = {{&a, &c}, {&a, &d}, {&b, &c}, {&b, &d}, {&a, &b}, {&c, &d}};
    int farthest = 0;
    double reach = -1.0;
    for (int i = 0; i < 6; ++i) {
        const double distance = pairs[i][0]->distanceTo(*pairs[i][1]);
        if (distance > reach) {
            reach = distance;
            farthest = i;
        }
    }
    if (a.distanceTo(b) + c.distanceTo(d) + Min_Length < reach)
        return false;
    out_start = *pairs[farthest][0];
    out_end = *pairs[farthest][1];
    return true;
}

void Merge_Overlapping_Segments(ZcGePoint2dArray& starts, ZcGePoint2dArray& ends, bool vertical)
{
    for (int j = 0; j < starts.length(); ++j) {
        for (int l = j + 1; l < starts.length(); ++l) {
            const bool same_line = vertical ? starts[j].x == starts[l].x : starts[j].y == starts[l].y;
            ZcGePoint2d start, end;
            if (!same_line || !Merge_Collinear_Pair(starts[j], ends[j], starts[l], ends[l], start, end))
                continue;
            if (vertical ? end.y < start.y : end.x < start.x)
                std::swap(start, end);
            starts[j] = start;
            ends[j] = end;
            starts.removeAt(l);
            ends.removeAt(l);
            l = j;  // compare the longer segment with every later one again
        }
    }
}

namespace {

// Cuts every segment of the first lists where a segment of the crossing lists meets it
// inside. With vertical the first lists are the vertical ones: "along" is then y and
// "across" x (a crossing segment sits at its own "along" value and spans "across").
void Cut_Segments(ZcGePoint2dArray& starts, ZcGePoint2dArray& ends, const ZcGePoint2dArray& cross_starts,
                  const ZcGePoint2dArray& cross_ends, bool vertical)
{
    auto along = [vertical](const ZcGePoint2d& p) { return vertical ? p.y : p.x; };
    auto across = [vertical](const ZcGePoint2d& p) { return vertical ? p.x : p.y; };
    auto point = [vertical](double at, double level) {
        return vertical ? ZcGePoint2d(level, at) : ZcGePoint2d(at, level);
    };
    for (int i = 0; i < starts.length(); ++i) {
        for (int k = 0; k < cross_starts.length(); ++k) {
            const ZcGePoint2d start = starts[i], end = ends[i];
            const double at = along(cross_starts[k]);
            if (at > along(start) + Min_Length && at < along(end) - Min_Length &&
                across(start) >= across(cross_starts[k]) - Min_Length &&
                across(start) <= across(cross_ends[k]) + Min_Length) {
                ends[i] = point(at, across(start));
                starts.append(point(at, across(start)));
                ends.append(end);
            }
        }
    }
}

}  // namespace

void Split_Crossing_Segments(Frame_Lines& lines)
{
    Cut_Segments(lines.H_Starts, lines.H_Ends, lines.V_Starts, lines.V_Ends, false);
    Cut_Segments(lines.V_Starts, lines.V_Ends, lines.H_Starts, lines.H_Ends, true);
}

bool Analyse_TK_Outline()
{
    TK_Insert_Data& data = g_TK_Insert;
    ZcGePoint2dArray starts, ends;
    if (!data.Picked_Ids.isEmpty())
        Collect_Picked_Frame(data.Picked_Ids, starts, ends, data.Attsync_Names);
    else if (!data.Dwg_Path.IsEmpty())
        Collect_Library_Frame(data.Dwg_Path, starts, ends, &data.Attsync_Names);
    if (starts.isEmpty())
        return false;

    Frame_Lines lines;
    ZcGeDoubleArray x_values, y_values;
    Segment_Bounds bounds;
    for (int i = 0; i < starts.length(); ++i)
        Classify_Segment(starts[i], ends[i], lines, x_values, y_values, bounds);

    const bool traced_lines = !lines.H_Starts.isEmpty() && !lines.V_Starts.isEmpty();
    ZcGePoint2d low = bounds.Min, high = bounds.Max;
    if (!traced_lines) {
        // No frame of lines both ways: the box of everything collected stands in for it.
        ZcGePoint2dArray all = starts;
        all.append(ends);
        double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
        Get_Points_Extents(all, min_x, max_x, min_y, max_y);
        low.set(min_x, min_y);
        high.set(max_x, max_y);
        lines = Frame_Lines();
        lines.H_Starts.append(low);
        lines.H_Ends.append(ZcGePoint2d(max_x, min_y));
        lines.H_Starts.append(ZcGePoint2d(min_x, max_y));
        lines.H_Ends.append(high);
        lines.V_Starts.append(low);
        lines.V_Ends.append(ZcGePoint2d(min_x, max_y));
        lines.V_Starts.append(ZcGePoint2d(max_x, min_y));
        lines.V_Ends.append(high);
    }
    const double cx = (low.x + high.x) / 2, cy = (low.y + high.y) / 2;
    data.Frame_Centre.set(cx, cy);
    for (ZcGePoint2dArray* points : {&lines.H_Starts, &lines.H_Ends, &lines.V_Starts, &lines.V_Ends})
        Move_Points(*points, cx, cy);

    Merge_Overlapping_Segments(lines.H_Starts, lines.H_Ends, false);
    Merge_Overlapping_Segments(lines.V_Starts, lines.V_Ends, true);
    Split_Crossing_Segments(lines);
    if (lines.H_Starts.length() > 1)
        Sort_Points(lines.H_Starts, 0, lines.H_Starts.length() - 1, true, lines.H_Ends);
    if (lines.V_Starts.length() > 1)
        Sort_Points(lines.V_Starts, 0, lines.V_Starts.length() - 1, false, lines.V_Ends);

    data.Outline_Segments.removeAll();
    for (int i = 0; i < lines.H_Starts.length(); ++i) {
        data.Outline_Segments.append(lines.H_Starts[i]);
        data.Outline_Segments.append(lines.H_Ends[i]);
    }
    for (int i = 0; i < lines.V_Starts.length(); ++i) {
        data.Outline_Segments.append(lines.V_Starts[i]);
        data.Outline_Segments.append(lines.V_Ends[i]);
    }

    data.Area_Outline.removeAll();
    if (traced_lines) {
        Frame_Lines copy = lines;
        Trace_Drawing_Area(copy, data.Area_Outline);
    }
    Set_Corners(data.Area_Outline, high.x - low.x, high.y - low.y, data.Corners);
    return true;
}
