// Keys pressed at a waiting prompt reach the message watchers and then type their
// characters into the command line, where Enter answers with them; a backspace a watcher
// posts to the drawing window takes the key's character back. A held key stays down in the
// keyboard state until its release.
#include <gtest/gtest.h>

#include "ed/command_line.h"
#include "ed/command_line_field.h"
#include "ed/host_session.h"
#include "ed/host_window.h"
#include "ed/input.h"
#include "ed/prompts.h"
#include "mfc/winuser.h"
#include "script/script_input.h"

namespace {

// Swallows the B key: a backspace to the drawing window for it.
void Swallow_B(const MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == 'B')
        PostMessageW(adsw_zcadDocWnd(), WM_CHAR, VK_BACK, 0);
}

// Cancels the waiting prompt on the C key, as a command queued by a watcher does.
void Cancel_On_C(const MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == 'C')
        platform::Queue_Typed_Text(L"\x03");
}

class DrawingWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(false);
    }
    void TearDown() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(true);
    }
    // The text a string prompt gets from the script.
    static std::wstring Answer(const char* script)
    {
        platform::ScriptInput::instance().push_text(std::string_view(script));
        wchar_t text[256] = {0};
        zcedGetString(0, L"\nText: ", text);
        return text;
    }
};

TEST_F(DrawingWindowTest, TypedKeysAnswerAtEnterAndAWatchersBackspaceTakesOneBack)
{
    struct Case {
        const char* script;
        bool swallowing;
        const wchar_t* answer;
    };
    const Case cases[] = {
        {"key A\nkey 1\nenter\n", false, L"a1"},
        {"key A\nkey B\nkey C\nenter\n", false, L"abc"},
        {"key A\nkey B\nkey C\nenter\n", true, L"ac"},
        {"key B\nenter\n", true, L""},
        {"key TAB\nkey PAGEUP\nenter\n", false, L""},
        {"key A\nanswer \"typed\"\n", false, L"typed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        if (c.swallowing)
            zcedRegisterWatchWinMsg(Swallow_B);
        EXPECT_EQ(Answer(c.script), c.answer);
        zcedRemoveWatchWinMsg(Swallow_B);
        EXPECT_EQ(platform::Command_Line_Field(), L"") << "an answer empties the field";
    }
}

TEST_F(DrawingWindowTest, APickedPointOrACancelDropsWhatWasTyped)
{
    zcedRegisterWatchWinMsg(Cancel_On_C);
    for (const char* ending : {"point 1,2\n", "esc\n", "key C\n"}) {
        SCOPED_TRACE(ending);
        platform::ScriptInput::instance().push_text("key A\n" + std::string(ending) + "enter\n");
        double pt[3];
        EXPECT_NE(zcedGetPoint(nullptr, L"\nPoint: ", pt), RTNONE);
        EXPECT_EQ(zcedGetPoint(nullptr, L"\nPoint: ", pt), RTNONE) << "Enter alone";
    }
    zcedRemoveWatchWinMsg(Cancel_On_C);
}

// The keyboard state of Tab each time a point prompt returns, and the key messages the
// watchers saw ('D' down, 'U' up).
std::string g_Tab_Messages;
void Record_Tab(const MSG* message)
{
    if (message->wParam == VK_TAB && (message->message == WM_KEYDOWN || message->message == WM_KEYUP))
        g_Tab_Messages += message->message == WM_KEYDOWN ? 'D' : 'U';
}

TEST_F(DrawingWindowTest, AHeldKeyStaysDownUntilItsRelease)
{
    struct Case {
        const char* script;  // before each of the three points
        const char* held;    // Tab down when each point prompt returned
        const char* seen;
    };
    const Case cases[] = {
        {"point 1,1\nkey TAB\npoint 2,2\npoint 3,3\n", "000", "DU"},
        {"point 1,1\nkey TAB down\npoint 2,2\npoint 3,3\nkey TAB up\n", "011", "D"},
        {"key tab down\npoint 1,1\nkey TAB up\npoint 2,2\nkey TAB down\npoint 3,3\nkey TAB up\n", "101", "DUD"},
    };
    zcedRegisterWatchWinMsg(Record_Tab);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        g_Tab_Messages.clear();
        platform::ScriptInput::instance().push_text(std::string_view(c.script));
        std::string held;
        for (int i = 0; i < 3; ++i) {
            double pt[3];
            ASSERT_EQ(zcedGetPoint(nullptr, L"\nPoint: ", pt), RTNORM);
            held += (GetAsyncKeyState(VK_TAB) & 0x8000) != 0 ? '1' : '0';
        }
        EXPECT_EQ(held, c.held);
        EXPECT_EQ(g_Tab_Messages, c.seen);
        platform::Clear_Key_State();
        platform::ScriptInput::instance().reset();
    }
    zcedRemoveWatchWinMsg(Record_Tab);
}

TEST_F(DrawingWindowTest, AKeyStepTakesDownOrUpAndNothingElse)
{
    for (const char* bad : {"key TAB sideways\n", "key TAB down now\n", "key TAB UP UP\n"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(platform::ScriptInput::instance().push_text(std::string_view(bad)), platform::ScriptSyntaxError);
    }
}

}  // namespace
