// Name comparison of the editor: host names compare without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring Upper(std::wstring_view text);
bool Same_Name(std::wstring_view a, std::wstring_view b);

}  // namespace platform

namespace platform {

// The host's wildcard match, without regard to case: ',' separates patterns; '*' any
// sequence, '?' any character, '#' a digit, '@' a letter, '.' a character that is neither,
// '[...]' one of the characters (ranges a-z; '[~...]' none of them), '~' at the start of a
// pattern negates it, '`' takes the next character literally.
bool Wild_Match(std::wstring_view pattern, std::wstring_view text);

}  // namespace platform
