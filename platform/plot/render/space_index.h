// The bounds of a space's entities, kept between plots of the same drawing: plotting sheet
// after sheet of one drawing opens only the entities near each sheet. Any change to the
// drawing (an object appended, opened for write, erased) or its end drops what was kept.
#pragma once
#include <memory>
#include <vector>

#include "db/dbmain.h"

namespace platform {

struct Space_Item {
    ZcDbObjectId id;
    ZcDbExtents box;     // holds everything the entity draws (drawing coordinates)
    bool bounded = false;  // false: bounds unknown, the entity is always drawn
};

// The space's entities in drawing order with their bounds. The list stays valid until the next
// call or the next change of the drawing.
std::shared_ptr<const std::vector<Space_Item>> Space_Items(ZcDbDatabase* db, ZcDbObjectId spaceId);

}  // namespace platform
