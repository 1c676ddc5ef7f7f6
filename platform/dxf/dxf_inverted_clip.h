// Inverted clip boundaries of block references, kept the way DXF keeps them: the filter's
// polygon is a frame around the block's contents with the boundary cut out of it, and an
// "ACAD_XREC_ROUNDTRIP" record in the filter's extension dictionary holds the boundary
// itself (section "ACAD_INVERTEDCLIP_ROUNDTRIP") and that polygon (section
// "ACAD_INVERTEDCLIP_ROUNDTRIP_COMPARE").
#pragma once

#include <vector>

#include "db/dbmain.h"
#include "dxf/dxf_write_context.h"

class ZcDbSpatialFilter;

namespace platform {

inline constexpr wchar_t kClipRoundtripKey[] = L"ACAD_XREC_ROUNDTRIP";

// The polygon an inverted filter is written with (its clip space): its boundary, back to
// the first point, then the frame around the contents and the boundary.
std::vector<ZcGePoint2d> Inverted_Clip_Polygon(const ZcDbSpatialFilter* filter);
// The round-trip XRECORD of an inverted filter under the handle, owned by `owner`.
void Write_Inverted_Clip_Record(DxfWriteContext& ctx, const ZcDbSpatialFilter* filter, uint64_t handle,
                                uint64_t owner);
// The inverted filter whose extension dictionary this is and that still needs its round-trip
// record written into it (null otherwise).
ZcDbObjectId Filter_Needing_Roundtrip_Entry(const ZcDbObject* dictionary);
// Once a file is read: each filter whose round-trip record says it is inverted takes the
// boundary back and is marked inverted; the record goes, and so does an extension dictionary
// it leaves empty.
void Restore_Inverted_Clips(const std::vector<ZcDbObjectId>& filters);

}  // namespace platform
