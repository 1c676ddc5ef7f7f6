// The list file "Korvel.Ini" and the one-time set-up for a host profile.
#include "core/host_profile.h"
#include "app/host_profile_setup.h"
#include "core/ini_lists.h"
#include "core/plot_config.h"
#include "ed/command_line.h"
#include "services_fixture.h"

namespace {

class Host_Profile_Setup_Test : public Services_Test {
public:
    // Settings that the first set-up resets, saved to the settings file.
    static void Save_Listed_Settings()
    {
        Plot_Config config;
        config.Plot_Stamp = 1;
        config.Plot_Lineweights = 0;
        config.Vector_Res = 20;
        config.Option.Filter_Percent = 5;
        config.Line_Overlay = 0;
        config.Sign_Fill_Style = 2;
        config.Merge_Pdf = 1;
        ASSERT_TRUE(config.Save(false));
    }
    static std::string Ini_Text(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    }
};

TEST_F(Host_Profile_Setup_Test, TheProfileKeyIsYearAndProfileWithoutBlanksInUpperCase)
{
    EXPECT_EQ(g_Host_Year, 2025);
    EXPECT_STREQ(Host_Profile_Name(), platform::Machine::instance().host_profile_name().c_str());
    EXPECT_STREQ(Get_Profile_Key(), L"2025_<<未命名配置>>");
    platform::Machine::instance().set_host_profile_name(L"my Profile 2");
    EXPECT_STREQ(Get_Profile_Key(), L"2025_MYPROFILE2");
    platform::Machine::instance().set_host_profile_name(L"<<未命名配置>>");
}

TEST_F(Host_Profile_Setup_Test, TheFirstLoadResetsTheListedSettingsAndSwitchesTheMenuBarOn)
{
    Save_Listed_Settings();
    g_Plot_Config.Load();

    EXPECT_EQ(g_Plot_Config.Plot_Stamp, 0);
    EXPECT_EQ(g_Plot_Config.Plot_Lineweights, 1);
    EXPECT_EQ(g_Plot_Config.Vector_Res, 43);
    EXPECT_EQ(g_Plot_Config.Option.Filter_Percent, 0.0);
    EXPECT_EQ(g_Plot_Config.Line_Overlay, 1);
    EXPECT_EQ(g_Plot_Config.Sign_Fill_Style, 0);
    EXPECT_EQ(g_Plot_Config.Merge_Pdf, 1);  // not one of them
    EXPECT_EQ(g_Plot_Config.Set_Menubar, 1);

    // Both files are written: the settings as reset, the profile recorded.
    Plot_Config reread;
    reread.Load();
    EXPECT_EQ(reread.Plot_Stamp, 0);
    EXPECT_EQ(reread.Set_Menubar, 0);
    EXPECT_EQ(File_Bytes(Ini_Lists::File_Path()),
              Ini_Text({"20261210", "0", "0", "1", platform::To_Ansi(L"2025_<<未命名配置>>"), "0", "0"}));
}

TEST_F(Host_Profile_Setup_Test, TheNextLoadUnderTheSameProfileDoesNeither)
{
    g_Plot_Config.Load();
    Save_Listed_Settings();
    g_Plot_Config.Load();
    EXPECT_EQ(g_Plot_Config.Plot_Stamp, 1);
    EXPECT_EQ(g_Plot_Config.Vector_Res, 20);
    EXPECT_EQ(g_Plot_Config.Set_Menubar, 0);
}

TEST_F(Host_Profile_Setup_Test, ANewProfileKeepsTheOtherListsAndKeys)
{
    Write_File(Ini_Lists::File_Path(),
               Ini_Text({"20200101", "2", platform::To_Ansi(L"甲"), "b", "1", "c", "2", "2021_OTHER",
                         "2024_DEFAULT", "1", "7"}));
    Save_Listed_Settings();
    g_Plot_Config.Load();

    EXPECT_EQ(g_Plot_Config.Plot_Stamp, 1);  // not the first profile: nothing reset
    EXPECT_EQ(g_Plot_Config.Set_Menubar, 1);
    EXPECT_EQ(File_Bytes(Ini_Lists::File_Path()),
              Ini_Text({"20261210", "2", platform::To_Ansi(L"甲"), "b", "1", "c", "3", "2021_OTHER",
                        "2024_DEFAULT", platform::To_Ansi(L"2025_<<未命名配置>>"), "1", "7"}));

    Ini_Lists lists;
    lists.Load();
    EXPECT_FALSE(Is_New_Host_Profile(lists));
    EXPECT_EQ(lists.Ask_Scale, 1);
    EXPECT_EQ(lists.Spare, 7);
}

TEST_F(Host_Profile_Setup_Test, TheListsSaveThemselvesWhenTheyGo)
{
    {
        Ini_Lists lists;
        lists.Load();
        lists.List_1.Add(L"x");
        lists.Ask_Scale = 1;
    }
    Ini_Lists lists;
    lists.Load();
    ASSERT_EQ(lists.List_1.GetSize(), 1);
    EXPECT_STREQ(lists.List_1[0], L"x");
    EXPECT_EQ(lists.Ask_Scale, 1);
    EXPECT_EQ(lists.Profiles.GetSize(), 1);
}

TEST_F(Host_Profile_Setup_Test, ListFilesCutShortOrWithWildCountsKeepWhatWasRead)
{
    const struct {
        std::vector<std::string> lines;
        int list_1;
        int profiles;
    } cases[] = {
        {{"20200101", "2", "a"}, 1, 0},
        {{"20200101", "999999999", "a"}, 0, 0},
        {{"20200101", "-3", "a"}, 0, 0},
        {{"20200101", "1", "a", "0", "2", "K1"}, 1, 1},
        {{"x"}, 0, 0},
        {{}, 0, 0},
    };
    for (const auto& c : cases) {
        Write_File(Ini_Lists::File_Path(), Ini_Text(c.lines));
        Ini_Lists lists;
        lists.Load();
        EXPECT_EQ(lists.List_1.GetSize(), c.list_1);
        EXPECT_EQ(lists.Profiles.GetSize(), c.profiles);
        EXPECT_EQ(lists.Ask_Scale, 0);
        lists.Clear();
        std::filesystem::remove(Host(Ini_Lists::File_Path() + L".bad"));
    }
}

// A list file that is there but cannot be read whole is kept as "Korvel.Ini.bad" and
// named on the command line; a whole one, or none, is not.
TEST_F(Host_Profile_Setup_Test, AListFileThatCannotBeReadWholeIsKeptAside)
{
    const CString path = Ini_Lists::File_Path();
    const CString kept = path + L".bad";
    const std::vector<std::string> whole = {"20200101", "1", "a", "0", "1", "K1", "1", "7"};
    const std::wstring message = L"\n文件 < " + std::wstring(path.GetString()) +
                                 L" > 无法完整读取，未读入的设置取默认值；原文件另存为 < " + kept.GetString() + L" >。";
    std::vector<std::string> damaged;
    for (size_t count = 0; count < whole.size(); ++count)
        damaged.push_back(Ini_Text(std::vector<std::string>(whole.begin(), whole.begin() + count)));
    damaged.push_back(Ini_Text({"20200101", "1", "a", "0", "1", "K1", "x", "7"}));
    for (const std::string& bytes : damaged) {
        Write_File(path, bytes);
        platform::CommandLine::instance().clear();
        Ini_Lists lists;
        lists.Load();
        lists.Clear();
        EXPECT_EQ(Printed(), message) << bytes;
        EXPECT_EQ(File_Bytes(kept), bytes);
        EXPECT_FALSE(Exists(path));
        std::filesystem::remove(Host(kept));
    }
    for (const std::string& bytes : {Ini_Text(whole), std::string()}) {
        if (bytes.empty())
            std::filesystem::remove(Host(path));
        else
            Write_File(path, bytes);
        platform::CommandLine::instance().clear();
        Ini_Lists lists;
        lists.Load();
        EXPECT_EQ(lists.Spare, bytes.empty() ? 0 : 7);
        lists.Clear();
        EXPECT_EQ(Printed(), L"");
        EXPECT_FALSE(Exists(kept));
    }
}

}  // namespace
