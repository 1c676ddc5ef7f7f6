// Unequal margins: the margins read from the typed texts, the side labels and previews
// that follow them, the mode, and the preview's proportions.
#include "dialogs/print_order_picture.h"
#include "dialogs/print_order_unequal_margins.h"
#include "mfc/atlimage.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"

namespace {

constexpr COLORREF Paper = 0xF0F0F0;
constexpr COLORREF Printable = 0x9A4C00;

// The dialog opened modeless, so that the test can read its labels and paint it.
class Open_Margins : public Dlg_Unequal_Edge {
public:
    bool Open() { return Create(IDD_DLG_UNEQUAL_EDGE, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    CString Label(int id)
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
};

using Unequal_Margins = Plot_Dialog_Test;

}  // namespace

TEST(Margin_Texts, Digits_Make_Numbers_And_Everything_Else_Separates_Them)
{
    struct Case {
        const wchar_t* text;
        int top, bottom, left, right;
    };
    for (const Case& c : {Case{L"5,5,20", 5, 5, 20, 0}, Case{L"-3 4", 3, 4, 0, 0}, Case{L"1 2 3 4 5", 1, 2, 3, 4},
                          Case{L"", 0, 0, 0, 0}, Case{L"  7x8  ", 7, 8, 0, 0}, Case{L"12", 12, 0, 0, 0}}) {
        int top = -1, bottom = -1, left = -1, right = -1;
        Parse_Margins(c.text, top, bottom, left, right);
        EXPECT_EQ(top, c.top) << c.top;
        EXPECT_EQ(bottom, c.bottom);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(right, c.right);
    }
}

TEST(Margin_Preview, The_Largest_Margin_Takes_A_Tenth_And_Any_Other_At_Least_Two_Pixels)
{
    CImage image;
    ASSERT_TRUE(image.Create(142, 100, 24));
    CDC* dc = CDC::FromHandle(image.GetDC());
    Paint_Margin_Preview(dc, CRect(0, 0, 142, 100), 2, 2, 10, 2);
    // Inner 140 x 98: unit 9; left inset 9, the others 2.
    EXPECT_EQ(dc->GetPixel(0, 50), RGB(0, 0, 0));
    EXPECT_EQ(dc->GetPixel(9, 50), Paper);
    EXPECT_EQ(dc->GetPixel(10, 50), Printable);
    EXPECT_EQ(dc->GetPixel(138, 50), Printable);
    EXPECT_EQ(dc->GetPixel(139, 50), Paper);
    EXPECT_EQ(dc->GetPixel(50, 2), Paper);
    EXPECT_EQ(dc->GetPixel(50, 3), Printable);
    EXPECT_EQ(dc->GetPixel(50, 96), Printable);
    EXPECT_EQ(dc->GetPixel(50, 97), Paper);

    Paint_Margin_Preview(dc, CRect(0, 0, 142, 100), 0, 0, 0, 0);
    EXPECT_EQ(dc->GetPixel(1, 1), Printable);
    EXPECT_EQ(dc->GetPixel(140, 98), Printable);
    EXPECT_EQ(dc->GetPixel(141, 99), RGB(0, 0, 0));
    image.ReleaseDC();
}

TEST_F(Unequal_Margins, Texts_And_Labels_Start_From_The_Margins_And_Follow_The_Edits)
{
    Open_Margins dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Label(IDC_EDIT_TEXT), CString(L"2 2 10 2"));
    EXPECT_EQ(dialog.Label(IDC_EDIT_TEXT2), CString(L"10 2 2 2"));
    EXPECT_EQ(dialog.Label(IDC_LABEL_3), CString(L"10"));  // landscape left
    EXPECT_EQ(dialog.Label(IDC_LABEL_5), CString(L"10"));  // portrait top

    dialog.SetDlgItemText(IDC_EDIT_TEXT, L"5,6,20");
    EXPECT_EQ(dialog.Margins[0], 5);
    EXPECT_EQ(dialog.Margins[1], 6);
    EXPECT_EQ(dialog.Margins[2], 20);
    EXPECT_EQ(dialog.Margins[3], 0);
    for (const auto& [id, text] : {std::pair{IDC_LABEL_1, L"5"}, std::pair{IDC_LABEL_2, L"6"},
                                   std::pair{IDC_LABEL_3, L"20"}, std::pair{IDC_LABEL_4, L"0"}})
        EXPECT_EQ(dialog.Label(id), CString(text)) << id;

    // The landscape preview shows the new margins: the left side is the widest.
    // The snapshot holds the frame too: the preview's place in window coordinates.
    CRect land = Control_Client_Rect(&dialog, IDC_LAND_PREVIEW);
    CRect window;
    dialog.GetWindowRect(&window);
    CPoint origin(0, 0);
    dialog.ClientToScreen(&origin);
    land.OffsetRect(origin.x - window.left, origin.y - window.top);
    const std::string shot = Temp_Shot("margins.png");
    ASSERT_TRUE(platform::Snapshot_Window(&dialog, platform::From_Utf8(shot)));
    CImage image;
    ASSERT_EQ(image.Load(platform::From_Utf8(shot).c_str()), S_OK);
    const int middle = (land.top + land.bottom) / 2;
    const int unit = std::min(land.Width() - 2, land.Height() - 2) / 10;
    EXPECT_EQ(image.GetPixel(land.left + unit - 1, middle), Paper);
    EXPECT_EQ(image.GetPixel(land.left + unit + 2, middle), Printable);
    EXPECT_EQ(image.GetPixel(land.right - 2, middle), Printable);  // right margin 0
    dialog.DestroyWindow();
}

TEST_F(Unequal_Margins, Ok_Hands_Back_Mode_And_Margins_Cancel_Leaves_Them)
{
    Dlg_Unequal_Edge dialog;
    dialog.Mode = 0;
    Script("text 202 \"-3 4\"\ntext 203 \"1;2;3;4;5\"\nclick 874\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(dialog.Mode, 1);
    const int expected[8] = {3, 4, 0, 0, 1, 2, 3, 4};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(dialog.Margins[i], expected[i]) << i;

    Dlg_Unequal_Edge cancelled;
    Script("click 874\nclick 2\n");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}
