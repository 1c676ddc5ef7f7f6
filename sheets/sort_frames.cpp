#include "sheets/sort_frames.h"

#include <algorithm>
#include <numeric>

namespace {

bool Is_Position_Order(int sort_type)
{
    return sort_type >= 1 && sort_type <= 8;
}

}  // namespace

int Sort_Frames(ZcArray<ZcGePoint3d>& min_corners, ZcArray<ZcGePoint3d>& max_corners, int sort_type)
{
    const int count = std::min(min_corners.length(), max_corners.length());
    std::vector<Frame_Box> boxes;
    boxes.reserve(count);
    for (int i = 0; i < count; ++i)
        boxes.push_back(Box_Of_Corners(min_corners[i].x, min_corners[i].y, max_corners[i].x, max_corners[i].y));
    min_corners.setLogicalLength(0);
    max_corners.setLogicalLength(0);
    if (!Is_Position_Order(sort_type) || count <= 1)
        return 0;
    return Frame_Order_Index(boxes, sort_type).First();
}

std::vector<int> Order_Frames(const std::vector<Frame_Box>& boxes, int sort_type)
{
    std::vector<int> order(boxes.size());
    if (!Is_Position_Order(sort_type)) {
        std::iota(order.begin(), order.end(), 0);
        return order;
    }
    Frame_Order_Index index(boxes, sort_type);
    for (int& pick : order) {
        pick = index.First();
        index.Remove(pick);
    }
    return order;
}
