// The input-point monitor the module attaches draws the running tool's overlays next to the
// cursor at each picked point, sized in screen pixels whatever the zoom.
#include <algorithm>

#include "core/cursor_overlays.h"
#include "core/point_monitor.h"
#include "core_fixture.h"
#include "ge/extents.h"
#include "ed/input_point_monitor.h"
#include "ed/prompts.h"
#include "ed/sysvars.h"
#include "script/script_input.h"

namespace {

class Cursor_Overlays_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        Load_Module();
    }
    void TearDown() override
    {
        g_Brush_Overlay_Text = Overlay_Text();
        g_Jig_Label_On = false;
        g_Outline_Overlay_On = false;
        g_Outline_Segments.removeAll();
        g_Frame_Jig_Dir = 0;
        Core_Test::TearDown();
    }
    // The overlay drawn when the cursor picks the point.
    static std::vector<platform::Gi_Record> Pick(double x, double y)
    {
        platform::ScriptInput::instance().push_text("point " + std::to_string(x) + "," + std::to_string(y) + "\n");
        double pt[3];
        zcedGetPoint(nullptr, L"\nPoint: ", pt);
        return platform::Cursor_Overlay();
    }
    static std::vector<platform::Gi_Record> Of_Colour(const std::vector<platform::Gi_Record>& records,
                                                      const ZcCmEntityColor& colour, platform::Gi_Record::Kind kind)
    {
        std::vector<platform::Gi_Record> found;
        for (const auto& record : records)
            if (record.color == colour && record.kind == kind)
                found.push_back(record);
        return found;
    }
    // The box of the records' points.
    static ZcDbExtents Box(const std::vector<platform::Gi_Record>& records)
    {
        ZcDbExtents box;
        for (const auto& record : records)
            for (const ZcGePoint3d& point : record.points)
                box.addPoint(point);
        return box;
    }
    static double Units_Per_Pixel()
    {
        resbuf view, screen;
        zcedGetVar(L"VIEWSIZE", &view);
        zcedGetVar(L"SCREENSIZE", &screen);
        return view.resval.rreal / screen.resval.rpoint[1];
    }
};

TEST_F(Cursor_Overlays_Test, TheScaleLabelFollowsTheCursorAtTwentyOnePixelsHigh)
{
    EXPECT_TRUE(Pick(10, 20).empty()) << "no tool runs";
    g_Jig_Label_On = true;
    g_Jig_Scale_Label = L"1:100";
    const auto overlay = Pick(10, 20);
    ASSERT_EQ(overlay.size(), 1u);
    const double h = 21.6 * Units_Per_Pixel();
    EXPECT_EQ(overlay[0].kind, platform::Gi_Record::kText);
    EXPECT_EQ(overlay[0].text, L"1:100");
    EXPECT_NEAR(overlay[0].height, h, 1e-9);
    EXPECT_NEAR(overlay[0].position.x, 10 + h / 2, 1e-9);
    EXPECT_NEAR(overlay[0].position.y, 20 - h / 2, 1e-9);
    EXPECT_EQ(overlay[0].color, ZcCmEntityColor(90, 180, 30));

    Detach_Point_Monitor();
    EXPECT_TRUE(Pick(10, 20).empty()) << "detached";
}

TEST_F(Cursor_Overlays_Test, TheBrushBadgeShowsItsTextAndItsBristlesSwapColoursAtEveryMove)
{
    g_Brush_Overlay_Text.On = true;
    g_Brush_Overlay_Text.Text = L"刷字";
    const ZcCmEntityColor cyan(0, 255, 255), green(90, 180, 30);
    std::vector<ZcCmEntityColor> bristles;
    for (int move = 0; move < 2; ++move) {
        const auto overlay = Pick(0, 0);
        ASSERT_FALSE(overlay.empty());
        EXPECT_EQ(overlay.back().text, L"刷字");
        // Outline, bristles, handle, text: twelve yellow segments, two bristles, one brown.
        std::vector<ZcCmEntityColor> colours;
        for (const auto& record : overlay)
            if (record.kind != platform::Gi_Record::kText && record.depth > 0 &&
                (colours.empty() || !(colours.back() == record.color)))
                colours.push_back(record.color);
        ASSERT_EQ(colours.size(), 4u);
        EXPECT_EQ(colours[0], ZcCmEntityColor(255, 255, 0));
        EXPECT_EQ(colours[3], ZcCmEntityColor(115, 65, 15));
        bristles.push_back(colours[1]);
        bristles.push_back(colours[2]);
    }
    EXPECT_EQ(bristles[0], green);
    EXPECT_EQ(bristles[1], cyan);
    EXPECT_EQ(bristles[2], cyan);
    EXPECT_EQ(bristles[3], green);
}

TEST_F(Cursor_Overlays_Test, AnOutlinePreviewsOneHundredPixelsOnItsLargerSideTurnedWithTheJig)
{
    g_Outline_Overlay_On = true;
    for (const ZcGePoint2d& point : {ZcGePoint2d(0, 0), ZcGePoint2d(2000, 0), ZcGePoint2d(2000, 0), ZcGePoint2d(2000, 500)})
        g_Outline_Segments.append(point);
    const double pixels = 100 * Units_Per_Pixel();
    struct Case {
        int direction;
        double width, height;  // of the preview, in pixels
        double bottom;         // below the cursor, in pixels
    } cases[] = {{0, 100, 25, 0}, {1, 25, 100, 0}, {2, 25, 100, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        g_Frame_Jig_Dir = c.direction;
        const ZcDbExtents box = Box(Pick(5, 5));
        EXPECT_NEAR(box.maxPoint().x - box.minPoint().x, c.width * pixels / 100, 1e-6);
        EXPECT_NEAR(box.maxPoint().y - box.minPoint().y, c.height * pixels / 100, 1e-6);
        EXPECT_NEAR(5 - box.minPoint().y, c.bottom * pixels / 100, 1e-6);
    }
    g_Outline_Segments.removeAll();
    g_Outline_Segments.append(ZcGePoint2d(0, 0));
    g_Outline_Segments.append(ZcGePoint2d(100, 0));
    EXPECT_TRUE(Pick(5, 5).empty()) << "an outline without height previews nothing";
}

}  // namespace
