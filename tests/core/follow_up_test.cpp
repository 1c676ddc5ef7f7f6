// Follow-up commands: the cancel characters and the order of the queued strings.
#include "core/follow_up.h"
#include "core/string_helpers.h"
#include "core_fixture.h"
#include "ed/command_runner.h"
#include "ed/input.h"
#include "script/script_input.h"
#include "win/win_msgbox.h"

namespace {

using Follow_Up_Test = Core_Test;

TEST_F(Follow_Up_Test, CancelPrefixIsTwoCancelCharacters)
{
    const CString prefix = Cancel_Prefix();
    ASSERT_EQ(prefix.GetLength(), 2);
    EXPECT_EQ(prefix[0], L'\x03');
    EXPECT_EQ(prefix[1], L'\x03');
}

TEST_F(Follow_Up_Test, FollowUpQueuesCancelsBeforeTheCommandName)
{
    Queue_Follow_Up(L"Plot_Temp1");
    EXPECT_EQ(platform::Pending_Text(), L"\x03\x03Plot_Temp1\n");
}

TEST_F(Follow_Up_Test, MenuLoadIsQueuedAlone)
{
    Queue_Command_Text(L"Korvel_Load\n");
    EXPECT_EQ(platform::Pending_Text(), L"Korvel_Load\n");
}

void Queue_Uninstall_Body() { Queue_Follow_Up(L"KV_DivezUrez_12"); }

TEST_F(Follow_Up_Test, QueuedFollowUpRunsAfterTheCommandReturns)
{
    Register_Commands();
    ASSERT_EQ(zcedRegCmds->addCommand(L"KORVEL_TEST", L"QUEUE_UNINSTALL", L"QUEUE_UNINSTALL", 0,
                                      Queue_Uninstall_Body),
              Zcad::eOk);

    platform::MessageBoxLog.clear();
    platform::Run_Command(L"QUEUE_UNINSTALL");
    EXPECT_TRUE(platform::MessageBoxLog.empty()) << "queued, not run inside the command";
    platform::ScriptInput::instance().push_text("msgbox OK\n");
    platform::Run_Queued_Input();

    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
    EXPECT_EQ(platform::Pending_Text(), L"");
    zcedRegCmds->removeGroup(L"KORVEL_TEST");
}

}  // namespace
