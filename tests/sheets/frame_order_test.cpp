// The indexed position order against the plain one it replaces: the plain picker, run
// again over the remaining sheets for every pick, on random sets of many shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "sheets/sort_frames.h"

namespace {

// The plain picker: one band sweep after another over all candidates, each band grown by
// rescanning every candidate until nothing changes.
namespace plain {

struct Candidate {
    int index;
    double lo, hi;
};

struct Rect {
    double min_x, min_y, max_x, max_y;
};

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
            if (c.hi > top && (top - c.lo) > 0.25 * (c.hi - c.lo)) {
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

int First(const std::vector<Rect>& rects, int sort_type)
{
    const int count = static_cast<int>(rects.size());
    if (sort_type < 1 || sort_type > 8 || count <= 1)
        return 0;
    std::vector<int> candidates(count);
    for (int i = 0; i < count; ++i)
        candidates[i] = i;
    for (int pass = 1; pass <= 10; ++pass) {
        const int direction = pass % 2 ? First_Direction[sort_type] : Second_Direction[sort_type];
        candidates = Sweep(rects, candidates, direction);
        if (candidates.empty())
            return -1;
        if (candidates.size() == 1)
            return candidates.front();
    }
    const int direction = Second_Direction[sort_type];
    int best = candidates.front();
    for (int index : candidates)
        if (Along(rects[index], index, direction).lo < Along(rects[best], best, direction).lo)
            best = index;
    return best;
}

}  // namespace plain

// Two opposite corners of a sheet, in the order a caller happens to have them.
struct Corners {
    double x0, y0, x1, y1;
};

plain::Rect Plain_Rect(const Corners& c)
{
    return {std::min(c.x0, c.x1), std::min(c.y0, c.y1), std::max(c.x0, c.x1), std::max(c.y0, c.y1)};
}

std::vector<int> Plain_Order(const std::vector<Corners>& sheets, int sort_type)
{
    std::vector<plain::Rect> rects;
    std::vector<int> ids;
    for (size_t i = 0; i < sheets.size(); ++i) {
        rects.push_back(Plain_Rect(sheets[i]));
        ids.push_back(static_cast<int>(i));
    }
    std::vector<int> order;
    while (!rects.empty()) {
        int pick = plain::First(rects, sort_type);
        if (pick < 0)
            pick = 0;
        order.push_back(ids[pick]);
        ids.erase(ids.begin() + pick);
        rects.erase(rects.begin() + pick);
    }
    return order;
}

std::vector<int> Indexed_Order(const std::vector<Corners>& sheets, int sort_type)
{
    std::vector<Frame_Box> boxes;
    for (const Corners& c : sheets)
        boxes.push_back(Box_Of_Corners(c.x0, c.y0, c.x1, c.y1));
    return Order_Frames(boxes, sort_type);
}

// --- Random sets.

class Sheet_Maker {
public:
    explicit Sheet_Maker(unsigned seed) : m_Random(seed) {}

    double Real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_Random); }
    int Whole(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_Random); }

    // Corners given either way round.
    Corners Sheet(double x, double y, double w, double h)
    {
        Corners c{x, y, x + w, y + h};
        if (Whole(0, 3) == 0)
            std::swap(c.x0, c.x1);
        if (Whole(0, 3) == 0)
            std::swap(c.y0, c.y1);
        return c;
    }

private:
    std::mt19937 m_Random;
};

using Layout = std::vector<Corners> (*)(Sheet_Maker&, int);

// Sheets of many sizes strewn over an area about as large as their own, overlapping freely.
std::vector<Corners> Scattered(Sheet_Maker& make, int count)
{
    const double side = 120 * std::sqrt(static_cast<double>(count) + 1);
    std::vector<Corners> sheets;
    for (int i = 0; i < count; ++i)
        sheets.push_back(make.Sheet(make.Real(-side, side), make.Real(-side, side), make.Real(5, 250),
                                    make.Real(5, 250)));
    return sheets;
}

// Rows and columns of sheets of similar size, each shifted and resized a little, in a
// shuffled list.
std::vector<Corners> Shifted_Grid(Sheet_Maker& make, int count)
{
    const int columns = std::max(1, static_cast<int>(std::sqrt(static_cast<double>(count))));
    std::vector<Corners> sheets;
    for (int i = 0; i < count; ++i) {
        const double x = (i % columns) * 1000 + make.Real(-60, 60), y = (i / columns) * 700 + make.Real(-60, 60);
        const bool portrait = make.Whole(0, 5) == 0;
        sheets.push_back(make.Sheet(x, y, portrait ? 594 : 841 * make.Real(0.9, 1.1), portrait ? 841 : 594));
    }
    for (int i = count - 1; i > 0; --i)
        std::swap(sheets[i], sheets[make.Whole(0, i)]);
    return sheets;
}

// Small whole numbers around the origin: equal corners, equal sheets, zeros of both signs
// and overlaps of exactly a quarter.
std::vector<Corners> Lattice(Sheet_Maker& make, int count)
{
    const int reach = 2 + static_cast<int>(std::sqrt(static_cast<double>(count)));
    std::vector<Corners> sheets;
    for (int i = 0; i < count; ++i)
        sheets.push_back(make.Sheet(make.Whole(-reach, reach), make.Whole(-reach, reach), 4 * make.Whole(0, 2) + make.Whole(1, 4),
                                    4 * make.Whole(0, 2) + make.Whole(1, 4)));
    return sheets;
}

// Sheets inside sheets: frames drawn around groups of frames, several deep.
std::vector<Corners> Nested(Sheet_Maker& make, int count)
{
    std::vector<Corners> sheets;
    while (static_cast<int>(sheets.size()) < count) {
        double x = make.Real(-2000, 2000), y = make.Real(-2000, 2000), w = make.Real(200, 900), h = make.Real(200, 900);
        for (int depth = make.Whole(1, 6); depth > 0 && static_cast<int>(sheets.size()) < count; --depth) {
            sheets.push_back(make.Sheet(x, y, w, h));
            const double dx = make.Real(0, w / 4), dy = make.Real(0, h / 4);
            x += dx, y += dy;
            w = make.Real(w / 3, w - dx), h = make.Real(h / 3, h - dy);
        }
    }
    return sheets;
}

// Chains of sheets each overlapping the last in both directions, so that bands grow sheet
// by sheet; listed in either direction along the chain.
std::vector<Corners> Staircase(Sheet_Maker& make, int count)
{
    std::vector<Corners> sheets;
    double x = 0, y = 0;
    for (int i = 0; i < count; ++i) {
        const double w = make.Real(50, 150), h = make.Real(50, 150);
        sheets.push_back(make.Sheet(x, y, w, h));
        x += w * make.Real(0.2, 0.9) * (make.Whole(0, 4) ? 1 : -1);
        y += h * make.Real(0.2, 0.9) * (make.Whole(0, 1) ? 1 : -1);
    }
    if (make.Whole(0, 1))
        std::reverse(sheets.begin(), sheets.end());
    return sheets;
}

// One long strip of tall and short sheets far from the origin, where band sums round.
std::vector<Corners> Far_Strip(Sheet_Maker& make, int count)
{
    std::vector<Corners> sheets;
    double x = 3.7e7;
    for (int i = 0; i < count; ++i) {
        const double h = make.Whole(0, 2) ? make.Real(0.3, 1.7) : make.Real(2, 9);
        sheets.push_back(make.Sheet(x, -2.1e6 + make.Real(-0.5, 0.5), make.Real(0.2, 1.3), h));
        x += make.Real(0.1, 1.2);
    }
    return sheets;
}

struct Named_Layout {
    const char* name;
    Layout make;
};

const Named_Layout Sheet_Layouts[] = {
    {"scattered", Scattered}, {"shifted grid", Shifted_Grid}, {"lattice", Lattice},
    {"nested", Nested},       {"staircase", Staircase},       {"far strip", Far_Strip},
};

const int Set_Sizes[] = {0, 1, 2, 3, 8, 40, 180};
const unsigned Set_Seeds[] = {1, 2, 3};

TEST(Frame_Order, SameOrderAsPickingAgainAfterEveryPick)
{
    for (const Named_Layout& layout : Sheet_Layouts)
        for (int size : Set_Sizes)
            for (unsigned seed : Set_Seeds) {
                Sheet_Maker make(seed * 7919 + static_cast<unsigned>(size));
                const std::vector<Corners> sheets = layout.make(make, size);
                for (int type = 1; type <= 8; ++type)
                    ASSERT_EQ(Indexed_Order(sheets, type), Plain_Order(sheets, type))
                        << layout.name << ", " << size << " sheets, seed " << seed << ", type " << type;
            }
}

TEST(Frame_Order, FirstPickMatchesThePlainPicker)
{
    for (const Named_Layout& layout : Sheet_Layouts)
        for (unsigned seed : Set_Seeds) {
            Sheet_Maker make(seed);
            const std::vector<Corners> sheets = layout.make(make, 60);
            std::vector<plain::Rect> rects;
            for (const Corners& c : sheets)
                rects.push_back(Plain_Rect(c));
            for (int type = 0; type <= 10; ++type) {
                ZcArray<ZcGePoint3d> lo, hi;
                for (const Corners& c : sheets) {
                    lo.append(ZcGePoint3d(c.x0, c.y0, 0));
                    hi.append(ZcGePoint3d(c.x1, c.y1, 0));
                }
                EXPECT_EQ(Sort_Frames(lo, hi, type), plain::First(rects, type))
                    << layout.name << ", seed " << seed << ", type " << type;
            }
        }
}

TEST(Frame_Order, TypesOutsideThePositionOrdersKeepTheGivenOrder)
{
    Sheet_Maker make(5);
    const std::vector<Corners> sheets = Scattered(make, 12);
    std::vector<int> given(sheets.size());
    for (size_t i = 0; i < given.size(); ++i)
        given[i] = static_cast<int>(i);
    for (int type : {0, 9, 10, -1})
        EXPECT_EQ(Indexed_Order(sheets, type), given) << type;
}

TEST(Frame_Order, SheetWithoutNumbersIsStillOrdered)
{
    // Such corners never come from detection; the order still holds every sheet once.
    const double nan = std::nan("");
    std::vector<Frame_Box> boxes = {{0, 0, 10, 10}, {nan, nan, nan, nan}, {20, 0, 30, 10}, {0, nan, 10, 40}};
    for (int type = 1; type <= 8; ++type) {
        std::vector<int> order = Order_Frames(boxes, type);
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3})) << type;
    }
}

}  // namespace
