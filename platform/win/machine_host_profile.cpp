// The host's registry key, current profile and printer folders on the machine.
#include "win/machine.h"
#include "win/win_files.h"
#include "win/win_registry.h"

namespace fs = std::filesystem;

namespace platform {

void Machine::set_registry_product_root_key(std::wstring_view key) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    registry_root_key_ = key;
    set_up_host_profile(true);
}

std::wstring Machine::registry_product_root_key() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return registry_root_key_;
}

void Machine::set_host_profile_name(std::wstring_view name) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    host_profile_ = name;
    set_up_host_profile(true);
}

std::wstring Machine::host_profile_name() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return host_profile_;
}

std::wstring Machine::host_profile_config_key() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return L"HKCU\\" + registry_root_key_ + L"\\Profiles\\" + host_profile_ + L"\\Config";
}

std::wstring Machine::host_profile_general_key() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return L"HKCU\\" + registry_root_key_ + L"\\Profiles\\" + host_profile_ + L"\\General";
}

std::wstring Machine::host_roaming_folder() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    std::wstring_view key = registry_root_key_;
    constexpr std::wstring_view kSoftware = L"Software\\";
    if (key.size() >= kSoftware.size() && Equal_No_Case(key.substr(0, kSoftware.size()), kSoftware))
        key.remove_prefix(kSoftware.size());
    return roaming_app_data_folder() + L"\\" + std::wstring(key);
}

std::wstring Machine::host_printer_config_folder() { return host_roaming_folder() + L"\\Plotters"; }
std::wstring Machine::host_printer_description_folder() { return host_printer_config_folder() + L"\\PMP Files"; }
std::wstring Machine::host_plot_style_folder() { return host_printer_config_folder() + L"\\Plot Styles"; }

void Machine::set_up_host_profile(bool overwrite) {
    const std::pair<const wchar_t*, std::wstring> folders[] = {
        {L"PLOTCONFIGPATH", host_printer_config_folder()},
        {L"PLOTDESCRIPTIONPATH", host_printer_description_folder()},
        {L"PLOTSTYLEPATH", host_plot_style_folder()},
    };
    Registry& registry = Registry::instance();
    const std::wstring config_key = host_profile_config_key();
    const std::wstring profiles_key = L"HKCU\\" + registry_root_key_ + L"\\Profiles";
    // The Profiles key's default value names the current profile, as the host keeps it.
    if (overwrite || !registry.value(profiles_key, L"")) registry.set_value(profiles_key, L"", host_profile_);
    std::error_code ec;
    for (const auto& [name, folder] : folders) {
        fs::create_directories(To_Host_Path(folder), ec);
        if (overwrite || !registry.value(config_key, name)) registry.set_value(config_key, name, folder);
    }
    const std::wstring support[] = {host_roaming_folder() + L"\\Support", program_folder_ + L"\\Support",
                                    program_folder_ + L"\\Fonts"};
    std::wstring support_path;
    for (const std::wstring& folder : support) {
        fs::create_directories(To_Host_Path(folder), ec);
        support_path += (support_path.empty() ? L"" : L";") + folder;
    }
    const std::wstring general_key = host_profile_general_key();
    if (overwrite || !registry.value(general_key, L"ACAD")) registry.set_value(general_key, L"ACAD", support_path);
}

}  // namespace platform
