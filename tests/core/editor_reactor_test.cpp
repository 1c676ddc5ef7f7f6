// The editor reactor: companion command flags and the menu kept after the host's menu
// and workspace changes.
#include "core/editor_reactor.h"
#include "core/menu.h"
#include "app/module_load.h"
#include "menu_fixture.h"

namespace {

class Editor_Reactor_Test : public Menu_Test {
public:
    void SetUp() override
    {
        Menu_Test::SetUp();
        g_Merge_Cmd_Ran = 0;
        g_Rotate_Cmd_Ran = 0;
        Load_Module();
    }
    void TearDown() override
    {
        zcedRegCmds->removeGroup(Companion_Group);
        Menu_Test::TearDown();
    }

    static constexpr const wchar_t* Companion_Group = L"PELORIN_TEST";
    // The companion assembly's commands, as "_NetLoad" would register them.
    static void Register_Companion()
    {
        for (const wchar_t* name : {L"K_PDF_Merge", L"K_PDF_Rotate"})
            zcedRegCmds->addCommand(Companion_Group, name, name, ZCRX_CMD_MODAL, [] {});
    }
};

TEST_F(Editor_Reactor_Test, CompanionFlagsTellWhichCommandReallyStarted)
{
    struct Case {
        bool registered;
        const wchar_t* typed;
        int32_t merge;
        int32_t rotate;
    };
    const Case cases[] = {
        {true, L"K_PDF_Merge", 1, 0},
        {true, L"k_pdf_rotate", 0, 1},
        {false, L"K_PDF_Merge", 0, 0},  // the assembly is not loaded: the command never starts
        {false, L"K_PDF_Rotate", 0, 0},
    };
    for (const Case& c : cases) {
        g_Merge_Cmd_Ran = 0;
        g_Rotate_Cmd_Ran = 0;
        zcedRegCmds->removeGroup(Companion_Group);
        if (c.registered)
            Register_Companion();
        platform::Run_Command(c.typed);
        EXPECT_EQ(g_Merge_Cmd_Ran, c.merge) << platform::To_Utf8(c.typed) << " registered " << c.registered;
        EXPECT_EQ(g_Rotate_Cmd_Ran, c.rotate) << platform::To_Utf8(c.typed) << " registered " << c.registered;
    }
}

TEST_F(Editor_Reactor_Test, CompanionCommandRunInsideACommandSetsItsFlagAndFlagsStay)
{
    Register_Companion();
    zcedRegCmds->addCommand(Companion_Group, L"RUN_MERGE", L"RUN_MERGE", ZCRX_CMD_MODAL,
                            [] { zcedCommandS(RTSTR, L"K_PDF_Merge", RTNONE); });
    platform::Run_Command(L"RUN_MERGE");
    EXPECT_EQ(g_Merge_Cmd_Ran, 1);
    platform::Run_Command(L"REGEN");
    EXPECT_EQ(g_Merge_Cmd_Ran, 1) << "the reactor never clears a flag";
}

TEST_F(Editor_Reactor_Test, MenuCommandRestoresThePopup)
{
    Set_Var(L"FILEDIA", 0);
    platform::ScriptInput::instance().push_text("enter\n");
    platform::Run_Command(L"MENU");  // the host's main menu again: the pop-up is gone
    EXPECT_EQ(Popup_Lines(), platform::From_Utf8(Golden("menubar_popup.txt")));
    EXPECT_EQ(Last_Popup_Name(), L"K-批打印");
}

TEST_F(Editor_Reactor_Test, WorkspaceChangeRestoresThePopupAndTheMenuBarAtOnce)
{
    Remove_Popup_From_Bar();
    Set_Var(L"MENUBAR", 0);
    resbuf workspace{};
    workspace.restype = RTSTR;
    workspace.resval.rstring = const_cast<wchar_t*>(L"二维草图与注释");
    ASSERT_EQ(zcedSetVar(L"WSCURRENT", &workspace), RTNORM);
    EXPECT_EQ(Last_Popup_Name(), L"K-批打印");
    EXPECT_EQ(Var_Int(L"MENUBAR"), 1);
}

TEST_F(Editor_Reactor_Test, MenubarChangedByACommandRestoresThePopupWhenThatCommandEnds)
{
    zcedRegCmds->addCommand(Companion_Group, L"SETS_MENUBAR", L"SETS_MENUBAR", ZCRX_CMD_MODAL,
                            [] { Set_Var(L"MENUBAR", 1); });
    zcedRegCmds->addCommand(Companion_Group, L"SETS_NOTHING", L"SETS_NOTHING", ZCRX_CMD_MODAL, [] {});
    Remove_Popup_From_Bar();
    platform::Run_Command(L"SETS_NOTHING");
    EXPECT_EQ(Popup_Lines(), L"") << "no menu change, no rebuild";

    Set_Var(L"MENUBAR", 0);  // outside a command: forgotten when the next one starts
    platform::Run_Command(L"SETS_NOTHING");
    EXPECT_EQ(Popup_Lines(), L"");

    platform::Run_Command(L"SETS_MENUBAR");
    EXPECT_FALSE(g_Menubar_Changed);
    EXPECT_EQ(Last_Popup_Name(), L"K-批打印");
}

}  // namespace
