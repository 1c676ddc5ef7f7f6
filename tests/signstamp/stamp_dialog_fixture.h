// The stamp dialogs in process: a host with the program folders, the module's resource
// script served, and an empty script and message queue.
#pragma once

#include "dialog_fixture.h"
#include "mfc/afxwin.h"
#include "win/win_msgbox.h"

class Stamp_Dialog_Test : public Dialog_Test {
public:
    void SetUp() override
    {
        Dialog_Test::SetUp();
        if (HasFatalFailure()) return;
        platform::MessageBoxLog.clear();
    }
    static std::wstring Last_Message()
    {
        return platform::MessageBoxLog.empty() ? std::wstring() : platform::MessageBoxLog.back().text;
    }
};
