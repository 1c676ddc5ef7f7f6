#include "core/file_messages.h"

#include "ed/command_line.h"
#include "ed/host_window.h"
#include "win/windows.h"

namespace {

constexpr const wchar_t* Write_Failure_Line = L"文件 < %s > 写入操作有误!";

void Show_File_Message(const wchar_t* format, const CString& path, const wchar_t* caption)
{
    CString text;
    text.Format(format, path);
    MessageBoxW(adsw_zcadMainWnd(), text, caption, MB_OK | MB_ICONINFORMATION);
}

}  // namespace

void Show_Write_Failure(const CString& path)
{
    const CString format = CString(Write_Failure_Line) +
                           L"\n\n\n可能原因如下：\n\n"
                           L"软件未获得文件的修改权限，造成无法对该文件进行修改。\n\n\n"
                           L"解决方法一：将软件重新安装至非系统目录下；\n\n解决方法二：请用管理员权限运行AutoCAD。";
    Show_File_Message(format, path, L"Korvel");
}

void Print_Write_Failure(const CString& path)
{
    zcutPrintf((CString(L"\n") + Write_Failure_Line).GetString(), path.GetString());
}

void Show_File_Missing(const CString& path)
{
    Show_File_Message(L"文件 < %s > 缺失!\n\n该文件可能被杀毒软件错删\n\n可在杀毒软件中恢复该文件\n"
                      L"或重新安装Korvel批打印软件\n（原软件不用卸载，直接覆盖安装即可）\n\n"
                      L"并将该文件放入杀毒软件的信任区",
                      path, L"文件缺失报错");
}
