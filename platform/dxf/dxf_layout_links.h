// Layouts and their block records, once every object of the file is read: each LAYOUT and the
// block record it draws on must name each other, one layout per block record, as other
// readers require. Broken links are mended (or the layout dropped) with a warning each.
#pragma once

#include <vector>

#include "dxf/dxf_read_context.h"

namespace platform {

void Link_Layouts(DxfReadContext& ctx, const std::vector<ZcDbObjectId>& layouts);

}  // namespace platform
