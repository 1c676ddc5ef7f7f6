// Folders the machine may not write to, short writes, nearly full disks, and programs of ours.
#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

const char* kDeniedWritesName = ".denied-writes";
const char* kProgramsName = ".programs";
const char* kDiskLimitsName = ".disk-full";
const char* kShortWritesName = ".short-writes";

fs::path Normal(const fs::path& host_path) { return fs::absolute(host_path).lexically_normal(); }

// A key for a file that ignores case, as the machine's names do.
std::string File_Key(const fs::path& host_path) { return To_Utf8(Fold_Case(Text_From_Host_Path(Normal(host_path)))); }

// True when `path` is `folder` or lies below it; names compare without regard to case.
bool Is_At_Or_Below(const fs::path& path, const fs::path& folder) {
    auto p = path.begin();
    for (auto f = folder.begin(); f != folder.end(); ++f, ++p) {
        if (f->empty()) continue;  // trailing separator
        if (p == path.end() || !Equal_No_Case(Text_From_Host_Path(*p), Text_From_Host_Path(*f))) return false;
    }
    return true;
}

bool Same_Folder(const fs::path& a, const fs::path& b) { return Is_At_Or_Below(a, b) && Is_At_Or_Below(b, a); }

std::vector<std::string> Split_Tabs(const std::string& line) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        parts.push_back(line.substr(start, tab - start));
    parts.push_back(line.substr(start));
    return parts;
}

// "BYTES<TAB>FOLDER" lines (the folder a Windows or host path); others are skipped.
std::vector<std::pair<fs::path, uint64_t>> Read_Folder_Limits(const fs::path& file) {
    std::vector<std::pair<fs::path, uint64_t>> limits;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const auto parts = Split_Tabs(line);
        char* end = nullptr;
        const unsigned long long bytes = parts.size() == 2 ? std::strtoull(parts[0].c_str(), &end, 10) : 0;
        if (parts.size() == 2 && !parts[1].empty() && end != parts[0].c_str() && *end == 0)
            limits.emplace_back(Normal(To_Host_Path(From_Utf8(parts[1]))), bytes);
    }
    return limits;
}

void Write_Folder_Limits(const fs::path& file, const std::vector<std::pair<fs::path, uint64_t>>& limits) {
    std::ofstream out(file, std::ios::trunc);
    for (const auto& [folder, bytes] : limits) out << bytes << '\t' << folder.string() << '\n';
}

// Sets or (nullopt) lifts the limit of one folder in the list.
void Set_Folder_Limit(std::vector<std::pair<fs::path, uint64_t>>& limits, const fs::path& folder,
                      std::optional<uint64_t> bytes) {
    std::erase_if(limits, [&](const auto& entry) { return Same_Folder(entry.first, folder); });
    if (bytes) limits.emplace_back(folder, *bytes);
}

}  // namespace

void Machine::load_machine_lists() {
    denied_writes_.clear();
    write_limits_.clear();
    programs_.clear();
    std::string line;
    std::ifstream denied(root_ / kDeniedWritesName);
    while (std::getline(denied, line))
        if (!line.empty()) denied_writes_.emplace_back(line);
    disks_ = Read_Folder_Limits(root_ / kDiskLimitsName);
    short_writes_ = Read_Folder_Limits(root_ / kShortWritesName);
    std::ifstream programs(root_ / kProgramsName);
    while (std::getline(programs, line)) {
        auto parts = Split_Tabs(line);
        if (parts.size() < 2 || parts[0].empty()) continue;
        const std::string path = parts[0];
        parts.erase(parts.begin());
        programs_[path] = std::move(parts);
    }
}

void Machine::save_denied_writes() {
    std::ofstream out(root_ / kDeniedWritesName, std::ios::trunc);
    for (const auto& folder : denied_writes_) out << folder.string() << '\n';
}

void Machine::save_disk_limits() { Write_Folder_Limits(root_ / kDiskLimitsName, disks_); }

void Machine::save_short_writes() { Write_Folder_Limits(root_ / kShortWritesName, short_writes_); }

void Machine::save_programs() {
    std::ofstream out(root_ / kProgramsName, std::ios::trunc);
    for (const auto& [path, command] : programs_) {
        out << path;
        for (const auto& part : command) out << '\t' << part;
        out << '\n';
    }
}

void Machine::deny_writes(std::wstring_view path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path host = To_Host_Path(path);
    if (host.empty()) return;
    const fs::path folder = Normal(host);
    for (const auto& denied : denied_writes_)
        if (denied == folder) return;
    denied_writes_.push_back(folder);
    save_denied_writes();
}

void Machine::allow_writes(std::wstring_view path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path host = To_Host_Path(path);
    if (host.empty()) return;
    const fs::path folder = Normal(host);
    std::erase_if(denied_writes_, [&](const fs::path& denied) { return Is_At_Or_Below(denied, folder); });
    save_denied_writes();
}

bool Machine::writes_denied(const fs::path& host_path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path path = Normal(host_path);
    for (const auto& folder : denied_writes_)
        if (Is_At_Or_Below(path, folder)) return true;
    return false;
}

void Machine::fail_writes_after(std::wstring_view path, uint64_t bytes) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path host = To_Host_Path(path);
    if (!host.empty()) write_limits_[File_Key(host)] = bytes;
}

std::optional<uint64_t> Machine::take_write_limit(const fs::path& host_path) {
    std::lock_guard lock(mutex_);
    auto it = write_limits_.find(File_Key(host_path));
    if (it != write_limits_.end()) {
        const uint64_t bytes = it->second;
        write_limits_.erase(it);
        return bytes;
    }
    const fs::path path = Normal(host_path);
    std::optional<std::pair<fs::path, uint64_t>> innermost;
    for (const auto& limit : short_writes_)
        if (Is_At_Or_Below(path, limit.first) && (!innermost || Is_At_Or_Below(limit.first, innermost->first)))
            innermost = limit;
    if (!innermost) return std::nullopt;
    return innermost->second;
}

void Machine::set_short_writes(std::wstring_view folder, std::optional<uint64_t> bytes) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path host = To_Host_Path(folder);
    if (host.empty()) return;
    Set_Folder_Limit(short_writes_, Normal(host), bytes);
    save_short_writes();
}

void Machine::set_disk_free(std::wstring_view folder, std::optional<uint64_t> bytes) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path host = To_Host_Path(folder);
    if (host.empty()) return;
    Set_Folder_Limit(disks_, Normal(host), bytes);
    save_disk_limits();
}

std::optional<fs::path> Machine::disk_of(const fs::path& host_path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path path = Normal(host_path);
    std::optional<fs::path> innermost;
    for (const auto& [folder, bytes] : disks_)
        if (Is_At_Or_Below(path, folder) && (!innermost || Is_At_Or_Below(folder, *innermost))) innermost = folder;
    return innermost;
}

uint64_t Machine::take_disk_space(const fs::path& disk, uint64_t bytes) {
    std::lock_guard lock(mutex_);
    for (auto& [folder, free] : disks_) {
        if (!Same_Folder(folder, disk)) continue;
        const uint64_t taken = std::min(free, bytes);
        free -= taken;
        return taken;
    }
    return bytes;
}

void Machine::register_program(std::wstring_view windows_path, std::vector<std::string> host_command) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    const fs::path host = To_Host_Path(windows_path);
    if (host.empty() || host_command.empty()) return;
    std::error_code ec;
    fs::create_directories(host.parent_path(), ec);
    if (!fs::exists(host, ec)) std::ofstream(host) << "stand-in for " << host_command.front() << '\n';
    programs_[File_Key(host)] = std::move(host_command);
    save_programs();
}

std::optional<std::vector<std::string>> Machine::program_command(const fs::path& host_path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    auto it = programs_.find(File_Key(host_path));
    if (it == programs_.end()) return std::nullopt;
    return it->second;
}

}  // namespace platform
