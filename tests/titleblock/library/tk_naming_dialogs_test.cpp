// The naming-pattern dialog of a title-block definition and the dialog of the lengthened
// papers' own names, driven by dialog steps.
#include "dialogs/long_paper_names_dialog.h"
#include "dialogs/tk_name_dialog.h"
#include "res/resource.h"
#include "script/utf8.h"
#include "titleblock/tk_name_example.h"
#include "tk_library_fixture.h"

namespace {

using Naming_Dialog_Test = TK_Library_Test;

TEST(TK_Name_Example, Letters_Become_Sample_Texts_And_Doubled_Letters_The_Letter)
{
    const struct {
        const wchar_t* pattern;
        const wchar_t* example;
    } cases[] = {
        {L"AA_C", L"输出示例： A_一层建筑平面图"},
        {L"B", L"输出示例： A"},
        {L"A_B_T_C", L"输出示例： 建施03_A_A1_一层建筑平面图"},
        {L"D-E-F", L"输出示例： 2020.06.09-信息1-信息2"},
        {L"TT_BB_FF", L"输出示例： T_B_F"},
        {L"a_b_t", L"输出示例： a_b_t"},
        {L"A/B:C?", L"输出示例： 建施03∕A一层建筑平面图"},
        {L"File", L"输出示例： 信息2ile"},
        {L"", L"输出示例： "},
    };
    for (const auto& c : cases) EXPECT_EQ(TK_Name_Example(c.pattern), CString(c.example)) << platform::To_Utf8(c.pattern);
}

TEST_F(Naming_Dialog_Test, An_Empty_Pattern_Offers_The_Last_One_And_OK_Keeps_The_Pattern_As_The_Last)
{
    g_TK_Library.Last_Name_Rule = L"C_A";
    Dlg_TK_Name offered;
    offered.Pattern = L"";
    offered.Digits_Index = 3;
    Script("click 1\n");
    EXPECT_EQ(offered.DoModal(), IDOK);
    EXPECT_EQ(offered.Pattern, CString(L"C_A"));
    EXPECT_EQ(offered.Digits_Index, 3);

    Dlg_TK_Name typed;
    Script("text 216 \" 图号:A/B \"\nclick 1\n");
    EXPECT_EQ(typed.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(typed.Pattern, CString(L"图号A∕B"));
    EXPECT_EQ(g_TK_Library.Last_Name_Rule, CString(L"图号A∕B"));

    Dlg_TK_Name cancelled;
    Script("text 216 \"B\"\nclick 2\n");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(g_TK_Library.Last_Name_Rule, CString(L"图号A∕B"));
}

TEST_F(Naming_Dialog_Test, A_Pattern_That_Cleans_To_Nothing_Is_Refused)
{
    Dlg_TK_Name dialog;
    Script("text 216 \"  ?* :\"\nclick 1\nmsgbox OK\ntext 216 \"A\"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"文件名不能为空 !");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
    EXPECT_EQ(dialog.Pattern, CString(L"A"));
}

class Open_TK_Name : public Dlg_TK_Name {
public:
    bool Open() { return Create(IDD_DLG_TK_NAME, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    CString Shown(int id)
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
};

TEST_F(Naming_Dialog_Test, The_Example_Follows_The_Pattern_As_It_Is_Typed)
{
    Open_TK_Name dialog;
    dialog.Pattern = L"A";
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), CString(L"输出示例： 建施03"));
    dialog.SetDlgItemText(IDC_TK_NAME_PATTERN, L"AA_C");
    EXPECT_EQ(dialog.Shown(IDC_EXAMPLE), CString(L"输出示例： A_一层建筑平面图"));
    EXPECT_EQ(dialog.Pattern, CString(L"AA_C"));
    EXPECT_FALSE(dialog.GetDlgItem(IDC_DIGITS_COMBO)->IsWindowVisible());
    dialog.DestroyWindow();
}

class Open_Long_Names : public Dlg_TK_Name_Define {
public:
    bool Open() { return Create(IDD_DLG_TK_NAME_DEFINE, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    CString Cell(int row, int column) { return List.GetItemText(row, column); }
    int Rows() { return List.GetItemCount(); }
};

TEST_F(Naming_Dialog_Test, The_Paper_Names_Are_Listed_Under_A_Heading_For_Each_Size)
{
    g_TK_Library.Long_Paper_Names[7] = L"Own";
    Open_Long_Names dialog;
    ASSERT_TRUE(dialog.Open());
    ASSERT_EQ(dialog.Rows(), 51);
    const struct {
        int row;
        const wchar_t* size;
        const wchar_t* name;
    } rows[] = {
        {0, L"   A3加长", L""},       {1, L"   + 1∕2", L"   A3+1∕2"}, {7, L"   + 7∕2", L"   A3+7∕2"},
        {8, L"   A2加长", L""},       {9, L"   + 1∕8", L"   Own"},     {28, L"   + 5∕2", L"   A2+5∕2"},
        {29, L"   A1加长", L""},      {30, L"   + 1∕8", L"   A1+1∕8"}, {42, L"   A0加长", L""},
        {50, L"   + 1", L"   A0+1"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(dialog.Cell(r.row, 0), CString(r.size)) << r.row;
        EXPECT_EQ(dialog.Cell(r.row, 1), CString(r.name)) << r.row;
    }
    dialog.DestroyWindow();
}

TEST_F(Naming_Dialog_Test, A_Clicked_Name_Is_Edited_In_Place_And_OK_Stores_The_Names)
{
    // Blanks go and the rest is cleaned for file names; the click on the next row ends the
    // first edit; clicks on a heading or on the size column open nothing.
    Dlg_TK_Name_Define dialog;
    Script("cell 1164 0 1\ncell 1164 3 0\n"
           "cell 1164 1 1\ntext 202 \"My A3 1/2\"\n"
           "cell 1164 9 1\ntext 202 \" \"\n"
           "click 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(g_TK_Library.Long_Paper_Names[0], CString(L"MyA31∕2"));
    EXPECT_EQ(g_TK_Library.Long_Paper_Names[7], CString());
    EXPECT_EQ(g_TK_Library.Long_Paper_Names[1], CString(L"A3+1"));
    EXPECT_EQ(g_TK_Library.Long_Paper_Names.GetSize(), 47);
}

TEST_F(Naming_Dialog_Test, Enter_In_The_Edit_Keeps_The_Name_Being_Edited)
{
    Dlg_TK_Name_Define dialog;
    Script("cell 1164 50 1\ntext 202 \"A0 long\"\nkey RETURN\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(g_TK_Library.Long_Paper_Names[46], CString(L"A0long"));
}

TEST_F(Naming_Dialog_Test, Reset_Restores_The_Defaults_Only_When_Confirmed_And_Kept)
{
    const struct {
        const char* script;
        int result;
        const wchar_t* first;
    } cases[] = {
        {"click 224\nmsgbox YES\nclick 2\n", IDCANCEL, L"Own"},
        {"click 224\nmsgbox NO\nclick 1\n", IDOK, L"Own"},
        {"click 224\nmsgbox YES\nclick 1\n", IDOK, L"A3+1∕2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        g_TK_Library.Long_Paper_Names[0] = L"Own";
        platform::MessageBoxLog.clear();
        Dlg_TK_Name_Define dialog;
        Script(c.script);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_TRUE(Script_Used());
        EXPECT_EQ(g_TK_Library.Long_Paper_Names[0], CString(c.first));
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].text, L"确实要重置吗 ?");
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"加长图框命名");
    }
}

}  // namespace
