// UTF-8 <-> wide string conversion (wchar_t holds one code point).
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Code points that UTF-8 cannot carry (surrogates, above U+10FFFF) become U+FFFD.
std::string To_Utf8(std::wstring_view text);
// Malformed sequences become U+FFFD, one per bad byte.
std::wstring From_Utf8(std::string_view text);

}  // namespace platform
