// The settings and list files across a load and an unload of the module.
#include "core/ini_lists.h"
#include "app/module_entry.h"
#include "ed/command_line.h"
#include "services_fixture.h"

namespace {

using Settings_Files_Load_Test = Services_Test;

ZcRx::AppRetCode Send(ZcRx::AppMsgCode message) { return zcrxEntryPoint(message, nullptr); }

TEST_F(Settings_Files_Load_Test, UnloadWritesBothFilesAndTheNextLoadRestoresThem)
{
    // The first load under a profile switches the host's menu bar on.
    Set_Var(L"MENUBAR", 0);
    ASSERT_EQ(Send(ZcRx::kInitAppMsg), ZcRx::kRetOK);
    EXPECT_EQ(Var_Int(L"MENUBAR"), 1);
    g_Plot_Config.Last_Style = L"黑白.ctb";
    g_Plot_Config.Option.Prefix = L"图号 ";
    g_Plot_Config.Shortcuts.Add(7, L"QM");
    g_Plot_Config.Set_Value(L"打印机", L"KV_A3");
    ASSERT_EQ(Send(ZcRx::kUnloadAppMsg), ZcRx::kRetOK);

    const std::string settings = File_Bytes(Plot_Config::File_Path());
    EXPECT_NE(settings.find(platform::To_Ansi(L"\r\n黑白.ctb\r\n")), std::string::npos);
    EXPECT_NE(settings.find(platform::To_Ansi(L"\r\n图号*?*\r\n")), std::string::npos);
    EXPECT_NE(File_Bytes(Ini_Lists::File_Path()).find(platform::To_Ansi(L"\r\n2025_<<未命名配置>>\r\n")),
              std::string::npos);

    g_Plot_Config = Plot_Config();
    Set_Var(L"MENUBAR", 0);
    ASSERT_EQ(Send(ZcRx::kInitAppMsg), ZcRx::kRetOK);
    EXPECT_EQ(Var_Int(L"MENUBAR"), 0);
    EXPECT_STREQ(g_Plot_Config.Last_Style, L"黑白.ctb");
    EXPECT_STREQ(g_Plot_Config.Option.Prefix, L"图号 ");
    EXPECT_STREQ(g_Plot_Config.Get_Value(L"打印机"), L"KV_A3");
    ASSERT_EQ(g_Plot_Config.Shortcuts.Find(7), 0);
    EXPECT_STREQ(g_Plot_Config.Shortcuts.Name(0), L"QM");
    const auto commands = Group_Commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), L"QM"), commands.end());
}

// Damaged files at load: both are named on the command line and kept as "<name>.bad";
// the unload writes whole new files, which the next load reads without a word.
TEST_F(Settings_Files_Load_Test, DamagedFilesAreNamedAndKeptWhileUnloadWritesNewOnes)
{
    const std::string damaged_settings = "20261210\r\n20261210\r\n3\r\n";  // cut in the option block
    const std::string damaged_lists = "20261210\r\n1\r\n";
    Write_File(Plot_Config::File_Path(), damaged_settings);
    Write_File(Ini_Lists::File_Path(), damaged_lists);

    ASSERT_EQ(Send(ZcRx::kInitAppMsg), ZcRx::kRetOK);
    for (const CString& path : {Plot_Config::File_Path(), Ini_Lists::File_Path()}) {
        const std::wstring line = L"\n文件 < " + std::wstring(path.GetString()) +
                                  L" > 无法完整读取，未读入的设置取默认值；原文件另存为 < " + path.GetString() + L".bad >。";
        EXPECT_NE(Printed().find(line), std::wstring::npos) << platform::To_Utf8(Printed());
    }
    EXPECT_NE(Printed().find(L"K-批打印软件已成功加载"), std::wstring::npos);
    g_Plot_Config.Last_Style = L"黑白.ctb";
    ASSERT_EQ(Send(ZcRx::kUnloadAppMsg), ZcRx::kRetOK);

    EXPECT_EQ(File_Bytes(Plot_Config::File_Path() + L".bad"), damaged_settings);
    EXPECT_EQ(File_Bytes(Ini_Lists::File_Path() + L".bad"), damaged_lists);
    platform::CommandLine::instance().clear();
    g_Plot_Config = Plot_Config();
    ASSERT_EQ(Send(ZcRx::kInitAppMsg), ZcRx::kRetOK);
    EXPECT_EQ(Printed().find(L"无法完整读取"), std::wstring::npos) << platform::To_Utf8(Printed());
    EXPECT_STREQ(g_Plot_Config.Last_Style, L"黑白.ctb");
    EXPECT_FALSE(Exists(Plot_Config::File_Path() + L".2.bad"));
}

}  // namespace
