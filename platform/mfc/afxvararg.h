// CString and CStringA as arguments of the host's printf-style calls (zcutPrintf): they
// pass their text, as Format does.
#pragma once

#include "mfc/afxstr.h"

inline const wchar_t* Zc_Vararg(const CStringT<wchar_t>& value) { return value.GetString(); }
inline const char* Zc_Vararg(const CStringT<char>& value) { return value.GetString(); }
