// LEADER, MLINE, XLINE, RAY and 3DFACE records, and polyface meshes (a POLYLINE with flag 64
// and its VERTEX records), to their classes.
#pragma once

#include "dxf/dxf_read_context.h"

class ZcDbEntity;

namespace platform {

ZcDbEntity* Read_Leader(DxfReadContext& ctx, const DxfRecord& record);
ZcDbEntity* Read_Mline(DxfReadContext& ctx, const DxfRecord& record);
ZcDbEntity* Read_Xline(DxfReadContext& ctx, const DxfRecord& record);  // XLINE and RAY
ZcDbEntity* Read_Face(DxfReadContext& ctx, const DxfRecord& record);
ZcDbEntity* Read_Polyface_Mesh(DxfReadContext& ctx, const DxfRecord& record);
// A VERTEX record of the complex entity being read: true when it was a polyface mesh's (a
// vertex or a face) and has been added to it.
bool Read_Polyface_Vertex(ZcDbEntity* complex, const DxfRecord& record);

}  // namespace platform
