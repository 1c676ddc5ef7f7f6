// Entities as DXF records (AC1027), complex ones with their attributes or vertices.
#pragma once

#include "dxf/dxf_write_context.h"

class ZcDbEntity;

namespace platform {

// Writes the entity; `paper_space`: it belongs to a layout's paper space block.
void Write_Entity(DxfWriteContext& ctx, const ZcDbEntity* ent, bool paper_space);

}  // namespace platform
