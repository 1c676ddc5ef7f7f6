// Inline true-colour codes removed from multiline-text contents.
#include <gtest/gtest.h>

#include <string>

#include "script/utf8.h"
#include "tools/true_colors.h"

TEST(Strip_True_Color_Codes, Removes_Each_Code_Through_Its_Semicolon_And_Keeps_Index_Codes)
{
    struct Case {
        const wchar_t* contents;
        const wchar_t* stripped;
        bool removed;
    };
    const Case cases[] = {
        {L"{\\c16711680;RED} word", L"{RED} word", true},
        {L"\\c255;a\\c65280;b\\C1;c", L"ab\\C1;c", true},
        {L"\\C3;index only", L"\\C3;index only", false},
        {L"\\c255 no end", L"\\c255 no end", false},
        {L"\\c1;kept\\c2 open", L"kept\\c2 open", true},
        {L"plain", L"plain", false},
    };
    for (const Case& c : cases) {
        std::wstring text = c.contents;
        EXPECT_EQ(Strip_True_Color_Codes(text), c.removed) << platform::To_Utf8(c.contents);
        EXPECT_EQ(text, c.stripped) << platform::To_Utf8(c.contents);
    }
}
