// Compiled into every C++ file of the tree (top-level CMakeLists.txt).
// std::filesystem converts between a path and wide text through the "C" locale, whatever
// the environment says, and throws "Cannot convert character sequence" on the first
// non-ASCII character. Here those conversions are taken away, so that a use fails the build:
// - a path made from wide text (path(L"..."), path / std::wstring, replace_extension(L"..."),
//   exists(std::wstring)...) is a compile error: "use of deleted function ... _S_convert";
// - path::wstring() and generic_wstring() give a link error: "undefined reference to
//   ... path::_S_str_convert<wchar_t ...>".
// Paths and wide text meet through platform::Host_Path_From_Text and Text_From_Host_Path
// (win/host_path_text.h) only.
#pragma once

#include <filesystem>

#if defined(__GLIBCXX__) && defined(__cplusplus)
namespace std::filesystem {
inline namespace __cxx11 {
template <>
auto path::_S_convert<wchar_t>(const wchar_t*, const wchar_t*) = delete;
template <>
std::wstring path::_S_str_convert<wchar_t, std::char_traits<wchar_t>, std::allocator<wchar_t>>(
    std::basic_string_view<char>, const std::allocator<wchar_t>&);
}  // namespace __cxx11
}  // namespace std::filesystem
#endif
