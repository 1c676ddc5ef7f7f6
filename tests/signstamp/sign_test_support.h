// Helpers of the signature tests: library files on the emulated machine and signers.
#pragma once

#include <memory>
#include <string>

#include "core/file_stream.h"
#include "mfc/afxstr.h"
#include "signstamp/sign_library.h"
#include "win/machine.h"

namespace sign_test {

// A Windows path in the emulated user's documents.
inline CString Doc_Path(const wchar_t* name)
{
    return CString(platform::Machine::instance().documents_folder().c_str()) + L"\\" + name;
}

std::string Read_File(const CString& path);
void Write_File(const CString& path, const std::string& bytes);

// A signer with one square outline of side 2·half around (0, 0) and a square hole.
std::unique_ptr<KV_Sign> Make_Sign(int32_t person_no, const wchar_t* name, int32_t code, double half = 10.0);

}  // namespace sign_test
