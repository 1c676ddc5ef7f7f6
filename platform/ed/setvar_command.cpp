// The host command "SETVAR": shows a system variable's value and sets a new one; Enter
// keeps the value.
#include <cwchar>
#include <cwctype>
#include <string>

#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/prompts.h"
#include "ed/sysvars.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

std::wstring Value_Text(const resbuf& value)
{
    switch (value.restype) {
    case RTSHORT: return std::to_wstring(value.resval.rint);
    case RTLONG: return std::to_wstring(value.resval.rlong);
    case RTREAL: {
        wchar_t text[64];
        std::swprintf(text, 64, L"%.8g", value.resval.rreal);
        return text;
    }
    case RTSTR: return L"\"" + std::wstring(value.resval.rstring != nullptr ? value.resval.rstring : L"") + L"\"";
    default: return L"(read only)";
    }
}

// The typed text as a value of the variable's type; false when it is not one.
bool Parse_Value(const std::wstring& text, int type, resbuf& value)
{
    value.restype = static_cast<short>(type);
    wchar_t* end = nullptr;
    switch (type) {
    case RTSHORT:
    case RTLONG: {
        const long number = std::wcstol(text.c_str(), &end, 10);
        if (end == text.c_str() || *end != 0)
            return false;
        if (type == RTSHORT)
            value.resval.rint = static_cast<short>(number);
        else
            value.resval.rlong = static_cast<int32_t>(number);
        return true;
    }
    case RTREAL:
        value.resval.rreal = std::wcstod(text.c_str(), &end);
        return end != text.c_str() && *end == 0;
    case RTSTR: value.resval.rstring = const_cast<wchar_t*>(text.c_str()); return true;
    default: return false;
    }
}

void Setvar_Command()
{
    wchar_t name[256] = {};
    if (zcedGetString(0, L"\nEnter variable name: ", name, 256) != RTNORM || name[0] == 0)
        return;
    for (wchar_t* c = name; *c != 0; ++c)
        *c = static_cast<wchar_t>(std::towupper(*c));
    resbuf current{};
    if (zcedGetVar(name, &current) != RTNORM) {
        Print(L"\nUnknown variable name.");
        return;
    }
    const std::wstring shown = Value_Text(current);
    const int type = current.restype;
    if (type == RTSTR)
        delete[] current.resval.rstring;
    wchar_t typed[512] = {};
    const std::wstring prompt = L"\nEnter new value for " + std::wstring(name) + L" <" + shown + L">: ";
    if (zcedGetString(type == RTSTR ? 1 : 0, prompt.c_str(), typed, 512) != RTNORM || typed[0] == 0)
        return;
    resbuf value{};
    if (!Parse_Value(typed, type, value) || zcedSetVar(name, &value) != RTNORM)
        Print(L"\nInvalid value for " + std::wstring(name) + L".");
}

const bool gRegistered = [] {
    Register_Host_Command(L"SETVAR", Setvar_Command);
    return true;
}();

}  // namespace

}  // namespace platform
