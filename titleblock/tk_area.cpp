// The drawing area of a frame: traced from its cleaned lines, and cut into rectangles.
#include <algorithm>

#include "core/cursor_overlays.h"
#include "sheets/sort_helpers.h"
#include "titleblock/tk_outline.h"

namespace {

enum Area_Way { Way_East, Way_West, Way_Up, Way_Down };

// Appends the far end of the first segment leaving q that way and removes that segment.
bool Take_Next_Segment(const ZcGePoint2d& q, Area_Way way, Frame_Lines& lines, ZcGePoint2dArray& polygon)
{
    const bool horizontal = way == Way_East || way == Way_West;
    ZcGePoint2dArray& starts = horizontal ? lines.H_Starts : lines.V_Starts;
    ZcGePoint2dArray& ends = horizontal ? lines.H_Ends : lines.V_Ends;
    // East and up leave from a segment's start; west and down from its end.
    const bool from_start = way == Way_East || way == Way_Up;
    for (int i = 0; i < starts.length(); ++i) {
        if (!(from_start ? starts[i] : ends[i]).isEqualTo(q))
            continue;
        polygon.append(from_start ? ends[i] : starts[i]);
        starts.removeAt(i);
        ends.removeAt(i);
        return true;
    }
    return false;
}

}  // namespace

bool Trace_Drawing_Area(Frame_Lines& lines, ZcGePoint2dArray& polygon)
{
    polygon.removeAll();
    for (int i = 0; i < lines.H_Starts.length(); ++i) {
        const ZcGePoint2d& start = lines.H_Starts[i];
        if (start.y > 0 && start.x <= 0 && lines.H_Ends[i].x >= 0) {
            polygon.append(start);
            polygon.append(lines.H_Ends[i]);
            lines.H_Starts.removeAt(i);
            lines.H_Ends.removeAt(i);
            break;
        }
    }
    if (polygon.isEmpty())
        return false;
    for (;;) {
        const ZcGePoint2d p = polygon[polygon.length() - 2], q = polygon.last();
        if (q.isEqualTo(polygon.first()))
            break;
        // Clockwise, the right turn first.
        Area_Way ways[3] = {Way_Down, Way_East, Way_Up};  // heading east, or no heading
        if (p.x > q.x)
            ways[0] = Way_Up, ways[1] = Way_West, ways[2] = Way_Down;
        else if (p.x == q.x && p.y < q.y)
            ways[0] = Way_East, ways[1] = Way_Up, ways[2] = Way_West;
        else if (p.x == q.x && p.y > q.y)
            ways[0] = Way_West, ways[1] = Way_Down, ways[2] = Way_East;
        bool stepped = false;
        for (Area_Way way : ways)
            if ((stepped = Take_Next_Segment(q, way, lines, polygon)))
                break;
        if (!stepped)
            break;
    }
    if (polygon.length() < 2 || !polygon.last().isEqualTo(polygon.first())) {
        polygon.removeAll();
        return false;
    }
    Remove_Collinear_Points(polygon);
    return true;
}

void Remove_Collinear_Points(ZcGePoint2dArray& polygon)
{
    for (int i = 0; i + 2 < polygon.length(); ++i)
        while (i + 2 < polygon.length() &&
               (polygon[i + 1] - polygon[i]).isCodirectionalTo(polygon[i + 2] - polygon[i + 1]))
            polygon.removeAt(i + 1);
    const int n = polygon.length();
    if (n >= 5 && (polygon[1] - polygon[0]).isCodirectionalTo(polygon[n - 1] - polygon[n - 2])) {
        polygon.removeAt(0);
        polygon[polygon.length() - 1] = polygon[0];
    }
}

void Build_Area_Strips(ZcGePoint2dArray& lower_lefts, ZcGePoint2dArray& upper_rights)
{
    lower_lefts.removeAll();
    upper_rights.removeAll();
    const ZcGePoint2dArray& area = g_TK_Insert.Area_Outline;
    ZcGeDoubleArray xs;
    for (int i = 0; i < area.length(); ++i)
        if (!xs.contains(area[i].x))
            xs.append(area[i].x);
    Bubble_Sort_Double(true, xs);

    // Edges cut at every x value strictly between their ends.
    ZcGePoint2dArray cut;
    for (int i = 0; i + 1 < area.length(); ++i) {
        const ZcGePoint2d a = area[i], b = area[i + 1];
        cut.append(a);
        if (a.x < b.x) {
            for (int k = 0; k < xs.length(); ++k)
                if (xs[k] > a.x && xs[k] < b.x)
                    cut.append(ZcGePoint2d(xs[k], a.y));
        } else if (a.x > b.x) {
            for (int k = xs.length() - 1; k >= 0; --k)
                if (xs[k] < a.x && xs[k] > b.x)
                    cut.append(ZcGePoint2d(xs[k], a.y));
        }
    }
    if (!area.isEmpty())
        cut.append(area.last());

    for (int k = 0; k + 1 < xs.length(); ++k) {
        const double x0 = xs[k], x1 = xs[k + 1];
        ZcGeDoubleArray ys;
        for (int i = 0; i + 1 < cut.length(); ++i) {
            const ZcGePoint2d a = cut[i], b = cut[i + 1];
            if (((a.x == x0 && b.x == x1) || (a.x == x1 && b.x == x0)) && !ys.contains(a.y))
                ys.append(a.y);
        }
        Bubble_Sort_Double(true, ys);
        for (int j = 0; j + 1 < ys.length(); j += 2) {
            lower_lefts.append(ZcGePoint2d(x0, ys[j]));
            upper_rights.append(ZcGePoint2d(x1, ys[j + 1]));
        }
    }

    if (g_Frame_Jig_Dir != 1 && g_Frame_Jig_Dir != 2)
        return;
    const double turn = g_Frame_Jig_Dir == 1 ? 1.0 : -1.0;
    for (int i = 0; i < lower_lefts.length(); ++i) {
        const ZcGePoint2d a(-turn * lower_lefts[i].y, turn * lower_lefts[i].x);
        const ZcGePoint2d b(-turn * upper_rights[i].y, turn * upper_rights[i].x);
        lower_lefts[i].set(std::min(a.x, b.x), std::min(a.y, b.y));
        upper_rights[i].set(std::max(a.x, b.x), std::max(a.y, b.y));
    }
}
