// The program's temporary folder: "Korvel_Temp" under the first base folder where a
// file can be written and read back, chosen once while the module is loaded.
#pragma once

#include <cstdint>

#include "mfc/afxstr.h"

// -1 not chosen yet, 0 Documents, 1 plug-in folder, 2 per-user folder, 3 "C:\\Korvel_Temp".
extern int32_t g_Temp_Folder_Choice;

// The temporary folder, created.
CString Get_Temp_Folder();
// True when a file can be written to and read back from the candidate's folder.
bool Probe_Temp_Folder(int candidate);
