// Rectangles from loose lines: segments, joins, rectangles, and a brute-force check.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "sheet_drawing_fixture.h"
#include "sheets/loose_line_frames.h"
#include "sheets/sheet_records.h"
#include "windows_detection_feedback.h"

namespace {

using Box = std::array<double, 4>;

class Loose_Lines_Test : public Sheet_Drawing_Test {
protected:
    void TearDown() override
    {
        Delete_All_Objects(horizontals);
        Delete_All_Objects(verticals);
        Delete_All_Objects(sheets);
        Sheet_Drawing_Test::TearDown();
    }
    // A LINE in model space made into a segment.
    void Line(double x0, double y0, double x1, double y1)
    {
        const ZcGePoint3d p(x0, y0, 0), q(x1, y1, 0);
        Make_Segment(Add_Line(p, q), p, q, horizontals, verticals);
    }
    void Rectangle_Lines(double x0, double y0, double x1, double y1)
    {
        Line(x0, y0, x1, y0);
        Line(x1, y1, x0, y1);
        Line(x0, y0, x0, y1);
        Line(x1, y0, x1, y1);
    }
    std::vector<Box> Build()
    {
        Build_Rects_From_Lines(horizontals, verticals, ZcDbObjectId::kNull, ZcDbObjectId::kNull, sheets, In_Windows);
        std::vector<Box> boxes;
        for (INT_PTR i = 0; i < sheets.GetSize(); ++i)
            boxes.push_back({sheets[i]->Min_Corner.x, sheets[i]->Min_Corner.y, sheets[i]->Max_Corner.x,
                             sheets[i]->Max_Corner.y});
        return boxes;
    }

    Temp_Line_Array horizontals, verticals;
    Sheet_Array sheets;
};

TEST_F(Loose_Lines_Test, Segments_Within_A_Thousandth_Of_The_Axis)
{
    struct Case {
        const char* what;
        double x0, y0, x1, y1;
        int horizontal, vertical;
        ZcGePoint2d start;
    };
    const Case cases[] = {
        {"horizontal, drawn right to left", 100, 0, 0, 0, 1, 0, {0, 0}},
        {"0.09 % off the horizontal", 0, 0, 1000, 0.9, 1, 0, {0, 0}},
        {"0.1 % off: dy equals the tolerance", 0, 0, 999, 1, 0, 0, {0, 0}},
        {"vertical, drawn downwards", 5, 100, 5, 0, 0, 1, {5, 0}},
        {"diagonal", 0, 0, 100, 100, 0, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Delete_All_Objects(horizontals);
        Delete_All_Objects(verticals);
        Line(c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(horizontals.GetSize(), c.horizontal);
        EXPECT_EQ(verticals.GetSize(), c.vertical);
        const Temp_Line_Array& made = c.horizontal ? horizontals : verticals;
        if (made.GetSize() == 1) {
            EXPECT_EQ(made[0]->Start, c.start);
        }
    }
}

TEST_F(Loose_Lines_Test, Rectangle_Cases)
{
    struct Case {
        const char* what;
        std::vector<Box> lines;  // x0, y0, x1, y1 each
        std::vector<Box> expected;
    };
    const Case cases[] = {
        {"four lines meeting at the corners", {{0, 0, 420, 0}, {0, 297, 420, 297}, {0, 0, 0, 297}, {420, 0, 420, 297}},
         {{0, 0, 420, 297}}},
        {"gaps below 1/2000 of the length",
         {{0.1, 0, 420, 0}, {0, 297.1, 420, 297.1}, {0, 0.1, 0, 297}, {420.1, 0, 420.1, 297}},
         {{0, 0, 420, 297.1}}},
        {"a gap of 0.3 at a corner (1/2000 of 420 is 0.21)",
         {{0.3, 0, 420, 0}, {0, 297, 420, 297}, {0, 0, 0, 297}, {420, 0, 420, 297}}, {}},
        {"an edge of two collinear lines",
         {{0, 0, 200, 0}, {200, 0, 420, 0}, {0, 297, 420, 297}, {0, 0, 0, 297}, {420, 0, 420, 297}}, {}},
        {"two rectangles sharing the bottom line",
         {{0, 0, 420, 0}, {0, 297, 420, 297}, {0, 594, 420, 594}, {0, 0, 0, 297}, {420, 0, 420, 297}, {0, 0, 0, 594},
          {420, 0, 420, 594}},
         {{0, 0, 420, 297}, {0, 0, 420, 594}}},
        {"three sides", {{0, 0, 420, 0}, {0, 297, 420, 297}, {0, 0, 0, 297}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Delete_All_Objects(horizontals);
        Delete_All_Objects(verticals);
        Delete_All_Objects(sheets);
        for (const Box& l : c.lines)
            Line(l[0], l[1], l[2], l[3]);
        std::vector<Box> found = Build();
        for (Box& b : found)
            for (double& v : b)
                v = std::round(v * 1000) / 1000;
        EXPECT_EQ(found, c.expected);
    }
}

TEST_F(Loose_Lines_Test, Rectangles_Take_Their_Four_Lines_As_Sources_And_Go_In_Front)
{
    sheets.Add(new Plot_Drawing1);
    Plot_Drawing1* first = sheets[0];
    const ZcGePoint3d a(0, 0, 0), b(420, 0, 0), c(420, 297, 0), d(0, 297, 0);
    const ZcDbObjectId bottom = Add_Line(a, b), top = Add_Line(d, c), left = Add_Line(a, d), right = Add_Line(b, c);
    Make_Segment(top, d, c, horizontals, verticals);
    Make_Segment(right, b, c, horizontals, verticals);
    Make_Segment(bottom, a, b, horizontals, verticals);
    Make_Segment(left, a, d, horizontals, verticals);
    Build_Rects_From_Lines(horizontals, verticals, Db()->modelSpaceId(), ZcDbObjectId::kNull, sheets, In_Windows);
    ASSERT_EQ(sheets.GetSize(), 2);
    EXPECT_EQ(sheets[1], first);
    const Plot_Drawing1* sheet = sheets[0];
    EXPECT_EQ(sheet->Kind, Sheet_From_Lines);
    EXPECT_EQ(sheet->Source_Ids[0], bottom);
    EXPECT_EQ(sheet->Source_Ids[1], top);
    EXPECT_EQ(sheet->Source_Ids[2], left);
    EXPECT_EQ(sheet->Source_Ids[3], right);
    EXPECT_EQ(sheet->Space_Id, Db()->modelSpaceId());
}

TEST_F(Loose_Lines_Test, Segments_Inside_Frames_Are_Dropped_As_Their_Content)
{
    sheets.Add(new Plot_Drawing1);
    sheets[0]->Source_Ids[0] = Add_Rect(0, 0, 1000, 1000);
    ASSERT_TRUE(sheets[0]->Init_From_Extents(ZcDbObjectId::kNull,
                                             ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1000, 1000, 0)), 1.0));
    // A rectangle of lines inside (inner rectangle 20..980), and lines over the border.
    Temp_Id_Array candidates;
    auto candidate = [&candidates](ZcDbObjectId id) {
        auto* c = new Temp_Id;
        c->Entity_Id = id;
        candidates.Add(c);
    };
    for (const Box& l : std::vector<Box>{{100, 100, 400, 100}, {100, 300, 400, 300}, {100, 100, 100, 300},
                                         {400, 100, 400, 300}, {-10, 500, 200, 500}, {10, 0, 10, 900}})
        candidate(Add_Line(ZcGePoint3d(l[0], l[1], 0), ZcGePoint3d(l[2], l[3], 0)));
    Collect_Line_Segments(sheets, candidates, horizontals, verticals);
    EXPECT_TRUE(sheets[0]->Contains);
    ASSERT_EQ(horizontals.GetSize(), 1);
    EXPECT_DOUBLE_EQ(horizontals[0]->Start.x, -10);
    ASSERT_EQ(verticals.GetSize(), 1);
    EXPECT_DOUBLE_EQ(verticals[0]->Start.x, 10);
    Delete_All_Objects(candidates);
}

// Every rectangle whose four sides are single segments meeting at the corners, by trying
// every quadruple of segments.
std::set<Box> Brute_Force_Rectangles(const std::vector<Box>& lines)
{
    std::vector<Box> h, v;  // normalised: start at the left or bottom end
    for (const Box& l : lines) {
        if (l[1] == l[3])
            h.push_back({std::min(l[0], l[2]), l[1], std::max(l[0], l[2]), l[1]});
        else
            v.push_back({l[0], std::min(l[1], l[3]), l[0], std::max(l[1], l[3])});
    }
    auto near = [](double ax, double ay, double bx, double by, double t) { return std::hypot(ax - bx, ay - by) < t; };
    std::set<Box> found;
    for (const Box& bottom : h)
        for (const Box& top : h) {
            const double t = (bottom[2] - bottom[0]) / 2000;
            if (!(top[1] - bottom[1] > t && std::fabs(top[0] - bottom[0]) < t && std::fabs(top[2] - bottom[2]) < t))
                continue;
            bool left = false, right = false;
            for (const Box& side : v) {
                left = left || (near(side[0], side[1], bottom[0], bottom[1], t) && near(side[2], side[3], top[0], top[1], t));
                right = right || (near(side[0], side[1], bottom[2], bottom[3], t) && near(side[2], side[3], top[2], top[3], t));
            }
            if (left && right)
                found.insert({bottom[0], bottom[1], top[2], top[3]});
        }
    return found;
}

TEST_F(Loose_Lines_Test, Agrees_With_Brute_Force_On_Random_Sets)
{
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        Delete_All_Objects(horizontals);
        Delete_All_Objects(verticals);
        Delete_All_Objects(sheets);
        // Lines on a coarse grid, so that ends either meet or lie far apart; a few
        // rectangles planted, the rest random horizontals and verticals.
        std::vector<Box> lines;
        auto coordinate = [&random] { return 100.0 * static_cast<int>(random() % 6); };
        for (int k = 0, planted = static_cast<int>(random() % 3); k < planted; ++k) {
            double x0 = coordinate(), x1 = coordinate(), y0 = coordinate(), y1 = coordinate();
            if (x0 == x1 || y0 == y1)
                continue;
            if (x0 > x1) std::swap(x0, x1);
            if (y0 > y1) std::swap(y0, y1);
            for (const Box& l : std::vector<Box>{{x0, y0, x1, y0}, {x0, y1, x1, y1}, {x0, y0, x0, y1}, {x1, y0, x1, y1}})
                lines.push_back(l);
        }
        const int extra = static_cast<int>(random() % 25);
        for (int k = 0; k < extra; ++k) {
            const double a = coordinate(), b = coordinate(), c = coordinate();
            if (a == b)
                continue;
            lines.push_back(random() % 2 ? Box{a, c, b, c} : Box{c, a, c, b});
        }
        std::shuffle(lines.begin(), lines.end(), random);
        for (const Box& l : lines)
            Line(l[0], l[1], l[2], l[3]);
        const std::vector<Box> built = Build();
        const std::set<Box> found(built.begin(), built.end());
        EXPECT_EQ(found, Brute_Force_Rectangles(lines));
    }
}

}  // namespace
