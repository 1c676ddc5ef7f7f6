// The folders the program works in, determined once at load; none ends in a
// backslash. The printer folders may be lists separated by ";".
#pragma once

#include <cstdint>

#include "mfc/afxstr.h"

extern CString g_Host_Folder;            // the host's executable folder, upper case
extern CString g_App_Folder;             // the plug-in module's folder, upper case
extern CString g_Config_Folder;          // per-user folder: application data + "\\Korvel"
extern CString g_Documents_Folder;
extern CString g_Host_Version_Text;      // first two characters of "VerNum"
extern double g_Host_Version;            // their value, e.g. 21.0
extern int32_t g_Host_Year;              // g_Host_Version + 2000
extern CString g_Roaming_Root;           // "ROAMABLEROOTPREFIX" without trailing backslash
extern CString g_Local_Root;             // the same, upper case, "\\ROAMING\\" -> "\\LOCAL\\"
extern CString g_Printer_Config_Folder;
extern CString g_Printer_Desc_Folder;
extern CString g_Plot_Style_Folder;

// Fills the folder globals, then the host's printer folders.
void Init_Program_Folders();
// Fills the three printer folders from the host's environment settings, else from the
// host profile in the registry; one message for each folder that is unusable.
void Init_Host_Printer_Folders();

// A string value under HKEY_CURRENT_USER\key_path; empty when the key or value is missing.
void Read_Profile_Value(const CString& key_path, const wchar_t* value_name, CString& text);
// Lower-cases the path and replaces the host's root placeholders by the root folders.
void Expand_Root_Placeholders(CString& path);
// Keeps the existing folders of a ";"-separated list; true when one is left.
bool Keep_Existing_Paths(CString& list);
// Keeps and creates the first folder of the list; true when it exists afterwards.
bool Create_First_Path(CString& list);
// Removes one trailing backslash, except when it is the first character.
void Trim_Backslash(CString& path);
