// File and folder operations on wide paths; none shows a message.
#pragma once

#include <string>

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

// The whole file into bytes; false when it cannot be opened or read.
bool Read_File_Bytes(const CString& path, std::string& bytes);
// The part of the path after its last backslash or slash.
CString File_Name_Of(const CString& path);
// 0 nothing at the path, 1 a file, 2 a folder.
int Path_Kind(const CString& path);
// Removes the read-only and hidden attributes when either is set.
void Clear_File_Attributes(const CString& path);
// Clears the attributes and deletes the file; true when nothing is left at the path.
bool Delete_File(const CString& path);
// True when nothing is at the path, or the file there may be opened for writing (it is not
// held open by another program nor in a folder that may not be written); a read-only file
// counts as replaceable, its mark is cleared when it is replaced. The file is left as it was.
bool File_Can_Be_Replaced(const CString& path);
// Deletes every file directly in the folder; subfolders stay.
void Delete_Folder_Files(const CString& folder);
// Deletes every file of that name (without regard to case) in the subfolders at any
// depth, and in the folder itself when include_top is set.
void Delete_Named_Files(const CString& folder, const CString& file_name, bool include_top);
// Appends folder + "\\" + name of each file in the folder; with recurse also those of
// every subfolder. The list is not cleared first.
void List_Folder_Files(const CString& folder, CStringArray& files, bool recurse);
// Clears the old file's attributes and renames it; true when a file is at the new path.
bool Rename_File(const CString& old_path, const CString& new_path);
// Deletes the download mark path + ":Zone.Identifier"; true when it was deleted.
bool Remove_Zone_Identifier(const CString& path);
// prefix + the local time as yyMMddHHmmss.
CString Make_Time_Stamp(const CString& prefix);
// Make_Time_Stamp for names that must differ: a time stamp this process gave out before
// gets "_2", "_3"... behind it, so that names made within one second never collide.
CString Make_Unique_Time_Stamp(const CString& prefix);
