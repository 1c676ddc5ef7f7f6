#include "ed/command_line.h"

#include <cstdarg>

#include "rx/zcadstrc.h"
#include "script/console.h"
#include "script/utf8.h"
#include "win/win_format.h"

namespace platform {

CommandLine& CommandLine::instance()
{
    static CommandLine line;
    return line;
}

void CommandLine::write(const std::wstring& text)
{
    if (text.empty() || quiet())
        return;
    mText += text;
    if (mToStdout) {
        Console_Write(To_Utf8(text));
    }
}

void CommandLine::push_quiet(bool quiet) { mQuiet.push_back(quiet); }

void CommandLine::pop_quiet()
{
    if (!mQuiet.empty())
        mQuiet.pop_back();
}

bool CommandLine::quiet() const
{
    for (bool q : mQuiet)
        if (q)
            return true;
    return false;
}

int Print_Formatted(const wchar_t* format, ...)
{
    if (format == nullptr)
        return RTERROR;
    va_list args;
    va_start(args, format);
    std::wstring text = platform::Format_Wide(format, args);
    va_end(args);
    platform::CommandLine::instance().write(text);
    return RTNORM;
}

}  // namespace platform

int zcedPrompt(const wchar_t* prompt)
{
    if (prompt != nullptr)
        platform::CommandLine::instance().write(prompt);
    return RTNORM;
}
