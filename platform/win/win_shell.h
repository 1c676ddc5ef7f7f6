// The shell of the emulated machine: opening documents and folders, starting
// programs, the folder picker, folder creation, file operations and dropped files.
#pragma once

#include <string>
#include <vector>

#include "win/win_process.h"
#include "win/win_types.h"

// ShellExecute errors (a result <= 32 is one of them).
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

#define SEE_MASK_DEFAULT 0x00000000
#define SEE_MASK_CLASSNAME 0x00000001
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_NOASYNC 0x00000100
#define SEE_MASK_FLAG_DDEWAIT SEE_MASK_NOASYNC
#define SEE_MASK_FLAG_NO_UI 0x00000400
#define SEE_MASK_UNICODE 0x00004000
#define SEE_MASK_NO_CONSOLE 0x00008000
#define SEE_MASK_WAITFORINPUTIDLE 0x02000000

struct SHELLEXECUTEINFOW {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;  // > 32 on success, else the SE_ERR_ code
    void* lpIDList;
    LPCWSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    HANDLE hIcon;
    HANDLE hProcess;  // with SEE_MASK_NOCLOSEPROCESS when a program was started
};
typedef SHELLEXECUTEINFOW* LPSHELLEXECUTEINFOW;
typedef SHELLEXECUTEINFOW SHELLEXECUTEINFO;
typedef SHELLEXECUTEINFOW* LPSHELLEXECUTEINFO;

// What the shell does with a file (a relative one is looked up in lpDirectory,
// then in the current directory):
// - a document, a folder or a URL: recorded in platform::ShellLog; nothing opens;
// - a program of ours (a registered stand-in, or a host file with the execute bit):
//   started with the parameters split as a Windows program would, working in
//   lpDirectory (else the current directory);
// - a missing file: SE_ERR_FNF (SE_ERR_PNF when its folder is missing too) and the
//   shell's message box, which the script answers; a program file that is neither
//   (".exe", ".com", ".bat", ".cmd"): ERROR_BAD_FORMAT and its message box.
// Every call is recorded and echoed as "[Shell] verb | file | parameters | folder -> outcome".
HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
                        INT nShowCmd);
// As ShellExecuteW; SEE_MASK_NOCLOSEPROCESS gives the started program's handle in
// hProcess (null when nothing was started), SEE_MASK_FLAG_NO_UI shows no message.
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* pExecInfo);
inline HINSTANCE ShellExecute(HWND w, LPCWSTR o, LPCWSTR f, LPCWSTR p, LPCWSTR d, INT s) {
    return ShellExecuteW(w, o, f, p, d, s);
}
inline BOOL ShellExecuteEx(SHELLEXECUTEINFOW* i) { return ShellExecuteExW(i); }

// Item lists: here an item list holds a folder's path. Free with ILFree or CoTaskMemFree.
struct ITEMIDLIST;
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCIDLIST_ABSOLUTE;
typedef const ITEMIDLIST* PCUIDLIST_ABSOLUTE;

// Folder picker flags and callback messages.
#define BIF_RETURNONLYFSDIRS 0x00000001
#define BIF_DONTGOBELOWDOMAIN 0x00000002
#define BIF_STATUSTEXT 0x00000004
#define BIF_RETURNFSANCESTORS 0x00000008
#define BIF_EDITBOX 0x00000010
#define BIF_VALIDATE 0x00000020
#define BIF_NEWDIALOGSTYLE 0x00000040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
#define BIF_BROWSEINCLUDEURLS 0x00000080
#define BIF_NONEWFOLDERBUTTON 0x00000200
#define BIF_BROWSEINCLUDEFILES 0x00004000
#define BFFM_INITIALIZED 1
#define BFFM_SELCHANGED 2
#define BFFM_VALIDATEFAILEDW 4
#define BFFM_ENABLEOK (0x0400 + 101)
#define BFFM_SETSELECTIONW (0x0400 + 103)
#define BFFM_SETSTATUSTEXTW (0x0400 + 104)
#define BFFM_SETSELECTION BFFM_SETSELECTIONW
#define BFFM_SETSTATUSTEXT BFFM_SETSTATUSTEXTW

typedef int (*BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

struct BROWSEINFOW {
    HWND hwndOwner;
    PCIDLIST_ABSOLUTE pidlRoot;
    LPWSTR pszDisplayName;  // MAX_PATH characters: the chosen folder's name
    LPCWSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
typedef BROWSEINFOW* LPBROWSEINFOW;
typedef BROWSEINFOW BROWSEINFO;
typedef BROWSEINFOW* LPBROWSEINFO;

// The folder picker, answered by a `file "PATH"` step naming an existing folder
// (esc cancels: null). The callback gets BFFM_INITIALIZED with the picker's window,
// to which BFFM_SETSELECTIONW (path or item list) may be sent
// (platform::Folder_Picker_Message). Recorded in platform::FolderPickerLog.
PIDLIST_ABSOLUTE SHBrowseForFolderW(LPBROWSEINFOW lpbi);
// The item list's path into a MAX_PATH buffer.
BOOL SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR pszPath);
void ILFree(LPITEMIDLIST pidl);
void CoTaskMemFree(LPVOID pv);
inline PIDLIST_ABSOLUTE SHBrowseForFolder(LPBROWSEINFOW b) { return SHBrowseForFolderW(b); }
inline BOOL SHGetPathFromIDList(PCIDLIST_ABSOLUTE p, LPWSTR s) { return SHGetPathFromIDListW(p, s); }

// Creates a folder with every missing folder above it. ERROR_SUCCESS,
// ERROR_ALREADY_EXISTS (a folder is there), ERROR_FILE_EXISTS (a file is there),
// ERROR_BAD_PATHNAME (a relative path), ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED.
int SHCreateDirectoryExW(HWND hwnd, LPCWSTR pszPath, const void* psa);
inline int SHCreateDirectoryEx(HWND w, LPCWSTR p, const void* s) { return SHCreateDirectoryExW(w, p, s); }

// File operations.
#define FO_MOVE 0x0001
#define FO_COPY 0x0002
#define FO_DELETE 0x0003
#define FO_RENAME 0x0004
#define FOF_MULTIDESTFILES 0x0001
#define FOF_SILENT 0x0004
#define FOF_RENAMEONCOLLISION 0x0008
#define FOF_NOCONFIRMATION 0x0010
#define FOF_ALLOWUNDO 0x0040
#define FOF_FILESONLY 0x0080
#define FOF_SIMPLEPROGRESS 0x0100
#define FOF_NOCONFIRMMKDIR 0x0200
#define FOF_NOERRORUI 0x0400
#define FOF_NO_UI (FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_NOCONFIRMMKDIR)
typedef WORD FILEOP_FLAGS;

struct SHFILEOPSTRUCTW {
    HWND hwnd;
    UINT wFunc;
    LPCWSTR pFrom;  // paths separated by NUL, ending with a second NUL; * and ? in names
    LPCWSTR pTo;    // a folder, or (FOF_MULTIDESTFILES) one target per source
    FILEOP_FLAGS fFlags;
    BOOL fAnyOperationsAborted;
    LPVOID hNameMappings;
    LPCWSTR lpszProgressTitle;
};
typedef SHFILEOPSTRUCTW* LPSHFILEOPSTRUCTW;
typedef SHFILEOPSTRUCTW SHFILEOPSTRUCT;

// Copies, moves, renames or deletes (folders with their contents; delete removes
// for good, there is no recycle bin). Shows no dialogs: it runs as with FOF_NO_UI.
// Returns 0, or the Windows error code of the first failure (then stops).
int SHFileOperationW(LPSHFILEOPSTRUCTW lpFileOp);
inline int SHFileOperation(LPSHFILEOPSTRUCTW o) { return SHFileOperationW(o); }

// Dropped files (WM_DROPFILES); tests make a drop with platform::Make_Drop.
DECLARE_HANDLE(HDROP);
// iFile 0xFFFFFFFF gives the number of files; a null buffer the length of file
// iFile; else copies it (cut to cch - 1 characters) and returns the characters copied.
UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch);
void DragFinish(HDROP hDrop);
inline UINT DragQueryFile(HDROP d, UINT i, LPWSTR f, UINT c) { return DragQueryFileW(d, i, f, c); }

namespace platform {

enum class ShellOutcome {
    Opened,   // a document, folder or URL: recorded only
    Started,  // a program of ours was started
    Failed,   // missing file or not a program; the error is in `error`
};

struct ShellRecord {
    std::wstring verb;  // as given; empty for the default verb
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    int show = 0;
    ShellOutcome outcome = ShellOutcome::Opened;
    DWORD error = 0;  // SE_ERR_FNF, SE_ERR_PNF, ERROR_BAD_FORMAT ...
};

// Every ShellExecute call, in order; tests read and clear it.
extern std::vector<ShellRecord> ShellLog;

struct FolderPickerRecord {
    HWND owner;
    std::wstring title;
    UINT flags;
    std::wstring initial_selection;  // set by BFFM_SETSELECTIONW from the callback
    std::wstring chosen;             // empty when cancelled
};

// Every folder picker shown, in order.
extern std::vector<FolderPickerRecord> FolderPickerLog;

// Handles a message sent to the open folder picker's window (the window layer's
// SendMessageW passes messages for windows it does not know here). Returns false
// when `window` is not an open picker.
bool Folder_Picker_Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// A drop of these files (Windows paths) as WM_DROPFILES would carry it.
HDROP Make_Drop(const std::vector<std::wstring>& files);
// Drops made and not yet released with DragFinish.
size_t Open_Drop_Count();

}  // namespace platform
