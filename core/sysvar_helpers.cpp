#include "core/sysvar_helpers.h"

#include "ed/editor.h"

bool Set_Var_Int(const wchar_t* name, int value)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return zcedSetVar(name, &rb) == RTNORM;
}
