// The folder picker and the host's file dialog, answered by the script.
#include "core/file_dialogs.h"
#include "services_fixture.h"

namespace {

class File_Dialogs_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_Last_Browse_Folder.Empty();
        g_Last_Open_Folder.Empty();
        platform::FolderPickerLog.clear();
    }
    static void Push(const std::wstring& steps) { platform::ScriptInput::instance().push_text(steps); }
};

TEST_F(File_Dialogs_Test, TheFolderPickerOpensWhereTheLastChoiceWas)
{
    const CString first = g_Config_Folder + L"\\出图 一";
    const CString second = g_Config_Folder + L"\\出图 二";
    std::filesystem::create_directories(Host(first));
    std::filesystem::create_directories(Host(second));
    Push(L"file \"" + std::wstring(first.GetString()) + L"\"\nfile \"" + std::wstring(second.GetString()) +
         L"\"\nesc\n");

    CString folder = L"unchanged";
    ASSERT_TRUE(Browse_Folder(nullptr, L"选择文件夹", folder));
    EXPECT_STREQ(folder, first);
    ASSERT_TRUE(Browse_Folder(nullptr, L"选择文件夹", folder));
    EXPECT_STREQ(folder, second);
    folder = L"unchanged";
    EXPECT_FALSE(Browse_Folder(nullptr, L"选择文件夹", folder));
    EXPECT_STREQ(folder, L"unchanged");
    EXPECT_STREQ(g_Last_Browse_Folder, second);

    ASSERT_EQ(platform::FolderPickerLog.size(), 3u);
    EXPECT_EQ(platform::FolderPickerLog[0].flags, 0x71u);
    EXPECT_EQ(platform::FolderPickerLog[0].title, L"选择文件夹");
    EXPECT_EQ(platform::FolderPickerLog[1].initial_selection, first.GetString());
    EXPECT_EQ(platform::FolderPickerLog[2].initial_selection, second.GetString());
}

TEST_F(File_Dialogs_Test, TheFileDialogGivesThePathOrChangesNothing)
{
    Push(L"file \"D:\\库\\Sign.kvlib1\"\nesc\n");
    CString path = L"C:\\old\\Sign.kvlib1";
    ASSERT_TRUE(Open_File_Dialog(L"打开", L"kvlib1", path));
    EXPECT_STREQ(path, L"D:\\库\\Sign.kvlib1");
    EXPECT_FALSE(Open_File_Dialog(L"打开", L"kvlib1", path));
    EXPECT_STREQ(path, L"D:\\库\\Sign.kvlib1");
}

TEST_F(File_Dialogs_Test, TheRememberingDialogKeepsTheChosenFolder)
{
    Push(L"file \"E:\\图框\\A1.dwg\"\nesc\n");
    CString path;
    ASSERT_TRUE(Open_File_Dialog_Last(L"打开", L"dwg", path));
    EXPECT_STREQ(path, L"E:\\图框\\A1.dwg");
    EXPECT_STREQ(g_Last_Open_Folder, L"E:\\图框\\");
    EXPECT_FALSE(Open_File_Dialog_Last(L"打开", L"dwg", path));
    EXPECT_STREQ(g_Last_Open_Folder, L"E:\\图框\\");
}

TEST_F(File_Dialogs_Test, SavingOverAnExistingFileAsksFirst)
{
    const CString existing = g_Config_Folder + L"\\目录.xlsx";
    Write_File(existing, "x");
    Push(L"file \"" + std::wstring(existing.GetString()) + L"\"\nmsgbox NO\nfile \"" +
         std::wstring(existing.GetString()) + L"\"\nmsgbox YES\nfile \"" + std::wstring(g_Config_Folder.GetString()) +
         L"\\新\"\nesc\n");

    CString path = g_Config_Folder + L"\\目录.xlsx";
    EXPECT_FALSE(Save_File_Dialog_At(L"导出", path, L"xlsx"));
    EXPECT_STREQ(path, g_Config_Folder + L"\\目录.xlsx");
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"确认保存");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"文件已存在，是否覆盖 ？");

    path = L"x.xlsx";
    EXPECT_TRUE(Save_File_Dialog_At(L"导出", path, L"xlsx"));
    EXPECT_STREQ(path, existing);
    // A new name gets the extension; the remembered folder follows the choice.
    EXPECT_TRUE(Save_File_Dialog(L"导出", L"目录", L"xlsx", path));
    EXPECT_STREQ(path, g_Config_Folder + L"\\新.xlsx");
    EXPECT_STREQ(g_Last_Open_Folder, g_Config_Folder);
    EXPECT_FALSE(Save_File_Dialog(L"导出", L"目录", L"xlsx", path));
    EXPECT_STREQ(path, g_Config_Folder + L"\\新.xlsx");
}

TEST_F(File_Dialogs_Test, SelectedFilesAreKeptWhenTheyExist)
{
    const CString drawing = g_Config_Folder + L"\\A1.dwg";
    Write_File(drawing, "x");
    Push(L"file \"" + std::wstring(drawing.GetString()) + L"\"\nfile \"" + std::wstring(g_Config_Folder.GetString()) +
         L"\\none.dwg\"\nesc\n");
    CStringArray paths;
    paths.Add(L"old");
    EXPECT_TRUE(Select_Files(L"图形文件(*.dwg)|*.dwg||", L"dwg", paths));
    ASSERT_EQ(paths.GetSize(), 1);
    EXPECT_STREQ(paths[0], drawing);
    EXPECT_TRUE(Select_Files(L"图形文件(*.dwg)|*.dwg||", L"dwg", paths));
    EXPECT_EQ(paths.GetSize(), 0);
    EXPECT_FALSE(Select_Files(L"图形文件(*.dwg)|*.dwg||", L"dwg", paths));
}

}  // namespace
