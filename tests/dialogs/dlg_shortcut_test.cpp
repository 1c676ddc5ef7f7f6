// The shortcut commands dialog: its rows, the in-place edit, and what OK, Clear and Cancel
// do to the alias table, the pop-up menu, the settings file and the command registration.
#include "com/menu_model.h"
#include "core/command_handlers.h"
#include "core/menu.h"
#include "dialogs/dlg_shortcut.h"
#include "mfc/message_queue.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"

namespace {

class Open_ShortCut : public Dlg_ShortCut {
public:
    bool Open() { return Create(IDD_DLG_SHORTCUT, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    CString Cell(int row, int column) { return List.GetItemText(row, column); }
    int Rows() { return List.GetItemCount(); }
    const ListCtrl_DivezUrez& Sheet_List() const { return List; }
    bool Editing() { return Edit.IsWindowVisible() != FALSE; }
    CRect Edit_Rect()
    {
        CRect rect;
        Edit.GetWindowRect(&rect);
        ScreenToClient(&rect);
        return rect;
    }
    CRect Cell_Rect(int row) { return Get_Cell_Rect(row, 1); }
};

class Shortcut_Dialog : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        platform::Reset_Menu_Model();
    }
    void TearDown() override
    {
        Plot_Dialog_Test::TearDown();
        platform::Reset_Menu_Model();
    }
    // The table, the registration and the pop-up as the module has them at load.
    static void Load_Aliases(std::initializer_list<std::pair<int, const wchar_t*>> aliases)
    {
        for (const auto& [number, name] : aliases) g_Plot_Config.Shortcuts.Add(number, name);
        Register_Commands();
        Refresh_Menu(false);
    }
    static std::vector<std::pair<int, std::wstring>> Table()
    {
        std::vector<std::pair<int, std::wstring>> entries;
        const Shortcut_Table& table = g_Plot_Config.Shortcuts;
        for (int i = 0; i < table.Count(); ++i) entries.emplace_back(table.Number(i), table.Name(i).GetString());
        return entries;
    }
    static ZcRxFunctionPtr Handler_Of(const wchar_t* name)
    {
        ZcEdCommand* command = zcedRegCmds->lookupGlobalCmd(name);
        return command != nullptr ? command->functionAddr() : nullptr;
    }
    static std::wstring Bar() { return platform::Describe_Menu_Bar(); }
    void Drive(const std::string& steps)
    {
        Script(steps);
        while (!Script_Used() && platform::Serve_Script_At_Pump()) platform::Run_Host_Messages();
        platform::Run_Host_Messages();
    }
};

using Entries = std::vector<std::pair<int, std::wstring>>;

TEST_F(Shortcut_Dialog, Rows_Follow_The_Menu_With_The_Table_Aliases_And_Grey_Separators)
{
    Load_Aliases({{2, L"PP"}, {14, L"SZ"}, {9, L"KJ"}, {18, L"ZS"}});
    Open_ShortCut dialog;
    ASSERT_TRUE(dialog.Open());
    ASSERT_EQ(dialog.Rows(), 20);
    const struct {
        int row;
        const wchar_t* label;
        const wchar_t* alias;
    } rows[] = {{0, L"  单张打印到文件", L""}, {1, L"  批打到文件(通用型)", L"PP"}, {5, L"", L""},
                {6, L"  打印设置", L"SZ"},     {10, L"", L""},                  {19, L"  真彩色-->索引色", L"ZS"}};
    for (const auto& r : rows) {
        EXPECT_EQ(dialog.Cell(r.row, 0), CString(r.label)) << r.row;
        EXPECT_EQ(dialog.Cell(r.row, 1), CString(r.alias)) << r.row;
    }
    // Command 9 (this dialog) has no row, so its alias is not offered.
    for (int row = 0; row < 20; ++row) EXPECT_NE(dialog.Cell(row, 1), CString(L"KJ"));
    for (int row : {5, 10}) {
        EXPECT_TRUE(dialog.Sheet_List().Dark_Rows.contains(row));
        EXPECT_TRUE(dialog.Sheet_List().No_Hover_Rows.contains(row));
    }
    EXPECT_EQ(dialog.Sheet_List().Hover_Mode, 1);
    dialog.DestroyWindow();
}

TEST_F(Shortcut_Dialog, Only_A_Command_Rows_Alias_Cell_Opens_The_Editor_Over_That_Cell)
{
    Open_ShortCut dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_FALSE(dialog.Editing());
    Drive("cell 1164 1 0\n");
    EXPECT_FALSE(dialog.Editing()) << "column 0";
    Drive("cell 1164 5 1\n");
    EXPECT_FALSE(dialog.Editing()) << "a separator row";
    Drive("cell 1164 6 1\n");
    ASSERT_TRUE(dialog.Editing());
    EXPECT_EQ(dialog.Edit_Rect(), dialog.Cell_Rect(6));
    EXPECT_EQ(dialog.Sheet_List().Edit_Row, 6);
    Drive("text 202 \"SZ\"\ncell 1164 1 0\n");
    EXPECT_FALSE(dialog.Editing()) << "leaving the box commits";
    EXPECT_EQ(dialog.Cell(6, 1), CString(L"SZ"));
    EXPECT_EQ(dialog.Sheet_List().Edit_Row, -1);
    EXPECT_TRUE(Table().empty()) << "nothing reaches the table before OK";
    dialog.DestroyWindow();
}

TEST_F(Shortcut_Dialog, Ok_Stores_The_Alias_Without_Blanks_In_Table_Menu_Settings_And_Registration)
{
    Load_Aliases({{7, L"QM"}});
    Dlg_ShortCut dialog;
    Script("cell 1164 1 1\ntext 202 \" P P \"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());

    EXPECT_EQ(Table(), (Entries{{2, L"PP"}, {7, L"QM"}})) << "row order";
    EXPECT_NE(Bar().find(L"\n  批打到文件(通用型)--PP  \"KV_DivezUrez_2 \"\n"), std::wstring::npos)
        << platform::To_Utf8(Bar());
    EXPECT_NE(File_Bytes(Plot_Config::File_Path()).find("\r\n2\r\n2\r\nPP\r\n7\r\nQM\r\n"), std::string::npos);
    EXPECT_EQ(Handler_Of(L"PP"), Batch_Plot_To_Files);
    EXPECT_EQ(Handler_Of(L"QM"), Insert_Library_Signature);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Shortcut_Dialog, Enter_In_The_Editor_Commits_The_Typed_Alias_Before_Ok)
{
    Dlg_ShortCut dialog;
    Script("cell 1164 0 1\ntext 202 \"DZ\"\nkey RETURN\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(Table(), (Entries{{1, L"DZ"}}));
    EXPECT_EQ(Handler_Of(L"DZ"), Plot_Single_Sheet);
}

TEST_F(Shortcut_Dialog, Clearing_Then_Ok_Removes_Every_Alias_And_No_Keeps_Them)
{
    Load_Aliases({{2, L"PP"}, {12, L"XZ"}, {7, L"QM"}});
    Dlg_ShortCut kept;
    Script("click 224\nmsgbox NO\nclick 1\n");
    EXPECT_EQ(kept.DoModal(), IDOK);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"快捷命令设置");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"确实要删除全部快捷命令吗 ?");
    // Command 12 has no row: OK keeps the aliases of the rows only.
    EXPECT_EQ(Table(), (Entries{{2, L"PP"}, {7, L"QM"}}));

    Dlg_ShortCut cleared;
    Script("click 224\nmsgbox YES\nclick 1\n");
    EXPECT_EQ(cleared.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_TRUE(Table().empty());
    for (const wchar_t* alias : {L"PP", L"QM", L"XZ"}) {
        EXPECT_EQ(Bar().find(std::wstring(L"--") + alias), std::wstring::npos) << platform::To_Utf8(Bar());
        EXPECT_EQ(Handler_Of(alias), nullptr);
    }
    EXPECT_NE(Handler_Of(L"KV_DivezUrez_2"), nullptr);
}

TEST_F(Shortcut_Dialog, Cancel_After_Editing_Leaves_Table_Menu_Settings_And_Registration)
{
    Load_Aliases({{2, L"PP"}});
    const std::wstring bar = Bar();
    Dlg_ShortCut dialog;
    Script("cell 1164 1 1\ntext 202 \"ZZ\"\ncell 1164 3 1\ntext 202 \"YY\"\nclick 2\n");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(Table(), (Entries{{2, L"PP"}}));
    EXPECT_EQ(Bar(), bar);
    EXPECT_FALSE(Exists(Plot_Config::File_Path()));
    EXPECT_EQ(Handler_Of(L"PP"), Batch_Plot_To_Files);
    EXPECT_EQ(Handler_Of(L"ZZ"), nullptr);
    EXPECT_EQ(Handler_Of(L"YY"), nullptr);
}

// An alias that would be dropped at registration, shadow a command or come back changed
// from the settings file is refused with a message, and the dialog stays open.
TEST_F(Shortcut_Dialog, Ok_Refuses_An_Alias_The_Host_Could_Not_Run_And_Stays_Open)
{
    const struct {
        const char* what;
        std::string edits;
        const wchar_t* alias;
    } cases[] = {
        {"a host command", "cell 1164 1 1\ntext 202 \"setvar\"\n", L"setvar"},
        {"a command of the plug-in", "cell 1164 1 1\ntext 202 \"KV_DivezUrez_5\"\n", L"KV_DivezUrez_5"},
        {"the host's prefix", "cell 1164 1 1\ntext 202 \"_PP\"\n", L"_PP"},
        {"another row's alias", "cell 1164 0 1\ntext 202 \"PP\"\ncell 1164 3 1\ntext 202 \"pp\"\n", L"pp"},
    };
    Load_Aliases({{7, L"QM"}});
    const std::wstring bar = Bar();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        Dlg_ShortCut dialog;
        Script(c.edits + "click 1\nmsgbox OK\nclick 2\n");
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(Script_Used());
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"快捷命令设置");
        EXPECT_NE(platform::MessageBoxLog[0].text.find(L"\"" + std::wstring(c.alias) + L"\""), std::wstring::npos)
            << platform::To_Utf8(platform::MessageBoxLog[0].text);
        EXPECT_EQ(Table(), (Entries{{7, L"QM"}}));
        EXPECT_EQ(Bar(), bar);
        EXPECT_FALSE(Exists(Plot_Config::File_Path()));
        EXPECT_EQ(Handler_Of(L"KV_DivezUrez_5"), Batch_Plot_To_Paper);
        ZcEdCommand* setvar = zcedRegCmds->lookupCmd(L"setvar");
        ASSERT_NE(setvar, nullptr);
        EXPECT_STREQ(setvar->groupName(), ZCAD_HOST_COMMAND_GROUP) << "not shadowed";
    }
}

}  // namespace
