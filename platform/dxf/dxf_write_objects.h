// OBJECTS: the named-object dictionary and everything reachable from it or from an extension
// dictionary, written in that order (the named-object dictionary first).
#pragma once

#include <vector>

#include "dxf/dxf_write_context.h"

namespace platform {

// `owners`: objects whose extension dictionaries are written too (tables, records, entities).
void Write_Objects(DxfWriteContext& ctx, const std::vector<ZcDbObjectId>& owners);

}  // namespace platform
