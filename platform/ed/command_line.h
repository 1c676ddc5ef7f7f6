// The command line: everything the host prints. Output goes to standard output (UTF-8)
// and into a buffer tests read.
#pragma once

#include <string>
#include <type_traits>

// How an argument of a printf-style call reaches the C variadic formatter: scalars and
// pointers as they are, arrays as pointers to their first element. Class types need an
// overload of their own found by argument-dependent lookup (mfc/afxvararg.h gives
// CString and CStringA their text); any other class type is refused at compile time,
// since a C variadic function would get the object and read garbage.
template <class T>
constexpr auto Zc_Vararg(const T& value)
{
    if constexpr (std::is_array_v<T>) {
        return static_cast<const std::remove_extent_t<T>*>(value);
    } else {
        static_assert(std::is_scalar_v<T>,
                      "pass a class type's text (for example str.c_str()) to printf-style calls");
        return value;
    }
}

namespace platform {
// Formats with the Windows wide-printf rules and prints; RTERROR for a null format.
int Print_Formatted(const wchar_t* format, ...);
}  // namespace platform

// Formats with the Windows wide-printf rules (%s takes a wide string) and prints.
// Every argument goes through Zc_Vararg. Returns RTNORM.
template <class... Args>
int zcutPrintf(const wchar_t* format, const Args&... args)
{
    return platform::Print_Formatted(format, Zc_Vararg(args)...);
}
// Prints the prompt text as it stands. Returns RTNORM.
int zcedPrompt(const wchar_t* prompt);

namespace platform {

class CommandLine {
public:
    static CommandLine& instance();

    // Appends text to the buffer and writes it to standard output, unless output is
    // quiet (a host command run inside a command while CMDECHO is 0).
    void write(const std::wstring& text);
    // Text printed since the last clear.
    const std::wstring& text() const { return mText; }
    void clear() { mText.clear(); }

    // Nested quiet sections (prompts of host commands run with CMDECHO 0).
    void push_quiet(bool quiet);
    void pop_quiet();
    bool quiet() const;

    // Standard output can be turned off (tests that print a lot).
    void set_echo_to_stdout(bool on) { mToStdout = on; }

private:
    CommandLine() = default;
    std::wstring mText;
    std::basic_string<bool> mQuiet;
    bool mToStdout = true;
};

}  // namespace platform
