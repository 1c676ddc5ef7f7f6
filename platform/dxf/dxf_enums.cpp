#include "dxf/dxf_enums.h"

#include <algorithm>
#include <string>

#include "dxf/dxf_warnings.h"

namespace platform {

namespace {

int Reported(const DxfGroup& group, int value, int fallback) {
  Dxf_Warn(group.line + 1, "value " + std::to_string(value) + " of group code " + std::to_string(group.code) +
                               " is out of range; " + std::to_string(fallback) + " stands");
  return fallback;
}

}  // namespace

int Dxf_Enum_Value(const DxfGroup& group, int lowest, int highest, int fallback) {
  const int value = group.to_int(fallback);
  return value >= lowest && value <= highest ? value : Reported(group, value, fallback);
}

ZcDb::UnitsValue Dxf_Units(const DxfGroup& group, ZcDb::UnitsValue fallback) {
  return static_cast<ZcDb::UnitsValue>(Dxf_Enum_Value(group, ZcDb::kUnitsUndefined, ZcDb::kUnitsKilometers, fallback));
}

ZcDb::LineWeight Dxf_Line_Weight(const DxfGroup& group, ZcDb::LineWeight fallback) {
  static constexpr int kWeights[] = {ZcDb::kLnWtByLwDefault, ZcDb::kLnWtByBlock, ZcDb::kLnWtByLayer,
                                     0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53, 60, 70, 80, 90, 100,
                                     106, 120, 140, 158, 200, 211};
  const int value = group.to_int(fallback);
  if (std::find(std::begin(kWeights), std::end(kWeights), value) != std::end(kWeights))
    return static_cast<ZcDb::LineWeight>(value);
  return static_cast<ZcDb::LineWeight>(Reported(group, value, fallback));
}

}  // namespace platform
