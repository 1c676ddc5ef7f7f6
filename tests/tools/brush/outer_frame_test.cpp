// The outer frame: the selection's extents widened by the settings' margin and proportion,
// drawn as an open five-vertex polyline in the world from a box along the UCS axes; the
// settings dialog turns a margin of 0 off.
#include <cmath>

#include "core/command_handlers.h"
#include "db/dbpl.h"
#include "drafting_fixture.h"
#include "ed/ucs.h"
#include "ge/gemat3d.h"
#include "tools/outer_frame.h"

namespace {

class Outer_Frame_Test : public Drafting_Test {
protected:
    void TearDown() override
    {
        Reset_Settings();
        Drafting_Test::TearDown();
    }
    static void Reset_Settings()
    {
        g_Plot_Config.Outer_Margin_Mode = 0;
        g_Plot_Config.Outer_Margin = 0.0;
        g_Plot_Config.Outer_Margin_Percent = 5.0;
        g_Plot_Config.Outer_Sqrt2 = 0;
    }
    // The vertices of every polyline of model space, in drawing order.
    static std::vector<std::vector<ZcGePoint2d>> Polylines()
    {
        std::vector<std::vector<ZcGePoint2d>> found;
        ZcDbObjectIdArray ids;
        Collect_Space_Entity_Ids(ids, ZcDbObjectId(), true);
        for (int i = 0; i < ids.length(); ++i) {
            ZcDbObjectPointer<ZcDbPolyline> polyline(ids[i], ZcDb::kForRead);
            if (polyline.openStatus() != Zcad::eOk)
                continue;
            EXPECT_FALSE(polyline->isClosed());
            std::vector<ZcGePoint2d> points;
            for (unsigned v = 0; v < polyline->numVerts(); ++v) {
                ZcGePoint2d point;
                polyline->getPointAt(v, point);
                points.push_back(point);
            }
            found.push_back(points);
        }
        return found;
    }
    static void Expect_Frame(const std::vector<ZcGePoint2d>& points, const std::vector<ZcGePoint2d>& expected)
    {
        ASSERT_EQ(points.size(), expected.size());
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(points[i].x, expected[i].x, 1e-6) << "vertex " << i;
            EXPECT_NEAR(points[i].y, expected[i].y, 1e-6) << "vertex " << i;
        }
    }
};

TEST(Outer_Frame_Box, MarginThenProportionAboutTheCentre)
{
    const double r = std::sqrt(2.0);
    struct Case {
        double w, h;          // extents from (0, 0)
        int mode;
        double margin, percent;
        bool sqrt2;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {200, 100, 0, 7, 9, false, 0, 0, 200, 100},
        {200, 100, 1, 7, 9, false, -7, -7, 207, 107},
        {200, 100, 1, -10, 9, false, 10, 10, 190, 90},           // taken as entered
        {200, 100, 2, 7, 5, false, -5, -5, 205, 105},
        {200, 100, 3, 7, 5, false, 0, 0, 200, 100},              // unknown mode: no margin
        {100, 100, 0, 0, 5, true, 50 - 50 * r, 0, 50 + 50 * r, 100},
        {100, 300, 0, 0, 5, true, 50 - 75 * r, 0, 50 + 75 * r, 300},
        {100, 120, 0, 0, 5, true, 0, 60 - 50 * r, 100, 60 + 50 * r},
        {200, 0, 0, 0, 5, true, 0, -100 / r, 200, 100 / r},        // a horizontal line
        {160, 100, 1, 10, 5, true, -10, 50 - 90 / r, 170, 50 + 90 / r},
    };
    for (const Case& c : cases) {
        double x1 = 0, y1 = 0, x2 = c.w, y2 = c.h;
        Widen_Outer_Frame(x1, y1, x2, y2, c.mode, c.margin, c.percent, c.sqrt2);
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " mode " << c.mode << " sqrt2 " << c.sqrt2);
        EXPECT_NEAR(x1, c.x1, 1e-9);
        EXPECT_NEAR(y1, c.y1, 1e-9);
        EXPECT_NEAR(x2, c.x2, 1e-9);
        EXPECT_NEAR(y2, c.y2, 1e-9);
    }
}

TEST_F(Outer_Frame_Test, InARotatedUcsTheFrameRunsAlongItsAxesWithItsVerticesInTheWorld)
{
    // The UCS turned by 90 degrees: its x is the world's y.
    ZcGeMatrix3d turned;
    turned.setToRotation(std::acos(-1.0) / 2, ZcGeVector3d::kZAxis);
    ASSERT_EQ(zcedSetCurrentUCS(turned), Zcad::eOk);
    // In the UCS: a line from (0, 0) to (40, -20).
    Append(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(20, 40, 0)));
    g_Plot_Config.Outer_Margin_Mode = 1;
    g_Plot_Config.Outer_Margin = 5.0;
    Script("select all\nenter\n");
    Make_Outer_Frame();
    const auto frames = Polylines();
    ASSERT_EQ(frames.size(), 1u) << "Enter at the next selection ends the command";
    // UCS box (-5, -25)-(45, 5); UCS (x, y) is world (-y, x).
    Expect_Frame(frames[0], {{25, -5}, {25, 45}, {-5, 45}, {-5, -5}, {25, -5}});
}

TEST_F(Outer_Frame_Test, SDuringTheSelectionOpensTheSettingsThatFrameThisSelectionAndOtherKeysDoNot)
{
    Append(new ZcDbCircle(ZcGePoint3d(100, 100, 0), ZcGeVector3d::kZAxis, 50));
    Script("key F4\nkey S\n@831 click 930\n@831 click 1\nselect all\nenter\n");
    Make_Outer_Frame();
    EXPECT_FALSE(g_Outer_Frame_Pick) << "only while the selection waits";
    EXPECT_EQ(g_Plot_Config.Outer_Margin_Mode, 2);
    const auto frames = Polylines();
    ASSERT_EQ(frames.size(), 1u);
    Expect_Frame(frames[0], {{45, 45}, {155, 45}, {155, 155}, {45, 155}, {45, 45}});
    EXPECT_EQ(Printed().find(L"Unknown command"), std::wstring::npos) << "the typed s was taken back";
}

TEST_F(Outer_Frame_Test, TheSettingsTakeWhatIsEnteredAndAZeroMarginTurnsItsModeOff)
{
    struct Case {
        const char* steps;
        int mode;
        double margin, percent;
        int sqrt2;
    };
    const Case cases[] = {
        {"click 929\n@831 text 202 \"-3\"", 1, -3, 5, 0},
        {"click 929\n@831 text 202 \"0\"", 0, 0, 5, 0},
        {"click 930\n@831 text 203 \"0\"", 0, 0, 0, 0},
        {"click 930\n@831 check 942 1", 2, 0, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        Reset_Settings();
        Script(std::string("@831 ") + c.steps + "\n@831 click 1\n");
        Show_Rec_Setting();
        EXPECT_EQ(g_Plot_Config.Outer_Margin_Mode, c.mode);
        EXPECT_EQ(g_Plot_Config.Outer_Margin, c.margin);
        EXPECT_EQ(g_Plot_Config.Outer_Margin_Percent, c.percent);
        EXPECT_EQ(g_Plot_Config.Outer_Sqrt2, c.sqrt2);
    }
    // Cancel writes nothing, whatever was entered.
    Script("@831 click 929\n@831 text 202 \"9\"\n"
           "@831 click 2\n");
    Show_Rec_Setting();
    EXPECT_EQ(g_Plot_Config.Outer_Margin_Mode, 2);
}

}  // namespace
