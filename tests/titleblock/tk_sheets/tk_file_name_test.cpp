// A recognised sheet's name from its definition's naming pattern.
#include "plot/pdf_merge.h"
#include "tk_sheet_fixture.h"

namespace {

class TK_File_Name : public TK_Sheet_Test {
public:
    void TearDown() override
    {
        g_TK_Sheet_List = nullptr;
        g_TK_Library.Line_Separator = L"+";
        TK_Sheet_Test::TearDown();
    }
};

TEST_F(TK_File_Name, The_Pattern_Letters_Give_The_Texts_And_The_Paper)
{
    struct Case {
        const char* label;
        const wchar_t* pattern;
        const wchar_t* number;  // text A; B..F are "R2", "TITLE", "2026", "INFO1", "INFO2"
        const wchar_t* title;   // text C when set
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"the default pattern", L"A_B_T_C", L"S-01", nullptr, L"S-01_R2_A3_TITLE"},
        {"every letter", L"F.E.D.C.B.A.T", L"S-01", nullptr, L"INFO2.INFO1.2026.TITLE.R2.S-01.A3"},
        {"a doubled letter is the letter", L"AAA", L"S-01", nullptr, L"AS-01"},
        {"every doubled letter", L"AA BB CC DD EE FF TT", L"S-01", nullptr, L"A B C D E F T"},
        {"letters inside a text are not pattern letters", L"A_T", L"AT-TB", nullptr, L"AT-TB_A3"},
        {"lower case is copied", L"a_A_t", L"S-01", nullptr, L"a_S-01_t"},
        {"a two-line title keeps its marker", L"C", L"S-01", L"ONE[++}TWO", L"ONE[++}TWO"},
        {"a slash becomes the division slash", L"A", L"1/2", nullptr, L"1\u22152"},
        {"colon and question mark go", L"A", L"S:01?", nullptr, L"S01"},
        {"line breaks go", L"C", L"S-01", L"ONE\r\nTWO", L"ONETWO"},
        {"an empty pattern", L"", L"S-01", nullptr, L""},
    };
    TK_Customization* tk = Definition(420, 297);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        tk->Name_Rule = c.pattern;
        Plot_Drawing2 sheet;
        sheet.TK = tk;
        sheet.Width = 4200;
        sheet.Height = 2970;
        const wchar_t* texts[6] = {c.number, L"R2", c.title ? c.title : L"TITLE", L"2026", L"INFO1", L"INFO2"};
        for (int k = 0; k < 6; ++k)
            sheet.Text[k] = texts[k];
        sheet.Build_File_Name();
        EXPECT_EQ(platform::To_Utf8(sheet.Name.GetString()), platform::To_Utf8(c.expected));
        EXPECT_DOUBLE_EQ(sheet.Plot_Scale, 10);  // fixed on the way
    }
}

TEST_F(TK_File_Name, The_Paper_Is_Named_At_The_Sheet_Scale_In_The_Library_Style)
{
    TK_Customization* tk = Definition(420, 297);
    tk->Name_Rule = L"T";
    Plot_Drawing2 sheet;
    sheet.TK = tk;
    sheet.Width = 4200;
    sheet.Height = 2970;
    sheet.Plot_Scale = 5;  // a scale set before: 840 x 594, A1
    sheet.Build_File_Name();
    EXPECT_EQ(platform::To_Utf8(sheet.Name.GetString()), "A1");
    EXPECT_DOUBLE_EQ(sheet.Plot_Scale, 5);

    sheet.Plot_Scale = 10.0 / 1.5;  // 630 x 445.5: A3 lengthened by a half, no standard size
    sheet.Height = 1980;            // 630 x 297
    g_TK_Library.Paper_Name_Style = 2;
    sheet.Build_File_Name();
    EXPECT_EQ(platform::To_Utf8(sheet.Name.GetString()), "1.5A3");
}

TEST_F(TK_File_Name, Merge_Titles_Of_The_Open_List_Join_Line_Breaks_With_The_Separator)
{
    CStringArray titles;
    g_Merge_List_Titles(2, titles);
    EXPECT_EQ(titles.GetSize(), 0);  // no list open

    Add_Sheet(0, 0, 100, 100)->File_Name = L"01_ONE[++}TWO[++}THREE";
    Add_Sheet(200, 0, 300, 100)->File_Name = L"02";
    g_TK_Sheet_List = &List;
    g_TK_Library.Line_Separator = L"~";
    g_Merge_List_Titles(2, titles);
    ASSERT_EQ(titles.GetSize(), 2);
    EXPECT_EQ(platform::To_Utf8(titles[0].GetString()), "01_ONE~TWO~THREE");
    EXPECT_EQ(platform::To_Utf8(titles[1].GetString()), "02");
}

}  // namespace
