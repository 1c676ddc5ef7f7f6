#include <gtest/gtest.h>

#include "script/script_input.h"

namespace platform {
namespace {

std::vector<Step> Parse_Ok(std::wstring_view text) {
    std::vector<Step> steps;
    std::string error;
    EXPECT_TRUE(Parse_Script(text, L"t.txt", steps, error)) << error;
    return steps;
}

std::string Parse_Error(std::wstring_view text) {
    std::vector<Step> steps;
    std::string error;
    EXPECT_FALSE(Parse_Script(text, L"t.txt", steps, error)) << "parsed: " << std::string(text.begin(), text.end());
    EXPECT_TRUE(steps.empty());
    return error;
}

TEST(ScriptSyntax, EveryStepKind) {
    const auto steps = Parse_Ok(
        L"# a session\n"
        L"\n"
        L"command -plot\n"
        L"answer \"Layout1 \\\"x\\\" C:\\\\a\\\\b\"\n"
        L"answer plain text to the end\n"
        L"answer \"\"\n"
        L"point 1.5,-2\n"
        L"point 1,2,3e2\n"
        L"enter\n"
        L"ESC\n"
        L"select all\n"
        L"select window 0,0 10,20\n"
        L"select Crossing 1,2 3,4\n"
        L"msgbox yes\n"
        L"file \"C:\\Users\\korvel\\a b.dxf\"\n"
        L"key tab\n"
        L"key F12\n"
        L"save \"out.dxf\"\n"
        L"  Quit  \n");
    ASSERT_EQ(steps.size(), 17u);
    struct Expected {
        StepKind kind;
        std::wstring text;
        int line;
    };
    const Expected expected[] = {
        {StepKind::Command, L"-plot", 3},
        {StepKind::Answer, L"Layout1 \"x\" C:\\a\\b", 4},
        {StepKind::Answer, L"plain text to the end", 5},
        {StepKind::Answer, L"", 6},
        {StepKind::Point, L"", 7},
        {StepKind::Point, L"", 8},
        {StepKind::Enter, L"", 9},
        {StepKind::Esc, L"", 10},
        {StepKind::Select, L"all", 11},
        {StepKind::Select, L"window", 12},
        {StepKind::Select, L"crossing", 13},
        {StepKind::MsgBox, L"YES", 14},
        {StepKind::File, L"C:\\Users\\korvel\\a b.dxf", 15},
        {StepKind::Key, L"TAB", 16},
        {StepKind::Key, L"F12", 17},
        {StepKind::Save, L"out.dxf", 18},
        {StepKind::Quit, L"", 19},
    };
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(steps[i].kind, expected[i].kind);
        EXPECT_EQ(steps[i].text, expected[i].text);
        EXPECT_EQ(steps[i].line, expected[i].line);
    }
    EXPECT_DOUBLE_EQ(steps[4].pt[0], 1.5);
    EXPECT_DOUBLE_EQ(steps[4].pt[1], -2);
    EXPECT_FALSE(steps[4].has_z);
    EXPECT_DOUBLE_EQ(steps[5].pt[2], 300);
    EXPECT_TRUE(steps[5].has_z);
    EXPECT_DOUBLE_EQ(steps[9].pt2[0], 10);
    EXPECT_DOUBLE_EQ(steps[9].pt2[1], 20);
    EXPECT_DOUBLE_EQ(steps[10].pt[1], 2);
    EXPECT_EQ(steps[16].source_line, L"Quit");
}

TEST(ScriptSyntax, CrLfAndBomAreAccepted) {
    const auto steps = Parse_Ok(L"\uFEFFcommand A\r\nanswer \"x\"\r\n");
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].text, L"A");
    EXPECT_EQ(steps[1].text, L"x");
}

TEST(ScriptSyntax, BadLinesAreErrorsWithTheirLineNumber) {
    const struct {
        const wchar_t* text;
        const char* expected_start;
    } cases[] = {
        {L"enter\nfrobnicate now\n", "t.txt:2: unknown step 'frobnicate'"},
        {L"command\n", "t.txt:1: 'command' needs a name"},
        {L"command A B\n", "t.txt:1: 'command' takes one name"},
        {L"answer\n", "t.txt:1: 'answer' needs a text"},
        {L"answer \"open\n", "t.txt:1: 'answer' unterminated quoted text"},
        {L"answer \"a\" b\n", "t.txt:1: 'answer' unexpected text after the closing quote"},
        {L"\n\npoint 1\n", "t.txt:3: 'point' needs X,Y or X,Y,Z"},
        {L"point 1,x\n", "t.txt:1: 'point' needs X,Y or X,Y,Z"},
        {L"point 1,2,3,4\n", "t.txt:1: 'point'"},
        {L"point 1,nan\n", "t.txt:1: 'point'"},
        {L"enter now\n", "t.txt:1: 'enter' takes no argument"},
        {L"quit 1\n", "t.txt:1: 'quit' takes no argument"},
        {L"select some\n", "t.txt:1: 'select' needs 'all'"},
        {L"select window 0,0\n", "t.txt:1: 'select' needs 'all'"},
        {L"select window 0,0 a,b\n", "t.txt:1: 'select' needs two corners"},
        {L"msgbox MAYBE\n", "t.txt:1: 'msgbox' needs YES"},
        {L"file\n", "t.txt:1: 'file' needs a text"},
        {L"save \"\"\n", "t.txt:1: 'save' needs a path"},
        {L"key F13X\n", "t.txt:1: 'key' needs a key name"},
        {L"key F25\n", "t.txt:1: 'key' needs a key name"},
        {L"key CTRL S\n", "t.txt:1: 'key' needs a key name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.expected_start));
        const std::string error = Parse_Error(c.text);
        EXPECT_EQ(error.rfind(c.expected_start, 0), 0u) << error;
    }
}

TEST(ScriptSyntax, KeyNamesMapToVirtualKeyCodes) {
    const struct {
        const wchar_t* name;
        int code;
    } cases[] = {
        {L"TAB", 0x09},  {L"s", 'S'},         {L"7", '7'},         {L"PAGEUP", 0x21}, {L"pagedown", 0x22},
        {L"LEFT", 0x25}, {L"RIGHT", 0x27},    {L"UP", 0x26},       {L"DOWN", 0x28},   {L"ESCAPE", 0x1B},
        {L"RETURN", 0x0D}, {L"F1", 0x70},     {L"F12", 0x7B},      {L"SPACE", 0x20},  {L"F0", -1},
        {L"", -1},       {L"NOSUCHKEY", -1},  {L"SS", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(Key_Code_From_Name(c.name), c.code) << std::string(c.name, c.name + wcslen(c.name));
}

}  // namespace
}  // namespace platform

namespace {

using platform::Parse_Script;
using platform::Step;
using platform::StepKind;

std::vector<Step> Parse_Ok(const wchar_t* text) {
    std::vector<Step> steps;
    std::string error;
    EXPECT_TRUE(Parse_Script(text, L"s", steps, error)) << error;
    return steps;
}

TEST(DialogStepSyntax, ParsesEveryDialogStep) {
    const auto s = Parse_Ok(
        L"click 934\n@712 text 1001 \"a \\\"b\\\"\"\nchoose 5 2\ncheck 6 1\ncell 7 3 4\nrclick 7 0 1\ndblclick 7 2\n"
        L"header 7 3\nmenu 301\npick 0\ncolor 255, 0, 10\nsnapshot \"C:\\\\a.png\"\nwait pumps 3\nwait file \"x.txt\"\n"
        L"@712 rows 1164\n");
    ASSERT_EQ(s.size(), 15u);
    EXPECT_EQ(s[0].kind, StepKind::Click);
    EXPECT_EQ(s[0].control_id, 934);
    EXPECT_EQ(s[0].target, 0);
    EXPECT_EQ(s[1].kind, StepKind::Text);
    EXPECT_EQ(s[1].target, 712);
    EXPECT_EQ(s[1].text, L"a \"b\"");
    EXPECT_EQ(s[1].source_line, L"@712 text 1001 \"a \\\"b\\\"\"");
    EXPECT_EQ(s[2].values[0], 2);
    EXPECT_EQ(s[3].values[0], 1);
    EXPECT_EQ(s[4].values[0], 3);
    EXPECT_EQ(s[4].values[1], 4);
    EXPECT_EQ(s[5].kind, StepKind::RClick);
    EXPECT_EQ(s[6].kind, StepKind::DblClick);
    EXPECT_EQ(s[6].values[0], 2);
    EXPECT_EQ(s[7].values[0], 3);
    EXPECT_EQ(s[8].control_id, 301);
    EXPECT_EQ(s[9].kind, StepKind::Pick);
    EXPECT_EQ(s[10].values[0], 255);
    EXPECT_EQ(s[10].values[2], 10);
    EXPECT_EQ(s[11].text, L"C:\\a.png");
    EXPECT_EQ(s[12].kind, StepKind::Wait);
    EXPECT_EQ(s[12].values[0], 3);
    EXPECT_TRUE(s[12].text.empty());
    EXPECT_EQ(s[13].text, L"x.txt");
    EXPECT_EQ(s[14].kind, StepKind::Rows);
    EXPECT_EQ(s[14].target, 712);
    EXPECT_EQ(s[14].control_id, 1164);
}

TEST(DialogStepSyntax, IdsAreNumbersOrSymbols) {
    const auto s = Parse_Ok(
        L"@IDD_DLG_BPLOT1 click IDOK\n@712 check IDC_BP1_MERGE_PDF 1\nchoose _combo2 3\ntext IDC_NAME \"x\"\n"
        L"menu ID_BP1_COUNT_A4\n@IDD_X key TAB\n");
    ASSERT_EQ(s.size(), 6u);
    const struct {
        const wchar_t* target_symbol;
        int target;
        const wchar_t* control_symbol;
    } expected[] = {
        {L"IDD_DLG_BPLOT1", 0, L"IDOK"}, {L"", 712, L"IDC_BP1_MERGE_PDF"}, {L"", 0, L"_combo2"},
        {L"", 0, L"IDC_NAME"},           {L"", 0, L"ID_BP1_COUNT_A4"},    {L"IDD_X", 0, L""},
    };
    for (size_t i = 0; i < s.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s[i].target_symbol, expected[i].target_symbol);
        EXPECT_EQ(s[i].target, expected[i].target);
        EXPECT_EQ(s[i].control_symbol, expected[i].control_symbol);
        EXPECT_EQ(s[i].control_id, 0);
    }
    EXPECT_EQ(s[1].values[0], 1);
    EXPECT_EQ(s[2].values[0], 3);
    EXPECT_EQ(s[3].text, L"x");
}

TEST(DialogStepSyntax, RefusesBadDialogSteps) {
    const struct {
        const wchar_t* text;
        const char* reason;
    } cases[] = {
        {L"click\n", "'click' needs a control id"},
        {L"click 1 2\n", "'click' needs a control id"},
        {L"check 5 2\n", "'check' needs ID 0|1"},
        {L"cell 5 1\n", "'cell' needs ID ROW COL"},
        {L"text 5 abc\n", "'text' needs ID \"TEXT\""},
        {L"color 1,2\n", "'color' needs R,G,B"},
        {L"color 1,2,300\n", "'color' needs R,G,B"},
        {L"wait 3\n", "'wait' needs 'pumps N'"},
        {L"@0 click 1\n", "'@' needs a dialog template id"},
        {L"@1x click 1\n", "'@' needs a dialog template id"},
        {L"@IDD-X click 1\n", "'@' needs a dialog template id"},
        {L"click IDC_列表\n", "'click' needs a control id"},
        {L"choose IDC_LIST x\n", "'choose' needs ID N"},
        {L"text IDC_NAME\n", "'text' needs ID \"TEXT\""},
        {L"@IDD_X command PLOT\n", "'@' names the window of a dialog step"},
        {L"@12 command PLOT\n", "'@' names the window of a dialog step"},
    };
    for (const auto& c : cases) {
        std::vector<Step> steps;
        std::string error;
        EXPECT_FALSE(Parse_Script(c.text, L"s", steps, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_NE(error.find("s:1: "), std::string::npos) << error;
    }
}

}  // namespace
