// The numbering dialogs: their examples follow the edits, numbering off greys its controls,
// the order picture follows the order kind, and OK hands back the fields.
#include "core/name_lookups.h"
#include "dialogs/dlg_no_set.h"
#include "dialogs/dlg_tuhao.h"
#include "dialogs/print_order_picture.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "script/utf8.h"

namespace {

template <class Dialog>
class Open : public Dialog {
public:
    bool Open_Modeless(UINT id) { return this->Create(id, nullptr) && this->ShowWindow(SW_SHOW) >= 0; }
    CString Shown(int id)
    {
        CString text;
        this->GetDlgItemText(id, text);
        return text;
    }
    bool Enabled(int id) { return this->GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    int Shown_Bitmap() const { return this->Picture.Get_Bitmap(); }
    void Mouse_Move(CPoint point) { this->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y)); }
};

using Numbering = Plot_Dialog_Test;

}  // namespace

TEST_F(Numbering, No_Set_Example_With_And_Without_Numbering)
{
    Open<Dlg_No_Set> dialog;
    ASSERT_TRUE(dialog.Open_Modeless(IDD_DLG_NO_SET));
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE),
              CString(L"示   例\n\n01_xxxxxxx\n\n02_xxxxxxx\n\n03_xxxxxxx\n\n..........\n\n11_xxxxxxx\n\n12_xxxxxxx"));
    for (int id : {IDC_START_NO, IDC_SUFFIX, IDC_DIGITS_COMBO, IDC_LABEL_2, IDC_LABEL_3, IDC_LABEL_4})
        EXPECT_TRUE(dialog.Enabled(id)) << id;

    dialog.SetDlgItemText(IDC_PREFIX, L"P:?");  // cleaned for file names in the example only
    dialog.CheckDlgButton(IDC_NO_SET_INSERT, BST_UNCHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NO_SET_INSERT, BN_CLICKED), 0);
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE),
              CString(L"示   例\n\nPxxxxxxx\n\nPxxxxxxx\n\nPxxxxxxx\n\n..........\n\nPxxxxxxx\n\nPxxxxxxx"));
    for (int id : {IDC_START_NO, IDC_SUFFIX, IDC_DIGITS_COMBO, IDC_LABEL_2, IDC_LABEL_3, IDC_LABEL_4})
        EXPECT_FALSE(dialog.Enabled(id)) << id;
    EXPECT_TRUE(dialog.Enabled(IDC_PREFIX));
    EXPECT_EQ(dialog.Prefix, CString(L"P:?"));
    dialog.DestroyWindow();
}

TEST_F(Numbering, No_Set_Picture_Follows_The_Order_Kind_And_Only_Position_Order_Reacts_To_The_Mouse)
{
    Open<Dlg_No_Set> dialog;
    dialog.Order_Kind = 1;
    dialog.Sort_Type = 3;
    ASSERT_TRUE(dialog.Open_Modeless(IDD_DLG_NO_SET));
    EXPECT_EQ(dialog.Shown_Bitmap(), Order_Bitmap(3));

    const CRect picture = Control_Client_Rect(&dialog, IDC_PICTURE);
    const CPoint strip_start(picture.left + 5, picture.top + 5);
    dialog.CheckDlgButton(IDC_RADIO_2, BST_UNCHECKED);
    dialog.CheckDlgButton(IDC_RADIO_1, BST_CHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RADIO_1, BN_CLICKED), 0);
    EXPECT_EQ(dialog.Order_Kind, 0);
    EXPECT_EQ(dialog.Shown_Bitmap(), 725);  // the greyed picture of order 3
    dialog.Mouse_Move(strip_start);
    EXPECT_EQ(dialog.Sort_Type, 3);

    dialog.CheckDlgButton(IDC_RADIO_1, BST_UNCHECKED);
    dialog.CheckDlgButton(IDC_RADIO_2, BST_CHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RADIO_2, BN_CLICKED), 0);
    dialog.Mouse_Move(strip_start);
    EXPECT_EQ(dialog.Sort_Type, 1);
    EXPECT_EQ(dialog.Shown_Bitmap(), Order_Bitmap(dialog.Sort_Type));
    dialog.DestroyWindow();
}

TEST(Grey_Order_Bitmap, Picture_1_Then_724_Onwards)
{
    const int expected[] = {696, 696, 724, 725, 726, 727, 728, 729, 730, 731, 731};
    for (int type = 0; type <= 10; ++type) EXPECT_EQ(Grey_Order_Bitmap(type), expected[type]) << type;
}

TEST_F(Numbering, No_Set_Hands_Back_Its_Fields_And_The_Drawing_Name_As_Placeholder)
{
    Dlg_No_Set dialog;
    dialog.Order_Kind = 1;
    Script("text 216 \"" + platform::To_Utf8(Get_Dwg_Title().GetString()) +
           "\"\ntext 217 \"7\"\ntext 261 \"-\"\nchoose 886 3\nclick 873\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(dialog.Prefix, CString(L"???"));
    EXPECT_EQ(dialog.Start_No, 7);
    EXPECT_EQ(dialog.Suffix, CString(L"-"));
    EXPECT_EQ(dialog.Digits_Index, 3);
    EXPECT_EQ(dialog.Order_Kind, 0);
    EXPECT_EQ(dialog.Insert_No, 1);
}

TEST_F(Numbering, TuHao_Example_Is_Not_Cleaned_And_A_Lone_Minus_Waits_Until_OK)
{
    Open<Dlg_TuHao> dialog;
    dialog.Start_No = 5;
    dialog.Digits_Index = 2;
    ASSERT_TRUE(dialog.Open_Modeless(IDD_DLG_TUHAO));
    EXPECT_EQ(dialog.Shown(IDC_PREFIX), CString(L"结施-"));
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), CString(L"示   例\n\n结施-005\n\n结施-006\n\n结施-007\n\n..........\n\n"
                                                 L"结施-015\n\n结施-016"));
    dialog.SetDlgItemText(IDC_SUFFIX, L"/?");
    dialog.SetDlgItemText(IDC_START_NO, L"-");
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), CString(L"示   例\n\n结施-005/?\n\n结施-006/?\n\n结施-007/?\n\n..........\n\n"
                                                 L"结施-015/?\n\n结施-016/?"));
    dialog.DestroyWindow();

    Dlg_TuHao modal;
    Script("text 217 \"-\"\nclick 1\nmsgbox OK\ntext 217 \"12\"\nclick 1\n");
    EXPECT_EQ(modal.DoModal(), IDOK);  // the integer prompt kept it open once
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(modal.Start_No, 12);
    EXPECT_EQ(modal.Prefix, CString(L"结施-"));
}
