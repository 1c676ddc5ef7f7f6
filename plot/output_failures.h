// The sheets of a run whose output was not written, and why, told to the user in one
// message at the end of the run.
#pragma once

#include <vector>

#include "mfc/afxstr.h"
#include "win/win_types.h"

// Why a file was not written, in the plug-in's words, from a system error code.
CString Write_Failure_Reason(DWORD error);
// The error is one a write or a replace of a file fails with (a full disk, a denied folder...).
bool Is_Write_Failure(DWORD error);

class Output_Failures {
public:
    // Notes a sheet (its name as the user knows it) and the system error of its failure.
    void Add(const CString& sheet, DWORD error);
    bool Empty() const { return m_Sheets.empty(); }
    int Count() const { return static_cast<int>(m_Sheets.size()); }
    // One message box listing the failed sheets of the `total` of the run and why; says so
    // when none of them was written. Nothing when none failed.
    void Show(int total) const;
    // The text of that message.
    CString Message(int total) const;

private:
    struct Failed {
        CString sheet;
        CString reason;
    };
    std::vector<Failed> m_Sheets;
};
