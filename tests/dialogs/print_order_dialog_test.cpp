// The print-order picker: the strip along the picture's top picks an order, the halves of
// its body step back and forward with wrap-around, eight or nine orders, and the picture
// of the chosen order.
#include <string>

#include "dialogs/print_order_dialog.h"
#include "dialogs/print_order_picture.h"
#include "mfc/atlimage.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"

namespace {

// The picker opened modeless, so that the test can move and press the mouse over it.
class Open_Picker : public Dlg_SortType {
public:
    bool Open() { return Create(IDD_DLG_SORTTYPE, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    int Shown_Bitmap() const { return Picture.Get_Bitmap(); }
    CRect Picture_Rect() { return Control_Client_Rect(this, IDC_PICTURE); }
    void Move(int x, int y) { SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }
    void Press(int x, int y) { SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
};

using Print_Order = Plot_Dialog_Test;

}  // namespace

TEST(Print_Order_Strip, Segments_Start_One_Pixel_In_Because_Of_The_Rounding)
{
    for (int width : {100, 220, 500, 900}) {
        const CRect picture(10, 20, 10 + width, 120);
        EXPECT_EQ(Strip_Segment(picture, picture.left + 4), 0) << width;
        EXPECT_EQ(Strip_Segment(picture, picture.left + 5), 1) << width;
        EXPECT_EQ(Strip_Segment(picture, picture.right - 4), 9) << width;
    }
    EXPECT_EQ(Step_Order(1, -1, 8), 8);
    EXPECT_EQ(Step_Order(8, 1, 8), 1);
    EXPECT_EQ(Step_Order(9, 1, 9), 1);
    EXPECT_EQ(Step_Order(1, -1, 9), 9);
    EXPECT_EQ(Order_Bitmap(1), 747);
    EXPECT_EQ(Order_Bitmap(8), 754);
    EXPECT_EQ(Order_Bitmap(9), 746);
}

TEST_F(Print_Order, Eight_Orders_Turn_The_Ninth_Segment_Into_Eight_And_Wrap_Around)
{
    Open_Picker picker;
    ASSERT_TRUE(picker.Open());
    const CRect r = picker.Picture_Rect();
    CString caption;
    picker.GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"DWG内图形打印顺序"));
    EXPECT_EQ(picker.Sort_Type, 1);
    EXPECT_EQ(picker.Shown_Bitmap(), 747);

    picker.Move(r.right - 5, r.top + 5);  // the ninth segment
    EXPECT_EQ(picker.Sort_Type, 8);
    EXPECT_EQ(picker.Shown_Bitmap(), 754);
    picker.Move(r.left + (r.Width() * 3) / 9, r.top + 2);  // the third segment
    EXPECT_EQ(picker.Sort_Type, 3);

    const int body_y = (r.top + r.bottom) / 2;
    picker.Sort_Type = 8;
    picker.Press(r.right - 10, body_y);
    EXPECT_EQ(picker.Sort_Type, 1);
    picker.Press(r.left + 10, body_y);
    EXPECT_EQ(picker.Sort_Type, 8);
    picker.Press(r.left + 10, body_y);
    EXPECT_EQ(picker.Sort_Type, 7);
    EXPECT_EQ(picker.Shown_Bitmap(), 753);
    // Pressing in the strip or the margins changes nothing.
    picker.Press(r.left + 10, r.top + 3);
    picker.Press(r.left + 2, body_y);
    EXPECT_EQ(picker.Sort_Type, 7);
    picker.DestroyWindow();
}

TEST_F(Print_Order, Nine_Orders_Change_The_Caption_And_Show_The_Selection_Order)
{
    Open_Picker picker;
    picker.Nine_Patterns = 1;
    picker.Sort_Type = 9;
    ASSERT_TRUE(picker.Open());
    const CRect r = picker.Picture_Rect();
    CString caption;
    picker.GetWindowText(caption);
    EXPECT_EQ(caption, CString(L"选择打印顺序"));
    EXPECT_EQ(picker.Shown_Bitmap(), 746);
    picker.Press(r.right - 10, (r.top + r.bottom) / 2);
    EXPECT_EQ(picker.Sort_Type, 1);
    picker.Move(r.right - 5, r.top + 5);
    EXPECT_EQ(picker.Sort_Type, 9);
    picker.DestroyWindow();
}

TEST_F(Print_Order, Ok_Hands_Back_The_Clamped_Order_And_The_Picture_Marks_Its_Segment)
{
    Dlg_SortType picker;
    picker.Sort_Type = 12;
    const std::string shot = Temp_Shot("order.png");
    Script("snapshot \"" + shot + "\"\nclick 1\n");
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(picker.Sort_Type, 8);

    // The strip's eighth segment is red, the first blue.
    CImage image;
    ASSERT_EQ(image.Load(platform::From_Utf8(shot).c_str()), S_OK);
    bool red = false, blue = false;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) {
            const COLORREF c = image.GetPixel(x, y);
            red = red || c == RGB(230, 30, 30);
            blue = blue || c == RGB(40, 90, 220);
        }
    EXPECT_TRUE(red);
    EXPECT_TRUE(blue);

    Dlg_SortType cancelled;
    cancelled.Sort_Type = 4;
    Script("click 2\n");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.Sort_Type, 4);
}
