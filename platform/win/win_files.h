// Paths and files of the emulated machine. Every function accepts Windows paths
// ("C:\a\b", "C:/a/b", relative to the machine's current directory) and plain
// absolute host paths ("/tmp/x"), and resolves existing names without regard to case.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "win/win_types.h"

// File attributes.
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_DEVICE 0x00000040
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

// MoveFileExW flags.
#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

// _waccess modes.
#ifndef F_OK
#define F_OK 0
#endif
#ifndef W_OK
#define W_OK 2
#endif
#ifndef R_OK
#define R_OK 4
#endif

// Shell folders for SHGetFolderPathW.
#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_MYDOCUMENTS CSIDL_PERSONAL
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_FONTS 0x0014
#define CSIDL_APPDATA 0x001A
#define CSIDL_LOCAL_APPDATA 0x001C
#define CSIDL_WINDOWS 0x0024
#define CSIDL_SYSTEM 0x0025
#define CSIDL_PROGRAM_FILES 0x0026
#define CSIDL_PROFILE 0x0028
#define CSIDL_FLAG_CREATE 0x8000
#define CSIDL_FLAG_MASK 0xFF00
#define SHGFP_TYPE_CURRENT 0
#define SHGFP_TYPE_DEFAULT 1

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH];
    WCHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATAW;

struct WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
};
typedef WIN32_FILE_ATTRIBUTE_DATA* LPWIN32_FILE_ATTRIBUTE_DATA;
enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel };
typedef WIN32_FIND_DATAW WIN32_FIND_DATA;
typedef WIN32_FIND_DATAW* LPWIN32_FIND_DATA;

namespace platform {

// Maps a Windows path (or an absolute host path, passed through) to the host path.
// Existing components are matched without regard to case; missing ones keep the
// given spelling. A drive with no mapping yields an empty path.
std::filesystem::path To_Host_Path(std::wstring_view path);
// Maps a host path back: a path under a drive's folder becomes "C:\..."; others
// come back as they are (with '/' separators).
std::wstring To_Windows_Path(const std::filesystem::path& host_path);
// A path a session script answers a file dialog with: a relative one is relative to the folder
// the host program started in and comes back as its drive path; others are kept as given.
std::wstring Script_Answer_Path(std::wstring_view path);
// Windows file-name match of `name` against `pattern` with * and ?, without regard to case.
bool Wildcard_Match(std::wstring_view pattern, std::wstring_view name);
// Compares two names without regard to case (simple case folding, CJK unaffected).
bool Equal_No_Case(std::wstring_view a, std::wstring_view b);
// The text with that case folding applied (a key for maps that ignore case).
std::wstring Fold_Case(std::wstring_view text);
// False when the machine denies writes at the host path (Machine::deny_writes)
// or the path is a read-only file. The file functions here check it; so must
// every other writer of machine files.
bool Can_Write(const std::filesystem::path& host_path);

}  // namespace platform

// Environment of the emulated machine.
DWORD GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize);
BOOL SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue);
DWORD ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize);

// Folders.
HRESULT SHGetFolderPathW(HWND hwnd, int csidl, HANDLE hToken, DWORD dwFlags, LPWSTR pszPath);
DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer);
DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer);
BOOL SetCurrentDirectoryW(LPCWSTR lpPathName);
DWORD GetLongPathNameW(LPCWSTR lpszShortPath, LPWSTR lpszLongPath, DWORD cchBuffer);

// Files and folders.
DWORD GetFileAttributesW(LPCWSTR lpFileName);
// Attributes, size and times (the modification time for all three).
BOOL GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation);
BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes);
BOOL CreateDirectoryW(LPCWSTR lpPathName, LPVOID lpSecurityAttributes);
BOOL RemoveDirectoryW(LPCWSTR lpPathName);
BOOL DeleteFileW(LPCWSTR lpFileName);
// Copies through a temporary beside the target (platform::Safe_File_Write): a copy that
// fails keeps the old target.
BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists);
BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName);
BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags);
BOOL PathFileExistsW(LPCWSTR pszPath);

// Directory listing with * and ? in the last component. Host files named
// "file:stream" are the alternate data streams of "file" (as "a.pdf:Zone.Identifier")
// and are not listed.
HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData);
BOOL FindClose(HANDLE hFindFile);

// C runtime with wide paths. _wfopen opens in text mode unless the mode has 'b':
// "\n" is written as "\r\n" and "\r\n" is read as "\n", as on Windows; ccs= is ignored.
// Writing honours Machine::deny_writes, Machine::fail_writes_after and Machine::set_disk_free.
FILE* _wfopen(const wchar_t* filename, const wchar_t* mode);
// Sharing modes mean nothing here: every file is shared.
#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40
inline FILE* _wfsopen(const wchar_t* filename, const wchar_t* mode, int) { return _wfopen(filename, mode); }
int _wremove(const wchar_t* filename);
int _wrename(const wchar_t* oldname, const wchar_t* newname);
int _waccess(const wchar_t* path, int mode);

// Generic (Unicode) names.
inline DWORD GetEnvironmentVariable(LPCWSTR n, LPWSTR b, DWORD s) { return GetEnvironmentVariableW(n, b, s); }
inline BOOL SetEnvironmentVariable(LPCWSTR n, LPCWSTR v) { return SetEnvironmentVariableW(n, v); }
inline DWORD ExpandEnvironmentStrings(LPCWSTR s, LPWSTR d, DWORD n) { return ExpandEnvironmentStringsW(s, d, n); }
inline HRESULT SHGetFolderPath(HWND w, int c, HANDLE t, DWORD f, LPWSTR p) { return SHGetFolderPathW(w, c, t, f, p); }
inline DWORD GetTempPath(DWORD n, LPWSTR b) { return GetTempPathW(n, b); }
inline DWORD GetCurrentDirectory(DWORD n, LPWSTR b) { return GetCurrentDirectoryW(n, b); }
inline BOOL SetCurrentDirectory(LPCWSTR p) { return SetCurrentDirectoryW(p); }
inline DWORD GetLongPathName(LPCWSTR s, LPWSTR l, DWORD n) { return GetLongPathNameW(s, l, n); }
inline DWORD GetFileAttributes(LPCWSTR p) { return GetFileAttributesW(p); }
inline BOOL GetFileAttributesEx(LPCWSTR p, GET_FILEEX_INFO_LEVELS l, LPVOID i) { return GetFileAttributesExW(p, l, i); }
inline BOOL SetFileAttributes(LPCWSTR p, DWORD a) { return SetFileAttributesW(p, a); }
inline BOOL CreateDirectory(LPCWSTR p, LPVOID s) { return CreateDirectoryW(p, s); }
inline BOOL RemoveDirectory(LPCWSTR p) { return RemoveDirectoryW(p); }
inline BOOL DeleteFile(LPCWSTR p) { return DeleteFileW(p); }
inline BOOL CopyFile(LPCWSTR a, LPCWSTR b, BOOL f) { return CopyFileW(a, b, f); }
inline BOOL MoveFile(LPCWSTR a, LPCWSTR b) { return MoveFileW(a, b); }
inline BOOL MoveFileEx(LPCWSTR a, LPCWSTR b, DWORD f) { return MoveFileExW(a, b, f); }
inline BOOL PathFileExists(LPCWSTR p) { return PathFileExistsW(p); }
inline HANDLE FindFirstFile(LPCWSTR p, LPWIN32_FIND_DATAW d) { return FindFirstFileW(p, d); }
inline BOOL FindNextFile(HANDLE h, LPWIN32_FIND_DATAW d) { return FindNextFileW(h, d); }
