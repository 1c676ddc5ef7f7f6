// The stamp dialogs in process: a host with the program folders, the module's resource
// script served, and an empty script and message queue.
#pragma once

#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "services_fixture.h"
#include "win/win_msgbox.h"

class Stamp_Dialog_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
        platform::MessageBoxLog.clear();
    }
    void TearDown() override
    {
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        Services_Test::TearDown();
    }
    static void Script(const std::string& steps) { platform::ScriptInput::instance().push_text(steps); }
    static std::wstring Last_Message()
    {
        return platform::MessageBoxLog.empty() ? std::wstring() : platform::MessageBoxLog.back().text;
    }
};
