// The library in memory: its construction values, Clear, the naming-pattern check, the
// sheets that point into it, and the one-time set-up of a new host profile.
#include "core/extents_checks.h"
#include "core/plot_config.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "sheets/paper_table.h"
#include "script/utf8.h"
#include "tk_library_fixture.h"

namespace {

using Library_Test = TK_Library_Test;

ZcDbExtents Set_Range() { return ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 5, 0)); }

TEST(TK_Library_Defaults, A_New_Library_Has_Its_Catalogue_Columns_And_The_47_Long_Paper_Names)
{
    TK_Library library;
    EXPECT_EQ(library.Records.GetSize(), 0);
    ASSERT_EQ(library.Cat_Col_Widths.GetSize(), 3);
    ASSERT_EQ(library.Cat_Col_Kinds.GetSize(), 3);
    const double widths[] = {900, 2300, 9850};
    const int kinds[] = {0, 1, 3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(library.Cat_Col_Widths[i], widths[i]);
        EXPECT_EQ(library.Cat_Col_Kinds[i], kinds[i]);
    }
    EXPECT_EQ(library.Cat_Row_Height, 1000.0);
    EXPECT_EQ(library.No_Suffix, CString(L"_"));
    EXPECT_EQ(library.Last_Name_Rule, CString(L"A_B_T_C"));
    EXPECT_EQ(library.Text_Settings.Font_File, CString(L"Korvel_EN.shx"));

    ASSERT_EQ(library.Long_Paper_Names.GetSize(), Long_Paper_Count);
    // The first and last name of each group: A3 in halves, A2, A1 and A0 in eighths.
    const struct {
        int index;
        const wchar_t* name;
    } names[] = {{0, L"A3+1∕2"},  {6, L"A3+7∕2"},  {7, L"A2+1∕8"},  {26, L"A2+5∕2"}, {27, L"A1+1∕8"},
                 {38, L"A1+3∕2"}, {39, L"A0+1∕8"}, {46, L"A0+1"},   {14, L"A2+1"},   {17, L"A2+11∕8"}};
    for (const auto& n : names) EXPECT_EQ(library.Long_Paper_Names[n.index], CString(n.name)) << n.index;
    // Names differ from each other and write fractions with the division slash.
    CStringArray reference;
    Reset_Long_Paper_Names(reference);
    for (int i = 0; i < Long_Paper_Count; ++i) {
        for (int j = 0; j < i; ++j) EXPECT_NE(reference[i], reference[j]) << i;
        EXPECT_EQ(reference[i].Find(L'/'), -1);
    }
}

TEST(TK_Library_Defaults, Clear_Leaves_No_Columns_And_The_Default_Paper_Names_And_Keeps_The_Rest)
{
    TK_Library library;
    library.Records.Add(new TK_Customization);
    library.Long_Paper_Names[3] = L"own";
    library.No_Prefix = L"kept";
    library.Cat_Row_Height = 5;
    library.Clear();
    EXPECT_EQ(library.Records.GetSize(), 0);
    EXPECT_EQ(library.Cat_Col_Widths.GetSize(), 0);
    EXPECT_EQ(library.Cat_Col_Kinds.GetSize(), 0);
    EXPECT_EQ(library.Long_Paper_Names.GetSize(), Long_Paper_Count);
    EXPECT_EQ(library.Long_Paper_Names[3], CString(L"A3+2"));
    EXPECT_EQ(library.No_Prefix, CString(L"kept"));
    EXPECT_EQ(library.Cat_Row_Height, 5.0);
}

TEST(TK_Name_Rule_Check, Every_Text_Letter_Of_The_Pattern_Needs_Its_Range)
{
    const struct {
        const wchar_t* pattern;
        const char* set;  // letters whose range is set
        bool passed;
        const wchar_t* wording_0;
        const wchar_t* wording_1;
    } cases[] = {
        {L"AA_B", "B", true, L"", L""},
        {L"A_C", "", false, L"文件命名中包含图号(A)，但未点取图号(A)范围",
         L"文件命名中包含图号(A)，但图框信息录入时未录入图号范围"},
        {L"C_B_A", "A", false, L"文件命名中包含版次(B)，但未点取版次(B)范围",
         L"文件命名中包含版次(B)，但图框信息录入时未录入版次范围"},
        {L"F-E", "E", false, L"文件命名中包含信息2(F)，但未点取信息2(F)范围",
         L"文件命名中包含信息2(F)，但图框信息录入时未录入信息2范围"},
        {L"D.E", "ABC", false, L"文件命名中包含日期(D)，但未点取日期(D)范围",
         L"文件命名中包含日期(D)，但图框信息录入时未录入日期范围"},
        {L"E", "ABCDF", false, L"文件命名中包含信息1(E)，但未点取信息1(E)范围",
         L"文件命名中包含信息1(E)，但图框信息录入时未录入信息1范围"},
        {L"C", "", false, L"文件命名中包含图名(C)，但未点取图名(C)范围",
         L"文件命名中包含图名(C)，但图框信息录入时未录入图名范围"},
        {L"AAA", "", false, L"文件命名中包含图号(A)，但未点取图号(A)范围",
         L"文件命名中包含图号(A)，但图框信息录入时未录入图号范围"},
        {L"T_BB_CC_DD_EE_FF_x", "", true, L"", L""},
        {L"a_b_c", "", true, L"", L""},
        {L"", "", true, L"", L""},
        {L"A_B_C_D_E_F_T", "ABCDEF", true, L"", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::To_Utf8(c.pattern));
        TK_Customization tk;
        tk.Name_Rule = c.pattern;
        for (const char* letter = c.set; *letter != 0; ++letter) tk.Range_Of_Type(*letter - 'A' + 1) = Set_Range();
        // A range of no height is not set.
        tk.Range_A = Check_Extents(tk.Range_A) ? tk.Range_A : ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(10, 0, 0));
        for (int wording : {0, 1}) {
            CString message = L"old";
            EXPECT_EQ(Check_Name_Rule(tk, message, wording), c.passed);
            EXPECT_EQ(message, CString(wording == 0 ? c.wording_0 : c.wording_1));
        }
    }
}

TEST(TK_Range_Types, Each_Type_Names_Its_Range_And_Others_The_Plot_Range)
{
    TK_Customization tk;
    const struct {
        int type;
        ZcDbExtents TK_Customization::*range;
    } cases[] = {{0, &TK_Customization::Plot_Range},     {1, &TK_Customization::Range_A},
                 {2, &TK_Customization::Range_B},        {3, &TK_Customization::Range_C},
                 {4, &TK_Customization::Range_D},        {5, &TK_Customization::Range_E},
                 {6, &TK_Customization::Range_F},        {11, &TK_Customization::Stamp_Range_1},
                 {12, &TK_Customization::Stamp_Range_2}, {13, &TK_Customization::Stamp_Range_3},
                 {14, &TK_Customization::Stamp_Range_4}, {7, &TK_Customization::Plot_Range},
                 {-1, &TK_Customization::Plot_Range},    {15, &TK_Customization::Plot_Range}};
    for (const auto& c : cases) EXPECT_EQ(&tk.Range_Of_Type(c.type), &(tk.*c.range)) << c.type;
}

// Sheets of the open title-block list point at definitions of the library: when a load or a
// clear replaces them, each sheet takes the new definition of its block or is dropped.
class Library_Sheets_Test : public TK_Library_Test {
protected:
    void TearDown() override
    {
        g_TK_Sheet_List = nullptr;
        Sheets.Clear();
        TK_Library_Test::TearDown();
    }
    Plot_Drawing2* Add_Sheet(TK_Customization* tk)
    {
        auto* sheet = new Plot_Drawing2;
        sheet->TK = tk;
        // A line stands in for the marker, which goes with the sheet.
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbObjectPointer<ZcDbBlockTableRecord> model(db->modelSpaceId(), ZcDb::kForWrite);
        auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0));
        model->appendZcDbEntity(sheet->Marker_Id, line);
        line->close();
        Sheets.Sheets.Add(sheet);
        return sheet;
    }
    static bool Erased(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead, true);
        return entity.openStatus() == Zcad::eOk && entity->isErased();
    }

    TK_Sheet_List Sheets;
};

TEST_F(Library_Sheets_Test, A_Load_Points_Each_Sheet_At_The_New_Definition_Of_Its_Block_Or_Drops_It)
{
    for (const wchar_t* block : {L"Frame_A", L"Frame_B"}) {
        auto* tk = new TK_Customization;
        tk->Block_Name = block;
        g_TK_Library.Records.Add(tk);
    }
    Plot_Drawing2* a = Add_Sheet(g_TK_Library.Records[0]);
    Plot_Drawing2* b = Add_Sheet(g_TK_Library.Records[1]);
    Plot_Drawing2* unbound = Add_Sheet(nullptr);
    Plot_Drawing2* a_again = Add_Sheet(g_TK_Library.Records[0]);
    const ZcDbObjectId b_marker = b->Marker_Id;
    g_TK_Sheet_List = &Sheets;

    Write_File(Library_Path(), TK_File_Text(20241216).Int(2).Definition(L"New", 1).Definition(L"FRAME_a", 2).Settings().Text);
    ASSERT_TRUE(g_TK_Library.Load(0));
    ASSERT_EQ(g_TK_Library.Records.GetSize(), 2);
    ASSERT_EQ(Sheets.Sheets.GetSize(), 3);
    EXPECT_EQ(Sheets.Sheets[0], a);
    EXPECT_EQ(Sheets.Sheets[1], unbound);
    EXPECT_EQ(Sheets.Sheets[2], a_again);
    EXPECT_EQ(a->TK, g_TK_Library.Records[1]);
    EXPECT_EQ(a_again->TK, g_TK_Library.Records[1]);
    EXPECT_EQ(unbound->TK, nullptr);
    EXPECT_TRUE(Erased(b_marker));
    EXPECT_FALSE(Erased(a->Marker_Id));

    // An import that keeps the definitions leaves the sheets where they are.
    Script("file \"" + platform::To_Utf8(Library_Path().GetString()) + "\"\nmsgbox YES\n");
    ASSERT_TRUE(g_TK_Library.Load(1));
    EXPECT_EQ(Sheets.Sheets.GetSize(), 3);
    EXPECT_EQ(a->TK, g_TK_Library.Records[1]);

    const ZcDbObjectId a_marker = a->Marker_Id;
    g_TK_Library.Clear();
    ASSERT_EQ(Sheets.Sheets.GetSize(), 1);
    EXPECT_EQ(Sheets.Sheets[0], unbound);
    EXPECT_TRUE(Erased(a_marker));
}

TEST_F(Library_Sheets_Test, A_Damaged_Load_Keeps_The_Sheets_Whose_Definitions_It_Read)
{
    auto* tk = new TK_Customization;
    tk->Block_Name = L"TK1";
    g_TK_Library.Records.Add(tk);
    Plot_Drawing2* sheet = Add_Sheet(tk);
    g_TK_Sheet_List = &Sheets;
    const std::string whole = TK_File_Text(20241216).Int(2).Definition(L"TK1", 1).Definition(L"TK2", 2).Settings().Text;
    Write_File(Library_Path(), whole.substr(0, whole.find("Frame*?*2") + 30));
    EXPECT_FALSE(g_TK_Library.Load(0));
    ASSERT_EQ(Sheets.Sheets.GetSize(), 1);
    EXPECT_EQ(sheet->TK, g_TK_Library.Records[0]);
}

// The first start under any host profile reads the library, clears its six centring flags
// and writes it; a library file that cannot be read whole is left as it is.
TEST_F(Library_Test, The_First_Set_Up_Clears_The_Centring_Flags_And_Writes_The_Library)
{
    Write_File(Library_Path(), TK_File_Text(20241216).Int(1).Definition(L"TK1", 1).Settings().Text);
    g_Plot_Config.Load();
    for (int flag : g_TK_Library.Centre_Text) EXPECT_EQ(flag, 0);
    TK_Library read;
    ASSERT_TRUE(read.Load(0));
    ASSERT_EQ(read.Records.GetSize(), 1);
    for (int flag : read.Centre_Text) EXPECT_EQ(flag, 0);
}

TEST_F(Library_Test, The_First_Set_Up_Leaves_A_Damaged_Library_File_As_It_Is)
{
    const std::string whole = TK_File_Text(20241216).Int(1).Definition(L"TK1", 1).Settings().Text;
    const std::string damaged = whole.substr(0, whole.size() - 20);
    Write_File(Library_Path(), damaged);
    g_Plot_Config.Load();
    EXPECT_EQ(File_Bytes(Library_Path()), damaged);
    EXPECT_EQ(g_TK_Library.Records.GetSize(), 1);
}

}  // namespace
