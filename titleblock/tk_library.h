// The title-block library, the global g_TK_Library.
// Filled in when the title-block library lands: for now it holds no definitions.
#pragma once

class TK_Library {
public:
    // Mode 0 reads the library file of the per-user folder, mode 1 imports a chosen file.
    void Load(int mode);
    // Reads the library file again and writes it back with the numbering settings in memory.
    void Resave();
};

extern TK_Library g_TK_Library;
