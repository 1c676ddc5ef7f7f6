// The plug-in's dialogs in process: a host with one drawing and the program folders
// (Services_Test), the module's resource script served from the current resource handle, and
// an empty script and message queue.
#pragma once

#include <string>

#include "mfc/afxdll.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "services_fixture.h"

class Dialog_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
    }
    void TearDown() override
    {
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        Services_Test::TearDown();
    }
    static void Script(const std::string& steps) { platform::ScriptInput::instance().push_text(steps); }
};
