// The stamp choice before plotting: which stamps each row offers, rows that cannot be
// used and why, the code marks, the refused and the accepted OK, the preselected stamp
// and the question on an empty library.
#include <array>
#include <memory>

#include "core/plot_option.h"
#include "signstamp/dlg_stamp_select.h"
#include "signstamp/stamp_choice.h"
#include "signstamp/stamp_library.h"
#include "stamp_dialog_fixture.h"
#include "stamp_test_support.h"
#include "res/resource.h"
#include "titleblock/tk_sheets.h"

using stamp_test::Make_Stamp;

namespace {

const int Mark_Ids[4] = {IDC_SELECT_MARK_1, IDC_SELECT_MARK_2, IDC_SELECT_MARK_3, IDC_SELECT_MARK_4};
const int Code_Ids[4] = {IDC_SELECT_CODE_1, IDC_SELECT_CODE_2, IDC_SELECT_CODE_3, IDC_SELECT_CODE_4};
const int Message_Ids[4] = {IDC_SELECT_MESSAGE_1, IDC_SELECT_MESSAGE_2, IDC_SELECT_MESSAGE_3, IDC_SELECT_MESSAGE_4};
const int Use_Ids[4] = {IDC_SELECT_USE_1, IDC_SELECT_USE_2, IDC_SELECT_USE_3, IDC_SELECT_USE_4};

// What the rows show when the dialog opens and at each OK.
struct Row_State {
    CString mark;
    bool code_enabled = false;
    bool use_enabled = false;
    CString message;  // empty while hidden
};

class Probe : public Dlg_Stamp_Select {
public:
    std::array<Row_State, 4> Opened;
    std::vector<std::array<Row_State, 4>> At_Ok;

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = Dlg_Stamp_Select::OnInitDialog();
        Opened = Rows_Now();
        return result;
    }
    void OnOK() override
    {
        At_Ok.push_back(Rows_Now());
        Dlg_Stamp_Select::OnOK();
    }

private:
    std::array<Row_State, 4> Rows_Now()
    {
        std::array<Row_State, 4> rows;
        for (int k = 0; k < 4; ++k) {
            GetDlgItemText(Mark_Ids[k], rows[k].mark);
            rows[k].code_enabled = GetDlgItem(Code_Ids[k])->IsWindowEnabled();
            rows[k].use_enabled = GetDlgItem(Use_Ids[k])->IsWindowEnabled();
            if ((GetDlgItem(Message_Ids[k])->GetStyle() & WS_VISIBLE) != 0)
                GetDlgItemText(Message_Ids[k], rows[k].message);
        }
        return rows;
    }
};

class Stamp_Select_Test : public Stamp_Dialog_Test {
protected:
    void SetUp() override
    {
        Stamp_Dialog_Test::SetUp();
        for (int k = 1; k <= 4; ++k) {
            Stamp_Use_Flag(Options, k) = 1;
            Stamp_Name_Of(Options, k).Empty();
        }
        Library.Stamps.push_back(Make_Stamp(L"Reg", "p", 123, Stamp_Reg));
        Library.Stamps.push_back(Make_Stamp(L"Any", "p", 0, Stamp_Any));
        Library.Stamps.push_back(Make_Stamp(L"Off", "p", 0, Stamp_Issue));
        Library.Stamps.back()->Enabled = 0;
        Library.Stamps.push_back(Make_Stamp(L"Reg2", "p", 0, Stamp_Reg));
    }
    // A dialog on the options with the library's rows; no 竣工章 position in the sheets.
    void Prepare(Probe& dialog)
    {
        dialog.Option = &Options;
        dialog.Fill_Rows(Library);
        dialog.Has_Position[3] = 0;
    }
    Plot_Option Options;
    Stamp_Library Library;
};

std::vector<CString> Names(const std::vector<KV_Stamp*>& stamps)
{
    std::vector<CString> names;
    for (const KV_Stamp* stamp : stamps)
        names.push_back(stamp->Name);
    return names;
}

TEST_F(Stamp_Select_Test, Rows_Offer_The_Enabled_Stamps_Of_Their_Kind_And_Say_Why_A_Row_Cannot_Be_Used)
{
    Probe dialog;
    Prepare(dialog);
    EXPECT_EQ(Names(dialog.Stamps[0]), (std::vector<CString>{L"Reg", L"Any", L"Reg2"}));
    EXPECT_EQ(Names(dialog.Stamps[1]), (std::vector<CString>{L"Any"}));
    EXPECT_EQ(Names(dialog.Stamps[3]), (std::vector<CString>{L"Any"}));
    dialog.Stamps[2].clear();  // no 项目章 in the library
    // OK is refused (row 1's stamp has a code); Cancel leaves the options alone.
    Script("@822 click IDOK\nmsgbox OK\n@822 click IDCANCEL\n");
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.Opened[2].message, CString(L"印章库内无项目章"));
    EXPECT_EQ(dialog.Opened[3].message, CString(L"所选图框未录入竣工章位置"));
    EXPECT_FALSE(dialog.Opened[3].use_enabled);
    EXPECT_TRUE(dialog.Opened[0].message.IsEmpty());
    EXPECT_TRUE(dialog.Opened[0].use_enabled);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(Stamp_Use_Flag(Options, k), 1) << k;
}

TEST_F(Stamp_Select_Test, Marks_Follow_The_Typed_Code_And_Ok_Wants_The_Right_One)
{
    Probe dialog;
    Prepare(dialog);
    // Row 1 offers "Reg" (code 123) first; row 2 "Any" needs no code.
    Script("@822 click IDOK\nmsgbox OK\n@822 text 918 \"5\"\n@822 click IDOK\nmsgbox OK\n"
           "@822 text 918 \"123\"\n@822 click IDOK\n");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.Opened[0].mark, CString(L"X"));
    EXPECT_TRUE(dialog.Opened[0].code_enabled);
    EXPECT_EQ(dialog.Opened[1].mark, CString(L"√"));
    EXPECT_FALSE(dialog.Opened[1].code_enabled);
    ASSERT_EQ(dialog.At_Ok.size(), 3u);
    EXPECT_EQ(dialog.At_Ok[1][0].mark, CString(L"X"));
    EXPECT_EQ(dialog.At_Ok[2][0].mark, CString(L"√"));
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"注册章的授权码有误 !");
    EXPECT_EQ(Options.Use_Reg_Stamp, 1);
    EXPECT_EQ(Options.Reg_Stamp_Name, CString(L"Reg"));
    EXPECT_EQ(Options.Use_Issue_Stamp, 1);
    EXPECT_EQ(Options.Issue_Stamp_Name, CString(L"Any"));
    EXPECT_EQ(Options.Use_Done_Stamp, 0);  // no position for it
}

TEST_F(Stamp_Select_Test, Unticking_A_Row_With_A_Wrong_Code_Lets_Ok_Pass_Without_It)
{
    Probe dialog;
    Prepare(dialog);
    Script("@822 text 918 \"9\"\n@822 check 942 0\n@822 click IDOK\n");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(Options.Use_Reg_Stamp, 0);
    EXPECT_EQ(Options.Use_Issue_Stamp, 1);
}

TEST_F(Stamp_Select_Test, The_Stored_Name_Preselects_Its_Stamp_And_An_Unknown_Name_The_First)
{
    Options.Reg_Stamp_Name = L"Reg2";
    Options.Issue_Stamp_Name = L"Renamed";
    Probe dialog;
    Prepare(dialog);
    Script("@822 click IDOK\n");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.Chosen[0], 2);
    EXPECT_EQ(Options.Reg_Stamp_Name, CString(L"Reg2"));
    EXPECT_EQ(Options.Issue_Stamp_Name, CString(L"Any"));
}

TEST_F(Stamp_Select_Test, An_Empty_Library_Asks_Whether_To_Plot_Without_Stamps)
{
    g_Stamp_Library.Clear();
    TK_Sheet_List sheets;
    for (const char* answer : {"NO", "YES"}) {
        SCOPED_TRACE(answer);
        Options.Stamps_On = 1;
        platform::MessageBoxLog.clear();
        Script(std::string("msgbox ") + answer + "\n");
        const bool go_on = Choose_Stamps_Before_Plot(Options, sheets);
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].text, L"印章库为空，无法打印印章，是否继续打印 ?");
        EXPECT_EQ(go_on, std::string(answer) == "YES");
        EXPECT_EQ(Options.Stamps_On, std::string(answer) == "YES" ? 0 : 1);
    }
}

}  // namespace
