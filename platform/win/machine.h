// The emulated Windows machine: a root folder on the host that holds the drives,
// the user and his profile folders, the host program's folder, an environment
// table of its own, the current directory and the local clock.
#pragma once

#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "win/win_types.h"

namespace platform {

class Machine {
public:
    static Machine& instance();

    // Root folder on the host (default $HOME/.korvel-machine). Setting it starts a
    // fresh machine there: default drives (C: -> <root>/c, D: -> <root>/d), user,
    // program folder, environment, current directory and clock; the attributes
    // stored under that root; the profile folders created.
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

    // Local time: fixed for tests, else the host's local clock.
    void set_local_time(const SYSTEMTIME& time);
    void clear_local_time();
    SYSTEMTIME local_time();

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
};

}  // namespace platform
