#include "ed_fixture.h"

#include "ed/command_line.h"

using namespace ed_test;

namespace {

class HostSessionTest : public ::testing::Test {
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
    std::wstring Output() const { return platform::CommandLine::instance().text(); }
};

TEST_F(HostSessionTest, ScriptRunsEndToEnd)
{
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    EXPECT_NE(Output().find(L"new empty drawing"), std::wstring::npos);
    EXPECT_EQ(zcDocManager->documentCount(), 1);
    ASSERT_EQ(Add_Command(L"HELLO", [] {
                  wchar_t name[64];
                  if (zcedGetString(1, L"\nYour name: ", name, 64) == RTNORM)
                      zcutPrintf(L"\nHello, %s!", name);
              }),
              Zcad::eOk);
    platform::ScriptInput::instance().push_text(std::string_view(
        "# greeting\ncommand HELLO\nanswer \"Wang Wei\"\ncommand _regen\n"));
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_TRUE(session.error().empty());
    const std::wstring out = Output();
    EXPECT_NE(out.find(L"\nCommand: HELLO\nYour name: Wang Wei\nHello, Wang Wei!"), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Regenerating model."), std::wstring::npos);
}

// A command step the host does not know ends the run; unknown names a command queues do not.
TEST_F(HostSessionTest, UnknownCommandStepEndsTheRun)
{
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    int later = 0;
    Add_Command(L"LATER", [&] { ++later; });
    Add_Command(L"QUEUES", [] { zcedCommandS(RTSTR, L"NOSUCH_QUEUED", RTNONE); });
    platform::ScriptInput::instance().push_text(std::string_view("command QUEUES\ncommand LATER\ncommand NOSUCH\ncommand LATER\n"));
    EXPECT_EQ(session.run_script(), 1);
    // No module is loaded: the error says so, since a plug-in's commands come with its module.
    EXPECT_EQ(session.error(), "step 'command NOSUCH' at line 3: unknown command \"NOSUCH\" (no module is loaded: "
                               "give cadhost --module PATH)");
    EXPECT_EQ(later, 1);
    const std::wstring out = Output();
    EXPECT_NE(out.find(L"Unknown command \"NOSUCH_QUEUED\""), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Unknown command \"NOSUCH\".  Press F1 for help."), std::wstring::npos) << out;
}

TEST_F(HostSessionTest, DrawingWithoutReaderStandsInAndSaveReportsNoWriter)
{
    platform::HostSession session;
    ASSERT_TRUE(session.open(L"C:\\drawings\\site.dxf"));
    EXPECT_NE(Output().find(L"stands in for C:\\drawings\\site.dxf"), std::wstring::npos);
    resbuf name{};
    ASSERT_EQ(zcedGetVar(L"DWGNAME", &name), RTNORM);
    EXPECT_STREQ(name.resval.rstring, L"site.dxf");
    delete[] name.resval.rstring;
    platform::ScriptInput::instance().push_text(std::string_view("save \"C:\\\\out\\\\x.dxf\"\n"));
    EXPECT_EQ(session.run_script(), 0);
    EXPECT_NE(Output().find(L"Cannot save C:\\out\\x.dxf"), std::wstring::npos) << Output();
}

TEST_F(HostSessionTest, ErrorEndsTheRunAtOnceWithStatus)
{
    platform::HostSession session;
    session.open(L"");
    int later = 0;
    Add_Command(L"ASK", [] {
        ads_point pt;
        zcedGetPoint(nullptr, L"\nFirst corner: ", pt);
    });
    Add_Command(L"LATER", [&] { ++later; });
    platform::ScriptInput::instance().push_text(std::string_view("command ASK\ncommand LATER\n"));
    EXPECT_EQ(session.run_script(), 1);
    EXPECT_NE(session.error().find("First corner"), std::string::npos) << session.error();
    EXPECT_NE(session.error().find("command LATER"), std::string::npos) << session.error();
    EXPECT_EQ(later, 0);
}

TEST_F(HostSessionTest, SetvarShowsAndSetsVariablesOfEachType)
{
    platform::HostSession session;
    ASSERT_TRUE(session.open(L""));
    platform::ScriptInput::instance().push_text(std::string_view(
        "command SETVAR\nanswer \"cmdecho\"\nanswer \"0\"\n"
        "command SETVAR\nanswer \"CMDECHO\"\nenter\n"
        "command SETVAR\nanswer \"WSCURRENT\"\nanswer \"My Space\"\n"
        "command SETVAR\nanswer \"VIEWSIZE\"\nanswer \"7\"\n"
        "command SETVAR\nanswer \"CMDECHO\"\nanswer \"x\"\n"
        "command SETVAR\nanswer \"NOSUCHVAR\"\n"));
    EXPECT_EQ(session.run_script(), 0) << session.error();
    const std::wstring out = Output();
    EXPECT_NE(out.find(L"Enter new value for CMDECHO <1>: 0"), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Enter new value for CMDECHO <0>: "), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Invalid value for CMDECHO."), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Enter new value for WSCURRENT <\"Drafting & Annotation\">: My Space"), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Invalid value for VIEWSIZE."), std::wstring::npos) << out;
    EXPECT_NE(out.find(L"Unknown variable name."), std::wstring::npos) << out;
    resbuf value{};
    ASSERT_EQ(zcedGetVar(L"WSCURRENT", &value), RTNORM);
    EXPECT_STREQ(value.resval.rstring, L"My Space");
    delete[] value.resval.rstring;
    ASSERT_EQ(zcedGetVar(L"CMDECHO", &value), RTNORM);
    EXPECT_EQ(value.resval.rint, 0);
}

TEST_F(HostSessionTest, LoadingAMissingModuleFails)
{
    platform::HostSession session;
    session.open(L"");
    EXPECT_FALSE(session.load_module(L"/no/such/module.so"));
    EXPECT_TRUE(session.loaded_modules().empty());
}

}  // namespace
