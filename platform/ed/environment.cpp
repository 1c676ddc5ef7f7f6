#include <cwchar>

#include "ed/names.h"
#include "ed/sysvars.h"

namespace platform {

Environment& Environment::instance()
{
    static Environment environment;
    return environment;
}

Environment::Environment() { reset(); }

bool Environment::get(const std::wstring& name, std::wstring& value) const
{
    auto it = mValues.find(Upper(name));
    if (it == mValues.end())
        return false;
    value = it->second.second;
    return true;
}

void Environment::set(const std::wstring& name, const std::wstring& value)
{
    mValues[Upper(name)] = {name, value};
}

void Environment::reset()
{
    mValues.clear();
    for (const wchar_t* name :
         {L"AutomaticPlotLog", L"PrinterConfigDir", L"PrinterDescDir", L"PrinterStyleSheetDir"})
        set(name, L"");
}

}  // namespace platform

int zcedGetEnv(const wchar_t* sym, wchar_t* var, size_t nBufLen)
{
    std::wstring value;
    if (sym == nullptr || var == nullptr || nBufLen == 0 ||
        !platform::Environment::instance().get(sym, value))
        return RTERROR;
    size_t n = value.size() < nBufLen ? value.size() : nBufLen - 1;
    std::wmemcpy(var, value.c_str(), n);
    var[n] = 0;
    return RTNORM;
}

int zcedSetEnv(const wchar_t* sym, const wchar_t* val)
{
    if (sym == nullptr || *sym == 0 || val == nullptr)
        return RTERROR;
    platform::Environment::instance().set(sym, val);
    return RTNORM;
}
