// The file and folder dialogs every subsystem shares (all modal; a false result
// changes nothing).
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "win/win_types.h"

extern CString g_Last_Browse_Folder;  // the folder picker opens here
extern CString g_Last_Open_Folder;    // folder of the file last chosen, with its backslash

// The shell's folder picker, opening at g_Last_Browse_Folder; on OK the chosen folder
// goes to folder and to g_Last_Browse_Folder.
bool Browse_Folder(HWND owner, const wchar_t* title, CString& folder);
// Selects g_Last_Browse_Folder (lpData) when the picker initialises.
int Browse_Folder_Callback(HWND window, UINT message, LPARAM param, LPARAM data);
// The host's file dialog for one extension, opening in the folder of the given path;
// the chosen path replaces the path.
bool Open_File_Dialog(const wchar_t* title, const wchar_t* extension, CString& path);
// The same dialog opening at g_Last_Open_Folder, which it updates.
bool Open_File_Dialog_Last(const wchar_t* title, const wchar_t* extension, CString& path);
// The save dialog preset to g_Last_Open_Folder and the default name; remembers the
// chosen folder (without its backslash).
bool Save_File_Dialog(const wchar_t* title, const wchar_t* default_name, const wchar_t* extension, CString& path);
// The Windows save dialog owned by the host's main window, preset to the path, with one
// filter for the extension; an existing file is overwritten only when the user agrees.
bool Save_File_Dialog_At(const wchar_t* title, CString& path, const wchar_t* extension);
// A multi-select open dialog: clears the list and, on OK, appends each chosen path that
// is a file; true on OK.
bool Select_Files(const wchar_t* filter, const wchar_t* default_extension, CStringArray& paths);
