// The file a host command works on (MENULOAD, NETLOAD, OPEN...): from the file dialog while
// FILEDIA is 1, else typed at the command line.
#pragma once

#include <string>

namespace platform {

// False when the user cancelled; the path may come back empty.
bool Ask_Command_File(const wchar_t* title, const wchar_t* extensions, const wchar_t* prompt, std::wstring& path);

}  // namespace platform
