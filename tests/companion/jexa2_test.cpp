// The fallback merge program, started through the shell as the plug-in starts it.
#include <fstream>

#include "companion_fixture.h"
#include "pdf_inspect.h"
#include "win/windows.h"

namespace fs = std::filesystem;

namespace {

class Jexa2_Test : public Companion_Test {
protected:
    void SetUp() override
    {
        Companion_Test::SetUp();
        m_C = *platform::Machine::instance().drive_folder(L'C');
        fs::create_directories(m_C / "Korvel");
        fs::copy_file(JEXA2_PATH, m_C / "Korvel" / "Jexa2.exe", fs::copy_options::overwrite_existing);
        wchar_t app_data[MAX_PATH] = {0};
        GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
        m_List = platform::To_Host_Path(std::wstring(app_data) + L"\\Korvel\\plot3.tm");
        fs::create_directories(m_List.parent_path());
    }
    void TearDown() override
    {
        fs::remove_all(m_C / "Korvel");
        fs::remove(m_List);
        Companion_Test::TearDown();
    }

    // Starts the program as the plug-in does and waits for it; its exit code.
    DWORD Start_And_Wait()
    {
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpVerb = L"open";
        info.lpFile = L"C:\\KORVEL\\JEXA2.EXE";
        info.lpDirectory = L"C:\\Korvel";
        info.nShow = SW_SHOW;
        EXPECT_TRUE(ShellExecuteExW(&info));
        EXPECT_NE(info.hProcess, nullptr);
        if (info.hProcess == nullptr) return 0xFFFF;
        EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
        DWORD code = 0;
        GetExitCodeProcess(info.hProcess, &code);
        CloseHandle(info.hProcess);
        return code;
    }

    fs::path m_C;
    fs::path m_List;
};

TEST_F(Jexa2_Test, MergesTheListedFilesInOrderWithTheirTitles)
{
    pdf_test::Make_Pdf(m_C / "Temp" / "1.pdf", {{200, 300}});
    pdf_test::Make_Pdf(m_C / "Temp" / "2.pdf", {{210, 300}, {211, 300}});
    pdf_test::Make_Pdf(m_C / "Temp" / "3.pdf", {{220, 300}});
    std::ofstream(m_List, std::ios::binary) << "\xEF\xBB\xBF" "C:\\Out\\合并.pdf\r\n3\r\n"
                                               "C:\\Temp\\1.pdf\r\nA-01 首页\r\nC:\\Temp\\2.pdf\r\nA-02\r\n"
                                               "C:\\Temp\\3.pdf\r\nA-03\r\n";
    fs::create_directories(m_C / "Out");
    EXPECT_EQ(Start_And_Wait(), 0u);
    // The program has ended: its result is complete.
    const auto merged = pdf_test::Inspect(m_C / "Out" / "合并.pdf");
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{200, 210, 211, 220}));
    ASSERT_EQ(merged.outlines.size(), 3u);
    EXPECT_EQ(merged.outlines[0].title, "A-01 首页");
    EXPECT_EQ(merged.outlines[2].page, 4);
}

TEST_F(Jexa2_Test, AnUnreadableListOrNoInputEndsWithAnErrorAndNoTarget)
{
    fs::create_directories(m_C / "Out");
    EXPECT_NE(Start_And_Wait(), 0u);  // no list at all
    std::ofstream(m_List, std::ios::binary) << "C:\\Out\\nothing.pdf\r\n2\r\nC:\\Temp\\9.pdf\r\nA\r\n";
    EXPECT_NE(Start_And_Wait(), 0u);
    std::ofstream(m_List, std::ios::binary) << "C:\\Out\\nothing.pdf\r\n1\r\nC:\\Temp\\9.pdf\r\nA\r\n";
    EXPECT_NE(Start_And_Wait(), 0u);
    EXPECT_FALSE(fs::exists(m_C / "Out" / "nothing.pdf"));
}

}  // namespace
