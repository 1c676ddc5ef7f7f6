// The message that names the sheets of a run whose output was not written, and why.
#include <gtest/gtest.h>

#include "plot/output_failures.h"
#include "script/utf8.h"
#include "win/win_error.h"

namespace {

TEST(Output_Failures, The_Reason_Is_Told_In_The_Plug_Ins_Words)
{
    const struct {
        DWORD error;
        const wchar_t* reason;
    } cases[] = {
        {ERROR_DISK_FULL, L"磁盘空间不足"},
        {ERROR_ACCESS_DENIED, L"没有写入权限"},
        {ERROR_PATH_NOT_FOUND, L"输出文件夹不存在"},
        {ERROR_SHARING_VIOLATION, L"文件可能处于打开状态，无法覆盖"},
        {ERROR_WRITE_FAULT, L"文件未能完整写出"},
        {ERROR_SUCCESS, L"文件未能完整写出"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Write_Failure_Reason(c.error), CString(c.reason)) << c.error;
}

TEST(Output_Failures, One_Message_Lists_The_Failed_Sheets_And_Says_When_None_Was_Written)
{
    Output_Failures failures;
    EXPECT_TRUE(failures.Empty());
    failures.Add(L"图-02", ERROR_DISK_FULL);
    failures.Add(L"图-05 平面", ERROR_ACCESS_DENIED);
    EXPECT_EQ(failures.Message(9),
              CString(L"共 9 张图纸，其中以下 2 张未能输出 !\n\n图-02 ：磁盘空间不足\n图-05 平面 ：没有写入权限\n\n"
                      L"这些图纸原有的输出文件保持不变 !"));
    EXPECT_EQ(failures.Message(2),
              CString(L"全部 2 张图纸均未能输出 !\n\n图-02 ：磁盘空间不足\n图-05 平面 ：没有写入权限\n\n"
                      L"这些图纸原有的输出文件保持不变 !"));
}

TEST(Output_Failures, A_Long_List_Names_Twenty_Sheets_And_Counts_The_Rest)
{
    Output_Failures failures;
    for (int i = 1; i <= 23; ++i) {
        CString sheet;
        sheet.Format(L"图-%02d", i);
        failures.Add(sheet, ERROR_DISK_FULL);
    }
    const std::string text = platform::To_Utf8(failures.Message(30).GetString());
    EXPECT_NE(text.find("图-20 ："), std::string::npos) << text;
    EXPECT_EQ(text.find("图-21 ："), std::string::npos) << text;
    EXPECT_NE(text.find("……另有 3 张\n"), std::string::npos) << text;
}

}  // namespace
