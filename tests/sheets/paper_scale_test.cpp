// Paper and scale of the found sheets: the area filter, natural scales and the scale vote
// with the question about the default scale, Match_Paper, the papers of the paper types,
// the paper list of a sheet set with its device files, and the plot offset.
#include <functional>

#include "core/doc_lock.h"
#include "core/file_operations.h"
#include "core/ini_lists.h"
#include "core/plot_option.h"
#include "db/dbdatabase.h"
#include "drawing_builders.h"
#include "services_fixture.h"
#include "sheet_builders.h"
#include "sheets/marker_entities.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"

namespace {

class Paper_Scale_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        Temp_PlotRec::rxInit();
        g_Cur_Plot_Option = &Options;
        Saved_Host_Year = g_Host_Year;
        // No device files of earlier tests.
        CString config_folder, desc_folder;
        bool config_usable = false, desc_usable = false;
        Get_Device_Folders(config_folder, desc_folder, config_usable, desc_usable);
        Delete_Folder_Files(config_folder);
        Delete_Folder_Files(desc_folder);
    }
    void TearDown() override
    {
        Sheets.Clear();
        g_Cur_Plot_Option = nullptr;
        g_Host_Year = Saved_Host_Year;
        Services_Test::TearDown();
    }

    // A listed sheet of that size at the origin; with a marker when asked.
    Plot_Drawing1* Add_Sheet(double width, double height, double block_scale = 1.0, bool marker = false)
    {
        auto* sheet = New_Sheet<Plot_Drawing1>(0, 0, width, height);
        sheet->Block_Scale = block_scale;
        if (marker) {
            Doc_Lock lock;
            sheet->Source_Ids[0] = Db()->modelSpaceId();
            EXPECT_TRUE(sheet->Init_From_Extents(Db()->clayer(), ZcDbExtents({0, 0, 0}, {width, height, 0}),
                                                 block_scale));
        }
        return List_Sheet(Sheets, sheet);
    }
    static int Marker_State(const Plot_Drawing1* sheet)
    {
        ZcDbObjectPointer<Temp_PlotRec> marker(sheet->Marker_Id, ZcDb::kForRead);
        return marker.openStatus() == Zcad::eOk ? marker->Get_State() : -1;
    }
    static int Ask_Scale_Flag()
    {
        Ini_Lists lists;
        lists.Load();
        const int flag = lists.Ask_Scale;
        lists.Clear();
        return flag;
    }
    static void Set_Ask_Scale_Flag(int flag)
    {
        Ini_Lists lists;
        lists.Load();
        lists.Ask_Scale = flag;
        lists.Save();
        lists.Clear();
    }
    static double Stored_Scale()
    {
        Plot_Option stored;
        stored.Read_Dwg_Setting();
        return stored.Scale;
    }
    static std::string Paper_Text(const MyPaper& paper)
    {
        return std::to_string(paper.Long_Side) + "x" + std::to_string(paper.Short_Side) + (paper.Standard ? " std" : "");
    }

    Plot_Option Options;
    Plot_Sheet_Set Sheets;
    int32_t Saved_Host_Year = 0;
};

TEST_F(Paper_Scale_Test, Scale_Texts)
{
    EXPECT_EQ(platform::To_Utf8(Format_Scale_Text(100).GetString()), "1:100");
    EXPECT_EQ(platform::To_Utf8(Format_Scale_Text(1).GetString()), "1:1");
    EXPECT_EQ(platform::To_Utf8(Format_Scale_Text(0.5).GetString()), "2:1");
    EXPECT_EQ(platform::To_Utf8(Format_Scale_Text(1e-5).GetString()), "");
}

TEST_F(Paper_Scale_Test, Area_Filter)
{
    Sheets.Largest_Width = 1000;
    Sheets.Largest_Height = 999;
    Plot_Drawing1* largest = Add_Sheet(1000, 999, 1.0, true);
    Plot_Drawing1* half = Add_Sheet(1000, 499, 1.0, true);
    Plot_Drawing1* small = Add_Sheet(100, 100, 1.0, true);
    struct Case {
        double percent;
        std::vector<Plot_Drawing1*> listed;
    };
    const Case cases[] = {
        {0, {largest, half, small}},
        {100, {largest}},
        {50, {largest, half}},  // the scaled height 499.5 is cut to 499
        {51, {largest}},
        {1, {largest, half, small}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.percent);
        Options.Filter_Percent = c.percent;
        EXPECT_EQ(Sheets.Filter_By_Area(), static_cast<int>(c.listed.size()));
        std::vector<Plot_Drawing1*> listed;
        for (INT_PTR i = 0; i < Sheets.Plot_List.GetSize(); ++i)
            listed.push_back(Sheets.Plot_List[i]);
        EXPECT_EQ(listed, c.listed);
        for (Plot_Drawing1* sheet : {largest, half, small}) {
            const bool kept = std::find(c.listed.begin(), c.listed.end(), sheet) != c.listed.end();
            EXPECT_EQ(Marker_State(sheet), kept ? 0 : 2);
        }
    }
}

TEST_F(Paper_Scale_Test, Natural_Scales)
{
    struct Case {
        double default_scale;
        double width, height, block_scale;
        double natural;
    };
    const Case cases[] = {
        {1000, 84100, 59400, 1, 100},      // A1 at 1:100
        {1000, 841000, 594000, 1, 1000},   // A1 at 1:1000
        {100, 841, 594, 1, 1},
        {100, 84.1, 59.4, 1, 0.1},
        {100, 841000, 594000, 10, 100},    // a block scaled by 10
        {0, 84100, 59400, 1, 100},         // no default: from 1
        {100, 1e-3, 1e-3, 1, 100},         // a dot: the default
    };
    for (const Case& c : cases) {
        Options.Scale = c.default_scale;
        Plot_Drawing1 sheet;
        sheet.Width = c.width;
        sheet.Height = c.height;
        sheet.Block_Scale = c.block_scale;
        EXPECT_DOUBLE_EQ(Get_Sheet_Natural_Scale(&sheet, false), c.natural) << c.width << " x " << c.height;
    }
}

TEST_F(Paper_Scale_Test, The_Vote_Goes_To_The_First_Most_Frequent_Scale)
{
    Options.Scale = 1000;
    EXPECT_EQ(Vote_Default_Scale(Sheets, false), 1000);
    for (int i = 0; i < 3; ++i)
        Add_Sheet(84100, 59400);
    Add_Sheet(841000, 594000);
    Add_Sheet(594000, 841000);
    EXPECT_EQ(Vote_Default_Scale(Sheets, false), 100);

    // A tie keeps the default, which comes first.
    Sheets.Clear();
    Add_Sheet(84100, 59400);
    Add_Sheet(841000, 594000);
    EXPECT_EQ(Vote_Default_Scale(Sheets, false), 1000);
    // Without any sheet of the default scale the other wins.
    Sheets.Clear();
    Add_Sheet(84100, 59400);
    Add_Sheet(8410000, 5940000);
    EXPECT_EQ(Vote_Default_Scale(Sheets, false), 100);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Paper_Scale_Test, The_First_Change_Of_The_Default_Is_Silent)
{
    Options.Scale = 1000;
    Add_Sheet(84100, 59400);
    EXPECT_EQ(Ask_Scale_Flag(), 0);
    EXPECT_EQ(Vote_Default_Scale(Sheets, true), 100);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(Options.Scale, 100);
    EXPECT_EQ(Stored_Scale(), 100);
    EXPECT_EQ(Ask_Scale_Flag(), 1);
}

TEST_F(Paper_Scale_Test, Later_Changes_Are_Asked)
{
    Set_Ask_Scale_Flag(1);
    Options.Scale = 1000;
    Options.Write_Dwg_Setting();
    Plot_Drawing1* sheet = Add_Sheet(84100, 59400);

    platform::ScriptInput::instance().push_text("msgbox NO\n");
    EXPECT_EQ(Get_Sheet_Natural_Scale(sheet, true), 100);
    EXPECT_EQ(Options.Scale, 1000);
    EXPECT_EQ(Stored_Scale(), 1000);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
    EXPECT_EQ(platform::MessageBoxLog[0].text,
              L"打印比例：纸张尺寸与图面尺寸的比例\n\n现默认打印比例为 1:1000 ,据此算出来的纸张尺寸过小 ！\n\n"
              L"是否将默认打印比例改为 1:100 ?");
    EXPECT_EQ(platform::MessageBoxLog[0].type & (MB_YESNO | MB_ICONQUESTION),
              static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    platform::ScriptInput::instance().push_text("msgbox YES\n");
    Options.Scale = 10;
    EXPECT_EQ(Vote_Default_Scale(Sheets, true), 100);
    EXPECT_EQ(Options.Scale, 100);
    EXPECT_EQ(Stored_Scale(), 100);
    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[1].text,
              L"打印比例：纸张尺寸与图面尺寸的比例\n\n现默认打印比例为 1:10 ,据此算出来的大部分纸张尺寸过大 ！\n\n"
              L"是否将默认打印比例改为 1:100 ?");

    // The default itself: nothing to ask.
    EXPECT_EQ(Vote_Default_Scale(Sheets, true), 100);
    EXPECT_EQ(platform::MessageBoxLog.size(), 2u);
}

TEST_F(Paper_Scale_Test, Match_Paper)
{
    struct Case {
        const char* label;
        double width, height, block_scale, scale;
        bool search;
        bool matched;
        const char* paper;
        const wchar_t* name;
    };
    const Case cases[] = {
        {"A1 at 1:100", 84100, 59400, 1, 100, true, true, "841x594 std", L"KV_A1"},
        {"portrait A1", 59400, 84100, 1, 100, true, true, "841x594 std", L"KV_A1"},
        {"block scaled by 10", 8410, 5940, 10, 1, true, true, "841x594 std", L"KV_A1"},
        // A3 proportions at no standard size: the paper whose implied scale is a whole
        // number away (A3, implied 1:100, 30 from 70) before the nearer A2 (0.707 away).
        {"A3 proportions, whole gap", 42000, 29700, 1, 70, true, true, "420x297 std", L"KV_A3"},
        {"the same without search", 42000, 29700, 1, 70, false, true, "594x420", L"KV_A2"},
        // No whole gap: the least (A2, 4.79 from 75.5).
        {"A3 proportions, least gap", 42000, 29700, 1, 75.5, true, true, "594x420 std", L"KV_A2"},
        {"custom proportions", 100000, 50000, 1, 100, true, true, "1000x500", L"KV_B2_Plus_1000"},
        {"a dot", 10, 10, 1, 100, true, true, "1x1", L"KV_1x1"},
        {"no scale", 84100, 59400, 1, 0, true, false, "297x210", nullptr},
        {"no block scale", 84100, 59400, 0, 100, true, false, "297x210", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Plot_Drawing1 sheet;
        sheet.Width = c.width;
        sheet.Height = c.height;
        sheet.Block_Scale = c.block_scale;
        MyPaper paper;
        EXPECT_EQ(sheet.Match_Paper(&paper, c.scale, c.search), c.matched);
        EXPECT_EQ(Paper_Text(paper), c.paper);
        if (c.name != nullptr) {
            EXPECT_EQ(paper.Get_Name(), c.name);
        }
    }
}

TEST_F(Paper_Scale_Test, Papers_Of_The_Paper_Types)
{
    struct Case {
        int type;
        double width, height;
        int long_side, short_side;
    };
    const Case cases[] = {
        {0, 3000, 1000, 297, 210},  {1, 0, 0, 420, 297},     {2, 0, 0, 594, 420},   {3, 0, 0, 841, 594},
        {4, 0, 0, 1189, 841},       {7, 3000, 1000, 1260, 420}, {7, 1000, 3000, 1260, 420},
        {5, 3000, 1000, 630, 210},  {8, 2000, 1000, 1188, 594}, {9, 1415, 1000, 1189, 841},
        {6, 0, 0, 297, 297},        {9, 0, 0, 841, 297},     {10, 3000, 1000, 297, 210}, {-1, 0, 0, 297, 210},
    };
    for (const Case& c : cases) {
        int long_side = 0, short_side = 0;
        Get_Paper_Size_By_Type(c.type, c.width, c.height, long_side, short_side);
        EXPECT_EQ(long_side, c.long_side) << "type " << c.type;
        EXPECT_EQ(short_side, c.short_side) << "type " << c.type;
    }
}

TEST_F(Paper_Scale_Test, Paper_List_Of_A_Sheet_Set)
{
    bool added = true;
    EXPECT_EQ(Sheets.Add_Paper_By_Type(3, nullptr, true, added), nullptr);
    EXPECT_FALSE(added);
    EXPECT_EQ(Sheets.Paper_List.GetSize(), 0);
    EXPECT_FALSE(Exists(g_Printer_Desc_Folder + L"\\K_PDF.pmp"));

    MyPaper* a1 = Sheets.Add_Paper_Size(594, 841);
    ASSERT_NE(a1, nullptr);
    EXPECT_EQ(Paper_Text(*a1), "841x594 std");
    CString config_folder, desc_folder;
    bool config_usable = false, desc_usable = false;
    Get_Device_Folders(config_folder, desc_folder, config_usable, desc_usable);
    const CString pmp = desc_folder + L"\\K_PDF.pmp";
    ASSERT_TRUE(Exists(pmp));

    // A size already listed: the same paper, and the device files are left alone.
    std::filesystem::remove(Host(pmp));
    EXPECT_EQ(Sheets.Find_Or_Add_Paper(842, 593, true, added), a1);
    EXPECT_FALSE(added);
    EXPECT_FALSE(Exists(pmp));

    Plot_Drawing1* sheet = Add_Sheet(3000, 1000);
    MyPaper* long_a2 = Sheets.Add_Paper_By_Type(7, sheet, false, added);
    EXPECT_TRUE(added);
    EXPECT_EQ(Paper_Text(*long_a2), "1260x420");
    EXPECT_FALSE(Exists(pmp));
    EXPECT_EQ(Sheets.Add_Paper_By_Type(3, sheet, true, added), a1);
    EXPECT_FALSE(added);
}

TEST_F(Paper_Scale_Test, Assign_Papers_Writes_The_Devices_And_Selects_Ours)
{
    Options.Output_Type = 3;
    Plot_Drawing1* a1 = Add_Sheet(84100, 59400);
    Plot_Drawing1* a3 = Add_Sheet(29700, 42000);
    Plot_Drawing1* custom = Add_Sheet(100000, 50000);
    Plot_Drawing1* unmatched = Add_Sheet(84100, 59400, 0.0);
    unmatched->Paper_Name = L"kept";
    Add_Sheet(84500, 59000);  // snaps to A1 as well

    Sheets.Assign_Papers(100, true, true);
    EXPECT_EQ(platform::To_Utf8(a1->Paper_Name.GetString()), "KV_A1");
    EXPECT_EQ(platform::To_Utf8(a3->Paper_Name.GetString()), "KV_A3");
    EXPECT_EQ(platform::To_Utf8(custom->Paper_Name.GetString()), "KV_B2_Plus_1000");
    EXPECT_EQ(platform::To_Utf8(unmatched->Paper_Name.GetString()), "kept");
    // The standard papers, then the sheets' papers that are not among them.
    ASSERT_EQ(Sheets.Paper_List.GetSize(), 22);
    EXPECT_EQ(Paper_Text(*Sheets.Paper_List[21]), "1000x500");

    CString config_folder, desc_folder;
    bool config_usable = false, desc_usable = false;
    Get_Device_Folders(config_folder, desc_folder, config_usable, desc_usable);
    EXPECT_NE(File_Bytes(desc_folder + L"\\K_PNG.pmp").find("userdef_num=44"), std::string::npos);
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        EXPECT_EQ(platform::To_Utf8(plot_set.Device_Name.GetString()), "K_PNG.pc5");
        EXPECT_EQ(plot_set.Media_Display_Names.GetSize(), 44);
    }

    // Without re-matching only the files are written again, for the new output type.
    a1->Paper_Name = L"changed";
    Options.Output_Type = 5;
    Sheets.Assign_Papers(100, false, true);
    EXPECT_EQ(platform::To_Utf8(a1->Paper_Name.GetString()), "changed");
    EXPECT_TRUE(Exists(desc_folder + L"\\K_SVG.pmp"));

    // Drawing output writes no device files.
    Options.Output_Type = 6;
    a1->Paper_Name = L"changed";
    Sheets.Assign_Papers(1000, true, true);
    EXPECT_EQ(platform::To_Utf8(a1->Paper_Name.GetString()), "KV_A1");  // 84 x 59, searched: 1:100 on A1
    EXPECT_FALSE(Exists(desc_folder + L"\\K_DWG.pmp"));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Paper_Scale_Test, Frames_Fit_Inside_The_Paper_Margins)
{
    const MyPaper a3(420, 297);
    struct Case {
        const char* label;
        std::function<void(Plot_Option&)> set;
        double width, height;
        bool fitted;
        double scale, offset_1, offset_2;
    };
    const Case cases[] = {
        {"uniform -5", [](Plot_Option& o) { o.Margin = -5; }, 200, 100, true, 2.05, 5, 46},
        {"uniform +5: the whole paper", [](Plot_Option& o) { o.Margin = 5; }, 200, 100, true, 2.1, 5, 48},
        {"portrait, uniform -5", [](Plot_Option& o) { o.Margin = -5; }, 100, 200, true, 2.05, 46, 5},
        {"landscape margins, keep the paper",
         [](Plot_Option& o) {
             o.Unequal_Margin = 1;
             o.Unequal_Mode = 1;
         },
         200, 100, true, 2.04, 10, 46},
        {"no margins", [](Plot_Option&) {}, 200, 100, false, 1, 0, 0},
        {"degenerate frame", [](Plot_Option& o) { o.Margin = 5; }, 0, 0, false, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Options = Plot_Option();
        c.set(Options);
        double scale = 0, offset_1 = -1, offset_2 = -1;
        EXPECT_EQ(a3.Fit_Frame(c.width, c.height, scale, offset_1, offset_2), c.fitted);
        EXPECT_NEAR(scale, c.scale, 1e-12);
        EXPECT_EQ(offset_1, c.offset_1);
        EXPECT_EQ(offset_2, c.offset_2);
    }
}

TEST_F(Paper_Scale_Test, Offset_Text_Only_For_Pdf_On_The_2007_Host)
{
    const MyPaper a3(420, 297);
    Options.Margin = -5;
    g_Host_Year = 2007;
    EXPECT_EQ(platform::To_Utf8(Get_Plot_Offset_Text(&a3, 200, 100).GetString()), "5,46");
    EXPECT_TRUE(Get_Plot_Offset_Text(nullptr, 200, 100).IsEmpty());
    EXPECT_TRUE(Get_Plot_Offset_Text(&a3, 0, 0).IsEmpty());
    for (int type = 1; type <= 5; ++type) {
        Options.Output_Type = type;
        EXPECT_TRUE(Get_Plot_Offset_Text(&a3, 200, 100).IsEmpty()) << type;
    }
    Options.Output_Type = 0;
    g_Host_Year = 2025;
    EXPECT_TRUE(Get_Plot_Offset_Text(&a3, 200, 100).IsEmpty());
}

}  // namespace
