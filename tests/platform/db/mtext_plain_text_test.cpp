// The plain text of multiline-text contents: escaped characters and stacks stay characters,
// format codes go.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/dbmtext.h"

TEST(MTextPlainText, EscapesAndStacksStayCharactersWhileCodesGo)
{
    struct Case {
        const wchar_t* contents;
        std::vector<std::wstring> paragraphs;
    } cases[] = {
        {L"a\\\\b", {L"a\\b"}},
        {L"\\{x\\}", {L"{x}"}},
        {L"a\\~b", {L"a b"}},
        {L"\\U+5DE5\\U+7A0B", {L"\u5DE5\u7A0B"}},
        {L"\\U+12G4", {L"U+12G4"}},
        {L"\\U+12", {L"U+12"}},
        {L"{\\C1;\\fSimSun|b0;A}\\PB", {L"A", L"B"}},
        {L"1\\S1/2;", {L"11/2"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::MText_Plain_Paragraphs(c.contents), c.paragraphs) << std::wstring(c.contents).c_str();
}
