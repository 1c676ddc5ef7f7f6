// The emulated Windows machine: a root folder on the host that holds the drives,
// the user and his profile folders, the host program's folder, an environment
// table of its own, the current directory, the local clock, the host's registry
// profile, the displays and cursor, folders it may not write to, nearly full disks, and
// programs of ours.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win/win_types.h"

namespace platform {

// One display of the machine, in virtual-screen pixels.
struct MonitorSpec {
    RECT monitor;  // the whole display
    RECT work;     // the display less the task bar
    bool primary = false;
};

class Machine {
public:
    static Machine& instance();

    // Root folder on the host (default $KORVEL_MACHINE_ROOT, else
    // $HOME/.korvel-machine; programs the shell starts get the root in
    // KORVEL_MACHINE_ROOT). Setting it starts a fresh machine there: default drives
    // (C: -> <root>/c, D: -> <root>/d), user, program folder, environment, current
    // directory, clock, displays and cursor; the attributes, registry store, denied
    // folders, disk limits and programs stored under that root; the profile and host folders created.
    void set_root(const std::filesystem::path& root);
    std::filesystem::path root();

    // Drive letter ('C', case-insensitive) -> host folder, created on first use.
    void map_drive(wchar_t letter, const std::filesystem::path& host_folder);
    std::optional<std::filesystem::path> drive_folder(wchar_t letter);

    // User name (default "korvel"); changing it moves the profile to C:\Users\<name>.
    void set_user_name(std::wstring_view name);
    std::wstring user_name();
    // Windows paths of the profile folders: C:\Users\<user>, ...\AppData\Roaming, ...
    std::wstring profile_folder();
    std::wstring roaming_app_data_folder();
    std::wstring local_app_data_folder();
    std::wstring temp_folder();  // ...\AppData\Local\Temp
    std::wstring documents_folder();
    std::wstring desktop_folder();

    // The host program's folder (default C:\Program Files\ZWSOFT\ZWCAD 2025) and
    // executable name (default ZWCAD.exe): what GetModuleFileNameW(nullptr) reports.
    // The folder is created.
    void set_program_folder(std::wstring_view windows_path);
    std::wstring program_folder();
    void set_program_file_name(std::wstring_view file_name);
    std::wstring program_path();

    // The machine's environment variables (not the process environment);
    // names compare without regard to case.
    std::optional<std::wstring> environment(std::wstring_view name);
    void set_environment(std::wstring_view name, std::optional<std::wstring_view> value);

    // Current directory as a Windows path (default C:\).
    std::wstring current_directory();
    void set_current_directory(std::wstring_view windows_path);

    // Local time: fixed for tests, else the host's local clock. The machine's time
    // zone is the host's. now() is the same clock as a point in time; files that
    // _wfopen writes while the time is fixed get it as their modification time.
    void set_local_time(const SYSTEMTIME& time);
    void clear_local_time();
    SYSTEMTIME local_time();
    std::chrono::system_clock::time_point now();
    bool local_time_fixed();

    // The host product's registry root key under HKEY_CURRENT_USER (default
    // Software\ZWSOFT\ZWCAD\2025\zh-CN) and the host's current profile (default
    // "<<未命名配置>>"). The profile's Config key holds PLOTCONFIGPATH,
    // PLOTDESCRIPTIONPATH and PLOTSTYLEPATH, pointing at the printer folders below.
    // A fresh machine, a new user name, root key or profile writes these defaults
    // into the registry store (a machine root whose store already holds them keeps
    // its values) and creates the folders.
    void set_registry_product_root_key(std::wstring_view key);
    std::wstring registry_product_root_key();
    void set_host_profile_name(std::wstring_view name);
    std::wstring host_profile_name();
    // "HKCU\<root key>\Profiles\<profile>\Config".
    std::wstring host_profile_config_key();
    // "HKCU\<root key>\Profiles\<profile>\General": its value "ACAD" is the host's
    // support file search path, folders separated by ";" (default: the per-user Support
    // folder, then the program's Support and Fonts folders, all created).
    std::wstring host_profile_general_key();
    // The host's per-user folder: <roaming application data>\<root key without "Software\">.
    std::wstring host_roaming_folder();
    std::wstring host_printer_config_folder();       // ...\Plotters
    std::wstring host_printer_description_folder();  // ...\Plotters\PMP Files
    std::wstring host_plot_style_folder();           // ...\Plotters\Plot Styles

    // Displays (default: one 1920 x 1080 primary display, work area 1920 x 1040).
    // An empty list restores the default; when none is marked primary the first is.
    void set_monitors(std::vector<MonitorSpec> monitors);
    std::vector<MonitorSpec> monitors();
    // Mouse cursor in screen pixels (default the centre of the primary display).
    void set_cursor_position(POINT position);
    POINT cursor_position();

    // Folders the machine may not write to (and everything below them): file and
    // folder functions fail there with ERROR_ACCESS_DENIED. Since everything runs
    // with full rights, this is how a failed write is made. Paths are Windows or host
    // paths. Kept in <root>/.denied-writes.
    void deny_writes(std::wstring_view path);
    void allow_writes(std::wstring_view path);
    bool writes_denied(const std::filesystem::path& host_path);
    // The next _wfopen of that file for writing (or the temporary of the next
    // Safe_File_Write of it) gives a stream that takes `bytes` bytes and then fails (a
    // short write, as on a full disk). One use only.
    void fail_writes_after(std::wstring_view path, uint64_t bytes);
    // The limit of the next write of that file: its own short write (taken), else the
    // innermost short-writing folder's.
    std::optional<uint64_t> take_write_limit(const std::filesystem::path& host_path);
    // A folder whose writes come out short (a failing share or drive): every file written
    // there or below takes `bytes` bytes and then fails, as fail_writes_after does for one
    // file; nullopt lifts it. Kept in <root>/.short-writes, one "BYTES<TAB>FOLDER" line each.
    void set_short_writes(std::wstring_view folder, std::optional<uint64_t> bytes);
    // A small disk that is nearly full: the folder and everything below it have `bytes` free.
    // Every byte written there (_wfopen, CopyFileW) uses one up, and a write past the last
    // fails (a short write, ENOSPC). Removing files frees nothing. nullopt lifts the limit.
    // Kept in <root>/.disk-full as set, one "BYTES<TAB>FOLDER" line each.
    void set_disk_free(std::wstring_view folder, std::optional<uint64_t> bytes);
    // The innermost limited folder that holds the host path, if any.
    std::optional<std::filesystem::path> disk_of(const std::filesystem::path& host_path);
    // Uses up to `bytes` of that folder's free space; returns how many were free.
    uint64_t take_disk_space(const std::filesystem::path& disk, uint64_t bytes);

    // Programs of ours: a Windows path that the shell starts as the given host
    // command (program and leading arguments; the shell's parameters follow). The
    // file is created at the path when missing, so that the machine sees it and a
    // test can delete it. Kept in <root>/.programs.
    void register_program(std::wstring_view windows_path, std::vector<std::string> host_command);
    std::optional<std::vector<std::string>> program_command(const std::filesystem::path& host_path);

    // Attributes POSIX cannot keep (hidden, system; read-only is also mirrored in
    // the write bits), keyed by absolute host path; kept in <root>/.file-attributes.
    // 0 = nothing stored.
    DWORD stored_attributes(const std::filesystem::path& host_path);
    void store_attributes(const std::filesystem::path& host_path, DWORD attributes);
    void forget_attributes(const std::filesystem::path& host_path);
    void move_attributes(const std::filesystem::path& from, const std::filesystem::path& to);

private:
    Machine() = default;
    void ensure_initialised();            // caller holds mutex_
    void init_at(const std::filesystem::path& root);  // caller holds mutex_
    void reset_environment();             // caller holds mutex_
    void create_profile_folders();        // caller holds mutex_
    void save_attributes();               // caller holds mutex_
    void load_machine_lists();            // caller holds mutex_
    void save_denied_writes();            // caller holds mutex_
    void save_disk_limits();              // caller holds mutex_
    void save_short_writes();             // caller holds mutex_
    void save_programs();                 // caller holds mutex_
    void set_up_host_profile(bool overwrite);  // caller holds mutex_
    std::wstring upper_name(std::wstring_view name) const;

    std::recursive_mutex mutex_;
    bool initialised_ = false;
    std::filesystem::path root_;
    std::map<wchar_t, std::filesystem::path> drives_;
    std::wstring user_name_ = L"korvel";
    std::wstring program_folder_ = L"C:\\Program Files\\ZWSOFT\\ZWCAD 2025";
    std::wstring program_file_name_ = L"ZWCAD.exe";
    std::map<std::wstring, std::pair<std::wstring, std::wstring>> environment_;  // UPPER -> (name, value)
    std::wstring current_directory_ = L"C:\\";
    std::optional<SYSTEMTIME> fixed_time_;
    std::map<std::string, DWORD> attributes_;
    std::wstring registry_root_key_;
    std::wstring host_profile_;
    std::vector<MonitorSpec> monitors_;
    POINT cursor_{};
    std::vector<std::filesystem::path> denied_writes_;
    std::map<std::string, uint64_t> write_limits_;
    std::vector<std::pair<std::filesystem::path, uint64_t>> disks_;  // folder, bytes free
    std::vector<std::pair<std::filesystem::path, uint64_t>> short_writes_;  // folder, bytes a file
    std::map<std::string, std::vector<std::string>> programs_;
};

}  // namespace platform
