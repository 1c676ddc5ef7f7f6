// Text operations on Windows paths.
#include <cstring>
#include <string>
#include <vector>

#include "win/win_files.h"
#include "win/win_shlwapi.h"

namespace {

bool Is_Separator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool Has_Drive(std::wstring_view path) { return path.size() >= 2 && path[1] == L':'; }

// Length of the root: "C:\\" 3, "C:" 2, "\\" 1, none 0.
size_t Root_Length(std::wstring_view path) {
    if (Has_Drive(path)) return path.size() >= 3 && Is_Separator(path[2]) ? 3 : 2;
    return !path.empty() && Is_Separator(path[0]) ? 1 : 0;
}

// Resolves "." and ".." components; ".." never climbs above the root.
std::wstring Canonical(std::wstring_view path) {
    const size_t root = Root_Length(path);
    std::vector<std::wstring> parts;
    std::wstring part;
    const auto flush = [&] {
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (size_t i = root; i < path.size(); ++i) {
        if (Is_Separator(path[i])) flush();
        else part += path[i];
    }
    const bool trailing = path.size() > root && Is_Separator(path.back()) && part.empty();
    flush();
    std::wstring out(path.substr(0, root));
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? L"\\" : L"") + parts[i];
    if (trailing && !parts.empty()) out += L'\\';
    return out;
}

bool Deliver(const std::wstring& text, LPWSTR buffer) {
    if (text.size() >= MAX_PATH) {
        buffer[0] = 0;
        return false;
    }
    std::wmemcpy(buffer, text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

LPWSTR PathFindFileNameW(LPCWSTR pszPath) {
    if (!pszPath) return nullptr;
    const wchar_t* name = pszPath;
    for (const wchar_t* p = pszPath; *p; ++p)
        if ((Is_Separator(*p) || *p == L':') && p[1] && !Is_Separator(p[1])) name = p + 1;
    return const_cast<LPWSTR>(name);
}

LPWSTR PathFindExtensionW(LPCWSTR pszPath) {
    if (!pszPath) return nullptr;
    const wchar_t* dot = nullptr;
    const wchar_t* p = PathFindFileNameW(pszPath);
    for (; *p; ++p) {
        if (*p == L'.') dot = p;
        else if (*p == L' ' || Is_Separator(*p)) dot = nullptr;
    }
    return const_cast<LPWSTR>(dot ? dot : p);
}

void PathRemoveExtensionW(LPWSTR pszPath) {
    if (pszPath) *PathFindExtensionW(pszPath) = 0;
}

BOOL PathRenameExtensionW(LPWSTR pszPath, LPCWSTR pszExt) {
    if (!pszPath || !pszExt) return FALSE;
    wchar_t* extension = PathFindExtensionW(pszPath);
    const size_t kept = static_cast<size_t>(extension - pszPath);
    const size_t added = std::wcslen(pszExt);
    if (kept + added >= MAX_PATH) return FALSE;
    std::wmemcpy(extension, pszExt, added + 1);
    return TRUE;
}

BOOL PathRemoveFileSpecW(LPWSTR pszPath) {
    if (!pszPath || !*pszPath) return FALSE;
    const std::wstring_view path(pszPath);
    const size_t root = Root_Length(path);
    size_t cut = path.find_last_of(L"\\/");
    if (cut == std::wstring_view::npos || cut < root) {
        // Nothing but a name (after a drive, "C:name"): the root stays.
        if (path.size() == root) return FALSE;
        pszPath[root] = 0;
        return TRUE;
    }
    if (cut + 1 == root) {
        // "C:\\name" -> "C:\\"; "C:\\" stays.
        if (path.size() == root) return FALSE;
        pszPath[root] = 0;
        return TRUE;
    }
    pszPath[cut] = 0;
    return TRUE;
}

LPWSTR PathCombineW(LPWSTR pszDest, LPCWSTR pszDir, LPCWSTR pszFile) {
    if (!pszDest) return nullptr;
    if (!pszDir && !pszFile) {
        pszDest[0] = 0;
        return nullptr;
    }
    const std::wstring dir = pszDir ? pszDir : L"";
    const std::wstring file = pszFile ? pszFile : L"";
    std::wstring joined;
    if (file.empty()) joined = dir;
    else if (dir.empty() || Has_Drive(file)) joined = file;
    else if (Is_Separator(file[0])) joined = (Has_Drive(dir) ? dir.substr(0, 2) : L"") + file;
    else joined = dir + (Is_Separator(dir.back()) ? L"" : L"\\") + file;
    return Deliver(Canonical(joined), pszDest) ? pszDest : nullptr;
}

BOOL PathAppendW(LPWSTR pszPath, LPCWSTR pszMore) {
    if (!pszPath || !pszMore) return FALSE;
    while (Is_Separator(*pszMore)) ++pszMore;
    const std::wstring dir(pszPath);
    return PathCombineW(pszPath, dir.c_str(), pszMore) ? TRUE : FALSE;
}

BOOL PathIsDirectoryW(LPCWSTR pszPath) {
    if (!pszPath) return FALSE;
    const DWORD attributes = GetFileAttributesW(pszPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FILE_ATTRIBUTE_DIRECTORY
                                                                                             : FALSE;
}
