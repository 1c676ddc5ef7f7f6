// The host's Support folder and the files the host ships there.
#pragma once
#include <functional>
#include <string>

namespace platform {

// The host's support folder: the host program's folder + "\Support" (Windows path).
std::wstring Host_Support_Folder();
// Writes a file the host ships into the support folder when it is missing (its text made only
// then), whole or not at all; false when it could not be written.
bool Install_Support_File(const wchar_t* name, const std::function<std::string()>& text);

}  // namespace platform
