// The working drawing's "Standard" dimension, multileader and multiline styles under a
// temporary name while sheets are written out, so that the new drawings keep their own.
#pragma once

#include "mfc/afxstr.h"

// Gives the styles named `name` the name "Standard" again.
void Restore_Standard_Styles(const CString& name);

class Standard_Style_Rename {
public:
    Standard_Style_Rename() = default;
    // Restores the styles when they still carry the temporary name.
    ~Standard_Style_Rename();
    Standard_Style_Rename(const Standard_Style_Rename&) = delete;
    Standard_Style_Rename& operator=(const Standard_Style_Rename&) = delete;

    // Name := "KV" + time stamp; the "Standard" styles take it. A missing style is skipped.
    void Rename();
    // Restores now; the destructor then has nothing left to do.
    void Restore();

    CString Temp_Name;
};
