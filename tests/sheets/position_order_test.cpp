// The first sheet of a set under the eight position orders, and the full orders it yields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheets/sort_frames.h"

namespace {

struct Box {
    double x0, y0, x1, y1;
};

int First(const std::vector<Box>& boxes, int type)
{
    ZcArray<ZcGePoint3d> lo, hi;
    for (const Box& b : boxes) {
        lo.append(ZcGePoint3d(b.x0, b.y0, 0));
        hi.append(ZcGePoint3d(b.x1, b.y1, 0));
    }
    return Sort_Frames(lo, hi, type);
}

// Repeated picks, as the orderings of sheet lists make them.
std::vector<int> Order(std::vector<Box> boxes, int type)
{
    std::vector<int> ids(boxes.size());
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = static_cast<int>(i);
    std::vector<int> order;
    while (!boxes.empty()) {
        int pick = First(boxes, type);
        if (pick < 0)
            pick = 0;
        order.push_back(ids[pick]);
        ids.erase(ids.begin() + pick);
        boxes.erase(boxes.begin() + pick);
    }
    return order;
}

// A 2 x 2 grid of 100 x 100 frames: 0 top left, 1 top right, 2 bottom left, 3 bottom right,
// the right column 5 units lower.
const std::vector<Box> Grid = {
    {0, 110, 100, 210}, {110, 105, 210, 205}, {0, 0, 100, 100}, {110, -5, 210, 95}};

}  // namespace

TEST(Position_Order, EightOrdersOnAShiftedGrid)
{
    struct Case {
        int type;
        std::vector<int> expected;
    } cases[] = {
        {1, {0, 1, 2, 3}}, {2, {1, 0, 3, 2}}, {3, {2, 3, 0, 1}}, {4, {3, 2, 1, 0}},
        {5, {2, 0, 3, 1}}, {6, {3, 1, 2, 0}}, {7, {0, 2, 1, 3}}, {8, {1, 3, 0, 2}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Order(Grid, c.type), c.expected) << "type " << c.type;
}

TEST(Position_Order, ColumnOfThree)
{
    const std::vector<Box> column = {{0, 100, 50, 150}, {0, 0, 50, 50}, {0, 200, 50, 250}};
    EXPECT_EQ(Order(column, 5), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(Order(column, 7), (std::vector<int>{2, 0, 1}));
}

TEST(Position_Order, ShortFrameJoinsTheRowOnlyWithMoreThanAQuarterInside)
{
    // A tall frame whose top is highest starts the band; a short frame to its left, lower
    // down, joins it (and comes first, being leftmost) only with more than a quarter inside.
    const Box tall = {110, 0, 210, 200};
    EXPECT_EQ(First({tall, {0, -70, 100, 30}}, 1), 1);  // 30 of 100 inside
    EXPECT_EQ(First({tall, {0, -80, 100, 20}}, 1), 0);  // 20 of 100: next row
    EXPECT_EQ(First({tall, {0, -75, 100, 25}}, 1), 0);  // exactly a quarter is not more
}

TEST(Position_Order, EqualTopsStartFromTheFirstInTheList)
{
    EXPECT_EQ(First({{0, 0, 100, 100}, {0, 0, 100, 100}}, 1), 0);
    EXPECT_EQ(Order({{200, 0, 300, 100}, {0, 0, 100, 100}}, 1), (std::vector<int>{1, 0}));
}

TEST(Position_Order, TypesOutsideTheRangeAndSmallSetsEmptyTheArrays)
{
    for (int type : {0, 10, 1}) {
        ZcArray<ZcGePoint3d> lo, hi;
        if (type != 1) {
            lo.append(ZcGePoint3d(5, 5, 0)), hi.append(ZcGePoint3d(6, 6, 0));
            lo.append(ZcGePoint3d(0, 0, 0)), hi.append(ZcGePoint3d(1, 1, 0));
        }
        EXPECT_EQ(Sort_Frames(lo, hi, type), 0) << type;
        EXPECT_TRUE(lo.isEmpty());
        EXPECT_TRUE(hi.isEmpty());
    }
    EXPECT_EQ(First({{0, 0, 1, 1}}, 3), 0);
}

TEST(Position_Order, CornersGivenInAnyOrder)
{
    // Frames measured with swapped corners order like their normalised rectangles.
    EXPECT_EQ(Order({{100, 100, 0, 0}, {0, 210, 100, 110}}, 1), (std::vector<int>{1, 0}));
}
