#include <gtest/gtest.h>

#include "core/file_name_rules.h"
#include "script/utf8.h"

namespace {

TEST(ValidFileName, RemovesForbiddenCharactersAndKeepsTheRest)
{
    struct Case {
        const wchar_t* input;
        bool remove_line_breaks;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"a<b>:c", true, L"abc"},
        {L"1/2", true, L"1\u22152"},
        {L"a\\b|c*d\"e?f", true, L"abcdef"},
        {L"plan, rev. 2 (final)", true, L"plan, rev. 2 (final)"},
        {L"tab\there\x01\x1f", true, L"tabhere"},
        {L"two\r\nlines", true, L"twolines"},
        {L"two\r\nlines", false, L"two\r\nlines"},
        {L"图纸 A-01", true, L"图纸 A-01"},
        {L"", true, L""},
        {L"<>:|?*", false, L""},
    };
    for (const Case& c : cases) {
        CString text = c.input;
        Valid_File_Name(text, c.remove_line_breaks);
        EXPECT_STREQ(text.GetString(), c.expected) << platform::To_Utf8(c.input);
    }
}

TEST(FormatNo, PadsWithLeadingZeros)
{
    struct Case {
        int value;
        int digits;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {7, 3, L"007"},     {1234, 2, L"1234"}, {12, 2, L"12"},  {0, 1, L"0"},  {0, 4, L"0000"},
        {5, 0, L"5"},       {5, -3, L"5"},      {-7, 4, L"00-7"}, {-12, 2, L"-12"},
        {2147483647, 12, L"002147483647"},      {-2147483647 - 1, 3, L"-2147483648"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(Format_No(c.value, c.digits).GetString(), c.expected) << c.value << " " << c.digits;
}

}  // namespace
