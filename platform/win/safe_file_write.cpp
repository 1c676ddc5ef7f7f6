#include "win/safe_file_write.h"

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "win/disk_change.h"
#include "win/machine.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_process.h"

namespace platform {

namespace {

std::atomic<unsigned long> g_Temp_Count{0};

// A name beside the file that no other writer of this or another process uses.
std::wstring Temp_Path_Beside(const std::wstring& path)
{
    return path + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++g_Temp_Count) + L".tmp";
}

std::wstring Reason_Of_Error(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED: return L"access denied";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND: return L"no such folder";
    case ERROR_DISK_FULL: return L"the disk is full";
    case ERROR_FILENAME_EXCED_RANGE: return L"the name is too long";
    case ERROR_WRITE_FAULT: return L"write error";
    default: return L"error " + std::to_wstring(error);
    }
}

DWORD Error_Of_Errno(int code) { return code == ENOSPC ? ERROR_DISK_FULL : ERROR_WRITE_FAULT; }

}  // namespace

Safe_File_Write::Safe_File_Write(std::wstring path) : path_(std::move(path))
{
    const std::filesystem::path host = To_Host_Path(path_);
    std::error_code ec;
    if (host.empty())
        fail(ERROR_PATH_NOT_FOUND, L"not a path of this machine");
    else if (std::filesystem::is_directory(host, ec))
        fail(ERROR_ACCESS_DENIED, L"a folder has that name");
    else if (!Can_Write(host))
        fail(ERROR_ACCESS_DENIED);
    if (failed())
        return;
    temp_ = Temp_Path_Beside(path_);
    Machine& machine = Machine::instance();
    if (const std::optional<uint64_t> limit = machine.take_write_limit(host))
        machine.fail_writes_after(temp_, *limit);
    file_ = _wfopen(temp_.c_str(), L"wb");
    if (file_ == nullptr) {
        const DWORD error = GetLastError();
        temp_.clear();
        fail(error);
    }
}

Safe_File_Write::~Safe_File_Write() { discard(); }

bool Safe_File_Write::write(const void* data, size_t size)
{
    if (failed() || file_ == nullptr)
        return false;
    errno = 0;
    if (size > 0 && std::fwrite(data, 1, size, file_) != size) {
        fail(Error_Of_Errno(errno));
        discard();
        return false;
    }
    return true;
}

bool Safe_File_Write::commit()
{
    if (failed() || file_ == nullptr) {
        if (!failed())
            fail(ERROR_INVALID_HANDLE, L"already finished");
        discard();
        return false;
    }
    errno = 0;
    bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    written = std::fclose(file_) == 0 && written;
    file_ = nullptr;
    if (!written) {
        fail(Error_Of_Errno(errno));
        discard();
        return false;
    }
    if (!MoveFileExW(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        fail(GetLastError());
        discard();
        return false;
    }
    temp_.clear();
    return true;
}

void Safe_File_Write::fail(uint32_t code, const std::wstring& reason)
{
    if (!error_.empty())
        return;
    code_ = code;
    error_ = L"cannot write " + path_ + L": " + (reason.empty() ? Reason_Of_Error(code) : reason);
    // As a failed Windows write leaves it: the caller's caller may only see the last error.
    SetLastError(code);
}

void Safe_File_Write::discard()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        const std::filesystem::path host = To_Host_Path(temp_);
        std::error_code ec;
        {
            Own_Entry_Change own({host});
            std::filesystem::remove(host, ec);
        }
        temp_.clear();
    }
}

bool Safe_Write_File(const std::wstring& path, std::string_view bytes, std::wstring& error)
{
    Safe_File_Write file(path);
    if (file.write(bytes) && file.commit())
        return true;
    error = file.error();
    return false;
}

}  // namespace platform
