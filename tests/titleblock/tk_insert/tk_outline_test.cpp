// A frame reduced to its lines, box corners and drawing area.
#include "core/make_entities.h"
#include "core/point_sets.h"
#include "tk_insert_fixture.h"

namespace {

class TK_Outline_Test : public TK_Insert_Test {
public:
    // Lines of the working drawing picked as the frame.
    static void Pick_Lines(const std::vector<Placed_Line>& lines)
    {
        for (const Placed_Line& line : lines) {
            ZcDbObjectId id;
            Make_Line(id, line.Start.x, line.Start.y, line.End.x, line.End.y, 256, ZcDbObjectId(), ZcDbObjectId());
            g_TK_Insert.Picked_Ids.append(id);
        }
    }
    static void Expect_Point(const ZcGePoint2d& point, double x, double y)
    {
        EXPECT_NEAR(point.x, x, 1e-9);
        EXPECT_NEAR(point.y, y, 1e-9);
    }
};

TEST_F(TK_Outline_Test, A_Frame_With_A_Table_Has_An_L_Shaped_Area_And_A_Plain_One_A_Rectangle)
{
    g_TK_Insert.Dwg_Path = Library_Path("A3_table.dxf");
    ASSERT_TRUE(Analyse_TK_Outline());
    const ZcGePoint2dArray& area = g_TK_Insert.Area_Outline;
    ASSERT_EQ(area.length(), 7);
    EXPECT_TRUE(area.first().isEqualTo(area.last()));
    // Inner border (-185,-143.5)..(205,143.5) less the table (25..205, -143.5..-87.5).
    Expect_Point(g_TK_Insert.Corners[0], -185, -143.5);
    Expect_Point(g_TK_Insert.Corners[1], 205, -87.5);  // the table's top-right corner
    Expect_Point(g_TK_Insert.Corners[2], 205, 143.5);
    Expect_Point(g_TK_Insert.Corners[3], -185, 143.5);
    // Outline segments span the outer edge around the origin.
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(g_TK_Insert.Outline_Segments, min_x, max_x, min_y, max_y);
    EXPECT_DOUBLE_EQ(min_x, -210);
    EXPECT_DOUBLE_EQ(max_x, 210);
    EXPECT_DOUBLE_EQ(min_y, -148.5);
    EXPECT_DOUBLE_EQ(max_y, 148.5);

    g_TK_Insert.Clear();
    g_TK_Insert.Dwg_Path = Library_Path("A3_plain.dxf");
    ASSERT_TRUE(Analyse_TK_Outline());
    EXPECT_EQ(g_TK_Insert.Area_Outline.length(), 5);
}

TEST_F(TK_Outline_Test, Lines_Whose_Corners_Nearly_Meet_Snap_To_A_Clean_Rectangle)
{
    // Corners missing each other by less than 0.1 % of the line lengths, around 500,300.
    Pick_Lines({{{400, 250}, {600.05, 250.02}},
                {{600, 249.95}, {600.03, 350}},
                {{600.02, 350.04}, {399.96, 350}},
                {{400.03, 350.02}, {400, 250.05}}});
    ASSERT_TRUE(Analyse_TK_Outline());
    const ZcGePoint2dArray& area = g_TK_Insert.Area_Outline;
    ASSERT_EQ(area.length(), 5);
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(area, min_x, max_x, min_y, max_y);
    EXPECT_NEAR(max_x - min_x, 200, 0.1);
    EXPECT_NEAR(max_y - min_y, 100, 0.1);
    EXPECT_NEAR(min_x + max_x, 0, 0.1);  // centred on the box of the lines
    EXPECT_EQ(g_TK_Insert.Outline_Segments.length(), 8);
}

TEST_F(TK_Outline_Test, Slanted_Lines_Alone_Fail_And_Unreadable_Drawings_Give_Nothing)
{
    Pick_Lines({{{0, 0}, {100, 100}}, {{100, 0}, {0, 100}}});
    EXPECT_TRUE(Analyse_TK_Outline());  // segments were found: their box stands in
    EXPECT_TRUE(g_TK_Insert.Area_Outline.isEmpty());
    EXPECT_EQ(g_TK_Insert.Outline_Segments.length(), 8);

    g_TK_Insert.Clear();
    g_TK_Insert.Dwg_Path = Library_Path("notes.dxf");  // no frame block
    EXPECT_FALSE(Analyse_TK_Outline());
    g_TK_Insert.Dwg_Path = Library_Path("missing.dxf");
    EXPECT_FALSE(Analyse_TK_Outline());
}

TEST_F(TK_Outline_Test, Collinear_Segments_Join_Only_When_They_Touch_Or_Overlap)
{
    const struct {
        const char* label;
        double second_start;
        int segments;
    } cases[] = {{"touching", 10, 1}, {"overlapping", 5, 1}, {"a gap", 10.001, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ZcGePoint2dArray starts, ends;
        starts.append(ZcGePoint2d(0, 0));
        ends.append(ZcGePoint2d(10, 0));
        starts.append(ZcGePoint2d(c.second_start, 0));
        ends.append(ZcGePoint2d(20, 0));
        Merge_Overlapping_Segments(starts, ends, false);
        ASSERT_EQ(starts.length(), c.segments);
        if (c.segments == 1) {
            EXPECT_TRUE(starts[0].isEqualTo(ZcGePoint2d(0, 0)));
            EXPECT_TRUE(ends[0].isEqualTo(ZcGePoint2d(20, 0)));
        }
    }
}

TEST_F(TK_Outline_Test, A_Table_Line_Crossing_The_Centre_Line_Above_The_Centre_Starts_The_Trace)
{
    // A box with a horizontal line across its upper half: the traced face is the part below.
    Frame_Lines lines;
    auto add_h = [&](double x0, double x1, double y) {
        lines.H_Starts.append(ZcGePoint2d(x0, y));
        lines.H_Ends.append(ZcGePoint2d(x1, y));
    };
    auto add_v = [&](double x, double y0, double y1) {
        lines.V_Starts.append(ZcGePoint2d(x, y0));
        lines.V_Ends.append(ZcGePoint2d(x, y1));
    };
    add_h(-100, 100, -50);
    add_h(-100, 100, 20);
    add_h(-100, 100, 50);
    add_v(-100, -50, 50);
    add_v(100, -50, 50);
    Split_Crossing_Segments(lines);
    ZcGePoint2dArray polygon;
    ASSERT_TRUE(Trace_Drawing_Area(lines, polygon));
    ASSERT_EQ(polygon.length(), 5);
    double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
    Get_Points_Extents(polygon, min_x, max_x, min_y, max_y);
    EXPECT_DOUBLE_EQ(min_y, -50);
    EXPECT_DOUBLE_EQ(max_y, 20);
}

TEST_F(TK_Outline_Test, Area_Strips_Cover_The_L_And_Turn_With_The_Frame)
{
    g_TK_Insert.Dwg_Path = Library_Path("A3_table.dxf");
    ASSERT_TRUE(Analyse_TK_Outline());
    ZcGePoint2dArray lows, highs;
    Build_Area_Strips(lows, highs);
    ASSERT_EQ(lows.length(), 2);
    Expect_Point(lows[0], -185, -143.5);
    Expect_Point(highs[0], 25, 143.5);
    Expect_Point(lows[1], 25, -87.5);
    Expect_Point(highs[1], 205, 143.5);

    g_Frame_Jig_Dir = 1;  // +90 degrees: (x, y) -> (-y, x)
    Build_Area_Strips(lows, highs);
    ASSERT_EQ(lows.length(), 2);
    Expect_Point(lows[1], -143.5, 25);
    Expect_Point(highs[1], 87.5, 205);
}

}  // namespace
