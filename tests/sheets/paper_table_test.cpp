#include <gtest/gtest.h>

#include <vector>

#include "script/utf8.h"
#include "sheets/paper_table.h"
#include "titleblock/tk_library.h"

namespace {

std::string U8(const CString& text) { return platform::To_Utf8(text.GetString()); }

// The lengthened sizes as the naming table lists them: name, size and the display forms
// of styles 0, 1, 2, 3, 4 and 6 (empty where style 4 has no form).
struct Long_Row {
    const wchar_t* name;
    int long_side;
    int short_side;
    const wchar_t* forms[6];
};
const Long_Row Long_Rows[] = {
    {L"KV_A3_Plus_1+1-2", 630, 297, {L"A3+1∕2", L"A3+0.5", L"1.5A3", L"A3+1", L"A3++", L"A3+1"}},
    {L"KV_A3_Plus_1+1", 841, 297, {L"A3+1", L"A3+1", L"2A3", L"A3+2", L"A3++++", L"A3+2"}},
    {L"KV_A3_Plus_1+3-2", 1051, 297, {L"A3+3∕2", L"A3+1.5", L"2.5A3", L"A3+3", L"A3++++++", L"A3+3"}},
    {L"KV_A3_Plus_1+2", 1261, 297, {L"A3+2", L"A3+2", L"3A3", L"A3+4", L"A3++++++++", L"A3+4"}},
    {L"KV_A3_Plus_1+5-2", 1471, 297, {L"A3+5∕2", L"A3+2.5", L"3.5A3", L"A3+5", L"A3++++++++++", L"A3+5"}},
    {L"KV_A3_Plus_1+3", 1682, 297, {L"A3+3", L"A3+3", L"4A3", L"A3+6", L"A3++++++++++++", L"A3+6"}},
    {L"KV_A3_Plus_1+7-2", 1892, 297, {L"A3+7∕2", L"A3+3.5", L"4.5A3", L"A3+7", L"A3++++++++++++++", L"A3+7"}},
    {L"KV_A2_Plus_1+1-8", 668, 420, {L"A2+1∕8", L"A2+0.125", L"1.125A2", L"A2+0.5", L"A2+1∕8", L"A2+1"}},
    {L"KV_A2_Plus_1+1-4", 743, 420, {L"A2+1∕4", L"A2+0.25", L"1.25A2", L"A2+1", L"A2+", L"A2+2"}},
    {L"KV_A2_Plus_1+3-8", 817, 420, {L"A2+3∕8", L"A2+0.375", L"1.375A2", L"A2+1.5", L"A2+3∕8", L"A2+3"}},
    {L"KV_A2_Plus_1+1-2", 891, 420, {L"A2+1∕2", L"A2+0.5", L"1.5A2", L"A2+2", L"A2++", L"A2+4"}},
    {L"KV_A2_Plus_1+5-8", 965, 420, {L"A2+5∕8", L"A2+0.625", L"1.625A2", L"A2+2.5", L"A2+5∕8", L"A2+5"}},
    {L"KV_A2_Plus_1+3-4", 1040, 420, {L"A2+3∕4", L"A2+0.75", L"1.75A2", L"A2+3", L"A2+++", L"A2+6"}},
    {L"KV_A2_Plus_1+7-8", 1115, 420, {L"A2+7∕8", L"A2+0.875", L"1.875A2", L"A2+3.5", L"A2+7∕8", L"A2+7"}},
    {L"KV_A2_Plus_1+1", 1189, 420, {L"A2+1", L"A2+1", L"2A2", L"A2+4", L"A2++++", L"A2+8"}},
    {L"KV_A2_Plus_1+9-8", 1263, 420, {L"A2+9∕8", L"A2+1.125", L"2.125A2", L"A2+4.5", L"", L"A2+9"}},
    {L"KV_A2_Plus_1+5-4", 1338, 420, {L"A2+5∕4", L"A2+1.25", L"2.25A2", L"A2+5", L"A2+++++", L"A2+10"}},
    {L"KV_A2_Plus_1+11-8", 1412, 420, {L"A2+11∕8", L"A2+1.375", L"2.375A2", L"A2+5.5", L"", L"A2+11"}},
    {L"KV_A2_Plus_1+3-2", 1486, 420, {L"A2+3∕2", L"A2+1.5", L"2.5A2", L"A2+6", L"A2++++++", L"A2+12"}},
    {L"KV_A2_Plus_1+13-8", 1560, 420, {L"A2+13∕8", L"A2+1.625", L"2.625A2", L"A2+6.5", L"", L"A2+13"}},
    {L"KV_A2_Plus_1+7-4", 1635, 420, {L"A2+7∕4", L"A2+1.75", L"2.75A2", L"A2+7", L"A2+++++++", L"A2+14"}},
    {L"KV_A2_Plus_1+15-8", 1709, 420, {L"A2+15∕8", L"A2+1.875", L"2.875A2", L"A2+7.5", L"", L"A2+15"}},
    {L"KV_A2_Plus_1+2", 1783, 420, {L"A2+2", L"A2+2", L"3A2", L"A2+8", L"A2++++++++", L"A2+16"}},
    {L"KV_A2_Plus_1+17-8", 1857, 420, {L"A2+17∕8", L"A2+2.125", L"3.125A2", L"A2+8.5", L"", L"A2+17"}},
    {L"KV_A2_Plus_1+9-4", 1932, 420, {L"A2+9∕4", L"A2+2.25", L"3.25A2", L"A2+9", L"A2+++++++++", L"A2+18"}},
    {L"KV_A2_Plus_1+19-8", 2006, 420, {L"A2+19∕8", L"A2+2.375", L"3.375A2", L"A2+9.5", L"", L"A2+19"}},
    {L"KV_A2_Plus_1+5-2", 2080, 420, {L"A2+5∕2", L"A2+2.5", L"3.5A2", L"A2+10", L"A2++++++++++", L"A2+20"}},
    {L"KV_A1_Plus_1+1-8", 946, 594, {L"A1+1∕8", L"A1+0.125", L"1.125A1", L"A1+0.5", L"A1+1∕8", L"A1+1"}},
    {L"KV_A1_Plus_1+1-4", 1051, 594, {L"A1+1∕4", L"A1+0.25", L"1.25A1", L"A1+1", L"A1+", L"A1+2"}},
    {L"KV_A1_Plus_1+3-8", 1156, 594, {L"A1+3∕8", L"A1+0.375", L"1.375A1", L"A1+1.5", L"A1+3∕8", L"A1+3"}},
    {L"KV_A1_Plus_1+1-2", 1261, 594, {L"A1+1∕2", L"A1+0.5", L"1.5A1", L"A1+2", L"A1++", L"A1+4"}},
    {L"KV_A1_Plus_1+5-8", 1367, 594, {L"A1+5∕8", L"A1+0.625", L"1.625A1", L"A1+2.5", L"A1+5∕8", L"A1+5"}},
    {L"KV_A1_Plus_1+3-4", 1471, 594, {L"A1+3∕4", L"A1+0.75", L"1.75A1", L"A1+3", L"A1+++", L"A1+6"}},
    {L"KV_A1_Plus_1+7-8", 1576, 594, {L"A1+7∕8", L"A1+0.875", L"1.875A1", L"A1+3.5", L"A1+7∕8", L"A1+7"}},
    {L"KV_A1_Plus_1+1", 1682, 594, {L"A1+1", L"A1+1", L"2A1", L"A1+4", L"A1++++", L"A1+8"}},
    {L"KV_A1_Plus_1+9-8", 1787, 594, {L"A1+9∕8", L"A1+1.125", L"2.125A1", L"A1+4.5", L"", L"A1+9"}},
    {L"KV_A1_Plus_1+5-4", 1892, 594, {L"A1+5∕4", L"A1+1.25", L"2.25A1", L"A1+5", L"A1+++++", L"A1+10"}},
    {L"KV_A1_Plus_1+11-8", 1997, 594, {L"A1+11∕8", L"A1+1.375", L"2.375A1", L"A1+5.5", L"", L"A1+11"}},
    {L"KV_A1_Plus_1+3-2", 2102, 594, {L"A1+3∕2", L"A1+1.5", L"2.5A1", L"A1+6", L"A1++++++", L"A1+12"}},
    {L"KV_A0_Plus_1+1-8", 1338, 841, {L"A0+1∕8", L"A0+0.125", L"1.125A0", L"A0+0.5", L"A0+1∕8", L"A0+1"}},
    {L"KV_A0_Plus_1+1-4", 1486, 841, {L"A0+1∕4", L"A0+0.25", L"1.25A0", L"A0+1", L"A0+", L"A0+2"}},
    {L"KV_A0_Plus_1+3-8", 1635, 841, {L"A0+3∕8", L"A0+0.375", L"1.375A0", L"A0+1.5", L"A0+3∕8", L"A0+3"}},
    {L"KV_A0_Plus_1+1-2", 1783, 841, {L"A0+1∕2", L"A0+0.5", L"1.5A0", L"A0+2", L"A0++", L"A0+4"}},
    {L"KV_A0_Plus_1+5-8", 1932, 841, {L"A0+5∕8", L"A0+0.625", L"1.625A0", L"A0+2.5", L"A0+5∕8", L"A0+5"}},
    {L"KV_A0_Plus_1+3-4", 2080, 841, {L"A0+3∕4", L"A0+0.75", L"1.75A0", L"A0+3", L"A0+++", L"A0+6"}},
    {L"KV_A0_Plus_1+7-8", 2229, 841, {L"A0+7∕8", L"A0+0.875", L"1.875A0", L"A0+3.5", L"A0+7∕8", L"A0+7"}},
    {L"KV_A0_Plus_1+1", 2378, 841, {L"A0+1", L"A0+1", L"2A0", L"A0+4", L"A0++++", L"A0+8"}},
};
const int Row_Styles[6] = {0, 1, 2, 3, 4, 6};

CString Convert(const CString& name, int style)
{
    CStringArray no_names;
    CString text = name;
    Convert_Paper_Name_Style(text, style, no_names);
    return text;
}

TEST(Paper_Table, Every_Lengthened_Size_Has_Its_Name_And_Forms)
{
    ASSERT_EQ(std::size(Long_Rows), static_cast<size_t>(Long_Paper_Count));
    for (const Long_Row& row : Long_Rows) {
        const MyPaper paper(row.long_side, row.short_side);
        EXPECT_EQ(U8(paper.Get_Name()), U8(row.name));
        for (int k = 0; k < 6; ++k) {
            if (row.forms[k][0] == 0)
                continue;
            EXPECT_EQ(U8(Convert(row.name, Row_Styles[k])), U8(row.forms[k]))
                << U8(row.name) << " in style " << Row_Styles[k];
        }
    }
}

TEST(Paper_Table, Canonical_Names)
{
    struct Case { int long_side, short_side; const wchar_t* name; };
    const Case cases[] = {
        {210, 148, L"KV_A5"}, {297, 210, L"KV_A4"}, {1189, 841, L"KV_A0"}, {250, 176, L"KV_B5"},
        {1414, 1000, L"KV_B0"}, {1500, 210, L"KV_A4_Plus_1500"}, {1003, 707, L"KV_B1_Plus_1003"},
        {1000, 700, L"KV_1000x700"}, {500, 500, L"KV_B2_Plus_500"}, {600, 600, L"KV_600x600"},
        // Sides swapped: the short side 297 names an A3 base.
        {210, 297, L"KV_A3_Plus_210"},
        {1787, 594, L"KV_A1_Plus_1+9-8"}, {1788, 594, L"KV_A1_Plus_1788"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U8(MyPaper(c.long_side, c.short_side).Get_Name()), U8(c.name));
}

TEST(Paper_Table, Snapping)
{
    struct Case { int long_in, short_in; int long_out, short_out; bool standard; const wchar_t* name; };
    const Case cases[] = {
        {296, 211, 297, 210, true, L"KV_A4"},
        {1000, 706, 1000, 707, true, L"KV_B1"},
        // Off by exactly 0.3 %: not below the limit.
        {1003, 707, 1003, 707, false, L"KV_B1_Plus_1003"},
        // Short side snapped, long side scaled with it.
        {1500, 299, 1490, 297, false, L"KV_A3_Plus_1490"},
        // 1787 is named, but A1 snaps at quarter steps only.
        {1788, 594, 1788, 594, false, L"KV_A1_Plus_1788"},
        {1680, 595, 1682, 594, true, L"KV_A1_Plus_1+1"},
        {2375, 840, 2378, 841, true, L"KV_A0_Plus_1+1"},
        {1000, 700, 1000, 700, false, L"KV_1000x700"},
        {1414, 1002, 1414, 1000, true, L"KV_B0"},
        {1200, 1002, 1198, 1000, false, L"KV_B0_Plus_1198"},
    };
    for (const Case& c : cases) {
        MyPaper paper(c.long_in, c.short_in);
        paper.Standard = !c.standard;
        paper.Snap_To_Standard();
        EXPECT_EQ(paper.Long_Side, c.long_out) << c.long_in << " x " << c.short_in;
        EXPECT_EQ(paper.Short_Side, c.short_out) << c.long_in << " x " << c.short_in;
        EXPECT_EQ(paper.Standard, c.standard) << c.long_in << " x " << c.short_in;
        EXPECT_EQ(U8(paper.Get_Name()), U8(c.name));
    }
}

TEST(Paper_Table, Style_Conversion_Of_Other_Names)
{
    struct Case { const wchar_t* name; int style; const wchar_t* shown; };
    const Case cases[] = {
        {L"KV_A4_Plus_1500", 5, L"A4+"},
        {L"KV_A2_Plus_1+3-8", 5, L"A2+"},
        {L"KV_A4_Plus_1500", 0, L"A4加长_1500"},
        {L"KV_A4_Plus_1500", 3, L"A4加长_1500"},
        {L"KV_A4_Plus_1500", 7, L"A4_Plus_1500"},
        {L"KV_A1", 0, L"A1"},
        {L"KV_A1", 5, L"A1"},
        {L"KV_A1", 7, L"A1"},
        {L"KV_1000x700", 2, L"1000x700"},
        // Unknown styles behave as style 0.
        {L"KV_A2_Plus_1+3-8", 9, L"A2+3∕8"},
        {L"KV_A2_Plus_1+3-8", -1, L"A2+3∕8"},
        // A longer suffix is never converted by the entry of its prefix.
        {L"KV_A2_Plus_1+11-8", 1, L"A2+1.375"},
        {L"KV_A2_Plus_1+1", 1, L"A2+1"},
        {L"KV_A3_Plus_1+1-2", 3, L"A3+1"},
        {L"KV_A2_Plus_1+1-8", 3, L"A2+0.5"},
        // Style 4 has no form of its own for odd eighths above one width.
        {L"KV_A2_Plus_1+9-8", 4, L"A2+9∕8"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U8(Convert(c.name, c.style)), U8(c.shown)) << U8(c.name) << " in style " << c.style;
}

TEST(Paper_Table, Style_7_Takes_The_Users_Names)
{
    CStringArray names;
    for (int i = 0; i < Long_Paper_Count; ++i) {
        CString name;
        name.Format(L"Long%d", i + 1);
        names.Add(name);
    }
    CString text = L"KV_A2_Plus_1+3-8";
    Convert_Paper_Name_Style(text, 7, names);
    EXPECT_EQ(U8(text), "Long10");
    text = L"KV_a0_PLUS_1+1";
    Convert_Paper_Name_Style(text, 7, names);
    EXPECT_EQ(U8(text), "Long47");

    // A missing or empty entry shows the table's default name.
    names.SetSize(10);
    names[9] = L"";
    text = L"KV_A2_Plus_1+3-8";
    Convert_Paper_Name_Style(text, 7, names);
    EXPECT_EQ(U8(text), U8(L"A2+3∕8"));
    text = L"KV_A1_Plus_1+1";
    Convert_Paper_Name_Style(text, 7, names);
    EXPECT_EQ(U8(text), "A1+1");
}

class Paper_Library_Style : public ::testing::Test {
protected:
    void TearDown() override
    {
        g_TK_Library.Paper_Name_Style = 0;
        g_TK_Library.Long_Paper_Names.RemoveAll();
    }
};

TEST_F(Paper_Library_Style, Display_Names)
{
    g_TK_Library.Paper_Name_Style = 0;
    EXPECT_EQ(U8(MyPaper(420, 297).Get_Display_Name(true, true)), "A3 (297x420)");
    EXPECT_EQ(U8(MyPaper(420, 297).Get_Display_Name(true, false)), "A3 (420x297)");
    EXPECT_EQ(U8(MyPaper(420, 297).Get_Display_Name(false, true)), "A3");
    EXPECT_EQ(U8(MyPaper(1000, 700).Get_Display_Name(true, false)), "1000x700");
    EXPECT_EQ(U8(MyPaper(1000, 700).Get_Display_Name(true, true)), "700x1000");
    EXPECT_EQ(U8(MyPaper(817, 420).Get_Display_Name(true, false)), U8(L"A2+3∕8 (817x420)"));
    g_TK_Library.Paper_Name_Style = 2;
    EXPECT_EQ(U8(MyPaper(817, 420).Get_Display_Name(false, false)), "1.375A2");
    // A style-7 name without A or B shows the sizes alone.
    g_TK_Library.Paper_Name_Style = 7;
    for (int i = 0; i < Long_Paper_Count; ++i)
        g_TK_Library.Long_Paper_Names.Add(L"x");
    g_TK_Library.Long_Paper_Names[9] = L"Long";
    EXPECT_EQ(U8(MyPaper(817, 420).Get_Display_Name(true, true)), "420x817");
}

// Sizes of a paper list, for comparisons.
std::vector<std::pair<int, int>> Sizes(const Paper_Array& papers)
{
    std::vector<std::pair<int, int>> sizes;
    for (INT_PTR i = 0; i < papers.GetSize(); ++i)
        sizes.emplace_back(papers[i]->Long_Side, papers[i]->Short_Side);
    return sizes;
}

TEST(Paper_List, Standard_Papers_In_Search_Order)
{
    Paper_Array papers;
    Fill_Standard_Papers(papers);
    const std::vector<std::pair<int, int>> expected = {
        {297, 210},  {420, 297},  {594, 420},  {841, 594},  {1189, 841}, {743, 420},  {891, 420},
        {1040, 420}, {1189, 420}, {1051, 594}, {1261, 594}, {1471, 594}, {1682, 594}, {1338, 841},
        {1486, 841}, {1635, 841}, {1783, 841}, {1932, 841}, {2080, 841}, {2229, 841}, {2378, 841}};
    EXPECT_EQ(Sizes(papers), expected);
    for (INT_PTR i = 0; i < papers.GetSize(); ++i)
        EXPECT_TRUE(papers[i]->Standard);
    Delete_All_Objects(papers);
}

TEST(Paper_List, Add_Unique_Finds_Snapped_Sizes)
{
    Paper_Array papers;
    bool added = false;
    MyPaper* a1 = Add_Paper_Unique(papers, 841, 594, added);
    EXPECT_TRUE(added);
    EXPECT_TRUE(a1->Standard);
    EXPECT_EQ(Add_Paper_Unique(papers, 594, 841, added), a1);
    EXPECT_FALSE(added);
    EXPECT_EQ(Add_Paper_Unique(papers, 595, 843, added), a1);
    EXPECT_FALSE(added);
    MyPaper* custom = Add_Paper_Unique(papers, 700, 1000, added);
    EXPECT_TRUE(added);
    EXPECT_EQ(custom->Long_Side, 1000);
    EXPECT_EQ(custom->Short_Side, 700);
    EXPECT_EQ(papers.GetSize(), 2);
    Delete_All_Objects(papers);
}

TEST(Paper_List, Find_By_Canonical_Name_Only)
{
    Paper_Array papers;
    Add_Paper(papers, new MyPaper(420, 297));
    Add_Paper(papers, new MyPaper(842, 593));
    Add_Paper(papers, new MyPaper(1261, 594));
    EXPECT_EQ(Find_Paper_By_Name(papers, L"kv_a1"), papers[1]);
    EXPECT_EQ(Find_Paper_By_Name(papers, L"KV_A1_Plus_1+1-2"), papers[2]);
    EXPECT_EQ(Find_Paper_By_Name(papers, L"A1+1∕2"), nullptr);
    EXPECT_EQ(Find_Paper_By_Name(papers, L"A1"), nullptr);
    Delete_All_Objects(papers);
}

TEST(Paper_List, Remove_Duplicates_Keeps_First_Of_Each_Size)
{
    Paper_Array papers;
    for (auto size : std::vector<std::pair<int, int>>{{297, 210}, {420, 297}, {297, 210}, {297, 210}, {594, 420}})
        papers.Add(new MyPaper(size.first, size.second));
    MyPaper* first = papers[0];
    Remove_Duplicate_Papers(papers);
    EXPECT_EQ(Sizes(papers), (std::vector<std::pair<int, int>>{{297, 210}, {420, 297}, {594, 420}}));
    EXPECT_EQ(papers[0], first);
    Delete_All_Objects(papers);
}

}  // namespace
