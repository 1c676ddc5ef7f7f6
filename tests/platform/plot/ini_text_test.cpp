// The key=value text of the device files: sections, case, first line wins, line ends.
#include <gtest/gtest.h>

#include "plot/ini_text.h"

TEST(Ini_Text, Values_By_Section_And_Key)
{
    const platform::Ini_Text ini(L"top=1\r\n[Meta]\r\nName=K_PDF\r\nname=second\r\n\r\nnot a pair\n[user]\nsize_x0=420\n"
                                 L"size_y0=\nllx0=abc\n[META]\nextra=x=y\n");
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        std::optional<std::wstring> value;
    };
    const Case cases[] = {
        {L"", L"top", L"1"},
        {L"meta", L"NAME", L"K_PDF"},     // case ignored, the first line wins
        {L"Meta", L"extra", L"x=y"},      // a section met again adds to it; "=" in the value
        {L"user", L"size_x0", L"420"},
        {L"user", L"size_y0", L""},
        {L"user", L"name", std::nullopt},  // keys belong to their section
        {L"user", L"not a pair", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.section) + L"/" + c.key));
        EXPECT_EQ(ini.value(c.section, c.key), c.value);
    }
    EXPECT_EQ(ini.number(L"user", L"size_x0", -1), 420);
    EXPECT_EQ(ini.number(L"user", L"size_y0", -1), -1);
    EXPECT_EQ(ini.number(L"user", L"llx0", -1), -1);
    EXPECT_EQ(ini.number(L"user", L"missing", 7), 7);
}
