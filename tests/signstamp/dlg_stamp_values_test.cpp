// The small stamp dialogs driven by script steps: the values they accept at their bounds,
// what they refuse and with which message, what OK writes into the record and what Cancel
// leaves, and the picture's proportions giving a new stamp its height.
#include <memory>

#include "res/resource.h"
#include "signstamp/dlg_stamp_values.h"
#include "signstamp/sign_library.h"
#include "signstamp/stamp_library.h"
#include "stamp_dialog_fixture.h"
#include "stamp_test_support.h"

using stamp_test::Make_Stamp;

namespace {

using Stamp_Values_Test = Stamp_Dialog_Test;

}  // namespace

TEST_F(Stamp_Values_Test, Size_Keeps_The_Proportions_And_Wants_10_To_200_Millimetres)
{
    struct Case {
        const char* typed;
        bool accepted;
        double width, height;
    };
    for (const Case& c : {Case{"124", true, 124, 56}, Case{"10", true, 10, 10.0 * 28 / 62}, Case{"200", true, 200, 200.0 * 28 / 62},
                          Case{"9.99", false, 62, 28}, Case{"200.01", false, 62, 28}}) {
        SCOPED_TRACE(c.typed);
        platform::MessageBoxLog.clear();
        KV_Stamp stamp;
        Dlg_StampSize dialog(&stamp);
        Script(std::string("@821 text 916 \"") + c.typed + "\"\n@821 click IDOK\n" +
               (c.accepted ? "" : "msgbox OK\n@821 click IDCANCEL\n"));
        EXPECT_EQ(dialog.DoModal(), c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(Last_Message(), c.accepted ? L"" : L"印章尺寸有误，应在 10 - 200 mm之间 !");
        EXPECT_DOUBLE_EQ(stamp.Width, c.width);
        EXPECT_DOUBLE_EQ(stamp.Height, c.height);
    }
}

TEST_F(Stamp_Values_Test, Code_Change_Wants_The_Old_Code_And_A_New_One_In_Range)
{
    struct Case {
        const char* what;
        int32_t code;
        std::string steps;
        const wchar_t* message;
        int32_t after;
    };
    const Case cases[] = {
        {"no old code needed", 0, "@816 text 918 \"999999\"\n@816 click IDOK\n", L"", 999999},
        {"old code right", 55, "@816 text 916 \"55\"\n@816 text 918 \"0\"\n@816 click IDOK\n", L"", 0},
        {"old code wrong", 55, "@816 text 916 \"54\"\n@816 text 918 \"7\"\n@816 click IDOK\n", L"原始授权码有误 !", 55},
        {"new code too large", 0, "@816 text 918 \"1000000\"\n@816 click IDOK\n",
         L"授权码超出范围 !\n\n授权码范围: 0 - 999999\n\n输入 0 表示无需授权", 0},
        {"new code negative", 0, "@816 text 918 \"-1\"\n@816 click IDOK\n",
         L"授权码超出范围 !\n\n授权码范围: 0 - 999999\n\n输入 0 表示无需授权", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        KV_Stamp stamp;
        stamp.Code = c.code;
        Dlg_Psd dialog(nullptr, &stamp);
        const bool refused = *c.message != 0;
        Script(c.steps + (refused ? "msgbox OK\n@816 click IDCANCEL\n" : ""));
        EXPECT_EQ(dialog.DoModal(), refused ? IDCANCEL : IDOK);
        EXPECT_EQ(Last_Message(), c.message);
        EXPECT_EQ(stamp.Code, c.after);
    }
    // The same dialog changes a signature's code.
    KV_Sign sign;
    sign.Code = 12;
    Dlg_Psd dialog(&sign, nullptr);
    Script("@816 text 916 \"12\"\n@816 text 918 \"34\"\n@816 click IDOK\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(sign.Code, 34);
}

TEST_F(Stamp_Values_Test, Date_Is_Set_From_The_Picker_And_A_Date_It_Cannot_Show_Is_Refused)
{
    KV_Stamp stamp;
    Dlg_Date dialog(&stamp);
    Script("@820 text 1004 \"2031-02-03\"\n@820 click IDOK\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(stamp.Valid_Date, 20310203);

    for (int32_t date : {19691231, 20251301, 20250200}) {
        SCOPED_TRACE(date);
        platform::MessageBoxLog.clear();
        stamp.Valid_Date = date;
        Dlg_Date refused(&stamp);
        Script("msgbox OK\n");
        EXPECT_EQ(refused.DoModal(), IDCANCEL);
        EXPECT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(stamp.Valid_Date, date);
    }
}

TEST_F(Stamp_Values_Test, New_Stamp_Takes_Trimmed_Name_Code_Width_Type_Date_And_The_Pictures_Proportions)
{
    const CString png = g_Config_Folder + L"\\seal.png";
    stamp_test::Write_Png(png, 50, 20, RGB(200, 0, 0));
    struct Case {
        const char* what;
        std::string steps;
        const wchar_t* message;
    };
    const Case refusals[] = {
        {"empty name", "@819 text 914 \"   \"\n", L"印章名不能为空 !"},
        {"code too large", "@819 text 915 \"1000000\"\n", L"授权码超出范围 !\n\n授权码范围: 0 - 999999\n\n输入 0 表示无需授权"},
        {"too narrow", "@819 text 916 \"9\"\n", L"印章尺寸有误，应在 10 - 200 mm之间 !"},
    };
    for (const Case& c : refusals) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        auto stamp = Make_Stamp(L"", "");
        stamp->Load_Picture(png);
        Dlg_Stamp dialog(stamp.get(), nullptr);
        Script("@819 text 914 \"A\"\n" + c.steps + "@819 click IDOK\nmsgbox OK\n@819 click IDCANCEL\n");
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(Last_Message(), c.message);
        EXPECT_TRUE(stamp->Name.IsEmpty());
    }
    auto stamp = Make_Stamp(L"", "");
    ASSERT_TRUE(stamp->Load_Picture(png));
    Dlg_Stamp dialog(stamp.get(), nullptr);
    Script("@819 text 914 \"  Seal B  \"\n@819 text 915 \"999999\"\n@819 text 916 \"100\"\n@819 click 874\n"
           "@819 text 1004 \"2029-12-31\"\n@819 click IDOK\n");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(stamp->Name, CString(L"Seal B"));
    EXPECT_EQ(stamp->Code, 999999);
    EXPECT_DOUBLE_EQ(stamp->Width, 100.0);
    EXPECT_DOUBLE_EQ(stamp->Height, 40.0);
    EXPECT_EQ(stamp->Type, Stamp_Issue);
    EXPECT_EQ(stamp->Valid_Date, 20291231);
}
