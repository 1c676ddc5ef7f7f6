// The program-wide settings, the global g_Plot_Config.
// Filled in when the settings file lands: for now it holds the user's command aliases and
// the library paths, and loading and saving change nothing.
#pragma once

#include "core/shortcut_table.h"
#include "mfc/afxstr.h"

class Plot_Config {
public:
    Shortcut_Table Shortcuts;
    CString Sign_Lib_Path;   // signature library file
    CString Stamp_Lib_Path;  // stamp library file

    // Reads the settings file.
    void Load();
    // Writes the settings file; with report, a failed write is shown to the user.
    void Save(bool report);
};

extern Plot_Config g_Plot_Config;
