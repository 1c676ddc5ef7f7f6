// The bounds of a space's entities, kept between plots of the same drawing: plotting sheet
// after sheet of one drawing opens only the entities near each sheet. Any change to the
// drawing (an object appended, opened for write, erased) or its end drops what was kept.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "db/dbmain.h"

namespace platform {

struct Space_Item {
    ZcDbObjectId id;
    ZcDbExtents box;     // holds everything the entity draws (drawing coordinates)
    bool bounded = false;  // false: bounds unknown, the entity is always drawn
};

// A space's entities in drawing order with their bounds, and a grid over the bounds that finds
// the entities near a rectangle without looking at the others.
class Space_Index {
public:
    explicit Space_Index(std::vector<Space_Item> items);

    const std::vector<Space_Item>& items() const { return mItems; }
    // The positions in items() (ascending: drawing order) of every entity whose box meets the
    // rectangle [x0, x1] x [y0, y1] of drawing coordinates, and of every entity without
    // usable bounds; some others may come along.
    void near(double x0, double y0, double x1, double y1, std::vector<uint32_t>& out) const;

private:
    bool cell_range(double x0, double y0, double x1, double y1, int (&range)[4]) const;

    std::vector<Space_Item> mItems;
    std::vector<uint32_t> mAlways;        // unbounded, unusable or very large boxes
    double mOriginX = 0, mOriginY = 0, mCell = 1;
    int mColumns = 0, mRows = 0;          // 0: no grid, every entity is in mAlways
    std::vector<uint32_t> mCellStart;     // per cell, where its entries begin in mCellItems
    std::vector<uint32_t> mCellItems;     // ascending within each cell
};

// The space's index. It stays valid until the next call or the next change of the drawing.
std::shared_ptr<const Space_Index> Space_Items(ZcDbDatabase* db, ZcDbObjectId spaceId);

}  // namespace platform
