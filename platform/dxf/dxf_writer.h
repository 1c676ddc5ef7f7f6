// Writes a database as a DXF drawing (AC1027, UTF-8) that this reader and other DXF readers load.
#pragma once

#include <string>

#include "db/dbmain.h"
#include "dxf/dxf_warnings.h"

namespace platform {

// The DXF text of the drawing. Every handle a record names is the handle of a record written:
// a link to an object that is not written is left out, and said so in `warnings`.
std::string Write_Dxf_Data(const ZcDbDatabase* db, DxfWarnings* warnings = nullptr);
// Writes the file (a Windows path names a file of the emulated machine) through a temporary
// beside it: a failed write leaves the file that was there as it was.
Zcad::ErrorStatus Write_Dxf_File(const ZcDbDatabase* db, const std::wstring& path, DxfWarnings* warnings = nullptr);

}  // namespace platform
