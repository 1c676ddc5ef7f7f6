// Reads a DXF drawing (ASCII or binary, R12 to AC1032) into a database.
#pragma once

#include <string>
#include <string_view>

#include "db/dbmain.h"
#include "dxf/dxf_warnings.h"

namespace platform {

struct DxfReadReport {
  // On failure: "FILE: line N: what was expected, what was found", "FILE: not a DXF file" or
  // "FILE: the file is empty".
  std::string error;
  DxfWarnings warnings;      // what the read dropped or kept raw
  size_t raw_entities = 0;   // entities kept raw (types without a class)
};

// Fills db, which must be empty (a database made without its default drawing), from the file.
// On failure db holds what was read up to the fault; callers read into a scratch database
// and keep their own drawing when this fails.
Zcad::ErrorStatus Read_Dxf_File(ZcDbDatabase* db, const std::wstring& path, DxfReadReport* report = nullptr);
// The same from DXF data in memory; `name` stands for the file in messages.
Zcad::ErrorStatus Read_Dxf_Data(ZcDbDatabase* db, std::string_view data, const std::string& name,
                                DxfReadReport* report = nullptr);

// The report of the last read in this process (for callers of readDwgFile): its error ("" when
// it succeeded) and its warnings.
DxfReadReport Dxf_Last_Report();
std::string Dxf_Last_Error();

}  // namespace platform
