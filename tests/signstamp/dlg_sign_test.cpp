// The signature dialogs in process: the name and code of a new signature, and the manager's
// Cancel and OK on the library file.
#include <gtest/gtest.h>

#include "core/plot_config.h"
#include "sign_test_support.h"
#include "signstamp/dlg_sign.h"
#include "stamp_dialog_fixture.h"

namespace {

class Sign_Dialog_Test : public Stamp_Dialog_Test {
public:
    void TearDown() override
    {
        g_Sign_Library.Clear();
        Stamp_Dialog_Test::TearDown();
    }
};

const wchar_t Range_Message[] = L"授权码超出范围 !\n\n授权码范围: 0 - 999999\n\n输入 0 表示无需授权";

TEST_F(Sign_Dialog_Test, A_New_Signature_Wants_A_Name_And_A_Code_In_Range)
{
    struct Case {
        const char* name;
        const char* code;
        const wchar_t* message;
        const wchar_t* saved_name;
        int32_t saved_code;
    };
    const Case cases[] = {
        {"  Li Si ", "999999", L"", L"Li Si", 999999},
        {"Li Si", "0", L"", L"Li Si", 0},
        {"   ", "5", L"姓名不能为空 !", L"", 0},
        {"Li Si", "1000000", Range_Message, L"", 0},
        {"Li Si", "-1", Range_Message, L"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + std::string(" / ") + c.code);
        platform::MessageBoxLog.clear();
        auto sign = sign_test::Make_Sign(1, L"", 0);
        Dlg_Sign dialog;
        dialog.Sign = sign.get();
        const bool accepted = *c.message == 0;
        Script(std::string("@IDD_DLG_SIGN text IDC_SIGN_NAME \"") + c.name + "\"\n@IDD_DLG_SIGN text IDC_SIGN_CODE \"" +
               c.code + "\"\n@IDD_DLG_SIGN click IDOK\n" + (accepted ? "" : "msgbox OK\n@IDD_DLG_SIGN click IDCANCEL\n"));
        EXPECT_EQ(dialog.DoModal(), accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(Last_Message(), c.message);
        EXPECT_EQ(sign->Name, CString(c.saved_name));
        EXPECT_EQ(sign->Code, c.saved_code);
    }
}

TEST_F(Sign_Dialog_Test, The_Manager_Writes_Its_Copy_Sorted_On_Ok_And_Nothing_On_Cancel)
{
    g_Plot_Config.Sign_Lib_Path = sign_test::Doc_Path(L"Sign.kvlib1");
    Sign_Library library;
    library.Signs.push_back(sign_test::Make_Sign(1, L"Wang", 0));
    library.Signs.push_back(sign_test::Make_Sign(2, L"Li", 0));
    library.Signs.push_back(sign_test::Make_Sign(3, L"Zhao", 0));
    ASSERT_TRUE(library.Save(g_Plot_Config.Sign_Lib_Path));
    const std::string before = sign_test::Read_File(g_Plot_Config.Sign_Lib_Path);

    {
        Dlg_Sign_Lib dialog;
        Script("@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 0 3\n@IDD_DLG_SIGN_LIB click IDCANCEL\n");
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(sign_test::Read_File(g_Plot_Config.Sign_Lib_Path), before);
    EXPECT_TRUE(g_Sign_Library.Signs.empty());

    {
        // Li, Wang, Zhao: Li deleted, Zhao renamed "Bai" and disabled.
        Dlg_Sign_Lib dialog;
        Script("@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 0 3\n@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 1 2\n"
               "@IDD_DLG_STR text IDC_EDIT_TEXT \"Bai\"\n@IDD_DLG_STR click IDOK\n"
               "@IDD_DLG_SIGN_LIB cell IDC_SIGN_LIB_LIST 1 5\n@IDD_DLG_SIGN_LIB click IDOK\n");
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    ASSERT_EQ(g_Sign_Library.Signs.size(), 2u);
    EXPECT_EQ(g_Sign_Library.Signs[0]->Name, CString(L"Bai"));
    EXPECT_EQ(g_Sign_Library.Signs[0]->Person_No, 3);
    EXPECT_EQ(g_Sign_Library.Signs[0]->Enabled, 0);
    EXPECT_EQ(g_Sign_Library.Signs[1]->Name, CString(L"Wang"));
    EXPECT_EQ(g_Sign_Library.Signs[1]->Enabled, 1);
}

}  // namespace
