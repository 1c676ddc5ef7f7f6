// Fixture of the window and dialog tests: the test resource script is the host's, the
// script queue, message boxes and windows start empty.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dialogs/resource.h"
#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "mfc/window_table.h"
#include "script/script_input.h"

inline std::string Test_Script_Path() { return std::string(KORVEL_SOURCE_DIR) + "/tests/platform/mfc/dialogs/dialogs.rc"; }

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Test_Script_Path(), &error)) << error;
        Clean();
    }
    void TearDown() override { Clean(); }

    static void Clean() {
        for (platform::Window* w : platform::All_Windows())
            if (platform::Find_Window(w->handle()) && !(w->style & WS_CHILD)) ::DestroyWindow(w->handle());
        platform::ScriptInput::instance().reset();
        platform::Clear_Message_Queue();
        platform::Clear_Script_Wait();
        platform::Clear_Key_State();
        platform::MessageBoxLog.clear();
    }

    static void Script(const char* text) { platform::ScriptInput::instance().push_text(std::string(text)); }

    // Runs one Do_Events-style pump: every waiting message is dispatched.
    static void Pump() {
        MSG m;
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
};
