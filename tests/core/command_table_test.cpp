// The command group: the 32 commands and the user's aliases.
#include <string>
#include <utility>
#include <vector>

#include "core/command_handlers.h"
#include "core_fixture.h"

namespace {

using Command_Table_Test = Core_Test;

std::vector<std::wstring> Expected_Commands_Without_Aliases()
{
    std::vector<std::wstring> names = {
        L"Korvel",     L"Korvel_Load",        L"Plot_Temp1",
        L"Plot_Temp2", L"Plot_Temp3",         L"SinglePlot_SelectP",
        L"SinglePlot_SelectW", L"SinglePlot_Plot_Standby", L"Plot_BaseFun1_Standby",
        L"Plot_BaseFun2_Standby"};
    for (int n = 1; n <= 22; ++n)
        names.push_back(L"KV_DivezUrez_" + std::to_wstring(n));
    return names;
}

ZcRxFunctionPtr Handler_Of(const wchar_t* name)
{
    ZcEdCommand* command = zcedRegCmds->lookupGlobalCmd(name);
    return command == nullptr ? nullptr : command->functionAddr();
}

TEST_F(Command_Table_Test, EmptyAliasTableGivesTenInternalAndTwentyTwoNumberedCommands)
{
    Register_Commands();

    EXPECT_EQ(Group_Commands(), Expected_Commands_Without_Aliases());
    ZcEdCommandIterator* it = zcedRegCmds->iterator();
    for (; !it->done(); it->next()) {
        if (std::wstring(it->commandGroup()) != Command_Group_Name)
            continue;
        const ZcEdCommand* command = it->command();
        SCOPED_TRACE(platform::To_Utf8(command->globalName()));
        EXPECT_EQ(command->commandFlags(), 2);
        EXPECT_STREQ(command->localName(), command->globalName());
        EXPECT_EQ(command->functionCode(), -1);
        EXPECT_EQ(command->UIContext(), nullptr);
        EXPECT_EQ(command->resourceHandle(), nullptr);
        EXPECT_NE(command->functionAddr(), nullptr);
    }
    delete it;
}

TEST_F(Command_Table_Test, NumberedCommandsRunTheirHandlers)
{
    const std::pair<int, ZcRxFunctionPtr> table[] = {
        {1, Plot_Single_Sheet},  {2, Batch_Plot_To_Files},       {3, Manage_TK_Library},
        {4, Batch_Plot_By_TK},   {5, Batch_Plot_To_Paper},       {6, Manage_Sign_Library},
        {7, Insert_Library_Signature}, {8, Authorize_Signatures}, {9, Edit_Shortcuts},
        {10, Open_Help},         {11, Show_About},               {12, Show_Uninstall},
        {13, Manage_Stamp_Library}, {14, Edit_Plot_Settings},    {15, Brush_Text},
        {16, Old_Batch_Plot},    {17, Make_Outer_Frame},         {18, Convert_True_Colors},
        {19, Brush_Block_Attributes}, {20, Check_Font_Files},    {21, Export_Font_Files},
        {22, Insert_TK}};
    Register_Commands();
    for (const auto& [number, handler] : table) {
        std::wstring name = L"KV_DivezUrez_" + std::to_wstring(number);
        EXPECT_EQ(Handler_Of(name.c_str()), handler) << number;
    }
    for (int number : {0, -1, 23}) {
        ZcRxFunctionPtr handler = nullptr;
        EXPECT_FALSE(Get_Command_Handler(number, handler)) << number;
    }
}

struct Alias_Case {
    const char* what;
    std::vector<std::pair<int, std::wstring>> entries;
    std::vector<std::pair<std::wstring, ZcRxFunctionPtr>> registered;  // alias -> handler
    std::vector<std::wstring> absent;
    size_t command_count;
};

TEST_F(Command_Table_Test, AliasRules)
{
    const Alias_Case cases[] = {
        {"alias of 7 starts the signature insertion",
         {{7, L"QM"}},
         {{L"QM", Insert_Library_Signature}, {L"KV_DivezUrez_7", Insert_Library_Signature}},
         {},
         33},
        {"only the first alias of a number",
         {{3, L"AA"}, {3, L"BB"}},
         {{L"AA", Manage_TK_Library}},
         {L"BB"},
         33},
        {"an alias equal to another command's name is refused, the rest goes on",
         {{5, L"KV_DivezUrez_3"}, {1, L"Korvel"}, {6, L"QZ"}},
         {{L"KV_DivezUrez_3", Manage_TK_Library}, {L"Korvel", Korvel_Command},
          {L"QZ", Manage_Sign_Library}},
         {},
         33},
        {"numbers outside 1..22 give no alias",
         {{0, L"ZERO"}, {23, L"TWENTYTHREE"}},
         {},
         {L"ZERO", L"TWENTYTHREE"},
         32},
    };
    for (const Alias_Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_Plot_Config.Shortcuts.Clear();
        for (const auto& [number, name] : c.entries)
            g_Plot_Config.Shortcuts.Add(number, name.c_str());
        Register_Commands();

        for (const auto& [name, handler] : c.registered)
            EXPECT_EQ(Handler_Of(name.c_str()), handler) << platform::To_Utf8(name);
        for (const std::wstring& name : c.absent)
            EXPECT_EQ(zcedRegCmds->lookupGlobalCmd(name.c_str()), nullptr) << platform::To_Utf8(name);
        EXPECT_EQ(Group_Commands().size(), c.command_count);
    }
}

TEST_F(Command_Table_Test, RegisteringAgainKeepsOnlyTheCurrentAliases)
{
    g_Plot_Config.Shortcuts.Add(7, L"QM");
    Register_Commands();
    ASSERT_NE(zcedRegCmds->lookupGlobalCmd(L"QM"), nullptr);

    g_Plot_Config.Shortcuts.Clear();
    g_Plot_Config.Shortcuts.Add(8, L"QS");
    Register_Commands();

    EXPECT_EQ(zcedRegCmds->lookupGlobalCmd(L"QM"), nullptr);
    EXPECT_EQ(Handler_Of(L"QS"), Authorize_Signatures);
    EXPECT_EQ(Group_Commands().size(), 33u);
}

TEST_F(Command_Table_Test, LongNameIsCutTo255Characters)
{
    const std::wstring long_alias(300, L'Q');
    g_Plot_Config.Shortcuts.Add(12, long_alias.c_str());
    Register_Commands();

    EXPECT_EQ(Handler_Of(long_alias.substr(0, 255).c_str()), Show_Uninstall);
    const std::vector<std::wstring> names = Group_Commands();
    EXPECT_EQ(names.size(), 33u);
    for (const std::wstring& name : names)
        EXPECT_LE(name.size(), 255u);
}

TEST_F(Command_Table_Test, NoCommandStackRegistersNothing)
{
    ZcRxObject* stack = zcrxSysRegistry()->remove(L"ZCAD_REGISTERED_COMMANDS");
    ASSERT_NE(stack, nullptr);
    Register_Commands();
    zcrxSysRegistry()->atPut(L"ZCAD_REGISTERED_COMMANDS", stack);

    EXPECT_TRUE(Group_Commands().empty());
}

TEST(Shortcut_Table_Test, FindGivesTheFirstEntryOfANumber)
{
    Shortcut_Table table;
    EXPECT_EQ(table.Find(7), -1);
    table.Add(3, L"A");
    table.Add(7, L"B");
    table.Add(7, L"C");
    EXPECT_EQ(table.Find(7), 1);
    EXPECT_EQ(table.Find(3), 0);
    EXPECT_EQ(table.Find(4), -1);
    EXPECT_EQ(table.Count(), 3);
    EXPECT_EQ(table.Name(2), CString(L"C"));
    table.Clear();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.Find(3), -1);
}

}  // namespace
