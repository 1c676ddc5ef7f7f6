#include "plot/pdf_merge.h"

#include "core/checked_file_writer.h"
#include "core/editor_reactor.h"
#include "core/file_messages.h"
#include "core/file_operations.h"
#include "core/fresh_output.h"
#include "core/last_error.h"
#include "core/named_records.h"
#include "core/plot_config.h"
#include "core/program_folders.h"
#include "core/rb_chain.h"
#include "mfc/atlconv.h"
#include "plot/batch_plot_driver.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "plot/output_failures.h"
#include "plot/pdf_rotate.h"
#include "titleblock/tk_sheets.h"
#include "win/win_error.h"
#include "win/windows.h"

CString g_Merged_Pdf_Path;

namespace {

void Sheet_List_Titles(int kind, CStringArray& titles)
{
    if (kind == 1)
        Generic_List_Titles(titles);
    else if (kind == 2)
        TK_List_Titles(titles);
}

}  // namespace

void (*g_Merge_List_Titles)(int kind, CStringArray& titles) = Sheet_List_Titles;

namespace {

const wchar_t* const Missing_Dll_Caption = L"DLL文件缺失报错";

void List_Titles(int kind, CStringArray& titles)
{
    titles.RemoveAll();
    if (g_Merge_List_Titles != nullptr)
        g_Merge_List_Titles(kind, titles);
}

CString Numbered_File(const CString& folder, int i)
{
    CString path;
    path.Format(L"%s\\%d.pdf", folder.GetString(), i);
    return path;
}

bool Any_Numbered_File(const CString& folder, int n)
{
    for (int i = 1; i <= n; ++i)
        if (Path_Kind(Numbered_File(folder, i)) == 1)
            return true;
    return false;
}

CString Plugin_File(const wchar_t* name)
{
    CString path;
    path.Format(L"%s\\%s", g_App_Folder.GetString(), name);
    return path;
}

// One line of the list file: UTF-8 text; the text-mode file ends it with CR LF.
void Write_Line(std::ostream& out, const CString& text)
{
    out << CW2A(text.GetString(), CP_UTF8) << "\n";
}

}  // namespace

bool Merge_Pdfs(int kind, const CString& folder)
{
    // The mergers write beside the earlier merged file, which is replaced only by a whole one.
    const CString target = g_Merged_Pdf_Path;
    bool merged = false;
    DWORD error = ERROR_SUCCESS;
    {
        Fresh_Output output(target);
        g_Merged_Pdf_Path = output.Path();
        const int rc = Merge_Pdfs_By_Companion(kind, folder);
        // The fallback runs in a process of its own: why the companion failed says why.
        error = GetLastError();
        if (rc == -1)
            Merge_Pdfs_Fallback(kind, folder);
        g_Merged_Pdf_Path = target;
        merged = rc != 0 && output.Replace_Target();
        if (!merged && output.Written())
            error = GetLastError();
    }
    if (merged) {
        if (g_Plot_Config.Open_Merged_Pdf != 0)
            ShellExecuteW(adsw_zcadMainWnd(), L"open", g_Merged_Pdf_Path.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    }
    // A merge that could not write its file: which file, and why.
    CString text = L"调用PDF合并命令出错 !\n\n";
    if (Is_Write_Failure(error))
        text += File_Name_Of(target) + L" ：" + Write_Failure_Reason(error);
    Show_Plot_Message(text, L"文件合并报错");
    return false;
}

int Merge_Pdfs_By_Companion(int kind, const CString& folder)
{
    CStringArray titles;
    List_Titles(kind, titles);
    const int n = static_cast<int>(titles.GetSize());
    // Nothing to merge is no success: an old target is neither kept as the result nor opened.
    if (n <= 0)
        return 0;
    Delete_File(g_Merged_Pdf_Path);
    if (!Any_Numbered_File(folder, n))
        return 0;
    if (n == 1)
        return CopyFileW(Numbered_File(folder, 1).GetString(), g_Merged_Pdf_Path.GetString(), FALSE) ? 1 : 0;
    if (!Library_File_Present(L"itextsharp.dll")) {
        Show_Plot_Message(L"itextsharp.dll 文件缺失，无法合并 !", Missing_Dll_Caption);
        return 0;
    }
    if (!Write_Merge_Infor(kind, n, folder))
        return -1;
    CString name, assembly;
    if (!Find_Companion_Dll(name, assembly, true)) {
        CString text;
        text.Format(L"合并需要调用的 %s 文件缺失，无法采用dll文件的命令合并 !\n\n目前改用备用应用程序Jexa2.exe进行合并 !",
                    name.GetString());
        Show_Plot_Message(text, Missing_Dll_Caption);
        return -1;
    }
    if (Run_Companion_Command(L"K_PDF_Merge", g_Merge_Cmd_Ran, assembly)) {
        // Why the merge wrote nothing outlives the look.
        Last_Error_Kept why;
        return Path_Kind(g_Merged_Pdf_Path) == 1 ? 1 : -1;
    }
    CString text;
    text.Format(L"未能调用到 %s 文件里的合并命令 !\n\n请检查该文件是否被锁定 !\n\n请在该文件的属性里勾选 [解除锁定] 后重启CAD "
                L"!\n\n目前改用备用应用程序Jexa2.exe进行合并 !",
                name.GetString());
    Show_Plot_Message(text, L"DLL合并命令调用报错");
    return -1;
}

bool Write_Merge_Infor(int kind, int n, const CString& folder)
{
    CStringArray titles;
    List_Titles(kind, titles);
    resbuf* chain = Rb_New(90);
    if (chain == nullptr)
        return false;
    chain->resval.rlong = n;
    resbuf* tail = chain;
    Rb_Append_Text(tail, g_Merged_Pdf_Path.GetString());
    for (int i = 1; i <= n; ++i) {
        Rb_Append_Text(tail, Numbered_File(folder, i).GetString());
        Rb_Append_Text(tail, i <= titles.GetSize() ? titles[i - 1].GetString() : L"");
    }
    const bool written = Write_Named_Record(L"Merge_Infor", chain);
    Rb_Free_Chain(chain);
    if (!written)
        zcutPrintf(L"\n 写入 Merge_Infor 出错 !");
    return written;
}

void Merge_Pdfs_Fallback(int kind, const CString& folder)
{
    CStringArray titles;
    List_Titles(kind, titles);
    CString list_path, copy_path;
    list_path.Format(L"%s\\plot2.tm", g_Config_Folder.GetString());
    copy_path.Format(L"%s\\plot3.tm", g_Config_Folder.GetString());
    // The wide path reaches the file system as it is; a list that cannot be written
    // leaves the program nothing to read, so it is not started.
    Checked_File_Writer writer;
    writer.Open(list_path);
    std::ostream& out = writer.Stream();
    out << "\xEF\xBB\xBF";
    Write_Line(out, g_Merged_Pdf_Path);
    CString count;
    count.Format(L"%d", static_cast<int>(titles.GetSize()));
    Write_Line(out, count);
    for (int i = 1; i <= titles.GetSize(); ++i) {
        Write_Line(out, Numbered_File(folder, i));
        Write_Line(out, titles[i - 1]);
    }
    if (!writer.Close(true))
        return;
    if (!CopyFileW(list_path.GetString(), copy_path.GetString(), FALSE)) {
        Show_Write_Failure(copy_path);
        return;
    }
    Run_Fallback_Merger();
}

bool Run_Fallback_Merger()
{
    Delete_File(g_Merged_Pdf_Path);
    Check_File_Exists(Plugin_File(L"itextsharp.dll"), true);
    Check_File_Exists(Plugin_File(L"Jexa2.exe"), true);
    return Run_And_Wait(Plugin_File(L"Jexa2.exe"), g_App_Folder, g_Merged_Pdf_Path);
}

bool Run_And_Wait(const CString& program, const CString& folder, const CString& file_to_test)
{
    if (Path_Kind(program) == 1) {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.hwnd = adsw_zcadMainWnd();
        info.lpVerb = L"open";
        info.lpFile = program.GetString();
        info.lpDirectory = folder.GetString();
        info.nShow = SW_SHOW;
        if (ShellExecuteExW(&info) && info.hProcess != nullptr) {
            WaitForSingleObject(info.hProcess, INFINITE);
            CloseHandle(info.hProcess);
        }
    }
    return Path_Kind(file_to_test) == 1;
}
