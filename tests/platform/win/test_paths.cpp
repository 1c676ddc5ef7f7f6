#include <functional>

#include "machine_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using PathTest = MachineTest;

TEST_F(PathTest, WindowsPathsMapIntoTheDrives) {
    Write_File(c_drive() / "Program Files" / "Korvel" / "Brelmor.cfg");
    const struct {
        const wchar_t* windows;
        fs::path host;
    } cases[] = {
        {L"C:\\Program Files\\Korvel\\Brelmor.cfg", c_drive() / "Program Files/Korvel/Brelmor.cfg"},
        {L"c:/program files/KORVEL/brelmor.CFG", c_drive() / "Program Files/Korvel/Brelmor.cfg"},
        {L"C:\\PROGRAM FILES\\korvel\\new\\File.txt", c_drive() / "Program Files/Korvel/new/File.txt"},
        {L"C:\\a\\\\b\\.\\..\\c\\", c_drive() / "a/c"},
        {L"C:\\..\\..\\x", c_drive() / "x"},
        {L"C:\\", c_drive()},
        {L"d:\\data", root_ / "d" / "data"},
        {L"\\Program Files", c_drive() / "Program Files"},
        {L"Program Files\\korvel", c_drive() / "Program Files/Korvel"},
        {L"/tmp/Some/Host/Path", fs::path("/tmp/Some/Host/Path")},
    };
    for (const auto& c : cases) EXPECT_EQ(To_Host_Path(c.windows), c.host) << To_Utf8(c.windows);
    EXPECT_TRUE(To_Host_Path(L"Q:\\nothing").empty());
    EXPECT_TRUE(To_Host_Path(L"\\\\server\\share\\x").empty());
    EXPECT_TRUE(To_Host_Path(L"").empty());
}

TEST_F(PathTest, CaseInsensitiveResolutionCoversNonAsciiNamesAndPrefersTheExactSpelling) {
    Write_File(c_drive() / "Dwg" / "ÉTUDE" / "宋体Plan.dxf");
    Write_File(c_drive() / "Dwg" / "ДОК" / "a.txt");
    EXPECT_EQ(To_Host_Path(L"C:\\dwg\\étude\\宋体plan.DXF"), c_drive() / "Dwg" / "ÉTUDE" / "宋体Plan.dxf");
    EXPECT_EQ(To_Host_Path(L"C:\\dwg\\док\\A.TXT"), c_drive() / "Dwg" / "ДОК" / "a.txt");
    // CJK has no case: a different character does not match.
    EXPECT_EQ(To_Host_Path(L"C:\\dwg\\étude\\宋休plan.dxf"), c_drive() / "Dwg" / "ÉTUDE" / "宋休plan.dxf");
    // Two entries that differ only by case on the host: the exact one wins.
    Write_File(c_drive() / "Dwg" / "dup" / "x");
    Write_File(c_drive() / "Dwg" / "DUP" / "y");
    EXPECT_EQ(To_Host_Path(L"C:\\Dwg\\DUP\\y"), c_drive() / "Dwg" / "DUP" / "y");
    EXPECT_EQ(To_Host_Path(L"C:\\Dwg\\dup\\x"), c_drive() / "Dwg" / "dup" / "x");
}

// A path written in another case resolves again once the folders it goes through change.
TEST_F(PathTest, CaseInsensitiveResolutionFollowsChangedFolders) {
    const std::wstring lower = L"c:\\users\\plotters\\pmp files\\k_pdf.pmp";
    const struct {
        const char* what;
        std::function<void()> change;
        fs::path resolved;
    } cases[] = {
        {"as written first", [] {}, c_drive() / "Users/Plotters/PMP Files/K_PDF.pmp"},
        {"file gone", [this] { fs::remove(c_drive() / "Users/Plotters/PMP Files/K_PDF.pmp"); },
         c_drive() / "Users/Plotters/PMP Files/k_pdf.pmp"},
        {"file back in another case", [this] { Write_File(c_drive() / "Users/Plotters/PMP Files/K_pdf.PMP"); },
         c_drive() / "Users/Plotters/PMP Files/K_pdf.PMP"},
        {"folder of the exact spelling added",
         [this] { Write_File(c_drive() / "Users/Plotters/pmp files/k_pdf.pmp"); },
         c_drive() / "Users/Plotters/pmp files/k_pdf.pmp"},
        {"parent moved away", [this] { fs::rename(c_drive() / "Users/Plotters", c_drive() / "Users/Old"); },
         c_drive() / "Users/plotters/pmp files/k_pdf.pmp"},
    };
    Write_File(c_drive() / "Users/Plotters/PMP Files/K_PDF.pmp");
    for (const auto& c : cases) {
        c.change();
        EXPECT_EQ(To_Host_Path(lower), c.resolved) << c.what;
        EXPECT_EQ(To_Host_Path(lower), c.resolved) << c.what << ", asked again";
    }
}

TEST_F(PathTest, HostPathsMapBackToWindowsPaths) {
    EXPECT_EQ(To_Windows_Path(c_drive() / "Users" / "korvel" / "文件.txt"), L"C:\\Users\\korvel\\文件.txt");
    EXPECT_EQ(To_Windows_Path(c_drive()), L"C:\\");
    EXPECT_EQ(To_Windows_Path(root_ / "d" / "x"), L"D:\\x");
    EXPECT_EQ(To_Windows_Path("/usr/lib/x.so"), L"Z:\\usr\\lib\\x.so");
    EXPECT_EQ(To_Host_Path(L"Z:\\USR\\lib\\x.so"), To_Host_Path(L"Z:\\usr\\lib\\x.so"));
    // A drive mapped inside another drive's folder wins for its own files.
    Machine::instance().map_drive(L'e', c_drive() / "mounted");
    EXPECT_EQ(To_Windows_Path(c_drive() / "mounted" / "f"), L"E:\\f");
    EXPECT_EQ(To_Host_Path(L"E:\\f"), c_drive() / "mounted" / "f");
}

TEST_F(PathTest, CurrentDirectoryResolvesRelativePaths) {
    wchar_t buffer[MAX_PATH];
    EXPECT_EQ(GetCurrentDirectoryW(MAX_PATH, buffer), 3u);
    EXPECT_STREQ(buffer, L"C:\\");
    Write_File(c_drive() / "Work" / "Sub" / "a.txt");
    ASSERT_TRUE(SetCurrentDirectoryW(L"c:\\work\\"));
    GetCurrentDirectoryW(MAX_PATH, buffer);
    EXPECT_STREQ(buffer, L"C:\\Work");
    EXPECT_EQ(To_Host_Path(L"sub\\A.txt"), c_drive() / "Work" / "Sub" / "a.txt");
    EXPECT_EQ(To_Host_Path(L"..\\Work"), c_drive() / "Work");
    EXPECT_EQ(To_Host_Path(L"C:sub"), c_drive() / "Work" / "Sub");
    EXPECT_FALSE(SetCurrentDirectoryW(L"C:\\missing"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetCurrentDirectoryW(2, buffer), 8u);  // size needed with terminator
}

TEST_F(PathTest, EnvironmentIsTheMachinesOwn) {
    wchar_t buffer[MAX_PATH];
    const struct {
        const wchar_t* name;
        const wchar_t* value;
    } cases[] = {
        {L"USERNAME", L"korvel"},
        {L"userprofile", L"C:\\Users\\korvel"},
        {L"APPDATA", L"C:\\Users\\korvel\\AppData\\Roaming"},
        {L"LOCALAPPDATA", L"C:\\Users\\korvel\\AppData\\Local"},
        {L"TEMP", L"C:\\Users\\korvel\\AppData\\Local\\Temp"},
        {L"TMP", L"C:\\Users\\korvel\\AppData\\Local\\Temp"},
        {L"HOMEDRIVE", L"C:"},
        {L"HOMEPATH", L"\\Users\\korvel"},
        {L"ProgramFiles", L"C:\\Program Files"},
        {L"SystemRoot", L"C:\\Windows"},
    };
    for (const auto& c : cases) {
        const DWORD n = GetEnvironmentVariableW(c.name, buffer, MAX_PATH);
        EXPECT_EQ(n, wcslen(c.value)) << To_Utf8(c.name);
        EXPECT_STREQ(buffer, c.value);
    }
    // The profile folders exist on the host.
    EXPECT_TRUE(fs::is_directory(c_drive() / "Users/korvel/AppData/Roaming"));
    EXPECT_TRUE(fs::is_directory(c_drive() / "Users/korvel/AppData/Local/Temp"));
    EXPECT_TRUE(fs::is_directory(c_drive() / "Users/korvel/Documents"));
    EXPECT_TRUE(fs::is_directory(c_drive() / "Users/korvel/Desktop"));

    EXPECT_EQ(GetEnvironmentVariableW(L"APPDATA", buffer, 5), 32u);  // needed size with terminator
    EXPECT_EQ(GetEnvironmentVariableW(L"KORVEL_NOT_SET", buffer, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    ASSERT_TRUE(SetEnvironmentVariableW(L"Korvel_Var", L"v1"));
    EXPECT_EQ(GetEnvironmentVariableW(L"KORVEL_VAR", buffer, MAX_PATH), 2u);
    EXPECT_EQ(::getenv("Korvel_Var"), nullptr);  // not the process environment
    ASSERT_TRUE(SetEnvironmentVariableW(L"KORVEL_VAR", nullptr));
    EXPECT_EQ(GetEnvironmentVariableW(L"Korvel_Var", buffer, MAX_PATH), 0u);

    Machine::instance().set_user_name(L"张三");
    GetEnvironmentVariableW(L"APPDATA", buffer, MAX_PATH);
    EXPECT_STREQ(buffer, L"C:\\Users\\张三\\AppData\\Roaming");
    EXPECT_TRUE(fs::is_directory(To_Host_Path(buffer)));
}

TEST_F(PathTest, ExpandEnvironmentStrings) {
    wchar_t buffer[MAX_PATH];
    const struct {
        const wchar_t* source;
        const wchar_t* expanded;
    } cases[] = {
        {L"%APPDATA%\\Korvel", L"C:\\Users\\korvel\\AppData\\Roaming\\Korvel"},
        {L"%username%-%USERNAME%", L"korvel-korvel"},
        {L"%NOPE%\\x", L"%NOPE%\\x"},
        {L"100%", L"100%"},
        {L"%NOPE%USERNAME%", L"%NOPEkorvel"},
        {L"%%", L"%%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandEnvironmentStringsW(c.source, buffer, MAX_PATH), wcslen(c.expanded) + 1);
        EXPECT_STREQ(buffer, c.expanded);
    }
    EXPECT_EQ(ExpandEnvironmentStringsW(L"%USERNAME%", buffer, 3), 7u);
}

TEST_F(PathTest, ShellFoldersAndTempPath) {
    wchar_t buffer[MAX_PATH];
    const struct {
        int csidl;
        const wchar_t* folder;
    } cases[] = {
        {CSIDL_APPDATA, L"C:\\Users\\korvel\\AppData\\Roaming"},
        {CSIDL_LOCAL_APPDATA, L"C:\\Users\\korvel\\AppData\\Local"},
        {CSIDL_PERSONAL, L"C:\\Users\\korvel\\Documents"},
        {CSIDL_PROFILE, L"C:\\Users\\korvel"},
        {CSIDL_DESKTOPDIRECTORY, L"C:\\Users\\korvel\\Desktop"},
        {CSIDL_PROGRAM_FILES | CSIDL_FLAG_CREATE, L"C:\\Program Files"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SHGetFolderPathW(nullptr, c.csidl, nullptr, SHGFP_TYPE_CURRENT, buffer), S_OK);
        EXPECT_STREQ(buffer, c.folder);
        EXPECT_TRUE(fs::is_directory(To_Host_Path(buffer)));
    }
    fs::remove_all(c_drive() / "Users/korvel/Documents");
    EXPECT_TRUE(FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, buffer)));
    EXPECT_EQ(SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, buffer), S_OK);
    EXPECT_TRUE(fs::is_directory(c_drive() / "Users/korvel/Documents"));
    EXPECT_EQ(SHGetFolderPathW(nullptr, 0x7777, nullptr, 0, buffer), E_INVALIDARG);

    EXPECT_EQ(GetTempPathW(MAX_PATH, buffer), 35u);
    EXPECT_STREQ(buffer, L"C:\\Users\\korvel\\AppData\\Local\\Temp\\");
    EXPECT_EQ(GetTempPathW(4, buffer), 36u);
}

TEST_F(PathTest, LocalTimeCanBeFixed) {
    SYSTEMTIME fixed{2026, 12, 2, 8, 23, 14, 30, 0};
    Machine::instance().set_local_time(fixed);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(now.wYear, 2026);
    EXPECT_EQ(now.wDay, 8);
    EXPECT_EQ(now.wSecond, 30);
    Machine::instance().clear_local_time();
    GetLocalTime(&now);
    EXPECT_GE(now.wYear, 2024);
}

}  // namespace
}  // namespace platform
