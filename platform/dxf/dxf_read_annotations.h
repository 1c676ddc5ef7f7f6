// HATCH, DIMENSION, IMAGE and WIPEOUT records to their classes (hatches and dimensions keep
// their DXF data to write back), and IMAGEDEF objects.
#pragma once

#include "dxf/dxf_read_context.h"

class ZcDbEntity;
class ZcDbObject;

namespace platform {

ZcDbEntity* Read_Hatch(DxfReadContext& ctx, const DxfRecord& record);
ZcDbEntity* Read_Dimension(DxfReadContext& ctx, const DxfRecord& record);
ZcDbEntity* Read_Image(DxfReadContext& ctx, const DxfRecord& record);
ZcDbObject* Read_Image_Def(DxfReadContext& ctx, const DxfRecord& record);
ZcDbObject* Read_Raster_Variables(DxfReadContext& ctx, const DxfRecord& record);
ZcDbObject* Read_Sortents(DxfReadContext& ctx, const DxfRecord& record);

}  // namespace platform
