// KV_DivezUrez_22: the library listing, the command road and the three placements.
#include <filesystem>
#include <fstream>

#include "core/command_handlers.h"
#include "core/file_operations.h"
#include "core/make_entities.h"
#include "db/dbblkref.h"
#include "titleblock/tk_insert.h"
#include "app/window_watcher.h"
#include "titleblock/tk_temp_jig.h"
#include "tk_insert_fixture.h"

namespace {

namespace fs = std::filesystem;

class TK_Command_Test : public TK_Insert_Test {
public:
    void SetUp() override
    {
        TK_Insert_Test::SetUp();
        g_TK_Insert_Guard = false;
        g_Plot_Config.TK_Folder = Windows_Path(Fixture("tk_library"));
    }
    void TearDown() override
    {
        g_TK_Insert_Guard = false;
        TK_Insert_Test::TearDown();
    }
    // The picker value of the library drawing of that file name.
    static int Picker_Value(const wchar_t* file_name)
    {
        Single_TK_Array drawings;
        List_TK_Drawings(g_Plot_Config.TK_Folder, drawings);
        int value = -1;
        for (INT_PTR i = 0; i < drawings.GetSize(); ++i)
            if (drawings[i]->File_Name == file_name)
                value = static_cast<int>(i) + 2;
        Clear_Single_TK_List(drawings);
        return value;
    }
    static std::string Pick(const wchar_t* file_name)
    {
        return "pick " + std::to_string(Picker_Value(file_name)) + "\n";
    }
    static std::vector<std::wstring> Block_Names(const wchar_t* prefix)
    {
        std::vector<std::wstring> names;
        ZcDbBlockTable* table = nullptr;
        if (Db()->getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
            return names;
        ZcDbBlockTableIterator* it = nullptr;
        table->newIterator(it);
        for (it->start(); !it->done(); it->step()) {
            ZcDbBlockTableRecord* record = nullptr;
            if (it->getRecord(record, ZcDb::kForRead) != Zcad::eOk)
                continue;
            std::wstring name;
            record->getName(name);
            if (name.rfind(prefix, 0) == 0)
                names.push_back(name);
            record->close();
        }
        delete it;
        table->close();
        return names;
    }
    // The texts of model space other than the frame's own "TITLE".
    static std::vector<ZcDbObjectId> Scale_Texts()
    {
        std::vector<ZcDbObjectId> texts;
        for (ZcDbObjectId id : Model_Ids<ZcDbText>()) {
            ZcDbObjectPointer<ZcDbText> text(id, ZcDb::kForRead);
            if (std::wstring(text->textString()) != L"TITLE")
                texts.push_back(id);
        }
        return texts;
    }
};

TEST_F(TK_Command_Test, The_Library_Lists_Drawings_With_A_Frame_Block_Whatever_Follows_The_Extension)
{
    Single_TK_Array drawings;
    List_TK_Drawings(g_Plot_Config.TK_Folder, drawings);
    std::vector<std::wstring> titles;
    for (INT_PTR i = 0; i < drawings.GetSize(); ++i)
        titles.push_back(Single_TK_Title(*drawings[i]).GetString());
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"A3_plain", L"A3_table"}));  // notes.dxf has no frame

    const fs::path folder = fs::temp_directory_path() / ("tk_list_" + std::to_string(getpid()));
    fs::create_directories(folder);
    fs::copy_file(Fixture("tk_library/A3_table.dxf"), folder / "copy.DXF.bak", fs::copy_options::overwrite_existing);
    std::ofstream(folder / "readme.txt") << "no drawing";
    List_TK_Drawings(Windows_Path(folder.string()), drawings);
    ASSERT_EQ(drawings.GetSize(), 1);
    EXPECT_STREQ(Single_TK_Title(*drawings[0]), L"copy.DXF");
    Clear_Single_TK_List(drawings);
    fs::remove_all(folder);

    List_TK_Drawings(L"/nonexistent/tk", drawings);
    EXPECT_EQ(drawings.GetSize(), 0);
}

TEST_F(TK_Command_Test, A_Centred_Frame_Is_Placed_As_Often_As_Points_Are_Given_From_One_Definition)
{
    Script(Pick(L"A3_table.dxf") + "point 100,100\nwait pumps 1\npoint 1000,100\nwait pumps 1\npoint 2000,100\n"
                                   "wait pumps 1\nesc\n");
    Insert_TK();
    const std::vector<Placed_Line> lines = Model_Lines();
    // Outer edge, inner border and table: 12 lines a frame.
    ASSERT_EQ(lines.size(), 3u * 12u) << platform::To_Utf8(Printed());
    Expect_Box(Lines_Box({lines.begin(), lines.begin() + 12}), -110, -48.5, 310, 248.5);
    Expect_Box(Lines_Box({lines.end() - 12, lines.end()}), 1790, -48.5, 2210, 248.5);
    EXPECT_EQ(Block_Names(L"K_TK_BK").size(), 1u);
    EXPECT_TRUE(Scale_Texts().empty());  // no scale text by default here
    EXPECT_TRUE(g_TK_Insert_Guard);

    // The queued re-run only clears the guard.
    Insert_TK();
    EXPECT_FALSE(g_TK_Insert_Guard);
    EXPECT_EQ(Model_Lines().size(), 3u * 12u);
}

TEST_F(TK_Command_Test, A_Corner_Placement_Pins_The_Area_Corner_Facing_Away_And_Writes_The_Rounded_Scale)
{
    g_Plot_Config.TK_Insert_Mode = 1;
    g_Plot_Config.TK_Scale_Step = 3;  // 5 %
    g_Plot_Config.TK_Text_Pos = 2;    // upper left
    // Lower-left corner of the area (the inner border's) to 0,0; then twice the area's
    // 390 x 287 towards the upper right (a little more: 2.01 rounds to 2).
    Script(Pick(L"A3_table.dxf") + "point 0,0\nwait pumps 1\npoint 784,577\nwait pumps 1\nesc\n");
    Insert_TK();
    const std::vector<Placed_Line> lines = Model_Lines();
    ASSERT_EQ(lines.size(), 12u);
    Expect_Box(Lines_Box(lines), -50, -10, 790, 584);
    const std::vector<ZcDbObjectId> texts = Scale_Texts();
    ASSERT_EQ(texts.size(), 1u);
    ZcDbObjectPointer<ZcDbText> text(texts[0], ZcDb::kForRead);
    EXPECT_STREQ(text->textString(), L"200%");
    EXPECT_NEAR(text->height(), 297.0 / 25 * 2, 1e-9);
    // Upper left of the frame, a quarter text height above it, bottom left aligned.
    EXPECT_NEAR(text->position().x, -50, 1e-9);
    EXPECT_NEAR(text->position().y, 584 + 297.0 / 25 * 0.25 * 2, 1e-9);
}

TEST_F(TK_Command_Test, A_Wrapped_Frame_Is_Centred_On_The_Clipped_Extents_Of_Nested_Blocks)
{
    Open_Target();
    g_Plot_Config.TK_Folder = Windows_Path(Fixture("tk_library"));
    g_Plot_Config.TK_Insert_Mode = 2;
    const struct {
        const char* label;
        const char* window;
        double cx, cy;  // where the area centre lands
    } cases[] = {
        {"a rectangle", "select window 990,-10 1310,210\n", 1150, 100},
        // Unclipped, the nested block would put the frame around 6000,500.
        {"a clipped block inside another", "select window 4990,-10 7010,1010\n", 5200, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const size_t before = Model_Lines().size();
        Script(Pick(L"A3_table.dxf") + c.window + "esc\n");
        g_TK_Insert_Guard = false;
        Insert_TK();
        const std::vector<Placed_Line> lines = Model_Lines();
        ASSERT_EQ(lines.size(), before + 12);
        // The area centre (10, 0 of the frame) on the selection's centre; no scaling step.
        Expect_Box(Lines_Box({lines.end() - 12, lines.end()}), c.cx - 10 - 210, c.cy - 148.5, c.cx - 10 + 210,
                   c.cy + 148.5);
    }
}

TEST_F(TK_Command_Test, Picked_Frames_Placed_Within_One_Second_Get_Blocks_Of_Their_Own)
{
    ZcDbObjectId id;
    Make_Line(id, 0, 0, 100, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 100, 0, 100, 50, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 100, 50, 0, 50, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 0, 50, 0, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Script("pick 1\nselect all\npoint 500,500\nwait pumps 1\npoint 800,500\nwait pumps 1\nesc\n");
    Insert_TK();
    EXPECT_EQ(Block_Names(L"BK").size(), 2u);
    const std::vector<Placed_Line> lines = Model_Lines();
    ASSERT_EQ(lines.size(), 12u);
    Expect_Box(Lines_Box({lines.end() - 4, lines.end()}), 750, 475, 850, 525);
}

TEST_F(TK_Command_Test, A_Picked_Frame_With_A_Note_Beyond_Its_Lines_Lands_On_Its_Outline_Centre)
{
    // The note widens the picked entities' extents, around whose centre the block is made,
    // to the right of the frame's lines.
    ZcDbObjectId id;
    Make_Line(id, 0, 0, 100, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 100, 0, 100, 50, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 100, 50, 0, 50, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 0, 50, 0, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Add_Text(id, 90, 20, L"总平面图附注", 10, 0, 0, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Script("pick 1\nselect all\npoint 500,500\nwait pumps 1\nesc\n");
    Insert_TK();
    const std::vector<Placed_Line> lines = Model_Lines();
    ASSERT_EQ(lines.size(), 8u);
    Expect_Box(Lines_Box({lines.end() - 4, lines.end()}), 450, 475, 550, 525);
}

TEST_F(TK_Command_Test, Runs_That_End_Early_Queue_Nothing)
{
    Script("esc\n");
    Insert_TK();
    EXPECT_FALSE(g_TK_Insert_Guard);

    // Picked entities without a straight line: the analysis fails.
    ZcDbObjectId id;
    Add_Text(id, 0, 0, L"TEXT", 5, 0, 0, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Script("pick 1\nselect all\n");
    Insert_TK();
    EXPECT_FALSE(g_TK_Insert_Guard);
    EXPECT_NE(Printed().find(L"未能获得图框的线框信息，退出 !"), std::wstring::npos);
    EXPECT_TRUE(g_TK_Insert.Picked_Ids.isEmpty());
}

TEST_F(TK_Command_Test, Tab_Turns_The_Frame_Only_While_A_Frame_Drag_Runs)
{
    MSG tab{};
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    Watch_Key_Message(&tab);
    EXPECT_EQ(g_Frame_Jig_Dir, 0);
    g_Frame_Jig_Active = true;
    for (int expected : {1, 2, 0}) {
        Watch_Key_Message(&tab);
        EXPECT_EQ(g_Frame_Jig_Dir, expected);
    }
    g_Frame_Jig_Active = false;

    // A turned frame is placed turned; its scale text is laid out on the turned box.
    g_Frame_Jig_Dir = 1;
    g_Plot_Config.TK_Text_Pos = 6;  // bottom centre
    Script(Pick(L"A3_table.dxf") + "point 0,0\nwait pumps 1\nesc\n");
    Insert_TK();
    const std::vector<Placed_Line> lines = Model_Lines();
    ASSERT_EQ(lines.size(), 12u);
    Expect_Box(Lines_Box(lines), -148.5, -210, 148.5, 210);
    const std::vector<ZcDbObjectId> texts = Scale_Texts();
    ASSERT_EQ(texts.size(), 1u);
    ZcDbObjectPointer<ZcDbText> text(texts[0], ZcDb::kForRead);
    EXPECT_STREQ(text->textString(), L"100%");
    EXPECT_NEAR(text->rotation(), 0, 1e-12);
    EXPECT_NEAR(text->height(), 297.0 / 25, 1e-9);
}

TEST_F(TK_Command_Test, Attributed_Blocks_Of_The_Frame_Are_Synchronised_Once_Per_Reference)
{
    // A picked frame: a rectangle of lines and two references of one attributed block.
    ZcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(Db()->getBlockTable(blocks, ZcDb::kForWrite), Zcad::eOk);
    auto* definition = new ZcDbBlockTableRecord();
    definition->setName(L"TK_SIGN");
    ZcDbObjectId definition_id;
    ASSERT_EQ(blocks->add(definition_id, definition), Zcad::eOk);
    definition->close();
    blocks->close();
    ZcDbObjectId id;
    for (const Placed_Line& line : std::vector<Placed_Line>{
             {{0, 0}, {100, 0}}, {{100, 0}, {100, 50}}, {{100, 50}, {0, 50}}, {{0, 50}, {0, 0}}})
        Make_Line(id, line.Start.x, line.Start.y, line.End.x, line.End.y, 256, ZcDbObjectId(), ZcDbObjectId());
    for (double x : {10.0, 60.0}) {
        auto* reference = new ZcDbBlockReference(ZcGePoint3d(x, 10, 0), definition_id);
        Append_Entity(id, reference, Keep_Color, false, ZcDbObjectId(), ZcDbObjectId());
        auto* attribute = new ZcDbAttribute(ZcGePoint3d(x, 10, 0), L"NAME", L"SIGNER");
        reference->appendAttribute(attribute);
        attribute->close();
        reference->close();
    }
    Script("pick 1\nselect all\nesc\n");
    Insert_TK();
    ASSERT_EQ(g_TK_Insert.Attsync_Names.GetSize(), 2);
    EXPECT_STREQ(g_TK_Insert.Attsync_Names[0], L"TK_SIGN");
    EXPECT_STREQ(g_TK_Insert.Attsync_Names[1], L"TK_SIGN");
    EXPECT_TRUE(g_TK_Insert_Guard);  // the synchronisations and the re-send were queued
}

TEST_F(TK_Command_Test, A_Library_Frame_Lands_Where_Its_Outline_Showed_Whatever_Its_Base_Point)
{
    // A1 frames whose blocks have their base point at the centre, the lower-left corner or
    // far off; the frame centre is where the outline and the preview put it.
    g_Plot_Config.TK_Folder = Windows_Path(Fixture("tk_基点图框"));
    g_Plot_Config.TK_Text_Pos = 2;  // upper left, bottom-left aligned
    const double gap = 594.0 / 25 * 0.25;
    const struct {
        const char* label;
        int mode;
        const char* input;
        double cx, cy;  // the frame centre
    } modes[] = {
        {"centre", 0, "point 100,100\nwait pumps 1\nesc\n", 100, 100},
        // The drawing area's centre (7.5, 0 of the frame) on the centre of the rectangle.
        {"wrap", 2, "select window 990,-10 1310,210\nesc\n", 1150 - 7.5, 100},
    };
    // Each frame stays clear of the next wrap window.
    Open_Target();
    for (const wchar_t* drawing : {L"A1_中心.dxf", L"A1_左下角.dxf", L"A1_任意点.dxf"}) {
        for (const auto& mode : modes) {
            SCOPED_TRACE(platform::To_Utf8(drawing) + " " + mode.label);
            g_Plot_Config.TK_Insert_Mode = mode.mode;
            g_TK_Insert_Guard = false;
            const size_t before = Model_Lines().size();
            Script(Pick(drawing) + mode.input);
            Insert_TK();
            const std::vector<Placed_Line> lines = Model_Lines();
            ASSERT_EQ(lines.size(), before + 12);
            Expect_Box(Lines_Box({lines.end() - 12, lines.end()}), mode.cx - 420.5, mode.cy - 297, mode.cx + 420.5,
                       mode.cy + 297);
            std::vector<ZcDbObjectId> scale_texts;
            for (ZcDbObjectId id : Model_Ids<ZcDbText>()) {
                ZcDbObjectPointer<ZcDbText> text(id, ZcDb::kForRead);
                if (std::wstring(text->textString()) == L"100%")
                    scale_texts.push_back(id);
            }
            ASSERT_FALSE(scale_texts.empty());
            ZcDbObjectPointer<ZcDbText> text(scale_texts.back(), ZcDb::kForRead);
            EXPECT_NEAR(text->position().x, mode.cx - 420.5, 1e-6);
            EXPECT_NEAR(text->position().y, mode.cy + 297 + gap, 1e-6);
        }
    }
}

}  // namespace
