// String and number helpers: the edge cases the other subsystems count on.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/string_helpers.h"
#include "script/utf8.h"

namespace {

void Fill_List(CStringArray& list, std::initializer_list<const wchar_t*> items)
{
    list.RemoveAll();
    for (const wchar_t* item : items)
        list.Add(item);
}

std::wstring Joined(const CStringArray& list)
{
    std::wstring text;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        text += (i > 0 ? L"," : L"") + std::wstring(list[i].GetString());
    return text;
}

TEST(Str_To_Int, DigitsCountByTheirPlaces)
{
    const struct {
        const wchar_t* text;
        int32_t value;
    } cases[] = {
        {L"", 0},           {L"21", 21},        {L"-12", -12},       {L"007", 7},
        {L"1.5", 105},      {L"12a", 120},     {L"-", 0},           {L"2147483647", INT32_MAX},
        {L"-2147483648", INT32_MIN},
        // Values beyond 32 bits are clamped instead of overflowing.
        {L"2147483648", INT32_MAX},            {L"99999999999999999999", INT32_MAX},
        {L"-99999999999999999999", INT32_MIN},
        {L"9999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         L"9999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         L"9999999999999999999999999999999999999999999999999999999999999999999999999999999999999"
         L"99999999999999999999999999999999999999999999999999999999999999999999999999",
         INT32_MAX},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Str_To_Int(c.text), c.value) << platform::To_Utf8(c.text);
        EXPECT_EQ(Str_To_Long(c.text), c.value) << platform::To_Utf8(c.text);
    }
}

TEST(Split_Trailing_Number, SplitsTheLastRunOfDigits)
{
    const struct {
        const wchar_t* text;
        int32_t value;
        const wchar_t* prefix;
    } cases[] = {
        {L"A12", 12, L"A"},      {L"12A", -1, L"12A"},     {L"", -1, L""},
        {L"123", 123, L""},      {L"A-01", 1, L"A-"},      {L"图号7", 7, L"图号"},
        {L"X99999999999999999999", INT32_MAX, L"X"},
    };
    for (const auto& c : cases) {
        CString prefix = L"unchanged?";
        EXPECT_EQ(Split_Trailing_Number(c.text, prefix), c.value) << platform::To_Utf8(c.text);
        EXPECT_STREQ(prefix, c.prefix) << platform::To_Utf8(c.text);
    }
}

TEST(String_Lists, FindAndRemoveDuplicatesIgnoreCase)
{
    CStringArray list;
    Fill_List(list, {L"a", L"B", L"A", L"c"});
    EXPECT_EQ(Find_String_NoCase(list, L"b"), 1);
    EXPECT_EQ(Find_String_NoCase(list, L"A"), 0);
    EXPECT_EQ(Find_String_NoCase(list, L"d"), -1);
    EXPECT_TRUE(Find_String_No_Case(list, L"C"));

    Remove_Duplicate_Strings(list);
    EXPECT_EQ(Joined(list), L"B,A,c");

    CStringArray repeated;
    Fill_List(repeated, {L"x", L"X", L"x", L"y", L"Y"});
    Remove_Duplicate_Strings(repeated);
    EXPECT_EQ(Joined(repeated), L"x,Y");
}

TEST(Blanks, OnlyTheBlankCharacterCounts)
{
    const struct {
        const wchar_t* text;
        const wchar_t* trimmed;
        const wchar_t* left;
        const wchar_t* removed;
    } cases[] = {
        {L"  a b  ", L"a b", L"a b  ", L"ab"},
        {L"\t\t", L"\t\t", L"\t\t", L"\t\t"},
        {L" \ta\t ", L"\ta\t", L"\ta\t ", L"\ta\t"},
        {L"   ", L"", L"", L""},
        {L"", L"", L"", L""},
    };
    for (const auto& c : cases) {
        CString trimmed = c.text, left = c.text, removed = c.text;
        Trim_Blanks(trimmed);
        Trim_Left_Blanks(left);
        Remove_Blanks(removed);
        EXPECT_STREQ(trimmed, c.trimmed);
        EXPECT_STREQ(left, c.left);
        EXPECT_STREQ(removed, c.removed);
    }
}

TEST(Cancel_Characters, AreControlC)
{
    EXPECT_STREQ(Cancel_Prefix(), L"\x03\x03");
    EXPECT_STREQ(Cancel_Char(), L"\x03");
}

TEST(Number_Display, RoundsAndFormatsAsTheValueNeeds)
{
    const struct {
        double value;
        double rounded;
        const wchar_t* text;
    } cases[] = {
        {150.3, 150, L"150"}, {2.5, 2.5, L"2.5"},   {1.234, 1.23, L"1.23"}, {99.996, 100, L"100"},
        {1.5, 1.5, L"1.5"},   {100.0, 100, L"100"}, {0.125, 0.13, L"0.13"}, {0, 0, L"0"},
        {0.001, 0, L"0"},     {25.04, 25, L"25"},   {1.25, 1.25, L"1.25"},
    };
    for (const auto& c : cases) {
        double rounded = c.value;
        Round_For_Display(rounded);
        EXPECT_NEAR(rounded, c.rounded, 1e-9) << c.value;
        CString text;
        Format_Number(c.value, text);
        EXPECT_STREQ(text, c.text) << c.value;
    }
}

TEST(Number_Display, CountsTheDecimalsTheFractionNeeds)
{
    const struct {
        double value;
        int decimals;
    } cases[] = {{3.0, 0}, {2.5, 1}, {0.25, 2}, {1.125, 3}, {0.0625, 4}, {0.03125, 5}, {1.0 / 3, 6},
                 {2.9999999999, 0}, {0.1, 1}, {0.99, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(Count_Decimals(c.value), c.decimals) << c.value;
}

TEST(Format_Short_Text, RefusesTextsThatDoNotFit)
{
    wchar_t buffer[Short_Text_Size];
    EXPECT_EQ(Format_Short_Text(buffer, L"%s--%d", L"批打印", 7), 6);
    EXPECT_STREQ(buffer, L"批打印--7");

    const std::wstring longest(Short_Text_Size - 1, L'x');
    EXPECT_EQ(Format_Short_Text(buffer, L"%s", longest.c_str()), Short_Text_Size - 1);
    const std::wstring too_long(Short_Text_Size, L'x');
    EXPECT_EQ(Format_Short_Text(buffer, L"%s", too_long.c_str()), -1);
    EXPECT_EQ(Format_Short_Text(buffer, nullptr), -1);
}

}  // namespace
