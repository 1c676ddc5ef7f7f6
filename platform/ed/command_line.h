// The command line: everything the host prints. Output goes to standard output (UTF-8)
// and into a buffer tests read.
#pragma once

#include <string>

// Formats with the Windows wide-printf rules (%s takes a wide string) and prints.
// Returns RTNORM.
int zcutPrintf(const wchar_t* format, ...);
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
