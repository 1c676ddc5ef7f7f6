// The modules searched for resources, and the hook through which string tables are read.
//
// The search order is the framework's: the current resource handle
// (AfxGetResourceHandle), then the extension modules that created a CDynLinkLibrary
// (the most recent first, system libraries last), then the host's own instance.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/windows.h"

namespace platform {

// Reads string nID of the string table of one module; false when the module has no such string.
typedef std::function<bool(HINSTANCE module, UINT nID, std::wstring& text)> String_Resource_Loader;

// Installs the reader of string tables (the resource-script reader registers itself);
// an empty loader removes it. Without a loader no string is found.
void Set_String_Resource_Loader(String_Resource_Loader loader);

// String nID of module, or of the first module of the search order when module is null.
bool Load_String_Resource(HINSTANCE module, UINT nID, std::wstring& text);

// The modules in search order, without repeats.
std::vector<HINSTANCE> Resource_Module_Chain();

}  // namespace platform
