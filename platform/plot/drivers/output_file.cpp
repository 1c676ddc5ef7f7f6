#include "plot/drivers/output_file.h"

#include <fstream>

#include "win/win_files.h"

namespace platform {

std::filesystem::path Writable_Output_Path(const std::wstring& path, std::wstring& error)
{
    std::filesystem::path host = To_Host_Path(path);
    if (host.empty() || !Can_Write(host)) {
        error = L"cannot write " + path;
        return {};
    }
    return host;
}

bool Write_Output_File(const std::wstring& path, const std::string& bytes, std::wstring& error)
{
    const std::filesystem::path host = Writable_Output_Path(path, error);
    if (host.empty()) return false;
    std::ofstream out(host, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        error = L"cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace platform
