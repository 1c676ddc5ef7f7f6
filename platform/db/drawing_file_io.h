// Hook through which the drawing-file layer reads and writes databases.
#pragma once
#include "rx/zcadstrc.h"

class ZcDbDatabase;

namespace platform {

// Extension of the drawing files this platform writes (its writer writes DXF).
inline constexpr const wchar_t* Drawing_File_Extension = L".dxf";

// Fills db (emptied before the call) from the file at path.
typedef Zcad::ErrorStatus (*Drawing_File_Reader)(ZcDbDatabase* db, const wchar_t* path);
// Writes db to the file at path.
typedef Zcad::ErrorStatus (*Drawing_File_Writer)(const ZcDbDatabase* db, const wchar_t* path);

// Registers the reader and writer used by ZcDbDatabase::readDwgFile/saveAs (nullptr removes them).
void Set_Drawing_File_Io(Drawing_File_Reader reader, Drawing_File_Writer writer);
Drawing_File_Reader Drawing_Reader();
Drawing_File_Writer Drawing_Writer();

}  // namespace platform
