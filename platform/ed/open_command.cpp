// The host command "OPEN": opens a drawing file as a new current document. The file comes
// from the file dialog (FILEDIA 1) or the command line; the command line records what was
// opened, or why not.
#include <string>

#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/docman.h"
#include "ed/prompts.h"
#include "ed/sysvars.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

// The drawing's path; false when cancelled.
bool Ask_Drawing(std::wstring& path)
{
    resbuf value{};
    if (zcedGetVar(L"FILEDIA", &value) == RTNORM && value.resval.rint != 0) {
        resbuf result{};
        if (zcedGetFileD(L"Select File", L"", L"dxf;dwg", 0, &result) != RTNORM)
            return false;
        path = result.resval.rstring != nullptr ? result.resval.rstring : L"";
        delete[] result.resval.rstring;
        return true;
    }
    wchar_t answer[4096] = {};
    if (zcedGetString(1, L"\nEnter name of drawing to open: ", answer, 4096) != RTNORM)
        return false;
    path = answer;
    return true;
}

void Open_Command()
{
    std::wstring path;
    if (!Ask_Drawing(path) || path.empty())
        return;
    if (zcDocManager->appContextOpenDocument(path.c_str()) != Zcad::eOk) {
        Print(L"\nCannot open drawing file " + path + L".");
        return;
    }
    Print(L"\nOpened drawing file " + path + L".");
}

const bool gRegistered = [] {
    Register_Host_Command(L"OPEN", Open_Command);
    return true;
}();

}  // namespace

}  // namespace platform
