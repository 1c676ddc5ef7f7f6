// The stamp library, the global g_Stamp_Library.
// Filled in when stamps land: for now it holds no records.
#pragma once

#include "mfc/afxstr.h"

class Stamp_Library {
public:
    // Reads the stamp library file into the library; with offer_keep the user may keep
    // the records already held.
    static void Load(Stamp_Library& library, const CString& path, bool offer_keep);
};

extern Stamp_Library g_Stamp_Library;
