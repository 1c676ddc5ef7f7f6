// Environment variables, shell folders and the current directory of the machine.
#include <cstring>

#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_error.h"
#include "win/win_files.h"

namespace fs = std::filesystem;
using platform::Machine;

namespace {

// Windows rule for functions that fill a buffer: the length without the terminator
// when it fits, else the size needed with the terminator (buffer untouched).
DWORD Deliver(const std::wstring& text, LPWSTR buffer, DWORD size) {
    if (!buffer || size < text.size() + 1) return static_cast<DWORD>(text.size() + 1);
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

}  // namespace

DWORD GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize) {
    if (!lpName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    auto value = Machine::instance().environment(lpName);
    if (!value) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    return Deliver(*value, lpBuffer, nSize);
}

BOOL SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue) {
    if (!lpName || !*lpName || std::wcschr(lpName, L'=')) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (lpValue) Machine::instance().set_environment(lpName, std::wstring_view(lpValue));
    else Machine::instance().set_environment(lpName, std::nullopt);
    return TRUE;
}

DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize) {
    if (!lpSrc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::wstring_view source(lpSrc);
    std::wstring out;
    size_t i = 0;
    while (i < source.size()) {
        const size_t open = source.find(L'%', i);
        if (open == std::wstring_view::npos) {
            out.append(source.substr(i));
            break;
        }
        out.append(source.substr(i, open - i));
        const size_t close = source.find(L'%', open + 1);
        if (close == std::wstring_view::npos) {
            out.append(source.substr(open));
            break;
        }
        const std::wstring_view name = source.substr(open + 1, close - open - 1);
        auto value = name.empty() ? std::nullopt : Machine::instance().environment(name);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            // An unknown name stays as written; its closing '%' may open the next name.
            out.append(source.substr(open, close - open));
            i = close;
        }
    }
    const DWORD needed = static_cast<DWORD>(out.size() + 1);
    if (lpDst && nSize >= needed) std::wmemcpy(lpDst, out.c_str(), needed);
    return needed;
}

HRESULT SHGetFolderPathW(HWND, int csidl, HANDLE, DWORD, LPWSTR pszPath) {
    Machine& machine = Machine::instance();
    std::wstring folder;
    switch (csidl & ~CSIDL_FLAG_MASK) {
        case CSIDL_APPDATA: folder = machine.roaming_app_data_folder(); break;
        case CSIDL_LOCAL_APPDATA: folder = machine.local_app_data_folder(); break;
        case CSIDL_PERSONAL: folder = machine.documents_folder(); break;
        case CSIDL_PROFILE: folder = machine.profile_folder(); break;
        case CSIDL_DESKTOP:
        case CSIDL_DESKTOPDIRECTORY: folder = machine.desktop_folder(); break;
        case CSIDL_PROGRAM_FILES: folder = L"C:\\Program Files"; break;
        case CSIDL_WINDOWS: folder = L"C:\\Windows"; break;
        case CSIDL_FONTS: folder = L"C:\\Windows\\Fonts"; break;
        case CSIDL_SYSTEM: folder = L"C:\\Windows\\System32"; break;
        default: return E_INVALIDARG;
    }
    if (!pszPath) return E_INVALIDARG;
    const fs::path host = platform::To_Host_Path(folder);
    std::error_code ec;
    if (!fs::is_directory(host, ec)) {
        if (!(csidl & CSIDL_FLAG_CREATE)) return static_cast<HRESULT>(0x80070002);  // file not found
        fs::create_directories(host, ec);
        if (ec) return E_FAIL;
    }
    if (folder.size() >= MAX_PATH) return E_FAIL;
    std::wmemcpy(pszPath, folder.c_str(), folder.size() + 1);
    return S_OK;
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
    Machine& machine = Machine::instance();
    std::wstring folder;
    for (const wchar_t* name : {L"TMP", L"TEMP", L"USERPROFILE"}) {
        if (auto value = machine.environment(name); value && !value->empty()) {
            folder = *value;
            break;
        }
    }
    if (folder.empty()) folder = L"C:\\Windows";
    if (folder.back() != L'\\') folder += L'\\';
    return Deliver(folder, lpBuffer, nBufferLength);
}

DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer) {
    return Deliver(Machine::instance().current_directory(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryW(LPCWSTR lpPathName) {
    if (!lpPathName || !*lpPathName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const fs::path host = platform::To_Host_Path(lpPathName);
    std::error_code ec;
    if (host.empty() || !fs::is_directory(host, ec)) {
        SetLastError(host.empty() || !fs::exists(host, ec) ? ERROR_FILE_NOT_FOUND : ERROR_DIRECTORY);
        return FALSE;
    }
    std::wstring folder = platform::To_Windows_Path(host);
    while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    Machine::instance().set_current_directory(folder);
    return TRUE;
}

DWORD GetLongPathNameW(LPCWSTR lpszShortPath, LPWSTR lpszLongPath, DWORD cchBuffer) {
    if (!lpszShortPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // There are no short names here: an existing path is its own long form.
    const fs::path host = platform::To_Host_Path(lpszShortPath);
    std::error_code ec;
    if (host.empty() || !fs::exists(host, ec)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    return Deliver(lpszShortPath, lpszLongPath, cchBuffer);
}
