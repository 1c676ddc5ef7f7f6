// Loadable modules (shared libraries) with Windows semantics: DllMain is called
// with DLL_PROCESS_ATTACH after loading and DLL_PROCESS_DETACH before unloading;
// loads of the same module are reference counted.
#pragma once

#include <string>

#include "win/win_types.h"

// Entry point a module may export: extern "C" BOOL DllMain(HINSTANCE, DWORD, LPVOID).
typedef BOOL (*DLLMAIN_PROC)(HINSTANCE, DWORD, LPVOID);

HMODULE LoadLibraryW(LPCWSTR lpLibFileName);
BOOL FreeLibrary(HMODULE hLibModule);
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// nullptr gives the host program's module; a name matches a loaded module by its
// file name (with or without extension) or full path, without regard to case.
HMODULE GetModuleHandleW(LPCWSTR lpModuleName);
// The module's path as a Windows path when it lies in the machine's drives, else the
// host path; nullptr gives the host program's path. Truncates like Windows (returns
// nSize and sets ERROR_INSUFFICIENT_BUFFER).
DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize);

inline HMODULE LoadLibrary(LPCWSTR p) { return LoadLibraryW(p); }
inline HMODULE GetModuleHandle(LPCWSTR n) { return GetModuleHandleW(n); }
inline DWORD GetModuleFileName(HMODULE m, LPWSTR b, DWORD n) { return GetModuleFileNameW(m, b, n); }

namespace platform {

// The module that contains the given address (a function or variable of it), if it was
// loaded with LoadLibraryW; else null.
HMODULE Module_From_Address(const void* address);

}  // namespace platform
