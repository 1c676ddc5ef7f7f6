#include "machine_fixture.h"

namespace platform {
namespace {

using MessageBoxTest = MachineTest;

TEST_F(MessageBoxTest, AnsweredByTheScript) {
    const struct {
        UINT type;
        const char* answer;
        int result;
    } cases[] = {
        {MB_OK | MB_ICONINFORMATION, "OK", IDOK},
        {MB_OKCANCEL, "CANCEL", IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, "yes", IDYES},
        {MB_YESNO, "NO", IDNO},
        {MB_YESNOCANCEL, "CANCEL", IDCANCEL},
        {MB_RETRYCANCEL, "RETRY", IDRETRY},
        {MB_ABORTRETRYIGNORE, "IGNORE", IDIGNORE},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2 | MB_TOPMOST, "ABORT", IDABORT},
    };
    for (const auto& c : cases) {
        ScriptInput::instance().push_text(std::string("msgbox ") + c.answer + "\n");
        EXPECT_EQ(MessageBoxW(nullptr, L"text", L"Korvel", c.type), c.result) << c.answer;
    }
    ASSERT_EQ(MessageBoxLog.size(), std::size(cases));
    EXPECT_EQ(MessageBoxLog[2].answer, IDYES);
    EXPECT_EQ(MessageBoxLog[2].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(MessageBoxLog[2].caption, L"Korvel");
}

TEST_F(MessageBoxTest, IsEchoedAndLogged) {
    HWND owner = reinterpret_cast<HWND>(0x10);
    ScriptInput::instance().push_text("msgbox OK\n");
    ::testing::internal::CaptureStdout();
    MessageBoxW(owner, L"文件 < C:\\a.cfg > 缺失!\n\n该文件可能被杀毒软件错删", L"文件缺失报错", MB_OK | MB_ICONINFORMATION);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "[MessageBox] 文件缺失报错 | 文件 < C:\\a.cfg > 缺失!\n\n该文件可能被杀毒软件错删 | information -> OK\n");
    ASSERT_EQ(MessageBoxLog.size(), 1u);
    EXPECT_EQ(MessageBoxLog[0].owner, owner);
    EXPECT_EQ(MessageBoxLog[0].text, L"文件 < C:\\a.cfg > 缺失!\n\n该文件可能被杀毒软件错删");
}

TEST_F(MessageBoxTest, AnAnswerThatIsNotAButtonFails) {
    const struct {
        UINT type;
        const char* answer;
    } cases[] = {
        {MB_OK, "CANCEL"},
        {MB_OK, "YES"},
        {MB_YESNO, "OK"},
        {MB_YESNO, "CANCEL"},
        {MB_OKCANCEL, "NO"},
        {MB_RETRYCANCEL, "IGNORE"},
    };
    for (const auto& c : cases) {
        ScriptInput::instance().reset();
        ScriptInput::instance().push_text(std::string("msgbox ") + c.answer + "\n");
        try {
            MessageBoxW(nullptr, L"Overwrite?", L"确认保存", c.type);
            ADD_FAILURE() << "answered with " << c.answer;
        } catch (const UnansweredInput& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("message box '确认保存': Overwrite?"), std::string::npos) << message;
            EXPECT_NE(message.find(std::string("msgbox ") + c.answer), std::string::npos) << message;
            EXPECT_NE(message.find("not one of its buttons"), std::string::npos) << message;
        }
    }
    EXPECT_TRUE(MessageBoxLog.empty());
}

TEST_F(MessageBoxTest, AMissingAnswerFails) {
    try {
        MessageBoxW(nullptr, L"line1\nline2", L"Korvel", MB_OK);
        FAIL() << "no exception";
    } catch (const UnansweredInput& e) {
        EXPECT_STREQ(e.what(), "message box 'Korvel': line1\\nline2 (msgbox) not answered: script ended");
    }
    ScriptInput::instance().push_text("answer \"x\"\n");
    try {
        MessageBoxW(nullptr, L"t", L"Korvel", MB_YESNO);
        FAIL() << "no exception";
    } catch (const UnansweredInput& e) {
        EXPECT_STREQ(e.what(), "message box 'Korvel': t (msgbox) not answered: next step is 'answer \"x\"' at line 1");
    }
}

TEST_F(MessageBoxTest, AfterQuitBoxesAreCancelled) {
    ScriptInput::instance().push_text("quit\n");
    const struct {
        UINT type;
        int result;
    } cases[] = {
        {MB_OKCANCEL, IDCANCEL}, {MB_YESNOCANCEL, IDCANCEL}, {MB_YESNO, IDNO},
        {MB_OK, IDOK},           {MB_RETRYCANCEL, IDCANCEL}, {MB_ABORTRETRYIGNORE, IDABORT},
    };
    for (const auto& c : cases) EXPECT_EQ(MessageBoxW(nullptr, L"t", L"c", c.type), c.result);
    EXPECT_EQ(MessageBoxLog.size(), std::size(cases));
}

}  // namespace
}  // namespace platform
