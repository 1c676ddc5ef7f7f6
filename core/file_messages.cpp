#include "core/file_messages.h"

#include "ed/host_window.h"
#include "win/windows.h"

void Show_Write_Failure(const CString& path)
{
    CString text;
    text.Format(L"文件 < %s > 写入操作有误!\n\n\n可能原因如下：\n\n软件未获得文件的修改权限，造成无法对该文件进行修改。"
                L"\n\n\n解决方法一：将软件重新安装至非系统目录下；\n\n解决方法二：请用管理员权限运行AutoCAD。",
                path);
    MessageBoxW(adsw_zcadMainWnd(), text, L"Korvel", MB_OK | MB_ICONINFORMATION);
}

void Show_File_Missing(const CString& path)
{
    CString text;
    text.Format(L"文件 < %s > 缺失!\n\n该文件可能被杀毒软件错删\n\n可在杀毒软件中恢复该文件\n或重新安装Korvel批打印软件"
                L"\n（原软件不用卸载，直接覆盖安装即可）\n\n并将该文件放入杀毒软件的信任区",
                path);
    MessageBoxW(adsw_zcadMainWnd(), text, L"文件缺失报错", MB_OK | MB_ICONINFORMATION);
}
