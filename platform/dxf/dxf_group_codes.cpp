#include "dxf/dxf_group_codes.h"

namespace platform {

namespace {
bool In(int code, int lo, int hi) { return code >= lo && code <= hi; }
}  // namespace

DxfValueKind Dxf_Value_Kind(int code) {
  if (code == 5 || code == 105 || In(code, 320, 369) || In(code, 390, 399) || code == 480 ||
      code == 481 || code == 1005)
    return DxfValueKind::Handle;
  if (In(code, 310, 319) || code == 1004) return DxfValueKind::Binary;
  if (In(code, 10, 59) || In(code, 110, 149) || In(code, 210, 239) || In(code, 460, 469) ||
      In(code, 1010, 1059))
    return DxfValueKind::Double;
  if (In(code, 60, 79) || In(code, 170, 179) || In(code, 270, 289) || In(code, 370, 389) ||
      In(code, 400, 409) || In(code, 1060, 1070))
    return DxfValueKind::Int16;
  if (In(code, 90, 99) || In(code, 420, 429) || In(code, 440, 459) || code == 1071)
    return DxfValueKind::Int32;
  if (In(code, 160, 169)) return DxfValueKind::Int64;
  if (In(code, 290, 299)) return DxfValueKind::Bool;
  return DxfValueKind::String;
}

}  // namespace platform
