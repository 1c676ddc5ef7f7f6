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

}  // namespace
