#include <gtest/gtest.h>

#include "com/menu_source.h"

namespace {

using platform::Menu_Source;
using platform::Menu_Source_Entry;
using Kind = Menu_Source_Entry::Kind;

TEST(Menu_Source_Test, PopupsWithSeparatorsAndNestedSubMenus)
{
    const std::wstring text =
        L"// a comment\r\n"
        L"***MENUGROUP=KGroup\r\n"
        L"\r\n"
        L"***TOOLBARS\r\n"
        L"anything here is skipped\r\n"
        L"***POP1\r\n"
        L"**KGroup1\r\n"
        L"ID_K1   [K-Menu]\r\n"
        L"ID_K1_1   [One--ALIAS]CMD_1\r\n"
        L"[--]\r\n"
        L"ID_K1_0   [->Outer]\r\n"
        L"ID_K1_2   [Two]CMD_2\r\n"
        L"ID_K1_0   [->Inner]\r\n"
        L"ID_K1_3   [<-<-Three-->x]CMD_3\r\n"
        L"[&Four]^C^CFOUR\r\n";
    Menu_Source source;
    std::string error;
    ASSERT_TRUE(platform::Parse_Menu_Source(text, source, error)) << error;
    EXPECT_EQ(source.group_name, L"KGroup");
    ASSERT_EQ(source.popups.size(), 1u);
    const auto& popup = source.popups[0];
    EXPECT_EQ(popup.name, L"K-Menu");
    EXPECT_EQ(popup.tag, L"ID_K1");
    ASSERT_EQ(popup.entries.size(), 4u);
    EXPECT_EQ(popup.entries[0].label, L"One--ALIAS");
    EXPECT_EQ(popup.entries[0].macro, L"CMD_1");
    EXPECT_EQ(popup.entries[0].tag, L"ID_K1_1");
    EXPECT_EQ(popup.entries[1].kind, Kind::Separator);
    const auto& outer = popup.entries[2];
    EXPECT_EQ(outer.kind, Kind::Sub_Menu);
    EXPECT_EQ(outer.label, L"Outer");
    ASSERT_EQ(outer.entries.size(), 2u);
    EXPECT_EQ(outer.entries[0].label, L"Two");
    const auto& inner = outer.entries[1];
    ASSERT_EQ(inner.entries.size(), 1u);
    EXPECT_EQ(inner.entries[0].label, L"Three-->x") << "\"<-<-\" closes both sub-menus";
    EXPECT_EQ(popup.entries[3].label, L"&Four") << "an entry without an id";
    EXPECT_EQ(popup.entries[3].macro, L"^C^CFOUR");
}

TEST(Menu_Source_Test, BadFilesNameTheirFault)
{
    struct Case {
        const wchar_t* text;
        const char* error;
    };
    const Case cases[] = {
        {L"***POP1\n[T]\n[A]a\n", "the file names no menu group (***MENUGROUP=)"},
        {L"***MENUGROUP=G\n***POP1\n[T]\nnot an entry\n", "line 4: a pop-up entry needs a label in brackets"},
        {L"***MENUGROUP=G\n***POP1\n[T]\n[->S]\n[A]a\n***POP2\n[U]\n", "line 6: a sub-menu is not closed with \"<-\""},
        {L"***MENUGROUP=G\n***POP1\n[T]\n[->S]\n[A]a\n", "line 6: a sub-menu is not closed with \"<-\""},
        {L"***MENUGROUP=G\n***POP1\n[T]\n[<-A]a\n", "line 4: \"<-\" closes a sub-menu that is not open"},
        {L"***MENUGROUP=G\n***POP1\n**G1\n***POP2\n[U]\n", "line 4: a ***POP section without a title line"},
    };
    for (const Case& c : cases) {
        Menu_Source source;
        std::string error;
        EXPECT_FALSE(platform::Parse_Menu_Source(c.text, source, error));
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
