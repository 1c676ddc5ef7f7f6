// Records of types the platform has no class for: kept raw as proxies, with their class names
// from the CLASSES section and their decoded proxy graphics.
#pragma once

#include <vector>

#include "db/dbproxy.h"
#include "dxf/dxf_read_context.h"

namespace platform {

// The entity's own groups (after the common entity data) as they are in the file.
std::vector<ZcDbRawGroup> Raw_Entity_Data(DxfReadContext& ctx, const DxfRecord& record);
// The same in one buffer (for records kept whole alongside what was read of them).
ZcDbPackedRawGroups Packed_Entity_Data(DxfReadContext& ctx, const DxfRecord& record);

ZcDbProxyEntity* Read_Proxy_Entity(DxfReadContext& ctx, const DxfRecord& record);
ZcDbProxyObject* Read_Proxy_Object(DxfReadContext& ctx, const DxfRecord& record);
// Appends a following record (a VERTEX or SEQEND of a raw POLYLINE) to the raw data, its 0
// group included; its handle is left out (the writer gives it a new one).
void Append_Raw_Record(DxfReadContext& ctx, ZcDbProxyEntity* proxy, const DxfRecord& record);

}  // namespace platform
