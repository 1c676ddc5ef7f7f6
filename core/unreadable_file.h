// A settings or list file that is there but cannot be read whole is kept aside before
// the next save replaces it, and the command line says so.
#pragma once

#include "mfc/afxstr.h"

// Moves the file to the first free name of "<path>.bad", "<path>.2.bad", "<path>.3.bad",
// ... (an older kept file is never replaced) and prints on the command line that the
// file could not be read, with the name it is kept under.
void Set_Aside_Unreadable_File(const CString& path);
