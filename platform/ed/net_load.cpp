// The host command "NETLOAD" ("_NetLoad"): loads a companion assembly. Here an assembly
// is a module of ours: the linker loads it and its entry point adds its commands. An
// assembly stays loaded for the rest of the session; loading it again does nothing.
#include <filesystem>
#include <string>

#include "ed/command_file.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/prompts.h"
#include "ed/sysvars.h"
#include "rx/rxlinker.h"
#include "win/win_files.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

void Net_Load_Command()
{
    std::wstring path;
    if (!Ask_Command_File(L"Choose .NET Assembly", L"dll", L"\nAssembly file name: ", path) || path.empty())
        return;
    std::error_code ec;
    const std::filesystem::path host = To_Host_Path(path);
    if (host.empty() || !std::filesystem::is_regular_file(host, ec)) {
        Print(L"\nCannot load assembly. Error details: the file " + path + L" was not found.");
        return;
    }
    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    if (linker == nullptr || linker->isModuleLoaded(path.c_str()))
        return;
    if (!linker->loadModule(path.c_str(), false))
        Print(L"\nCannot load assembly. Error details: " + path + L" is not an assembly of this host.");
}

const bool gRegistered = [] {
    Register_Host_Command(L"NETLOAD", Net_Load_Command);
    return true;
}();

}  // namespace

}  // namespace platform
