// A uniform grid over the extents of the entities of each layout block, so that window,
// crossing, fence and pick selections test only the entities near their geometry. The
// grid of a block is built on its first query and kept in step with the database through
// a database reactor: appended, changed and erased entities are re-filed at the next
// query; a change that can move entities it does not see (a block definition, a text
// style) makes the database's grids be built again.
#pragma once

#include <cstddef>
#include <vector>

#include "db/dbid.h"
#include "ed/entity_hit.h"

namespace platform {

// Entities of the block whose extents box meets the rectangle (or that have no extents),
// in the block's order, erased ones left out. With the index off: every entity.
std::vector<ZcDbObjectId> Entities_Near_Rect(ZcDbObjectId blockId, const Rect2d& rect);
// The same along the open polyline through the points (x, y pairs).
std::vector<ZcDbObjectId> Entities_Near_Fence(ZcDbObjectId blockId, const std::vector<double>& xy);

// Every entity of the block that is not erased, in the block's order.
std::vector<ZcDbObjectId> Block_Entity_Ids(ZcDbObjectId blockId);

// The index is on by default; off, the queries give every entity of the block (for
// timing the difference).
void Set_Spatial_Index_Enabled(bool enabled);
// Drops every grid (tests).
void Reset_Spatial_Index();
// Grids built since the last reset (tests: a query that needs no rebuild builds none).
size_t Spatial_Index_Builds();

}  // namespace platform
