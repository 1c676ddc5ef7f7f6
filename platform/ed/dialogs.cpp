#include "ed/host_window.h"
#include "ed/input.h"
#include "ed/prompt_support.h"
#include "ed/prompts.h"
#include "script/utf8.h"
#include "win/win_messages.h"
#include "win/win_msgbox.h"

namespace {

// The file the user chooses in a host file dialog: RTNORM with the path, or RTCAN.
int Choose_File(const wchar_t* title, std::wstring& path)
{
    using platform::InputAnswer;
    const std::wstring what = std::wstring(L"file dialog: ") + (title != nullptr ? title : L"");
    for (;;) {
        InputAnswer answer = platform::Wait_For_Input(
            platform::InputRequest{what, false}, {platform::StepKind::File, platform::StepKind::Esc});
        switch (answer.kind) {
        case InputAnswer::Kind::File:
        case InputAnswer::Kind::Text:
            if (answer.step.paths.size() > 1)
                throw platform::UnansweredInput(platform::To_Utf8(
                    what + L" not answered: several files at line " + std::to_wstring(answer.step.line) +
                    L" where one is asked"));
            path = answer.text;
            return RTNORM;
        case InputAnswer::Kind::Cancel:
            platform::Note_Command_Cancelled();
            return RTCAN;
        default:
            platform::Refuse_Answer(answer, what, L"Invalid file name.");
        }
    }
}

}  // namespace

int zcedGetFileD(const wchar_t* title, const wchar_t*, const wchar_t*, int, resbuf* result)
{
    if (result == nullptr)
        return RTERROR;
    std::wstring path;
    int status = Choose_File(title, path);
    if (status != RTNORM)
        return status;
    result->restype = RTSTR;
    zcutNewString(path.c_str(), result->resval.rstring);
    return RTNORM;
}

int zcedGetFileNavDialog(const wchar_t* title, const wchar_t*, const wchar_t*, const wchar_t*, int,
                         resbuf** result)
{
    if (result == nullptr)
        return RTERROR;
    *result = nullptr;
    std::wstring path;
    int status = Choose_File(title, path);
    if (status != RTNORM)
        return status;
    *result = zcutBuildList(RTSTR, path.c_str(), RTNONE);
    return *result != nullptr ? RTNORM : RTERROR;
}

int zcedAlert(const wchar_t* msg)
{
    MessageBoxW(adsw_zcadMainWnd(), msg != nullptr ? msg : L"", L"ZWCAD", MB_OK | MB_ICONEXCLAMATION);
    return RTNORM;
}
