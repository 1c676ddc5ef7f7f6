// Windows paths on the host file system.
#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "win/disk_change.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

// Simple case folding of the scripts that have case; CJK and others are unchanged.
wchar_t Fold(wchar_t c) {
    if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A))
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 80);
    if (c >= 0x100 && c <= 0x17F && c != 0x178 && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        const bool odd_is_lower = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (odd_is_lower) return (c % 2 == 1) ? static_cast<wchar_t>(c + 1) : c;
        return (c % 2 == 0) ? static_cast<wchar_t>(c + 1) : c;
    }
    return c;
}

bool Is_Separator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool Is_Drive_Letter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

// The entry of `folder` named `name` without regard to case; the exact spelling wins.
std::optional<fs::path> Find_Entry(const fs::path& folder, const std::wstring& name) {
    if (std::optional<fs::path> found = Find_Folder_Entry(folder, name)) return found;
    // A folder that cannot be listed may still hold it.
    const fs::path exact = folder / Host_Path_From_Text(name);
    if (Exists(exact)) return exact;
    return std::nullopt;
}

// A path resolved part by part, kept while no name changed in the watched folders it went
// through and the program made no entry itself.
struct Kept_Resolution {
    fs::path result;
    fs::path deepest;  // the last folder listed
    uint64_t generation = 0;
    uint64_t own_changes = 0;
};

std::mutex& Resolution_Mutex() {
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<std::string, Kept_Resolution>& Resolutions() {
    static std::unordered_map<std::string, Kept_Resolution> kept;
    return kept;
}

fs::path Resolve_Parts(fs::path base, const fs::path& floor, const std::vector<std::wstring>& components,
                       fs::path& deepest);

// Joins components onto a base folder, resolving "." and "..", and existing names
// without regard to case. `floor` is the folder ".." cannot leave.
fs::path Resolve(fs::path base, const fs::path& floor, const std::vector<std::wstring>& components) {
    if (std::any_of(components.begin(), components.end(),
                    [](const std::wstring& c) { return c == L"." || c == L".."; })) {
        fs::path deepest;
        return Resolve_Parts(base, floor, components, deepest);
    }
    // A path that exists as spelled is itself (one look instead of one per part).
    fs::path exact = base;
    for (const auto& component : components) exact /= Host_Path_From_Text(component);
    std::string key = base.native() + '\0' + exact.native();
    {
        std::unique_lock<std::mutex> lock(Resolution_Mutex());
        auto found = Resolutions().find(key);
        if (found != Resolutions().end()) {
            const Kept_Resolution kept = found->second;
            lock.unlock();
            if (kept.generation != 0 && Watched_Names_Generation(kept.deepest) == kept.generation &&
                Own_Entry_Changes() == kept.own_changes)
                return kept.result;
        }
    }
    if (Exists(exact)) return exact;
    // The longest start that exists as spelled resolves to itself; the rest goes part by part.
    size_t start = components.size();
    fs::path from = exact;
    while (start > 0) {
        from = from.parent_path();
        --start;
        if (start == 0 || Exists(from)) break;
    }
    if (start == 0) from = base;
    const std::vector<std::wstring> rest(components.begin() + static_cast<std::ptrdiff_t>(start), components.end());
    const uint64_t before = Watched_Names_Generation(from);
    Kept_Resolution resolved;
    resolved.own_changes = Own_Entry_Changes();
    resolved.result = Resolve_Parts(from, floor, rest, resolved.deepest);
    // Kept only when no change came while the folders were read.
    resolved.generation = before != 0 && Watched_Names_Generation(resolved.deepest) == before ? before : 0;
    std::lock_guard<std::mutex> lock(Resolution_Mutex());
    if (Resolutions().size() >= 4096) Resolutions().clear();
    Resolutions()[std::move(key)] = resolved;
    return resolved.result;
}

fs::path Resolve_Parts(fs::path base, const fs::path& floor, const std::vector<std::wstring>& components,
                       fs::path& deepest) {
    deepest = base;
    bool existing = true;
    std::vector<fs::path> stack;
    fs::path current = base;
    for (const auto& component : components) {
        if (component == L".") continue;
        if (component == L"..") {
            if (current != floor && current.has_parent_path()) current = current.parent_path();
            std::error_code ec;
            existing = fs::exists(current, ec);
            continue;
        }
        if (existing) {
            deepest = current;
            if (auto found = Find_Entry(current, component)) {
                current = *found;
                continue;
            }
            existing = false;
        }
        current /= Host_Path_From_Text(component);
    }
    return current;
}

std::vector<std::wstring> Split_Components(std::wstring_view path) {
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : path) {
        if (Is_Separator(c)) {
            if (!part.empty()) parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(std::move(part));
    return parts;
}

}  // namespace

bool Equal_No_Case(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

std::wstring Fold_Case(std::wstring_view text) {
    std::wstring folded(text);
    for (auto& c : folded) c = Fold(c);
    return folded;
}

bool Wildcard_Match(std::wstring_view pattern, std::wstring_view name) {
    if (pattern == L"*" || pattern == L"*.*") return true;
    // Iterative match with backtracking on the last '*'.
    size_t p = 0, n = 0, star = std::wstring_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            mark = n;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    // "name.*" also matches "name" without extension, as on Windows.
    if (p + 2 == pattern.size() && pattern[p] == L'.' && pattern[p + 1] == L'*') return true;
    return p == pattern.size();
}

fs::path To_Host_Path(std::wstring_view path) {
    if (path.empty()) return {};
    Machine& machine = Machine::instance();
    // An absolute host path is used as it is.
    if (path[0] == L'/' && !(path.size() > 1 && Is_Separator(path[1]))) return Host_Path_From_Text(path);
    // UNC paths have no place on this machine.
    if (path.size() > 1 && Is_Separator(path[0]) && Is_Separator(path[1])) return {};

    if (path.size() >= 2 && Is_Drive_Letter(path[0]) && path[1] == L':') {
        auto drive = machine.drive_folder(path[0]);
        if (!drive) return {};
        std::wstring_view rest = path.substr(2);
        if (!rest.empty() && !Is_Separator(rest[0])) {
            // "C:name": relative to the current directory when it is on that drive.
            const std::wstring cwd = machine.current_directory();
            if (cwd.size() >= 2 && Equal_No_Case(cwd.substr(0, 1), path.substr(0, 1)))
                return To_Host_Path(cwd + L"\\" + std::wstring(rest));
        }
        return Resolve(*drive, *drive, Split_Components(rest));
    }

    const std::wstring cwd = machine.current_directory();
    if (Is_Separator(path[0])) {
        // Root of the current drive.
        if (cwd.size() >= 2 && cwd[1] == L':') return To_Host_Path(cwd.substr(0, 2) + std::wstring(path));
        return To_Host_Path(L"C:" + std::wstring(path));
    }
    // Relative to the current directory (a Windows path or a host path).
    const fs::path base = To_Host_Path(cwd);
    if (base.empty()) return {};
    return Resolve(base, base.root_path(), Split_Components(path));
}

std::wstring Script_Answer_Path(std::wstring_view path) {
    const bool rooted = !path.empty() && (Is_Separator(path[0]) || (path.size() >= 2 && Is_Drive_Letter(path[0]) && path[1] == L':'));
    if (path.empty() || rooted) return std::wstring(path);
    std::wstring host(path);
    for (auto& c : host)
        if (c == L'\\') c = L'/';
    std::error_code ec;
    const fs::path started_in = fs::current_path(ec);
    if (ec) return std::wstring(path);
    return To_Windows_Path(started_in / Host_Path_From_Text(host));
}

std::wstring To_Windows_Path(const fs::path& host_path) {
    const fs::path absolute = host_path.is_absolute() ? host_path.lexically_normal() : fs::absolute(host_path).lexically_normal();
    Machine& machine = Machine::instance();
    std::optional<std::pair<wchar_t, fs::path>> best;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        auto folder = machine.drive_folder(letter);
        if (!folder) continue;
        const fs::path relative = absolute.lexically_relative(*folder);
        if (relative.empty() || *relative.begin() == "..") continue;
        if (!best || folder->string().size() > best->second.string().size()) best = {{letter, *folder}};
    }
    if (!best) return Text_From_Host_Path(host_path);
    std::wstring out = std::wstring(1, best->first) + L":\\";
    const fs::path relative = absolute.lexically_relative(best->second);
    bool first = true;
    for (const auto& part : relative) {
        if (part == "." || part.empty()) continue;
        if (!first) out += L'\\';
        out += Text_From_Host_Path(part);
        first = false;
    }
    return out;
}

}  // namespace platform
