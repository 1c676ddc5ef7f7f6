// Enumerations read from group values: a value the enumeration does not hold is reported as a
// warning of the read and the fallback stands (never cast into the enumeration).
#pragma once

#include "db/zcdb.h"
#include "dxf/dxf_tokenizer.h"

namespace platform {

// An integer in [lowest, highest].
int Dxf_Enum_Value(const DxfGroup& group, int lowest, int highest, int fallback);
ZcDb::UnitsValue Dxf_Units(const DxfGroup& group, ZcDb::UnitsValue fallback);
ZcDb::LineWeight Dxf_Line_Weight(const DxfGroup& group, ZcDb::LineWeight fallback);

}  // namespace platform
