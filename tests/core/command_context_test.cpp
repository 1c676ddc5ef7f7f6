// The prologue and epilogue of commands: CMDECHO silenced while a command runs and
// restored on every way out; the switch to paper space.
#include "core/command_context.h"
#include "core_fixture.h"
#include "ed/command_runner.h"
#include "ed/command_stack.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"
#include "script/script_input.h"

namespace {

int g_Echo_Inside = -1;

// A command body with the prologue that waits for a string.
void Prompting_Body()
{
    Command_Scope scope;
    g_Echo_Inside = Core_Test::Var_Int(L"CMDECHO");
    wchar_t text[64];
    if (zcedGetString(0, L"\nName: ", text, 64) != RTNORM)
        return;
    zcutPrintf(L"\nGot %s", text);
}

class Command_Context_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        g_Echo_Inside = -1;
        ASSERT_EQ(zcedRegCmds->addCommand(L"KORVEL_TEST", L"PROMPTING", L"PROMPTING", 0,
                                          Prompting_Body),
                  Zcad::eOk);
    }
    void TearDown() override
    {
        zcedRegCmds->removeGroup(L"KORVEL_TEST");
        Core_Test::TearDown();
    }
};

TEST_F(Command_Context_Test, EchoIsRestoredOnEveryWayOut)
{
    struct Way_Out {
        const char* what;
        const char* script;
        bool unanswered;
    };
    const Way_Out ways[] = {
        {"normal end", "answer \"x\"\n", false},
        {"cancelled prompt", "esc\n", false},
        {"input the script does not give", "", true},
    };
    for (int saved : {1, 0}) {
        for (const Way_Out& way : ways) {
            SCOPED_TRACE(std::string(way.what) + ", CMDECHO " + std::to_string(saved));
            Set_Var(L"CMDECHO", saved);
            platform::ScriptInput::instance().reset();
            platform::ScriptInput::instance().push_text(std::string(way.script));

            if (way.unanswered)
                EXPECT_THROW(platform::Run_Command(L"PROMPTING"), platform::UnansweredInput);
            else
                EXPECT_NO_THROW(platform::Run_Command(L"PROMPTING"));

            EXPECT_EQ(g_Echo_Inside, 0);
            EXPECT_EQ(Var_Int(L"CMDECHO"), saved);
        }
    }
}

TEST_F(Command_Context_Test, EndCommandPutsBackTheSavedValue)
{
    Set_Var(L"CMDECHO", 1);
    Command_Context context;
    Begin_Command(context);
    EXPECT_EQ(Var_Int(L"CMDECHO"), 0);
    End_Command(context);
    EXPECT_EQ(Var_Int(L"CMDECHO"), 1);
}

// A layout with one floating viewport, and a way to make each space current.
class Paper_Space_Test : public Core_Test {
protected:
    void SetUp() override
    {
        Core_Test::SetUp();
        Set_Var(L"TILEMODE", 0);
        ASSERT_EQ(zcedPspace(), RTNORM);
        m_Layout_Block = Current_Space();
        ASSERT_NE(m_Layout_Block, zcDocManager->curDocument()->database()->modelSpaceId());
        ZcDbObjectPointer<ZcDbBlockTableRecord> record(m_Layout_Block, ZcDb::kForWrite);
        ASSERT_EQ(record.openStatus(), Zcad::eOk);
        auto* viewport = new ZcDbViewport();
        viewport->setCenterPoint(ZcGePoint3d(100, 100, 0));
        viewport->setWidth(50);
        viewport->setHeight(50);
        ASSERT_EQ(record->appendZcDbEntity(viewport), Zcad::eOk);
        viewport->close();
        record.close();
        Set_Var(L"TILEMODE", 1);
    }
    ZcDbObjectId Current_Space() const
    {
        return zcDocManager->curDocument()->database()->currentSpaceId();
    }
    ZcDbObjectId m_Layout_Block;
};

TEST_F(Paper_Space_Test, OnlyAFloatingViewportOfALayoutSwitchesToPaperSpace)
{
    enum Space { Model_Tab, Layout_Paper, Layout_Viewport };
    struct Case {
        const char* what;
        Space space;
        int tilemode_after;
        int cvport_after;
    };
    const Case cases[] = {
        {"model tab", Model_Tab, 1, 2},
        {"layout with paper space current", Layout_Paper, 0, 1},
        {"floating viewport of a layout", Layout_Viewport, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Set_Var(L"TILEMODE", c.space == Model_Tab ? 1 : 0);
        if (c.space == Layout_Paper) {
            ASSERT_EQ(zcedPspace(), RTNORM);
        }
        if (c.space == Layout_Viewport) {
            ASSERT_EQ(zcedMspace(), RTNORM);
        }

        Switch_To_Paper_Space();

        EXPECT_EQ(Var_Int(L"TILEMODE"), c.tilemode_after);
        EXPECT_EQ(Var_Int(L"CVPORT"), c.cvport_after);
        if (c.space != Model_Tab) {
            EXPECT_EQ(Current_Space(), m_Layout_Block);
        }
    }
}

TEST_F(Paper_Space_Test, CommandPrologueSwitchesToPaperSpace)
{
    Set_Var(L"TILEMODE", 0);
    ASSERT_EQ(zcedMspace(), RTNORM);
    Command_Context context;
    Begin_Command(context);
    EXPECT_EQ(Var_Int(L"CVPORT"), 1);
    End_Command(context);
}

}  // namespace
