#include "ed_fixture.h"

#include "rx/rxregistry.h"

using namespace ed_test;

namespace {

class CommandStackTest : public EdTest {};

int Count_Group(const wchar_t* group)
{
    int count = 0;
    ZcEdCommandIterator* it = zcedRegCmds->iterator();
    for (; !it->done(); it->next())
        if (std::wstring(it->commandGroup()) == group)
            ++count;
    delete it;
    return count;
}

TEST_F(CommandStackTest, StackIsTheRegistryEntryAndHoldsTheHostGroup)
{
    ASSERT_NE(zcedRegCmds, nullptr);
    EXPECT_EQ(zcedRegCmds, ZcEdCommandStack::cast(zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS")));
    ZcEdCommand* regen = zcedRegCmds->lookupCmd(L"_REGEN");
    ASSERT_NE(regen, nullptr);
    EXPECT_STREQ(regen->groupName(), ZCAD_HOST_COMMAND_GROUP);
}

TEST_F(CommandStackTest, AdditionRulesInOrder)
{
    struct Case {
        const wchar_t* group;
        const wchar_t* global;
        const wchar_t* local;
        Zcad::ErrorStatus expected;
    };
    const Case cases[] = {
        {L"G1", L"CMDA", L"CMDA", Zcad::eOk},
        {L"G1", L"cmda", L"OTHER", Zcad::eDuplicateKey},   // global name, other case
        {L"G1", L"CMDB", L"CmdA", Zcad::eDuplicateKey},    // local name taken
        {L"G2", L"CMDA", L"CMDA", Zcad::eOk},              // another group may reuse it
        {L"G1", L"-CMDA", L"-CMDA", Zcad::eOk},            // "-NAME" is a name of its own
        {L"G1", L"", L"", Zcad::eInvalidInput},
        {L"G1", L"TWO WORDS", L"TWO WORDS", Zcad::eInvalidInput},
        {L"", L"CMDC", L"CMDC", Zcad::eInvalidInput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "group " << c.group << " global " << c.global);
        EXPECT_EQ(zcedRegCmds->addCommand(c.group, c.global, c.local, ZCRX_CMD_USEPICKSET,
                                          Function_For([] {})),
                  c.expected);
    }
    EXPECT_EQ(Count_Group(L"G1"), 2);
    EXPECT_EQ(Count_Group(L"G2"), 1);
    ZcEdCommand* command = zcedRegCmds->lookupGlobalCmd(L"-cmda");
    ASSERT_NE(command, nullptr);
    EXPECT_STREQ(command->globalName(), L"-CMDA");
    EXPECT_EQ(command->commandFlags(), ZCRX_CMD_USEPICKSET);
}

TEST_F(CommandStackTest, RefusedDuplicateKeepsTheFirstHandler)
{
    std::vector<int> ran;
    ASSERT_EQ(Add_Command(L"TWICE", [&] { ran.push_back(1); }), Zcad::eOk);
    ASSERT_EQ(Add_Command(L"twice", [&] { ran.push_back(2); }), Zcad::eDuplicateKey);
    platform::Run_Command(L"TWICE");
    EXPECT_EQ(ran, std::vector<int>{1});
}

TEST_F(CommandStackTest, LookupPrefixesAndGroupPrecedence)
{
    ASSERT_EQ(Add_Command(L"SHARED", [] {}, L"OLDER"), Zcad::eOk);
    ASSERT_EQ(Add_Command(L"SHARED", [] {}, L"NEWER"), Zcad::eOk);
    ASSERT_EQ(Add_Command(L"GLOBALX", [] {}, L"NEWER", L"LOKALX"), Zcad::eOk);

    struct Case {
        const wchar_t* name;
        const wchar_t* group;  // nullptr: not found
        const wchar_t* global;
    };
    const Case cases[] = {
        {L"SHARED", L"NEWER", L"SHARED"}, {L"_shared", L"NEWER", L"SHARED"},
        {L".SHARED", L"NEWER", L"SHARED"}, {L"_.SHARED", L"NEWER", L"SHARED"},
        {L"._SHARED", L"NEWER", L"SHARED"}, {L"-SHARED", nullptr, nullptr},
        {L"lokalx", L"NEWER", L"GLOBALX"}, {L"GLOBALX", L"NEWER", L"GLOBALX"},
        {L"_GLOBALX", L"NEWER", L"GLOBALX"}, {L"_LOKALX", nullptr, nullptr},
        {L"_", nullptr, nullptr}, {L"", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "name '" << c.name << "'");
        ZcEdCommand* command = zcedRegCmds->lookupCmd(c.name);
        if (c.group == nullptr) {
            EXPECT_EQ(command, nullptr);
            continue;
        }
        ASSERT_NE(command, nullptr);
        EXPECT_STREQ(command->groupName(), c.group);
        EXPECT_STREQ(command->globalName(), c.global);
    }
    EXPECT_EQ(zcedRegCmds->lookupLocalCmd(L"GLOBALX"), nullptr);
    EXPECT_NE(zcedRegCmds->lookupLocalCmd(L"LOKALX"), nullptr);
    EXPECT_EQ(zcedRegCmds->lookupGlobalCmd(L"LOKALX"), nullptr);

    // With the newer group gone the older one answers again.
    EXPECT_EQ(zcedRegCmds->removeGroup(L"newer"), Zcad::eOk);
    ZcEdCommand* older = zcedRegCmds->lookupCmd(L"SHARED");
    ASSERT_NE(older, nullptr);
    EXPECT_STREQ(older->groupName(), L"OLDER");
    EXPECT_EQ(zcedRegCmds->lookupCmd(L"LOKALX"), nullptr);
}

TEST_F(CommandStackTest, RemovalStatuses)
{
    ASSERT_EQ(Add_Command(L"ONE", [] {}), Zcad::eOk);
    ASSERT_EQ(Add_Command(L"TWO", [] {}), Zcad::eOk);
    EXPECT_EQ(zcedRegCmds->removeCmd(kGroup, L"three"), Zcad::eKeyNotFound);
    EXPECT_EQ(zcedRegCmds->removeCmd(L"NO_GROUP", L"ONE"), Zcad::eKeyNotFound);
    EXPECT_EQ(zcedRegCmds->removeCmd(kGroup, L"one"), Zcad::eOk);
    EXPECT_EQ(zcedRegCmds->lookupCmd(L"ONE"), nullptr);
    EXPECT_NE(zcedRegCmds->lookupCmd(L"TWO"), nullptr);
    EXPECT_EQ(zcedRegCmds->removeGroup(kGroup), Zcad::eOk);
    EXPECT_EQ(zcedRegCmds->removeGroup(kGroup), Zcad::eKeyNotFound);
    EXPECT_EQ(zcedRegCmds->lookupCmd(L"TWO"), nullptr);
}

TEST_F(CommandStackTest, SecondNameRunsTheSameHandler)
{
    int runs = 0;
    ZcRxFunctionPtr handler = Function_For([&] { ++runs; });
    ASSERT_EQ(zcedRegCmds->addCommand(kGroup, L"KV_7", L"KV_7", ZCRX_CMD_USEPICKSET, handler), Zcad::eOk);
    ASSERT_EQ(zcedRegCmds->addCommand(kGroup, L"QS", L"QS", ZCRX_CMD_USEPICKSET, handler), Zcad::eOk);
    // An alias equal to an existing name is refused and the group stays as it was.
    EXPECT_EQ(zcedRegCmds->addCommand(kGroup, L"kv_7", L"kv_7", ZCRX_CMD_USEPICKSET, handler),
              Zcad::eDuplicateKey);
    platform::Run_Command(L"KV_7");
    platform::Run_Command(L"qs");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Count_Group(kGroup), 2);
}

TEST_F(CommandStackTest, HostCommandRegistrationIsOneCall)
{
    int runs = 0;
    ASSERT_EQ(platform::Register_Host_Command(L"-plotstamp", [&] { ++runs; }), Zcad::eOk);
    // Registering again replaces it.
    ASSERT_EQ(platform::Register_Host_Command(L"-PLOTSTAMP", [&] { runs += 10; }), Zcad::eOk);
    EXPECT_EQ(platform::Run_Command(L"_-plotstamp"), platform::CommandOutcome::Ended);
    EXPECT_EQ(runs, 10);
    zcedRegCmds->removeCmd(ZCAD_HOST_COMMAND_GROUP, L"-PLOTSTAMP");
}

TEST_F(CommandStackTest, ResetKeepsOnlyTheHostGroup)
{
    ASSERT_EQ(Add_Command(L"GONE", [] {}), Zcad::eOk);
    platform::Reset_Host_For_Tests();
    EXPECT_EQ(zcedRegCmds->lookupCmd(L"GONE"), nullptr);
    EXPECT_NE(zcedRegCmds->lookupCmd(L"REGEN"), nullptr);
}

}  // namespace
