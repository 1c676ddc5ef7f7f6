#include "signstamp/sign_filing.h"

#include "rx/zcadstrc.h"

namespace {

// Reads the next group; pushes it back when its code is not the one asked for.
bool Next_Group(ZcDbDxfFiler* filer, int code, resbuf& rb)
{
    rb = resbuf{};
    if (filer->atEOF() || filer->readResBuf(&rb) != Zcad::eOk)
        return false;
    if (rb.restype == code)
        return true;
    if (zcutGroupCodeType(rb.restype) == kRbString)
        delete[] rb.resval.rstring;
    filer->pushBackItem();
    return false;
}

}  // namespace

bool Read_Dxf_Int(ZcDbDxfFiler* filer, int code, int32_t& value)
{
    resbuf rb;
    if (!Next_Group(filer, code, rb))
        return false;
    switch (zcutGroupCodeType(code)) {
    case kRbShort:
    case kRbBool: value = rb.resval.rint; break;
    case kRbLong: value = rb.resval.rlong; break;
    default: return false;
    }
    return true;
}

bool Read_Dxf_Point(ZcDbDxfFiler* filer, int code, ZcGePoint3d& value)
{
    resbuf rb;
    if (!Next_Group(filer, code, rb))
        return false;
    value.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    return true;
}

bool Read_Dxf_String(ZcDbDxfFiler* filer, int code, CString& value)
{
    resbuf rb;
    if (!Next_Group(filer, code, rb))
        return false;
    value = rb.resval.rstring != nullptr ? rb.resval.rstring : L"";
    delete[] rb.resval.rstring;
    return true;
}
