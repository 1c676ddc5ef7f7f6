#include "ed_fixture.h"

#include "ed/command_line.h"

using namespace ed_test;

namespace {

using EditorTest = ReactorTest;

using Log = std::vector<std::wstring>;

TEST_F(EditorTest, NestedHostCommandNotifiesInNestingOrder)
{
    int status = 0;
    ASSERT_EQ(Add_Command(L"OUTER", [&] { status = zcedCommandS(RTSTR, L"_REGEN", RTNONE); }), Zcad::eOk);
    EXPECT_EQ(platform::Run_Command(L"outer"), platform::CommandOutcome::Ended);
    EXPECT_EQ(status, RTNORM);
    EXPECT_EQ(reactor.log, (Log{L"willStart:OUTER", L"willStart:REGEN", L"ended:REGEN", L"ended:OUTER"}));
}

TEST_F(EditorTest, EndingsOfACommand)
{
    ASSERT_EQ(Add_Command(L"ASKS", [] {
                  wchar_t text[64];
                  zcedGetString(0, L"\nName: ", text, 64);
              }),
              Zcad::eOk);
    struct Case {
        const char* script;
        platform::CommandOutcome outcome;
        const wchar_t* last;
    };
    const Case cases[] = {
        {"answer \"x\"\n", platform::CommandOutcome::Ended, L"ended:ASKS"},
        {"esc\n", platform::CommandOutcome::Cancelled, L"cancelled:ASKS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        reactor.log.clear();
        Script(c.script);
        EXPECT_EQ(platform::Run_Command(L"ASKS"), c.outcome);
        EXPECT_EQ(reactor.log, (Log{L"willStart:ASKS", c.last}));
    }
    // Nothing scripted: the command fails and the error goes on.
    reactor.log.clear();
    EXPECT_THROW(platform::Run_Command(L"ASKS"), platform::UnansweredInput);
    EXPECT_EQ(reactor.log, (Log{L"willStart:ASKS", L"failed:ASKS"}));
}

TEST_F(EditorTest, UnknownCommandIsReportedAndNotFatal)
{
    EXPECT_EQ(platform::Run_Command(L"NOSUCH"), platform::CommandOutcome::Unknown);
    EXPECT_EQ(reactor.log, (Log{L"unknown:NOSUCH"}));
    EXPECT_NE(Output().find(L"Unknown command \"NOSUCH\""), std::wstring::npos);
}

TEST_F(EditorTest, ReactorAddedTwiceIsNotifiedOnceAndNotAfterRemoval)
{
    zcedEditor->addReactor(&reactor);
    platform::Run_Command(L"REGEN");
    EXPECT_EQ(reactor.log, (Log{L"willStart:REGEN", L"ended:REGEN"}));
    zcedEditor->removeReactor(&reactor);
    platform::Run_Command(L"REGEN");
    EXPECT_EQ(reactor.log.size(), 2u);
}

TEST_F(EditorTest, CommandRunsWithTheDocumentLocked)
{
    int lockDuring = -1;
    ASSERT_EQ(Add_Command(L"LOCKS", [&] { lockDuring = doc->lockMode(); }), Zcad::eOk);
    platform::Run_Command(L"LOCKS");
    EXPECT_EQ(lockDuring, ZcAp::kWrite);
    EXPECT_EQ(doc->lockMode(), ZcAp::kNotLocked);
}

TEST_F(EditorTest, PrintfUsesWindowsWideRules)
{
    platform::CommandLine::instance().clear();
    zcutPrintf(L"\n%s has %d sheets (%S)", L"图纸", 3, "ok");
    EXPECT_EQ(Output(), L"\n图纸 has 3 sheets (ok)");
}

TEST_F(EditorTest, MessageWatchersSeeKeysWhilePromptWaits)
{
    static std::vector<WPARAM> keys;
    keys.clear();
    ZcedWatchWinMsgFn watcher = [](const MSG* msg) {
        if (msg->message == WM_KEYDOWN)
            keys.push_back(msg->wParam);
    };
    EXPECT_TRUE(zcedRegisterWatchWinMsg(watcher));
    EXPECT_TRUE(zcedRegisterWatchWinMsg(watcher));  // kept once
    Script("key TAB\nkey PAGEDOWN\nanswer \"done\"\n");
    wchar_t text[32];
    EXPECT_EQ(zcedGetString(0, L"\nWait: ", text, 32), RTNORM);
    EXPECT_STREQ(text, L"done");
    EXPECT_EQ(keys, (std::vector<WPARAM>{VK_TAB, VK_NEXT}));
    EXPECT_TRUE(zcedRemoveWatchWinMsg(watcher));
    EXPECT_FALSE(zcedRemoveWatchWinMsg(watcher));
}

TEST_F(EditorTest, IndexColoursAsColorrefs)
{
    EXPECT_EQ(zcedGetRGB(1), RGB(255, 0, 0));
    EXPECT_EQ(zcedGetRGB(5), RGB(0, 0, 255));
    EXPECT_EQ(GetRValue(zcedGetRGB(7)), 255);
}

TEST_F(EditorTest, HostWindowsAreDistinctHandles)
{
    EXPECT_NE(adsw_zcadMainWnd(), nullptr);
    EXPECT_NE(adsw_zcadDocWnd(), nullptr);
    EXPECT_NE(adsw_zcadMainWnd(), adsw_zcadDocWnd());
}

}  // namespace
