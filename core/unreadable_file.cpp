#include "core/unreadable_file.h"

#include <string>

#include "core/file_operations.h"
#include "ed/command_line.h"
#include "win/win_error.h"
#include "win/win_files.h"

namespace {

constexpr int Max_Kept_Files = 999;

CString Kept_Path(const CString& path, int number)
{
    CString kept;
    if (number == 1)
        kept.Format(L"%s.bad", path.GetString());
    else
        kept.Format(L"%s.%d.bad", path.GetString(), number);
    return kept;
}

// The name the file now has; empty when it could not be moved.
CString Move_To_Free_Name(const CString& path)
{
    for (int number = 1; number <= Max_Kept_Files; ++number) {
        const CString kept = Kept_Path(path, number);
        if (MoveFileExW(path.GetString(), kept.GetString(), 0))
            return kept;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    return CString();
}

}  // namespace

void Set_Aside_Unreadable_File(const CString& path)
{
    const CString kept = Move_To_Free_Name(path);
    if (kept.IsEmpty())
        zcutPrintf(L"\n文件 < %s > 无法完整读取，未读入的设置取默认值。", path.GetString());
    else
        zcutPrintf(L"\n文件 < %s > 无法完整读取，未读入的设置取默认值；原文件另存为 < %s >。", path.GetString(),
                   kept.GetString());
}

CString Keep_Copy_Of_File(const CString& path)
{
    std::string bytes;
    if (!Read_File_Bytes(path, bytes))
        return CString();
    for (int number = 1; number <= Max_Kept_Files; ++number) {
        const CString kept = Kept_Path(path, number);
        if (CopyFileW(path.GetString(), kept.GetString(), TRUE))
            return kept;
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
        std::string kept_bytes;
        if (Read_File_Bytes(kept, kept_bytes) && kept_bytes == bytes)
            return kept;
    }
    return CString();
}

bool Report_Damaged_File(const CString& path, const wchar_t* kind, int items_read, const wchar_t* items,
                         bool keep_copy)
{
    CString message;
    message.Format(L"\n%s < %s > 不完整或已损坏，读入了其中完整的 %d %s", kind, path.GetString(), items_read, items);
    const CString kept = keep_copy ? Keep_Copy_Of_File(path) : CString();
    if (!keep_copy)
        message += L"。";
    else if (kept.IsEmpty())
        message += L"；原文件无法另存。";
    else
        message.AppendFormat(L"；原文件另存为 < %s >。", kept.GetString());
    zcutPrintf(L"%s", message.GetString());
    return !kept.IsEmpty();
}
