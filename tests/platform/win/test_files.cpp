#include <cstring>

#include "machine_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

using FileTest = MachineTest;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(FileTest, AttributesReadOnlyAndHidden) {
    Write_File(c_drive() / "Cfg" / "a.cfg");
    EXPECT_EQ(GetFileAttributesW(L"C:\\cfg\\A.CFG"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesW(L"C:\\cfg"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesW(L"C:\\cfg\\none.cfg"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW(L"C:\\nofolder\\none.cfg"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    ASSERT_TRUE(SetFileAttributesW(L"C:\\Cfg\\a.cfg", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Cfg\\a.cfg"), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(fs::status(c_drive() / "Cfg/a.cfg").permissions() & fs::perms::owner_write, fs::perms::none);

    // Read-only files cannot be deleted, overwritten or opened for writing.
    EXPECT_FALSE(DeleteFileW(L"C:\\Cfg\\a.cfg"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(_wremove(L"C:\\Cfg\\a.cfg"), -1);
    EXPECT_EQ(_wfopen(L"C:\\Cfg\\a.cfg", L"w"), nullptr);
    EXPECT_EQ(_waccess(L"C:\\Cfg\\a.cfg", W_OK), -1);
    EXPECT_EQ(_waccess(L"C:\\Cfg\\a.cfg", F_OK), 0);
    Write_File(c_drive() / "other.cfg");
    EXPECT_FALSE(CopyFileW(L"C:\\other.cfg", L"C:\\Cfg\\a.cfg", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(fs::exists(c_drive() / "Cfg/a.cfg"));

    // Attributes are kept for the machine, not only for this process.
    Machine::instance().set_root(root_);
    EXPECT_EQ(GetFileAttributesW(L"C:\\Cfg\\a.cfg"), static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));

    ASSERT_TRUE(SetFileAttributesW(L"C:\\Cfg\\a.cfg", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesW(L"C:\\Cfg\\a.cfg"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(DeleteFileW(L"C:\\Cfg\\a.cfg"));
    EXPECT_FALSE(fs::exists(c_drive() / "Cfg/a.cfg"));
    EXPECT_FALSE(DeleteFileW(L"C:\\Cfg\\a.cfg"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(SetFileAttributesW(L"C:\\Cfg\\a.cfg", FILE_ATTRIBUTE_NORMAL));
}

TEST_F(FileTest, AttributesFollowRenamesAndNotDeletedFiles) {
    Write_File(c_drive() / "h.txt");
    ASSERT_TRUE(SetFileAttributesW(L"C:\\h.txt", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(MoveFileW(L"C:\\h.txt", L"C:\\g.txt"));
    EXPECT_EQ(GetFileAttributesW(L"C:\\g.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    Write_File(c_drive() / "h.txt");
    EXPECT_EQ(GetFileAttributesW(L"C:\\h.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_TRUE(DeleteFileW(L"C:\\g.txt"));
    Write_File(c_drive() / "g.txt");
    EXPECT_EQ(GetFileAttributesW(L"C:\\g.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

TEST_F(FileTest, DirectoriesCreateAndRemove) {
    EXPECT_TRUE(CreateDirectoryW(L"C:\\Korvel", nullptr));
    EXPECT_TRUE(fs::is_directory(c_drive() / "Korvel"));
    EXPECT_FALSE(CreateDirectoryW(L"c:\\KORVEL", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(L"C:\\a\\b\\c", nullptr));  // one level only
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    Write_File(c_drive() / "Korvel" / "f");
    EXPECT_FALSE(RemoveDirectoryW(L"C:\\Korvel"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFileW(L"C:\\Korvel"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(DeleteFileW(L"C:\\korvel\\F"));
    EXPECT_TRUE(RemoveDirectoryW(L"C:\\korvel"));
    EXPECT_FALSE(fs::exists(c_drive() / "Korvel"));
    EXPECT_TRUE(PathFileExistsW(L"C:\\users\\KORVEL\\appdata"));
    EXPECT_FALSE(PathFileExistsW(L"C:\\users\\nobody"));
}

TEST_F(FileTest, CopyAndMove) {
    Write_File(c_drive() / "src.txt", "one");
    Write_File(c_drive() / "dst.txt", "two");
    EXPECT_FALSE(CopyFileW(L"C:\\src.txt", L"C:\\dst.txt", TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(Read(c_drive() / "dst.txt"), "two");
    EXPECT_TRUE(CopyFileW(L"C:\\SRC.txt", L"C:\\dst.txt", FALSE));
    EXPECT_EQ(Read(c_drive() / "dst.txt"), "one");
    EXPECT_FALSE(CopyFileW(L"C:\\missing.txt", L"C:\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(CopyFileW(L"C:\\src.txt", L"C:\\nodir\\x.txt", FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    Write_File(c_drive() / "dst.txt", "two");
    EXPECT_FALSE(MoveFileW(L"C:\\src.txt", L"C:\\dst.txt"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileExW(L"C:\\src.txt", L"C:\\dst.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(Read(c_drive() / "dst.txt"), "one");
    EXPECT_FALSE(fs::exists(c_drive() / "src.txt"));
    // Renaming to another case of the same name is allowed.
    EXPECT_TRUE(MoveFileW(L"C:\\dst.txt", L"C:\\DST.txt"));
    EXPECT_TRUE(fs::exists(c_drive() / "DST.txt"));
    // A read-only target is not replaced.
    Write_File(c_drive() / "ro.txt", "ro");
    ASSERT_TRUE(SetFileAttributesW(L"C:\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(MoveFileExW(L"C:\\DST.txt", L"C:\\ro.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Read(c_drive() / "ro.txt"), "ro");
    EXPECT_EQ(_wrename(L"C:\\DST.txt", L"C:\\ro.txt"), -1);
    EXPECT_EQ(_wrename(L"C:\\DST.txt", L"C:\\renamed.txt"), 0);
    EXPECT_EQ(Read(c_drive() / "renamed.txt"), "one");
}

// Writes text through _wfopen with the given mode; false when it cannot be opened.
bool Write_Through(const wchar_t* path, const wchar_t* mode, const char* text) {
    FILE* f = _wfopen(path, mode);
    if (!f) return false;
    std::fputs(text, f);
    return std::fclose(f) == 0;
}

// Reads a whole file through _wfopen with the given mode.
std::string Read_Through(const wchar_t* path, const wchar_t* mode) {
    FILE* f = _wfopen(path, mode);
    if (!f) return "<cannot open>";
    std::string text;
    char buffer[64];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    return text;
}

TEST_F(FileTest, WfopenModes) {
    const fs::path host = c_drive() / "Users/korvel/Documents/新.txt";
    ASSERT_TRUE(Write_Through(L"C:\\Users\\KORVEL\\Documents\\新.txt", L"w, ccs=UNICODE", "abc"));
    EXPECT_EQ(Read(host), "abc");
    ASSERT_TRUE(Write_Through(L"C:\\users\\korvel\\documents\\新.TXT", L"a+b", "d"));
    EXPECT_EQ(Read(host), "abcd");
    EXPECT_EQ(Read_Through(L"C:\\users\\korvel\\documents\\新.TXT", L"rb"), "abcd");

    // Text mode (no 'b') stores line breaks as CR LF and reads them back as LF.
    ASSERT_TRUE(Write_Through(L"C:\\lines.txt", L"wt", "a\nb\n"));
    EXPECT_EQ(Read(c_drive() / "lines.txt"), "a\r\nb\r\n");
    ASSERT_TRUE(Write_Through(L"C:\\lines.txt", L"a", "c\n"));
    EXPECT_EQ(Read_Through(L"C:\\lines.txt", L"r"), "a\nb\nc\n");
    EXPECT_EQ(Read_Through(L"C:\\lines.txt", L"rb"), "a\r\nb\r\nc\r\n");

    EXPECT_EQ(_wfopen(L"C:\\nofolder\\x.txt", L"w"), nullptr);
    EXPECT_EQ(_wfopen(L"C:\\missing.txt", L"r"), nullptr);
    EXPECT_EQ(_wfopen(L"C:\\Users", L"w"), nullptr);
}

std::vector<std::wstring> Find_All(const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    HANDLE h = FindFirstFileW(pattern, &data);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += L"\\";
        names.push_back(name);
    } while (FindNextFileW(h, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(h));
    return names;
}

TEST_F(FileTest, FindWithWildcards) {
    for (const char* name : {"b.dxf", "A.DXF", "a.dwg", "plan1.dxf", "plan22.dxf", "readme", "宋体.shx"})
        Write_File(c_drive() / "Dwg" / name, "12345");
    fs::create_directories(c_drive() / "Dwg" / "Sub");
    using Names = std::vector<std::wstring>;
    const struct {
        const wchar_t* pattern;
        Names names;
    } cases[] = {
        {L"C:\\dwg\\*.dxf", {L"A.DXF", L"b.dxf", L"plan1.dxf", L"plan22.dxf"}},
        {L"C:/DWG/plan?.dxf", {L"plan1.dxf"}},
        {L"C:\\Dwg\\plan*", {L"plan1.dxf", L"plan22.dxf"}},
        {L"C:\\Dwg\\*", {L".\\", L"..\\", L"a.dwg", L"A.DXF", L"b.dxf", L"plan1.dxf", L"plan22.dxf", L"readme",
                          L"Sub\\", L"宋体.shx"}},
        {L"C:\\Dwg\\*.*", {L".\\", L"..\\", L"a.dwg", L"A.DXF", L"b.dxf", L"plan1.dxf", L"plan22.dxf", L"readme",
                            L"Sub\\", L"宋体.shx"}},
        {L"C:\\Dwg\\readme.*", {L"readme"}},
        {L"C:\\Dwg\\宋体.*", {L"宋体.shx"}},
        {L"C:\\Dwg\\a.dxf", {L"A.DXF"}},
        {L"C:\\Dwg\\*.pdf", {}},
        {L"C:\\*", {L"Program Files\\", L"Users\\", L"Windows\\", L"Dwg\\"}},
    };
    for (const auto& c : cases) {
        auto found = Find_All(c.pattern);
        Names expected = c.names;
        if (std::wstring(c.pattern) == L"C:\\*") {  // order of the drive root aside
            std::sort(found.begin(), found.end());
            std::sort(expected.begin(), expected.end());
        }
        EXPECT_EQ(found, expected) << To_Utf8(c.pattern);
    }
    WIN32_FIND_DATAW data{};
    HANDLE h = FindFirstFileW(L"C:\\Dwg\\b.dxf", &data);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    FindClose(h);
    EXPECT_EQ(FindFirstFileW(L"C:\\Dwg\\*.pdf", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(L"C:\\NoDir\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(WildcardMatch, WindowsRules) {
    const struct {
        const wchar_t* pattern;
        const wchar_t* name;
        bool match;
    } cases[] = {
        {L"*", L"", true},          {L"*.*", L"noext", true},    {L"*.dxf", L"A.DXF", true},
        {L"*.dxf", L"a.dxf.bak", false}, {L"a*b*c", L"aXXbYYc", true}, {L"a*b*c", L"aXXbYY", false},
        {L"?.txt", L"ab.txt", false}, {L"??.txt", L"ab.txt", true}, {L"file.*", L"file", true},
        {L"Ä*", L"äpfel", true},    {L"宋?", L"宋体", true},        {L"宋*", L"体", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Wildcard_Match(c.pattern, c.name), c.match) << To_Utf8(c.pattern) << " " << To_Utf8(c.name);
}

TEST_F(FileTest, DataStreamsAreDeletedButNotListed) {
    Write_File(c_drive() / "Download" / "a.pdf", "%PDF");
    FILE* mark = _wfsopen(L"C:\\Download\\a.pdf:Zone.Identifier", L"w", _SH_DENYNO);
    ASSERT_NE(mark, nullptr);
    std::fputs("[ZoneTransfer]\nZoneId=3\n", mark);
    ASSERT_EQ(std::fclose(mark), 0);
    EXPECT_EQ(Find_All(L"C:\\Download\\*"), (std::vector<std::wstring>{L".\\", L"..\\", L"a.pdf"}));
    EXPECT_TRUE(DeleteFileW(L"C:\\Download\\A.pdf:Zone.Identifier"));
    EXPECT_FALSE(DeleteFileW(L"C:\\Download\\a.pdf:Zone.Identifier"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Read(c_drive() / "Download" / "a.pdf"), "%PDF");
}

}  // namespace
}  // namespace platform
