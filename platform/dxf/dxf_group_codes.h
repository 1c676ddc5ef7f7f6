// The value type a DXF group code carries.
#pragma once

namespace platform {

enum class DxfValueKind { String, Double, Int16, Int32, Int64, Bool, Binary, Handle };

DxfValueKind Dxf_Value_Kind(int code);

// Highest group code a DXF file may use.
constexpr int kDxfMaxGroupCode = 1071;
constexpr int kDxfCommentCode = 999;

}  // namespace platform
