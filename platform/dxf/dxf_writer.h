// Writes a database as a DXF drawing (AC1027, UTF-8) that this reader and other DXF readers load.
#pragma once

#include <string>

#include "db/dbmain.h"

namespace platform {

// The DXF text of the drawing.
std::string Write_Dxf_Data(const ZcDbDatabase* db);
// Writes the file (a Windows path names a file of the emulated machine) through a temporary
// beside it: a failed write leaves the file that was there as it was.
Zcad::ErrorStatus Write_Dxf_File(const ZcDbDatabase* db, const std::wstring& path);

}  // namespace platform
