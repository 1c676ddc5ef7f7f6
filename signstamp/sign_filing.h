// Reading the signature entities' own groups from a DXF filer.
#pragma once

#include <cstdint>

#include "db/filer.h"
#include "ge/gepnt3d.h"
#include "mfc/afxstr.h"

// What one signature can hold: its loop counts and points are filed as 16-bit values.
constexpr int32_t Max_Sign_Loops = 32767;
constexpr int32_t Max_Sign_Points = 32767;

// The next group, when it has the code; false (nothing consumed) otherwise.
bool Read_Dxf_Int(ZcDbDxfFiler* filer, int code, int32_t& value);
bool Read_Dxf_Point(ZcDbDxfFiler* filer, int code, ZcGePoint3d& value);
bool Read_Dxf_String(ZcDbDxfFiler* filer, int code, CString& value);
