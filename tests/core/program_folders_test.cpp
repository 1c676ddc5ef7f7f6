// Program folders, the host's printer folders, the temporary folder and the file
// operations.
#include "core/file_operations.h"
#include "core/program_folders.h"
#include "core/temp_folder.h"
#include "ed/sysvars.h"
#include "services_fixture.h"

namespace {

class Program_Folders_Test : public Services_Test {
public:
    void TearDown() override
    {
        zcedSetEnv(L"PrinterConfigDir", L"");
        zcedSetEnv(L"PrinterDescDir", L"");
        zcedSetEnv(L"PrinterStyleSheetDir", L"");
        Services_Test::TearDown();
    }
    static void Set_Host_Var(const wchar_t* name, const wchar_t* text)
    {
        resbuf value{};
        value.restype = RTSTR;
        value.resval.rstring = const_cast<wchar_t*>(text);
        ASSERT_EQ(platform::Set_Var_By_Host(name, &value), RTNORM);
    }
    static CString Make_Folder(const CString& path)
    {
        std::filesystem::create_directories(Host(path));
        return path;
    }
    static CString Lower(CString text)
    {
        text.MakeLower();
        return text;
    }
};

TEST_F(Program_Folders_Test, FoldersOfTheMachine)
{
    platform::Machine& machine = platform::Machine::instance();
    CString host = machine.program_folder().c_str();
    host.MakeUpper();
    EXPECT_STREQ(g_Host_Folder, host);
    EXPECT_STREQ(g_Config_Folder, CString(machine.roaming_app_data_folder().c_str()) + L"\\Korvel");
    EXPECT_TRUE(PathIsDirectoryW(g_Config_Folder));
    EXPECT_STREQ(g_Documents_Folder, machine.documents_folder().c_str());
    EXPECT_STREQ(g_Host_Version_Text, L"25");
    EXPECT_EQ(g_Host_Version, 25.0);
    EXPECT_EQ(g_Host_Year, 2025);
    // The printer folders of the host profile, from the registry.
    EXPECT_STREQ(g_Printer_Config_Folder, Lower(machine.host_printer_config_folder().c_str()));
    EXPECT_STREQ(g_Printer_Desc_Folder, Lower(machine.host_printer_description_folder().c_str()));
    EXPECT_STREQ(g_Plot_Style_Folder, Lower(machine.host_plot_style_folder().c_str()));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Program_Folders_Test, AppDataWithATrailingBackslashGivesOneBackslash)
{
    platform::Machine& machine = platform::Machine::instance();
    const std::wstring app_data = machine.roaming_app_data_folder();
    machine.set_environment(L"APPDATA", app_data + L"\\");
    Init_Program_Folders();
    machine.set_environment(L"APPDATA", app_data);
    EXPECT_STREQ(g_Config_Folder, CString(app_data.c_str()) + L"\\Korvel");
}

TEST_F(Program_Folders_Test, TheHostVersionComesFromVerNum)
{
    const CString plotters = Make_Folder(g_Config_Folder + L"\\plotters");
    zcedSetEnv(L"PrinterConfigDir", plotters);
    zcedSetEnv(L"PrinterStyleSheetDir", plotters);
    const struct {
        const wchar_t* vernum;
        const wchar_t* text;
        double version;
        int year;
    } cases[] = {{L"21.00 (2021)", L"21", 21.0, 2021}, {L"", L"", 0.0, 2000}, {L"9", L"9", 9.0, 2009}};
    for (const auto& c : cases) {
        Set_Host_Var(L"VERNUM", c.vernum);
        Init_Program_Folders();
        EXPECT_STREQ(g_Host_Version_Text, c.text);
        EXPECT_EQ(g_Host_Version, c.version);
        EXPECT_EQ(g_Host_Year, c.year);
    }
}

TEST_F(Program_Folders_Test, EnvironmentListsKeepTheirExistingFoldersInLowerCase)
{
    const CString first = Make_Folder(g_Config_Folder + L"\\Plot One");
    const CString third = Make_Folder(g_Config_Folder + L"\\Plot Three");
    zcedSetEnv(L"PrinterConfigDir", first + L"\\;" + g_Config_Folder + L"\\Missing;;" + third);
    zcedSetEnv(L"PrinterStyleSheetDir", third);
    Init_Host_Printer_Folders();
    EXPECT_STREQ(g_Printer_Config_Folder, Lower(first + L";" + third));
    EXPECT_STREQ(g_Plot_Style_Folder, Lower(third));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Program_Folders_Test, WithoutADescriptionFolderThePmpFilesFolderIsMadeAndUsed)
{
    platform::Machine& machine = platform::Machine::instance();
    const std::wstring key = machine.host_profile_config_key();
    const std::wstring kept = machine.host_printer_description_folder();
    platform::Registry::instance().remove_value(key, L"PLOTDESCRIPTIONPATH");
    const CString plotters = Make_Folder(g_Config_Folder + L"\\Devices");
    zcedSetEnv(L"PrinterConfigDir", plotters);
    Init_Host_Printer_Folders();
    platform::Registry::instance().set_value(key, L"PLOTDESCRIPTIONPATH", kept);

    EXPECT_STREQ(g_Printer_Desc_Folder, Lower(plotters + L"\\PMP Files"));
    EXPECT_TRUE(PathIsDirectoryW(plotters + L"\\PMP Files"));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Program_Folders_Test, UnusableFoldersAreReportedOneByOne)
{
    const CString denied = Make_Folder(g_Config_Folder + L"\\denied");
    platform::Machine::instance().deny_writes(denied.GetString());
    zcedSetEnv(L"PrinterConfigDir", g_Config_Folder + L"\\nowhere");
    zcedSetEnv(L"PrinterDescDir", denied + L"\\pmp");
    zcedSetEnv(L"PrinterStyleSheetDir", g_Config_Folder + L"\\nowhere either");
    Answer_Boxes(3);
    Init_Host_Printer_Folders();
    platform::Machine::instance().allow_writes(denied.GetString());

    ASSERT_EQ(platform::MessageBoxLog.size(), 3u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"CAD打印机文件路径无效 !");
    EXPECT_EQ(platform::MessageBoxLog[1].text, L"CAD打印机配置文件路径无效 !");
    EXPECT_EQ(platform::MessageBoxLog[2].text, L"CAD打印样式文件路径无效 !");
    for (const auto& box : platform::MessageBoxLog)
        EXPECT_EQ(box.caption, L"CAD设置错误提醒");
    EXPECT_STREQ(g_Printer_Config_Folder, L"");
    EXPECT_STREQ(g_Printer_Desc_Folder, L"");
    EXPECT_STREQ(g_Plot_Style_Folder, L"");
}

TEST_F(Program_Folders_Test, ProfileValuesAreReadAsStoredAndMissingOnesAreEmpty)
{
    platform::Registry& registry = platform::Registry::instance();
    registry.set_value(L"HKCU\\Software\\Korvel Test", L"Text", L"%RoamableRootFolder%\\Plotters");
    registry.set_value(L"HKCU\\Software\\Korvel Test", L"Long", std::wstring(400, L'x'));
    CString text = L"old";
    Read_Profile_Value(L"Software\\Korvel Test", L"Text", text);
    EXPECT_STREQ(text, L"%RoamableRootFolder%\\Plotters");
    Read_Profile_Value(L"Software\\Korvel Test", L"Long", text);
    EXPECT_STREQ(text, L"");  // does not fit the buffer: refused, not cut
    Read_Profile_Value(L"Software\\Korvel Test", L"Missing", text);
    EXPECT_STREQ(text, L"");
    Read_Profile_Value(L"Software\\No Such Key", L"Text", text);
    EXPECT_STREQ(text, L"");
    registry.remove_key(L"HKCU\\Software\\Korvel Test");
}

TEST_F(Program_Folders_Test, RootPlaceholdersExpandToTheRoots)
{
    g_Roaming_Root = L"C:\\Users\\K\\AppData\\Roaming\\ZWSOFT\\ZWCAD\\2025\\zh-CN";
    g_Local_Root = L"C:\\USERS\\K\\APPDATA\\LOCAL\\ZWSOFT\\ZWCAD\\2025\\ZH-CN";
    const struct {
        const wchar_t* path;
        CString expanded;
    } cases[] = {
        {L"%RoamableRootFolder%\\Plotters", g_Roaming_Root + L"\\plotters"},
        {L"%ROAMABLEROOTFOLDER%Plot Styles", g_Roaming_Root + L"\\plot styles"},
        {L"%localrootfolder%\\A;%LocalRootFolder%B", g_Local_Root + L"\\a;" + g_Local_Root + L"\\b"},
        {L"D:\\Plotters", L"d:\\plotters"},
    };
    for (const auto& c : cases) {
        CString path = c.path;
        Expand_Root_Placeholders(path);
        EXPECT_STREQ(path, c.expanded);
    }
}

TEST_F(Program_Folders_Test, PathListHelpers)
{
    const CString a = Make_Folder(g_Config_Folder + L"\\a");
    CString list = L";" + a + L"\\;;" + g_Config_Folder + L"\\b;";
    EXPECT_TRUE(Keep_Existing_Paths(list));
    EXPECT_STREQ(list, a);
    list = g_Config_Folder + L"\\none";
    EXPECT_FALSE(Keep_Existing_Paths(list));
    EXPECT_STREQ(list, L"");

    list = g_Config_Folder + L"\\first\\;" + g_Config_Folder + L"\\second";
    EXPECT_TRUE(Create_First_Path(list));
    EXPECT_STREQ(list, g_Config_Folder + L"\\first");
    EXPECT_TRUE(PathIsDirectoryW(list));
    list = g_Config_Folder + L"\\no\\deeper";
    EXPECT_FALSE(Create_First_Path(list));  // one level only
    EXPECT_STREQ(list, L"");

    const struct {
        const wchar_t* path;
        const wchar_t* trimmed;
    } cases[] = {{L"C:\\a\\", L"C:\\a"}, {L"C:\\", L"C:"}, {L"\\", L"\\"}, {L"a\\\\", L"a\\"}, {L"", L""}};
    for (const auto& c : cases) {
        CString path = c.path;
        Trim_Backslash(path);
        EXPECT_STREQ(path, c.trimmed);
    }
}

TEST_F(Program_Folders_Test, TimeStampsAreTwelveDigitsOfLocalTime)
{
    EXPECT_STREQ(Make_Time_Stamp(L"P"), L"P261208231430");
    Fix_Clock(2031, 1, 2, 3, 4, 5);
    EXPECT_STREQ(Make_Time_Stamp(L""), L"310102030405");
}

TEST_F(Program_Folders_Test, FileOperations)
{
    const CString top = Make_Folder(g_Config_Folder + L"\\ops");
    Write_File(top + L"\\K_PDF.pc5", "x");
    Write_File(top + L"\\keep.txt", "x");
    Write_File(top + L"\\sub\\k_pdf.PC5", "x");
    Write_File(top + L"\\sub\\deeper\\K_PDF.pc5", "x");
    Write_File(top + L"\\sub\\other.pc5", "x");
    SetFileAttributesW(top + L"\\sub\\deeper\\K_PDF.pc5", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(Path_Kind(top), 2);
    EXPECT_EQ(Path_Kind(top + L"\\keep.txt"), 1);
    EXPECT_EQ(Path_Kind(top + L"\\none"), 0);
    EXPECT_EQ(Path_Kind(L""), 0);

    CStringArray files;
    files.Add(L"before");
    List_Folder_Files(top, files, false);
    EXPECT_EQ(files.GetSize(), 3);
    List_Folder_Files(top, files, true);
    EXPECT_EQ(files.GetSize(), 3 + 5);

    Delete_Named_Files(top, L"K_PDF.PC5", false);
    EXPECT_TRUE(Exists(top + L"\\K_PDF.pc5"));
    EXPECT_FALSE(Exists(top + L"\\sub\\k_pdf.PC5"));
    EXPECT_FALSE(Exists(top + L"\\sub\\deeper\\K_PDF.pc5"));
    EXPECT_TRUE(Exists(top + L"\\sub\\other.pc5"));
    Delete_Named_Files(top, L"k_pdf.pc5", true);
    EXPECT_FALSE(Exists(top + L"\\K_PDF.pc5"));

    SetFileAttributesW(top + L"\\keep.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    Clear_File_Attributes(top + L"\\keep.txt");
    EXPECT_EQ(GetFileAttributesW(top + L"\\keep.txt") & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
    SetFileAttributesW(top + L"\\keep.txt", FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Rename_File(top + L"\\keep.txt", top + L"\\renamed.txt"));
    EXPECT_FALSE(Rename_File(top + L"\\keep.txt", top + L"\\again.txt"));

    Write_File(top + L"\\renamed.txt:Zone.Identifier", "[ZoneTransfer]");
    EXPECT_TRUE(Remove_Zone_Identifier(top + L"\\renamed.txt"));
    EXPECT_FALSE(Remove_Zone_Identifier(top + L"\\renamed.txt"));
    EXPECT_TRUE(Exists(top + L"\\renamed.txt"));

    SetFileAttributesW(top + L"\\renamed.txt", FILE_ATTRIBUTE_READONLY);
    Delete_Folder_Files(top + L"\\sub");
    EXPECT_TRUE(Exists(top + L"\\sub\\deeper"));
    EXPECT_FALSE(Exists(top + L"\\sub\\other.pc5"));
    EXPECT_TRUE(Delete_File(top + L"\\renamed.txt"));
    EXPECT_TRUE(Delete_File(top + L"\\renamed.txt"));
    EXPECT_TRUE(Delete_File(L""));
}

TEST_F(Program_Folders_Test, TheTemporaryFolderIsTheFirstWritableCandidate)
{
    g_App_Folder = Make_Folder(g_Config_Folder + L"\\app");
    platform::Machine& machine = platform::Machine::instance();
    const struct {
        std::vector<CString> denied;
        int choice;
        CString folder;
    } cases[] = {
        {{}, 0, g_Documents_Folder + L"\\Korvel_Temp"},
        {{g_Documents_Folder}, 1, g_App_Folder + L"\\Korvel_Temp"},
        {{g_Documents_Folder, g_App_Folder}, 2, g_Config_Folder + L"\\Korvel_Temp"},
        {{g_Documents_Folder, g_App_Folder, g_Config_Folder}, 3, L"C:\\Korvel_Temp"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(Host(g_Documents_Folder + L"\\Korvel_Temp"));
        std::filesystem::remove_all(Host(g_App_Folder + L"\\Korvel_Temp"));
        std::filesystem::remove_all(Host(g_Config_Folder + L"\\Korvel_Temp"));
        for (const CString& folder : c.denied)
            machine.deny_writes(folder.GetString());
        g_Temp_Folder_Choice = -1;
        const CString folder = Get_Temp_Folder();
        for (const CString& denied : c.denied)
            machine.allow_writes(denied.GetString());
        EXPECT_EQ(g_Temp_Folder_Choice, c.choice);
        EXPECT_STREQ(folder, c.folder);
        if (c.choice < 3) {
            EXPECT_TRUE(Exists(folder + L"\\test.txt"));
        }
        // The choice holds: a later call does not probe again.
        EXPECT_STREQ(Get_Temp_Folder(), c.folder);
    }
}

}  // namespace
