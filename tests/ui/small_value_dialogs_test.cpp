// The small value dialogs driven through the script: values in, the refusals with their
// message and selected field, what OK hands back or stores and what Cancel leaves.
#include <string>
#include <vector>

#include "core/plot_config.h"
#include "dialogs/default_style_dialog.h"
#include "res/resource.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "ui/small_value_dialogs.h"
#include "ui_fixture.h"
#include "win/win_msgbox.h"

namespace {

// A dialog that remembers its caption at the start and, after each OK, the control with
// the focus and its selection.
template <class Dialog>
class Probe : public Dialog {
public:
    using Dialog::Dialog;
    CString Caption;
    int Focus_Id = 0;
    int Sel_Start = -1, Sel_End = -1;
    BOOL Scale_Edit_Enabled = TRUE;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = Dialog::OnInitDialog();
        this->GetWindowText(Caption);
        if (CWnd* scale = this->GetDlgItem(IDC_SCALE_EDIT)) Scale_Edit_Enabled = scale->IsWindowEnabled();
        return result;
    }
    void OnOK() override
    {
        Dialog::OnOK();
        CWnd* focus = CWnd::GetFocus();
        Focus_Id = focus != nullptr ? focus->GetDlgCtrlID() : 0;
        if (auto* edit = dynamic_cast<CEdit*>(focus)) edit->GetSel(Sel_Start, Sel_End);
    }
};

std::wstring Last_Message()
{
    return platform::MessageBoxLog.empty() ? std::wstring() : platform::MessageBoxLog.back().text;
}

class Value_Dialogs : public Ui_Test {
public:
    void SetUp() override
    {
        Ui_Test::SetUp();
        platform::MessageBoxLog.clear();
        g_Plot_Config = Plot_Config();
    }
    void TearDown() override
    {
        g_Plot_Config = Plot_Config();
        Ui_Test::TearDown();
    }
    static void Expect_Script_Used() { EXPECT_EQ(platform::ScriptInput::instance().size(), 0u); }
};

}  // namespace

TEST_F(Value_Dialogs, Filter_Accepts_The_Range_Ends_And_Refuses_Beyond_Them)
{
    struct Case {
        const char* typed;
        bool accepted;
        double value;
    };
    for (const Case& c : {Case{"0", true, 0.0}, Case{"30", true, 30.0}, Case{"30.5", false, 0.0},
                          Case{"-1", false, 0.0}}) {
        SCOPED_TRACE(c.typed);
        platform::MessageBoxLog.clear();
        Probe<Dlg_Filter> dialog;
        dialog.Filter_Percent = 7;
        Script(std::string("text 879 \"") + c.typed + "\"\nclick 1\n" + (c.accepted ? "" : "msgbox OK\nclick 2\n"));
        const INT_PTR result = dialog.DoModal();
        Expect_Script_Used();
        if (c.accepted) {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(dialog.Filter_Percent, c.value);
            EXPECT_TRUE(platform::MessageBoxLog.empty());
        } else {
            EXPECT_EQ(result, IDCANCEL);
            ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
            EXPECT_EQ(Last_Message(), L"过滤比例应在 0 ~ 30 % 之间 !");
            EXPECT_EQ(platform::MessageBoxLog.back().caption, L"Korvel");
            EXPECT_TRUE(platform::MessageBoxLog.back().type & MB_ICONINFORMATION);
            EXPECT_EQ(dialog.Focus_Id, IDC_SECOND_EDIT);
            EXPECT_EQ(dialog.Sel_Start, 0);
        }
    }
}

TEST_F(Value_Dialogs, File_Name_Loses_Its_Surrounding_Blanks_And_Must_Not_Be_Empty)
{
    Probe<Dlg_FileName> blank;
    Script("text 202 \"    \"\nclick 1\nmsgbox OK\ntext 202 \"  图纸 01  \"\nclick 1\n");
    EXPECT_EQ(blank.DoModal(), IDOK);
    Expect_Script_Used();
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(Last_Message(), L"文件名不能为空 !");
    EXPECT_EQ(blank.Edit_Text, CString(L"图纸 01"));
}

TEST_F(Value_Dialogs, New_Paper_Starts_From_The_Settings_And_Stores_Whole_Millimetres)
{
    g_Plot_Config.Custom_Paper_W = 1000;
    g_Plot_Config.Custom_Paper_H = 700;
    Dlg_New_Paper dialog;
    EXPECT_EQ(dialog.First_Side, 1000.0);
    EXPECT_EQ(dialog.Second_Side, 700.0);
    Script("text 880 \"420.7\"\ntext 879 \"297.2\"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    Expect_Script_Used();
    EXPECT_EQ(g_Plot_Config.Custom_Paper_W, 420);
    EXPECT_EQ(g_Plot_Config.Custom_Paper_H, 297);
}

TEST_F(Value_Dialogs, New_Paper_Refuses_Sizes_In_Order_And_Asks_About_Small_Ones)
{
    struct Case {
        const char* first;
        const char* second;
        const wchar_t* message;
        int field;
    };
    const wchar_t* too_big = L"尺寸过大，不能超过 5080 mm (即200英寸) !";
    for (const Case& c : {Case{"0", "0", L"尺寸应大于 0 !", IDC_FIRST_EDIT},
                          Case{"100", "-5", L"尺寸应大于 0 !", IDC_SECOND_EDIT},
                          Case{"5081", "6000", too_big, IDC_FIRST_EDIT},
                          Case{"5080", "5080.5", too_big, IDC_SECOND_EDIT}}) {
        SCOPED_TRACE(c.first + std::string(" x ") + c.second);
        platform::MessageBoxLog.clear();
        Probe<Dlg_New_Paper> dialog;
        Script(std::string("text 880 \"") + c.first + "\"\ntext 879 \"" + c.second +
               "\"\nclick 1\nmsgbox OK\nclick 2\n");
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        Expect_Script_Used();
        EXPECT_EQ(Last_Message(), c.message);
        EXPECT_EQ(dialog.Focus_Id, c.field);
    }
    EXPECT_EQ(g_Plot_Config.Custom_Paper_W, 841);  // Cancel stores nothing

    // 5080 x 40: the small-size question; No goes back to the second side.
    platform::MessageBoxLog.clear();
    Probe<Dlg_New_Paper> small;
    Script("text 880 \"5080\"\ntext 879 \"40\"\nclick 1\nmsgbox NO\nclick 1\nmsgbox YES\n");
    EXPECT_EQ(small.DoModal(), IDOK);
    Expect_Script_Used();
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"尺寸过小，小于50 mm。\n\n是否确认 ？");
    EXPECT_TRUE(platform::MessageBoxLog[0].type & MB_YESNO);
    EXPECT_EQ(g_Plot_Config.Custom_Paper_W, 5080);
    EXPECT_EQ(g_Plot_Config.Custom_Paper_H, 40);

    // 50 asks nothing.
    platform::MessageBoxLog.clear();
    Dlg_New_Paper fifty;
    Script("text 880 \"50\"\ntext 879 \"60\"\nclick 1\n");
    EXPECT_EQ(fifty.DoModal(), IDOK);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Value_Dialogs, New_Paper_Small_Question_Answered_No_Selects_The_Smaller_Side)
{
    Probe<Dlg_New_Paper> dialog;
    Script("text 880 \"30\"\ntext 879 \"400\"\nclick 1\nmsgbox NO\nclick 2\n");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.Focus_Id, IDC_FIRST_EDIT);
    Probe<Dlg_New_Paper> second;
    Script("text 880 \"5080\"\ntext 879 \"40\"\nclick 1\nmsgbox NO\nclick 2\n");
    EXPECT_EQ(second.DoModal(), IDCANCEL);
    EXPECT_EQ(second.Focus_Id, IDC_SECOND_EDIT);
    EXPECT_EQ(second.Sel_Start, 0);
}

TEST_F(Value_Dialogs, Scale_Shows_Its_Display_Value_Takes_Its_Caption_And_Refuses_Zero)
{
    Probe<Dlg_Sc_Set> shown;
    shown.Scale_Value = 100.004;
    Script("click 1\n");
    EXPECT_EQ(shown.DoModal(), IDOK);
    EXPECT_EQ(shown.Scale_Value, 100.0);
    EXPECT_EQ(shown.Caption, CString(L"修改打印比例"));

    for (const auto& [mode, caption] : std::vector<std::pair<int, const wchar_t*>>{
             {1, L"统一修改打印比例"}, {2, L"打印比例"}, {3, L"修改打印比例"}}) {
        Probe<Dlg_Sc_Set> dialog;
        dialog.Scale_Mode = mode;
        Script("text 878 \"0\"\nclick 1\nmsgbox OK\ntext 878 \"50\"\nclick 1\n");
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.Caption, CString(caption));
        EXPECT_EQ(Last_Message(), L"打印比例应大于 0 !");
        EXPECT_EQ(dialog.Scale_Value, 50.0);
    }
}

TEST_F(Value_Dialogs, Default_Scale_With_Automatic_Scale_Accepts_Zero_And_Keeps_The_Edit_Disabled)
{
    // The edit refuses typing while disabled: the caller's 0 comes through.
    Probe<Dlg_Sc_SetW> automatic;
    automatic.Scale_Value = 0;
    Script("click 1\n");
    EXPECT_EQ(automatic.DoModal(), IDOK);
    EXPECT_FALSE(automatic.Scale_Edit_Enabled);
    EXPECT_EQ(automatic.Scale_Value, 0.0);
    EXPECT_TRUE(platform::MessageBoxLog.empty());

    // Without it, the scale is checked before the filter.
    Probe<Dlg_Sc_SetW> manual;
    manual.Auto_Scale = 0;
    Script("text 878 \"0\"\ntext 879 \"40\"\nclick 1\nmsgbox OK\ntext 878 \"200\"\nclick 1\nmsgbox OK\n"
           "text 879 \"12.5\"\nclick 1\n");
    EXPECT_EQ(manual.DoModal(), IDOK);
    Expect_Script_Used();
    EXPECT_TRUE(manual.Scale_Edit_Enabled);
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"打印比例应大于 0 !");
    EXPECT_EQ(platform::MessageBoxLog[1].text, L"过滤比例应在 0 ~ 30 % 之间 !");
    EXPECT_EQ(manual.Scale_Value, 200.0);
    EXPECT_EQ(manual.Filter_Percent, 12.5);
}

TEST_F(Value_Dialogs, One_Line_Text_Takes_The_Caption_Of_Its_Mode)
{
    struct Case {
        int mode, all_rows;
        const wchar_t* caption;
    };
    for (const Case& c : {Case{1, 0, L"修改图号"}, Case{2, 1, L"统一修改版次"}, Case{2, 0, L"修改版次"},
                          Case{3, 1, L"统一修改日期"}, Case{3, 0, L"修改日期"}, Case{4, 0, L"修改姓名"},
                          Case{5, 0, L"修改印章名"}, Case{6, 0, L"修改图框名"}, Case{7, 0, L"图框名"},
                          Case{8, 0, L"属性值"}, Case{0, 0, L"修改文件名"}}) {
        Probe<Dlg_Str> dialog;
        dialog.Str_Mode = c.mode;
        dialog.All_Rows = c.all_rows;
        Script("click 2\n");
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.Caption, CString(c.caption)) << c.mode;
    }
}

TEST_F(Value_Dialogs, One_Line_Text_Cleans_Title_Block_Names_And_Refuses_Empty_Text_But_Attributes)
{
    Dlg_Str attribute;
    attribute.Str_Mode = 8;
    attribute.Edit_Text = L"old";
    Script("text 202 \"   \"\nclick 1\n");
    EXPECT_EQ(attribute.DoModal(), IDOK);
    EXPECT_TRUE(attribute.Edit_Text.IsEmpty());

    // Only characters unusable in file names: empty after cleaning, refused.
    Probe<Dlg_Str> title_block;
    title_block.Str_Mode = 7;
    Script("text 202 \" <>:*?| \"\nclick 1\nmsgbox OK\ntext 202 \" A1:图框/甲 \"\nclick 1\n");
    EXPECT_EQ(title_block.DoModal(), IDOK);
    Expect_Script_Used();
    EXPECT_EQ(Last_Message(), L"不能为空 !");
    EXPECT_EQ(title_block.Edit_Text, CString(L"A1图框∕甲"));

    // Other modes keep such characters.
    Dlg_Str number;
    Script("text 202 \" 建施:03 \"\nclick 1\n");
    EXPECT_EQ(number.DoModal(), IDOK);
    EXPECT_EQ(number.Edit_Text, CString(L"建施:03"));
}

TEST_F(Value_Dialogs, Cancel_Leaves_The_Fields_As_They_Were)
{
    Dlg_FileName name;
    name.Edit_Text = L"Sheet";
    Script("text 202 \"Other\"\nclick 2\n");
    EXPECT_EQ(name.DoModal(), IDCANCEL);
    // Data exchange runs only on OK: the field keeps the caller's value.
    EXPECT_EQ(name.Edit_Text, CString(L"Sheet"));
}

TEST_F(Value_Dialogs, A_Number_That_Cannot_Be_Read_Keeps_The_Dialog_Open)
{
    Dlg_Sc_Set dialog;
    Script("text 878 \"abc\"\nclick 1\nmsgbox OK\ntext 878 \"25\"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    Expect_Script_Used();
    EXPECT_EQ(dialog.Scale_Value, 25.0);
}
