// Processes the shell started: waiting, exit codes and handles.
#pragma once

#include "win/win_types.h"

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259u

// Waits for a process handle (ShellExecuteExW with SEE_MASK_NOCLOSEPROCESS) to end.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
// STILL_ACTIVE while it runs; else its exit code (128 + signal when a signal ended it).
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
DWORD GetProcessId(HANDLE Process);
// Id of the calling process.
DWORD GetCurrentProcessId();
// Closes a process handle; the process goes on running.
BOOL CloseHandle(HANDLE hObject);
