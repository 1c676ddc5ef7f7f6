// The value type a DXF group code carries.
#pragma once

namespace platform {

enum class DxfValueKind { String, Double, Int16, Int32, Int64, Bool, Binary, Handle };

DxfValueKind Dxf_Value_Kind(int code);

// Highest group code a DXF file may use.
constexpr int kDxfMaxGroupCode = 1071;
// Highest number read as a group code: codes above kDxfMaxGroupCode up to it are unknown groups
// (skipped), larger numbers are no group code at all.
constexpr int kDxfMaxFiledGroupCode = 32767;
constexpr int kDxfCommentCode = 999;

}  // namespace platform
