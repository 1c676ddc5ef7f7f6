// Removal of small, inner, duplicate and empty frames, and of candidates inside frames.
#include <algorithm>
#include <array>
#include <random>
#include <tuple>
#include <vector>

#include "sheet_drawing_fixture.h"
#include "sheets/frame_cleanup.h"
#include "sheets/frame_detection.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"

namespace {

Plot_Drawing1* Sheet(double x0, double y0, double x1, double y1, int kind = Sheet_From_Polyline)
{
    auto* sheet = new Plot_Drawing1;
    sheet->Kind = kind;
    sheet->Min_Corner.set(x0, y0);
    sheet->Max_Corner.set(x1, y1);
    sheet->Width = x1 - x0;
    sheet->Height = y1 - y0;
    return sheet;
}

using Box = std::array<double, 4>;

Box Box_Of(const Plot_Drawing1* sheet)
{
    return {sheet->Min_Corner.x, sheet->Min_Corner.y, sheet->Max_Corner.x, sheet->Max_Corner.y};
}

std::vector<Box> Boxes(const Sheet_Array& sheets)
{
    std::vector<Box> boxes;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i)
        boxes.push_back(Box_Of(sheets[i]));
    return boxes;
}

TEST(Frame_Cleanup, Containment_Tolerances)
{
    // The larger frame: 1000 x 500, tolerance 5.
    struct Case {
        const char* what;
        Box inner;
        bool inner_marked;
        bool outer_contains;
    };
    const Case cases[] = {
        {"the same frame", {0, 0, 1000, 500}, true, false},
        {"inside by more than the tolerance", {10, 10, 990, 490}, true, true},
        {"exactly the tolerance inside", {5, 5, 995, 495}, true, true},
        {"inside by less on one side", {2, 10, 990, 490}, true, false},
        {"sticking out by less than the tolerance", {-4, 10, 990, 490}, true, false},
        {"sticking out by exactly the tolerance", {-5, 10, 990, 490}, true, false},
        {"sticking out by more", {-6, 10, 990, 490}, false, false},
        {"beside it", {1100, 0, 1200, 100}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Plot_Drawing1* outer = Sheet(0, 0, 1000, 500);
        Plot_Drawing1* inner = Sheet(c.inner[0], c.inner[1], c.inner[2], c.inner[3]);
        outer->Tolerance = 5.0;
        inner->Tolerance = 0.01 * std::min(inner->Width, inner->Height);
        inner->Resolve_Overlap(outer);
        EXPECT_EQ(inner->Delete_Mark, c.inner_marked);
        EXPECT_FALSE(outer->Delete_Mark);
        EXPECT_EQ(outer->Contains, c.outer_contains);
        // Tested the other way round the result is the same, unless the pair is equal:
        // then the frame on which the test runs goes.
        inner->Delete_Mark = outer->Delete_Mark = outer->Contains = false;
        outer->Resolve_Overlap(inner);
        const bool equal = Box_Of(inner) == Box_Of(outer);
        EXPECT_EQ(outer->Delete_Mark, equal);
        if (!equal) {
            EXPECT_FALSE(inner->Delete_Mark) << "only the inner frame's tolerance counts this way round";
        }
        delete inner;
        delete outer;
    }
}

TEST(Frame_Cleanup, Small_Duplicate_And_Inner_Frames_Go)
{
    Sheet_Array sheets;
    sheets.Add(Sheet(0, 0, 100, 0.0005));  // shorter side below 0.001
    sheets.Add(Sheet(0, 0, 420, 297));
    sheets.Add(Sheet(500, 0, 920, 297));
    sheets.Add(Sheet(0, 0, 420, 297));     // drawn twice
    sheets.Add(Sheet(50, 50, 200, 150));   // inside the first
    sheets.Add(Sheet(495, 10, 900, 290));  // sticks out of the second by 5 < 2.97? no: 5 > 2.97, stays
    Remove_Small_Or_Inner_Frames(sheets);
    const std::vector<Box> expected = {{500, 0, 920, 297}, {0, 0, 420, 297}, {495, 10, 900, 290}};
    EXPECT_EQ(Boxes(sheets), expected);
    EXPECT_TRUE(sheets[1]->Contains);
    EXPECT_FALSE(sheets[0]->Contains);
    EXPECT_DOUBLE_EQ(sheets[0]->Tolerance, 2.97);
    Delete_All_Objects(sheets);
}

// Large grids of frames, each with frames inside and some drawn twice: the split of long
// lists keeps exactly the frames that comparing every pair keeps.
TEST(Frame_Cleanup, Split_Of_Long_Lists_Keeps_What_Pairwise_Keeps)
{
    for (int count : {1500, 6000}) {
        SCOPED_TRACE(count);
        std::mt19937 random(count);
        std::vector<Box> boxes;
        const int columns = 40;
        for (int i = 0; boxes.size() < static_cast<size_t>(count); ++i) {
            const double x = (i % columns) * 1000.0, y = (i / columns) * 800.0;
            boxes.push_back({x, y, x + 840, y + 594});
            if (random() % 4 == 0)
                boxes.push_back({x, y, x + 840, y + 594});
            const int inner = static_cast<int>(random() % 3);
            for (int k = 0; k < inner; ++k) {
                const double ix = x + 50 + (random() % 300), iy = y + 50 + (random() % 200);
                boxes.push_back({ix, iy, ix + 100 + (random() % 300), iy + 50 + (random() % 250)});
            }
        }
        std::shuffle(boxes.begin(), boxes.end(), random);
        Sheet_Array split, pairwise;
        for (const Box& b : boxes) {
            split.Add(Sheet(b[0], b[1], b[2], b[3]));
            pairwise.Add(Sheet(b[0], b[1], b[2], b[3]));
        }
        Remove_Small_Or_Inner_Frames(split);
        for (INT_PTR i = 0; i < pairwise.GetSize(); ++i)
            pairwise[i]->Tolerance = 0.01 * std::min(pairwise[i]->Width, pairwise[i]->Height);
        Remove_Overlapping_Frames_Pairwise(pairwise);
        std::vector<Box> kept_split = Boxes(split), kept_pairwise = Boxes(pairwise);
        std::sort(kept_split.begin(), kept_split.end());
        std::sort(kept_pairwise.begin(), kept_pairwise.end());
        EXPECT_EQ(kept_split, kept_pairwise);
        // What remains: each grid frame once.
        std::vector<Box> frames;
        for (const Box& b : boxes)
            if (b[2] - b[0] == 840 && b[3] - b[1] == 594)
                frames.push_back(b);
        std::sort(frames.begin(), frames.end());
        frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
        EXPECT_EQ(kept_pairwise, frames);
        Delete_All_Objects(split);
        Delete_All_Objects(pairwise);
    }
}

TEST(Frame_Cleanup, Consumed_Candidates_Are_Those_Strictly_Inside_The_Inner_Rectangle)
{
    Sheet_Array frames;
    frames.Add(Sheet(0, 0, 500, 250));  // inner rectangle 10..490 x 5..245
    Temp_Id_Array candidates;
    auto add = [&candidates](double x0, double y0, double x1, double y1) {
        auto* candidate = new Temp_Id;
        candidate->Min_Corner.set(x0, y0, 0);
        candidate->Max_Corner.set(x1, y1, 0);
        candidates.Add(candidate);
    };
    add(20, 20, 30, 30);    // inside, but before the start index
    add(20, 20, 30, 30);    // inside
    add(10, 20, 30, 30);    // on the inner rectangle's edge
    add(400, 200, 495, 240);  // reaches past it
    add(11, 6, 489, 244);   // just inside
    Consume_Inner_Candidates(frames, candidates, 1);
    ASSERT_EQ(candidates.GetSize(), 3);
    EXPECT_DOUBLE_EQ(candidates[0]->Min_Corner.x, 20);
    EXPECT_DOUBLE_EQ(candidates[1]->Min_Corner.x, 10);
    EXPECT_DOUBLE_EQ(candidates[2]->Min_Corner.x, 400);
    EXPECT_TRUE(frames[0]->Contains);

    // More than 100 marks: purged as it goes, the order of the rest kept.
    for (int i = 0; i < 250; ++i)
        add(100 + i, 100, 101 + i, 101);
    add(600, 0, 700, 10);
    Consume_Inner_Candidates(frames, candidates, 0);
    ASSERT_EQ(candidates.GetSize(), 3);
    EXPECT_DOUBLE_EQ(candidates[2]->Min_Corner.x, 600);
    Delete_All_Objects(candidates);
    Delete_All_Objects(frames);
}

// A candidate inside several frames goes to the first of them in list order.
TEST(Frame_Cleanup, The_First_Frame_Holding_A_Candidate_Takes_It)
{
    for (bool small_first : {true, false}) {
        SCOPED_TRACE(small_first);
        Sheet_Array frames;
        Plot_Drawing1* small = Sheet(100, 100, 600, 400);
        Plot_Drawing1* large = Sheet(0, 0, 5000, 3000);
        frames.Add(small_first ? small : large);
        frames.Add(small_first ? large : small);
        for (int k = 0; k < 30; ++k)  // frames elsewhere: a grid of several cells
            frames.Add(Sheet(10000 + k * 1000, 0, 10800 + k * 1000, 500));
        Temp_Id_Array candidates;
        auto* candidate = new Temp_Id;
        candidate->Min_Corner.set(200, 200, 0);
        candidate->Max_Corner.set(300, 300, 0);
        candidates.Add(candidate);
        Consume_Inner_Candidates(frames, candidates, 0);
        EXPECT_EQ(candidates.GetSize(), 0);
        EXPECT_EQ(small->Contains, small_first);
        EXPECT_EQ(large->Contains, !small_first);
        Delete_All_Objects(frames);
    }
}

TEST(Frame_Cleanup, Range_Fence_Lines)
{
    struct Case {
        const char* what;
        ZcGePoint3d c1, c2;
        int n;
        std::vector<ZcGePoint3d> expected;
    };
    const Case cases[] = {
        {"wide box: lines along x from corner 1's side", {0, 0, 0}, {30, 10, 0}, 2,
         {{0, 0, 0}, {30, 0, 0}, {0, 5, 0}, {30, 5, 0}, {0, 10, 0}, {30, 10, 0}}},
        {"reversed corners", {30, 10, 0}, {0, 0, 0}, 1, {{30, 10, 0}, {0, 10, 0}, {30, 0, 0}, {0, 0, 0}}},
        {"a square: lines along y", {0, 0, 0}, {10, 10, 0}, 1, {{0, 0, 0}, {0, 10, 0}, {10, 0, 0}, {10, 10, 0}}},
        {"tall box", {0, 0, 0}, {4, 20, 0}, 2, {{0, 0, 0}, {0, 20, 0}, {2, 0, 0}, {2, 20, 0}, {4, 0, 0}, {4, 20, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZcGePoint3dArray points;
        points.append(ZcGePoint3d(99, 99, 99));  // emptied first
        Build_Range_Fence(points, c.c1, c.c2, c.n);
        ASSERT_EQ(points.length(), static_cast<int>(c.expected.size()));
        for (int i = 0; i < points.length(); ++i)
            EXPECT_TRUE(points[i].isEqualTo(c.expected[i])) << i << ": " << points[i].x << "," << points[i].y;
    }
}

class Empty_Frames_Test : public Sheet_Drawing_Test {};

TEST_F(Empty_Frames_Test, Empty_Frames_Go_Unless_Something_Lies_Inside)
{
    const ZcDbObjectId layer = Layer(L"Temp_PlotLayer");
    struct Frame {
        const char* what;
        double x0;
        bool content;
        bool contains_flag;
        int kind;
        bool kept;
    };
    const Frame frames[] = {
        {"empty polyline frame", 0, false, false, Sheet_From_Polyline, false},
        {"a circle inside", 1000, true, false, Sheet_From_Polyline, true},
        {"empty, known to hold something", 2000, false, true, Sheet_From_Polyline, true},
        {"empty frame of loose lines", 3000, false, false, Sheet_From_Lines, false},
        {"empty block frame", 4000, false, false, Sheet_From_Block, true},
    };
    Sheet_Array sheets;
    for (const Frame& f : frames) {
        const ZcDbObjectId source = Add_Rect(f.x0, 0, f.x0 + 420, 297);
        if (f.content)
            Add(new ZcDbCircle(ZcGePoint3d(f.x0 + 210, 150, 0), ZcGeVector3d::kZAxis, 60));
        Plot_Drawing1* sheet = new Plot_Drawing1;
        sheet->Kind = f.kind;
        sheet->Source_Ids[0] = source;
        ZcDbExtents box(ZcGePoint3d(f.x0, 0, 0), ZcGePoint3d(f.x0 + 420, 297, 0));
        ASSERT_TRUE(sheet->Init_From_Extents(layer, box, 1.0));
        sheet->Contains = f.contains_flag;
        sheets.Add(sheet);
    }
    ZcDbObjectId empty_marker = sheets[0]->Marker_Id;
    Remove_Empty_Frames(sheets);
    std::vector<double> kept;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i)
        kept.push_back(sheets[i]->Min_Corner.x);
    EXPECT_EQ(kept, (std::vector<double>{1000, 2000, 4000}));
    EXPECT_TRUE(empty_marker.isErased()) << "a deleted sheet takes its marker with it";
    Delete_All_Objects(sheets);
}

TEST_F(Empty_Frames_Test, Own_Marker_Or_Nothing)
{
    const ZcDbObjectId circle = Add(new ZcDbCircle(ZcGePoint3d(0, 0, 0), ZcGeVector3d::kZAxis, 1));
    auto* marker = new Temp_PlotRec;
    const ZcDbObjectId marker_id = Add(marker);
    ZcDbObjectIdArray ids;
    EXPECT_TRUE(Is_Empty_Or_Own_Marker(ids));
    ids.append(marker_id);
    EXPECT_TRUE(Is_Empty_Or_Own_Marker(ids));
    ids.append(circle);
    EXPECT_FALSE(Is_Empty_Or_Own_Marker(ids));
    ids.removeAt(0);
    EXPECT_FALSE(Is_Empty_Or_Own_Marker(ids));
}

}  // namespace
