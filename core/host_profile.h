// The host's registry profile: its product root key under HKEY_CURRENT_USER and the
// name of the profile in force.
#pragma once

#include "mfc/afxstr.h"

// A string system variable of the host (read into 2600 characters); empty when it
// cannot be read.
CString Host_Var_Text(const wchar_t* name);
// The host's registry product root key ("Software\\...\\2025\\zh-CN").
CString Host_Registry_Root_Key();
// The host variable "CPROFILE", or "Default" when it is empty.
CString Host_Profile_Name();
