#include "core/string_helpers.h"

CString Cancel_Prefix() { return CString(L"\x03\x03"); }
