#include "plot/pdf_rotate.h"

#include "core/checked_file_writer.h"
#include "core/editor_reactor.h"
#include "core/file_operations.h"
#include "core/host_command.h"
#include "core/named_records.h"
#include "core/program_folders.h"
#include "core/rb_chain.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "win/windows.h"

namespace {

const wchar_t* const Missing_Dll_Caption = L"DLL文件缺失报错";

}  // namespace

void Show_Plot_Message(const CString& text, const wchar_t* caption)
{
    MessageBoxW(adsw_zcadMainWnd(), text.GetString(), caption, MB_OK | MB_ICONINFORMATION);
}

bool Library_File_Present(const wchar_t* file_name)
{
    CString path;
    path.Format(L"%s\\%s", g_App_Folder.GetString(), file_name);
    if (Check_File_Exists(path, false))
        return true;
    path.Format(L"%s\\%s", g_Host_Folder.GetString(), file_name);
    return Check_File_Exists(path, false);
}

bool Find_Companion_Dll(CString& name, CString& path, bool report)
{
    name = L"\\Pelorin.dll";
    path = g_Host_Folder + name;
    bool found = Check_File_Exists(path, false);
    Remove_Zone_Identifier(path);
    if (found)
        return true;
    path = g_App_Folder + name;
    found = Check_File_Exists(path, report);
    Remove_Zone_Identifier(path);
    return found;
}

bool Run_Companion_Command(const wchar_t* command, int32_t& ran, const CString& assembly_path)
{
    ran = 0;
    Run_Host_Command({command});
    if (ran != 0)
        return true;
    Run_Host_Command({L"_NetLoad", assembly_path.GetString()});
    ran = 0;
    Run_Host_Command({command});
    return ran != 0;
}

void Rotate_Pdf(const CString& path, int angle)
{
    if (!Library_File_Present(L"itextsharp.dll")) {
        Show_Plot_Message(L"itextsharp.dll 文件缺失，无法旋转PDF !", Missing_Dll_Caption);
        return;
    }
    if (!Library_File_Present(L"PdfSharp.dll")) {
        Show_Plot_Message(L"PdfSharp.dll 文件缺失，无法旋转PDF !", Missing_Dll_Caption);
        return;
    }
    resbuf* chain = Rb_New(90);
    bool written = false;
    if (chain != nullptr) {
        chain->resval.rlong = angle;
        resbuf* tail = chain;
        Rb_Append_Text(tail, path.GetString());
        written = Write_Named_Record(L"PDF_Rotate_Flag", chain);
        Rb_Free_Chain(chain);
    }
    if (!written) {
        zcutPrintf(L"\n 写入 PDF_Rotate_Flag 出错 !");
        return;
    }
    CString name, assembly;
    if (!Find_Companion_Dll(name, assembly, true)) {
        CString text;
        text.Format(L"旋转PDF需要调用的 %s 文件缺失，无法采用dll文件的命令旋转 !", name.Mid(1).GetString());
        Show_Plot_Message(text, Missing_Dll_Caption);
        return;
    }
    Run_Companion_Command(L"K_PDF_Rotate", g_Rotate_Cmd_Ran, assembly);
}
