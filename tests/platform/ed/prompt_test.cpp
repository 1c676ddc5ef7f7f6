#include "ed_fixture.h"

#include "ed/command_line.h"
#include "ed/keywords.h"
#include "ed/names.h"
#include "win/win_msgbox.h"

using namespace ed_test;

namespace {

class PromptTest : public EdTest {};

TEST(KeywordMatch, HostAbbreviationRules)
{
    struct Case {
        const wchar_t* list;
        const wchar_t* input;
        const wchar_t* expected;  // global name; nullptr: no match
    };
    const Case cases[] = {
        {L"Yes No", L"y", L"Yes"},         {L"Yes No", L"YES", L"Yes"},
        {L"Yes No", L"n", L"No"},          {L"Yes No", L"maybe", nullptr},
        {L"Yes No", L"ye", L"Yes"},        {L"Yes No", L"yess", nullptr},
        {L"LType Layer", L"lt", L"LType"}, {L"LType Layer", L"LTY", L"LType"},
        {L"LType Layer", L"l", L"Layer"},  {L"LType Layer", L"lay", L"Layer"},
        {L"eXit Undo", L"x", L"eXit"},     {L"eXit Undo", L"exit", L"eXit"},
        {L"eXit Undo", L"ex", nullptr},    {L"Ja Nein _ Yes No", L"j", L"Yes"},
        {L"Ja Nein _ Yes No", L"_no", L"No"}, {L"Ja Nein _ Yes No", L"_Ja", nullptr},
        {L"plain", L"pl", nullptr},        {L"plain", L"PLAIN", L"plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "list '" << c.list << "' input '" << c.input << "'");
        std::vector<platform::Keyword> keywords = platform::Parse_Keywords(c.list);
        const platform::Keyword* match = platform::Match_Keyword(keywords, c.input);
        if (c.expected == nullptr) {
            EXPECT_EQ(match, nullptr);
        } else {
            ASSERT_NE(match, nullptr);
            EXPECT_EQ(match->global, c.expected);
        }
    }
}

TEST(WildcardMatch, HostPatterns)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* text;
        bool expected;
    };
    const Case cases[] = {
        {L"LINE", L"line", true},           {L"LINE,LWPOLYLINE", L"LWPOLYLINE", true},
        {L"*POLYLINE", L"POLYLINE", true},  {L"*POLYLINE", L"LWPOLYLINE", true},
        {L"*POLYLINE", L"LINE", false},     {L"A?C", L"ABC", true},
        {L"A?C", L"AC", false},             {L"K_TK_BK*", L"k_tk_bk_a3", true},
        {L"#X", L"7X", true},               {L"#X", L"AX", false},
        {L"@1", L"B1", true},               {L"[AB]1", L"b1", true},
        {L"[~AB]1", L"B1", false},          {L"[A-C]*", L"cat", true},
        {L"~WALLS", L"DOORS", true},        {L"~WALLS", L"walls", false},
        {L"A`*", L"A*", true},              {L"A`*", L"AB", false},
        {L"*", L"", true},                  {L"", L"", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::Wild_Match(c.pattern, c.text), c.expected)
            << "pattern '" << c.pattern << "' text '" << c.text << "'";
}

TEST_F(PromptTest, KeywordPromptsAndKeywordsAtOtherPrompts)
{
    wchar_t word[32];
    Script("answer \"p\"\nanswer \"bogus\"\nanswer \"yes\"\nanswer \"L\"\n");
    zcedInitGet(0, L"Portrait Landscape");
    EXPECT_EQ(zcedGetKword(L"\nOrientation [Portrait/Landscape]: ", word, 32), RTNORM);
    EXPECT_STREQ(word, L"Portrait");
    // An invalid keyword is refused and asked again.
    zcedInitGet(0, L"Yes No");
    EXPECT_EQ(zcedGetKword(L"\nSure? ", word, 32), RTNORM);
    EXPECT_STREQ(word, L"Yes");
    EXPECT_NE(Output().find(L"Invalid option keyword."), std::wstring::npos);
    // A keyword at a point prompt.
    ads_point pt;
    zcedInitGet(0, L"Last Window");
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nCorner or [Last/Window]: ", pt), RTKWORD);
    EXPECT_EQ(zcedGetInput(word, 32), RTNORM);
    EXPECT_STREQ(word, L"Last");
}

TEST_F(PromptTest, InitGetAppliesToOnePromptOnly)
{
    Script("enter\nenter\n");
    zcedInitGet(RSG_NONULL, L"A B");
    int value = 0;
    // The first prompt refuses Enter and fails on the missing answer after it...
    EXPECT_THROW(zcedGetInt(L"\nN: ", &value), platform::UnansweredInput);
    // ...the next one takes Enter again.
    Script("enter\n");
    EXPECT_EQ(zcedGetInt(L"\nN: ", &value), RTNONE);
}

TEST_F(PromptTest, NumbersWithFlags)
{
    struct Case {
        int flags;
        const char* script;
        int rc;
        int value;
    };
    const Case cases[] = {
        {0, "answer \"12\"\n", RTNORM, 12},
        {0, "enter\n", RTNONE, 0},
        {0, "esc\n", RTCAN, 0},
        {0, "answer \"abc\"\nanswer \"3\"\n", RTNORM, 3},
        {0, "answer \"2.5\"\nanswer \"40000\"\nanswer \"-4\"\n", RTNORM, -4},
        {RSG_NONULL, "enter\nanswer \"5\"\n", RTNORM, 5},
        {RSG_NOZERO | RSG_NONEG, "answer \"0\"\nanswer \"-1\"\nanswer \"9\"\n", RTNORM, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Script(c.script);
        zcedInitGet(c.flags, nullptr);
        int value = 0;
        EXPECT_EQ(zcedGetInt(L"\nN: ", &value), c.rc);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
    }
    double real = 0;
    Script("answer \"2.5\"\n");
    EXPECT_EQ(zcedGetReal(L"\nScale: ", &real), RTNORM);
    EXPECT_DOUBLE_EQ(real, 2.5);
}

TEST_F(PromptTest, StringsPointsAndDistances)
{
    wchar_t text[8];
    Script("answer \"a b c\"\nanswer \"much too long\"\nenter\n");
    EXPECT_EQ(zcedGetString(1, L"\nTitle: ", text, 8), RTNORM);
    EXPECT_STREQ(text, L"a b c");
    EXPECT_EQ(zcedGetString(1, L"\nTitle: ", text, 8), RTINPUTTRUNCATED);
    EXPECT_STREQ(text, L"much to");
    EXPECT_EQ(zcedGetString(0, L"\nTitle: ", text, 8), RTNORM);
    EXPECT_STREQ(text, L"");

    ads_point pt = {0, 0, 0};
    Script("point 1,2,3\nanswer \"4,5\"\nanswer \"oops\"\nenter\n");
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nP: ", pt), RTNORM);
    EXPECT_EQ(pt[2], 3.0);
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nP: ", pt), RTNORM);
    EXPECT_EQ(pt[0], 4.0);
    EXPECT_EQ(pt[1], 5.0);
    EXPECT_EQ(zcedGetPoint(nullptr, L"\nP: ", pt), RTNONE);  // "oops" refused, then Enter
    EXPECT_NE(Output().find(L"Invalid point."), std::wstring::npos);

    ads_point base = {1, 1, 0};
    ads_point corner;
    Script("point 4,5\n");
    EXPECT_EQ(zcedGetCorner(base, L"\nOther corner: ", corner), RTNORM);
    double dist = 0;
    Script("point 4,5\nanswer \"12.5\"\n");
    EXPECT_EQ(zcedGetDist(base, L"\nDistance: ", &dist), RTNORM);
    EXPECT_DOUBLE_EQ(dist, 5.0);
    EXPECT_EQ(zcedGetDist(base, L"\nDistance: ", &dist), RTNORM);
    EXPECT_DOUBLE_EQ(dist, 12.5);
}

TEST_F(PromptTest, PromptAndAnswerAreEchoed)
{
    Script("answer \"Sheet 1\"\n");
    wchar_t text[32];
    platform::CommandLine::instance().clear();
    zcedGetString(1, L"\nName: ", text, 32);
    EXPECT_EQ(Output(), L"\nName: Sheet 1");
}

TEST_F(PromptTest, UnansweredPromptThrowsNamingIt)
{
    Script("point 1,1\n");
    wchar_t text[32];
    try {
        zcedGetString(0, L"\nLayer name: ", text, 32);
        FAIL() << "no error";
    } catch (const platform::UnansweredInput& error) {
        std::string message = error.what();
        EXPECT_NE(message.find("Layer name"), std::string::npos) << message;
        EXPECT_NE(message.find("point 1,1"), std::string::npos) << message;
    }
}

TEST_F(PromptTest, FileDialogsAnsweredByFileSteps)
{
    Script("file \"C:\\\\out\\\\a.pdf\"\nesc\nfile \"D:\\\\b.dxf\"\n");
    resbuf result;
    EXPECT_EQ(zcedGetFileD(L"Save as", L"", L"pdf", 1, &result), RTNORM);
    EXPECT_EQ(result.restype, RTSTR);
    EXPECT_STREQ(result.resval.rstring, L"C:\\out\\a.pdf");
    delete[] result.resval.rstring;
    resbuf* chosen = nullptr;
    EXPECT_EQ(zcedGetFileNavDialog(L"Open", L"", L"dxf", L"", 0, &chosen), RTCAN);
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(zcedGetFileNavDialog(L"Open", L"", L"dxf", L"", 0, &chosen), RTNORM);
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen->resval.rstring, L"D:\\b.dxf");
    zcutRelRb(chosen);
    // Several files where one is asked: refused, not the first taken.
    Script("file \"C:\\out\\a.pdf\" \"C:\\out\\b.pdf\"\n");
    EXPECT_THROW(zcedGetFileD(L"Save as", L"", L"pdf", 1, &result), platform::UnansweredInput);
}

TEST_F(PromptTest, AlertIsAHostMessageBox)
{
    platform::MessageBoxLog.clear();
    Script("msgbox OK\n");
    EXPECT_EQ(zcedAlert(L"Done."), RTNORM);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"ZWCAD");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"Done.");
    EXPECT_EQ(platform::MessageBoxLog[0].owner, adsw_zcadMainWnd());
}

}  // namespace
