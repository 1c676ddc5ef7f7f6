// The registry of the emulated machine: a store of keys and values that the
// machine loads from <root>/registry.txt. Programs only read it (RegOpenKeyExW
// refuses write access); tests and the host set values through platform::Registry.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "win/win_types.h"

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000u)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001u)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002u)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003u)

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

// Access rights.
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_EXECUTE KEY_READ
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F
typedef DWORD REGSAM;
typedef LONG LSTATUS;

// Windows semantics: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND for a missing key or
// value, ERROR_MORE_DATA when the buffer is too small (the size needed is given
// back), ERROR_NO_MORE_ITEMS past the last entry, ERROR_ACCESS_DENIED for write
// access, ERROR_INVALID_HANDLE for a key that is not open. Data sizes are in bytes
// (a string's size counts its terminator; a character is a wchar_t); name lengths
// in characters. Sub-keys enumerate in alphabetical order, values in the order
// they were set.
LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData);
LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                      LPWSTR lpClass, LPDWORD lpcchClass, FILETIME* lpftLastWriteTime);
LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegCloseKey(HKEY hKey);

inline LSTATUS RegOpenKeyEx(HKEY k, LPCWSTR s, DWORD o, REGSAM a, PHKEY r) { return RegOpenKeyExW(k, s, o, a, r); }
inline LSTATUS RegQueryValueEx(HKEY k, LPCWSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD c) {
    return RegQueryValueExW(k, n, r, t, d, c);
}
inline LSTATUS RegEnumKeyEx(HKEY k, DWORD i, LPWSTR n, LPDWORD c, LPDWORD r, LPWSTR cl, LPDWORD cc, FILETIME* t) {
    return RegEnumKeyExW(k, i, n, c, r, cl, cc, t);
}
inline LSTATUS RegEnumValue(HKEY k, DWORD i, LPWSTR n, LPDWORD c, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD cb) {
    return RegEnumValueW(k, i, n, c, r, t, d, cb);
}

namespace platform {

struct RegistryValue {
    DWORD type = REG_SZ;  // REG_SZ, REG_EXPAND_SZ or REG_DWORD
    std::wstring text;    // REG_SZ, REG_EXPAND_SZ (stored unexpanded)
    DWORD number = 0;     // REG_DWORD
};

// The store. Key paths begin with their hive ("HKCU\\Software\\...",
// "HKEY_CURRENT_USER\\Software\\...", HKLM, HKCR, HKU); names compare without
// regard to case; the empty value name is the key's default value.
// File format, UTF-8, one entry a line ('#' comments and blank lines ignored):
//   HKCU\path\to\key|ValueName|REG_SZ|text      (REG_EXPAND_SZ likewise)
//   HKCU\path\to\key|ValueName|REG_DWORD|42     (decimal or 0x hex)
//   HKCU\path\to\key                            (a key without values)
// Every change is written back to the file at once.
class Registry {
public:
    static Registry& instance();

    // Reads the store from a file (an empty store when there is none) and keeps
    // writing there. Called by the machine when it starts.
    void load(const std::filesystem::path& file);
    std::filesystem::path file();

    // False (nothing changed) for a path without a known hive, a key or value name
    // holding '|' or a line break, or a text holding a line break.
    bool set_value(std::wstring_view key, std::wstring_view name, std::wstring_view text, DWORD type = REG_SZ);
    bool set_dword(std::wstring_view key, std::wstring_view name, DWORD number);
    bool create_key(std::wstring_view key);
    bool remove_value(std::wstring_view key, std::wstring_view name);
    // Removes the key with its sub-keys and values.
    bool remove_key(std::wstring_view key);

    bool key_exists(std::wstring_view key);
    std::optional<RegistryValue> value(std::wstring_view key, std::wstring_view name);
    // Names of the direct sub-keys, in alphabetical order.
    std::vector<std::wstring> subkey_names(std::wstring_view key);
    // The key's values in the order they were set.
    std::vector<std::pair<std::wstring, RegistryValue>> values(std::wstring_view key);

    // "HKCU\\A\\B" for a key path; empty when the hive is unknown.
    static std::wstring Normal_Key_Path(std::wstring_view key);

private:
    struct Key {
        std::wstring path;  // as first spelled
        bool explicit_key = false;
        std::vector<std::pair<std::wstring, RegistryValue>> values;
    };
    Registry() = default;
    bool store(std::wstring_view key, std::wstring_view name, const RegistryValue& value);
    bool exists(const std::wstring& folded_path) const;  // caller holds mutex_
    void save() const;                                  // caller holds mutex_

    mutable std::mutex mutex_;
    std::filesystem::path file_;
    std::map<std::wstring, Key> keys_;  // folded path -> key; sorted as Windows lists sub-keys
};

}  // namespace platform
