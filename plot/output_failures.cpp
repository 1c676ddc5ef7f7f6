#include "plot/output_failures.h"

#include "ed/host_window.h"
#include "win/win_error.h"
#include "win/windows.h"

namespace {

// More lines than this are summed up in one.
constexpr int Listed_Sheets = 20;

}  // namespace

CString Write_Failure_Reason(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL: return L"磁盘空间不足";
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return L"没有写入权限";
    case ERROR_PATH_NOT_FOUND: return L"输出文件夹不存在";
    case ERROR_SHARING_VIOLATION: return L"文件可能处于打开状态，无法覆盖";
    case ERROR_FILENAME_EXCED_RANGE: return L"文件名过长";
    default: return L"文件未能完整写出";
    }
}

bool Is_Write_Failure(DWORD error)
{
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_WRITE_FAULT:
    case ERROR_SHARING_VIOLATION:
    case ERROR_FILENAME_EXCED_RANGE: return true;
    default: return false;
    }
}

void Output_Failures::Add(const CString& sheet, DWORD error) { m_Sheets.push_back({sheet, Write_Failure_Reason(error)}); }

CString Output_Failures::Message(int total) const
{
    CString text;
    if (Count() >= total)
        text.Format(L"全部 %d 张图纸均未能输出 !\n\n", Count());
    else
        text.Format(L"共 %d 张图纸，其中以下 %d 张未能输出 !\n\n", total, Count());
    for (int i = 0; i < Count() && i < Listed_Sheets; ++i) {
        CString line;
        line.Format(L"%s ：%s\n", m_Sheets[static_cast<size_t>(i)].sheet.GetString(),
                    m_Sheets[static_cast<size_t>(i)].reason.GetString());
        text += line;
    }
    if (Count() > Listed_Sheets) {
        CString more;
        more.Format(L"……另有 %d 张\n", Count() - Listed_Sheets);
        text += more;
    }
    text += L"\n这些图纸原有的输出文件保持不变 !";
    return text;
}

void Output_Failures::Show(int total) const
{
    if (Empty())
        return;
    MessageBoxW(adsw_zcadMainWnd(), Message(total).GetString(), L"Korvel打印", MB_OK | MB_ICONWARNING);
}
