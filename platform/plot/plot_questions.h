// The questions of the host's plot commands: each prints its prompt, waits for the answer
// (answer list, typed text, script) and gives back what it means. An empty answer takes
// the default; a non-empty answer the question does not accept ends the command
// (Plot_Command_Error), so a misaligned answer list fails where it goes wrong.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "ge/gepnt2d.h"

namespace platform {

// Ends a plot command: a refused answer or a failed plot. `what` is the command-line text.
class Plot_Command_Error : public std::runtime_error {
public:
    explicit Plot_Command_Error(const std::wstring& message);
    const std::wstring& message() const { return message_; }

private:
    std::wstring message_;
};

// Ends a plot command quietly: the user cancelled a question.
struct Plot_Command_Cancelled {};

// A keyword question. `keywords` as zcedInitGet takes them ("Yes No"); the result is the
// global name of the keyword answered, or `current` on an empty answer.
std::wstring Ask_Keyword(const std::wstring& prompt, const std::wstring& keywords, const std::wstring& current);
bool Ask_Yes_No(const std::wstring& prompt, bool current);
// True when the text names the keyword ("Center": "C", "cen", "CENTER").
bool Is_Keyword(const std::wstring& text, const wchar_t* keyword);

// A free text answer (spaces belong to it); empty when the answer was empty.
std::wstring Ask_Text(const std::wstring& prompt);

// A point, as "x,y" text or a point answer; `current` on an empty answer.
ZcGePoint2d Ask_Point(const std::wstring& prompt, const ZcGePoint2d& current);

// A text or point answer, for questions that take both (the plot offset).
struct Text_Or_Point {
    bool empty = true;
    bool is_point = false;
    std::wstring text;
    ZcGePoint2d point;
};
Text_Or_Point Ask_Text_Or_Point(const std::wstring& prompt);

// Throws Plot_Command_Error for an answer the question does not accept.
[[noreturn]] void Refuse_Plot_Answer(const std::wstring& prompt, const std::wstring& answer, const std::wstring& why);

// Runs a plot command's questions: a Plot_Command_Error is printed on the command line
// ("; error: ...") and, inside a command run with an answer list, makes that run fail;
// a cancel ends the command quietly.
void Run_Plot_Command(void (*body)());

// Numbers the way the prompts show them.
std::wstring Format_Prompt_Number(double value, int decimals);

}  // namespace platform
