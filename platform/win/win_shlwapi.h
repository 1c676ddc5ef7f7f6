// Path helpers in the style of the shell's light-weight API. They work on the text
// (MAX_PATH buffers), with '\\' (and '/') as separators; only PathIsDirectoryW
// looks at the disk.
#pragma once

#include "win/win_types.h"

// The file name: the text after the last separator that is not the last character
// ("C:\\a\\b.txt" -> "b.txt", "C:\\a\\" -> "a\\").
LPWSTR PathFindFileNameW(LPCWSTR pszPath);
// The last ".ext" of the file name, or the terminator when there is none (a dot
// followed by a blank starts no extension).
LPWSTR PathFindExtensionW(LPCWSTR pszPath);
void PathRemoveExtensionW(LPWSTR pszPath);
// Replaces (or adds) the extension; FALSE when the result would not fit MAX_PATH.
BOOL PathRenameExtensionW(LPWSTR pszPath, LPCWSTR pszExt);
// Cuts the last component and its separator ("C:\\a\\b.txt" -> "C:\\a",
// "C:\\a.txt" -> "C:\\"); FALSE when nothing was removed.
BOOL PathRemoveFileSpecW(LPWSTR pszPath);
// dir + "\\" + file, with "." and ".." resolved; a file with a drive or a leading
// backslash stands alone (a leading backslash keeps dir's drive). Null when both are
// null or the result would not fit MAX_PATH.
LPWSTR PathCombineW(LPWSTR pszDest, LPCWSTR pszDir, LPCWSTR pszFile);
// PathCombineW(pszPath, pszPath, pszMore) with pszMore's leading separators skipped.
BOOL PathAppendW(LPWSTR pszPath, LPCWSTR pszMore);
// FILE_ATTRIBUTE_DIRECTORY for an existing folder, else FALSE.
BOOL PathIsDirectoryW(LPCWSTR pszPath);

inline LPWSTR PathFindFileName(LPCWSTR p) { return PathFindFileNameW(p); }
inline LPWSTR PathFindExtension(LPCWSTR p) { return PathFindExtensionW(p); }
inline void PathRemoveExtension(LPWSTR p) { PathRemoveExtensionW(p); }
inline BOOL PathRenameExtension(LPWSTR p, LPCWSTR e) { return PathRenameExtensionW(p, e); }
inline BOOL PathRemoveFileSpec(LPWSTR p) { return PathRemoveFileSpecW(p); }
inline LPWSTR PathCombine(LPWSTR d, LPCWSTR a, LPCWSTR b) { return PathCombineW(d, a, b); }
inline BOOL PathAppend(LPWSTR p, LPCWSTR m) { return PathAppendW(p, m); }
inline BOOL PathIsDirectory(LPCWSTR p) { return PathIsDirectoryW(p); }
