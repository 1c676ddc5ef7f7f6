// Reads a DXF drawing (ASCII or binary, R12 to AC1032) into a database.
#pragma once

#include <string>
#include <string_view>

#include "db/dbmain.h"

namespace platform {

struct DxfReadReport {
  std::string error;         // "FILE: line N: what was expected, what was found" on failure
  size_t warnings = 0;       // damaged details that were skipped
  size_t raw_entities = 0;   // entities kept raw (types without a class)
};

// Fills db, which must be empty (a database made without its default drawing), from the file.
// On failure db holds what was read up to the fault; callers read into a scratch database
// and keep their own drawing when this fails.
Zcad::ErrorStatus Read_Dxf_File(ZcDbDatabase* db, const std::wstring& path, DxfReadReport* report = nullptr);
// The same from DXF data in memory; `name` stands for the file in messages.
Zcad::ErrorStatus Read_Dxf_Data(ZcDbDatabase* db, std::string_view data, const std::string& name,
                                DxfReadReport* report = nullptr);

// The message of the last failed read in this process (for callers of readDwgFile).
std::string Dxf_Last_Error();

}  // namespace platform
