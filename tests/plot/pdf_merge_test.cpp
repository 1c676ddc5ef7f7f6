// Merging the numbered PDFs of a batch: through the companion command, through the
// fallback program, and the runs that must not count as merged.
#include "core/fresh_output.h"
#include "pdf_test_fixture.h"
#include "win/machine.h"

namespace fs = std::filesystem;

namespace {

const CString Temp_Folder = L"C:\\Work\\Temp";
const CString Target = L"C:\\Work\\Out\\合并.pdf";
const std::wstring Merge_Error = L"调用PDF合并命令出错 !\n\n";

class Pdf_Merge_Test : public Pdf_Part_Test {
protected:
    void SetUp() override
    {
        Pdf_Part_Test::SetUp();
        fs::create_directories(Host(Temp_Folder));
        fs::create_directories(Host(L"C:\\Work\\Out"));
        g_Merged_Pdf_Path = Target;
    }
    void TearDown() override
    {
        fs::remove_all(Host(L"C:\\Work"));
        Pdf_Part_Test::TearDown();
    }
    static void Set_Titles(std::initializer_list<const wchar_t*> titles)
    {
        Titles().RemoveAll();
        for (const wchar_t* title : titles)
            Titles().Add(title);
    }
    static void Old_Target() { Write_File(Target, "old result"); }
    // The shell's records of the target being opened.
    static int Target_Opened()
    {
        int count = 0;
        for (const auto& record : platform::ShellLog)
            if (record.file == Target.GetString() && record.verb == L"open" && record.show == SW_SHOWNORMAL)
                ++count;
        return count;
    }
    static bool Jexa2_Started()
    {
        for (const auto& record : platform::ShellLog)
            if (record.file == L"C:\\KORVEL\\Jexa2.exe" && record.outcome == platform::ShellOutcome::Started)
                return true;
        return false;
    }
};

}  // namespace

TEST_F(Pdf_Merge_Test, TheCompanionLoadedOnDemandMergesInOrderWithTitlesAndTheResultOpensOnce)
{
    const std::wstring long_title(400, L'长');
    Set_Titles({L"A-01 首页", L"A-02", long_title.c_str()});
    Make_Numbered_Pdfs(Temp_Folder, 3);
    Old_Target();
    Set_Var(L"FILEDIA", 0);

    EXPECT_TRUE(Merge_Pdfs(1, Temp_Folder));
    EXPECT_TRUE(platform::MessageBoxLog.empty()) << platform::To_Utf8(platform::MessageBoxLog.at(0).text);
    // The command did not start before "_NetLoad" and did after it.
    EXPECT_NE(Printed().find(L"Unknown command \"K_PDF_MERGE\""), std::wstring::npos);
    EXPECT_EQ(g_Merge_Cmd_Ran, 1);
    EXPECT_FALSE(Jexa2_Started());
    EXPECT_EQ(Target_Opened(), 1);

    const auto merged = pdf_test::Inspect(Host(Target));
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{210, 220, 230}));
    ASSERT_EQ(merged.outlines.size(), 3u);
    EXPECT_EQ(merged.outlines[0].title, "A-01 首页");
    EXPECT_EQ(merged.outlines[1].title, "A-02");
    // A record text holds 299 characters: a longer title is cut there.
    EXPECT_EQ(platform::From_Utf8(merged.outlines[2].title), long_title.substr(0, 299));
    EXPECT_EQ(merged.outlines[2].page, 3);

    // The merger writes beside the target, which its file replaces once whole.
    const std::vector<std::wstring> expected = {L"3", Fresh_Output_Path(Target).GetString(), L"C:\\Work\\Temp\\1.pdf", L"A-01 首页",
                                                L"C:\\Work\\Temp\\2.pdf", L"A-02", L"C:\\Work\\Temp\\3.pdf",
                                                long_title.substr(0, 299)};
    EXPECT_EQ(Record_Items(L"Merge_Infor"), expected);

    // With the companion loaded the command starts at once; the record is replaced.
    g_Plot_Config.Open_Merged_Pdf = 0;
    platform::ShellLog.clear();
    platform::CommandLine::instance().clear();
    Set_Titles({L"B-01", L"B-02"});
    EXPECT_TRUE(Merge_Pdfs(1, Temp_Folder));
    EXPECT_EQ(Printed().find(L"Unknown command"), std::wstring::npos);
    EXPECT_EQ(Target_Opened(), 0);
    EXPECT_EQ(pdf_test::Inspect(Host(Target)).outlines.size(), 2u);
    EXPECT_EQ(Record_Items(L"Merge_Infor").size(), 6u);
}

TEST_F(Pdf_Merge_Test, WithoutTheCompanionTheFallbackProgramMergesFromTheListFile)
{
    Remove(g_App_Folder + L"\\Pelorin.dll");
    Set_Titles({L"S-01 一层", L"S-02"});
    Make_Numbered_Pdfs(Temp_Folder, 2);
    Answer_Boxes(2);

    EXPECT_TRUE(Merge_Pdfs(1, Temp_Folder));
    ASSERT_EQ(Box_Captions(), (std::vector<std::wstring>{L"文件缺失报错", L"DLL文件缺失报错"}));
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"C:\\KORVEL\\Pelorin.dll"), std::wstring::npos);
    EXPECT_EQ(platform::MessageBoxLog[1].text,
              L"合并需要调用的 \\Pelorin.dll 文件缺失，无法采用dll文件的命令合并 !\n\n目前改用备用应用程序Jexa2.exe进行合并 !");
    EXPECT_TRUE(Jexa2_Started());
    EXPECT_EQ(Target_Opened(), 1);
    const std::string list = "\xEF\xBB\xBF" + platform::To_Utf8(Fresh_Output_Path(Target).GetString()) +
                             "\r\n2\r\nC:\\Work\\Temp\\1.pdf\r\nS-01 一层\r\nC:\\Work\\Temp\\2.pdf\r\nS-02\r\n";
    EXPECT_EQ(File_Bytes(g_Config_Folder + L"\\plot2.tm"), list);
    EXPECT_EQ(File_Bytes(g_Config_Folder + L"\\plot3.tm"), list);
    const auto merged = pdf_test::Inspect(Host(Target));
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{210, 220}));
    ASSERT_EQ(merged.outlines.size(), 2u);
    EXPECT_EQ(merged.outlines[0].title, "S-01 一层");
}

TEST_F(Pdf_Merge_Test, AMissingFallbackProgramIsNeitherStartedNorWaitedFor)
{
    Remove(g_App_Folder + L"\\Pelorin.dll");
    Remove(g_App_Folder + L"\\Jexa2.exe");
    Set_Titles({L"A", L"B"});
    Make_Numbered_Pdfs(Temp_Folder, 2);
    Old_Target();
    Answer_Boxes(4);

    EXPECT_FALSE(Merge_Pdfs(1, Temp_Folder));
    EXPECT_EQ(Box_Captions(),
              (std::vector<std::wstring>{L"文件缺失报错", L"DLL文件缺失报错", L"文件缺失报错", L"文件合并报错"}));
    EXPECT_NE(platform::MessageBoxLog[2].text.find(L"C:\\KORVEL\\Jexa2.exe"), std::wstring::npos);
    EXPECT_EQ(platform::MessageBoxLog[3].text, Merge_Error);
    EXPECT_TRUE(platform::ShellLog.empty());
    EXPECT_EQ(File_Bytes(Target), "old result");
}

TEST_F(Pdf_Merge_Test, NothingToMergeIsNoSuccessAndAnOldResultIsNeitherCountedNorOpenedButKept)
{
    struct Case {
        const char* what;
        std::vector<const wchar_t*> titles;
    } cases[] = {
        {"empty list", {}},
        {"no numbered file", {L"A", L"B"}},
        {"the one numbered file missing", {L"A"}},
    };
    for (const Case& c : cases) {
        Titles().RemoveAll();
        for (const wchar_t* title : c.titles)
            Titles().Add(title);
        Old_Target();
        platform::MessageBoxLog.clear();
        platform::ShellLog.clear();
        Answer_Boxes(1);
        EXPECT_FALSE(Merge_Pdfs(1, Temp_Folder)) << c.what;
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u) << c.what;
        EXPECT_EQ(platform::MessageBoxLog[0].text, Merge_Error);
        EXPECT_EQ(platform::MessageBoxLog[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
        EXPECT_TRUE(platform::ShellLog.empty()) << c.what;
        EXPECT_EQ(File_Bytes(Target), "old result") << c.what;
        EXPECT_TRUE(Record_Items(L"Merge_Infor").empty()) << c.what;
    }
}

TEST_F(Pdf_Merge_Test, OneSheetIsCopiedWithoutAnyCompanionFile)
{
    for (const char* name : Plugin_Files)
        Remove(g_App_Folder + L"\\" + CString(name));
    Set_Titles({L"A-01"});
    Make_Numbered_Pdfs(Temp_Folder, 1);
    Old_Target();

    EXPECT_TRUE(Merge_Pdfs(1, Temp_Folder));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(File_Bytes(Target), File_Bytes(Temp_Folder + L"\\1.pdf"));
    EXPECT_EQ(Target_Opened(), 1);
    EXPECT_EQ(platform::ShellLog.size(), 1u);
}

TEST_F(Pdf_Merge_Test, WithoutItextsharpThereIsNoMergeAndNoFallback)
{
    Remove(g_App_Folder + L"\\itextsharp.dll");
    Set_Titles({L"A", L"B"});
    Make_Numbered_Pdfs(Temp_Folder, 2);
    Old_Target();
    Answer_Boxes(2);

    EXPECT_FALSE(Merge_Pdfs(1, Temp_Folder));
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"itextsharp.dll 文件缺失，无法合并 !");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"DLL文件缺失报错");
    EXPECT_EQ(platform::MessageBoxLog[1].text, Merge_Error);
    EXPECT_TRUE(platform::ShellLog.empty());
    EXPECT_EQ(File_Bytes(Target), "old result");
}

// A merge whose file cannot be written whole leaves the earlier merged file as it was, says
// which file and why, and leaves nothing beside it.
TEST_F(Pdf_Merge_Test, AMergedFileThatCannotBeWrittenKeepsTheEarlierOneAndSaysWhy)
{
    Set_Titles({L"A", L"B"});
    Make_Numbered_Pdfs(Temp_Folder, 2);
    const struct {
        const char* what;
        void (*arrange)();
        const wchar_t* reason;
    } cases[] = {
        {"denied folder", [] { platform::Machine::instance().deny_writes(L"C:\\Work\\Out"); }, L"没有写入权限"},
        {"full disk", [] { platform::Machine::instance().set_disk_free(L"C:\\Work\\Out", 300); }, L"磁盘空间不足"},
        {"short writes", [] { platform::Machine::instance().set_short_writes(L"C:\\Work\\Out", 300); }, L"磁盘空间不足"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Old_Target();
        platform::MessageBoxLog.clear();
        platform::ShellLog.clear();
        c.arrange();
        Answer_Boxes(1);
        EXPECT_FALSE(Merge_Pdfs(1, Temp_Folder));
        platform::Machine::instance().allow_writes(L"C:\\Work\\Out");
        platform::Machine::instance().set_disk_free(L"C:\\Work\\Out", std::nullopt);
        platform::Machine::instance().set_short_writes(L"C:\\Work\\Out", std::nullopt);
        ASSERT_EQ(Box_Captions(), std::vector<std::wstring>{L"文件合并报错"}) << platform::To_Utf8(Printed());
        EXPECT_EQ(platform::MessageBoxLog[0].text, Merge_Error + L"合并.pdf ：" + c.reason);
        EXPECT_EQ(Target_Opened(), 0);
        EXPECT_EQ(File_Bytes(Target), "old result");
        EXPECT_EQ(std::distance(fs::directory_iterator(Host(L"C:\\Work\\Out")), {}), 1);
    }
}

TEST(Plugin_Folder, TheBuildPutsTheCompanionFilesNextToEachModule)
{
    for (const char* flavour : {"zw2021", "zw2025"}) {
        const fs::path folder = fs::path(KORVEL_BINARY_DIR) / flavour;
        for (const char* name : {"Brelmor.so", "Pelorin.dll", "Jexa2.exe", "itextsharp.dll", "PdfSharp.dll"})
            EXPECT_TRUE(fs::is_regular_file(folder / name)) << folder / name;
        for (const auto& entry : fs::directory_iterator(fs::path(KORVEL_SOURCE_DIR) / "res" / "plotstyles"))
            if (entry.path().extension() == ".ccc") {
                EXPECT_TRUE(fs::is_regular_file(folder / entry.path().filename())) << entry.path().filename();
            }
        EXPECT_NE(fs::status(folder / "Jexa2.exe").permissions() & fs::perms::owner_exec, fs::perms::none);
    }
}

TEST_F(Pdf_Merge_Test, AListFileThatCannotBeWrittenIsReportedAndTheProgramNotStarted)
{
    Remove(g_App_Folder + L"\\Pelorin.dll");
    Set_Titles({L"A", L"B"});
    Make_Numbered_Pdfs(Temp_Folder, 2);
    platform::Machine::instance().deny_writes(g_Config_Folder.GetString());
    Answer_Boxes(4);

    EXPECT_FALSE(Merge_Pdfs(1, Temp_Folder));
    platform::Machine::instance().allow_writes(g_Config_Folder.GetString());
    EXPECT_EQ(Box_Captions(),
              (std::vector<std::wstring>{L"文件缺失报错", L"DLL文件缺失报错", L"Korvel", L"文件合并报错"}));
    EXPECT_NE(platform::MessageBoxLog[2].text.find(L"plot2.tm"), std::wstring::npos);
    EXPECT_FALSE(Jexa2_Started());
    EXPECT_FALSE(Exists(Target));
}
