#include "core/file_dialogs.h"

#include "ed/prompts.h"
#include "win/windows.h"

CString g_Last_Browse_Folder;
CString g_Last_Open_Folder;

namespace {

// The folder part of a path with its last backslash; empty when there is none.
CString Folder_With_Backslash(const CString& path) { return path.Left(path.ReverseFind(L'\\') + 1); }

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
        // Sent to the picker's window as SendMessageW would deliver it.
        LRESULT result = 0;
        platform::Folder_Picker_Message(window, BFFM_SETSELECTIONW, TRUE, data, result);
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
