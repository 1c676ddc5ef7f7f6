#include "sheets/plot_styles.h"

#include "core/doc_lock.h"
#include "core/file_operations.h"
#include "core/plot_config.h"
#include "core/program_folders.h"
#include "core/string_helpers.h"
#include "mfc/afxwin.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "win/windows.h"

namespace {

const wchar_t* const Table_Names[3] = {L"黑白.ctb", L"彩色.ctb", L"蓝白.ctb"};

int* Table_Mark(int table)
{
    int* const marks[3] = {&g_Plot_Config.Ctb_Mark_1, &g_Plot_Config.Ctb_Mark_2, &g_Plot_Config.Ctb_Mark_3};
    return marks[table - 1];
}

// The first existing path folder + "\\" + name over the plot-style folders; empty when none.
CString Find_Style_Table(const CString& name)
{
    CStringArray folders;
    Split_Folder_List(g_Plot_Style_Folder, folders);
    for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
        const CString path = folders[i] + L"\\" + name;
        if (!folders[i].IsEmpty() && Path_Kind(path) == 1)
            return path;
    }
    return CString();
}

// Starts the host's plot-style editor on the table and waits until it ends.
void Run_Style_Editor(CWnd* owner, const CString& table_path)
{
    const CString program = g_Host_Folder + L"\\ZwPStyleEdit.exe";
    const CString parameters = L"\"" + table_path + L"\"";
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    info.lpVerb = L"open";
    info.lpFile = program.GetString();
    info.lpParameters = parameters.GetString();
    info.lpDirectory = g_Host_Folder.GetString();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
    if (info.hProcess == nullptr)
        return;
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hProcess);
}

}  // namespace

bool Install_Ctb_Files()
{
    CStringArray folders;
    Split_Folder_List(g_Plot_Style_Folder, folders);
    bool found[3] = {false, false, false};
    CString destination;
    for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
        // An empty entry (a list ending in ";") names no folder to install into.
        if (folders[i].IsEmpty())
            continue;
        destination = folders[i];
        SHCreateDirectoryExW(nullptr, destination.GetString(), nullptr);
        for (int t = 0; t < 3; ++t)
            if (Path_Kind(destination + L"\\" + Table_Names[t]) == 1)
                found[t] = true;
        if (found[0] && found[1] && found[2])
            break;
    }
    if (destination.IsEmpty())
        return false;
    bool installed = true;
    for (int t = 0; t < 3; ++t) {
        if (found[t])
            continue;
        if (Copy_Ctb_Template(destination + L"\\" + Table_Names[t], t + 1))
            *Table_Mark(t + 1) = 6;
        else
            installed = false;
    }
    return installed;
}

bool Copy_Ctb_Template(const CString& destination, int table)
{
    CString template_path;
    template_path.Format(L"%s\\ZCAD%d.ccc", g_App_Folder.GetString(), table);
    Clear_File_Attributes(template_path);
    CopyFileW(template_path.GetString(), destination.GetString(), TRUE);
    return Path_Kind(destination) == 1;
}

void Edit_Plot_Style(CWnd* owner, const CString& style_name, CComboBox* combo, int& position)
{
    CString name = style_name;
    Trim_Left_Blanks(name);
    const CString table_path = Find_Style_Table(name);
    if (table_path.IsEmpty())
        return;
    Run_Style_Editor(owner, table_path);
    if (combo == nullptr)
        return;

    const int shown = combo->GetCount();
    Doc_Lock lock;
    Plot_Set plot_set;
    if (plot_set.Style_List.GetSize() <= shown - 1)
        return;
    combo->ResetContent();
    combo->AddString(L" --默认设置--");
    position = 0;
    for (INT_PTR i = 0; i < plot_set.Style_List.GetSize(); ++i) {
        combo->AddString(L" " + plot_set.Style_List[i]);
        if (position == 0 && plot_set.Style_List[i].CompareNoCase(name) == 0)
            position = static_cast<int>(i);
    }
}
