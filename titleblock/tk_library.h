// The title-block library, the global g_TK_Library.
// Filled in when the title-block library lands: for now it holds no definitions.
#pragma once

#include "mfc/afxcoll.h"

class TK_Library {
public:
    // Mode 0 reads the library file of the per-user folder, mode 1 imports a chosen file.
    void Load(int mode);
    // Reads the library file again and writes it back with the numbering settings in memory.
    void Resave();

    int Paper_Name_Style = 0;          // naming style 0..7 of lengthened papers
    CStringArray Long_Paper_Names;     // the user's names of the 47 lengthened papers (style 7)
};

extern TK_Library g_TK_Library;
