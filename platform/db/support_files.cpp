#include "db/support_files.h"

#include "win/machine.h"
#include "win/safe_file_write.h"
#include "win/win_files.h"

namespace platform {

std::wstring Host_Support_Folder() { return Machine::instance().program_folder() + L"\\Support"; }

bool Install_Support_File(const wchar_t* name, const std::function<std::string()>& text)
{
    const std::wstring folder = Host_Support_Folder();
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\" + name;
    if (PathFileExistsW(path.c_str())) return true;
    std::wstring error;
    return Safe_Write_File(path, text(), error);
}

}  // namespace platform
