#include "sheets/sort_frames.h"

#include <algorithm>
#include <vector>

namespace {

// More than this share of a sheet's own height (or width) inside a band joins the band.
constexpr double Band_Overlap = 0.25;
constexpr int Max_Passes = 10;

struct Candidate {
    int index;
    double lo, hi;  // along the sweep's axis, in the sweep's orientation (bands grow toward hi)
};

struct Rect {
    double min_x, min_y, max_x, max_y;
};

// Directions: 1 top row, 2 bottom row, 3 right column, 4 left column. Each is direction 2
// (or 4) in mirrored coordinates, so one band sweep serves all four.
Candidate Along(const Rect& rect, int index, int direction)
{
    switch (direction) {
    case 1: return {index, -rect.max_y, -rect.min_y};
    case 2: return {index, rect.min_y, rect.max_y};
    case 3: return {index, -rect.max_x, -rect.min_x};
    default: return {index, rect.min_x, rect.max_x};
    }
}

std::vector<int> Sweep(const std::vector<Rect>& rects, const std::vector<int>& candidates, int direction)
{
    std::vector<Candidate> along;
    along.reserve(candidates.size());
    for (int index : candidates)
        along.push_back(Along(rects[index], index, direction));
    if (along.empty())
        return {};

    const Candidate* start = &along.front();
    for (const Candidate& c : along)
        if (c.lo < start->lo)
            start = &c;
    const double bottom = start->lo;
    double top = start->hi;
    for (bool changed = true; changed;) {
        changed = false;
        for (const Candidate& c : along)
            if (c.hi > top && (top - c.lo) > Band_Overlap * (c.hi - c.lo)) {
                top = c.hi;
                changed = true;
            }
    }
    std::vector<int> kept;
    for (const Candidate& c : along)
        if (bottom <= c.lo && c.hi <= top)
            kept.push_back(c.index);
    return kept;
}

const int First_Direction[] = {0, 1, 1, 2, 2, 4, 3, 4, 3};
const int Second_Direction[] = {0, 4, 3, 4, 3, 2, 2, 1, 1};

}  // namespace

int Sort_Frames(ZcArray<ZcGePoint3d>& min_corners, ZcArray<ZcGePoint3d>& max_corners, int sort_type)
{
    const int count = std::min(min_corners.length(), max_corners.length());
    std::vector<Rect> rects;
    rects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const ZcGePoint3d& a = min_corners[i];
        const ZcGePoint3d& b = max_corners[i];
        rects.push_back({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)});
    }
    min_corners.setLogicalLength(0);
    max_corners.setLogicalLength(0);
    if (sort_type < 1 || sort_type > 8 || count <= 1)
        return 0;

    std::vector<int> candidates(count);
    for (int i = 0; i < count; ++i)
        candidates[i] = i;
    for (int pass = 1; pass <= Max_Passes; ++pass) {
        const int direction = pass % 2 ? First_Direction[sort_type] : Second_Direction[sort_type];
        candidates = Sweep(rects, candidates, direction);
        if (candidates.empty())
            return -1;
        if (candidates.size() == 1)
            return candidates.front();
    }
    // Still several: the extreme edge in the second direction, the first on a tie.
    const int direction = Second_Direction[sort_type];
    int best = candidates.front();
    for (int index : candidates) {
        const Candidate c = Along(rects[index], index, direction);
        if (c.lo < Along(rects[best], best, direction).lo)
            best = index;
    }
    return best;
}
