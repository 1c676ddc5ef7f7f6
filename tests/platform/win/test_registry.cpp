#include <cstring>

#include "machine_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using RegistryTest = MachineTest;

// Reads a string value the way the plug-in does: size first, then the text.
LSTATUS Read_String(HKEY root, const std::wstring& key, const wchar_t* name, std::wstring& text) {
    HKEY handle = nullptr;
    LSTATUS status = RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle);
    if (status != ERROR_SUCCESS) return status;
    DWORD type = 0, size = 0;
    status = RegQueryValueExW(handle, name, nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, 0);
        status = RegQueryValueExW(handle, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
        text = buffer.data();
    }
    EXPECT_EQ(RegCloseKey(handle), ERROR_SUCCESS);
    return status;
}

TEST_F(RegistryTest, TheHostProfileHasItsPrinterFolders) {
    Machine& machine = Machine::instance();
    EXPECT_EQ(machine.registry_product_root_key(), L"Software\\ZWSOFT\\ZWCAD\\2025\\zh-CN");
    EXPECT_EQ(machine.host_profile_name(), L"<<未命名配置>>");
    const std::wstring key = L"Software\\ZWSOFT\\ZWCAD\\2025\\zh-CN\\Profiles\\<<未命名配置>>\\Config";
    EXPECT_EQ(machine.host_profile_config_key(), L"HKCU\\" + key);
    const std::wstring plotters = L"C:\\Users\\korvel\\AppData\\Roaming\\ZWSOFT\\ZWCAD\\2025\\zh-CN\\Plotters";
    const struct {
        const wchar_t* name;
        std::wstring folder;
    } cases[] = {
        {L"PLOTCONFIGPATH", plotters},
        {L"PLOTDESCRIPTIONPATH", plotters + L"\\PMP Files"},
        {L"PLOTSTYLEPATH", plotters + L"\\Plot Styles"},
    };
    for (const auto& c : cases) {
        std::wstring text;
        ASSERT_EQ(Read_String(HKEY_CURRENT_USER, key, c.name, text), ERROR_SUCCESS) << To_Utf8(c.name);
        EXPECT_EQ(text, c.folder);
        EXPECT_TRUE(fs::is_directory(To_Host_Path(c.folder))) << To_Utf8(c.folder);
    }
    EXPECT_EQ(machine.host_printer_description_folder(), plotters + L"\\PMP Files");
    // The Profiles key names the current profile.
    std::wstring current;
    EXPECT_EQ(Read_String(HKEY_CURRENT_USER, L"Software\\ZWSOFT\\ZWCAD\\2025\\zh-CN\\Profiles", L"", current),
              ERROR_SUCCESS);
    EXPECT_EQ(current, L"<<未命名配置>>");

    // Another user, product or profile moves the folders with it.
    machine.set_user_name(L"张三");
    machine.set_registry_product_root_key(L"Software\\ZWSOFT\\ZWCAD\\2021\\zh-CN");
    machine.set_host_profile_name(L"Default");
    std::wstring text;
    ASSERT_EQ(Read_String(HKEY_CURRENT_USER, L"Software\\ZWSOFT\\ZWCAD\\2021\\zh-CN\\Profiles\\Default\\Config",
                          L"PLOTSTYLEPATH", text),
              ERROR_SUCCESS);
    EXPECT_EQ(text, L"C:\\Users\\张三\\AppData\\Roaming\\ZWSOFT\\ZWCAD\\2021\\zh-CN\\Plotters\\Plot Styles");
    EXPECT_TRUE(fs::is_directory(To_Host_Path(text)));
}

TEST_F(RegistryTest, QueriesFollowTheWindowsRules) {
    Registry& registry = Registry::instance();
    ASSERT_TRUE(registry.set_value(L"HKCU\\Software\\Korvel\\Test", L"Path", L"C:\\长路径\\x"));
    ASSERT_TRUE(registry.set_value(L"HKEY_CURRENT_USER\\software\\KORVEL\\test", L"Expand", L"%APPDATA%\\x", REG_EXPAND_SZ));
    ASSERT_TRUE(registry.set_dword(L"HKCU\\Software\\Korvel\\Test", L"Count", 0x12345678));

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\korvel\\TEST", 0, KEY_READ, &key), ERROR_SUCCESS);
    const size_t path_bytes = (std::wcslen(L"C:\\长路径\\x") + 1) * sizeof(wchar_t);

    // Size query: no buffer.
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(key, L"path", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, path_bytes);

    // A buffer one character short: ERROR_MORE_DATA, the size needed, the buffer untouched.
    std::vector<wchar_t> small(path_bytes / sizeof(wchar_t) - 1, L'#');
    size = static_cast<DWORD>(small.size() * sizeof(wchar_t));
    EXPECT_EQ(RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(small.data()), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, path_bytes);
    EXPECT_EQ(small[0], L'#');

    wchar_t text[64] = {};
    size = sizeof(text);
    EXPECT_EQ(RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, L"C:\\长路径\\x");
    EXPECT_EQ(size, path_bytes);

    size = sizeof(text);
    EXPECT_EQ(RegQueryValueExW(key, L"Expand", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_STREQ(text, L"%APPDATA%\\x");  // not expanded, as Windows stores it

    DWORD number = 0;
    size = sizeof(number);
    EXPECT_EQ(RegQueryValueExW(key, L"Count", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number, 0x12345678u);

    EXPECT_EQ(RegQueryValueExW(key, L"Missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueExW(key, L"Path", nullptr, &type, reinterpret_cast<BYTE*>(text), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExW(key, L"Path", nullptr, &type, nullptr, &size), ERROR_INVALID_HANDLE);

    HKEY other = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Korvel\\Missing", 0, KEY_READ, &other), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Korvel\\Test", 0, KEY_READ, &other), ERROR_FILE_NOT_FOUND);
    // The store is read-only for programs.
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Korvel\\Test", 0, KEY_WRITE, &other), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Korvel\\Test", 0, KEY_ALL_ACCESS, &other),
              ERROR_ACCESS_DENIED);

    // Keys on the way to a stored key exist; keys open relative to open keys.
    HKEY software = nullptr, test = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &software), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExW(software, L"Korvel\\Test", 0, KEY_READ, &test), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(test, L"COUNT", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(test);
    RegCloseKey(software);
}

TEST_F(RegistryTest, EnumerationListsSubKeysAlphabeticallyAndValuesInOrder) {
    Registry& registry = Registry::instance();
    registry.set_value(L"HKLM\\Software\\Enum\\beta", L"z", L"1");
    registry.set_value(L"HKLM\\Software\\Enum\\Alpha\\Deep", L"x", L"1");
    registry.create_key(L"HKLM\\Software\\Enum\\gamma");
    registry.set_value(L"HKLM\\Software\\Enum", L"second", L"2");
    registry.set_dword(L"HKLM\\Software\\Enum", L"First", 1);
    registry.set_value(L"HKLM\\Software\\Enum", L"SECOND", L"two");  // replaces, keeps its place

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Enum", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::wstring> names;
    wchar_t name[32];
    for (DWORD i = 0;; ++i) {
        DWORD length = 32;
        const LSTATUS status = RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        EXPECT_EQ(length, std::wcslen(name));
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"beta", L"gamma"}));
    DWORD length = 3;  // "Alpha" needs 6
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);

    std::vector<std::pair<std::wstring, DWORD>> values;
    for (DWORD i = 0;; ++i) {
        DWORD name_length = 32, type = 0;
        const LSTATUS status = RegEnumValueW(key, i, name, &name_length, nullptr, &type, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(status, ERROR_SUCCESS);
        values.emplace_back(name, type);
    }
    EXPECT_EQ(values, (std::vector<std::pair<std::wstring, DWORD>>{{L"second", REG_SZ}, {L"First", REG_DWORD}}));
    wchar_t data[8];
    DWORD name_length = 32, size = sizeof(data);
    ASSERT_EQ(RegEnumValueW(key, 0, name, &name_length, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(data, L"two");
    RegCloseKey(key);

    EXPECT_TRUE(registry.remove_key(L"HKLM\\Software\\Enum\\Alpha"));
    EXPECT_FALSE(registry.key_exists(L"HKLM\\Software\\Enum\\Alpha\\Deep"));
    EXPECT_EQ(registry.subkey_names(L"HKLM\\Software\\Enum"), (std::vector<std::wstring>{L"beta", L"gamma"}));
}

TEST_F(RegistryTest, TheStoreIsKeptInTheMachineRoot) {
    Registry& registry = Registry::instance();
    EXPECT_EQ(registry.file(), root_ / "registry.txt");
    ASSERT_TRUE(registry.set_value(L"HKCU\\Software\\Korvel", L"Name", L"a|b 值"));
    ASSERT_TRUE(registry.set_dword(L"HKCU\\Software\\Korvel", L"Flag", 3));
    // A changed host value survives a restart of the machine on the same root.
    const std::wstring config = Machine::instance().host_profile_config_key();
    ASSERT_TRUE(registry.set_value(config, L"PLOTCONFIGPATH", L"D:\\Plotters;C:\\More"));
    const std::string stored = Read_File(root_ / "registry.txt");
    EXPECT_NE(stored.find("HKCU\\Software\\Korvel|Name|REG_SZ|a|b 值\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("HKCU\\Software\\Korvel|Flag|REG_DWORD|3\n"), std::string::npos) << stored;

    Machine::instance().set_root(root_);
    EXPECT_EQ(registry.value(L"HKCU\\Software\\Korvel", L"name")->text, L"a|b 值");
    EXPECT_EQ(registry.value(L"HKCU\\Software\\Korvel", L"Flag")->number, 3u);
    EXPECT_EQ(registry.value(config, L"PLOTCONFIGPATH")->text, L"D:\\Plotters;C:\\More");

    // Names that the file cannot hold are refused.
    EXPECT_FALSE(registry.set_value(L"HKCU\\Software\\Korvel", L"a|b", L"x"));
    EXPECT_FALSE(registry.set_value(L"HKCU\\Software\\Korvel", L"Name", L"two\nlines"));
    EXPECT_FALSE(registry.set_value(L"NOHIVE\\Software", L"Name", L"x"));
    EXPECT_FALSE(registry.set_value(L"HKCU\\Software\\Korvel", L"Name", L"x", REG_DWORD));
    EXPECT_EQ(registry.value(L"HKCU\\Software\\Korvel", L"Name")->text, L"a|b 值");
}

TEST_F(RegistryTest, AHandWrittenStoreIsRead) {
    const fs::path other = root_ / "other";
    fs::create_directories(other);
    std::ofstream(other / "registry.txt", std::ios::binary)
        << "# set up by a test\n"
           "\n"
           "HKEY_CURRENT_USER\\Software\\ZWSOFT\\ZWCAD\\2025\\zh-CN\\Profiles\\<<未命名配置>>\\Config|PLOTSTYLEPATH|REG_SZ|"
           "%RoamableRootFolder%\\Plot Styles\r\n"
           "HKLM\\Software\\Korvel|Version|REG_DWORD|0x10\n"
           "HKLM\\Software\\Empty\n"
           "HKLM\\Software\\Korvel|Broken|REG_DWORD|ten\n"
           "HKLM\\Software\\Korvel|Unknown|REG_BINARY|00\n"
           "not a key\n";
    Machine::instance().set_root(other);
    Registry& registry = Registry::instance();
    const std::wstring config = Machine::instance().host_profile_config_key();
    EXPECT_EQ(registry.value(config, L"PLOTSTYLEPATH")->text, L"%RoamableRootFolder%\\Plot Styles");
    // Values the file lacks get their defaults.
    EXPECT_EQ(registry.value(config, L"PLOTCONFIGPATH")->text, Machine::instance().host_printer_config_folder());
    EXPECT_EQ(registry.value(L"HKLM\\Software\\Korvel", L"Version")->number, 16u);
    EXPECT_TRUE(registry.key_exists(L"HKLM\\Software\\Empty"));
    EXPECT_FALSE(registry.value(L"HKLM\\Software\\Korvel", L"Broken"));
    EXPECT_FALSE(registry.value(L"HKLM\\Software\\Korvel", L"Unknown"));
}

}  // namespace
}  // namespace platform
