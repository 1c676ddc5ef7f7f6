// The order of input: answer list of a host command run inside a command, queued command
// text, then the script.
#include "ed_fixture.h"

#include "ed/command_line.h"
#include "ed/input.h"

using namespace ed_test;

namespace {

class InputTest : public EdTest {
protected:
    std::vector<std::wstring> log;
    std::vector<std::wstring> hostCommands;

    void TearDown() override
    {
        for (const std::wstring& name : hostCommands)
            zcedRegCmds->removeCmd(ZCAD_HOST_COMMAND_GROUP, name.c_str());
        EdTest::TearDown();
    }
    // A host command that lives for this test only.
    void Add_Host(const wchar_t* name, std::function<void()> body)
    {
        ASSERT_EQ(platform::Register_Host_Command(name, std::move(body)), Zcad::eOk);
        hostCommands.push_back(name);
    }

    // A command that asks for one string and logs "NAME=answer" (or "NAME:rc").
    void Add_Asking(const wchar_t* name, int cronly = 0)
    {
        std::wstring n = name;
        Add_Command(name, [this, n, cronly] { Ask_And_Log(n, cronly); });
    }
    void Ask_And_Log(const std::wstring& name, int cronly = 0)
    {
        wchar_t text[128] = {0};
        int rc = zcedGetString(cronly, (L"\n" + name + L": ").c_str(), text, 128);
        log.push_back(rc == RTNORM ? name + L"=" + text : name + L":" + std::to_wstring(rc));
    }
    size_t Script_Size() const { return platform::ScriptInput::instance().size(); }
};

using Log = std::vector<std::wstring>;

TEST_F(InputTest, AnswerListThenTypedTextThenScript)
{
    Add_Host(L"HOSTASK", [this] { Ask_And_Log(L"HOSTASK"); });
    Add_Command(L"OUTER", [this] {
        log.push_back(L"list rc " + std::to_wstring(zcedCommandS(RTSTR, L"HOSTASK", RTSTR, L"fromlist", RTNONE)));
        Ask_And_Log(L"TYPED");
        Ask_And_Log(L"SCRIPTED");
    });
    Script("answer \"fromscript\"\n");
    // OUTER starts from queued text, so its prompts read the queued text that follows.
    zcDocManager->sendStringToExecute(doc, L"OUTER\nfromqueue\n", true, false, false);
    platform::Run_Queued_Input();
    EXPECT_EQ(log, (Log{L"HOSTASK=fromlist", L"list rc 5100", L"TYPED=fromqueue", L"SCRIPTED=fromscript"}));
    EXPECT_EQ(Script_Size(), 0u);
}

TEST_F(InputTest, OneAnswerListMayHoldSeveralCommands)
{
    Add_Host(L"HOSTASK", [this] { Ask_And_Log(L"HOSTASK"); });
    RecordingReactor reactor;
    zcedEditor->addReactor(&reactor);
    EXPECT_EQ(zcedCommandS(RTSTR, L"HOSTASK", RTSTR, L"x", RTSTR, L"", RTSTR, L"_REGEN", RTNONE), RTNORM);
    zcedEditor->removeReactor(&reactor);
    EXPECT_EQ(log, (Log{L"HOSTASK=x"}));
    EXPECT_EQ(reactor.log, (Log{L"willStart:HOSTASK", L"ended:HOSTASK", L"willStart:REGEN", L"ended:REGEN"}));
}

TEST_F(InputTest, ShortAnswerListFailsTheHostCommandWithoutTouchingTheScript)
{
    Add_Host(L"HOSTTWO", [this] {
        Ask_And_Log(L"FIRST");
        Ask_And_Log(L"SECOND");
    });
    int rc = 0;
    Add_Command(L"OUTER", [&] { rc = zcedCommandS(RTSTR, L"HOSTTWO", RTSTR, L"one", RTNONE); });
    Script("answer \"must stay\"\n");
    RecordingReactor reactor;
    zcedEditor->addReactor(&reactor);
    platform::Run_Command(L"OUTER");
    zcedEditor->removeReactor(&reactor);
    EXPECT_EQ(rc, RTERROR);
    EXPECT_EQ(log, (Log{L"FIRST=one"}));
    EXPECT_EQ(Script_Size(), 1u);
    EXPECT_NE(Output().find(L"; error: prompt '\\nSECOND: ': the answer list ran short"), std::wstring::npos);
    EXPECT_EQ(reactor.log, (Log{L"willStart:OUTER", L"willStart:HOSTTWO", L"failed:HOSTTWO", L"ended:OUTER"}));
}

TEST_F(InputTest, AnswerAPromptDoesNotTakeFailsTheHostCommand)
{
    Add_Host(L"HOSTINT", [this] {
        int value = 0;
        log.push_back(L"int rc " + std::to_wstring(zcedGetInt(L"\nCount: ", &value)));
    });
    EXPECT_EQ(zcedCommandS(RTSTR, L"HOSTINT", RTSTR, L"many", RTNONE), RTERROR);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(zcedCommandS(RTSTR, L"HOSTINT", RTSHORT, 7, RTNONE), RTNORM);
    EXPECT_EQ(log, (Log{L"int rc 5100"}));
    // An unknown command in a list.
    EXPECT_EQ(zcedCommandS(RTSTR, L"NOSUCHHOST", RTNONE), RTERROR);
}

TEST_F(InputTest, HostCommandPromptsAreQuietWhileCmdechoIsOff)
{
    Add_Host(L"HOSTQ", [this] { Ask_And_Log(L"QUIET"); });
    resbuf off;
    off.restype = RTSHORT;
    off.resval.rint = 0;
    ASSERT_EQ(zcedSetVar(L"CMDECHO", &off), RTNORM);
    platform::CommandLine::instance().clear();
    EXPECT_EQ(zcedCommandS(RTSTR, L"HOSTQ", RTSTR, L"x", RTNONE), RTNORM);
    EXPECT_EQ(Output().find(L"QUIET"), std::wstring::npos);
}

TEST_F(InputTest, QueuedCommandRunsAfterTheHandlerAndBeforeTheNextStep)
{
    Add_Command(L"FIRST", [this] {
        log.push_back(L"FIRST");
        // Queued while no prompt waits: the cancel characters are ignored, the command runs
        // once FIRST returns.
        zcDocManager->sendStringToExecute(doc, L"\x03\x03", true, false, false);
        zcDocManager->sendStringToExecute(doc, L"FOLLOW\n", true, false, false);
        Ask_And_Log(L"FIRSTASK");  // does not read the queued text
    });
    Add_Asking(L"FOLLOW");
    Add_Command(L"LAST", [this] { log.push_back(L"LAST"); });
    Script("command FIRST\nanswer \"a\"\nanswer \"b\"\ncommand LAST\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_EQ(log, (Log{L"FIRST", L"FIRSTASK=a", L"FOLLOW=b", L"LAST"}));
}

TEST_F(InputTest, QueuedTextIsReadByTheFollowUpCommandsPrompts)
{
    Add_Command(L"STARTER", [this] { zcDocManager->sendStringToExecute(doc, L"NAMEIT\nhello world\n", true, false, false); });
    Add_Asking(L"NAMEIT", 1);
    Script("command STARTER\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_EQ(log, (Log{L"NAMEIT=hello world"}));
}

TEST_F(InputTest, SpaceEndsTypedTextUnlessCronly)
{
    Add_Command(L"TWOASKS", [this] {
        Ask_And_Log(L"A");
        Ask_And_Log(L"B");
    });
    zcDocManager->sendStringToExecute(doc, L"TWOASKS one two\n", true, false, false);
    platform::Run_Queued_Input();
    EXPECT_EQ(log, (Log{L"A=one", L"B=two"}));
}

// The window-message watcher of a pick: Tab cancels the waiting prompt and queues a command.
void Tab_Switches_Command(const MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        zcDocManager->sendStringToExecute(zcDocManager->curDocument(), L"\x03", true, false, false);
        zcDocManager->sendStringToExecute(zcDocManager->curDocument(), L"OTHERPICK\n", true, false, false);
    }
}

TEST_F(InputTest, TextQueuedWhilePromptWaitsGoesToThatPrompt)
{
    zcedRegisterWatchWinMsg(&Tab_Switches_Command);
    Add_Command(L"PICK", [this] {
        ads_point pt;
        log.push_back(L"PICK:" + std::to_wstring(zcedGetPoint(nullptr, L"\nPick: ", pt)));
    });
    Add_Command(L"OTHERPICK", [this] {
        ads_point pt;
        int rc = zcedGetPoint(nullptr, L"\nOther pick: ", pt);
        log.push_back(L"OTHERPICK:" + std::to_wstring(rc) + L"@" + std::to_wstring(int(pt[0])));
    });
    RecordingReactor reactor;
    zcedEditor->addReactor(&reactor);
    Script("command PICK\nkey TAB\npoint 7,8\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    zcedEditor->removeReactor(&reactor);
    EXPECT_EQ(log, (Log{L"PICK:-5002", L"OTHERPICK:5100@7"}));
    EXPECT_EQ(reactor.log, (Log{L"willStart:PICK", L"cancelled:PICK", L"willStart:OTHERPICK", L"ended:OTHERPICK"}));
}

TEST_F(InputTest, CancelCharacterCancelsAnyPromptReadingTypedText)
{
    Add_Command(L"INTS", [this] {
        int v = 0;
        log.push_back(L"int:" + std::to_wstring(zcedGetInt(L"\nN: ", &v)));
    });
    zcDocManager->sendStringToExecute(doc, L"INTS\n\x03", true, false, false);
    platform::Run_Queued_Input();
    EXPECT_EQ(log, (Log{L"int:-5002"}));
}

TEST_F(InputTest, UnansweredPromptNamesThePrompt)
{
    Add_Asking(L"LONELY");
    Script("command LONELY\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 1);
    EXPECT_NE(session.error().find("prompt '\\nLONELY: '"), std::string::npos) << session.error();
    EXPECT_NE(session.error().find("script ended"), std::string::npos) << session.error();
}

TEST_F(InputTest, QuitCancelsTheWaitingPromptAndEndsTheRun)
{
    Add_Asking(L"WAITS");
    Add_Command(L"NEVER", [this] { log.push_back(L"NEVER"); });
    Script("command WAITS\nquit\ncommand NEVER\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_EQ(log, (Log{L"WAITS:-5002"}));
}

TEST_F(InputTest, StepNobodyAsksForIsAnError)
{
    Script("# nothing waits\nanswer \"x\"\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 1);
    EXPECT_NE(session.error().find("at line 2: nothing is waiting for input"), std::string::npos)
        << session.error();
    EXPECT_NE(session.error().find("answer"), std::string::npos) << session.error();
}

}  // namespace
