#include "core/file_operations.h"

#include <cstdio>
#include <functional>

#include "win/windows.h"

namespace {

// Calls visit(full path, is folder) for each entry directly in the folder.
void For_Each_Entry(const CString& folder, const std::function<void(const CString&, bool)>& visit)
{
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"\\*").GetString(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const CString name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        visit(folder + L"\\" + name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

bool Read_File_Bytes(const CString& path, std::string& bytes)
{
    bytes.clear();
    FILE* file = _wfopen(path.GetString(), L"rb");
    if (file == nullptr)
        return false;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, got);
    const bool read = std::ferror(file) == 0;
    std::fclose(file);
    return read;
}

CString File_Name_Of(const CString& path)
{
    const int backslash = path.ReverseFind(L'\\');
    const int slash = path.ReverseFind(L'/');
    return path.Mid((backslash > slash ? backslash : slash) + 1);
}

int Path_Kind(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path.GetString());
    if (path.IsEmpty() || attributes == INVALID_FILE_ATTRIBUTES)
        return 0;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 2 : 1;
}

void Clear_File_Attributes(const CString& path)
{
    const DWORD attributes = GetFileAttributesW(path.GetString());
    const DWORD cleared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & cleared) == 0)
        return;
    const DWORD kept = attributes & ~cleared;
    SetFileAttributesW(path.GetString(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL);
}

bool Delete_File(const CString& path)
{
    if (Path_Kind(path) == 1) {
        Clear_File_Attributes(path);
        DeleteFileW(path.GetString());
    }
    return Path_Kind(path) == 0;
}

bool File_Can_Be_Replaced(const CString& path)
{
    const int kind = Path_Kind(path);
    if (kind != 1)
        return kind == 0;
    if ((GetFileAttributesW(path.GetString()) & FILE_ATTRIBUTE_READONLY) != 0)
        return true;
    FILE* file = _wfopen(path.GetString(), L"r+b");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

void Delete_Folder_Files(const CString& folder)
{
    For_Each_Entry(folder, [](const CString& path, bool is_folder) {
        if (!is_folder)
            Delete_File(path);
    });
}

void Delete_Named_Files(const CString& folder, const CString& file_name, bool include_top)
{
    For_Each_Entry(folder, [&](const CString& path, bool is_folder) {
        if (is_folder)
            Delete_Named_Files(path, file_name, true);
        else if (include_top && File_Name_Of(path).CompareNoCase(file_name) == 0)
            Delete_File(path);
    });
}

void List_Folder_Files(const CString& folder, CStringArray& files, bool recurse)
{
    For_Each_Entry(folder, [&](const CString& path, bool is_folder) {
        if (!is_folder)
            files.Add(path);
        else if (recurse)
            List_Folder_Files(path, files, true);
    });
}

bool Rename_File(const CString& old_path, const CString& new_path)
{
    Clear_File_Attributes(old_path);
    MoveFileW(old_path.GetString(), new_path.GetString());
    return Path_Kind(new_path) == 1;
}

bool Remove_Zone_Identifier(const CString& path)
{
    return DeleteFileW((path + L":Zone.Identifier").GetString()) != FALSE;
}

CString Make_Time_Stamp(const CString& prefix)
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    CString digits;
    digits.Format(L"%04d%02d%02d%02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                  now.wSecond);
    return prefix + digits.Mid(2);
}

CString Make_Unique_Time_Stamp(const CString& prefix)
{
    static CString last_stamp;
    static int repeats = 0;
    const CString stamp = Make_Time_Stamp(L"");
    if (stamp != last_stamp) {
        last_stamp = stamp;
        repeats = 0;
        return prefix + stamp;
    }
    CString suffix;
    suffix.Format(L"_%d", ++repeats + 1);
    return prefix + stamp + suffix;
}
