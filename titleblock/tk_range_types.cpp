// The stored range of each range type of a title-block definition.
#include "titleblock/tk_customization.h"

ZcDbExtents& TK_Customization::Range_Of_Type(int range_type)
{
    switch (range_type) {
    case TK_Range_A: return Range_A;
    case TK_Range_B: return Range_B;
    case TK_Range_C: return Range_C;
    case TK_Range_D: return Range_D;
    case TK_Range_E: return Range_E;
    case TK_Range_F: return Range_F;
    case TK_Range_Stamp_1: return Stamp_Range_1;
    case TK_Range_Stamp_2: return Stamp_Range_2;
    case TK_Range_Stamp_3: return Stamp_Range_3;
    case TK_Range_Stamp_4: return Stamp_Range_4;
    default: return Plot_Range;
    }
}

const ZcDbExtents& TK_Customization::Range_Of_Type(int range_type) const
{
    return const_cast<TK_Customization*>(this)->Range_Of_Type(range_type);
}
