// Makes this layer the database's drawing-file reader and writer when the library loads.
#include "db/drawing_file_io.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_writer.h"

namespace platform {

namespace {

Zcad::ErrorStatus Read_Drawing(ZcDbDatabase* db, const wchar_t* path) {
  return Read_Dxf_File(db, path ? path : L"");
}

Zcad::ErrorStatus Write_Drawing(const ZcDbDatabase* db, const wchar_t* path) {
  return Write_Dxf_File(db, path ? path : L"");
}

const bool gRegistered = [] {
  Set_Drawing_File_Io(Read_Drawing, Write_Drawing);
  return true;
}();

}  // namespace

}  // namespace platform
