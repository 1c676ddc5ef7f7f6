#include "plot/plot_questions.h"

#include <cwchar>

#include "ed/command_line.h"
#include "ed/input.h"
#include "ed/keywords.h"
#include "ed/prompt_support.h"
#include "script/utf8.h"
#include "win/win_error.h"

namespace platform {

namespace {

std::wstring Shown(const std::wstring& prompt)
{
    std::wstring out;
    for (wchar_t c : prompt)
        out += c == L'\n' ? std::wstring(L"\\n") : std::wstring(1, c);
    return out;
}

InputAnswer Ask_Answer(const std::wstring& prompt, bool spaces_end_text)
{
    InputAnswer answer = Ask(prompt, InputRequest{prompt, spaces_end_text},
                             {StepKind::Answer, StepKind::Enter, StepKind::Esc, StepKind::Point});
    if (answer.kind == InputAnswer::Kind::Cancel)
        throw Plot_Command_Cancelled();
    return answer;
}

std::wstring Answer_Text(const InputAnswer& answer)
{
    if (answer.kind == InputAnswer::Kind::Text)
        return answer.text;
    return Describe_Answer(answer);
}

}  // namespace

Plot_Command_Error::Plot_Command_Error(const std::wstring& message)
    : std::runtime_error(To_Utf8(message)), message_(message)
{
}

void Refuse_Plot_Answer(const std::wstring& prompt, const std::wstring& answer, const std::wstring& why)
{
    throw Plot_Command_Error(L"prompt '" + Shown(prompt) + L"': answer '" + answer + L"' not accepted: " + why);
}

std::wstring Ask_Keyword(const std::wstring& prompt, const std::wstring& keywords, const std::wstring& current)
{
    InputAnswer answer = Ask_Answer(prompt, true);
    if (answer.kind == InputAnswer::Kind::Enter)
        return current;
    if (answer.kind != InputAnswer::Kind::Text)
        Refuse_Plot_Answer(prompt, Answer_Text(answer), L"a keyword was expected");
    std::vector<Keyword> list = Parse_Keywords(keywords);
    const Keyword* keyword = Match_Keyword(list, answer.text);
    if (keyword == nullptr)
        Refuse_Plot_Answer(prompt, answer.text, L"not one of " + keywords);
    return keyword->global;
}

bool Is_Keyword(const std::wstring& text, const wchar_t* keyword)
{
    return Match_Keyword(Parse_Keywords(keyword), text) != nullptr;
}

bool Ask_Yes_No(const std::wstring& prompt, bool current)
{
    return Ask_Keyword(prompt, L"Yes No", current ? L"Yes" : L"No") == L"Yes";
}

std::wstring Ask_Text(const std::wstring& prompt)
{
    InputAnswer answer = Ask_Answer(prompt, false);
    if (answer.kind == InputAnswer::Kind::Enter)
        return L"";
    if (answer.kind != InputAnswer::Kind::Text)
        Refuse_Plot_Answer(prompt, Answer_Text(answer), L"a text was expected");
    return answer.text;
}

Text_Or_Point Ask_Text_Or_Point(const std::wstring& prompt)
{
    InputAnswer answer = Ask_Answer(prompt, true);
    Text_Or_Point result;
    if (answer.kind == InputAnswer::Kind::Enter)
        return result;
    result.empty = false;
    if (answer.kind == InputAnswer::Kind::Point) {
        result.is_point = true;
        result.point = ZcGePoint2d(answer.pt[0], answer.pt[1]);
        return result;
    }
    if (answer.kind != InputAnswer::Kind::Text)
        Refuse_Plot_Answer(prompt, Answer_Text(answer), L"a point or keyword was expected");
    double pt[3];
    if (Parse_Point_Text(answer.text, pt)) {
        result.is_point = true;
        result.point = ZcGePoint2d(pt[0], pt[1]);
    }
    result.text = answer.text;
    return result;
}

ZcGePoint2d Ask_Point(const std::wstring& prompt, const ZcGePoint2d& current)
{
    Text_Or_Point answer = Ask_Text_Or_Point(prompt);
    if (answer.empty)
        return current;
    if (!answer.is_point)
        Refuse_Plot_Answer(prompt, answer.text, L"a point was expected");
    return answer.point;
}

std::wstring Format_Prompt_Number(double value, int decimals)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.*f", decimals, value);
    return buffer;
}

void Run_Plot_Command(void (*body)())
{
    try {
        body();
    } catch (const Plot_Command_Cancelled&) {
    } catch (const Plot_Command_Error& error) {
        if (Answer_List_Active())
            throw HostCommandError(To_Utf8(error.message()));
        // The failed write's last error outlives the report of it.
        const DWORD last_error = GetLastError();
        CommandLine::instance().write(L"\n; error: " + error.message() + L"\n");
        SetLastError(last_error);
    }
}

}  // namespace platform
