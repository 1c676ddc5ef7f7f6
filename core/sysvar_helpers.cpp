#include "core/sysvar_helpers.h"

#include <cwchar>

#include "ed/editor.h"

bool Set_Var_Int(const wchar_t* name, int value)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return zcedSetVar(name, &rb) == RTNORM;
}

bool Get_Var_Int(const wchar_t* name, int16_t& value)
{
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM || rb.restype != RTSHORT)
        return false;
    value = rb.resval.rint;
    return true;
}

int Get_Var_Real(const wchar_t* name, double& value)
{
    resbuf rb{};
    int status = zcedGetVar(name, &rb);
    if (status == RTNORM && rb.restype != RTREAL && rb.restype != RTANG)
        return RTERROR;
    if (status == RTNORM)
        value = rb.resval.rreal;
    return status;
}

bool Get_Var_String(const wchar_t* name, wchar_t* buffer, size_t size)
{
    if (buffer == nullptr || size == 0)
        return false;
    buffer[0] = 0;
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM)
        return false;
    if (rb.restype != RTSTR)
        return false;
    if (rb.resval.rstring != nullptr) {
        std::wcsncpy(buffer, rb.resval.rstring, size - 1);
        buffer[size - 1] = 0;
    }
    delete[] rb.resval.rstring;
    return true;
}
