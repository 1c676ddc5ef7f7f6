// The host's own programs on the emulated machine: registered in the host's program folder
// so that the shell starts our stand-ins (the plot-style editor "ZwPStyleEdit.exe").
#pragma once

#include <string>

namespace platform {

// Registers the programs for the current machine root; false when a program has not been
// built. Call after the machine root and the host's program folder are set.
bool Install_Host_Programs();
// The Windows path under which the plot-style editor is registered.
std::wstring Plot_Style_Editor_Path();

}  // namespace platform
