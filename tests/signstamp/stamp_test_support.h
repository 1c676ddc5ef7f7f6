// Helpers of the stamp tests: binary library files and stamps with pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "mfc/afxstr.h"
#include "signstamp/kv_stamp.h"

namespace stamp_test {

// Little-endian fields of a library file.
std::string Int32_Bytes(int32_t value);
std::string Real_Bytes(double value);
// One record as the file holds it: the name given as already escaped ASCII.
std::string Record_Bytes(const std::string& picture, const std::string& escaped_name, int32_t code = 0,
                         int32_t type = 0);
// A file of the header 0 and the records, declaring `declared` of them.
std::string Library_Bytes(int32_t declared, const std::string& records);

std::string File_Bytes(const CString& path);
void Write_Bytes(const CString& path, const std::string& bytes);

// A PNG of w x h pixels of one colour at the path.
void Write_Png(const CString& path, int w, int h, COLORREF colour);

std::unique_ptr<KV_Stamp> Make_Stamp(const wchar_t* name, const std::string& picture, int32_t code = 0,
                                     int32_t type = Stamp_Reg);

}  // namespace stamp_test
