// The naming-rule dialog: the example read-out, the drawing's name for "???", the start
// number while it is typed, the order picture, and what OK hands back.
#include "core/name_lookups.h"
#include "core/plot_option.h"
#include "dialogs/name_rule_dialog.h"
#include "dialogs/print_order_picture.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "titleblock/name_rule_example.h"

namespace {

class Open_Name_Rule : public Dlg_Name_Rule {
public:
    bool Open() { return Create(IDD_DLG_NAME_RULE, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    CString Shown(int id)
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
    int Shown_Bitmap() const { return Picture.Get_Bitmap(); }
};

using Name_Rule = Plot_Dialog_Test;

}  // namespace

TEST(Name_Rule_Example, Lists_Sheets_1_2_3_11_12_With_Their_Papers)
{
    EXPECT_EQ(Name_Rule_Example(L"File", 1, L"", 1),
              CString(L"示   例\n\nFile01\n\nFile02\n\nFile03\n\n..........\n\nFile11\n\nFile12"));
    EXPECT_EQ(Name_Rule_Example(L"纸张尺寸-", 8, L"_纸张", 2),
              CString(L"示   例\n\nA1(841x594)-008_A1\n\nA1(841x594)-009_A1\n\nA2(594x420)-010_A2\n\n..........\n\n"
                      L"A2(594x420)-018_A2\n\nA2(594x420)-019_A2"));
    // Cleaned for file names, the line breaks kept.
    EXPECT_EQ(Name_Rule_Example(L"a:b/", 1, L"?", 0),
              CString(L"示   例\n\nab∕1\n\nab∕2\n\nab∕3\n\n..........\n\nab∕11\n\nab∕12"));
}

TEST_F(Name_Rule, Shows_The_Drawing_Name_For_The_Placeholder_And_Hands_Back_The_Placeholder)
{
    const CString title = Get_Dwg_Title();
    ASSERT_FALSE(title.IsEmpty());
    Dlg_Name_Rule unchanged;
    unchanged.Prefix = L"???";
    Script("click 1\n");
    EXPECT_EQ(unchanged.DoModal(), IDOK);
    EXPECT_EQ(unchanged.Prefix, CString(L"???"));

    Dlg_Name_Rule renamed;
    renamed.Prefix = L"???";
    Script("text 216 \"Plan-\"\ntext 217 \"5\"\ntext 261 \"-A\"\nchoose 886 2\nclick 1\n");
    EXPECT_EQ(renamed.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(renamed.Prefix, CString(L"Plan-"));
    EXPECT_EQ(renamed.Start_No, 5);
    EXPECT_EQ(renamed.Suffix, CString(L"-A"));
    EXPECT_EQ(renamed.Digits_Index, 2);
}

TEST_F(Name_Rule, The_Example_Follows_The_Edits_And_Ignores_A_Start_Number_Being_Typed)
{
    Open_Name_Rule dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Shown(IDC_PREFIX), CString(L"File"));
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), Name_Rule_Example(L"File", 1, L"", 1));
    dialog.SetDlgItemText(IDC_PREFIX, L"图");
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), Name_Rule_Example(L"图", 1, L"", 1));
    for (const wchar_t* typing : {L"", L"-", L"x"}) {
        dialog.SetDlgItemText(IDC_START_NO, typing);
        EXPECT_EQ(dialog.Start_No, 1);
    }
    dialog.SetDlgItemText(IDC_START_NO, L"-2");
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), Name_Rule_Example(L"图", -2, L"", 1));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    dialog.DestroyWindow();
}

TEST_F(Name_Rule, A_Start_Number_That_Is_Not_An_Integer_Keeps_The_Dialog_Open)
{
    Dlg_Name_Rule dialog;
    Script("text 217 \"1.5\"\nclick 1\nmsgbox OK\ntext 217 \"3\"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(dialog.Start_No, 3);
}

// Beyond Max_Start_No the numbers of the names after the start would overflow: such a start
// number leaves the example as it was and OK asks for one in range.
TEST_F(Name_Rule, A_Start_Number_Beyond_The_Range_Is_Refused)
{
    Open_Name_Rule open;
    ASSERT_TRUE(open.Open());
    for (const wchar_t* typing : {L"2147483647", L"1000000000", L"-1000000000", L"99999999999"}) {
        open.SetDlgItemText(IDC_START_NO, typing);
        EXPECT_EQ(open.Start_No, 1);
        EXPECT_EQ(open.Shown(IDC_EXAMPLE), Name_Rule_Example(L"File", 1, L"", 1));
    }
    open.SetDlgItemText(IDC_START_NO, L"999999999");
    EXPECT_EQ(open.Start_No, Max_Start_No);
    open.DestroyWindow();

    Dlg_Name_Rule dialog;
    Script("text 217 \"2147483647\"\nclick 1\nmsgbox OK\ntext 217 \"-999999999\"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"-999999999"), std::wstring::npos);
    EXPECT_EQ(dialog.Start_No, -Max_Start_No);
}

TEST_F(Name_Rule, The_Order_Picture_Steps_Through_All_Nine_Orders)
{
    Open_Name_Rule dialog;
    dialog.Sort_Type = 9;
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Shown_Bitmap(), 746);
    const CRect r = Control_Client_Rect(&dialog, IDC_PICTURE);
    const int body_y = (r.top + r.bottom) / 2;
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 10, body_y));
    EXPECT_EQ(dialog.Sort_Type, 1);
    EXPECT_EQ(dialog.Shown_Bitmap(), 747);
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 10, body_y));
    EXPECT_EQ(dialog.Sort_Type, 9);
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, r.top + 5));
    EXPECT_EQ(dialog.Sort_Type, 1);
    dialog.DestroyWindow();
}
