// The host command "OPEN": opens a drawing file as a new current document. The file comes
// from the file dialog (FILEDIA 1) or the command line; the command line records what was
// opened, or why not.
#include <string>

#include "ed/command_file.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/docman.h"
#include "ed/prompts.h"
#include "ed/sysvars.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

void Open_Command()
{
    std::wstring path;
    if (!Ask_Command_File(L"Select File", L"dxf;dwg", L"\nEnter name of drawing to open: ", path) || path.empty())
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
