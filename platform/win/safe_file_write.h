// Writing a file so that a failed write never costs the file that was there: the bytes go
// to a temporary file beside it (a name of this process alone), every write is checked,
// and only a temporary that was flushed and closed without error is renamed over the file.
// The temporary is written through _wfopen, so the machine's denied folders, short writes
// and full disks apply; a short write set for the file (Machine::fail_writes_after) applies
// to its temporary.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace platform {

class Safe_File_Write {
public:
    // Starts writing the file at the path (a Windows path or an absolute host path). When
    // the file may not be written or no temporary can be made, the write has failed.
    explicit Safe_File_Write(std::wstring path);
    // Without a successful commit() the temporary is removed and the file stays as it was.
    ~Safe_File_Write();
    Safe_File_Write(const Safe_File_Write&) = delete;
    Safe_File_Write& operator=(const Safe_File_Write&) = delete;

    // Appends bytes; false once any write has failed (later writes do nothing).
    bool write(const void* data, size_t size);
    bool write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }
    // Flushes and closes the temporary and renames it over the file: true when the file now
    // holds exactly the bytes written. On failure the temporary is gone.
    bool commit();

    bool failed() const { return !error_.empty(); }
    // "cannot write PATH: reason"; empty while nothing failed.
    const std::wstring& error() const { return error_; }
    // The system error code of the failure (ERROR_ACCESS_DENIED, ERROR_DISK_FULL...); 0 while none.
    // A failure also sets it as the thread's last error.
    uint32_t error_code() const { return code_; }
    const std::wstring& path() const { return path_; }
    // The temporary file's path while it exists, else empty.
    const std::wstring& temp_path() const { return temp_; }

private:
    // The reason is the code's text unless given.
    void fail(uint32_t code, const std::wstring& reason = {});
    void discard();

    std::wstring path_;
    std::wstring temp_;
    FILE* file_ = nullptr;
    std::wstring error_;
    uint32_t code_ = 0;
};

// Writes the bytes as the whole file through a Safe_File_Write; false with its error.
bool Safe_Write_File(const std::wstring& path, std::string_view bytes, std::wstring& error);

}  // namespace platform
