// Windows text-mode streams (inside the win layer): "\n" is written as "\r\n" and
// "\r\n" reads back as "\n".
#pragma once

#include <cstdio>

namespace platform {

// Wraps an open byte stream; the returned stream owns `raw` and closes it.
// Returns null (and leaves `raw` open) when the wrapper cannot be made.
FILE* Text_Mode_Stream(FILE* raw, const char* mode);

}  // namespace platform
