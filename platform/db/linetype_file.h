// Linetype definition files (".lin" text: "*NAME,description" followed by
// "A,dash,gap,...") and the host's own two, "acad.lin" (inches) and "acadiso.lin"
// (millimetres), kept in the host's support folder.
#pragma once

#include <string>

#include "rx/zcadstrc.h"

class ZcDbDatabase;

// Loads the linetypes named ltName ('*' and '?' wildcards, without regard to case) from
// the file into the database's linetype table. A file name without a folder is looked up
// in the host's support folder (the host's two files are written there first when
// missing). eOk when at least one was added; eDuplicateRecordName when every match is
// already in the table; eKeyNotFound when the file names none; eFileNotFound,
// eFileAccessErr, eNoDatabase, eInvalidInput otherwise. Records added: name, description
// (comments), dash lengths, pattern length and the texts of complex linetypes; linetypes with
// shapes are left out (shape files are not read).
Zcad::ErrorStatus zcdbLoadLineTypeFile(ZcDbDatabase* pDb, const wchar_t* ltName, const wchar_t* fileName);

#include "db/support_files.h"

namespace platform {

// Writes "acad.lin" and "acadiso.lin" into the support folder when they are missing;
// false when a file could not be written.
bool Install_Host_Linetype_Files();

}  // namespace platform
