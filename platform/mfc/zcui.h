// The host's user-interface library.
#pragma once

// Initialises the host's user-interface library for a module; a module calls it at every attach.
void InitZcUiDLL();

namespace platform {

// How often InitZcUiDLL was called in this process.
int ZcUi_Init_Count();

}  // namespace platform
