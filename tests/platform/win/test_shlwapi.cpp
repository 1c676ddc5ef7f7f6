#include <cstring>

#include "machine_fixture.h"

namespace platform {
namespace {

// Runs a helper that edits a MAX_PATH buffer in place.
template <typename Edit>
std::wstring Edited(const wchar_t* path, Edit edit, BOOL* result = nullptr) {
    wchar_t buffer[MAX_PATH];
    std::wcscpy(buffer, path);
    const BOOL done = edit(buffer);
    if (result) *result = done;
    return buffer;
}

TEST(PathHelperTest, FileNameAndExtension) {
    const struct {
        const wchar_t* path;
        const wchar_t* name;
        const wchar_t* extension;
    } cases[] = {
        {L"C:\\a\\b.txt", L"b.txt", L".txt"},
        {L"C:\\a\\b.tar.gz", L"b.tar.gz", L".gz"},
        {L"C:\\a.b\\file", L"file", L""},
        {L"C:\\a\\", L"a\\", L""},
        {L"C:\\", L"C:\\", L""},
        {L"C:file.dxf", L"file.dxf", L".dxf"},
        {L"C:/a/图纸.dwg", L"图纸.dwg", L".dwg"},
        {L"name", L"name", L""},
        {L"a.b c", L"a.b c", L""},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(PathFindFileNameW(c.path), c.name) << To_Utf8(c.path);
        EXPECT_STREQ(PathFindExtensionW(c.path), c.extension) << To_Utf8(c.path);
        // Both point into the given text.
        EXPECT_EQ(PathFindExtensionW(c.path)[std::wcslen(c.extension)], L'\0');
    }
}

TEST(PathHelperTest, ExtensionsAreRemovedAndRenamed) {
    const struct {
        const wchar_t* path;
        const wchar_t* removed;
        const wchar_t* renamed;  // with ".pdf"
    } cases[] = {
        {L"C:\\a\\b.dwg", L"C:\\a\\b", L"C:\\a\\b.pdf"},
        {L"C:\\a.x\\b", L"C:\\a.x\\b", L"C:\\a.x\\b.pdf"},
        {L"b.tar.gz", L"b.tar", L"b.tar.pdf"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Edited(c.path, [](wchar_t* p) { PathRemoveExtensionW(p); return TRUE; }), c.removed);
        EXPECT_EQ(Edited(c.path, [](wchar_t* p) { return PathRenameExtensionW(p, L".pdf"); }), c.renamed);
    }
    std::wstring longest(MAX_PATH - 3, L'a');
    longest += L".x";
    BOOL done = TRUE;
    EXPECT_EQ(Edited(longest.c_str(), [](wchar_t* p) { return PathRenameExtensionW(p, L".pdf"); }, &done), longest);
    EXPECT_FALSE(done);
}

TEST(PathHelperTest, RemoveFileSpec) {
    const struct {
        const wchar_t* path;
        const wchar_t* left;
        BOOL removed;
    } cases[] = {
        {L"C:\\a\\b.txt", L"C:\\a", TRUE},
        {L"C:\\a\\", L"C:\\a", TRUE},
        {L"C:\\a.txt", L"C:\\", TRUE},
        {L"C:\\", L"C:\\", FALSE},
        {L"C:name", L"C:", TRUE},
        {L"\\a", L"\\", TRUE},
        {L"\\", L"\\", FALSE},
        {L"name.txt", L"", TRUE},
        {L"", L"", FALSE},
    };
    for (const auto& c : cases) {
        BOOL removed = FALSE;
        EXPECT_EQ(Edited(c.path, PathRemoveFileSpecW, &removed), c.left) << To_Utf8(c.path);
        EXPECT_EQ(removed, c.removed) << To_Utf8(c.path);
    }
}

TEST(PathHelperTest, CombineAndAppend) {
    const struct {
        const wchar_t* dir;
        const wchar_t* file;
        const wchar_t* combined;
    } cases[] = {
        {L"C:\\a", L"b.txt", L"C:\\a\\b.txt"},
        {L"C:\\a\\", L"b.txt", L"C:\\a\\b.txt"},
        {L"C:\\a\\b", L"..\\c", L"C:\\a\\c"},
        {L"C:\\a", L"..\\..\\..\\c", L"C:\\c"},
        {L"C:\\a", L".\\b\\.\\c\\", L"C:\\a\\b\\c\\"},
        {L"C:\\a", L"D:\\x", L"D:\\x"},
        {L"C:\\a", L"\\x", L"C:\\x"},
        {L"C:\\a", L"", L"C:\\a"},
        {nullptr, L"b", L"b"},
        {L"C:\\a", nullptr, L"C:\\a"},
    };
    for (const auto& c : cases) {
        wchar_t out[MAX_PATH] = L"?";
        EXPECT_EQ(PathCombineW(out, c.dir, c.file), out);
        EXPECT_STREQ(out, c.combined) << To_Utf8(c.dir ? c.dir : L"null") << " + " << To_Utf8(c.file ? c.file : L"null");
    }
    wchar_t out[MAX_PATH] = L"?";
    EXPECT_EQ(PathCombineW(out, nullptr, nullptr), nullptr);
    const std::wstring long_name(MAX_PATH, L'x');
    EXPECT_EQ(PathCombineW(out, L"C:\\", long_name.c_str()), nullptr);
    EXPECT_STREQ(out, L"");

    BOOL done = FALSE;
    EXPECT_EQ(Edited(L"C:\\Korvel", [](wchar_t* p) { return PathAppendW(p, L"\\Sign.kvlib1"); }, &done),
              L"C:\\Korvel\\Sign.kvlib1");
    EXPECT_TRUE(done);
    EXPECT_EQ(Edited(L"C:\\Korvel\\", [](wchar_t* p) { return PathAppendW(p, L"..\\Frame"); }), L"C:\\Frame");
    std::wstring near_full(MAX_PATH - 5, L'y');
    EXPECT_EQ(Edited(near_full.c_str(), [](wchar_t* p) { return PathAppendW(p, L"toolong"); }, &done), L"");
    EXPECT_FALSE(done);
}

using PathIsDirectoryTest = MachineTest;

TEST_F(PathIsDirectoryTest, LooksAtTheMachine) {
    Write_File(c_drive() / "Dir" / "f.txt");
    EXPECT_EQ(PathIsDirectoryW(L"c:\\dir"), static_cast<BOOL>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(PathIsDirectoryW(L"C:\\Dir\\"), static_cast<BOOL>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(PathIsDirectoryW(L"C:\\Dir\\f.txt"));
    EXPECT_FALSE(PathIsDirectoryW(L"C:\\Missing"));
}

}  // namespace
}  // namespace platform
