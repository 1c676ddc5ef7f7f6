// Formatting with the Windows wide-printf rules: %s/%ls take a wide string,
// %S/%hs a narrow one, %c a wide character, %C/%hc a narrow one; l, ll, h, I, I32
// and I64 size prefixes; flags - + space # 0; width and precision (also *); %%.
// A null string pointer prints "(null)". Narrow strings are read as ANSI (CP936).
#pragma once

#include <cstdarg>
#include <string>

namespace platform {

std::wstring Format_Wide(const wchar_t* format, va_list args);
std::wstring Format_Wide_Args(const wchar_t* format, ...);

}  // namespace platform
