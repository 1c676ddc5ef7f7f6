// The registry store and the read-only registry functions.
#include <cstring>
#include <fstream>
#include <set>

#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_registry.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

struct Hive {
    const wchar_t* short_name;
    const wchar_t* long_name;
    HKEY handle;
};

const Hive kHives[] = {
    {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {L"HKU", L"HKEY_USERS", HKEY_USERS},
};

const struct {
    DWORD type;
    const wchar_t* name;
} kTypeNames[] = {{REG_SZ, L"REG_SZ"}, {REG_EXPAND_SZ, L"REG_EXPAND_SZ"}, {REG_DWORD, L"REG_DWORD"}};

bool Is_Separator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "a\\\\b\\" -> "a\\b": separators collapsed, none at the ends.
std::wstring Clean_Sub_Path(std::wstring_view path) {
    std::wstring out;
    for (wchar_t c : path) {
        if (Is_Separator(c)) {
            if (!out.empty() && out.back() != L'\\') out += L'\\';
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == L'\\') out.pop_back();
    return out;
}

std::wstring Join(const std::wstring& key, std::wstring_view sub) {
    const std::wstring clean = Clean_Sub_Path(sub);
    return clean.empty() ? key : key + L"\\" + clean;
}

bool Has_Bad_Character(std::wstring_view text, bool bar_too) {
    for (wchar_t c : text)
        if (c == L'\n' || c == L'\r' || (bar_too && c == L'|')) return true;
    return false;
}

std::wstring Type_Name(DWORD type) {
    for (const auto& t : kTypeNames)
        if (t.type == type) return t.name;
    return {};
}

std::optional<DWORD> Type_Of_Name(std::wstring_view name) {
    for (const auto& t : kTypeNames)
        if (Equal_No_Case(name, t.name)) return t.type;
    return std::nullopt;
}

std::optional<DWORD> Parse_Number(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    try {
        size_t used = 0;
        const unsigned long long value = std::stoull(text, &used, 0);
        if (used != text.size() || value > 0xFFFFFFFFull) return std::nullopt;
        return static_cast<DWORD>(value);
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace

Registry& Registry::instance() {
    static Registry registry;
    // The machine loads the store when it starts.
    Machine::instance().root();
    return registry;
}

std::wstring Registry::Normal_Key_Path(std::wstring_view key) {
    const std::wstring clean = Clean_Sub_Path(key);
    const size_t cut = clean.find(L'\\');
    const std::wstring_view hive = std::wstring_view(clean).substr(0, cut);
    for (const auto& h : kHives) {
        if (Equal_No_Case(hive, h.short_name) || Equal_No_Case(hive, h.long_name))
            return cut == std::wstring::npos ? std::wstring(h.short_name) : h.short_name + clean.substr(cut);
    }
    return {};
}

void Registry::load(const fs::path& file) {
    std::lock_guard lock(mutex_);
    file_ = file;
    keys_.clear();
    std::ifstream in(file, std::ios::binary);
    std::string raw;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::wstring line = From_Utf8(raw);
        const size_t start = line.find_first_not_of(L" \t");
        if (start == std::wstring::npos || line[start] == L'#') continue;
        const size_t bar1 = line.find(L'|');
        const std::wstring key = Normal_Key_Path(line.substr(0, bar1));
        if (key.empty()) continue;
        Key& entry = keys_[Fold_Case(key)];
        if (entry.path.empty()) entry.path = key;
        if (bar1 == std::wstring::npos) {
            entry.explicit_key = true;
            continue;
        }
        const size_t bar2 = line.find(L'|', bar1 + 1);
        const size_t bar3 = bar2 == std::wstring::npos ? bar2 : line.find(L'|', bar2 + 1);
        if (bar3 == std::wstring::npos) continue;
        const std::wstring name = line.substr(bar1 + 1, bar2 - bar1 - 1);
        const auto type = Type_Of_Name(line.substr(bar2 + 1, bar3 - bar2 - 1));
        if (!type) continue;
        RegistryValue value;
        value.type = *type;
        if (*type == REG_DWORD) {
            const auto number = Parse_Number(line.substr(bar3 + 1));
            if (!number) continue;
            value.number = *number;
        } else {
            value.text = line.substr(bar3 + 1);
        }
        bool replaced = false;
        for (auto& [n, v] : entry.values)
            if (Equal_No_Case(n, name)) v = value, replaced = true;
        if (!replaced) entry.values.emplace_back(name, value);
    }
}

fs::path Registry::file() {
    std::lock_guard lock(mutex_);
    return file_;
}

void Registry::save() const {
    if (file_.empty()) return;
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    for (const auto& [folded, key] : keys_) {
        if (key.explicit_key && key.values.empty()) out << To_Utf8(key.path) << '\n';
        for (const auto& [name, value] : key.values) {
            const std::wstring data = value.type == REG_DWORD ? std::to_wstring(value.number) : value.text;
            out << To_Utf8(key.path + L"|" + name + L"|" + Type_Name(value.type) + L"|" + data) << '\n';
        }
    }
}

bool Registry::store(std::wstring_view key, std::wstring_view name, const RegistryValue& value) {
    const std::wstring path = Normal_Key_Path(key);
    if (path.empty() || Has_Bad_Character(path, true) || Has_Bad_Character(name, true) ||
        Has_Bad_Character(value.text, false) || Type_Name(value.type).empty())
        return false;
    std::lock_guard lock(mutex_);
    Key& entry = keys_[Fold_Case(path)];
    if (entry.path.empty()) entry.path = path;
    for (auto& [n, v] : entry.values) {
        if (Equal_No_Case(n, name)) {
            v = value;
            save();
            return true;
        }
    }
    entry.values.emplace_back(std::wstring(name), value);
    save();
    return true;
}

bool Registry::set_value(std::wstring_view key, std::wstring_view name, std::wstring_view text, DWORD type) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    RegistryValue value;
    value.type = type;
    value.text = text;
    return store(key, name, value);
}

bool Registry::set_dword(std::wstring_view key, std::wstring_view name, DWORD number) {
    RegistryValue value;
    value.type = REG_DWORD;
    value.number = number;
    return store(key, name, value);
}

bool Registry::create_key(std::wstring_view key) {
    const std::wstring path = Normal_Key_Path(key);
    if (path.empty() || Has_Bad_Character(path, true)) return false;
    std::lock_guard lock(mutex_);
    Key& entry = keys_[Fold_Case(path)];
    if (entry.path.empty()) entry.path = path;
    entry.explicit_key = true;
    save();
    return true;
}

bool Registry::remove_value(std::wstring_view key, std::wstring_view name) {
    const std::wstring folded = Fold_Case(Normal_Key_Path(key));
    std::lock_guard lock(mutex_);
    auto it = keys_.find(folded);
    if (it == keys_.end()) return false;
    auto& values = it->second.values;
    for (auto v = values.begin(); v != values.end(); ++v) {
        if (Equal_No_Case(v->first, name)) {
            values.erase(v);
            // The key stays, even when its last value goes.
            it->second.explicit_key = true;
            save();
            return true;
        }
    }
    return false;
}

bool Registry::remove_key(std::wstring_view key) {
    const std::wstring folded = Fold_Case(Normal_Key_Path(key));
    if (folded.empty()) return false;
    std::lock_guard lock(mutex_);
    bool removed = false;
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == folded || it->first.starts_with(folded + L"\\")) {
            it = keys_.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    if (removed) save();
    return removed;
}

bool Registry::exists(const std::wstring& folded) const {
    if (folded.empty()) return false;
    // A hive always exists; so does every key on the way to a stored one.
    if (folded.find(L'\\') == std::wstring::npos) return true;
    auto it = keys_.lower_bound(folded);
    return it != keys_.end() && (it->first == folded || it->first.starts_with(folded + L"\\"));
}

bool Registry::key_exists(std::wstring_view key) {
    const std::wstring folded = Fold_Case(Normal_Key_Path(key));
    std::lock_guard lock(mutex_);
    return exists(folded);
}

std::optional<RegistryValue> Registry::value(std::wstring_view key, std::wstring_view name) {
    const std::wstring folded = Fold_Case(Normal_Key_Path(key));
    std::lock_guard lock(mutex_);
    auto it = keys_.find(folded);
    if (it == keys_.end()) return std::nullopt;
    for (const auto& [n, v] : it->second.values)
        if (Equal_No_Case(n, name)) return v;
    return std::nullopt;
}

std::vector<std::wstring> Registry::subkey_names(std::wstring_view key) {
    const std::wstring folded = Fold_Case(Normal_Key_Path(key));
    std::vector<std::wstring> names;
    if (folded.empty()) return names;
    const std::wstring prefix = folded + L"\\";
    std::lock_guard lock(mutex_);
    std::wstring last_folded;
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix); ++it) {
        const size_t end = it->first.find(L'\\', prefix.size());
        const std::wstring child_folded = it->first.substr(prefix.size(), end - prefix.size());
        if (child_folded == last_folded) continue;
        last_folded = child_folded;
        names.push_back(it->second.path.substr(prefix.size(), child_folded.size()));
    }
    return names;
}

std::vector<std::pair<std::wstring, RegistryValue>> Registry::values(std::wstring_view key) {
    const std::wstring folded = Fold_Case(Normal_Key_Path(key));
    std::lock_guard lock(mutex_);
    auto it = keys_.find(folded);
    if (it == keys_.end()) return {};
    return it->second.values;
}

}  // namespace platform

using platform::Registry;

namespace {

// An open key is a heap object holding its path; the hives are fixed handles.
struct Open_Key {
    std::wstring path;
};

std::mutex g_open_keys_mutex;
std::set<HKEY> g_open_keys;

std::optional<std::wstring> Key_Path(HKEY key) {
    for (const auto& hive : platform::kHives)
        if (hive.handle == key) return std::wstring(hive.short_name);
    std::lock_guard lock(g_open_keys_mutex);
    if (!g_open_keys.count(key)) return std::nullopt;
    return reinterpret_cast<Open_Key*>(key)->path;
}

// Bytes of a value as Windows stores them: a string with its terminator, a DWORD.
std::vector<BYTE> Value_Bytes(const platform::RegistryValue& value) {
    if (value.type == REG_DWORD) {
        std::vector<BYTE> bytes(sizeof(DWORD));
        std::memcpy(bytes.data(), &value.number, sizeof(DWORD));
        return bytes;
    }
    std::vector<BYTE> bytes((value.text.size() + 1) * sizeof(wchar_t));
    std::memcpy(bytes.data(), value.text.c_str(), bytes.size());
    return bytes;
}

LSTATUS Deliver_Data(const platform::RegistryValue& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    if (lpType) *lpType = value.type;
    const std::vector<BYTE> bytes = Value_Bytes(value);
    const DWORD size = static_cast<DWORD>(bytes.size());
    if (!lpcbData) return ERROR_SUCCESS;
    if (lpData && *lpcbData < size) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpData) std::memcpy(lpData, bytes.data(), size);
    *lpcbData = size;
    return ERROR_SUCCESS;
}

// Copies a name into a buffer of *lpcch characters; *lpcch becomes its length.
LSTATUS Deliver_Name(const std::wstring& name, LPWSTR buffer, LPDWORD lpcch) {
    if (!buffer || !lpcch) return ERROR_INVALID_PARAMETER;
    if (*lpcch < name.size() + 1) return ERROR_MORE_DATA;
    std::wmemcpy(buffer, name.c_str(), name.size() + 1);
    *lpcch = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    const auto base = Key_Path(hKey);
    if (!base) return ERROR_INVALID_HANDLE;
    if (samDesired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK)) return ERROR_ACCESS_DENIED;
    const std::wstring path = platform::Join(*base, lpSubKey ? lpSubKey : L"");
    if (!Registry::instance().key_exists(path)) return ERROR_FILE_NOT_FOUND;
    HKEY handle = reinterpret_cast<HKEY>(new Open_Key{path});
    std::lock_guard lock(g_open_keys_mutex);
    g_open_keys.insert(handle);
    *phkResult = handle;
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    const auto path = Key_Path(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    const auto value = Registry::instance().value(*path, lpValueName ? lpValueName : L"");
    if (!value) return ERROR_FILE_NOT_FOUND;
    return Deliver_Data(*value, lpType, lpData, lpcbData);
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR lpClass,
                      LPDWORD lpcchClass, FILETIME* lpftLastWriteTime) {
    const auto path = Key_Path(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    const auto names = Registry::instance().subkey_names(*path);
    if (dwIndex >= names.size()) return ERROR_NO_MORE_ITEMS;
    const LSTATUS status = Deliver_Name(names[dwIndex], lpName, lpcchName);
    if (status != ERROR_SUCCESS) return status;
    if (lpClass && lpcchClass && *lpcchClass > 0) *lpClass = 0;
    if (lpcchClass) *lpcchClass = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    const auto path = Key_Path(hKey);
    if (!path) return ERROR_INVALID_HANDLE;
    const auto values = Registry::instance().values(*path);
    if (dwIndex >= values.size()) return ERROR_NO_MORE_ITEMS;
    const LSTATUS status = Deliver_Name(values[dwIndex].first, lpValueName, lpcchValueName);
    if (status != ERROR_SUCCESS) return status;
    return Deliver_Data(values[dwIndex].second, lpType, lpData, lpcbData);
}

LSTATUS RegCloseKey(HKEY hKey) {
    for (const auto& hive : platform::kHives)
        if (hive.handle == hKey) return ERROR_SUCCESS;
    std::lock_guard lock(g_open_keys_mutex);
    if (!g_open_keys.erase(hKey)) return ERROR_INVALID_HANDLE;
    delete reinterpret_cast<Open_Key*>(hKey);
    return ERROR_SUCCESS;
}
