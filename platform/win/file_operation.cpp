// SHFileOperationW over the file functions of the machine (no dialogs).
#include <vector>

#include "win/host_path_text.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace fs = std::filesystem;

namespace {

using platform::Text_From_Host_Path;

// The NUL-separated list that ends with an empty entry.
std::vector<std::wstring> Path_List(LPCWSTR list) {
    std::vector<std::wstring> paths;
    for (const wchar_t* p = list; p && *p; p += paths.back().size() + 1) paths.emplace_back(p);
    return paths;
}

bool Has_Wildcard(std::wstring_view text) { return text.find_first_of(L"*?") != std::wstring_view::npos; }

// Host paths a source names: itself, or the entries its last component matches.
DWORD Expand_Source(const std::wstring& source, bool files_only, std::vector<fs::path>& out) {
    const size_t cut = source.find_last_of(L"\\/");
    const std::wstring name = cut == std::wstring::npos ? source : source.substr(cut + 1);
    if (!Has_Wildcard(name)) {
        const fs::path host = platform::To_Host_Path(source);
        std::error_code ec;
        if (host.empty() || !fs::exists(host, ec)) return ERROR_FILE_NOT_FOUND;
        out.push_back(host);
        return ERROR_SUCCESS;
    }
    const fs::path folder = platform::To_Host_Path(cut == std::wstring::npos ? L"." : source.substr(0, cut + 1));
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return ERROR_PATH_NOT_FOUND;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (files_only && it->is_directory(ec)) continue;
        if (platform::Wildcard_Match(name, Text_From_Host_Path(it->path().filename()))) out.push_back(it->path());
    }
    return ERROR_SUCCESS;
}

std::wstring Text(const fs::path& host) { return Text_From_Host_Path(host); }

DWORD Last_Error_Or_Denied() {
    const DWORD error = GetLastError();
    return error ? error : ERROR_ACCESS_DENIED;
}

DWORD Delete_Entry(const fs::path& host) {
    std::error_code ec;
    if (fs::is_directory(host, ec)) {
        std::vector<fs::path> children;
        for (fs::directory_iterator it(host, ec), end; !ec && it != end; it.increment(ec)) children.push_back(it->path());
        for (const auto& child : children)
            if (const DWORD error = Delete_Entry(child)) return error;
        return RemoveDirectoryW(Text(host).c_str()) ? ERROR_SUCCESS : Last_Error_Or_Denied();
    }
    // No confirmation is asked, so a read-only file goes too.
    const std::wstring path = Text(host);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return Last_Error_Or_Denied();
    return DeleteFileW(path.c_str()) ? ERROR_SUCCESS : Last_Error_Or_Denied();
}

DWORD Copy_Entry(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::is_directory(from, ec)) {
        if (!fs::is_directory(to, ec) && !CreateDirectoryW(Text(to).c_str(), nullptr)) return Last_Error_Or_Denied();
        for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
            if (const DWORD error = Copy_Entry(it->path(), to / it->path().filename())) return error;
        return ERROR_SUCCESS;
    }
    return CopyFileW(Text(from).c_str(), Text(to).c_str(), FALSE) ? ERROR_SUCCESS : Last_Error_Or_Denied();
}

DWORD Move_Entry(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (fs::is_directory(from, ec) && fs::exists(to, ec)) {
        // Into an existing folder: the contents merge.
        if (const DWORD error = Copy_Entry(from, to)) return error;
        return Delete_Entry(from);
    }
    return MoveFileExW(Text(from).c_str(), Text(to).c_str(), MOVEFILE_COPY_ALLOWED | MOVEFILE_REPLACE_EXISTING)
               ? ERROR_SUCCESS
               : Last_Error_Or_Denied();
}

}  // namespace

int SHFileOperationW(LPSHFILEOPSTRUCTW op) {
    if (!op || op->wFunc < FO_MOVE || op->wFunc > FO_RENAME) return ERROR_INVALID_PARAMETER;
    op->fAnyOperationsAborted = FALSE;
    const std::vector<std::wstring> sources = Path_List(op->pFrom);
    const std::vector<std::wstring> targets = Path_List(op->pTo);
    if (sources.empty()) return ERROR_INVALID_PARAMETER;

    std::vector<fs::path> from;
    for (const auto& source : sources)
        if (const DWORD error = Expand_Source(source, op->fFlags & FOF_FILESONLY, from)) return static_cast<int>(error);

    if (op->wFunc == FO_DELETE) {
        for (const auto& host : from)
            if (const DWORD error = Delete_Entry(host)) return static_cast<int>(error);
        return ERROR_SUCCESS;
    }
    if (targets.empty()) return ERROR_INVALID_PARAMETER;
    if (op->wFunc == FO_RENAME) {
        if (from.size() != 1) return ERROR_INVALID_PARAMETER;
        return MoveFileExW(Text(from[0]).c_str(), targets[0].c_str(), 0) ? ERROR_SUCCESS
                                                                          : static_cast<int>(Last_Error_Or_Denied());
    }
    const bool one_target_each = (op->fFlags & FOF_MULTIDESTFILES) && targets.size() == from.size();
    const fs::path destination = platform::To_Host_Path(targets[0]);
    if (destination.empty()) return ERROR_PATH_NOT_FOUND;
    std::error_code ec;
    // Several sources, or one into an existing folder, go into the destination folder.
    const bool into_folder = !one_target_each && (from.size() > 1 || fs::is_directory(destination, ec));
    for (size_t i = 0; i < from.size(); ++i) {
        const fs::path to = one_target_each ? platform::To_Host_Path(targets[i])
                                            : (into_folder ? destination / from[i].filename() : destination);
        if (to.empty()) return ERROR_PATH_NOT_FOUND;
        // Missing folders above the target are made, as the shell does.
        if (!fs::is_directory(to.parent_path(), ec) &&
            SHCreateDirectoryExW(nullptr, Text(to.parent_path()).c_str(), nullptr) != ERROR_SUCCESS)
            return ERROR_PATH_NOT_FOUND;
        const DWORD error = op->wFunc == FO_COPY ? Copy_Entry(from[i], to) : Move_Entry(from[i], to);
        if (error) return static_cast<int>(error);
    }
    return ERROR_SUCCESS;
}
