#include "core/host_profile.h"

#include "core/sysvar_helpers.h"
#include "win/win_registry.h"

namespace {

// The first sub-key of a key of HKEY_CURRENT_USER; empty when it has none.
CString First_Sub_Key(const CString& key_path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path.GetString(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return CString();
    wchar_t name[256] = {0};
    DWORD length = 256;
    CString result;
    if (RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        result = name;
    RegCloseKey(key);
    return result;
}

}  // namespace

CString Host_Var_Text(const wchar_t* name)
{
    wchar_t text[2600] = {0};
    Get_Var_String(name, text);
    return text;
}

// The host services give no product root key here, so it is found where the host
// keeps it: under the maker's key, by the host's release year (from "VERNUM",
// "25.00 (2025)"), in the one language sub-key installed.
CString Host_Registry_Root_Key()
{
    const CString version = Host_Var_Text(L"VERNUM");
    const int open = version.Find(L'(');
    const int close = version.Find(L')', open + 1);
    if (open < 0 || close <= open + 1)
        return CString();
    const CString release = L"Software\\ZWSOFT\\ZWCAD\\" + version.Mid(open + 1, close - open - 1);
    const CString language = First_Sub_Key(release);
    return language.IsEmpty() ? CString() : release + L"\\" + language;
}

CString Host_Profile_Name()
{
    const CString name = Host_Var_Text(L"CPROFILE");
    return name.IsEmpty() ? CString(L"Default") : name;
}
