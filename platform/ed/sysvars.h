// System variables and the host's environment settings.
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "rx/zcadstrc.h"

// RTNORM with the value (an RTSTR result owns its rstring: free it with delete[] or
// zcutRelRb on a heap resbuf); RTERROR for an unknown name.
int zcedGetVar(const wchar_t* sym, resbuf* result);
// RTNORM when set; RTERROR for an unknown or read-only name, a value of the wrong type or
// out of range. Fires sysVarWillChange and sysVarChanged (with the outcome).
int zcedSetVar(const wchar_t* sym, const resbuf* val);

// Environment settings: RTNORM with the value copied (cut to size); RTERROR when the
// setting does not exist.
int zcedGetEnv(const wchar_t* sym, wchar_t* var, size_t nBufLen);
int zcedSetEnv(const wchar_t* sym, const wchar_t* val);

namespace platform {

// Sets a variable's value by the host (read-only ones too), without notifications.
// RTERROR for an unknown name or a value of the wrong type.
int Set_Var_By_Host(const wchar_t* sym, const resbuf* val);
// Every system variable name, upper case.
std::wstring Sysvar_Names();

// The environment store (names compare without regard to case).
class Environment {
public:
    static Environment& instance();
    bool get(const std::wstring& name, std::wstring& value) const;
    void set(const std::wstring& name, const std::wstring& value);
    // All settings by upper-case name (for persisting them).
    const std::map<std::wstring, std::pair<std::wstring, std::wstring>>& all() const {
        return mValues;
    }
    // Back to the host's defaults.
    void reset();

private:
    Environment();
    // upper-case name -> (name as set, value)
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> mValues;
};

}  // namespace platform
