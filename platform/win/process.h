// Starting host programs for the shell (inside the win layer).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "win/win_types.h"

namespace platform {

// Starts `argv` (argv[0] a host path or a name on PATH) in `folder`, with the machine
// root in KORVEL_MACHINE_ROOT. Returns a process handle for the win/win_process.h
// functions, or null with errno_out set. The process is reaped when it ends,
// whether or not anyone holds or closes the handle.
HANDLE Start_Process(const std::vector<std::string>& argv, const std::filesystem::path& folder, int& errno_out);

// Splits parameters as Windows programs split their command line: blanks separate,
// double quotes group ("" inside quotes is one quote), 2n backslashes before a quote
// give n, 2n+1 give n and a literal quote.
std::vector<std::wstring> Split_Command_Line(std::wstring_view parameters);

}  // namespace platform
