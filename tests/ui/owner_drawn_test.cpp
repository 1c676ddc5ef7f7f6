// The owner-drawn buttons, picture, colour list box and the drawing helpers, on a
// modeless host dialog.
#include "res/resource.h"
#include "ui/color_list_box.h"
#include "ui/gdi_helper.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"
#include "ui_fixture.h"

namespace {

const COLORREF Idle_Disc = RGB(60, 120, 40);

class Owner_Drawn : public Ui_Test {
public:
    void SetUp() override
    {
        Ui_Test::SetUp();
        ASSERT_TRUE(Host.Create(IDD_DLG_ABOUT, nullptr));
        Host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(Button.SubclassDlgItem(IDCANCEL, &Host));
    }
    void TearDown() override
    {
        Host.DestroyWindow();
        Ui_Test::TearDown();
    }
    // Resizes the button to width x height at the dialog's top-left corner.
    void Size_Button(int width, int height) { Button.MoveWindow(0, 0, width, height, TRUE); }

    CDialog Host;
    Pic_Button Button;
};

TEST_F(Owner_Drawn, A_Button_Higher_Than_32_Pixels_Draws_Icons_Twice_The_Size)
{
    struct Case {
        int height;
        int size;
        bool disc_at_edge;  // the icon reaches 13 pixels left of the centre
    };
    const Case cases[] = {{40, 16, true}, {30, 16, false}};
    for (const Case& c : cases) {
        Size_Button(100, c.height);
        Button.SetWindowText(L"");
        Button.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, c.size);
        // Without a caption the icon is centred.
        const COLORREF at_edge = Snapshot_Pixel(&Button, 50 - 13, c.height / 2, "icon.png");
        EXPECT_EQ(at_edge == Idle_Disc, c.disc_at_edge) << c.height;
        EXPECT_EQ(Snapshot_Pixel(&Button, 50, c.height / 2 - 1, "icon.png") == RGB(255, 255, 255) ||
                      Snapshot_Pixel(&Button, 50, c.height / 2, "icon.png") == RGB(255, 255, 255),
                  true)
            << "the cross of the icon at the centre, " << c.height;
    }
}

TEST_F(Owner_Drawn, With_A_Caption_The_Icon_Sits_Left_And_The_Caption_Is_Centred_In_The_Rest)
{
    Size_Button(160, 32);
    Button.SetWindowText(L"关 闭");
    Button.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    // The icon's square is the left 32 pixels; nothing of the caption is drawn there.
    EXPECT_TRUE(Snapshot_Has_Color(&Button, CRect(0, 0, 32, 32), Idle_Disc, "caption.png"));
    EXPECT_FALSE(Snapshot_Has_Color(&Button, CRect(0, 0, 32, 32), RGB(0, 0, 0), "caption.png"));
    EXPECT_TRUE(Snapshot_Has_Color(&Button, CRect(60, 0, 140, 32), RGB(0, 0, 0), "caption.png"));
}

TEST_F(Owner_Drawn, Leaving_With_The_Left_Button_Held_Keeps_The_Capture_But_Drops_The_Hover)
{
    Size_Button(120, 30);
    Button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, 15));
    EXPECT_TRUE(Button.Is_Hovered());
    EXPECT_EQ(CWnd::GetCapture(), &Button);
    Button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 15));
    EXPECT_FALSE(Button.Is_Hovered());
    EXPECT_EQ(CWnd::GetCapture(), &Button);
    Button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 15));
    EXPECT_NE(CWnd::GetCapture(), &Button);
}

TEST_F(Owner_Drawn, A_Disabled_Button_Draws_Its_Caption_Greyed)
{
    Size_Button(160, 32);
    Button.SetWindowText(L"关 闭");
    Button.EnableWindow(FALSE);
    EXPECT_FALSE(Snapshot_Has_Color(&Button, CRect(40, 0, 160, 32), RGB(0, 0, 0), "disabled.png"));
    EXPECT_TRUE(Snapshot_Has_Color(&Button, CRect(40, 0, 160, 32), GetSysColor(COLOR_3DSHADOW), "disabled.png"));
}

TEST_F(Owner_Drawn, Cursor_Loads_And_Minus_One_Removes_It)
{
    EXPECT_TRUE(Button.Set_Cursor(IDR_HAND_CURSOR));
    EXPECT_TRUE(Button.Set_Cursor(-1));
    EXPECT_FALSE(Button.Set_Cursor(9999));
}

TEST_F(Owner_Drawn, Hovering_Shows_The_Button_Cursor_And_The_Dialog_Shows_The_Arrow)
{
    struct Cursor_Of : Pic_Button {
        static HCURSOR Of(const Pic_Button& button) { return static_cast<const Cursor_Of&>(button).Button_Cursor; }
    };
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const auto hover = [](CWnd& window) {
        window.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    ASSERT_TRUE(Button.Set_Cursor(IDR_HAND_CURSOR));
    const HCURSOR hand = Cursor_Of::Of(Button);
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(hover(Host), arrow);
    EXPECT_EQ(hover(Button), hand);
    EXPECT_EQ(hover(Host), arrow);
    ASSERT_TRUE(Button.Set_Cursor(-1));
    EXPECT_EQ(hover(Button), arrow);
}

TEST_F(Owner_Drawn, Picture_Shows_Its_Bitmap_Stretched_And_Nothing_For_Zero)
{
    Pic_Ctrl picture;
    ASSERT_TRUE(picture.SubclassDlgItem(IDC_LOGO, &Host));
    picture.MoveWindow(0, 0, 128, 128, TRUE);
    CRect client;
    picture.GetClientRect(&client);
    ASSERT_EQ(client.Width(), 128);
    const COLORREF before = Snapshot_Pixel(&picture, 64, 64, "empty.png");
    picture.Set_Bitmap(IDB_LOGO);
    // The logo's corner is the About box's green, its ring dark green at twice the size.
    EXPECT_EQ(Snapshot_Pixel(&picture, 1, 1, "logo.png"), RGB(170, 210, 150));
    EXPECT_TRUE(Snapshot_Has_Color(&picture, CRect(0, 60, 10, 68), RGB(0, 120, 0), "logo.png"));
    picture.Set_Bitmap(0);
    EXPECT_EQ(Snapshot_Pixel(&picture, 64, 64, "none.png"), before);
}

TEST_F(Owner_Drawn, Color_List_Box_Draws_Item_Colours_And_Grey_When_Disabled)
{
    CColorListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 200, 100), &Host,
                            1001));
    list.SetFont(Host.GetFont());
    EXPECT_EQ(list.Add_Color_String(L"红色图框", RGB(255, 0, 0)), 0);
    EXPECT_EQ(list.Insert_Color_String(0, L"蓝色图框", RGB(0, 0, 255)), 0);
    EXPECT_EQ(list.GetItemData(1), RGB(255, 0, 0));
    list.Set_Item_Height(1.5);
    LOGFONTW font{};
    Host.GetFont()->GetLogFont(&font);
    EXPECT_EQ(list.GetItemHeight(0), static_cast<int>(std::max(std::abs(static_cast<int>(font.lfHeight)), 12) * 1.5));

    const int h = list.GetItemHeight(0);
    EXPECT_TRUE(Snapshot_Has_Color(&list, CRect(0, 0, 200, h), RGB(0, 0, 255), "list.png"));
    EXPECT_TRUE(Snapshot_Has_Color(&list, CRect(0, h, 200, 2 * h), RGB(255, 0, 0), "list.png"));
    list.EnableWindow(FALSE);
    EXPECT_FALSE(Snapshot_Has_Color(&list, CRect(0, 0, 200, 2 * h), RGB(255, 0, 0), "grey.png"));
    EXPECT_TRUE(Snapshot_Has_Color(&list, CRect(0, 0, 200, 2 * h), RGB(128, 128, 128), "grey.png"));
}

TEST(Gdi_Helpers, Frame_Outline_And_Centred_Text)
{
    CDC dc;
    dc.Attach(platform::Make_Image_DC(100, 60));
    g_Gdi_Helper.Draw_Frame_Rect(&dc, 10.7, 50.2, 5.9, 30.4, 1, 255, 0, 0);
    EXPECT_EQ(dc.GetPixel(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(50, 20), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(30, 20), RGB(255, 255, 255));
    // The pen is given back: a line drawn afterwards uses the previous (black) pen.
    dc.MoveTo(0, 55);
    dc.LineTo(90, 55);
    EXPECT_EQ(dc.GetPixel(40, 55), RGB(0, 0, 0));

    const CRect text = g_Gdi_Helper.Draw_Text_Centered(&dc, CPoint(50, 45), 90, L"图号");
    EXPECT_NEAR((text.left + text.right) / 2.0, 50, 1);
    EXPECT_NEAR((text.top + text.bottom) / 2.0, 45, 1);
    EXPECT_GT(text.Width(), 10);
    dc.DeleteDC();
}

}  // namespace
