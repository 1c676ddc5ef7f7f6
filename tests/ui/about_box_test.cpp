// The About box: its version line, and the look of its close button idle and hovered.
#include <fstream>

#include "core/command_handlers.h"
#include "core/program_folders.h"
#include "res/resource.h"
#include "script/script_input.h"
#include "ui/dlg_about.h"
#include "ui_fixture.h"
#include "win/host_path_text.h"
#include "win/win_files.h"
#include "win/win_shell.h"

using About_Box = Ui_Test;

TEST(About_Version_Line, Month_And_Day_Keep_Two_Digits)
{
    EXPECT_EQ(Format_Version_Line(20260305), CString(L"Korvel打印 2026.03.05"));
    EXPECT_EQ(Format_Version_Line(20251231), CString(L"Korvel打印 2025.12.31"));
}

namespace {

// The About box opened modeless, so that the test can move the mouse over its button.
class Open_About : public Dlg_About {
public:
    bool Open() { return Create(IDD_DLG_ABOUT, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    Pic_Button& Button() { return Close_Button; }
};

}  // namespace

TEST_F(About_Box, Close_Button_Lights_Up_Under_The_Mouse_And_Goes_Back)
{
    Open_About about;
    ASSERT_TRUE(about.Open());
    CWnd* button = about.GetDlgItem(IDCANCEL);
    ASSERT_NE(button, nullptr);
    CRect client;
    button->GetClientRect(&client);
    // A point of the fill away from the icon and the caption, and the caption's area.
    const CPoint fill(client.right - 3, 2);
    const CRect caption(client.Height() + 2, 0, client.right, client.bottom);

    EXPECT_EQ(Snapshot_Pixel(button, fill.x, fill.y, "idle.png"), RGB(170, 210, 150));
    EXPECT_FALSE(Snapshot_Has_Color(button, caption, RGB(255, 0, 0), "idle.png"));
    EXPECT_TRUE(Snapshot_Has_Color(button, caption, RGB(0, 0, 0), "idle.png"));

    button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.Width() / 2, client.Height() / 2));
    EXPECT_TRUE(about.Button().Is_Hovered());
    EXPECT_EQ(Snapshot_Pixel(button, fill.x, fill.y, "hovered.png"), RGB(110, 170, 80));
    EXPECT_TRUE(Snapshot_Has_Color(button, caption, RGB(255, 0, 0), "hovered.png"));

    // Leaving the button (it holds the capture, so it sees the move outside) restores the idle look.
    button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.right + 20, client.bottom + 20));
    EXPECT_FALSE(about.Button().Is_Hovered());
    EXPECT_EQ(Snapshot_Pixel(button, fill.x, fill.y, "left.png"), RGB(170, 210, 150));
}

TEST_F(About_Box, Shows_The_Logo_On_The_Green_Background_And_Closes_With_The_Button)
{
    Script("snapshot \"" + Temp_File("about.png").string() + "\"\nclick 2\n");
    Show_About();
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
    CImage image;
    ASSERT_EQ(image.Load(platform::Text_From_Host_Path(Temp_File("about.png")).c_str()), S_OK);
    // The picture shows the frame and caption too: the fill just below the caption's right end.
    EXPECT_EQ(image.GetPixel(image.GetWidth() - 6, 30), RGB(170, 210, 150));
    // The logo control (dialog units 136,20 43 x 43) shows the logo's dark green ring.
    bool ring = false;
    for (int y = 0; y < image.GetHeight() / 3 && !ring; ++y)
        for (int x = 0; x < image.GetWidth() && !ring; ++x) ring = image.GetPixel(x, y) == RGB(0, 120, 0);
    EXPECT_TRUE(ring);
}

TEST_F(About_Box, Left_Unanswered_Ends_The_Run_Naming_The_Dialog)
{
    try {
        Show_About();
        FAIL() << "the About box ran without input";
    } catch (const platform::UnansweredInput& e) {
        EXPECT_NE(std::string(e.what()).find("dialog 251"), std::string::npos) << e.what();
    }
}

using Help_File = Ui_Test;

TEST_F(Help_File, Opens_The_Help_Document_Of_The_Plugin_Folder_With_The_Shell)
{
    g_App_Folder = L"C:\\KORVEL";
    CreateDirectoryW(L"C:\\KORVEL", nullptr);
    std::ofstream(platform::To_Host_Path(L"C:\\KORVEL\\BPHelp.pdf")) << "%PDF-1.4\n";
    platform::ShellLog.clear();
    Open_Help();
    ASSERT_EQ(platform::ShellLog.size(), 1u);
    EXPECT_EQ(platform::ShellLog[0].verb, L"open");
    EXPECT_EQ(platform::ShellLog[0].file, L"C:\\KORVEL\\BPHelp.pdf");
    EXPECT_EQ(platform::ShellLog[0].show, SW_SHOWNORMAL);
    EXPECT_EQ(platform::ShellLog[0].outcome, platform::ShellOutcome::Opened);
}

TEST_F(Help_File, A_Missing_Help_File_Gets_The_Shell_Message)
{
    g_App_Folder = L"C:\\KORVEL_NO_HELP";
    CreateDirectoryW(L"C:\\KORVEL_NO_HELP", nullptr);
    platform::ShellLog.clear();
    Script("msgbox OK\n");
    Open_Help();
    ASSERT_EQ(platform::ShellLog.size(), 1u);
    EXPECT_EQ(platform::ShellLog[0].error, static_cast<DWORD>(SE_ERR_FNF));
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
}
