// Linetype patterns laid along paths: where dashes, dots and marks fall.
#include <gtest/gtest.h>

#include <vector>

#include "plot/render/linetype_dashes.h"

namespace {

struct Span {
    double from, to;  // along x
};

struct Dash_Case {
    const char* name;
    std::vector<ZcGePoint3d> path;
    std::vector<double> pattern;
    std::vector<Span> dashes;  // on a path along the x axis
};

TEST(LinetypeDashes, DashesAndDotsFallWhereThePatternPutsThem)
{
    const std::vector<ZcGePoint3d> ten = {{0, 0, 0}, {10, 0, 0}};
    const Dash_Case cases[] = {
        {"dash and gap", ten, {2, -1}, {{0, 2}, {3, 5}, {6, 8}, {9, 10}}},
        {"a dash cut by the end", ten, {4, -2}, {{0, 4}, {6, 10}}},
        {"dots", ten, {0, -2.5}, {{0, 0}, {2.5, 2.5}, {5, 5}, {7.5, 7.5}, {10, 10}}},
        {"dash, gap, dot, gap", ten, {3, -1, 0, -1}, {{0, 3}, {4, 4}, {5, 8}, {9, 9}}},
        {"no dash begins at the end", ten, {2, -3}, {{0, 2}, {5, 7}}},
        {"starting with a gap", ten, {-1, 3}, {{1, 4}, {5, 8}, {9, 10}}},
        {"over vertices", {{0, 0, 0}, {3, 0, 0}, {4, 0, 0}, {10, 0, 0}}, {2.5, -1}, {{0, 2.5}, {3.5, 6}, {7, 9.5}}},
        {"shorter than the pattern: whole", ten, {8, -4}, {{0, 10}}},
        {"no gap: whole", ten, {2, 3}, {{0, 10}}},
        {"no length: whole", ten, {0, 0}, {{0, 10}}},
    };
    for (const Dash_Case& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::Dashed_Path dashed = platform::Dash_Path(c.path.data(), c.path.size(), c.pattern);
        ASSERT_EQ(dashed.dashes.size(), c.dashes.size());
        for (size_t i = 0; i < c.dashes.size(); ++i) {
            ASSERT_GE(dashed.dashes[i].size(), 2u);
            EXPECT_NEAR(dashed.dashes[i].front().x, c.dashes[i].from, 1e-9) << "dash " << i;
            EXPECT_NEAR(dashed.dashes[i].back().x, c.dashes[i].to, 1e-9) << "dash " << i;
        }
    }
}

TEST(LinetypeDashes, ADashRoundACornerKeepsTheCorner)
{
    const std::vector<ZcGePoint3d> path = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}};
    const platform::Dashed_Path dashed = platform::Dash_Path(path.data(), path.size(), {6, -1});
    ASSERT_EQ(dashed.dashes.size(), 2u);
    const std::vector<ZcGePoint3d>& first = dashed.dashes[0];
    ASSERT_EQ(first.size(), 3u);
    EXPECT_TRUE(first[1].isEqualTo(ZcGePoint3d(4, 0, 0)));
    EXPECT_TRUE(first[2].isEqualTo(ZcGePoint3d(4, 2, 0)));
    EXPECT_TRUE(dashed.dashes[1].front().isEqualTo(ZcGePoint3d(4, 3, 0)));
}

TEST(LinetypeDashes, MarkedElementsNoteWhereTheyEndAndTheWayThere)
{
    // An L: 6 along x, then 6 along y; the gap (element 1) is marked.
    const std::vector<ZcGePoint3d> path = {{0, 0, 0}, {6, 0, 0}, {6, 6, 0}};
    const platform::Dashed_Path dashed =
        platform::Dash_Path(path.data(), path.size(), {2, -2}, {false, true});
    const ZcGePoint3d at[] = {{4, 0, 0}, {6, 2, 0}, {6, 6, 0}};
    const ZcGeVector3d way[] = {{1, 0, 0}, {0, 1, 0}, {0, 1, 0}};
    ASSERT_EQ(dashed.marks.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(dashed.marks[i].element, 1u);
        EXPECT_TRUE(dashed.marks[i].at.isEqualTo(at[i])) << i;
        EXPECT_TRUE(dashed.marks[i].direction.isEqualTo(way[i])) << i;
    }
}

}  // namespace
