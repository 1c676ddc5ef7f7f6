// The rubber-band rectangle and the catalogue grid jigs, answered by scripted points.
#include <gtest/gtest.h>

#include "core_fixture.h"
#include "db/dbpl.h"
#include "db/dbsymtb.h"
#include "sheets/point_jigs.h"

namespace {

class Point_Jigs_Test : public Core_Test {
public:
    void SetUp() override
    {
        Core_Test::SetUp();
        Temp_PlotRec2::rxInit();
    }
    static void Script(const char* text) { platform::ScriptInput::instance().push_text(std::string_view(text)); }

    static ZcArray<double> Widths(std::initializer_list<double> values)
    {
        ZcArray<double> widths;
        for (double value : values)
            widths.append(value);
        return widths;
    }
    // The box of what the drag showed last.
    static ZcDbExtents Shown_Box()
    {
        ZcDbExtents box;
        for (const platform::Gi_Record& record : platform::Last_Drag_Graphics().records)
            for (const ZcGePoint3d& point : record.points)
                box.addPoint(point);
        return box;
    }
    static void Expect_Box(const ZcDbExtents& box, double x0, double y0, double x1, double y1)
    {
        EXPECT_TRUE(box.minPoint().isEqualTo(ZcGePoint3d(x0, y0, 0))) << box.minPoint().x << "," << box.minPoint().y;
        EXPECT_TRUE(box.maxPoint().isEqualTo(ZcGePoint3d(x1, y1, 0))) << box.maxPoint().x << "," << box.maxPoint().y;
    }
};

TEST_F(Point_Jigs_Test, RectangleFollowsTheCursorFromTheFirstCorner)
{
    Script("point 50,30\npoint 80,60\n");
    Rec_TEMP jig(ZcGePoint3d(10, 20, 0));
    EXPECT_EQ(jig.Start_Drag(), ZcEdJig::kNormal);
    EXPECT_TRUE(jig.Get_Cursor_Corner().isEqualTo(ZcGePoint3d(80, 60, 0)));

    const ZcDbPolyline* rectangle = ZcDbPolyline::cast(jig.entity());
    ASSERT_NE(rectangle, nullptr);
    EXPECT_TRUE(rectangle->isClosed());
    ASSERT_EQ(rectangle->numVerts(), 4u);
    const ZcGePoint2d expected[] = {{10, 20}, {10, 60}, {80, 60}, {80, 20}};
    for (unsigned int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ZcGePoint2d vertex;
        ASSERT_EQ(rectangle->getPointAt(i, vertex), Zcad::eOk);
        EXPECT_TRUE(vertex.isEqualTo(expected[i])) << vertex.x << "," << vertex.y;
    }
    // Shown at the start (to the origin) and after each of the two samples.
    EXPECT_EQ(platform::Last_Drag_Graphics().shows, 3);
    Expect_Box(Shown_Box(), 10, 20, 80, 60);
}

TEST_F(Point_Jigs_Test, PickedPointsAreReturned)
{
    Script("point 50,30\npoint 80,60,5\n");
    ZcGePoint3d second(-1, -1, -1);
    EXPECT_TRUE(Pick_Second_Point(ZcGePoint3d(10, 20, 0), second));
    EXPECT_TRUE(second.isEqualTo(ZcGePoint3d(80, 60, 5)));
    EXPECT_NE(Printed().find(L"\n选择第二点：80,60,5"), std::wstring::npos) << platform::To_Utf8(Printed());

    Script("point 100,200\npoint 300,400\n");
    ZcGePoint3d point(1, 2, 0);
    EXPECT_TRUE(Pick_Insert_Point(point, 3, 8, Widths({20, 30})));
    EXPECT_TRUE(point.isEqualTo(ZcGePoint3d(300, 400, 0)));
    EXPECT_NE(Printed().find(L"\n选择插入点：300,400"), std::wstring::npos);
    // The grid was shown below and right of the picked point, and never added to the drawing.
    Expect_Box(Shown_Box(), 300, 400 - 3 * 8, 350, 400);
    EXPECT_EQ(platform::Last_Drag_Graphics().records.size(), 4u + 3u);
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(
        zcdbHostApplicationServices()->workingDatabase()->modelSpaceId(), ZcDb::kForRead);
    ASSERT_EQ(model.openStatus(), Zcad::eOk);
    EXPECT_TRUE(model->entityIds().empty());
}

TEST_F(Point_Jigs_Test, UnmovedCursorAnswersNoChange)
{
    struct Case {
        const char* name;
        std::function<std::unique_ptr<ZcEdJig>()> make;
        const char* script;
        std::vector<int> statuses;
    };
    const Case cases[] = {
        {"rectangle", [] { return std::make_unique<Rec_TEMP>(ZcGePoint3d(1, 1, 0)); },
         "point 5,5\npoint 5,5\npoint 6,5\nesc\n", {0, -6, 0, ZcEdJig::kCancel}},
        // The rectangle's cursor starts at the origin.
        {"rectangle at the origin", [] { return std::make_unique<Rec_TEMP>(ZcGePoint3d(1, 1, 0)); },
         "point 0,0\nenter\n", {-6, ZcEdJig::kNull}},
        // The grid's starts at the caller's point.
        {"grid", [] { return std::make_unique<Rec_TEMP2>(ZcGePoint3d(7, 8, 0), 2, 10.0, ZcArray<double>()); },
         "point 7,8\npoint 9,8\npoint 9,8\n", {-6, 0, -6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Script(c.script);
        std::unique_ptr<ZcEdJig> jig = c.make();
        std::vector<int> statuses;
        for (size_t i = 0; i < c.statuses.size(); ++i)
            statuses.push_back(jig->sampler());
        EXPECT_EQ(statuses, c.statuses);
    }
}

TEST_F(Point_Jigs_Test, CancelledOrEndedDragLeavesTheCallersPoint)
{
    const char* scripts[] = {"esc\n", "point 40,40\npoint 50,50\nesc\n", "enter\n", "answer \"Undo\"\n"};
    for (const char* script : scripts) {
        SCOPED_TRACE(script);
        Script(script);
        ZcGePoint3d second(3, 4, 0);
        EXPECT_FALSE(Pick_Second_Point(ZcGePoint3d(1, 1, 0), second));
        EXPECT_TRUE(second.isEqualTo(ZcGePoint3d(3, 4, 0)));

        Script(script);
        ZcGePoint3d point(5, 6, 0);
        EXPECT_FALSE(Pick_Insert_Point(point, 10, 1000.0, Widths({100})));
        EXPECT_TRUE(point.isEqualTo(ZcGePoint3d(5, 6, 0)));
    }
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
}

}  // namespace
