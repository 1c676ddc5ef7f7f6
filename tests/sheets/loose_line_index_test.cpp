// Rectangles from loose lines found through the grids of segment ends, against the plain
// scans of every segment in a coordinate window: the same rectangles in the same order and
// the same segments left, on random drawings of many shapes.
#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "sheet_drawing_fixture.h"
#include "sheets/frame_cleanup.h"
#include "sheets/loose_line_frames.h"
#include "sheets/sheet_records.h"
#include "sheets/sort_helpers.h"
#include "windows_detection_feedback.h"

namespace {

// The plain assembly: each search scans the sorted segments from the bisection on while
// their coordinate stays within the tolerance window.
namespace plain_lines {

bool Near(const ZcGePoint2d& a, const ZcGePoint2d& b, double tolerance)
{
    return std::hypot(a.x - b.x, a.y - b.y) < tolerance;
}

int First_At_Least(const Temp_Line_Array& lines, double value, bool by_y)
{
    return by_y ? Find_Line_By_Y(lines, value) : Find_Line_By_X(lines, value);
}

int Join_Horizontal_End(Temp_Line_Array& verticals, int index, const ZcGePoint2d& point, double t)
{
    for (int k = index; k < verticals.GetSize() && verticals[k]->Start.x <= point.x + t; ++k) {
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

int Find_Horizontal_At(const Temp_Line_Array& horizontals, int index, const ZcGePoint2d& point, double t)
{
    for (int k = index; k < horizontals.GetSize() && horizontals[k]->Start.y <= point.y + t; ++k)
        if (Near(point, horizontals[k]->Start, t) || Near(point, horizontals[k]->End, t))
            return k;
    return -1;
}

void Keep_Joined_Horizontals(Temp_Line_Array& horizontals, Temp_Line_Array& verticals)
{
    for (INT_PTR i = 0; i < horizontals.GetSize(); ++i) {
        Temp_Line* line = horizontals[i];
        const double t = (line->End.x - line->Start.x) / 2000.0;
        const int left_index = Join_Horizontal_End(verticals, First_At_Least(verticals, line->Start.x - t, false),
                                                   line->Start, t);
        if (left_index < 0) {
            line->Done = true;
            continue;
        }
        const int from = std::max(left_index + 1, First_At_Least(verticals, line->End.x - t, false));
        if (Join_Horizontal_End(verticals, from, line->End, t) < 0)
            line->Done = true;
    }
    Purge_Done_Segments(horizontals, 0);
}

void Keep_Joined_Verticals(Temp_Line_Array& horizontals, Temp_Line_Array& verticals)
{
    for (INT_PTR i = 0; i < verticals.GetSize(); ++i) {
        Temp_Line* line = verticals[i];
        const double t = (line->End.y - line->Start.y) / 2000.0;
        int bottom_index = 0;
        if (!line->Start_Joined) {
            bottom_index = Find_Horizontal_At(horizontals, First_At_Least(horizontals, line->Start.y - t, true),
                                              line->Start, t);
            if (bottom_index < 0) {
                line->Done = true;
                continue;
            }
            bottom_index += 1;
        }
        if (!line->End_Joined) {
            const int from = std::max(bottom_index, First_At_Least(horizontals, line->End.y - t, true));
            if (Find_Horizontal_At(horizontals, from, line->End, t) < 0)
                line->Done = true;
        }
    }
    Purge_Done_Segments(verticals, 0);
}

int Find_Side(const Temp_Line_Array& verticals, int index, const ZcGePoint2d& bottom, const ZcGePoint2d& top,
              double t, bool not_last)
{
    const int count = static_cast<int>(verticals.GetSize());
    for (int k = index; k < count && verticals[k]->Start.x <= bottom.x + t; ++k) {
        if (not_last && k == count - 1)
            break;
        if (Near(verticals[k]->Start, bottom, t) && Near(verticals[k]->End, top, t))
            return k;
    }
    return -1;
}

Plot_Drawing1* Make_Rectangle(const Temp_Line& bottom, const Temp_Line& top, const Temp_Line& left,
                              const Temp_Line& right)
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
    if (!sheet->Init_From_Extents(ZcDbObjectId::kNull, box, 1.0)) {
        delete sheet;
        return nullptr;
    }
    return sheet;
}

void Drop_Segments_In_Batch(int start, Sheet_Array& rectangles, Temp_Line_Array& horizontals,
                            Temp_Line_Array& verticals)
{
    const Inner_Rect_Index index(rectangles);
    for (auto [lines, first] : {std::pair{&horizontals, start}, std::pair{&verticals, 0}}) {
        for (INT_PTR i = first; i < lines->GetSize(); ++i) {
            Temp_Line* segment = (*lines)[i];
            if (Plot_Drawing1* frame = index.First_Holding(segment->Start.x, segment->Start.y, segment->End.x,
                                                           segment->End.y)) {
                frame->Contains = true;
                segment->Done = true;
            }
        }
        Purge_Done_Segments(*lines, first);
    }
}

void Insert_At_Front(Sheet_Array& sheets, Sheet_Array& batch)
{
    if (batch.GetSize() == 0)
        return;
    sheets.InsertAt(0, &batch);
    batch.RemoveAll();
}

void Build_Rects(Temp_Line_Array& horizontals, Temp_Line_Array& verticals, Sheet_Array& sheets)
{
    if (horizontals.GetSize() > 1)
        Sort_Lines(horizontals, 0, static_cast<int>(horizontals.GetSize()) - 1, true);
    if (verticals.GetSize() > 1)
        Sort_Lines(verticals, 0, static_cast<int>(verticals.GetSize()) - 1, false);
    for (INT_PTR i = 0; i < verticals.GetSize(); ++i)
        verticals[i]->Start_Joined = verticals[i]->End_Joined = false;
    Keep_Joined_Horizontals(horizontals, verticals);
    Keep_Joined_Verticals(horizontals, verticals);
    Sheet_Array batch;
    for (int i = 0; i + 1 < horizontals.GetSize(); ++i) {
        const Temp_Line& bottom = *horizontals[i];
        const ZcGePoint2d& l1 = bottom.Start;
        const ZcGePoint2d& r1 = bottom.End;
        const double t = (r1.x - l1.x) / 2000.0;
        for (int j = i + 1; j < horizontals.GetSize(); ++j) {
            const Temp_Line& top = *horizontals[j];
            const ZcGePoint2d& l2 = top.Start;
            const ZcGePoint2d& r2 = top.End;
            if (!(std::fabs(l2.x - l1.x) < t && std::fabs(r2.x - r1.x) < t && std::fabs(l2.y - l1.y) > t))
                continue;
            const int left = Find_Side(verticals, First_At_Least(verticals, l1.x - t, false), l1, l2, t, true);
            if (left < 0)
                continue;
            const int from = std::max(left + 1, First_At_Least(verticals, r1.x - t, false));
            const int right = Find_Side(verticals, from, r1, r2, t, false);
            if (right < 0)
                continue;
            if (Plot_Drawing1* sheet = Make_Rectangle(bottom, top, *verticals[left], *verticals[right]))
                batch.Add(sheet);
        }
        if (batch.GetSize() >= 300) {
            Remove_Small_Or_Inner_Frames(batch);
            Drop_Segments_In_Batch(i + 1, batch, horizontals, verticals);
            Insert_At_Front(sheets, batch);
        }
    }
    Insert_At_Front(sheets, batch);
}

}  // namespace plain_lines

using Sheet_Record = std::tuple<ZcDbObjectId, ZcDbObjectId, ZcDbObjectId, ZcDbObjectId, double, double, double,
                                double, bool>;
using Segment_Record = std::tuple<ZcDbObjectId, double, double, double, double, bool, bool, bool>;

struct Assembly {
    std::vector<Sheet_Record> sheets;
    std::vector<Segment_Record> horizontals, verticals;
};

std::vector<Segment_Record> Segments_Of(const Temp_Line_Array& lines)
{
    std::vector<Segment_Record> records;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const Temp_Line& l = *lines[i];
        records.emplace_back(l.Entity_Id, l.Start.x, l.Start.y, l.End.x, l.End.y, l.Start_Joined, l.End_Joined, l.Done);
    }
    return records;
}

Assembly Result_Of(const Sheet_Array& sheets, const Temp_Line_Array& horizontals, const Temp_Line_Array& verticals)
{
    Assembly result;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        const Plot_Drawing1& s = *sheets[i];
        result.sheets.emplace_back(s.Source_Ids[0], s.Source_Ids[1], s.Source_Ids[2], s.Source_Ids[3], s.Min_Corner.x,
                                   s.Min_Corner.y, s.Max_Corner.x, s.Max_Corner.y, s.Contains);
    }
    result.horizontals = Segments_Of(horizontals);
    result.verticals = Segments_Of(verticals);
    return result;
}

struct Drawn_Line {
    double x0, y0, x1, y1;
};

class Loose_Line_Index_Test : public Sheet_Drawing_Test {
protected:
    // Both assemblies on the same lines; each gets segments of its own.
    void Expect_Same_Assembly(const std::vector<Drawn_Line>& lines)
    {
        std::vector<ZcDbObjectId> ids;
        for (const Drawn_Line& l : lines)
            ids.push_back(Add_Line(ZcGePoint3d(l.x0, l.y0, 0), ZcGePoint3d(l.x1, l.y1, 0)));
        Temp_Line_Array h[2], v[2];
        Sheet_Array sheets[2];
        for (int run = 0; run < 2; ++run)
            for (size_t i = 0; i < lines.size(); ++i)
                Make_Segment(ids[i], ZcGePoint3d(lines[i].x0, lines[i].y0, 0), ZcGePoint3d(lines[i].x1, lines[i].y1, 0),
                             h[run], v[run]);
        Build_Rects_From_Lines(h[0], v[0], ZcDbObjectId::kNull, ZcDbObjectId::kNull, sheets[0], In_Windows);
        plain_lines::Build_Rects(h[1], v[1], sheets[1]);
        const Assembly indexed = Result_Of(sheets[0], h[0], v[0]);
        const Assembly scanned = Result_Of(sheets[1], h[1], v[1]);
        EXPECT_EQ(indexed.sheets.size(), scanned.sheets.size());
        EXPECT_TRUE(indexed.sheets == scanned.sheets);
        EXPECT_TRUE(indexed.horizontals == scanned.horizontals);
        EXPECT_TRUE(indexed.verticals == scanned.verticals);
        for (int run = 0; run < 2; ++run) {
            Delete_All_Objects(h[run]);
            Delete_All_Objects(v[run]);
            Delete_All_Objects(sheets[run]);
        }
    }
};

// Frames of four lines, some with one end missing its corner by about the joining
// tolerance (a 2000th of the line), some sharing an edge with the frame above, some with a
// line drawn twice or a box of lines inside, with stray horizontals and verticals among
// them.
std::vector<Drawn_Line> Loose_Frames(std::mt19937& random, int frames, double spread, bool stacked)
{
    auto real = [&random](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };
    const int columns = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(frames))));
    std::vector<Drawn_Line> lines;
    for (int f = 0; f < frames; ++f) {
        const double w = stacked ? 800 : real(100, 900), h = stacked ? 600 : real(100, 900);
        const double x0 = (f % columns) * 1000 * spread + (stacked ? 0 : real(-30, 30) * spread);
        const double y0 = stacked ? (f / columns) * 600 : (f / columns) * 1000 * spread + real(-30, 30) * spread;
        const double x1 = x0 + w, y1 = y0 + h;
        const size_t first = lines.size();
        lines.push_back({x0, y0, x1, y0});
        if (!stacked || random() % 3 == 0)
            lines.push_back({x1, y1, x0, y1});
        lines.push_back({x0, y0, x0, y1});
        lines.push_back({x1, y1, x1, y0});
        if (random() % 3 == 0) {
            const double misses[] = {0.3, 0.7, 0.999, 1.001, 1.5};
            Drawn_Line& l = lines[first + random() % (lines.size() - first)];
            const double t = std::hypot(l.x1 - l.x0, l.y1 - l.y0) / 2000 * misses[random() % 5];
            (random() % 2 ? l.x0 : l.y1) += random() % 2 ? t : -t;
        }
        if (random() % 10 == 0)
            lines.push_back(lines[first + random() % (lines.size() - first)]);
        if (random() % 3 == 0) {  // a box of four lines inside, like a title block
            const double a = x0 + w / 2, b = y0 + h / 3, c = x1 - w / 10, d = y0 + h / 2;
            for (const Drawn_Line& l : {Drawn_Line{a, b, c, b}, Drawn_Line{a, d, c, d}, Drawn_Line{a, b, a, d},
                                        Drawn_Line{c, b, c, d}})
                lines.push_back(l);
        }
    }
    const int strays = frames / 4;
    for (int k = 0; k < strays; ++k) {
        const double a = real(-100, columns * 1000.0 * spread), b = real(-100, columns * 1000.0 * spread);
        const double c = real(-100, (frames / columns + 1) * 1000.0 * spread);
        lines.push_back(random() % 2 ? Drawn_Line{a, c, b, c} : Drawn_Line{c, a, c, b});
    }
    std::shuffle(lines.begin(), lines.end(), random);
    return lines;
}

TEST_F(Loose_Line_Index_Test, SameRectanglesAndSegmentsAsScanningEveryWindow)
{
    struct Case {
        const char* what;
        int frames;
        double spread;
        bool stacked;
    } cases[] = {
        {"a few apart", 6, 1.0, false},
        {"overlapping", 40, 0.4, false},
        {"rows sharing edges", 40, 1.0, true},
        {"frames on frames", 60, 0.05, false},
        {"batches of rectangles", 700, 1.0, false},
    };
    for (const Case& c : cases)
        for (unsigned seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << c.what << ", seed " << seed);
            std::mt19937 random(seed);
            Expect_Same_Assembly(Loose_Frames(random, c.frames, c.spread, c.stacked));
        }
}

}  // namespace
