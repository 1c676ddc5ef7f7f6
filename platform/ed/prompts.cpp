#include "ed/prompts.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <algorithm>

#include "ed/command_line.h"
#include "ed/prompt_support.h"
#include "script/utf8.h"

namespace platform {

namespace {

struct PromptGlobals {
    PromptSetup setup;
    std::wstring lastInput;
};

PromptGlobals& Globals()
{
    static PromptGlobals globals;
    return globals;
}

std::wstring Escaped(const std::wstring& prompt)
{
    std::wstring out;
    for (wchar_t c : prompt)
        out += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
    return out;
}

}  // namespace

void Set_Prompt_Setup(PromptSetup setup) { Globals().setup = std::move(setup); }

const std::wstring& Last_Input() { return Globals().lastInput; }

PromptSetup Take_Prompt_Setup()
{
    PromptSetup setup = std::move(Globals().setup);
    Globals().setup = PromptSetup();
    return setup;
}

InputAnswer Ask(const std::wstring& prompt, const InputRequest& request,
                std::initializer_list<StepKind> accepted)
{
    CommandLine& line = CommandLine::instance();
    line.write(prompt);
    InputAnswer answer = Wait_For_Input(request, accepted);
    line.write(Describe_Answer(answer));
    if (answer.kind == InputAnswer::Kind::Cancel)
        Note_Command_Cancelled();
    return answer;
}

void Refuse_Answer(const InputAnswer& answer, const std::wstring& prompt,
                   const std::wstring& hostMessage)
{
    if (answer.source == InputAnswer::Source::AnswerList)
        throw HostCommandError(To_Utf8(L"prompt '" + Escaped(prompt) + L"': answer '" +
                                       Describe_Answer(answer) + L"' not accepted"));
    CommandLine::instance().write(L"\n" + hostMessage);
}

void Set_Last_Input(const std::wstring& text) { Globals().lastInput = text; }

bool Keyword_Answer(const PromptSetup& setup, const std::wstring& text)
{
    if (const Keyword* keyword = Match_Keyword(setup.keywords, text)) {
        Set_Last_Input(keyword->global);
        return true;
    }
    if (setup.flags & RSG_OTHER) {
        Set_Last_Input(text);
        return true;
    }
    return false;
}

bool Parse_Real_Text(const std::wstring& text, double& value)
{
    if (text.empty())
        return false;
    errno = 0;
    wchar_t* end = nullptr;
    value = std::wcstod(text.c_str(), &end);
    return errno == 0 && end != nullptr && *end == 0 && std::isfinite(value);
}

bool Parse_Point_Text(const std::wstring& text, double pt[3])
{
    double values[3] = {0, 0, 0};
    size_t count = 0;
    size_t start = 0;
    for (;;) {
        size_t comma = text.find(L',', start);
        std::wstring part = text.substr(start, comma == std::wstring::npos ? std::wstring::npos
                                                                           : comma - start);
        if (count == 3 || !Parse_Real_Text(part, values[count]))
            return false;
        ++count;
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    if (count < 2)
        return false;
    pt[0] = values[0];
    pt[1] = values[1];
    pt[2] = values[2];
    return true;
}

}  // namespace platform

using platform::Ask;
using platform::InputAnswer;
using platform::InputRequest;
using platform::Keyword_Answer;
using platform::Match_Keyword;
using platform::PromptSetup;
using platform::Refuse_Answer;
using platform::StepKind;

namespace {

const size_t kDefaultStringSize = 2049;

std::wstring Prompt_Text(const wchar_t* prompt) { return prompt != nullptr ? prompt : L""; }

int Copy_Result(const std::wstring& text, wchar_t* result, size_t size)
{
    if (result == nullptr || size == 0)
        return RTERROR;
    size_t n = text.size() < size ? text.size() : size - 1;
    std::wmemcpy(result, text.c_str(), n);
    result[n] = 0;
    return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

// Enter where RSG_NONULL refuses it: false (the caller asks again).
bool Enter_Allowed(const PromptSetup& setup, const InputAnswer& answer, const std::wstring& prompt)
{
    if (!(setup.flags & RSG_NONULL))
        return true;
    Refuse_Answer(answer, prompt, L"Requires a value.");
    return false;
}

bool Number_Allowed(const PromptSetup& setup, double value, const InputAnswer& answer,
                    const std::wstring& prompt)
{
    if ((setup.flags & RSG_NOZERO) && value == 0) {
        Refuse_Answer(answer, prompt, L"Value must be nonzero.");
        return false;
    }
    if ((setup.flags & RSG_NONEG) && value < 0) {
        Refuse_Answer(answer, prompt, L"Value must be positive.");
        return false;
    }
    return true;
}

// Asks until there is a value to interpret: RTCAN for a cancel, RTNONE for an Enter the
// setup allows (one it refuses asks again), RTNORM with the answer in answer.
int Ask_Value(const std::wstring& prompt, const PromptSetup& setup,
              std::initializer_list<StepKind> accepted, InputAnswer& answer)
{
    for (;;) {
        answer = Ask(prompt, InputRequest{prompt, true}, accepted);
        if (answer.kind == InputAnswer::Kind::Cancel)
            return RTCAN;
        if (answer.kind != InputAnswer::Kind::Enter)
            return RTNORM;
        if (Enter_Allowed(setup, answer, prompt))
            return RTNONE;
    }
}

// Shared by zcedGetInt and zcedGetReal: a number, a keyword, Enter or Esc.
int Get_Number(const wchar_t* promptText, bool integer, double& value)
{
    const PromptSetup setup = platform::Take_Prompt_Setup();
    const std::wstring prompt = Prompt_Text(promptText);
    const std::wstring refusal = integer ? L"Requires an integer between -32768 and 32767."
                                         : L"Requires numeric value or option keyword.";
    for (;;) {
        InputAnswer answer;
        int status = Ask_Value(prompt, setup, {StepKind::Answer, StepKind::Enter, StepKind::Esc}, answer);
        if (status != RTNORM)
            return status;
        double number = 0;
        bool ok = answer.kind == InputAnswer::Kind::Text && platform::Parse_Real_Text(answer.text, number);
        if (ok && integer)
            ok = number == std::floor(number) && number >= -32768 && number <= 32767;
        if (ok) {
            if (!Number_Allowed(setup, number, answer, prompt))
                continue;
            value = number;
            return RTNORM;
        }
        if (answer.kind == InputAnswer::Kind::Text && Keyword_Answer(setup, answer.text))
            return RTKWORD;
        Refuse_Answer(answer, prompt, refusal);
    }
}

// Shared by zcedGetPoint and zcedGetCorner.
int Get_Point(const wchar_t* promptText, double* result)
{
    const PromptSetup setup = platform::Take_Prompt_Setup();
    const std::wstring prompt = Prompt_Text(promptText);
    for (;;) {
        InputAnswer answer;
        int status = Ask_Value(prompt, setup,
                               {StepKind::Point, StepKind::Answer, StepKind::Enter, StepKind::Esc}, answer);
        if (status != RTNORM)
            return status;
        if (answer.kind == InputAnswer::Kind::Point ||
            (answer.kind == InputAnswer::Kind::Text && platform::Parse_Point_Text(answer.text, answer.pt))) {
            std::copy(answer.pt, answer.pt + 3, result);
            return RTNORM;
        }
        if (answer.kind == InputAnswer::Kind::Text && Keyword_Answer(setup, answer.text))
            return RTKWORD;
        Refuse_Answer(answer, prompt, L"Invalid point.");
    }
}

}  // namespace

int zcedInitGet(int val, const wchar_t* kwl)
{
    platform::PromptSetup setup;
    setup.flags = val;
    if (kwl != nullptr)
        setup.keywords = platform::Parse_Keywords(kwl);
    platform::Set_Prompt_Setup(std::move(setup));
    return RTNORM;
}

int zcedGetString(int cronly, const wchar_t* prompt, wchar_t* result)
{
    return zcedGetString(cronly, prompt, result, kDefaultStringSize);
}

int zcedGetString(int cronly, const wchar_t* promptText, wchar_t* result, size_t size)
{
    platform::Take_Prompt_Setup();
    const std::wstring prompt = Prompt_Text(promptText);
    for (;;) {
        InputAnswer answer = Ask(prompt, InputRequest{prompt, cronly == 0},
                                 {StepKind::Answer, StepKind::Enter, StepKind::Esc});
        switch (answer.kind) {
        case InputAnswer::Kind::Cancel:
            return RTCAN;
        case InputAnswer::Kind::Enter:
            return Copy_Result(L"", result, size);
        case InputAnswer::Kind::Text:
            return Copy_Result(answer.text, result, size);
        default:
            Refuse_Answer(answer, prompt, L"Invalid input.");
            continue;
        }
    }
}

int zcedGetKword(const wchar_t* prompt, wchar_t* result)
{
    return zcedGetKword(prompt, result, kDefaultStringSize);
}

int zcedGetKword(const wchar_t* promptText, wchar_t* result, size_t size)
{
    const PromptSetup setup = platform::Take_Prompt_Setup();
    const std::wstring prompt = Prompt_Text(promptText);
    for (;;) {
        InputAnswer answer;
        int status = Ask_Value(prompt, setup, {StepKind::Answer, StepKind::Enter, StepKind::Esc}, answer);
        if (status == RTNONE)
            Copy_Result(L"", result, size);
        if (status != RTNORM)
            return status;
        if (answer.kind == InputAnswer::Kind::Text && Keyword_Answer(setup, answer.text))
            return Copy_Result(platform::Last_Input(), result, size);
        Refuse_Answer(answer, prompt, L"Invalid option keyword.");
    }
}

int zcedGetInput(wchar_t* str) { return zcedGetInput(str, kDefaultStringSize); }

int zcedGetInput(wchar_t* str, size_t size)
{
    return Copy_Result(platform::Last_Input(), str, size);
}

int zcedGetInt(const wchar_t* prompt, int* result)
{
    double value = 0;
    int status = Get_Number(prompt, true, value);
    if (status == RTNORM && result != nullptr)
        *result = static_cast<int>(value);
    return status;
}

int zcedGetReal(const wchar_t* prompt, double* result)
{
    double value = 0;
    int status = Get_Number(prompt, false, value);
    if (status == RTNORM && result != nullptr)
        *result = value;
    return status;
}

int zcedGetDist(const double* base, const wchar_t* promptText, double* result)
{
    const PromptSetup setup = platform::Take_Prompt_Setup();
    const std::wstring prompt = Prompt_Text(promptText);
    for (;;) {
        InputAnswer answer;
        int status = Ask_Value(prompt, setup,
                               {StepKind::Point, StepKind::Answer, StepKind::Enter, StepKind::Esc}, answer);
        if (status != RTNORM)
            return status;
        const bool text = answer.kind == InputAnswer::Kind::Text;
        double number = 0;
        if (text && platform::Parse_Real_Text(answer.text, number)) {
            if (!Number_Allowed(setup, number, answer, prompt))
                continue;
            *result = number;
            return RTNORM;
        }
        if (answer.kind != InputAnswer::Kind::Point && !(text && platform::Parse_Point_Text(answer.text, answer.pt))) {
            if (text && Keyword_Answer(setup, answer.text))
                return RTKWORD;
            Refuse_Answer(answer, prompt, L"Requires numeric distance or two points.");
            continue;
        }
        double from[3] = {0, 0, 0};
        double to[3];
        std::copy(answer.pt, answer.pt + 3, to);
        if (base != nullptr) {
            std::copy(base, base + 3, from);
        } else {
            std::copy(to, to + 3, from);
            platform::Set_Prompt_Setup(PromptSetup{RSG_NONULL, {}});
            status = Get_Point(L"\nSpecify second point: ", to);
            if (status != RTNORM)
                return status;
        }
        *result = std::sqrt((to[0] - from[0]) * (to[0] - from[0]) + (to[1] - from[1]) * (to[1] - from[1]) +
                            (to[2] - from[2]) * (to[2] - from[2]));
        return RTNORM;
    }
}

int zcedGetPoint(const double* pt, const wchar_t* prompt, double* result)
{
    (void)pt;  // the rubber band of the base point is not drawn here
    return Get_Point(prompt, result);
}

int zcedGetCorner(const double* pt, const wchar_t* prompt, double* result)
{
    if (pt == nullptr)
        return RTERROR;
    return Get_Point(prompt, result);
}

int zcedUpdateDisplay() { return RTNORM; }
