// The host's own commands that the platform provides.
#include "ed/command_line.h"
#include "ed/command_stack.h"

namespace {

const bool gRegistered = [] {
    platform::Register_Host_Command(L"REGEN", [] {
        platform::CommandLine::instance().write(L"\nRegenerating model.");
    });
    return true;
}();

}  // namespace
