// Turning a plotted PDF through the companion command.
#include "pdf_test_fixture.h"

namespace fs = std::filesystem;

namespace {

const CString Sheet = L"C:\\Work\\Out\\S-01.pdf";

class Pdf_Rotate_Test : public Pdf_Part_Test {
protected:
    void SetUp() override
    {
        Pdf_Part_Test::SetUp();
        pdf_test::Make_Pdf(Host(Sheet), {{300, 200}});
    }
    void TearDown() override
    {
        fs::remove_all(Host(L"C:\\Work"));
        Pdf_Part_Test::TearDown();
    }
    static int Sheet_Rotation() { return pdf_test::Inspect(Host(Sheet)).pages.at(0).rotate; }
};

TEST_F(Pdf_Rotate_Test, TheCompanionLoadedOnDemandTurnsThePagesByTheAngle)
{
    Set_Var(L"FILEDIA", 0);
    Rotate_Pdf(Sheet, 90);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(Sheet_Rotation(), 90);
    EXPECT_EQ(g_Rotate_Cmd_Ran, 1);
    EXPECT_NE(Printed().find(L"Unknown command \"K_PDF_ROTATE\""), std::wstring::npos);
    EXPECT_EQ(Record_Items(L"PDF_Rotate_Flag"), (std::vector<std::wstring>{L"90", Sheet.GetString()}));

    // The next rotation finds the command at once and replaces the record.
    platform::CommandLine::instance().clear();
    Rotate_Pdf(Sheet, 270);
    EXPECT_EQ(Printed().find(L"Unknown command"), std::wstring::npos);
    EXPECT_EQ(Sheet_Rotation(), 0);
    EXPECT_EQ(Record_Items(L"PDF_Rotate_Flag"), (std::vector<std::wstring>{L"270", Sheet.GetString()}));
}

TEST_F(Pdf_Rotate_Test, TheCompanionInTheHostFolderIsFoundWithoutAMessage)
{
    Remove(g_App_Folder + L"\\Pelorin.dll");
    Install("Pelorin.dll", g_Host_Folder);
    Rotate_Pdf(Sheet, 270);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(Sheet_Rotation(), 270);
}

TEST_F(Pdf_Rotate_Test, AMissingLibraryStopsBeforeTheRecordIsWritten)
{
    const struct {
        const char* file;
        const wchar_t* message;
    } cases[] = {
        {"itextsharp.dll", L"itextsharp.dll 文件缺失，无法旋转PDF !"},
        {"PdfSharp.dll", L"PdfSharp.dll 文件缺失，无法旋转PDF !"},
    };
    for (const auto& c : cases) {
        Install("itextsharp.dll", g_App_Folder);
        Install("PdfSharp.dll", g_App_Folder);
        Remove(g_App_Folder + L"\\" + CString(c.file));
        platform::MessageBoxLog.clear();
        Answer_Boxes(1);
        Rotate_Pdf(Sheet, 90);
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u) << c.file;
        EXPECT_EQ(platform::MessageBoxLog[0].text, c.message);
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"DLL文件缺失报错");
        EXPECT_TRUE(Record_Items(L"PDF_Rotate_Flag").empty());
        EXPECT_EQ(Sheet_Rotation(), 0);
    }
}

TEST_F(Pdf_Rotate_Test, AMissingCompanionIsReportedAndThePdfStaysAsPlotted)
{
    Remove(g_App_Folder + L"\\Pelorin.dll");
    Answer_Boxes(2);
    Rotate_Pdf(Sheet, 90);
    ASSERT_EQ(Box_Captions(), (std::vector<std::wstring>{L"文件缺失报错", L"DLL文件缺失报错"}));
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"C:\\KORVEL\\Pelorin.dll"), std::wstring::npos);
    EXPECT_EQ(platform::MessageBoxLog[1].text, L"旋转PDF需要调用的 Pelorin.dll 文件缺失，无法采用dll文件的命令旋转 !");
    EXPECT_EQ(Sheet_Rotation(), 0);
    EXPECT_EQ(Record_Items(L"PDF_Rotate_Flag").size(), 2u);
}

}  // namespace
