// Recognition by title block on the fixture drawing: the sheets found in the spaces, their
// rectangles, texts and stamp positions, the ranges mapped through rotation, scale and the
// stretch of dynamic frames, nested frames dropped.
#include <cmath>
#include <string>
#include <vector>

#include "core/layer_helpers.h"
#include "db/dbblkref.h"
#include "ed/input.h"
#include "ed/ucs.h"
#include "script/utf8.h"
#include "win/win_msgbox.h"
#include "sheets/exact_extents.h"
#include "recording_detection_feedback.h"
#include "sheets/marker_entities.h"
#include "tk_fixture.h"
#include "titleblock/tk_find_sheets.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_ranges.h"
#include "titleblock/tk_sheet_order.h"
#include "windows_detection_feedback.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Expected_Sheet {
    const char* what;
    double box[4];
    std::vector<std::wstring> texts;  // A..F
};

std::vector<std::wstring> Texts_Of(const wchar_t* prefix, const wchar_t* date)
{
    const std::wstring p = prefix;
    return {p + L"-001", L"B" + p, p + L" PLAN[++}" + p + L" LEVEL 1", date, p + L"-INFO1", p + L"-INFO2"};
}

const std::vector<Expected_Sheet> Model_Sheets = {
    {"attributes", {0, 0, 420, 297}, Texts_Of(L"M1", L"2026-01-10")},
    {"attributes, turned 90 degrees and scaled 2", {1106, 0, 1700, 840}, Texts_Of(L"M2", L"2026-01-20")},
    {"loose texts and a multiline title", {0, 1000, 420, 1297}, Texts_Of(L"M3", L"2026-01-30")},
    {"dynamic variant stretched to the left", {2280, 0, 3120, 297}, Texts_Of(L"M5", L"2026-01-50")},
    {"plain texts inside the frame block", {0, 2000, 420, 2297}, Texts_Of(L"M6", L"2026-01-60")},
    {"separate title-block insert and a free attribute definition", {1000, 2000, 1420, 2297},
     Texts_Of(L"M7", L"2026-01-70")},
};

class TK_Recognition_Test : public TK_Drawing_Test {
protected:
    void SetUp() override
    {
        TK_Drawing_Test::SetUp();
        Open_Fixture();
        Fill_Library();
    }

    void Expect_Sheet(const Plot_Drawing2& sheet, const Expected_Sheet& expected)
    {
        SCOPED_TRACE(expected.what);
        EXPECT_NEAR(sheet.Min_Corner.x, expected.box[0], 1e-6);
        EXPECT_NEAR(sheet.Min_Corner.y, expected.box[1], 1e-6);
        EXPECT_NEAR(sheet.Max_Corner.x, expected.box[2], 1e-6);
        EXPECT_NEAR(sheet.Max_Corner.y, expected.box[3], 1e-6);
        for (int k = 0; k < 6; ++k)
            EXPECT_EQ(std::wstring(sheet.Text[k].GetString()), expected.texts[k])
                << "field " << char('A' + k) << ": " << platform::To_Utf8(sheet.Text[k].GetString());
    }
};

TEST_F(TK_Recognition_Test, Every_Sheet_Of_Model_Space_With_Its_Texts)
{
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows)) << platform::To_Utf8(Printed());
    ASSERT_EQ(list.Sheets.GetSize(), static_cast<INT_PTR>(Model_Sheets.size()));
    for (size_t i = 0; i < Model_Sheets.size(); ++i) {
        const Plot_Drawing2& sheet = *list.Sheets[static_cast<INT_PTR>(i)];
        Expect_Sheet(sheet, Model_Sheets[i]);
        EXPECT_EQ(sheet.Seq_No, static_cast<int>(i + 1));
        EXPECT_EQ(sheet.Space_Id, Db()->modelSpaceId());
        EXPECT_FALSE(sheet.Marker_Id.isNull());
    }
    // The drawing number and title came from the frame's attributes, which keep their ids; the
    // plain texts of a frame block came from exploded copies, which leave none.
    EXPECT_EQ(list.Sheets[0]->Text_Ids[0].length(), 1);
    EXPECT_EQ(list.Sheets[0]->Text_Ids[2].length(), 2);
    EXPECT_EQ(list.Sheets[4]->Text_Ids[0].length(), 0);
    // The multiline title of the loose texts is found by the fence although its centre lies
    // left of range C (x from 244.5).
    ASSERT_EQ(list.Sheets[2]->Text_Ids[2].length(), 1);
    EXPECT_LT(Get_Extents_Centre(Get_Entity_Extents_By_Id(list.Sheets[2]->Text_Ids[2][0])).x, 244.5);
    EXPECT_EQ(list.Sheets[3]->TK, g_TK_Library.Records[3]) << "the anonymous variant matched by its dynamic definition";
    EXPECT_EQ(list.Sheets[0]->TK, g_TK_Library.Records[0]) << "block names compared without case";
}

TEST_F(TK_Recognition_Test, Names_From_The_Pattern_And_Order_By_Number_And_Priority)
{
    g_TK_Library.Records[3]->Priority = 0;  // the dynamic frame's sheets come first
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    Sort_TK_Sheets(list, false, 1);
    std::vector<std::wstring> names;
    for (INT_PTR i = 0; i < list.Sheets.GetSize(); ++i)
        names.push_back(list.Sheets[i]->Name.GetString());
    const std::vector<std::wstring> expected = {
        L"M5-001_M5 PLAN[++}M5 LEVEL 1", L"M1-001_M1 PLAN[++}M1 LEVEL 1", L"M2-001_M2 PLAN[++}M2 LEVEL 1",
        L"M3-001_M3 PLAN[++}M3 LEVEL 1", L"M6-001_M6 PLAN[++}M6 LEVEL 1", L"M7-001_M7 PLAN[++}M7 LEVEL 1",
    };
    EXPECT_EQ(names, expected);
}

TEST_F(TK_Recognition_Test, Stamp_Positions_Follow_The_Frame)
{
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    struct Case {
        int sheet;
        double x, y, angle;
    } cases[] = {{0, 60, 40, 0}, {1, 1620, 120, Pi / 2}, {3, 2760, 40, 0}};
    for (const Case& c : cases) {
        const Plot_Drawing2& sheet = *list.Sheets[c.sheet];
        SCOPED_TRACE(Model_Sheets[c.sheet].what);
        EXPECT_NEAR(sheet.Stamp_Pos[0].x, c.x, 1e-6);
        EXPECT_NEAR(sheet.Stamp_Pos[0].y, c.y, 1e-6);
        EXPECT_NEAR(sheet.Angle, c.angle, 1e-9);
        for (int k = 1; k < 4; ++k)
            EXPECT_EQ(sheet.Stamp_Pos[k], Stamp_Pos_Unset) << "no range set for stamp " << k + 1;
    }
}

TEST_F(TK_Recognition_Test, In_A_Turned_Ucs_Rectangles_And_Ranges_Stay_In_It_While_Stamps_Are_World)
{
    // The UCS x axis is the world's y axis: a world point (x, y) is (y, -x) in it.
    ASSERT_EQ(zcedSetCurrentUCS(ZcGeMatrix3d::rotation(Pi / 2, ZcGeVector3d::kZAxis)), Zcad::eOk);
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    ASSERT_EQ(list.Sheets.GetSize(), static_cast<INT_PTR>(Model_Sheets.size()));
    const Plot_Drawing2& plain = *list.Sheets[0];
    EXPECT_NEAR(plain.Min_Corner.x, 0, 1e-6);
    EXPECT_NEAR(plain.Min_Corner.y, -420, 1e-6);
    EXPECT_NEAR(plain.Max_Corner.x, 297, 1e-6);
    EXPECT_NEAR(plain.Max_Corner.y, 0, 1e-6);
    for (int i : {0, 1, 3})
        EXPECT_EQ(std::wstring(list.Sheets[i]->Text[2].GetString()), Model_Sheets[i].texts[2]) << i;
    EXPECT_NEAR(plain.Stamp_Pos[0].x, 60, 1e-6);
    EXPECT_NEAR(plain.Stamp_Pos[0].y, 40, 1e-6);
    EXPECT_NEAR(plain.Angle, 0, 1e-9);
    EXPECT_NEAR(list.Sheets[1]->Stamp_Pos[0].x, 1620, 1e-6);
    EXPECT_NEAR(list.Sheets[1]->Stamp_Pos[0].y, 120, 1e-6);
    EXPECT_NEAR(list.Sheets[1]->Angle, Pi / 2, 1e-9);
}

TEST_F(TK_Recognition_Test, Ranges_Map_Through_Rotation_Scale_And_Stretch)
{
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    // Range A (cell 330,45 .. 415,65 less 5 % on each side) on three frames.
    struct Case {
        int sheet;
        double box[4];
    } cases[] = {
        {0, {334.25, 46, 410.75, 64}},
        {1, {1572, 668.5, 1608, 821.5}},
        {3, {3034.25, 46, 3110.75, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Model_Sheets[c.sheet].what);
        const Plot_Drawing2& sheet = *list.Sheets[c.sheet];
        ZcDbExtents box;
        double angle = -1;
        ASSERT_TRUE(Get_TK_Range(sheet.TK, sheet.Insert_Id, TK_Range_A, box, angle));
        Expect_Box(box, c.box[0], c.box[1], c.box[2], c.box[3]);
    }
    ZcDbExtents box;
    double angle = 0;
    EXPECT_FALSE(Get_TK_Range(list.Sheets[0]->TK, list.Sheets[0]->Insert_Id, TK_Range_Stamp_2, box, angle))
        << "a range never picked is not set";
    EXPECT_FALSE(Get_TK_Range(nullptr, list.Sheets[0]->Insert_Id, TK_Range_A, box, angle));
}

TEST_F(TK_Recognition_Test, Adjusted_Plot_Range_Becomes_The_Sheet_Turned_And_Scaled_With_The_Frame)
{
    // 10 % larger than the frame: 462 x 326.7 about the frame centre.
    for (INT_PTR i = 0; i < g_TK_Library.Records.GetSize(); ++i) {
        TK_Customization* tk = g_TK_Library.Records[i];
        tk->Plot_Range = ZcDbExtents(ZcGePoint3d(-231, -163.35, 0), ZcGePoint3d(231, 163.35, 0));
    }
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    const Plot_Drawing2& plain = *list.Sheets[0];
    EXPECT_NEAR(plain.Min_Corner.x, -21, 1e-6);
    EXPECT_NEAR(plain.Max_Corner.y, 311.85, 1e-6);
    const Plot_Drawing2& turned = *list.Sheets[1];
    EXPECT_NEAR(turned.Min_Corner.x, 1076.3, 1e-6);
    EXPECT_NEAR(turned.Min_Corner.y, -42, 1e-6);
    EXPECT_NEAR(turned.Max_Corner.x, 1729.7, 1e-6);
    EXPECT_NEAR(turned.Max_Corner.y, 882, 1e-6);
    EXPECT_TRUE(turned.Portrait);
    EXPECT_NEAR(turned.Height, 924, 1e-6);
    // The stretched dynamic frame: 840 wide plus the same margins, about the frame's centre.
    const Plot_Drawing2& stretched = *list.Sheets[3];
    EXPECT_NEAR(stretched.Min_Corner.x, 2700 - 441, 1e-6);
    EXPECT_NEAR(stretched.Max_Corner.x, 2700 + 441, 1e-6);
}

TEST_F(TK_Recognition_Test, Spaces_By_Choice_And_The_Start_Space_Kept)
{
    const ZcDbObjectId model = Db()->modelSpaceId();
    const ZcDbObjectId layout_1 = Space_Of_Layout(L"Layout1"), layout_2 = Space_Of_Layout(L"Layout2");
    struct Case {
        const char* script;
        std::vector<ZcDbObjectId> spaces;
    } cases[] = {
        {"enter\npick 0\n", std::vector<ZcDbObjectId>(6, model)},
        {"enter\npick 1\n", {layout_1, layout_2}},
        {"enter\npick 2\n", {model, model, model, model, model, model, layout_1, layout_2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        Script(c.script);
        ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
        ASSERT_EQ(list.Sheets.GetSize(), static_cast<INT_PTR>(c.spaces.size()));
        for (INT_PTR i = 0; i < list.Sheets.GetSize(); ++i)
            EXPECT_EQ(list.Sheets[i]->Space_Id, c.spaces[i]) << i;
        EXPECT_EQ(list.Start_Space_Id, model);
        EXPECT_EQ(zcdbHostApplicationServices()->workingDatabase()->currentSpaceId(), model)
            << "back in the start space";
    }
    const Plot_Drawing2& l1 = *list.Sheets[6];
    EXPECT_EQ(std::wstring(l1.Text[0].GetString()), L"L1-001");
    EXPECT_EQ(std::wstring(list.Sheets[7]->Text[2].GetString()), L"L2 PLAN[++}L2 LEVEL 1");
}

TEST_F(TK_Recognition_Test, A_Selection_Recognises_Only_The_Frames_Selected)
{
    // The window holds M1 only (and the title-block insert nothing else matches).
    Script("select window -10,-10 430,310\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    ASSERT_EQ(list.Sheets.GetSize(), 1);
    Expect_Sheet(*list.Sheets[0], Model_Sheets[0]);
    EXPECT_TRUE(list.Sheets[0]->Space_Id.isNull());
}

TEST_F(TK_Recognition_Test, Deleting_The_Sheets_Erases_Their_Markers_And_A_New_Run_Starts_Afresh)
{
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    const ZcDbObjectId marker = list.Sheets[0]->Marker_Id;
    {
        ZcDbObjectPointer<Temp_PlotRec> rec(marker, ZcDb::kForRead);
        ASSERT_EQ(rec.openStatus(), Zcad::eOk);
        ZcDbObjectId layer;
        Ensure_Layer(layer, L"Temp_PlotLayer");
        EXPECT_EQ(rec->layerId(), layer);
    }
    Script("enter\npick 0\n");
    ASSERT_TRUE(Find_TK_Sheets(list, In_Windows));
    EXPECT_EQ(list.Sheets.GetSize(), static_cast<INT_PTR>(Model_Sheets.size())) << "the first run's sheets are gone";
    EXPECT_TRUE(marker.isErased());
}

TEST_F(TK_Recognition_Test, Nothing_Recognised_Cancelled_Or_Empty_Library)
{
    // Cancelling the selection or the chooser: false and nothing printed.
    Script("esc\n");
    EXPECT_FALSE(Find_TK_Sheets(list, In_Windows));
    Script("enter\nesc\n");
    EXPECT_FALSE(Find_TK_Sheets(list, In_Windows));
    EXPECT_EQ(Printed().find(L"未选择到图框"), std::wstring::npos);

    // A selection without any frame of the library.
    g_TK_Library.Records[0]->Block_Name = L"OTHER";
    Script("select window -10,-10 430,310\n");
    EXPECT_FALSE(Find_TK_Sheets(list, In_Windows));
    EXPECT_NE(Printed().find(L"\n未选择到图框！！！"), std::wstring::npos);

    // An empty library sends the user to the library command.
    g_TK_Library.Clear();
    platform::MessageBoxLog.clear();
    Script("msgbox OK\n");
    EXPECT_FALSE(Find_TK_Sheets(list, In_Windows));
    EXPECT_EQ(platform::Pending_Text(), L"\x03\x03KV_DivezUrez_3\n");
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"图框信息库为空 !\n\n请先在 < 图框信息库管理 > 中进行图框信息录入 !");
}

// Recognition asks, reports and tells through the feedback it is given, never a window.
TEST_F(TK_Recognition_Test, Chooser_Progress_And_Notice_Go_Through_The_Feedback)
{
    Recording_Detection_Feedback feedback;
    feedback.Answer = 0;
    Script("enter\n");
    ASSERT_TRUE(Find_TK_Sheets(list, feedback));
    EXPECT_EQ(list.Sheets.GetSize(), static_cast<INT_PTR>(Model_Sheets.size()));
    ASSERT_GE(feedback.Calls.size(), 4u);
    EXPECT_EQ(feedback.Calls[0], L"choose 自动遍历 当前模型|所有布局|模型+布局 0");
    EXPECT_EQ(feedback.Calls[1], L"begin 计算图框............ 10");
    EXPECT_EQ(feedback.Calls[2], L"step") << "the first step is not held back";
    EXPECT_EQ(feedback.Calls.back(), L"end");
    EXPECT_EQ(feedback.Steps() + 3, static_cast<int>(feedback.Calls.size())) << "only steps between begin and end";

    g_TK_Library.Clear();
    platform::MessageBoxLog.clear();
    feedback.Calls.clear();
    EXPECT_FALSE(Find_TK_Sheets(list, feedback));
    EXPECT_EQ(feedback.Calls, std::vector<std::wstring>{L"notice 图框信息库为空 !\n\n请先在 < 图框信息库管理 > 中进行图框信息录入 !"});
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    EXPECT_EQ(platform::Pending_Text(), L"\x03\x03KV_DivezUrez_3\n") << "still sent to the library command";
}

}  // namespace
