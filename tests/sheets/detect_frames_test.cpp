// Frame detection on the fixture drawing with frames of every kind.
#include <array>
#include <climits>
#include <string>
#include <vector>

#include "core/layer_helpers.h"
#include "core/plot_config.h"
#include "db/dblayout.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "mfc/afxwin.h"
#include "mfc/afxdll.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "recording_detection_feedback.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "sheet_drawing_fixture.h"
#include "sheets/frame_detection.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"
#include "ui/progress_window.h"
#include "windows_detection_feedback.h"

namespace {

using Box = std::array<double, 4>;

struct Found {
    int kind;
    Box box;
    bool operator==(const Found& o) const { return kind == o.kind && box == o.box; }
};

std::ostream& operator<<(std::ostream& out, const Found& f)
{
    return out << "{" << f.kind << ": " << f.box[0] << "," << f.box[1] << " " << f.box[2] << "," << f.box[3] << "}";
}

// What the search finds in the fixture with the default switches.
const std::vector<Found> Model_Sheets = {
    {Sheet_From_Lines, {1150, 700, 1650, 1050}},    // four loose lines
    {Sheet_From_Polyline, {650, 700, 1050, 980}},   // 2D polyline
    {Sheet_From_Polyline, {0, 700, 594, 1120}},     // polyline drawn twice
    {Sheet_From_Block, {1100, 0, 1940, 594}},       // block scaled 2
    {Sheet_From_Block, {554.5, 0, 1000, 630}},      // block turned and scaled 1.5
    {Sheet_From_Block, {0, 0, 420, 297}},           // block
};
const std::vector<Found> Layout1_Sheets = {{Sheet_From_Polyline, {10, 10, 410, 287}}};
const std::vector<Found> Layout2_Sheets = {{Sheet_From_Polyline, {500, 0, 1100, 450}},
                                           {Sheet_From_Block, {0, 0, 420, 297}}};

class Detect_Frames_Test : public Sheet_Drawing_Test {
protected:
    void SetUp() override
    {
        Sheet_Drawing_Test::SetUp();
        // The space chooser and the progress window need the module's dialog templates.
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
        saved = {g_Plot_Config.Frames_Loose_Lines, g_Plot_Config.Frames_All_Blocks, g_Plot_Config.Frames_Rect_Blocks,
                 g_Plot_Config.Skip_Empty_Frames};
        const std::string path = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/frames.dxf";
        ASSERT_EQ(zcDocManager->appContextOpenDocument(std::wstring(path.begin(), path.end()).c_str()), Zcad::eOk);
        g_Hidden_Layers.Collect_Hidden_Layers();
    }
    void TearDown() override
    {
        set.Clear();
        Progress_Close();
        platform::Clear_Message_Queue();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        Switches(saved[0], saved[1], saved[2], saved[3]);
        Sheet_Drawing_Test::TearDown();
    }
    static void Script(const std::string& text) { platform::ScriptInput::instance().push_text(text); }
    static void Switches(int loose_lines, int all_blocks, int rect_blocks, int skip_empty)
    {
        g_Plot_Config.Frames_Loose_Lines = loose_lines;
        g_Plot_Config.Frames_All_Blocks = all_blocks;
        g_Plot_Config.Frames_Rect_Blocks = rect_blocks;
        g_Plot_Config.Skip_Empty_Frames = skip_empty;
    }
    static ZcDbObjectId Space_Of_Layout(const wchar_t* name)
    {
        ZcDbObjectId layout_id = zcdbHostApplicationServices()->layoutManager()->findLayoutNamed(name);
        ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForRead);
        return layout.openStatus() == Zcad::eOk ? layout->getBlockTableRecordId() : ZcDbObjectId::kNull;
    }
    // The sheets of the space, in the set's order.
    std::vector<Found> Sheets_In(ZcDbObjectId space_id) const
    {
        std::vector<Found> found;
        for (INT_PTR i = 0; i < set.All_Sheets.GetSize(); ++i) {
            const Plot_Drawing1* sheet = set.All_Sheets[i];
            if (sheet->Space_Id == space_id)
                found.push_back({sheet->Kind, {sheet->Min_Corner.x, sheet->Min_Corner.y, sheet->Max_Corner.x,
                                               sheet->Max_Corner.y}});
        }
        return found;
    }
    // Markers in the space, on the marker layer.
    static int Markers_In(ZcDbObjectId space_id, ZcDbObjectId layer_id)
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> space(space_id, ZcDb::kForRead);
        int count = 0;
        for (const ZcDbObjectId& id : space->entityIds()) {
            ZcDbObjectPointer<Temp_PlotRec> marker(id, ZcDb::kForRead);
            if (marker.openStatus() == Zcad::eOk) {
                EXPECT_EQ(marker->layerId(), layer_id);
                ++count;
            }
        }
        return count;
    }
    static std::wstring Printed() { return platform::CommandLine::instance().text(); }

    std::array<int, 4> saved{};
    Plot_Sheet_Set set;
};

TEST_F(Detect_Frames_Test, Model_And_Layouts_Give_Every_Kind_In_Order_With_Markers)
{
    Switches(1, 1, 0, 1);
    Script("enter\npick 2\n");
    ASSERT_TRUE(Find_Plot_Frames(set, In_Windows)) << platform::To_Utf8(Printed());
    const ZcDbObjectId model = Db()->modelSpaceId();
    const ZcDbObjectId layout_1 = Space_Of_Layout(L"Layout1"), layout_2 = Space_Of_Layout(L"Layout2");
    EXPECT_EQ(Sheets_In(model), Model_Sheets);
    EXPECT_EQ(Sheets_In(layout_1), Layout1_Sheets);
    EXPECT_EQ(Sheets_In(layout_2), Layout2_Sheets);
    ASSERT_EQ(set.All_Sheets.GetSize(), 9);
    EXPECT_EQ(set.All_Sheets[6]->Space_Id, layout_1) << "spaces follow the tab order";
    EXPECT_EQ(set.Largest_Width, 840);
    EXPECT_EQ(set.Largest_Height, 594);
    EXPECT_EQ(set.Start_Space_Id, model);

    // Order indexes: positions in the entities examined (model space first, in its order).
    EXPECT_EQ(set.All_Sheets[5]->Order_Index, 0);
    EXPECT_EQ(set.All_Sheets[4]->Order_Index, 3);
    EXPECT_EQ(set.All_Sheets[3]->Order_Index, 6);
    EXPECT_DOUBLE_EQ(set.All_Sheets[3]->Block_Scale, 2.0);
    EXPECT_DOUBLE_EQ(set.All_Sheets[4]->Block_Scale, 1.5);

    ZcDbObjectId layer;
    Ensure_Layer(layer, L"Temp_PlotLayer");
    EXPECT_EQ(Markers_In(model, layer), 6) << "deleted sheets took their markers with them";
    EXPECT_EQ(Markers_In(layout_1, layer), 1);
    EXPECT_EQ(Markers_In(layout_2, layer), 2);
    EXPECT_FALSE(Get_Layer_State(layer, Layer_Off));
    EXPECT_FALSE(Get_Layer_State(layer, Layer_Frozen));
    EXPECT_FALSE(Get_Layer_State(layer, Layer_Locked));
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> record(layer, ZcDb::kForRead);
        EXPECT_FALSE(record->isPlottable());
    }
    set.Clear();
    EXPECT_EQ(Markers_In(model, layer), 0);
}

TEST_F(Detect_Frames_Test, Switches_Decide_The_Kinds)
{
    struct Case {
        const char* what;
        std::array<int, 4> switches;  // loose lines, all blocks, rectangular blocks, drop empty
        std::vector<Found> expected;
    };
    const Found g = Model_Sheets[0], f = Model_Sheets[1], d = Model_Sheets[2], c = Model_Sheets[3],
                b = Model_Sheets[4], a = Model_Sheets[5];
    const Found empty{Sheet_From_Polyline, {1750, 700, 2050, 900}};
    const Case cases[] = {
        {"no block switch: no block frames", {1, 0, 0, 1}, {g, f, d}},
        {"rectangular blocks: found by shape, ahead of the polylines", {1, 0, 1, 1}, {g, c, b, a, f, d}},
        {"loose lines off", {0, 1, 0, 1}, {f, d, c, b, a}},
        {"empty frames kept", {1, 1, 0, 0}, {g, empty, f, d, c, b, a}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        Switches(k.switches[0], k.switches[1], k.switches[2], k.switches[3]);
        Script("enter\npick 0\n");
        ASSERT_TRUE(Find_Plot_Frames(set, In_Windows));
        EXPECT_EQ(Sheets_In(Db()->modelSpaceId()), k.expected);
    }
    EXPECT_EQ(set.Frame_Blocks.length(), 0) << "cleared by the next run";
}

TEST_F(Detect_Frames_Test, Rectangular_Blocks_Are_Remembered_By_Definition)
{
    Switches(1, 0, 1, 1);
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_Plot_Frames(set, In_Windows));
    EXPECT_EQ(set.Frame_Blocks.length(), 2) << "the frame block and the title block";
    EXPECT_EQ(set.Non_Frame_Blocks.length(), 0);
}

TEST_F(Detect_Frames_Test, Choices_Of_Spaces)
{
    Switches(1, 1, 0, 1);
    Script("enter\npick 1\n");
    ASSERT_TRUE(Find_Plot_Frames(set, In_Windows));
    EXPECT_TRUE(Sheets_In(Db()->modelSpaceId()).empty()) << "all layouts: model space left out";
    EXPECT_EQ(set.All_Sheets.GetSize(), 3);

    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_Plot_Frames(set, In_Windows));
    EXPECT_EQ(set.All_Sheets.GetSize(), 6);
}

TEST_F(Detect_Frames_Test, Selections)
{
    Switches(1, 1, 0, 1);
    // A window around the 2D polyline frame: one sheet, no space.
    Script("select window 640,690 1060,990\n");
    ASSERT_TRUE(Find_Plot_Frames(set, In_Windows));
    ASSERT_EQ(set.All_Sheets.GetSize(), 1);
    EXPECT_EQ(Sheets_In(ZcDbObjectId::kNull), std::vector<Found>{Model_Sheets[1]});
    EXPECT_EQ(set.All_Sheets[0]->Order_Index, 0);
    EXPECT_NE(Printed().find(L"选择打印范围：( 回车自动进行模型/布局遍历 )"), std::wstring::npos);

    // Only the empty frame: nothing found, and the message says why.
    Script("select window 1740,690 2060,910\n");
    EXPECT_FALSE(Find_Plot_Frames(set, In_Windows));
    EXPECT_EQ(set.All_Sheets.GetSize(), 0);
    EXPECT_NE(Printed().find(L"\n排除空白矩形后，未选择到满足要求的打印外框！！！"), std::wstring::npos);
}

TEST_F(Detect_Frames_Test, Cancelling_Ends_Quietly)
{
    const std::wstring before = Printed();
    for (const char* steps : {"esc\n", "enter\nesc\n"}) {
        SCOPED_TRACE(steps);
        Script(steps);
        EXPECT_FALSE(Find_Plot_Frames(set, In_Windows));
    }
    EXPECT_EQ(Printed().find(L"未选择到"), std::wstring::npos);
}

// Detection asks and reports through the feedback it is given: no window opens, and a
// cancelled chooser begins no progress.
TEST_F(Detect_Frames_Test, Chooser_And_Progress_Go_Through_The_Feedback)
{
    Switches(1, 1, 0, 1);
    Recording_Detection_Feedback feedback;
    feedback.Answer = 2;
    Script("enter\n");
    ASSERT_TRUE(Find_Plot_Frames(set, feedback));
    EXPECT_EQ(set.All_Sheets.GetSize(), 9) << "model space and both layouts";
    EXPECT_EQ(g_Dlg_Progress, nullptr);
    ASSERT_GE(feedback.Calls.size(), 3u);
    EXPECT_EQ(feedback.Calls[0], L"choose 自动遍历 当前模型|所有布局|模型+布局 0");
    EXPECT_EQ(feedback.Calls[1], L"begin 计算图框............ 10");
    EXPECT_EQ(feedback.Calls.back(), L"end");
    // Five stages (two before the candidates, loose lines, the last clean-up, empty frames)
    // in each of the three spaces.
    EXPECT_EQ(feedback.Steps(), 15);
    EXPECT_EQ(feedback.Steps() + 3, static_cast<int>(feedback.Calls.size())) << "only steps between begin and end";

    feedback.Calls.clear();
    Script("select window 640,690 1060,990\n");
    ASSERT_TRUE(Find_Plot_Frames(set, feedback));
    ASSERT_GE(feedback.Calls.size(), 2u);
    EXPECT_EQ(feedback.Calls.front(), L"begin 计算图框............ 10") << "a selection asks nothing";
    EXPECT_EQ(feedback.Calls.back(), L"end");

    feedback.Calls.clear();
    feedback.Answer = -1;
    Script("enter\n");
    EXPECT_FALSE(Find_Plot_Frames(set, feedback));
    EXPECT_EQ(feedback.Calls, std::vector<std::wstring>{L"choose 自动遍历 当前模型|所有布局|模型+布局 0"});
}

}  // namespace

namespace {

// A frame far larger than an int: the largest size is capped instead of overflowing.
TEST_F(Detect_Frames_Test, Largest_Size_Of_A_Huge_Frame_Stays_In_Range)
{
    Switches(1, 1, 0, 0);
    Add_Rect(1e10, 0, 1.5e10, 3e9);
    Script("select window 9900000000,-10 16000000000,3100000000\n");
    ASSERT_TRUE(Find_Plot_Frames(set, In_Windows));
    ASSERT_EQ(set.All_Sheets.GetSize(), 1);
    EXPECT_EQ(set.Largest_Width, INT_MAX);
    EXPECT_EQ(set.Largest_Height, INT_MAX);
}

}  // namespace
