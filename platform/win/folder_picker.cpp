// The shell's folder picker, answered by the input script, and its item lists.
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "script/console.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace fs = std::filesystem;

namespace platform {

std::vector<FolderPickerRecord> FolderPickerLog;

namespace {

std::mutex g_picker_mutex;
// The picker that is open (one at a time: the picker is modal), and its window.
FolderPickerRecord* g_open_picker = nullptr;
int g_picker_window_tag = 0;
HWND Picker_Window() { return reinterpret_cast<HWND>(&g_picker_window_tag); }

const wchar_t* Path_Of(PCIDLIST_ABSOLUTE pidl) { return reinterpret_cast<const wchar_t*>(pidl); }

PIDLIST_ABSOLUTE Make_Item_List(const std::wstring& path) {
    auto* memory = static_cast<wchar_t*>(std::malloc((path.size() + 1) * sizeof(wchar_t)));
    if (!memory) return nullptr;
    std::wmemcpy(memory, path.c_str(), path.size() + 1);
    return reinterpret_cast<PIDLIST_ABSOLUTE>(memory);
}

std::wstring Folder_Name(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut + 1 == path.size()) return path;
    return path.substr(cut + 1);
}

}  // namespace

bool Folder_Picker_Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    std::lock_guard lock(g_picker_mutex);
    if (window != Picker_Window() || !g_open_picker) return false;
    result = 0;
    if (message == BFFM_SETSELECTIONW && lParam) {
        g_open_picker->initial_selection =
            wParam ? reinterpret_cast<const wchar_t*>(lParam) : Path_Of(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam));
    }
    return true;
}

}  // namespace platform

using namespace platform;

PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW lpbi) {
    if (!lpbi) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    FolderPickerRecord record{lpbi->hwndOwner, lpbi->lpszTitle ? lpbi->lpszTitle : L"", lpbi->ulFlags, {}, {}};
    {
        std::lock_guard lock(g_picker_mutex);
        g_open_picker = &record;
    }
    struct Close_Picker {
        ~Close_Picker() {
            std::lock_guard lock(g_picker_mutex);
            g_open_picker = nullptr;
        }
    } close_picker;
    if (lpbi->lpfn) lpbi->lpfn(Picker_Window(), BFFM_INITIALIZED, 0, lpbi->lParam);

    const std::wstring asked = L"folder picker '" + record.title + L"'";
    const Step step = ScriptInput::instance().expect({StepKind::File, StepKind::Esc}, asked);
    PIDLIST_ABSOLUTE chosen = nullptr;
    if (step.kind == StepKind::File) {
        const fs::path host = To_Host_Path(Script_Answer_Path(step.text));
        std::error_code ec;
        if (step.paths.size() > 1)
            throw UnansweredInput(To_Utf8(asked + L" not answered: several folders at line " +
                                          std::to_wstring(step.line) + L" where one is asked"));
        if (host.empty() || !fs::is_directory(host, ec))
            throw UnansweredInput(To_Utf8(asked + L" not answered: '" + step.text + L"' at line " +
                                          std::to_wstring(step.line) + L" is not a folder"));
        record.chosen = To_Windows_Path(host);
        chosen = Make_Item_List(record.chosen);
        if (lpbi->pszDisplayName) {
            const std::wstring name = Folder_Name(record.chosen).substr(0, MAX_PATH - 1);
            std::wmemcpy(lpbi->pszDisplayName, name.c_str(), name.size() + 1);
        }
    }
    const std::wstring echo = L"[FolderPicker] " + record.title + L" | " + record.initial_selection + L" -> " +
                              (chosen ? record.chosen : std::wstring(L"CANCEL"));
    Console_Line(To_Utf8(echo));
    std::lock_guard lock(g_picker_mutex);
    FolderPickerLog.push_back(record);
    return chosen;
}

BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR pszPath) {
    if (!pidl || !pszPath) return FALSE;
    const std::wstring_view path = Path_Of(pidl);
    if (path.size() >= MAX_PATH) {
        *pszPath = 0;
        return FALSE;
    }
    std::wmemcpy(pszPath, path.data(), path.size());
    pszPath[path.size()] = 0;
    return TRUE;
}

void ILFree(LPITEMIDLIST pidl) { std::free(pidl); }
void CoTaskMemFree(LPVOID pv) { std::free(pv); }

int SHCreateDirectoryExW(HWND, LPCWSTR pszPath, const void*) {
    if (!pszPath || !*pszPath) return ERROR_BAD_PATHNAME;
    const std::wstring_view path(pszPath);
    const bool absolute = path[0] == L'/' || (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/'));
    if (!absolute) return ERROR_BAD_PATHNAME;
    const fs::path host = To_Host_Path(path);
    if (host.empty()) return ERROR_PATH_NOT_FOUND;
    if (path.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
    std::error_code ec;
    if (fs::is_directory(host, ec)) return ERROR_ALREADY_EXISTS;
    if (fs::exists(host, ec)) return ERROR_FILE_EXISTS;
    // Every existing folder on the way must be a folder, and the new ones writable.
    for (fs::path up = host.parent_path(); !up.empty() && up != up.root_path(); up = up.parent_path()) {
        if (fs::exists(up, ec)) {
            if (!fs::is_directory(up, ec)) return ERROR_PATH_NOT_FOUND;
            break;
        }
    }
    if (!Can_Write(host)) return ERROR_ACCESS_DENIED;
    fs::create_directories(host, ec);
    return ec ? ERROR_ACCESS_DENIED : ERROR_SUCCESS;
}
