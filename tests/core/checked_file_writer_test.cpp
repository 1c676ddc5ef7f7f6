// Checked file writing: a write counts when every byte reached the file, and a failed
// write leaves the old file whole.
#include "core/checked_file_writer.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_stream.h"
#include "core/text_tokens.h"
#include "services_fixture.h"

namespace {

using Checked_File_Writer_Test = Services_Test;

bool Write_Text(const CString& path, const char* text, bool report)
{
    Checked_File_Writer writer;
    writer.Open(path);
    writer.Stream() << text;
    return writer.Close(report);
}

// Names of the files in the folder of the path, sorted: no temporary may stay there.
std::vector<std::string> Names_Beside(const CString& path)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Services_Test::Host(path).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(Checked_File_Writer_Test, TwoSavesWithinOneSecondBothCount)
{
    const CString path = g_Config_Folder + L"\\twice.txt";
    EXPECT_TRUE(Write_Text(path, "first\n", true));
    EXPECT_TRUE(Write_Text(path, "second\n", true));
    EXPECT_EQ(File_Bytes(path), "second\r\n");  // text mode: CR LF line breaks
    EXPECT_EQ(Names_Beside(path), std::vector<std::string>{"twice.txt"});
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

// A text with a character the ANSI code page lacks is written with '?' in its place, the
// write counts, and the command line names the file; a later file without one says nothing.
TEST_F(Checked_File_Writer_Test, CharactersTheAnsiCodePageLacksAreNamedOnTheCommandLine)
{
    const CString path = g_Config_Folder + L"\\签名 名单.txt";
    Checked_File_Writer writer;
    writer.Open(path);
    Write_Escaped_Line(writer.Stream(), L"张三 \U0001F600");
    EXPECT_TRUE(writer.Close(true));
    EXPECT_EQ(File_Bytes(path), "\xD5\xC5\xC8\xFD*?*?\r\n");
    const std::wstring note = L"\n文件 < " + std::wstring(path.GetString()) + L" > 中有系统代码页无法表示的字符，已存为“?”。";
    EXPECT_EQ(Printed(), note);

    writer.Open(path);
    Write_Escaped_Line(writer.Stream(), L"李四");
    EXPECT_TRUE(writer.Close(true));
    EXPECT_EQ(File_Bytes(path), "\xC0\xEE\xCB\xC4\r\n");
    EXPECT_EQ(Printed(), note);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

// Two writers of one file at once, as two sessions saving their settings at unload:
// each write counts, and the file is the whole text of the writer that closed last.
TEST_F(Checked_File_Writer_Test, TwoWritersOfOneFileAtOnceBothCountAndLeaveOneWholeFile)
{
    const std::string long_text = std::string(5000, 'a') + "\n";
    const std::string short_text = "short\n";
    for (const bool first_closes_first : {true, false}) {
        const CString path = g_Config_Folder + L"\\shared.cfg";
        Write_File(path, "old");
        Checked_File_Writer first, second;
        first.Open(path);
        second.Open(path);
        first.Stream() << long_text;
        second.Stream() << short_text;
        Checked_File_Writer& early = first_closes_first ? first : second;
        Checked_File_Writer& late = first_closes_first ? second : first;
        EXPECT_TRUE(early.Close(true)) << first_closes_first;
        EXPECT_TRUE(late.Close(true)) << first_closes_first;

        std::string expected = first_closes_first ? short_text : long_text;
        expected.insert(expected.size() - 1, "\r");
        EXPECT_EQ(File_Bytes(path), expected) << first_closes_first;
        EXPECT_EQ(Names_Beside(path), std::vector<std::string>{"shared.cfg"});
        EXPECT_TRUE(platform::MessageBoxLog.empty());
    }
}

TEST_F(Checked_File_Writer_Test, ADeniedFolderFailsAndReportsThePath)
{
    const CString folder = g_Config_Folder + L"\\locked";
    const CString path = folder + L"\\settings.cfg";
    Write_File(path, "old");
    platform::Machine::instance().deny_writes(folder.GetString());
    Answer_Boxes(1);
    const bool written = Write_Text(path, "new\n", true);
    platform::Machine::instance().allow_writes(folder.GetString());

    EXPECT_FALSE(written);
    EXPECT_EQ(File_Bytes(path), "old");
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
    EXPECT_EQ(platform::MessageBoxLog[0].text.find(L"文件 < " + std::wstring(path.GetString()) + L" > 写入操作有误!"),
              0u);
    EXPECT_EQ(platform::MessageBoxLog[0].type & MB_ICONINFORMATION, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(Checked_File_Writer_Test, AShortWriteFailsAndKeepsTheOldFileWhole)
{
    const CString path = g_Config_Folder + L"\\short.cfg";
    Write_File(path, "old settings");
    platform::Machine::instance().fail_writes_after(Checked_File_Writer::Temp_Path_Of(path).GetString(), 10);

    EXPECT_FALSE(Write_Text(path, "a text longer than ten bytes\n", false));
    EXPECT_EQ(File_Bytes(path), "old settings");
    EXPECT_EQ(Names_Beside(path), std::vector<std::string>{"short.cfg"});
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Checked_File_Writer_Test, AReadOnlyFileIsNotReplacedAndItsTemporaryGoes)
{
    const CString path = g_Config_Folder + L"\\locked.cfg";
    Write_File(path, "old");
    ASSERT_TRUE(SetFileAttributesW(path.GetString(), FILE_ATTRIBUTE_READONLY));
    Answer_Boxes(1);
    const bool written = Write_Text(path, "new\n", true);
    SetFileAttributesW(path.GetString(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_FALSE(written);
    EXPECT_EQ(File_Bytes(path), "old");
    EXPECT_EQ(Names_Beside(path), std::vector<std::string>{"locked.cfg"});
    EXPECT_EQ(platform::MessageBoxLog.size(), 1u);
}

TEST_F(Checked_File_Writer_Test, AWriterLeftOpenChangesNothing)
{
    const CString path = g_Config_Folder + L"\\abandoned.cfg";
    Write_File(path, "kept");
    {
        Checked_File_Writer writer;
        writer.Open(path);
        writer.Stream() << "half";
    }
    EXPECT_EQ(File_Bytes(path), "kept");
    EXPECT_EQ(Names_Beside(path), std::vector<std::string>{"abandoned.cfg"});
}

TEST_F(Checked_File_Writer_Test, AMissingFolderFailsQuietlyWithoutReport)
{
    const CString path = g_Config_Folder + L"\\no such folder\\x.cfg";
    Checked_File_Writer writer;
    writer.Open(path);
    EXPECT_FALSE(writer.Stream().good());
    EXPECT_FALSE(writer.Close(false));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Checked_File_Writer_Test, FilesReadBackThroughTheirWidePaths)
{
    const CString path = g_Config_Folder + L"\\图框 库.txt";
    ASSERT_TRUE(Write_Text(path, "12 word\n", false));
    Input_File_Stream in(path);
    ASSERT_TRUE(in.Is_Open());
    int32_t number = 0;
    CString word;
    EXPECT_TRUE(Read_Token_Int(in, number));
    EXPECT_TRUE(Read_Token_Plain(in, word));
    EXPECT_EQ(number, 12);
    EXPECT_STREQ(word, L"word");
    EXPECT_FALSE(Input_File_Stream(g_Config_Folder + L"\\missing.txt").Is_Open());
}

TEST_F(Checked_File_Writer_Test, ExistenceCheckReportsAMissingFile)
{
    const CString present = g_Config_Folder + L"\\Jexa2.exe";
    Write_File(present, "x");
    EXPECT_TRUE(Check_File_Exists(present, true));
    EXPECT_TRUE(Check_File_Exists(g_Config_Folder, true));
    EXPECT_FALSE(Check_File_Exists(g_Config_Folder + L"\\gone.pdf", false));
    EXPECT_TRUE(platform::MessageBoxLog.empty());

    Answer_Boxes(1);
    EXPECT_FALSE(Check_File_Exists(g_Config_Folder + L"\\gone.pdf", true));
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"文件缺失报错");
    EXPECT_EQ(platform::MessageBoxLog[0].text.find(L"文件 < " + std::wstring(g_Config_Folder.GetString()) +
                                                   L"\\gone.pdf > 缺失!\n\n"),
              0u);
}

TEST_F(Checked_File_Writer_Test, BinaryFilesOpenForWriting)
{
    FILE* file = nullptr;
    ASSERT_TRUE(Open_File_For_Write(file, g_Config_Folder + L"\\stamp.png"));
    std::fputs("a\nb", file);
    std::fclose(file);
    EXPECT_EQ(File_Bytes(g_Config_Folder + L"\\stamp.png"), "a\nb");
    EXPECT_FALSE(Open_File_For_Write(file, g_Config_Folder + L"\\missing\\x.png"));
    EXPECT_EQ(file, nullptr);
}

}  // namespace
