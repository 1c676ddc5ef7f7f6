#include "ed/command_file.h"

#include "ed/prompts.h"
#include "ed/sysvars.h"

namespace platform {

bool Ask_Command_File(const wchar_t* title, const wchar_t* extensions, const wchar_t* prompt, std::wstring& path)
{
    resbuf value{};
    if (zcedGetVar(L"FILEDIA", &value) == RTNORM && value.resval.rint != 0) {
        resbuf result{};
        if (zcedGetFileD(title, L"", extensions, 0, &result) != RTNORM)
            return false;
        path = result.resval.rstring != nullptr ? result.resval.rstring : L"";
        delete[] result.resval.rstring;
        return true;
    }
    wchar_t answer[4096] = {};
    if (zcedGetString(1, prompt, answer, 4096) != RTNORM)
        return false;
    path = answer;
    return true;
}

}  // namespace platform
