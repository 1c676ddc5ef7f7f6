// A settings, list or library file that is there but cannot be read whole is kept aside
// before anything replaces it, and the command line says so.
#pragma once

#include "mfc/afxstr.h"

// Moves the file to the first free name of "<path>.bad", "<path>.2.bad", "<path>.3.bad",
// ... (an older kept file is never replaced) and prints on the command line that the
// file could not be read, with the name it is kept under.
void Set_Aside_Unreadable_File(const CString& path);

// Copies the file to the first free name of the same row and returns that name; when a
// kept file of the row holds the same bytes already, its name instead. Empty when no copy
// could be made.
CString Keep_Copy_Of_File(const CString& path);

// Prints that the file of the kind (e.g. "签名库文件") is cut short or damaged and how many
// of its items (e.g. "个签名") were read whole. With keep_copy a copy is kept
// (Keep_Copy_Of_File) and its name printed too; true when one is kept.
bool Report_Damaged_File(const CString& path, const wchar_t* kind, int items_read, const wchar_t* items,
                         bool keep_copy);
