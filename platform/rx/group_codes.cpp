// What a resbuf of each DXF group code or RT* type code holds.
#include "rx/zcadstrc.h"

namespace {
struct CodeRange {
    int first;
    int last;
    ZcRbValueKind kind;
};

// DXF group codes, in ascending order; codes outside every range are unknown.
const CodeRange kGroupCodes[] = {
    {-5, -5, kRbNone},       // persistent reactor chain marker
    {-4, -4, kRbString},     // conditional operator
    {-3, -3, kRbNone},       // extended data sentinel
    {-2, -1, kRbObjectId},   // entity name
    {0, 4, kRbString},
    {5, 5, kRbHandle},
    {6, 9, kRbString},
    {10, 18, kRbPoint},
    {20, 59, kRbReal},
    {60, 79, kRbShort},
    {90, 99, kRbLong},
    {100, 102, kRbString},
    {105, 105, kRbHandle},
    {110, 112, kRbPoint},
    {120, 149, kRbReal},
    {160, 169, kRbInt64},
    {170, 179, kRbShort},
    {210, 210, kRbPoint},
    {220, 239, kRbReal},
    {270, 289, kRbShort},
    {290, 299, kRbBool},
    {300, 309, kRbString},
    {310, 319, kRbBinary},
    {320, 329, kRbHandle},
    {330, 369, kRbObjectId},
    {370, 389, kRbShort},
    {390, 399, kRbObjectId},
    {400, 409, kRbShort},
    {410, 419, kRbString},
    {420, 429, kRbLong},
    {430, 439, kRbString},
    {440, 459, kRbLong},
    {460, 469, kRbReal},
    {470, 479, kRbString},
    {480, 481, kRbObjectId},
    {999, 999, kRbString},
    {1000, 1003, kRbString},
    {1004, 1004, kRbBinary},
    {1005, 1005, kRbHandle},
    {1006, 1009, kRbString},
    {1010, 1013, kRbPoint},
    {1020, 1059, kRbReal},
    {1060, 1070, kRbShort},
    {1071, 1071, kRbLong},
};

bool findKind(int code, ZcRbValueKind& kind)
{
    switch (code) {
    case RTNONE: case RTVOID: case RTLB: case RTLE: case RTDOTE: case RTNIL: case RTT:
        kind = kRbNone; return true;
    case RTREAL: case RTANG: case RTORINT: kind = kRbReal; return true;
    case RTPOINT: case RT3DPOINT: kind = kRbPoint; return true;
    case RTSHORT: kind = kRbShort; return true;
    case RTSTR: case RTDXF0: kind = kRbString; return true;
    case RTENAME: case RTPICKS: kind = kRbObjectId; return true;
    case RTLONG: kind = kRbLong; return true;
    case RTLONG_PTR: case RTINT64: kind = kRbInt64; return true;
    default: break;
    }
    for (const CodeRange& range : kGroupCodes) {
        if (code < range.first)
            return false;
        if (code <= range.last) {
            kind = range.kind;
            return true;
        }
    }
    return false;
}
} // namespace

ZcRbValueKind zcutGroupCodeType(int code)
{
    ZcRbValueKind kind = kRbNone;
    findKind(code, kind);
    return kind;
}

bool zcutIsKnownCode(int code)
{
    ZcRbValueKind kind = kRbNone;
    return findKind(code, kind);
}
