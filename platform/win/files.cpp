// Files and folders with Windows semantics (errors, read-only and hidden attributes).
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <system_error>
#include <vector>

#include "win/clock.h"
#include "win/disk_change.h"
#include "win/file_attributes.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/machine_write_stream.h"
#include "win/safe_file_write.h"
#include "win/text_mode_file.h"
#include "win/win_error.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

constexpr DWORD kStoredMask = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_TEMPORARY;
// Stored with a file whose attributes were set, so that "none" differs from "never set".
constexpr DWORD kSetMark = 0x80000000u;

fs::path Key(const fs::path& host_path) { return fs::absolute(host_path).lexically_normal(); }

}  // namespace

DWORD Attributes_Of(const fs::path& host_path) {
    std::error_code ec;
    const fs::file_status status = fs::status(host_path, ec);
    if (ec || status.type() == fs::file_type::not_found) return INVALID_FILE_ATTRIBUTES;
    const bool folder = status.type() == fs::file_type::directory;
    const DWORD stored = Machine::instance().stored_attributes(Key(host_path));
    DWORD attributes = 0;
    if (stored & kSetMark) attributes = stored & kStoredMask & ~FILE_ATTRIBUTE_NORMAL;
    else if (!folder) attributes = FILE_ATTRIBUTE_ARCHIVE;
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) attributes |= FILE_ATTRIBUTE_READONLY;
    if (folder) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;
    return attributes;
}

bool Is_Read_Only(const fs::path& host_path) {
    const DWORD attributes = Attributes_Of(host_path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Apply_Attributes(const fs::path& host_path, DWORD attributes) {
    std::error_code ec;
    const fs::perms write_bits = fs::perms::owner_write;
    fs::permissions(host_path, write_bits,
                    (attributes & FILE_ATTRIBUTE_READONLY) ? fs::perm_options::remove : fs::perm_options::add, ec);
    if (ec) return false;
    Machine::instance().store_attributes(Key(host_path), (attributes & kStoredMask) | kSetMark);
    return true;
}

FILETIME File_Time_Of(fs::file_time_type time) {
    using namespace std::chrono;
    return File_Time_Of_Point(time_point_cast<system_clock::duration>(file_clock::to_sys(time)));
}

WIN32_FILE_ATTRIBUTE_DATA File_Data_Of(const fs::path& host_path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    data.dwFileAttributes = Attributes_Of(host_path);
    if (data.dwFileAttributes == INVALID_FILE_ATTRIBUTES) return data;
    std::error_code ec;
    const auto time = fs::last_write_time(host_path, ec);
    if (!ec) data.ftCreationTime = data.ftLastAccessTime = data.ftLastWriteTime = File_Time_Of(time);
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const uint64_t size = fs::file_size(host_path, ec);
        if (!ec) {
            data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
            data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFu);
        }
    }
    return data;
}

bool Can_Write(const fs::path& host_path) {
    return !Machine::instance().writes_denied(host_path) && !Is_Read_Only(host_path);
}

}  // namespace platform

using platform::To_Host_Path;

namespace {

// Maps a path for a call; an unmappable one fails with ERROR_PATH_NOT_FOUND.
bool Map(LPCWSTR path, fs::path& host) {
    if (!path || !*path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    host = To_Host_Path(path);
    if (host.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

bool Exists(const fs::path& host) {
    std::error_code ec;
    return fs::exists(host, ec);
}

bool Is_Folder(const fs::path& host) {
    std::error_code ec;
    return fs::is_directory(host, ec);
}

// ERROR_FILE_NOT_FOUND when the folder exists, else ERROR_PATH_NOT_FOUND.
DWORD Missing_Error(const fs::path& host) {
    return Is_Folder(host.parent_path()) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

DWORD Error_From_Code(const std::error_code& ec) {
    switch (ec.value()) {
        case ENOENT: return ERROR_FILE_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS: return ERROR_ACCESS_DENIED;
        case EEXIST: return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
        case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
        case ENOSPC: return ERROR_DISK_FULL;
        default: return ERROR_ACCESS_DENIED;
    }
}

BOOL Fail(DWORD code) {
    SetLastError(code);
    return FALSE;
}

bool Denied(const fs::path& host) { return platform::Machine::instance().writes_denied(host); }

// Copies a file with its attributes through a temporary beside the target, which replaces
// the target only when the copy is whole; the target must not be read-only.
bool Copy_With_Attributes(const fs::path& from, const fs::path& to, DWORD& error) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        error = ERROR_ACCESS_DENIED;
        return false;
    }
    platform::Safe_File_Write out(platform::Text_From_Host_Path(to));
    std::vector<char> buffer(1 << 16);
    while (!out.failed() && in.read(buffer.data(), std::streamsize(buffer.size())).gcount() > 0)
        out.write(buffer.data(), size_t(in.gcount()));
    if (in.bad()) {
        error = ERROR_READ_FAULT;
        return false;
    }
    if (!out.commit()) {
        error = out.error_code();
        return false;
    }
    // A copy keeps the modification time and the permissions, as on Windows.
    std::error_code ec;
    fs::last_write_time(to, fs::last_write_time(from, ec), ec);
    fs::permissions(to, fs::status(from, ec).permissions(), ec);
    platform::Apply_Attributes(to, platform::Attributes_Of(from) & ~FILE_ATTRIBUTE_DIRECTORY);
    return true;
}

}  // namespace

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
    fs::path host;
    if (!Map(lpFileName, host)) return INVALID_FILE_ATTRIBUTES;
    const DWORD attributes = platform::Attributes_Of(host);
    if (attributes == INVALID_FILE_ATTRIBUTES) SetLastError(Missing_Error(host));
    return attributes;
}

BOOL GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation) {
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation) return Fail(ERROR_INVALID_PARAMETER);
    fs::path host;
    if (!Map(lpFileName, host)) return FALSE;
    const WIN32_FILE_ATTRIBUTE_DATA data = platform::File_Data_Of(host);
    if (data.dwFileAttributes == INVALID_FILE_ATTRIBUTES) return Fail(Missing_Error(host));
    *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation) = data;
    return TRUE;
}

BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
    fs::path host;
    if (!Map(lpFileName, host)) return FALSE;
    if (!Exists(host)) return Fail(Missing_Error(host));
    if (Denied(host) || !platform::Apply_Attributes(host, dwFileAttributes)) return Fail(ERROR_ACCESS_DENIED);
    return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPVOID) {
    fs::path host;
    if (!Map(lpPathName, host)) return FALSE;
    if (Exists(host)) return Fail(ERROR_ALREADY_EXISTS);
    if (!Is_Folder(host.parent_path())) return Fail(ERROR_PATH_NOT_FOUND);
    if (Denied(host)) return Fail(ERROR_ACCESS_DENIED);
    std::error_code ec;
    {
        platform::Own_Entry_Change own({host});
        fs::create_directory(host, ec);
    }
    if (ec) return Fail(Error_From_Code(ec));
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
    fs::path host;
    if (!Map(lpPathName, host)) return FALSE;
    if (!Exists(host)) return Fail(Missing_Error(host));
    if (!Is_Folder(host)) return Fail(ERROR_DIRECTORY);
    if ((platform::Attributes_Of(host) & FILE_ATTRIBUTE_READONLY) || Denied(host)) return Fail(ERROR_ACCESS_DENIED);
    std::error_code ec;
    if (!fs::is_empty(host, ec)) return Fail(ERROR_DIR_NOT_EMPTY);
    {
        platform::Own_Entry_Change own({host});
        fs::remove(host, ec);
    }
    if (ec) return Fail(Error_From_Code(ec));
    platform::Machine::instance().forget_attributes(fs::absolute(host).lexically_normal());
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR lpFileName) {
    fs::path host;
    if (!Map(lpFileName, host)) return FALSE;
    if (!Exists(host)) return Fail(Missing_Error(host));
    if (Is_Folder(host) || !platform::Can_Write(host)) return Fail(ERROR_ACCESS_DENIED);
    std::error_code ec;
    {
        platform::Own_Entry_Change own({host});
        fs::remove(host, ec);
    }
    if (ec) return Fail(Error_From_Code(ec));
    platform::Machine::instance().forget_attributes(fs::absolute(host).lexically_normal());
    return TRUE;
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
    fs::path from, to;
    if (!Map(lpExistingFileName, from) || !Map(lpNewFileName, to)) return FALSE;
    if (!Exists(from)) return Fail(Missing_Error(from));
    if (Is_Folder(from)) return Fail(ERROR_ACCESS_DENIED);
    if (Exists(to)) {
        if (bFailIfExists) return Fail(ERROR_FILE_EXISTS);
        if (Is_Folder(to) || platform::Is_Read_Only(to)) return Fail(ERROR_ACCESS_DENIED);
    }
    if (!Is_Folder(to.parent_path())) return Fail(ERROR_PATH_NOT_FOUND);
    if (Denied(to)) return Fail(ERROR_ACCESS_DENIED);
    DWORD error = 0;
    if (!Copy_With_Attributes(from, to, error)) return Fail(error);
    return TRUE;
}

BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
    fs::path from, to;
    if (!Map(lpExistingFileName, from) || !Map(lpNewFileName, to)) return FALSE;
    if (!Exists(from)) return Fail(Missing_Error(from));
    const fs::path from_key = fs::absolute(from).lexically_normal();
    const fs::path to_key = fs::absolute(to).lexically_normal();
    const bool same_entry = from_key == to_key ||
                            platform::Equal_No_Case(platform::Text_From_Host_Path(from_key),
                                                    platform::Text_From_Host_Path(to_key));
    if (Exists(to) && !same_entry) {
        if (!(dwFlags & MOVEFILE_REPLACE_EXISTING)) return Fail(ERROR_ALREADY_EXISTS);
        if (Is_Folder(to) || Is_Folder(from) || platform::Is_Read_Only(to)) return Fail(ERROR_ACCESS_DENIED);
    }
    if (!Is_Folder(to.parent_path())) return Fail(ERROR_PATH_NOT_FOUND);
    if (Denied(from) || Denied(to)) return Fail(ERROR_ACCESS_DENIED);
    if (same_entry) {
        // A change of case only: the new name is spelled as given.
        const std::wstring_view given(lpNewFileName);
        const size_t cut = given.find_last_of(L"\\/");
        to = from.parent_path() / platform::Host_Path_From_Text(cut == std::wstring_view::npos ? given : given.substr(cut + 1));
    }
    std::error_code ec;
    {
        platform::Own_Entry_Change own({from, to});
        fs::rename(from, to, ec);
    }
    if (ec.value() == EXDEV && !Is_Folder(from)) {
        DWORD error = 0;
        if (!Copy_With_Attributes(from, to, error)) return Fail(error);
        ec.clear();
        fs::permissions(from, fs::perms::owner_write, fs::perm_options::add, ec);
        platform::Own_Entry_Change own({from});
        fs::remove(from, ec);
        platform::Machine::instance().forget_attributes(from_key);
        return TRUE;
    }
    if (ec) return Fail(Error_From_Code(ec));
    platform::Machine::instance().move_attributes(from_key, fs::absolute(to).lexically_normal());
    return TRUE;
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
    return MoveFileExW(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL PathFileExistsW(LPCWSTR pszPath) {
    fs::path host;
    if (!Map(pszPath, host)) return FALSE;
    if (Exists(host)) return TRUE;
    return Fail(Missing_Error(host));
}

FILE* _wfopen(const wchar_t* filename, const wchar_t* mode) {
    fs::path host;
    if (!mode || !Map(filename, host)) {
        errno = ENOENT;
        return nullptr;
    }
    // Windows modes: r w a, +, b (binary) or t (text, the default), and flags after
    // a comma (ccs=...) that mean nothing here.
    std::string posix_mode;
    bool writes = false;
    bool binary = false;
    for (const wchar_t* m = mode; *m && *m != L','; ++m) {
        switch (*m) {
            case L'r': posix_mode += 'r'; break;
            case L'w': posix_mode += 'w', writes = true; break;
            case L'a': posix_mode += 'a', writes = true; break;
            case L'+': posix_mode += '+', writes = true; break;
            case L'x': posix_mode += 'x'; break;
            case L'b': binary = true; break;
            default: break;  // t, c, n, S, R, T, D, N
        }
    }
    if (posix_mode.empty()) {
        errno = EINVAL;
        return nullptr;
    }
    if (writes && (Is_Folder(host) || !platform::Can_Write(host))) {
        errno = EACCES;
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    FILE* file = nullptr;
    if (writes) {
        platform::Own_Entry_Change own({host});
        file = std::fopen(host.c_str(), posix_mode.c_str());
    } else {
        file = std::fopen(host.c_str(), posix_mode.c_str());
    }
    if (!file) {
        SetLastError(errno == ENOENT ? Missing_Error(host) : Error_From_Code(std::error_code(errno, std::generic_category())));
        return nullptr;
    }
    if (writes) {
        platform::Machine& machine = platform::Machine::instance();
        const std::optional<uint64_t> budget = machine.take_write_limit(host);
        std::optional<fs::path> disk = machine.disk_of(host);
        if (budget || disk || machine.local_time_fixed()) {
            FILE* guarded = platform::Machine_Write_Stream(file, posix_mode.c_str(), budget, std::move(disk),
                                                           machine.local_time_fixed());
            if (!guarded) {
                std::fclose(file);
                return nullptr;
            }
            file = guarded;
        }
    }
    if (binary) return file;
    FILE* text = platform::Text_Mode_Stream(file, posix_mode.c_str());
    if (!text) std::fclose(file);
    return text;
}

int _wremove(const wchar_t* filename) {
    if (DeleteFileW(filename)) return 0;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
    return -1;
}

int _wrename(const wchar_t* oldname, const wchar_t* newname) {
    if (MoveFileExW(oldname, newname, MOVEFILE_COPY_ALLOWED)) return 0;
    const DWORD error = GetLastError();
    errno = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? ENOENT : EACCES;
    return -1;
}

int _waccess(const wchar_t* path, int mode) {
    fs::path host;
    if (!Map(path, host) || !Exists(host)) {
        errno = ENOENT;
        return -1;
    }
    if ((mode & W_OK) && !platform::Can_Write(host)) {
        errno = EACCES;
        return -1;
    }
    return 0;
}
