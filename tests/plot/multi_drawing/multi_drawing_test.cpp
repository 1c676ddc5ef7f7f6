// The batch over several drawing files (2021 flavour): drawings listed from paths, their
// frames counted without opening them (as many as KV_DivezUrez_2 finds in each), the
// sheets a range and a filter choose, and the list file written and read back.
#include <string>

#include "core/hidden_layers.h"
#include "core/space_helpers.h"
#include "db/dbsymtb.h"
#include "plot/multi_drawing/multi_dwg_list.h"
#include "plot_option_combos_fixture.h"
#include "sheets/frame_detection.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "windows_detection_feedback.h"

namespace {

const wchar_t* const Fixtures[] = {L"old_plot.dxf", L"scaled_frames.dxf", L"multi_layouts.dxf"};

class Multi_Drawing_Test : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        for (const wchar_t* name : Fixtures)
            std::filesystem::copy_file(std::filesystem::path(KORVEL_SOURCE_DIR "/tests/fixtures/dxf") / platform::Host_Path_From_Text(name),
                                       Host(Path_Of(name)), std::filesystem::copy_options::overwrite_existing);
    }
    void TearDown() override
    {
        Clear_Multi_Dwg_Lists();
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Multi"), ignored);
        Plot_Dialog_Test::TearDown();
    }
    static CString Path_Of(const wchar_t* name)
    {
        std::filesystem::create_directories(Host(L"C:\\Multi"));
        return CString(L"C:\\Multi\\") + name;
    }
    static CStringArray& Paths(std::initializer_list<CString> paths)
    {
        static CStringArray list;
        list.RemoveAll();
        for (const CString& path : paths)
            list.Add(path);
        return list;
    }
    // What KV_DivezUrez_2 finds over model space and every layout of the drawing opened.
    static int Detected_Sheets(const CString& path)
    {
        ZcApDocument* start = zcDocManager->curDocument();
        EXPECT_EQ(zcDocManager->appContextOpenDocument(path.GetString()), Zcad::eOk);
        ZcApDocument* opened = zcDocManager->curDocument();
        g_Hidden_Layers.Collect_Hidden_Layers();
        Script("enter\npick 2\n");
        Plot_Sheet_Set set;
        Find_Plot_Frames(set, In_Windows);
        const int count = static_cast<int>(set.All_Sheets.GetSize());
        set.Clear();
        zcDocManager->closeDocument(opened);
        zcDocManager->setCurDocument(start);
        return count;
    }
};

TEST_F(Multi_Drawing_Test, Drawing_Files_Are_Listed_Once_With_The_Defaults)
{
    g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Range] = 2;
    g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Short_Side] = 420;
    Plot_Option options;
    options.Sort_Type = 9;
    options.Filter_Percent = 12.5;
    options.Print_Sign = 1;
    g_Cur_Plot_Option = &options;
    Add_Dwg_Files(Paths({Path_Of(L"old_plot.dxf"), L"C:\\Multi\\notes.txt", L"c:\\multi\\OLD_PLOT.DXF",
                         L"C:\\Multi\\plan.dxf.bak", L"plain.DXF"}));
    const Single_Dwg_Array& list = g_Multi_Dwg_List.Current;
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list[0]->File_Name, CString(L"old_plot.dxf"));
    EXPECT_EQ(list[1]->File_Name, CString(L"plan.dxf.bak"));
    EXPECT_EQ(list[2]->File_Name, CString(L"plain.DXF"));
    EXPECT_EQ(list[0]->Plot_Range, 2);
    EXPECT_EQ(list[0]->Paper_Short, 420);
    EXPECT_EQ(list[0]->Order, 1);  // sort type 9 is no order within a file
    EXPECT_DOUBLE_EQ(list[0]->Filter_Percent, 12.5);
    EXPECT_EQ(list[0]->Print_Sign, 1);
}

TEST_F(Multi_Drawing_Test, Counts_Equal_What_Detection_Finds_And_Leave_Nothing_Of_The_Files_Behind)
{
    int detected[3] = {};
    for (int i = 0; i < 3; ++i)
        detected[i] = Detected_Sheets(Path_Of(Fixtures[i]));

    // The working drawing has a frozen layer of its own.
    ZcDbDatabase* working = zcdbHostApplicationServices()->workingDatabase();
    {
        ZcDbLayerTable* table = nullptr;
        ASSERT_EQ(working->getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
        auto* layer = new ZcDbLayerTableRecord;
        layer->setName(L"OWN_FROZEN");
        layer->setIsFrozen(true);
        ZcDbObjectId id;
        ASSERT_EQ(table->add(id, layer), Zcad::eOk);
        layer->close();
        table->close();
    }
    g_Hidden_Layers.Collect_Hidden_Layers();
    const ZcDbObjectIdArray frozen_before = g_Hidden_Layers.Frozen_Layers;
    ASSERT_EQ(frozen_before.length(), 1);

    Add_Dwg_Files(Paths({Path_Of(Fixtures[0]), Path_Of(Fixtures[1]), Path_Of(Fixtures[2])}));
    for (int i = 0; i < 3; ++i) {
        Single_Dwg* record = g_Multi_Dwg_List.Current[i];
        ASSERT_TRUE(record->Count_Sheets()) << i;
        EXPECT_TRUE(record->Counted);
        EXPECT_GT(detected[i], 0) << i;
        EXPECT_EQ(record->Found_Sheets.GetSize(), detected[i]) << platform::To_Utf8(Fixtures[i]);
        for (INT_PTR k = 0; k < record->Found_Sheets.GetSize(); ++k) {
            EXPECT_TRUE(record->Found_Sheets[k]->Source_Ids[0].isNull());
            EXPECT_TRUE(record->Found_Sheets[k]->Marker_Id.isNull());
        }
        EXPECT_EQ(zcdbHostApplicationServices()->workingDatabase(), working);
        EXPECT_EQ(g_Hidden_Layers.Frozen_Layers.length(), 1);
        EXPECT_EQ(g_Hidden_Layers.Frozen_Layers[0], frozen_before[0]);
        EXPECT_TRUE(Exists(record->Temp_Copy));
    }
    // Nothing was drawn into the working drawing.
    ZcDbObjectIdArray ids;
    Collect_Space_Entity_Ids(ids, ZcDbObjectId(), true);
    EXPECT_EQ(ids.length(), 0);
}

TEST_F(Multi_Drawing_Test, A_Missing_Or_Unreadable_File_Is_Not_Counted)
{
    Write_File(L"C:\\Multi\\broken.dxf", "not a drawing");
    Add_Dwg_Files(Paths({L"C:\\Multi\\gone.dxf", L"C:\\Multi\\broken.dxf"}));
    ZcDbDatabase* working = zcdbHostApplicationServices()->workingDatabase();
    for (INT_PTR i = 0; i < g_Multi_Dwg_List.Current.GetSize(); ++i) {
        EXPECT_FALSE(g_Multi_Dwg_List.Current[i]->Count_Sheets()) << i;
        EXPECT_FALSE(g_Multi_Dwg_List.Current[i]->Counted) << i;
    }
    EXPECT_EQ(zcdbHostApplicationServices()->workingDatabase(), working);
}

TEST_F(Multi_Drawing_Test, A_Copy_That_Cannot_Be_Made_Is_Not_Counted_From_An_Older_Copy)
{
    Add_Dwg_Files(Paths({Path_Of(L"old_plot.dxf"), Path_Of(L"multi_layouts.dxf")}));
    Single_Dwg& first = *g_Multi_Dwg_List.Current[0];
    Single_Dwg& second = *g_Multi_Dwg_List.Current[1];
    ASSERT_TRUE(first.Count_Sheets());
    // The clock stands still: the second copy would have the first one's name.
    platform::Machine::instance().deny_writes(platform::Text_From_Host_Path(Host(Get_Temp_Folder())));
    EXPECT_FALSE(second.Count_Sheets());
    EXPECT_FALSE(second.Counted);
    EXPECT_EQ(second.Found_Sheets.GetSize(), 0);
}

TEST_F(Multi_Drawing_Test, The_Range_And_The_Filter_Choose_The_Sheets)
{
    Add_Dwg_Files(Paths({Path_Of(L"multi_layouts.dxf")}));
    Single_Dwg& record = *g_Multi_Dwg_List.Current[0];
    ASSERT_TRUE(record.Count_Sheets());
    // Model space: 420 x 297 and 594 x 420 (the frozen layer's frame is skipped); Layout1
    // 277 x 190; Layout2 420 x 297.
    ASSERT_EQ(record.Found_Sheets.GetSize(), 4);
    struct Case {
        int range;
        double filter;
        int chosen;
    } cases[] = {{Range_Model, 0.0, 2}, {Range_Layouts, 0.0, 2}, {Range_Both, 0.0, 4},
                 {Range_Both, 30.0, 3}, {Range_Both, 51.0, 1}, {Range_Layouts, 60.0, 1}};
    for (const Case& c : cases) {
        record.Plot_Range = c.range;
        record.Filter_Percent = c.filter;
        record.Select_Sheets();
        EXPECT_EQ(record.Chosen_Sheets.GetSize(), c.chosen) << c.range << " " << c.filter;
    }
}

TEST_F(Multi_Drawing_Test, Range_Layouts_Chooses_Nothing_Of_A_Model_Only_Drawing)
{
    Add_Dwg_Files(Paths({Path_Of(L"scaled_frames.dxf")}));
    Single_Dwg& record = *g_Multi_Dwg_List.Current[0];
    ASSERT_TRUE(record.Count_Sheets());
    record.Plot_Range = Range_Layouts;
    record.Select_Sheets();
    EXPECT_EQ(record.Chosen_Sheets.GetSize(), 0);
}

TEST_F(Multi_Drawing_Test, The_List_File_Keeps_200_Drawings_The_Current_List_First)
{
    CStringArray paths;
    for (int i = 0; i < 250; ++i) {
        CString path;
        path.Format(L"C:\\Multi\\d %03d.dxf", i);
        Write_File(path, "");
        paths.Add(path);
    }
    Add_Dwg_Files(paths);
    g_Multi_Dwg_List.Current[0]->Plot_Range = 1;
    g_Multi_Dwg_List.Current[0]->Paper_Long = 1189;
    g_Multi_Dwg_List.Current[0]->Filter_Percent = 7.5;
    ASSERT_TRUE(Save_Multi_Dwg_List());
    const std::string bytes = File_Bytes(Multi_Dwg_List_Path());
    // One value a line, lines ending in CR LF.
    EXPECT_EQ(bytes.substr(bytes.find('\n') + 1, 10), "250\r\n200\r\n");
    EXPECT_NE(bytes.find("\r\nC:\\Multi\\d*?*000.dxf\r\n"), std::string::npos);

    Clear_Multi_Dwg_Lists();
    CStringArray loaded;
    Load_Multi_Dwg_List(loaded);
    ASSERT_EQ(loaded.GetSize(), 200);
    EXPECT_EQ(loaded[0], CString(L"C:\\Multi\\d 000.dxf"));
    ASSERT_EQ(g_Multi_Dwg_List.Remembered.GetSize(), 200);
    Add_Dwg_Files(loaded);
    const Single_Dwg& first = *g_Multi_Dwg_List.Current[0];
    EXPECT_EQ(first.Plot_Range, 1);
    EXPECT_EQ(first.Paper_Long, 1189);
    EXPECT_DOUBLE_EQ(first.Filter_Percent, 7.5);
    EXPECT_FALSE(first.Counted);
}

TEST_F(Multi_Drawing_Test, A_Remembered_Drawing_Whose_File_Is_Gone_Stays_Remembered_But_Unlisted)
{
    Write_File(L"C:\\Multi\\kept.dxf", "");
    Write_File(L"C:\\Multi\\gone.dxf", "");
    Add_Dwg_Files(Paths({L"C:\\Multi\\kept.dxf", L"C:\\Multi\\gone.dxf"}));
    g_Multi_Dwg_List.Current[1]->Style_Index = 3;
    ASSERT_TRUE(Save_Multi_Dwg_List());
    std::filesystem::remove(Host(L"C:\\Multi\\gone.dxf"));

    Clear_Multi_Dwg_Lists();
    CStringArray loaded;
    Load_Multi_Dwg_List(loaded);
    ASSERT_EQ(loaded.GetSize(), 1);
    Add_Dwg_Files(loaded);
    ASSERT_TRUE(Save_Multi_Dwg_List());
    Clear_Multi_Dwg_Lists();
    Load_Multi_Dwg_List(loaded);
    ASSERT_EQ(g_Multi_Dwg_List.Remembered.GetSize(), 2);
    EXPECT_EQ(g_Multi_Dwg_List.Remembered[1]->Path, CString(L"C:\\Multi\\gone.dxf"));
    EXPECT_EQ(g_Multi_Dwg_List.Remembered[1]->Style_Index, 3);
    const std::string bytes = File_Bytes(Multi_Dwg_List_Path());
    EXPECT_EQ(bytes.substr(bytes.find('\n') + 1, 6), "1\r\n2\r\n");
}

TEST_F(Multi_Drawing_Test, A_Damaged_List_File_Is_Read_With_Bounded_Counts)
{
    const std::string record = "20261210\nC:\\Multi\\a.dxf\n0\n100\n0\n0\n0\n0\n0\n0\n0\n0\n1\n0\n0\n594\n";
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += record;
    struct Case {
        const char* what;
        std::string bytes;
        int remembered;
    } cases[] = {
        {"a huge count over two records", "20261210\n1\n99999999\n" + record + record, 2},
        {"a negative count", "20261210\n1\n-5\n" + record, 0},
        {"more records than the limit", "20261210\n300\n300\n" + many, 200},
        {"a record cut short", "20261210\n1\n2\n" + record + "20261210\nC:\\Multi\\b.dxf\n0\n", 1},
        {"letters for a number", "20261210\n1\n1\n20261210\nC:\\Multi\\a.dxf\nzero\n", 0},
        {"an empty file", "", 0},
    };
    for (const Case& c : cases) {
        Write_File(Multi_Dwg_List_Path(), c.bytes);
        CStringArray loaded;
        Load_Multi_Dwg_List(loaded);
        EXPECT_EQ(g_Multi_Dwg_List.Remembered.GetSize(), c.remembered) << c.what;
    }
}

TEST_F(Multi_Drawing_Test, A_List_File_That_Cannot_Be_Written_Stays_As_It_Was)
{
    Write_File(Multi_Dwg_List_Path(), "old list");
    Add_Dwg_Files(Paths({Path_Of(L"old_plot.dxf")}));
    platform::Machine::instance().deny_writes(platform::Text_From_Host_Path(Host(g_Config_Folder)));
    Answer_Boxes(1);
    EXPECT_FALSE(Save_Multi_Dwg_List());
    EXPECT_EQ(File_Bytes(Multi_Dwg_List_Path()), "old list");
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(L"MutiFiels.tmp"), std::wstring::npos);
}

}  // namespace
