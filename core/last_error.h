// Keeping why something failed: checks and clean-up after a failure overwrite the thread's
// last error, so the error is kept across them.
#pragma once

#include "win/win_error.h"

// Restores the thread's last error of its construction when its scope ends.
class Last_Error_Kept {
public:
    Last_Error_Kept() : m_Error(GetLastError()) {}
    ~Last_Error_Kept() { SetLastError(m_Error); }
    Last_Error_Kept(const Last_Error_Kept&) = delete;
    Last_Error_Kept& operator=(const Last_Error_Kept&) = delete;

private:
    DWORD m_Error;
};
