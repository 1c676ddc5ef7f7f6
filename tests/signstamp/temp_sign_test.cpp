// The preview of a signature being placed: its open loops fitted into the rectangle from
// the first corner to the cursor, turned as the placement asks.
#include <gtest/gtest.h>

#include <vector>

#include "db/gi_recorder.h"
#include "signstamp/temp_sign.h"

namespace {

// A 40 x 20 outline centred at (100, 100) with a 4-vertex hole.
Temp_Sign Preview(const ZcGePoint3d& first)
{
    ZcArray<int32_t> loops;
    loops.append(4);
    loops.append(-4);
    ZcGePoint3dArray points;
    for (auto [x, y] : {std::pair{80.0, 90.0}, {120.0, 90.0}, {120.0, 110.0}, {80.0, 110.0},
                        {95.0, 95.0}, {105.0, 95.0}, {105.0, 105.0}, {95.0, 105.0}})
        points.append(ZcGePoint3d(x, y, 0.0));
    return Temp_Sign(first, loops, points);
}

std::vector<std::vector<ZcGePoint3d>> Segments(Temp_Sign& preview)
{
    platform::GiRecorder recorder;
    recorder.run(&preview);
    std::vector<std::vector<ZcGePoint3d>> segments;
    for (const auto& record : recorder.ofKind(platform::Gi_Record::kPolyline))
        segments.push_back(record.points);
    return segments;
}

void Expect_Point(const ZcGePoint3d& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

TEST(Temp_Sign_Preview, LoopsFitTheTighterSideCentredWithoutClosingSegments)
{
    g_Sign_Jig_Rot = 0;
    Temp_Sign preview = Preview(ZcGePoint3d(0, 0, 0));
    preview.Second_Corner = ZcGePoint3d(80, 80, 0);  // 80 x 80: the width (40) binds, scale 2
    const auto segments = Segments(preview);
    ASSERT_EQ(segments.size(), 6u);  // three segments of each loop
    Expect_Point(segments[0][0], 0, 20);
    Expect_Point(segments[0][1], 80, 20);
    Expect_Point(segments[2][1], 0, 60);
    Expect_Point(segments[3][0], 30, 30);
}

TEST(Temp_Sign_Preview, TurnedOutlineSwapsTheSides)
{
    g_Sign_Jig_Rot = 1;
    Temp_Sign preview = Preview(ZcGePoint3d(0, 0, 0));
    preview.Second_Corner = ZcGePoint3d(80, 80, 0);  // turned: 20 x 40, the height binds, scale 2
    const auto segments = Segments(preview);
    g_Sign_Jig_Rot = 0;
    ASSERT_EQ(segments.size(), 6u);
    // (80, 90) turned by +90 degrees about (100, 100) is (110, 80): from the centre (10, -20).
    Expect_Point(segments[0][0], 60, 0);
}

}  // namespace
