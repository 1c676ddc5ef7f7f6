// New signature outlines from picked curves: sampling, merging, chaining, holes, size.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "core_fixture.h"
#include "db/dbents.h"
#include "script/script_input.h"
#include "signstamp/sign_filing.h"
#include "signstamp/sign_outline.h"
#include "win/win_msgbox.h"

namespace {

class Sign_Outline_Test : public Core_Test {};

void Add_Rect(std::vector<Sign_Segment>& pool, double x0, double y0, double x1, double y1)
{
    const ZcGePoint3d c[4] = {{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}};
    for (int i = 0; i < 4; ++i)
        pool.push_back({c[i], c[(i + 1) % 4]});
}

double Shape_Width(const MyShape& shape)
{
    const auto [lo, hi] = std::minmax_element(shape.Xs.begin(), shape.Xs.end());
    return *hi - *lo;
}

TEST_F(Sign_Outline_Test, RectanglesBecomeOuterOutlinesAndHoles)
{
    struct Case {
        const char* what;
        std::vector<std::array<double, 4>> rects;
        std::vector<int> kinds;  // of the shapes, in order
    };
    const Case cases[] = {
        {"one rectangle", {{0, 0, 30, 20}}, {1}},
        {"letter O", {{0, 0, 30, 20}, {10, 5, 20, 15}}, {1, 0}},
        // Taken after its outer loop and hole, an island is an outline of its own.
        {"island in the hole", {{0, 0, 30, 20}, {5, 3, 25, 17}, {10, 6, 20, 14}}, {1, 0, 1}},
        // Taken first, it lies inside another loop and is dropped; then it cuts the outer one.
        {"island first", {{10, 6, 20, 14}, {0, 0, 30, 20}, {5, 3, 25, 17}}, {1, 0, 0}},
        {"two apart", {{0, 0, 10, 10}, {20, 0, 30, 10}}, {1, 1}},
    };
    for (const Case& c : cases) {
        std::vector<Sign_Segment> pool;
        for (const auto& r : c.rects)
            Add_Rect(pool, r[0], r[1], r[2], r[3]);
        KV_Sign record;
        ASSERT_TRUE(Outline_From_Segments(pool, record)) << c.what;
        ASSERT_EQ(record.Shapes.size(), c.kinds.size()) << c.what;
        for (size_t i = 0; i < c.kinds.size(); ++i) {
            EXPECT_EQ(record.Shapes[i]->Kind, c.kinds[i]) << c.what;
            EXPECT_EQ(record.Shapes[i]->Xs.size(), 5u) << c.what;  // first point repeated
        }
        // Enlarged to width + height 200, centred on the origin.
        EXPECT_NEAR(record.Width + record.Height, 200.0, 1e-9) << c.what;
        double min_x = 1e9, max_x = -1e9, min_y = 1e9, max_y = -1e9;
        for (const auto& shape : record.Shapes)
            for (size_t k = 0; k < shape->Xs.size(); ++k) {
                min_x = std::min(min_x, shape->Xs[k]), max_x = std::max(max_x, shape->Xs[k]);
                min_y = std::min(min_y, shape->Ys[k]), max_y = std::max(max_y, shape->Ys[k]);
            }
        EXPECT_NEAR(min_x + max_x, 0.0, 1e-9) << c.what;
        EXPECT_NEAR(min_y + max_y, 0.0, 1e-9) << c.what;
        EXPECT_NEAR(max_x - min_x, record.Width, 1e-9) << c.what;
    }
}

TEST_F(Sign_Outline_Test, LargeOutlinesKeepTheirSize)
{
    std::vector<Sign_Segment> pool;
    Add_Rect(pool, 0, 0, 300, 100);
    KV_Sign record;
    ASSERT_TRUE(Outline_From_Segments(pool, record));
    EXPECT_DOUBLE_EQ(record.Width, 300.0);
    EXPECT_DOUBLE_EQ(Shape_Width(*record.Shapes[0]), 300.0);
}

TEST_F(Sign_Outline_Test, CollinearPiecesMergeAndSayHowMany)
{
    std::vector<Sign_Segment> pool{{{0, 0, 0}, {5, 0, 0}}, {{5, 0, 0}, {10, 0, 0}}, {{12, 0, 0}, {8, 0, 0}},
                                   {{0, 1, 0}, {10, 1, 0}}, {{20, 0, 0}, {30, 0, 0}}};
    EXPECT_EQ(Merge_Collinear_Segments(pool, Sign_Outline_Tolerance), 3u);
    EXPECT_TRUE(pool[0].Start.isEqualTo(ZcGePoint3d(0, 0, 0)));
    EXPECT_TRUE(pool[0].End.isEqualTo(ZcGePoint3d(12, 0, 0)));
    EXPECT_NE(Printed().find(L"签名图形中原来的5条直线被合并为3条直线"), std::wstring::npos);
}

TEST_F(Sign_Outline_Test, OpenCurvesGiveNoOutline)
{
    // A gap of 2 against a shortest segment of 10: wider than a fifth of it.
    std::vector<Sign_Segment> pool{{{0, 0, 0}, {10, 0, 0}}, {{10, 0, 0}, {10, 10, 0}}, {{10, 10, 0}, {0, 10, 0}},
                                   {{0, 10, 0}, {0, 2, 0}}};
    KV_Sign record;
    EXPECT_FALSE(Outline_From_Segments(pool, record));
    EXPECT_TRUE(record.Shapes.empty());
    EXPECT_NE(Printed().find(L"签名边线不封闭或签名边线不在X-Y平面内!"), std::wstring::npos);

    // A gap within a fifth of the shortest segment closes in the second chaining.
    pool.back().End = ZcGePoint3d(0, 1, 0);
    EXPECT_TRUE(Outline_From_Segments(pool, record));
    EXPECT_EQ(record.Shapes.size(), 1u);
}

TEST_F(Sign_Outline_Test, CurvesAreSampledByKind)
{
    std::vector<Sign_Segment> pool;
    ZcDbCircle circle(ZcGePoint3d(0, 0, 5), ZcGeVector3d::kZAxis, 10.0);
    Sample_Curve(circle, 100.0, pool);  // coarse step: at least 12 chords when closed
    EXPECT_EQ(pool.size(), 12u);
    for (const Sign_Segment& s : pool)
        EXPECT_EQ(s.Start.z, 0.0);

    pool.clear();
    ZcDbPolyline bent;
    bent.addVertexAt(0, ZcGePoint2d(0, 0), 1.0);  // a half circle to (10, 0)
    bent.addVertexAt(1, ZcGePoint2d(10, 0));
    bent.setClosed(true);
    Sample_Curve(bent, 1.0, pool);
    EXPECT_GT(pool.size(), 10u);  // the arc in chords, then the closing line

    pool.clear();
    ZcDbLine dot(ZcGePoint3d(1, 1, 0), ZcGePoint3d(1, 1, 0));
    Sample_Curve(dot, 1.0, pool);
    EXPECT_TRUE(pool.empty());
}

TEST_F(Sign_Outline_Test, SamplingStepIsNeverZero)
{
    // A flat selection (all curves on one line) or a single point has a zero side.
    for (auto [w, h] : {std::pair{100.0, 0.0}, {0.0, 100.0}, {0.0, 0.0}, {1e-12, 1e6}}) {
        const double step = Sign_Sampling_Step(w, h);
        EXPECT_GT(step, 0.0) << w << " x " << h;
        EXPECT_GE(step, std::max(w, h) / 50000.0) << w << " x " << h;
    }
    EXPECT_DOUBLE_EQ(Sign_Sampling_Step(100.0, 50.0), 1.0);

    // A straight spline sampled with the flat selection's step ends with bounded pieces.
    ZcGePoint3dArray fit;
    for (int i = 0; i < 4; ++i)
        fit.append(ZcGePoint3d(i * 10.0, 0, 0));
    ZcDbSpline spline(fit);
    std::vector<Sign_Segment> pool;
    Sample_Curve(spline, Sign_Sampling_Step(30.0, 0.0), pool);
    EXPECT_GT(pool.size(), 3u);
    EXPECT_LE(pool.size(), 50000u);
}

TEST_F(Sign_Outline_Test, OutlinesBeyondWhatASignatureHoldsAreRefused)
{
    struct Case {
        int shapes;
        int points_each;
        bool fits;
    };
    const Case cases[] = {
        {1, Max_Sign_Points, true},
        {1, Max_Sign_Points + 1, false},
        {Max_Sign_Loops, 1, true},
        {Max_Sign_Loops + 1, 0, false},
        {3, 11000, false},  // each loop small, together too many points
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<MyShape>> shapes;
        for (int i = 0; i < c.shapes; ++i) {
            shapes.push_back(std::make_unique<MyShape>());
            shapes.back()->Xs.assign(static_cast<size_t>(c.points_each), 0.0);
            shapes.back()->Ys.assign(static_cast<size_t>(c.points_each), 0.0);
        }
        platform::MessageBoxLog.clear();
        if (!c.fits)
            platform::ScriptInput::instance().push_text("msgbox OK\n");
        EXPECT_EQ(Sign_Fits_Entity(shapes), c.fits) << c.shapes << " x " << c.points_each;
        ASSERT_EQ(platform::MessageBoxLog.size(), c.fits ? 0u : 1u);
        if (!c.fits) {
            EXPECT_NE(platform::MessageBoxLog[0].text.find(L"签名图形过于复杂"), std::wstring::npos);
        }
    }
}

}  // namespace
