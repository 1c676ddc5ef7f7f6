// Formatting with the Windows narrow-printf rules (%s narrow, %S wide), for CStringA.
#pragma once

#include <cstdarg>
#include <string>

namespace platform {

// The format and the narrow strings it takes are ANSI (CP936) bytes; the result too.
std::string Format_Narrow(const char* format, va_list args);

}  // namespace platform
