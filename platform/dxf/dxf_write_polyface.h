// A polyface mesh as a POLYLINE record (flag 64) with a VERTEX record per vertex and per face,
// and its SEQEND.
#pragma once

#include "dxf/dxf_write_context.h"

class ZcDbPolyFaceMesh;

namespace platform {

// `paper_space`: it belongs to a layout's paper space block (its parts say so too).
void Write_Polyface_Mesh(DxfWriteContext& ctx, const ZcDbPolyFaceMesh* mesh, bool paper_space);

}  // namespace platform
