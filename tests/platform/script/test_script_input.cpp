#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "script/script_input.h"

namespace platform {
namespace {

class ScriptInputTest : public ::testing::Test {
protected:
    void SetUp() override { input().reset(); }
    void TearDown() override { input().reset(); }
    static ScriptInput& input() { return ScriptInput::instance(); }
};

TEST_F(ScriptInputTest, ExpectReturnsStepsInOrder) {
    input().push_text("answer \"宋体\"\nenter\n");
    input().push_text(L"point 1,2\n");
    EXPECT_EQ(input().size(), 3u);
    EXPECT_EQ(input().peek()->kind, StepKind::Answer);
    Step s = input().expect({StepKind::Answer, StepKind::Enter}, L"prompt 'Font: '");
    EXPECT_EQ(s.text, L"宋体");
    EXPECT_EQ(input().expect({StepKind::Answer, StepKind::Enter}, L"prompt 'Font: '").kind, StepKind::Enter);
    EXPECT_EQ(input().take().kind, StepKind::Point);
    EXPECT_TRUE(input().empty());
    EXPECT_EQ(input().peek(), nullptr);
}

TEST_F(ScriptInputTest, UnansweredInputNamesWhatWasAskedAndWhy) {
    try {
        input().expect({StepKind::Point}, L"prompt '\nSelect objects: '");
        FAIL() << "no exception";
    } catch (const UnansweredInput& e) {
        EXPECT_STREQ(e.what(), "prompt '\\nSelect objects: ' (point) not answered: script ended");
    }
    input().push_text("# comment\ncommand PLOT\n");
    try {
        input().expect({StepKind::Point, StepKind::Enter}, L"prompt 'First corner: '");
        FAIL() << "no exception";
    } catch (const UnansweredInput& e) {
        EXPECT_STREQ(e.what(),
                     "prompt 'First corner: ' (point/enter) not answered: next step is 'command PLOT' at line 2");
    }
    // The step that did not fit stays for the one who asks for it.
    EXPECT_EQ(input().expect({StepKind::Command}, L"command line").text, L"PLOT");
    EXPECT_THROW(input().take(), UnansweredInput);
}

TEST_F(ScriptInputTest, AfterQuitEveryRequestIsCancelled) {
    input().push_text("quit\nanswer x\n");
    EXPECT_FALSE(input().quitting());
    // A consumer that does not take quit gets a cancel, and the session is quitting.
    Step s = input().expect({StepKind::Answer}, L"prompt 'Name: '");
    EXPECT_EQ(s.kind, StepKind::Esc);
    EXPECT_TRUE(s.synthetic);
    EXPECT_TRUE(input().quitting());
    // Later requests are cancelled too, even with steps left and nothing acceptable.
    EXPECT_EQ(input().expect({StepKind::Point}, L"prompt 'Point: '").kind, StepKind::Esc);
    input().clear();
    EXPECT_EQ(input().expect({StepKind::MsgBox}, L"message box").kind, StepKind::Esc);
    input().reset();
    EXPECT_FALSE(input().quitting());
    EXPECT_THROW(input().expect({StepKind::MsgBox}, L"message box"), UnansweredInput);
}

TEST_F(ScriptInputTest, SessionLoopTakesQuitItself) {
    input().push_text("quit\n");
    Step s = input().expect({StepKind::Command, StepKind::Quit}, L"command line");
    EXPECT_EQ(s.kind, StepKind::Quit);
    EXPECT_EQ(s.line, 1);
    EXPECT_TRUE(input().quitting());

    input().reset();
    input().push_text("quit\n");
    EXPECT_EQ(input().take().kind, StepKind::Quit);
    EXPECT_TRUE(input().quitting());
}

TEST_F(ScriptInputTest, SymbolsAreResolvedWhenTheStepComesNext) {
    int lookups = 0;
    Set_Symbol_Resolver([&](std::wstring_view name, int& value) {
        ++lookups;
        if (name == L"IDD_MAIN") value = 712;
        else if (name == L"IDC_LIST") value = 1164;
        else if (name == L"IDC_STATIC") value = -1;
        else return false;
        return true;
    });
    input().push_text("@IDD_MAIN choose IDC_LIST 2\n");
    EXPECT_EQ(lookups, 0) << "symbols wait until their step comes next";
    const Step* next = input().peek();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->target, 712);
    EXPECT_EQ(next->control_id, 1164);
    EXPECT_EQ(input().take().control_id, 1164);

    const struct {
        const char* script;
        const char* message;
    } failures[] = {
        {"enter\nclick IDC_NOPE\n",
         "step 'click IDC_NOPE' at line 2: unknown id IDC_NOPE: neither a symbol of a loaded module's resources "
         "nor a standard id (IDOK, IDCANCEL, IDYES, IDNO...)"},
        {"enter\n@IDC_STATIC click 1\n", "step '@IDC_STATIC click 1' at line 2: IDC_STATIC is no dialog template id"},
    };
    for (const auto& f : failures) {
        input().reset();
        input().push_text(f.script);
        EXPECT_EQ(input().take().kind, StepKind::Enter);
        try {
            input().expect({StepKind::Click}, L"dialog");
            ADD_FAILURE() << "no exception for " << f.script;
        } catch (const UnansweredInput& e) {
            EXPECT_STREQ(e.what(), f.message);
        }
        EXPECT_THROW(input().peek(), UnansweredInput);
        EXPECT_THROW(input().take(), UnansweredInput);
    }
    Set_Symbol_Resolver(nullptr);
}

TEST_F(ScriptInputTest, BadTextQueuesNothing) {
    input().push_text("enter\n");
    try {
        input().push_text("answer x\nbogus\n");
        FAIL() << "no exception";
    } catch (const ScriptSyntaxError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("script:2: unknown step 'bogus'", 0), 0u) << e.what();
    }
    EXPECT_EQ(input().size(), 1u);
}

TEST_F(ScriptInputTest, PushFileReadsUtf8AndNamesFileAndLineOnErrors) {
    const auto dir = std::filesystem::temp_directory_path() / ("korvel_script_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto good = dir / "good.txt";
    std::ofstream(good) << "answer \"文件\"\nmsgbox OK\n";
    std::string error;
    ASSERT_TRUE(input().push_file(good, error)) << error;
    EXPECT_EQ(input().take().text, L"文件");
    EXPECT_EQ(input().take().text, L"OK");

    const auto bad = dir / "bad.txt";
    std::ofstream(bad) << "enter\n\nmsgbox PERHAPS\n";
    EXPECT_FALSE(input().push_file(bad, error));
    EXPECT_NE(error.find("bad.txt:3: 'msgbox' needs"), std::string::npos) << error;
    EXPECT_TRUE(input().empty());

    EXPECT_FALSE(input().push_file(dir / "missing.txt", error));
    EXPECT_NE(error.find("missing.txt"), std::string::npos) << error;
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace platform
