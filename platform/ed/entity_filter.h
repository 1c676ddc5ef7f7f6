// Selection filters: does an entity pass a filter list of DXF groups?
#pragma once

#include <string>

#include "db/dbid.h"
#include "rx/zcadstrc.h"

namespace platform {

// The filter groups the host compares (see zcedSSGet). A null filter passes everything.
// Groups this platform does not compare match nothing.
bool Entity_Passes_Filter(ZcDbObjectId entityId, const resbuf* filter);

// The entity's DXF type name ("LINE", "LWPOLYLINE", "INSERT"...).
std::wstring Entity_Type_Name(ZcDbObjectId entityId);

}  // namespace platform
