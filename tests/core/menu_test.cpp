// The pop-up "K-批打印" in the host's menu bar and the menu file "ZKBP.mns".
#include "core/menu.h"
#include "app/module_load.h"
#include "menu_fixture.h"

namespace {

std::wstring Popup_Golden() { return platform::From_Utf8(Menu_Test::Golden("menubar_popup.txt")); }

TEST_F(Menu_Test, LoadPutsThePopupOfTheMenuTableAtTheEndOfTheBar)
{
    Load_Module();
    EXPECT_EQ(Popup_Lines(), Popup_Golden());
    EXPECT_EQ(Last_Popup_Name(), L"K-批打印");
}

TEST_F(Menu_Test, AliasesFollowTheirLabelsAndSubMenusNeverCarryOne)
{
    g_Plot_Config.Shortcuts.Add(2, L"PP");
    g_Plot_Config.Shortcuts.Add(12, L"XZ");
    g_Plot_Config.Shortcuts.Add(0, L"NONE");
    Refresh_Menu(false);
    const std::wstring lines = Popup_Lines();
    EXPECT_NE(lines.find(L"\n  批打到文件(通用型)--PP  \"KV_DivezUrez_2 \"\n"), std::wstring::npos);
    EXPECT_NE(lines.find(L"\n    卸载--XZ  \"KV_DivezUrez_12 \"\n  ----\n  辅助功能 >\n"), std::wstring::npos);
    EXPECT_EQ(lines.find(L"NONE"), std::wstring::npos);
}

TEST_F(Menu_Test, ALongLabelIsCutTo199Characters)
{
    const CString alias(L'x', 250);
    g_Plot_Config.Shortcuts.Add(1, alias);
    Refresh_Menu(false);
    const std::wstring expected = L"\n  单张打印到文件--" + std::wstring(199 - 9, L'x') + L"  \"KV_DivezUrez_1 \"\n";
    EXPECT_NE(Popup_Lines().find(expected), std::wstring::npos);
}

TEST_F(Menu_Test, WithoutForceAPopupInTheBarStaysAsItIsWithForceItIsRebuiltInPlace)
{
    Refresh_Menu(false);
    Remove_Popup_From_Bar();
    Refresh_Menu(false);  // the user took it out: back at the end
    {
        IZcadPopupMenu* popup = Find_Menu_Bar_Popup();
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(popup->RemoveFromMenuBar(), S_OK);
        ASSERT_EQ(popup->InsertInMenuBar(_variant_t(0)), S_OK);  // now first in the bar
        popup->Release();
    }
    g_Plot_Config.Shortcuts.Add(2, L"PP");
    const std::wstring before = Bar();
    Refresh_Menu(false);
    EXPECT_EQ(Bar(), before);

    Refresh_Menu(true);
    EXPECT_NE(Popup_Lines().find(L"批打到文件(通用型)--PP"), std::wstring::npos);
    EXPECT_EQ(Bar().find(L"\nK-批打印\n"), Bar().find(L"\n", 1)) << "rebuilt where it stands";
    EXPECT_EQ(Bar().find(L"K-批打印"), Bar().rfind(L"K-批打印")) << "one pop-up";
}

TEST_F(Menu_Test, APopupOfTheMainGroupOutOfTheBarIsReusedNotDoubled)
{
    Refresh_Menu(false);
    Remove_Popup_From_Bar();
    Refresh_Menu(false);
    IZcadApplication* application = Get_Host_Application();
    ASSERT_NE(application, nullptr);
    IZcadMenuGroups* groups = nullptr;
    ASSERT_EQ(application->get_MenuGroups(&groups), S_OK);
    IZcadMenuGroup* group = nullptr;
    ASSERT_EQ(groups->Item(_variant_t(0), &group), S_OK);
    IZcadPopupMenus* menus = nullptr;
    ASSERT_EQ(group->get_Menus(&menus), S_OK);
    LONG count = 0;
    menus->get_Count(&count);
    EXPECT_EQ(count, 12) << "the host's eleven pop-ups and one K-批打印";
    EXPECT_EQ(Popup_Lines(), Popup_Golden());
    menus->Release();
    group->Release();
    groups->Release();
    application->Release();
}

TEST_F(Menu_Test, SetMenubarSwitchesTheMenuBarOnOnce)
{
    Set_Var(L"MENUBAR", 0);
    g_Plot_Config.Set_Menubar = 1;
    Refresh_Menu(false);
    EXPECT_EQ(Var_Int(L"MENUBAR"), 1);
    EXPECT_EQ(g_Plot_Config.Set_Menubar, 0);
    Set_Var(L"MENUBAR", 0);
    Refresh_Menu(false);
    EXPECT_EQ(Var_Int(L"MENUBAR"), 0);
}

TEST_F(Menu_Test, AHostWithoutMenuGroupsGetsNoPopup)
{
    ASSERT_TRUE(platform::Unload_Menu_Group(L"ZWCAD"));
    Refresh_Menu(true);
    EXPECT_EQ(Bar(), L"\nMenu bar (hidden):");
    EXPECT_EQ(Find_Menu_Bar_Popup(), nullptr);
}

TEST_F(Menu_Test, MenuFileMatchesTheGoldenFileWithAliasesOnTwoCommands)
{
    g_Plot_Config.Shortcuts.Add(2, L"PP");
    g_Plot_Config.Shortcuts.Add(12, L"XZ");
    const CString path = Write_Menu_File();
    EXPECT_EQ(path, g_Config_Folder + L"\\ZKBP.mns");
    EXPECT_EQ(File_Bytes(path), Golden("ZKBP.mns"));
    EXPECT_EQ(Format_Menu_Line(L"ID_KDivezUrez1", 2, L"批打到文件(通用型)", L"KV_DivezUrez_2"),
              CString(L"ID_KDivezUrez1_2   [批打到文件(通用型)--PP]KV_DivezUrez_2"));
}

TEST_F(Menu_Test, AFailedMenuFileWriteIsReportedAndKeepsTheOldFile)
{
    const CString path = g_Config_Folder + L"\\ZKBP.mns";
    Write_File(path, "old menu");
    platform::Machine::instance().deny_writes(g_Config_Folder.GetString());
    Answer_Boxes(1);
    EXPECT_EQ(Write_Menu_File(), path);
    platform::Machine::instance().allow_writes(g_Config_Folder.GetString());
    EXPECT_EQ(File_Bytes(path), "old menu");
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
}

TEST_F(Menu_Test, KorvelLoadWritesAndLoadsTheMenuFileOnceHoweverOftenItRuns)
{
    Load_Module();
    Set_Var(L"CMDECHO", 1);
    Set_Var(L"FILEDIA", 1);
    platform::Run_Command(L"Korvel_Load");
    platform::Run_Command(L"Korvel_Load");
    EXPECT_EQ(Var_Int(L"CMDECHO"), 1);
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    EXPECT_TRUE(Exists(g_Config_Folder + L"\\ZKBP.mns"));
    const std::wstring bar = Bar();
    // The module's own pop-up, then the menu file's.
    const size_t first = bar.find(L"\nK-批打印\n");
    ASSERT_NE(first, std::wstring::npos);
    const size_t second = bar.find(L"\nK-批打印\n", first + 1);
    ASSERT_NE(second, std::wstring::npos) << platform::To_Utf8(bar);
    EXPECT_EQ(bar.find(L"\nK-批打印\n", second + 1), std::wstring::npos);
    EXPECT_NE(bar.find(L"\n    卸载  \"KV_DivezUrez_12\"", second), std::wstring::npos)
        << "the file's entries: macros without the trailing blank";
}

TEST_F(Menu_Test, KorvelLoadStillLoadsTheMenuFileWhenItsWriteFailed)
{
    Load_Module();
    Write_File(g_Config_Folder + L"\\ZKBP.mns", Golden("ZKBP.mns"));
    platform::Machine::instance().deny_writes(g_Config_Folder.GetString());
    Answer_Boxes(1);
    platform::Run_Command(L"Korvel_Load");
    platform::Machine::instance().allow_writes(g_Config_Folder.GetString());
    EXPECT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(Bar().find(L"\n  批打到文件(通用型)--PP  \"KV_DivezUrez_2\""), std::wstring::npos)
        << "the file as it was: " << platform::To_Utf8(Bar());
}

TEST_F(Menu_Test, KorvelCommandPrintsTheHintWhenThePopupShows)
{
    Load_Module();
    Remove_Popup_From_Bar();
    Set_Var(L"MENUBAR", 0);
    platform::Run_Command(L"Korvel");
    EXPECT_NE(Printed().find(L"\n******* 若K-批打印菜单仍未显示，可输入korvel_load命令调出菜单 *******"),
              std::wstring::npos);
    EXPECT_EQ(Var_Int(L"MENUBAR"), 1);
    EXPECT_EQ(Popup_Lines(), Popup_Golden());
}

TEST_F(Menu_Test, KorvelCommandLoadsTheMenuFileWhenNoPopupCanBeAdded)
{
    Load_Module();
    ASSERT_TRUE(platform::Unload_Menu_Group(L"ZWCAD"));
    platform::Run_Command(L"Korvel");
    platform::Run_Queued_Input();
    EXPECT_EQ(Printed().find(L"korvel_load命令"), std::wstring::npos);
    EXPECT_NE(Printed().find(L"\nCommand: Korvel_Load"), std::wstring::npos) << platform::To_Utf8(Printed());
    EXPECT_NE(Bar().find(L"\nK-批打印\n  单张打印到文件  \"KV_DivezUrez_1\""), std::wstring::npos);
}

}  // namespace
