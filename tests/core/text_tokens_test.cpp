// Token files: escaping, token reading in the ANSI code page, number tokens.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/text_tokens.h"
#include "script/utf8.h"
#include "win/win_codepage.h"

namespace {

TEST(Cfg_Escaping, BlanksAndEmptyStringsTravelAsOneToken)
{
    const struct {
        const wchar_t* text;
        const wchar_t* escaped;
        const wchar_t* read_back;
    } cases[] = {
        {L"  ", L"*?**?*", L"  "},
        {L"", L"<><", L""},
        {L" ", L"*?*", L" "},
        {L"a b", L"a*?*b", L"a b"},
        {L"<><", L"<><", L""},
        // Tabs and line breaks would split the token: they travel as blanks.
        {L"a\tb", L"a*?*b", L"a b"},
        {L"line\r\nnext", L"line*?**?*next", L"line  next"},
        {L"图框 A1", L"图框*?*A1", L"图框 A1"},
    };
    for (const auto& c : cases) {
        const CString escaped = Escape_Cfg_String(c.text);
        EXPECT_STREQ(escaped, c.escaped) << platform::To_Utf8(c.text);
        CString back = escaped;
        Unescape_Cfg_String(back);
        EXPECT_STREQ(back, c.read_back) << platform::To_Utf8(c.text);
    }
    CString stored = L"x*?*y";
    Unescape_Cfg_String(stored);
    EXPECT_STREQ(stored, L"x y");
}

TEST(Cfg_Escaping, AStringWithATabNoLongerShiftsTheFieldsAfterIt)
{
    std::ostringstream out;
    Write_Escaped_Line(out, L"a\tb");
    Write_Int_Line(out, 42);
    std::istringstream in(out.str());
    CString text;
    int32_t number = 0;
    EXPECT_TRUE(Read_Token_Escaped(in, text));
    EXPECT_TRUE(Read_Token_Int(in, number));
    EXPECT_STREQ(text, L"a b");
    EXPECT_EQ(number, 42);
}

TEST(Ansi_Words, ReadInTheAnsiCodePage)
{
    const std::string bytes = platform::To_Ansi(L"  图框\t\r\nKV_A1\n") + std::string("x\0y", 3);
    std::istringstream in(bytes);
    CString word = L"before";
    EXPECT_TRUE(Read_Ansi_Word(in, word));
    EXPECT_STREQ(word, L"图框");
    EXPECT_TRUE(Read_Ansi_Word(in, word));
    EXPECT_STREQ(word, L"KV_A1");
    EXPECT_TRUE(Read_Ansi_Word(in, word));
    EXPECT_STREQ(word, L"x");  // a NUL byte ends a token
    EXPECT_TRUE(Read_Ansi_Word(in, word));
    EXPECT_STREQ(word, L"y");
    // Past the last token the string keeps its value and the stream fails.
    EXPECT_FALSE(Read_Ansi_Word(in, word));
    EXPECT_STREQ(word, L"y");
}

TEST(Ansi_Words, WrittenBytesAreTheCodePage)
{
    std::ostringstream out;
    Write_Ansi_String(out, L"彩色.ctb");
    Write_Ansi_Text(out, L" A");
    EXPECT_EQ(out.str(), platform::To_Ansi(L"彩色.ctb A"));
    EXPECT_EQ(out.str().size(), 10u);  // two bytes a character
}

TEST(Ansi_Words, ALongTokenIsCutToWholeCharactersAndTheRestSkipped)
{
    // 510 ASCII bytes and a double-byte character would end at byte 512: the cut
    // drops the whole character rather than its first byte.
    const std::wstring long_word = std::wstring(510, L'a') + L"图" + std::wstring(20, L'b');
    std::istringstream in(platform::To_Ansi(long_word + L" next"));
    CString word;
    EXPECT_TRUE(Read_Ansi_Word(in, word));
    EXPECT_EQ(word.GetLength(), 510);
    EXPECT_TRUE(Read_Ansi_Word(in, word));
    EXPECT_STREQ(word, L"next");

    std::istringstream exact(std::string(Max_Token_Bytes, 'z') + "q r");
    EXPECT_TRUE(Read_Ansi_Word(exact, word));
    EXPECT_EQ(word.GetLength(), Max_Token_Bytes);
    EXPECT_TRUE(Read_Ansi_Word(exact, word));
    EXPECT_STREQ(word, L"r");
}

TEST(Number_Tokens, RefuseWhatDoesNotFit)
{
    const struct {
        const char* token;
        bool read;
        int32_t value;
    } cases[] = {
        {"42", true, 42},          {"-7", true, -7},        {"+3", true, 3},
        {"2147483647", true, INT32_MAX},
        {"2147483648", false, 99}, {"99999999999999999999999999", false, 99},
        {"12ab", false, 99},       {"1.5", false, 99},      {"abc", false, 99},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.token);
        int32_t value = 99;
        EXPECT_EQ(Read_Token_Int(in, value), c.read) << c.token;
        EXPECT_EQ(value, c.value) << c.token;
        EXPECT_EQ(static_cast<bool>(in), c.read) << c.token;
    }
}

TEST(Number_Tokens, RealsUseTheDefaultFormatAndRefuseNonNumbers)
{
    std::ostringstream out;
    Write_Real_Line(out, 123.456789);
    Write_Real_Line(out, 1e-7);
    Write_Real_Line(out, 100.0);
    EXPECT_EQ(out.str(), "123.457\n1e-07\n100\n");

    const struct {
        const char* token;
        bool read;
        double value;
    } cases[] = {{"123.457", true, 123.457}, {"1e-07", true, 1e-7}, {"-0.5", true, -0.5},
                 {"inf", false, 9},          {"nan", false, 9},     {"1e999", false, 9},
                 {"x1", false, 9}};
    for (const auto& c : cases) {
        std::istringstream in(c.token);
        double value = 9;
        EXPECT_EQ(Read_Token_Real(in, value), c.read) << c.token;
        EXPECT_DOUBLE_EQ(value, c.value) << c.token;
    }
}

TEST(Plain_Tokens, OnlyNonEmptyTextsWithoutWhiteSpace)
{
    EXPECT_TRUE(Is_Plain_Token(L"QM"));
    EXPECT_TRUE(Is_Plain_Token(L"2025_<<未命名配置>>"));
    EXPECT_FALSE(Is_Plain_Token(L""));
    EXPECT_FALSE(Is_Plain_Token(L"a b"));
    EXPECT_FALSE(Is_Plain_Token(L"a\tb"));
}

}  // namespace
