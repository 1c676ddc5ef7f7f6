// Papers of recognised sheets: a sheet's paper and scale from its definition (fixed scale,
// plain and stretched dynamic frames), the list's paper operations with their device files,
// and the stamp kinds some sheet can hold.
#include "core/file_operations.h"
#include "db/dbents.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "tk_sheet_fixture.h"

namespace {

class TK_Sheet_Papers : public TK_Sheet_Test {
public:
    void SetUp() override
    {
        TK_Sheet_Test::SetUp();
        g_Cur_Plot_Option = &Options;
        Get_Device_Folders(Config_Folder, Desc_Folder, Config_Usable, Desc_Usable);
        Delete_Folder_Files(Config_Folder);
        Delete_Folder_Files(Desc_Folder);
    }

    // A block holding one rectangle of the size at the origin.
    static ZcDbObjectId Frame_Block(const wchar_t* name, double width, double height)
    {
        const ZcDbObjectId block_id = Add_Block(name);
        auto* frame = new ZcDbPolyline;
        const ZcGePoint2d corners[] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
        for (unsigned i = 0; i < 4; ++i)
            frame->addVertexAt(i, corners[i]);
        frame->setClosed(true);
        Add(frame, block_id);
        return block_id;
    }

    CString Config_Folder, Desc_Folder;
    bool Config_Usable = false, Desc_Usable = false;
};

std::string Sizes(const MyPaper& paper)
{
    return std::to_string(paper.Long_Side) + "x" + std::to_string(paper.Short_Side) + (paper.Standard ? " std" : "");
}

TEST_F(TK_Sheet_Papers, Match_Paper_Takes_The_Definition_Paper_Or_The_Fixed_Scale)
{
    struct Case {
        const char* label;
        double width, height;
        int paper_long, paper_short;  // of the definition; 0: no definition
        double plot_scale;            // before
        bool matched;
        const char* paper;            // after, from a 297 x 210 paper
        double scale;                 // after
    };
    const Case cases[] = {
        {"landscape on the definition's A3", 2000, 1000, 420, 297, 0, true, "420x297", 2000.0 / 420},
        {"portrait on A4", 2100, 2970, 297, 210, 0, true, "297x210", 10},
        {"a fixed scale gives the paper, not snapped when far", 2000, 1000, 420, 297, 10, true, "200x100", 10},
        {"a fixed scale without definition", 2000, 1000, 0, 0, 10, true, "200x100", 10},
        {"at least 1 mm each side", 2000, 1000, 420, 297, 5000, true, "1x1", 5000},
        {"halves round up", 1002, 998, 420, 297, 4, true, "251x250", 4},
        {"a fixed scale snaps onto A1", 84200, 59300, 420, 297, 100, true, "841x594 std", 100},
        {"no definition, no scale", 2000, 1000, 0, 0, 0, false, "297x210", 0},
        {"a paper without area gives no endless scale", 2000, 1000, 420, 0, 0, false, "420x0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Plot_Drawing2 sheet;
        sheet.Width = c.width;
        sheet.Height = c.height;
        sheet.Portrait = c.width < c.height;
        sheet.Plot_Scale = c.plot_scale;
        if (c.paper_long > 0)
            sheet.TK = Definition(c.paper_long, c.paper_short);
        MyPaper paper(297, 210);
        EXPECT_EQ(sheet.Match_Paper(&paper), c.matched);
        EXPECT_EQ(Sizes(paper), c.paper);
        EXPECT_NEAR(sheet.Plot_Scale, c.scale, 1e-9);
    }
}

TEST_F(TK_Sheet_Papers, A_Standard_Definition_Paper_Keeps_Its_Flag_And_A_Null_Paper_Is_Refused)
{
    Plot_Drawing2 sheet;
    sheet.Width = 8410;
    sheet.Height = 5940;
    sheet.TK = Definition(841, 594);
    sheet.TK->Paper.Standard = true;
    MyPaper paper(297, 210);
    ASSERT_TRUE(sheet.Match_Paper(&paper));
    EXPECT_EQ(Sizes(paper), "841x594 std");
    EXPECT_DOUBLE_EQ(sheet.Plot_Scale, 10);
    EXPECT_FALSE(sheet.Match_Paper(nullptr));
}

TEST_F(TK_Sheet_Papers, A_Stretched_Dynamic_Frame_Stretches_The_Definition_Paper)
{
    // Defined as 420 x 297 at scale 1 on a 420 x 297 paper.
    struct Case {
        const char* label;
        double block_width, block_height, insert_scale;
        bool plot_range;  // inset by 10 on every side
        bool defined;     // frame extents set
        const char* paper;
    };
    const Case cases[] = {
        {"stretched to 840 wide", 840, 297, 1, false, true, "840x297"},
        {"stretched and inserted ten times larger", 840, 297, 10, false, true, "840x297"},
        {"taller than wide: the longer side stays the longer", 297, 840, 1, false, true, "840x297"},
        {"an adjusted plot range maps its own size", 840, 297, 1, true, true, "861x291"},
        {"a definition without frame size keeps the caller's paper", 840, 297, 1, false, false, "297x210"},
    };
    int block = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::wstring name = L"TK_DYN_" + std::to_wstring(block++);
        const ZcDbObjectId block_id = Frame_Block(name.c_str(), c.block_width, c.block_height);
        auto* reference = new ZcDbBlockReference(ZcGePoint3d(5000, 5000, 0), block_id);
        reference->setScaleFactors(ZcGeScale3d(c.insert_scale));
        TK_Customization* tk = Definition(420, 297);
        tk->Is_Dynamic = 1;
        if (c.defined)
            tk->Frame_Ext = ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(420, 297, 0));
        if (c.plot_range)
            tk->Plot_Range = ZcDbExtents(ZcGePoint3d(10, 10, 0), ZcGePoint3d(410, 287, 0));
        Plot_Drawing2 sheet;
        sheet.Insert_Id = Add(reference);
        sheet.TK = tk;
        sheet.Width = c.block_width * c.insert_scale;
        sheet.Height = c.block_height * c.insert_scale;
        sheet.Portrait = sheet.Width < sheet.Height;
        MyPaper paper(297, 210);
        ASSERT_TRUE(sheet.Match_Paper(&paper));
        EXPECT_EQ(Sizes(paper), c.paper);
        EXPECT_GT(sheet.Plot_Scale, 0.0);
    }
}

TEST_F(TK_Sheet_Papers, Assign_Papers_Names_Each_Sheet_Paper_And_Installs_The_Devices)
{
    Options.Output_Type = 3;
    Plot_Drawing2* a3 = Add_Sheet(0, 0, 4200, 2970, Definition(420, 297));
    Plot_Drawing2* custom = Add_Sheet(5000, 0, 15000, 5000, Definition(1000, 500));
    Plot_Drawing2* a3_again = Add_Sheet(0, 5000, 2970, 9200, Definition(420, 297));
    Plot_Drawing2* unmatched = Add_Sheet(20000, 0, 21000, 1000);
    unmatched->Paper_Name = L"kept";

    List.Assign_Papers(true);
    EXPECT_EQ(platform::To_Utf8(a3->Paper_Name.GetString()), "KV_A3");
    EXPECT_EQ(platform::To_Utf8(a3_again->Paper_Name.GetString()), "KV_A3");
    EXPECT_EQ(platform::To_Utf8(custom->Paper_Name.GetString()), "KV_B2_Plus_1000");
    EXPECT_EQ(platform::To_Utf8(unmatched->Paper_Name.GetString()), "kept");
    EXPECT_DOUBLE_EQ(a3_again->Plot_Scale, 10);
    // The standard papers, then the sheets' papers that are not among them, once each.
    ASSERT_EQ(List.Papers.GetSize(), 22);
    EXPECT_EQ(Sizes(*List.Papers[21]), "1000x500");
    EXPECT_NE(File_Bytes(Desc_Folder + L"\\K_PNG.pmp").find("userdef_num=44"), std::string::npos);
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        EXPECT_EQ(platform::To_Utf8(plot_set.Device_Name.GetString()), "K_PNG.pc5");
    }

    // Without rebuilding only the devices are written, for the output type in force; drawing
    // output writes none.
    a3->Paper_Name = L"changed";
    Options.Output_Type = 5;
    List.Assign_Papers(false);
    EXPECT_EQ(platform::To_Utf8(a3->Paper_Name.GetString()), "changed");
    EXPECT_TRUE(Exists(Desc_Folder + L"\\K_SVG.pmp"));
    Options.Output_Type = 6;
    List.Assign_Papers(true);
    EXPECT_EQ(platform::To_Utf8(a3->Paper_Name.GetString()), "KV_A3");
    EXPECT_FALSE(Exists(Desc_Folder + L"\\K_DWG.pmp"));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(TK_Sheet_Papers, Papers_Are_Found_Or_Added_By_Size_And_By_Type)
{
    Options.Output_Type = 0;
    bool added = false;
    MyPaper* a3 = List.Add_Paper(297, 420, false, added);
    ASSERT_NE(a3, nullptr);
    EXPECT_TRUE(added);
    EXPECT_EQ(Sizes(*a3), "420x297 std");
    EXPECT_FALSE(Exists(Desc_Folder + L"\\K_PDF.pmp"));  // not asked to rebuild
    EXPECT_EQ(List.Add_Paper(421, 297, true, added), a3);  // snapped onto the one there
    EXPECT_FALSE(added);
    EXPECT_FALSE(Exists(Desc_Folder + L"\\K_PDF.pmp"));  // nothing added, nothing rewritten

    // A typed-in size is added and the devices are rewritten.
    MyPaper* custom = List.Add_Paper_Size(500, 1000);
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(Sizes(*custom), "1000x500");
    EXPECT_NE(File_Bytes(Desc_Folder + L"\\K_PDF.pmp").find("KV_B2_Plus_1000"), std::string::npos);
    EXPECT_EQ(List.Papers.GetSize(), 2);

    Plot_Drawing2* sheet = Add_Sheet(0, 0, 2000, 1000);
    struct Case {
        int type;
        const char* paper;
    };
    const Case cases[] = {{0, "297x210 std"}, {1, "420x297 std"}, {4, "1189x841 std"}, {12, "297x210 std"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        MyPaper* paper = List.Add_Paper_By_Type(c.type, sheet, false, added);
        ASSERT_NE(paper, nullptr);
        EXPECT_EQ(Sizes(*paper), c.paper);
    }
    EXPECT_EQ(List.Add_Paper_By_Type(1, sheet, false, added), a3);
    EXPECT_FALSE(added);
    added = true;
    EXPECT_EQ(List.Add_Paper_By_Type(1, nullptr, false, added), nullptr);
    EXPECT_FALSE(added);
}

TEST_F(TK_Sheet_Papers, A_Stamp_Kind_Is_Used_When_Some_Sheet_Has_Its_Position)
{
    bool used[4] = {true, true, true, true};
    List.Get_Stamp_Positions_Used(used);
    EXPECT_FALSE(used[0] || used[1] || used[2] || used[3]);

    Plot_Drawing2* first = Add_Sheet(0, 0, 100, 100);
    Plot_Drawing2* second = Add_Sheet(200, 0, 300, 100);
    first->Stamp_Pos[1].set(50, 50);
    second->Stamp_Pos[3].set(0, 0);
    // Within the host's tolerance of the unset point counts as unset.
    second->Stamp_Pos[2].set(Stamp_Pos_Unset.x + 1e-12, Stamp_Pos_Unset.y);
    List.Get_Stamp_Positions_Used(used);
    EXPECT_FALSE(used[0]);
    EXPECT_TRUE(used[1]);
    EXPECT_FALSE(used[2]);
    EXPECT_TRUE(used[3]);
}

}  // namespace
