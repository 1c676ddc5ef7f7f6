#include "win/machine.h"

#include <cstdlib>
#include <fstream>

#include "win/clock.h"
#include "win/host_path_text.h"
#include "win/win_files.h"
#include "win/win_registry.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

const char* kAttributeStoreName = ".file-attributes";
const char* kRegistryStoreName = "registry.txt";
const wchar_t* kDefaultRegistryRootKey = L"Software\\ZWSOFT\\ZWCAD\\2025\\zh-CN";
const wchar_t* kDefaultHostProfile = L"<<未命名配置>>";

fs::path Default_Root() {
    if (const char* root = std::getenv("KORVEL_MACHINE_ROOT"); root && *root) return root;
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".korvel-machine";
}

// The user: the first line of <root>/.user-name (UTF-8), else "korvel".
std::wstring Stored_User_Name(const fs::path& root) {
    std::ifstream in(root / ".user-name", std::ios::binary);
    std::string line;
    if (!std::getline(in, line)) return L"korvel";
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line.empty() ? L"korvel" : From_Utf8(line);
}

wchar_t Upper_Letter(wchar_t letter) {
    return (letter >= L'a' && letter <= L'z') ? static_cast<wchar_t>(letter - L'a' + L'A') : letter;
}

}  // namespace

Machine& Machine::instance() {
    static Machine machine;
    return machine;
}

void Machine::ensure_initialised() {
    if (!initialised_) init_at(Default_Root());
}

void Machine::init_at(const fs::path& root) {
    initialised_ = true;
    std::error_code ec;
    fs::create_directories(root, ec);
    root_ = fs::weakly_canonical(fs::absolute(root), ec);
    user_name_ = Stored_User_Name(root_);
    program_folder_ = L"C:\\Program Files\\ZWSOFT\\ZWCAD 2025";
    program_file_name_ = L"ZWCAD.exe";
    fixed_time_.reset();
    drives_.clear();
    drives_[L'C'] = root_ / "c";
    drives_[L'D'] = root_ / "d";
    for (auto& [letter, folder] : drives_) fs::create_directories(folder, ec);
    // The rest of the host's file system, as Z: (modules and programs built outside the
    // machine get drive paths, like every path a Windows program sees).
    drives_[L'Z'] = "/";
    current_directory_ = L"C:\\";
    attributes_.clear();
    std::ifstream store(root_ / kAttributeStoreName);
    DWORD attributes = 0;
    std::string path;
    while (store >> attributes && std::getline(store >> std::ws, path)) attributes_[path] = attributes;
    registry_root_key_ = kDefaultRegistryRootKey;
    host_profile_ = kDefaultHostProfile;
    monitors_.clear();
    set_monitors({});
    cursor_ = POINT{960, 540};
    load_machine_lists();
    reset_environment();
    create_profile_folders();
    Registry::instance().load(root_ / kRegistryStoreName);
    set_up_host_profile(false);
}

void Machine::set_root(const fs::path& root) {
    std::lock_guard lock(mutex_);
    init_at(root);
}

fs::path Machine::root() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return root_;
}

void Machine::map_drive(wchar_t letter, const fs::path& host_folder) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    std::error_code ec;
    fs::create_directories(host_folder, ec);
    drives_[Upper_Letter(letter)] = fs::weakly_canonical(fs::absolute(host_folder), ec);
}

std::optional<fs::path> Machine::drive_folder(wchar_t letter) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    auto it = drives_.find(Upper_Letter(letter));
    if (it == drives_.end()) return std::nullopt;
    return it->second;
}

void Machine::set_user_name(std::wstring_view name) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    user_name_ = name;
    reset_environment();
    create_profile_folders();
    set_up_host_profile(true);
}

std::wstring Machine::user_name() {
    std::lock_guard lock(mutex_);
    return user_name_;
}

std::wstring Machine::profile_folder() {
    std::lock_guard lock(mutex_);
    return L"C:\\Users\\" + user_name_;
}

std::wstring Machine::roaming_app_data_folder() { return profile_folder() + L"\\AppData\\Roaming"; }
std::wstring Machine::local_app_data_folder() { return profile_folder() + L"\\AppData\\Local"; }
std::wstring Machine::temp_folder() { return local_app_data_folder() + L"\\Temp"; }
std::wstring Machine::documents_folder() { return profile_folder() + L"\\Documents"; }
std::wstring Machine::desktop_folder() { return profile_folder() + L"\\Desktop"; }

void Machine::create_profile_folders() {
    const fs::path profile = drives_[L'C'] / "Users" / Host_Path_From_Text(user_name_);
    std::error_code ec;
    for (const char* sub : {"AppData/Roaming", "AppData/Local/Temp", "Documents", "Desktop"})
        fs::create_directories(profile / sub, ec);
    fs::create_directories(drives_[L'C'] / "Windows" / "System32", ec);
    fs::create_directories(drives_[L'C'] / "Windows" / "Fonts", ec);
    fs::create_directories(To_Host_Path(program_folder_), ec);
}

void Machine::set_program_folder(std::wstring_view windows_path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    program_folder_ = windows_path;
    while (program_folder_.size() > 3 && (program_folder_.back() == L'\\' || program_folder_.back() == L'/'))
        program_folder_.pop_back();
    std::error_code ec;
    fs::create_directories(To_Host_Path(program_folder_), ec);
}

std::wstring Machine::program_folder() {
    std::lock_guard lock(mutex_);
    return program_folder_;
}

void Machine::set_program_file_name(std::wstring_view file_name) {
    std::lock_guard lock(mutex_);
    program_file_name_ = file_name;
}

std::wstring Machine::program_path() {
    std::lock_guard lock(mutex_);
    return program_folder_ + L"\\" + program_file_name_;
}

std::wstring Machine::upper_name(std::wstring_view name) const {
    std::wstring upper(name);
    for (auto& c : upper)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return upper;
}

void Machine::reset_environment() {
    environment_.clear();
    const std::wstring profile = L"C:\\Users\\" + user_name_;
    const std::pair<const wchar_t*, std::wstring> defaults[] = {
        {L"USERNAME", user_name_},
        {L"USERPROFILE", profile},
        {L"APPDATA", profile + L"\\AppData\\Roaming"},
        {L"LOCALAPPDATA", profile + L"\\AppData\\Local"},
        {L"TEMP", profile + L"\\AppData\\Local\\Temp"},
        {L"TMP", profile + L"\\AppData\\Local\\Temp"},
        {L"HOMEDRIVE", L"C:"},
        {L"HOMEPATH", L"\\Users\\" + user_name_},
        {L"SystemDrive", L"C:"},
        {L"SystemRoot", L"C:\\Windows"},
        {L"windir", L"C:\\Windows"},
        {L"ProgramFiles", L"C:\\Program Files"},
        {L"ProgramFiles(x86)", L"C:\\Program Files (x86)"},
        {L"ProgramData", L"C:\\ProgramData"},
        {L"PUBLIC", L"C:\\Users\\Public"},
        {L"COMPUTERNAME", L"KORVEL-PC"},
        {L"OS", L"Windows_NT"},
    };
    for (const auto& [name, value] : defaults) environment_[upper_name(name)] = {name, value};
}

std::optional<std::wstring> Machine::environment(std::wstring_view name) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    auto it = environment_.find(upper_name(name));
    if (it == environment_.end()) return std::nullopt;
    return it->second.second;
}

void Machine::set_environment(std::wstring_view name, std::optional<std::wstring_view> value) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    if (value) environment_[upper_name(name)] = {std::wstring(name), std::wstring(*value)};
    else environment_.erase(upper_name(name));
}

std::wstring Machine::current_directory() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return current_directory_;
}

void Machine::set_current_directory(std::wstring_view windows_path) {
    std::lock_guard lock(mutex_);
    current_directory_ = windows_path;
}

void Machine::set_local_time(const SYSTEMTIME& time) {
    std::lock_guard lock(mutex_);
    fixed_time_ = time;
}

void Machine::clear_local_time() {
    std::lock_guard lock(mutex_);
    fixed_time_.reset();
}

SYSTEMTIME Machine::local_time() {
    {
        std::lock_guard lock(mutex_);
        if (fixed_time_) return *fixed_time_;
    }
    return Local_System_Time(std::chrono::system_clock::now());
}

std::chrono::system_clock::time_point Machine::now() {
    {
        std::lock_guard lock(mutex_);
        if (fixed_time_) return Time_Point_Of_Local(*fixed_time_);
    }
    return std::chrono::system_clock::now();
}

bool Machine::local_time_fixed() {
    std::lock_guard lock(mutex_);
    return fixed_time_.has_value();
}

DWORD Machine::stored_attributes(const fs::path& host_path) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    auto it = attributes_.find(host_path.string());
    return it == attributes_.end() ? 0 : it->second;
}

void Machine::save_attributes() {
    std::ofstream store(root_ / kAttributeStoreName, std::ios::trunc);
    for (const auto& [path, attributes] : attributes_) store << attributes << ' ' << path << '\n';
}

void Machine::store_attributes(const fs::path& host_path, DWORD attributes) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    if (attributes == 0) {
        // Nothing to forget: the store stays as it is.
        if (attributes_.erase(host_path.string()) == 0) return;
    } else {
        attributes_[host_path.string()] = attributes;
    }
    save_attributes();
}

void Machine::forget_attributes(const fs::path& host_path) { store_attributes(host_path, 0); }

void Machine::move_attributes(const fs::path& from, const fs::path& to) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    auto it = attributes_.find(from.string());
    if (it == attributes_.end()) {
        if (attributes_.erase(to.string())) save_attributes();
        return;
    }
    const DWORD attributes = it->second;
    attributes_.erase(it);
    attributes_[to.string()] = attributes;
    save_attributes();
}

}  // namespace platform
