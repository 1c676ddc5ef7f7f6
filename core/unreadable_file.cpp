#include "core/unreadable_file.h"

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
