// The gradient progress bar, the progress window and the message pump.
#include "mfc/window_table.h"
#include "res/resource.h"
#include "script/script_input.h"
#include "ui/dlg_about.h"
#include "ui/progress_window.h"
#include "ui_fixture.h"

using Progress = Ui_Test;

TEST_F(Progress, Counter_Texts_By_Mode)
{
    struct Case {
        int mode, position, upper;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1, 1, 3, L"33%"},
        {0, 2, 5, L"第2张 / 共5张"},
        {2, 2, 5, L"第2个文件 / 共5个文件"},
        {7, 1, 4, L"第1个文件 / 共4个文件"},
        // An empty range divides by nothing.
        {1, 0, 0, L"0%"},
    };
    Progress_Show_Range(L"计算图框............", 10, 0);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    for (const Case& c : cases) {
        g_Dlg_Progress->Bar.Counter_Mode = c.mode;
        g_Dlg_Progress->SetRange(0, c.upper);
        g_Dlg_Progress->SetPos(c.position);
        EXPECT_EQ(g_Dlg_Progress->Bar.Counter_Text(), CString(c.text)) << c.mode << " " << c.position << "/" << c.upper;
    }
}

TEST_F(Progress, Stepping_Past_The_Upper_End_Wraps_To_An_Empty_Bar)
{
    Progress_Show_Range(L"计算图框............", 3, 0);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    const int expected[] = {1, 2, 3, 0};
    for (int position : expected) {
        Progress_Step();
        EXPECT_EQ(g_Dlg_Progress->Bar.GetPos(), position);
    }
    EXPECT_EQ(g_Dlg_Progress->Bar.Filled_Width(300), 0);
}

TEST_F(Progress, Zero_Range_Paints_An_Empty_Bar)
{
    Progress_Show_Range(L"签名边界计算......", 0, 1);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    EXPECT_EQ(g_Dlg_Progress->Bar.Filled_Width(300), 0);
    EXPECT_EQ(g_Dlg_Progress->Bar.Counter_Text(), CString(L"0%"));
    CRect client;
    g_Dlg_Progress->Bar.GetClientRect(&client);
    EXPECT_NE(Snapshot_Pixel(&g_Dlg_Progress->Bar, client.right - 2, client.bottom / 2, "zero.png"), CLR_INVALID);
}

TEST_F(Progress, Bar_Shows_The_Gradient_Up_To_The_Position_And_The_Face_Colour_After)
{
    Progress_Show_Range(L"计算图框............", 10, 1);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    g_Dlg_Progress->SetPos(5);
    CRect client;
    g_Dlg_Progress->Bar.GetClientRect(&client);
    EXPECT_EQ(Snapshot_Pixel(&g_Dlg_Progress->Bar, 0, 1, "half.png"), RGB(255, 255, 0));
    EXPECT_EQ(Snapshot_Pixel(&g_Dlg_Progress->Bar, client.right - 1, 1, "half.png"), GetSysColor(COLOR_BTNFACE));
    g_Dlg_Progress->SetPos(10);
    const COLORREF end = Snapshot_Pixel(&g_Dlg_Progress->Bar, client.right - 1, 1, "full.png");
    EXPECT_LT(GetRValue(end), 5);
    EXPECT_NEAR(GetGValue(end), 147, 2);
    // Outside the range: the empty bar without text.
    g_Dlg_Progress->SetPos(11);
    EXPECT_EQ(g_Dlg_Progress->Bar.Filled_Width(client.Width()), -1);
    EXPECT_EQ(Snapshot_Pixel(&g_Dlg_Progress->Bar, 0, 1, "outside.png"), GetSysColor(COLOR_BTNFACE));
}

TEST_F(Progress, Opening_Again_Replaces_The_Window_And_Close_Clears_The_Pointer)
{
    Progress_Step();  // nothing open: nothing happens
    Progress_Close();
    EXPECT_EQ(g_Dlg_Progress, nullptr);

    Progress_Show_Range(L"一", 5, 0);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    CString caption;
    g_Dlg_Progress->GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"一"));
    EXPECT_TRUE(g_Dlg_Progress->IsWindowVisible());

    Progress_Show_Range(L"二", 5, 0);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    int progress_windows = 0;
    for (platform::Window* w : platform::All_Windows()) progress_windows += w->template_id == IDD_DLG_PROGRESS;
    EXPECT_EQ(progress_windows, 1);
    g_Dlg_Progress->GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"二"));

    Progress_Close();
    EXPECT_EQ(g_Dlg_Progress, nullptr);
}

namespace {

// A window that counts the messages it is sent through the queue; one of them closes
// the progress window.
class Counting_Window : public CDialog {
public:
    static constexpr UINT Count_Message = WM_APP + 1;
    static constexpr UINT Close_Progress_Message = WM_APP + 2;
    int Count = 0;

protected:
    LRESULT On_Count(WPARAM, LPARAM)
    {
        ++Count;
        return 0;
    }
    LRESULT On_Close_Progress(WPARAM, LPARAM)
    {
        Progress_Close();
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Counting_Window, CDialog)
    ON_MESSAGE(Counting_Window::Count_Message, On_Count)
    ON_MESSAGE(Counting_Window::Close_Progress_Message, On_Close_Progress)
END_MESSAGE_MAP()

}  // namespace

TEST_F(Progress, Do_Events_Dispatches_Every_Waiting_Message)
{
    Counting_Window window;
    ASSERT_TRUE(window.Create(IDD_DLG_PROGRESS, nullptr));
    for (int i = 0; i < 3; ++i) window.PostMessage(Counting_Window::Count_Message);
    EXPECT_EQ(Do_Events(), 0);
    EXPECT_EQ(window.Count, 3);
    MSG left;
    EXPECT_FALSE(PeekMessage(&left, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Progress, A_Handler_That_Closes_The_Window_During_A_Step_Ends_The_Step)
{
    Counting_Window window;
    ASSERT_TRUE(window.Create(IDD_DLG_PROGRESS, nullptr));
    Progress_Show_Range(L"计算图框............", 10, 1);
    window.PostMessage(Counting_Window::Close_Progress_Message);
    Progress_Step();
    EXPECT_EQ(g_Dlg_Progress, nullptr);
}

TEST_F(Progress, Script_Steps_Reach_A_Modeless_Window_At_The_Chosen_Step)
{
    // The About box stands in for a result window with a button to press during a long run.
    class Modeless_About : public Dlg_About {
    public:
        bool Closed = false;

    protected:
        void OnCancel() override
        {
            Closed = true;
            DestroyWindow();
        }
    } about;
    ASSERT_TRUE(about.Create(IDD_DLG_ABOUT, nullptr));
    about.ShowWindow(SW_SHOW);
    Progress_Show_Range(L"计算图框............", 10, 0);
    Script("wait pumps 3\n@251 click 2\n");
    int steps_before_close = 0;
    for (int i = 0; i < 10 && !about.Closed; ++i) {
        Progress_Step();
        ++steps_before_close;
    }
    EXPECT_TRUE(about.Closed);
    EXPECT_GE(steps_before_close, 3);
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
}

TEST_F(Progress, Window_Opens_Centred_On_The_Cursor_And_Stays_On_Its_Monitor)
{
    const int screen_width = GetSystemMetrics(SM_CXSCREEN), screen_height = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(screen_width / 2, screen_height / 2);
    Progress_Show_Range(L"计算图框............", 10, 1);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    CRect centred;
    g_Dlg_Progress->GetWindowRect(&centred);
    EXPECT_EQ(centred.left, screen_width / 2 - centred.Width() / 2);
    EXPECT_EQ(centred.top, screen_height / 2 - centred.Height() / 2);

    SetCursorPos(screen_width - 2, screen_height - 2);
    Progress_Show_Range(L"计算图框............", 10, 1);
    ASSERT_NE(g_Dlg_Progress, nullptr);
    CRect corner;
    g_Dlg_Progress->GetWindowRect(&corner);
    EXPECT_EQ(corner.Size(), centred.Size());
    EXPECT_LE(corner.right, screen_width);
    EXPECT_LE(corner.bottom, screen_height - 40);
}
