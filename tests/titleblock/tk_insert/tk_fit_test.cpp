// Wrapping a frame around graphics: outline points through nested and clipped blocks,
// thinning, and the search for the smallest covering scale.
#include "core/hidden_layers.h"
#include "db/dbblkref.h"
#include "sheets/exact_extents.h"
#include "titleblock/tk_fit.h"
#include "tk_insert_fixture.h"

namespace {

class TK_Fit_Test : public TK_Insert_Test {
public:
    static ZcDbObjectId Outer_Reference()
    {
        const std::vector<ZcDbObjectId> refs = Model_Ids<ZcDbBlockReference>();
        return refs.empty() ? ZcDbObjectId() : refs.front();
    }
    static ZcDbExtents Points_Box(const ZcGePoint2dArray& points)
    {
        ZcDbExtents box;
        for (int i = 0; i < points.length(); ++i)
            box.addPoint(ZcGePoint3d(points[i].x, points[i].y, 0));
        return box;
    }
    // The strips of the A3 frame with its table.
    static void Table_Frame_Strips(ZcGePoint2dArray& lows, ZcGePoint2dArray& highs)
    {
        g_TK_Insert.Dwg_Path = Library_Path("A3_table.dxf");
        ASSERT_TRUE(Analyse_TK_Outline());
        Build_Area_Strips(lows, highs);
    }
};

TEST_F(TK_Fit_Test, A_Clipped_Block_Nested_In_Another_Counts_By_Its_Clipped_Extents)
{
    Open_Target();
    g_Hidden_Layers.Collect_Hidden_Layers();
    const ZcDbObjectId outer_id = Outer_Reference();
    ZcDbObjectPointer<ZcDbBlockReference> outer(outer_id, ZcDb::kForRead);
    ASSERT_EQ(outer.openStatus(), Zcad::eOk);
    EXPECT_FALSE(Has_Active_Clip(outer.object()));

    // The definition spans 2000 x 1000; its clip keeps 400 x 300 of it.
    ZcGePoint2dArray points;
    Add_Entity_Outline_Points(outer.object(), points);
    Expect_Box(Points_Box(points), 5000, 0, 5400, 300);

    ZcDbObjectIdArray ids;
    ids.append(outer_id);
    ZcDbExtents extents;
    Get_Ids_Extents(extents, ids);
    Expect_Box(extents, 5000, 0, 5400, 300);
}

TEST_F(TK_Fit_Test, Clouds_Are_Thinned_From_3000_Points_On)
{
    for (int count : {2999, 3000}) {
        SCOPED_TRACE(count);
        ZcGePoint2dArray points;
        for (int i = 0; i < count; ++i)
            points.append(ZcGePoint2d(i % 60, i / 60));
        Thin_Outline_Points(points);
        if (count < 3000) {
            EXPECT_EQ(points.length(), count);
            continue;
        }
        EXPECT_LT(points.length(), count / 2);
        // The rim stays.
        const ZcDbExtents box = Points_Box(points);
        Expect_Box(box, 0, 0, 59, 49);
    }
}

TEST_F(TK_Fit_Test, A_Cloud_That_Fits_At_The_Start_Scale_Keeps_Its_Place)
{
    ZcGePoint2dArray lows, highs;
    Table_Frame_Strips(lows, highs);
    // A small cloud in the middle of the area (area centre 10,0) fits at scale 1.
    ZcGePoint2dArray points;
    for (double x : {-50.0, 50.0})
        for (double y : {-50.0, 50.0})
            points.append(ZcGePoint2d(x + 10, y));
    double scale = 1.0;
    ZcGePoint2d position(10, 0);
    Fit_Frame_To_Points(scale, lows, highs, points, ZcGePoint2d(10, 0), position);
    EXPECT_DOUBLE_EQ(scale, 1.0);
    EXPECT_TRUE(position.isEqualTo(ZcGePoint2d(10, 0)));
}

TEST_F(TK_Fit_Test, Graphics_Clear_The_Table_By_Moving_Or_Growing_The_Frame)
{
    ZcGePoint2dArray lows, highs;
    Table_Frame_Strips(lows, highs);
    // The box fit of a 300 x 200 box: scale 300 / 390 puts its lower right in the table.
    ZcGePoint2dArray points;
    for (int i = 0; i <= 30; ++i)
        for (int j = 0; j <= 20; ++j)
            if (i == 0 || i == 30 || j == 0 || j == 20)
                points.append(ZcGePoint2d(1000 + 10 * i, 10 * j));
    const ZcGePoint2d centre(1150, 100), area_centre(10, 0);
    const double start = 300.0 / 390.0;
    double scale = start;
    ZcGePoint2d position = centre;
    Fit_Frame_To_Points(scale, lows, highs, points, area_centre, position);
    EXPECT_GT(scale, start);
    EXPECT_LT(scale, 1.0);  // well below the box fit around the table (200 / 56 of its rows)
    // Every point lies in a strip of the placed frame.
    for (int i = 0; i < points.length(); ++i) {
        bool inside = false;
        for (int s = 0; s < lows.length() && !inside; ++s) {
            const ZcGePoint2d low = position + (lows[s] - area_centre) * scale;
            const ZcGePoint2d high = position + (highs[s] - area_centre) * scale;
            inside = Point_In_Box(points[i], low, high);
        }
        EXPECT_TRUE(inside) << points[i].x << "," << points[i].y;
    }
}

}  // namespace
