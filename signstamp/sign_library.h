// The signature library, the global g_Sign_Library.
// Filled in when signatures land: for now it holds no records.
#pragma once

#include "mfc/afxstr.h"

class Sign_Library {
public:
    // Reads the signature library file into the library; with offer_keep the user may keep
    // the records already held.
    static void Load(Sign_Library& library, const CString& path, bool offer_keep);
};

extern Sign_Library g_Sign_Library;
