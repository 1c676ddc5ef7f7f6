#include "core/file_dialogs.h"

#include <cwchar>
#include <vector>

#include "core/file_operations.h"
#include "ed/host_window.h"
#include "ed/prompts.h"
#include "mfc/afxdlgs.h"
#include "win/windows.h"

CString g_Last_Browse_Folder;
CString g_Last_Open_Folder;

namespace {

// The folder part of a path with its last backslash; empty when there is none.
CString Folder_With_Backslash(const CString& path) { return path.Left(path.ReverseFind(L'\\') + 1); }
// The folder part of a path without its last backslash; empty when there is none.
CString Folder_Without_Backslash(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? CString() : path.Left(slash);
}

bool Run_File_Nav(const wchar_t* title, const CString& initial, const wchar_t* extension, CString& path)
{
    resbuf* result = nullptr;
    const int status = zcedGetFileNavDialog(title, initial.GetString(), extension, L"", 0, &result);
    const bool chosen = status == RTNORM && result != nullptr && result->restype == RTSTR &&
                        result->resval.rstring != nullptr;
    if (chosen)
        path = result->resval.rstring;
    if (result != nullptr)
        zcutRelRb(result);
    return chosen;
}

}  // namespace

int Browse_Folder_Callback(HWND window, UINT message, LPARAM /*param*/, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0) {
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, data);
    }
    return 0;
}

bool Browse_Folder(HWND owner, const wchar_t* title, CString& folder)
{
    wchar_t display_name[MAX_PATH] = {0};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display_name;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE;
    info.lpfn = Browse_Folder_Callback;
    info.lParam = reinterpret_cast<LPARAM>(g_Last_Browse_Folder.GetString());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr)
        return false;
    wchar_t path[MAX_PATH] = {0};
    const bool found = SHGetPathFromIDListW(chosen, path) != FALSE;
    CoTaskMemFree(chosen);
    if (!found)
        return false;
    folder = path;
    g_Last_Browse_Folder = path;
    return true;
}

bool Open_File_Dialog(const wchar_t* title, const wchar_t* extension, CString& path)
{
    return Run_File_Nav(title, Folder_With_Backslash(path), extension, path);
}

bool Open_File_Dialog_Last(const wchar_t* title, const wchar_t* extension, CString& path)
{
    if (!Run_File_Nav(title, g_Last_Open_Folder, extension, path))
        return false;
    g_Last_Open_Folder = Folder_With_Backslash(path);
    return true;
}

bool Save_File_Dialog(const wchar_t* title, const wchar_t* default_name, const wchar_t* extension, CString& path)
{
    CString chosen = g_Last_Open_Folder.IsEmpty() ? CString(default_name)
                                                  : g_Last_Open_Folder + L"\\" + default_name;
    if (!Save_File_Dialog_At(title, chosen, extension))
        return false;
    path = chosen;
    g_Last_Open_Folder = Folder_Without_Backslash(chosen);
    return true;
}

bool Save_File_Dialog_At(const wchar_t* title, CString& path, const wchar_t* extension)
{
    wchar_t file[MAX_PATH] = {0};
    const int length = path.GetLength() < MAX_PATH - 1 ? path.GetLength() : MAX_PATH - 1;
    std::wmemcpy(file, path.GetString(), static_cast<size_t>(length));
    const CString folder = Folder_Without_Backslash(path);
    // One filter: its text and its pattern, each ended, and the list ended.
    CString filter;
    filter.Format(L"%s文件 (*.%s)|*.%s|", extension, extension, extension);
    std::vector<wchar_t> filters(filter.GetString(), filter.GetString() + filter.GetLength() + 1);
    for (wchar_t& c : filters)
        if (c == L'|')
            c = 0;

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = adsw_zcadMainWnd();
    dialog.lpstrFilter = filters.data();
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.GetString();
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog))
        return false;
    if (Path_Kind(file) != 0 &&
        MessageBoxW(GetActiveWindow(), L"文件已存在，是否覆盖 ？", L"确认保存", MB_YESNO) != IDYES)
        return false;
    path = file;
    return true;
}

bool Select_Files(const wchar_t* filter, const wchar_t* default_extension, CStringArray& paths)
{
    paths.RemoveAll();
    CFileDialog dialog(TRUE, default_extension, nullptr, OFN_ALLOWMULTISELECT | OFN_OVERWRITEPROMPT, filter);
    std::vector<wchar_t> names(78000, 0);
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(names.size());
    if (dialog.DoModal() != IDOK)
        return false;
    // One full path, or the folder followed by the chosen names, each ended, the list
    // ended by an empty name.
    const CString first = names.data();
    std::vector<CString> chosen;
    for (const wchar_t* name = names.data() + first.GetLength() + 1; *name != 0; name += wcslen(name) + 1)
        chosen.push_back(first + L"\\" + name);
    if (chosen.empty())
        chosen.push_back(first);
    for (const CString& path : chosen)
        if (Path_Kind(path) == 1)
            paths.Add(path);
    return true;
}
