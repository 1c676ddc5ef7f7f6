// Code pages: the ANSI code page of the machine is 936 (GBK), converted with iconv.
#pragma once

#include <string>
#include <string_view>

#include "script/utf8.h"
#include "win/win_types.h"

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001
#define CP_GBK 936

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define WC_ERR_INVALID_CHARS 0x00000080

// The ANSI and OEM code pages (936).
UINT GetACP();
UINT GetOEMCP();

// Windows semantics: cchWideChar/cbMultiByte == 0 queries the size; a length of -1
// converts through the terminator and counts it. Returns 0 and sets the last
// error on a too small buffer or an unknown code page. Characters the code page
// lacks become the default character ('?', or *lpDefaultChar) and set *lpUsedDefaultChar.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                        LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                        LPBOOL lpUsedDefaultChar);

namespace platform {

// The system ANSI code page (CP936). Unmappable characters become '?'.
std::string To_Ansi(std::wstring_view text);
// From the ANSI code page; a byte sequence that is not GBK becomes '?'.
std::wstring From_Ansi(std::string_view bytes);
// To_Utf8 / From_Utf8 come from script/utf8.h.

}  // namespace platform
