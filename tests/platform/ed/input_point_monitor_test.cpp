// Input-point monitors see each point a script step picks, in world coordinates, with the
// entity under the cursor; what they draw and their tooltip stay until the cursor moves on.
#include "ed_fixture.h"

#include "db/dbents.h"
#include "ed/input_point_monitor.h"
#include "ed/prompts.h"
#include "ed/ucs.h"
#include "ge/gemat3d.h"

using namespace ed_test;

namespace {

// Records what it sees and draws a short line from the cursor.
class Recording_Monitor : public ZcEdInputPointMonitor {
public:
    Zcad::ErrorStatus monitorInputPoint(const ZcEdInputPoint& input, ZcEdInputPointMonitorResult& output) override
    {
        points.push_back(input.rawPoint());
        picked.push_back(input.pickedEntities().isEmpty() ? ZcDbObjectId() : input.pickedEntities()[0]);
        const ZcGePoint3d ends[2] = {input.rawPoint(), input.rawPoint() + ZcGeVector3d(1, 0, 0)};
        input.drawContext()->subEntityTraits().setTrueColor(ZcCmEntityColor(255, 255, 0));
        input.drawContext()->rawGeometry()->polyline(2, ends);
        output.setAdditionalTooltipString(tooltip);
        return Zcad::eOk;
    }
    std::vector<ZcGePoint3d> points;
    std::vector<ZcDbObjectId> picked;
    const wchar_t* tooltip = L"";
};

class InputPointMonitorTest : public EdTest {
protected:
    void TearDown() override
    {
        zcedInputPointManager(doc)->removePointMonitor(&monitor);
        zcedInputPointManager(doc)->removePointMonitor(&second);
        EdTest::TearDown();
    }
    static void Ask_Point()
    {
        double pt[3];
        zcedGetPoint(nullptr, L"\nPoint: ", pt);
    }
    Recording_Monitor monitor;
    Recording_Monitor second;
};

TEST_F(InputPointMonitorTest, AddingAndRemovingFollowTheSdkStatuses)
{
    ZcEdInputPointManager* manager = zcedInputPointManager(doc);
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager, zcedInputPointManager(doc)) << "one manager a document";
    EXPECT_EQ(zcedInputPointManager(nullptr), nullptr);
    EXPECT_EQ(manager->addPointMonitor(nullptr), Zcad::eInvalidInput);
    EXPECT_EQ(manager->addPointMonitor(&monitor), Zcad::eOk);
    EXPECT_EQ(manager->addPointMonitor(&monitor), Zcad::eDuplicateKey);
    EXPECT_EQ(manager->monitorCount(), 1u);
    EXPECT_EQ(manager->removePointMonitor(&monitor), Zcad::eOk);
    EXPECT_EQ(manager->removePointMonitor(&monitor), Zcad::eKeyNotFound);
}

TEST_F(InputPointMonitorTest, PickedPointsReachTheMonitorsInWorldCoordinatesWithTheEntityUnderTheCursor)
{
    ZcDbObjectId line = Append(new ZcDbLine(ZcGePoint3d(100, 0, 0), ZcGePoint3d(120, 0, 0)));
    ZcGeMatrix3d shifted;
    shifted.setToTranslation(ZcGeVector3d(100, 0, 0));
    ASSERT_EQ(zcedSetCurrentUCS(shifted), Zcad::eOk);
    ASSERT_EQ(zcedInputPointManager(doc)->addPointMonitor(&monitor), Zcad::eOk);
    ASSERT_EQ(zcedInputPointManager(doc)->addPointMonitor(&second), Zcad::eOk);
    monitor.tooltip = L"first";
    second.tooltip = L"second";

    Script("point 10,0\npoint 5,50\n");
    Ask_Point();
    ASSERT_EQ(monitor.points.size(), 1u);
    EXPECT_EQ(monitor.points[0], ZcGePoint3d(110, 0, 0));
    EXPECT_EQ(monitor.picked[0], line);
    EXPECT_EQ(platform::Cursor_Tooltip(), L"first\nsecond");
    ASSERT_EQ(platform::Cursor_Overlay().size(), 2u) << "each monitor drew one line";
    EXPECT_EQ(platform::Cursor_Overlay()[0].points[0], ZcGePoint3d(110, 0, 0));
    EXPECT_EQ(platform::Cursor_Overlay()[0].color, ZcCmEntityColor(255, 255, 0));

    // Nothing under the cursor; the monitor removed no longer sees the cursor.
    zcedInputPointManager(doc)->removePointMonitor(&second);
    Ask_Point();
    ASSERT_EQ(monitor.points.size(), 2u);
    EXPECT_EQ(monitor.points[1], ZcGePoint3d(105, 50, 0));
    EXPECT_TRUE(monitor.picked[1].isNull());
    EXPECT_EQ(second.points.size(), 1u);
    EXPECT_EQ(platform::Cursor_Overlay().size(), 1u) << "the last move's overlay only";
}

TEST_F(InputPointMonitorTest, TextAndEnterMoveNoCursor)
{
    ASSERT_EQ(zcedInputPointManager(doc)->addPointMonitor(&monitor), Zcad::eOk);
    Script("answer \"3,4\"\nenter\n");
    Ask_Point();
    Ask_Point();
    EXPECT_TRUE(monitor.points.empty());
}

TEST_F(InputPointMonitorTest, ATrackingReadGivesTheCursorWhereTheLastPickLeftItInTheCurrentUcs)
{
    int type = 0;
    resbuf read{};
    EXPECT_EQ(zcedGrRead(1, &type, &read), RTNORM) << "no monitor needed";
    EXPECT_EQ(read.restype, RT3DPOINT);
    EXPECT_EQ(type, 5);
    EXPECT_EQ(ZcGePoint3d(read.resval.rpoint[0], read.resval.rpoint[1], read.resval.rpoint[2]), ZcGePoint3d());

    Script("point 10,20\nanswer \"3,4\"\n");
    Ask_Point();
    Ask_Point();  // typed text moves no cursor
    ZcGeMatrix3d shifted;
    shifted.setToTranslation(ZcGeVector3d(100, 0, 0));
    ASSERT_EQ(zcedSetCurrentUCS(shifted), Zcad::eOk);
    ASSERT_EQ(zcedGrRead(3, &type, &read), RTNORM);
    EXPECT_EQ(ZcGePoint3d(read.resval.rpoint[0], read.resval.rpoint[1], read.resval.rpoint[2]),
              ZcGePoint3d(-90, 20, 0))
        << "the point picked in the world, read in the shifted UCS";
    EXPECT_EQ(zcedGrRead(0, &type, &read), RTERROR) << "only tracking reads";
}

}  // namespace
