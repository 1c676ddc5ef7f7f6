// Directory listing: FindFirstFileW / FindNextFileW / FindClose.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "win/file_attributes.h"
#include "win/host_path_text.h"
#include "win/win_error.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace {

struct Find_Search {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
};

WIN32_FIND_DATAW Entry_Data(const fs::path& host, const std::wstring& name) {
    const WIN32_FILE_ATTRIBUTE_DATA file = platform::File_Data_Of(host);
    WIN32_FIND_DATAW data{};
    data.dwFileAttributes = file.dwFileAttributes;
    data.ftCreationTime = file.ftCreationTime;
    data.ftLastAccessTime = file.ftLastAccessTime;
    data.ftLastWriteTime = file.ftLastWriteTime;
    data.nFileSizeHigh = file.nFileSizeHigh;
    data.nFileSizeLow = file.nFileSizeLow;
    const size_t length = std::min<size_t>(name.size(), MAX_PATH - 1);
    std::wmemcpy(data.cFileName, name.c_str(), length);
    data.cFileName[length] = 0;
    return data;
}

bool Has_Wildcard(std::wstring_view text) { return text.find_first_of(L"*?") != std::wstring_view::npos; }

}  // namespace

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
    if (!lpFileName || !*lpFileName || !lpFindFileData) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::wstring_view path(lpFileName);
    // Split into the folder and the name pattern ("C:\\a\\*.dxf", "*.dxf", "C:*.dxf").
    size_t cut = path.find_last_of(L"\\/");
    std::wstring folder;
    if (cut != std::wstring_view::npos) folder = std::wstring(path.substr(0, cut + 1));
    else if (path.size() >= 2 && path[1] == L':') folder = std::wstring(path.substr(0, 2)), cut = 1;
    else folder = L".";
    const std::wstring pattern(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
    if (pattern.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const fs::path host_folder = platform::To_Host_Path(folder);
    std::error_code ec;
    if (host_folder.empty() || !fs::is_directory(host_folder, ec)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    auto search = std::make_unique<Find_Search>();
    const bool is_drive_root = host_folder == host_folder.root_path() ||
                               platform::To_Windows_Path(host_folder).size() <= 3;
    if (!is_drive_root) {
        for (const wchar_t* dots : {L".", L".."})
            if (platform::Wildcard_Match(pattern, dots))
                search->entries.push_back(Entry_Data(host_folder, dots));
    }
    std::vector<std::pair<std::wstring, fs::path>> found;
    for (fs::directory_iterator it(host_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::wstring name = platform::Text_From_Host_Path(it->path().filename());
        if (name.find(L':') != std::wstring::npos) continue;  // a data stream of another file
        if (Has_Wildcard(pattern) ? platform::Wildcard_Match(pattern, name) : platform::Equal_No_Case(pattern, name))
            found.emplace_back(name, it->path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        std::wstring fa = a.first, fb = b.first;
        for (auto* s : {&fa, &fb})
            for (auto& c : *s)
                if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
        return fa < fb;
    });
    for (const auto& [name, host] : found) search->entries.push_back(Entry_Data(host, name));
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *lpFindFileData = search->entries[0];
    search->next = 1;
    return static_cast<HANDLE>(search.release());
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE || !lpFindFileData) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* search = static_cast<Find_Search*>(hFindFile);
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *lpFindFileData = search->entries[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
    if (!hFindFile || hFindFile == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete static_cast<Find_Search*>(hFindFile);
    return TRUE;
}
