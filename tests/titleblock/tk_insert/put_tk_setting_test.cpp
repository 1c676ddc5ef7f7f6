// The insertion settings dialog: the scale combo, the stored settings and the library
// drawings it adds and deletes.
#include <filesystem>
#include <memory>

#include "core/make_entities.h"
#include "snapshot_colors.h"
#include "dialogs/dlg_put_tk_setting.h"
#include "dialogs/print_order_picture.h"
#include "res/resource.h"
#include "titleblock/tk_block_file.h"
#include "tk_insert_fixture.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_msgbox.h"

namespace {

namespace fs = std::filesystem;

class Put_TK_Setting_Test : public TK_Insert_Test {
public:
    void SetUp() override
    {
        TK_Insert_Test::SetUp();
        Folder = fs::temp_directory_path() / ("tk_settings_" + std::to_string(getpid()));
        fs::remove_all(Folder);
        fs::create_directories(Folder);
        g_Plot_Config.TK_Folder = Windows_Path(Folder.string());
    }
    void TearDown() override
    {
        platform::Machine::instance().allow_writes(platform::Text_From_Host_Path(Folder));
        fs::remove_all(Folder);
        TK_Insert_Test::TearDown();
    }
    void Copy_Frame(const char* name)
    {
        fs::copy_file(Fixture("tk_library/A3_table.dxf"), Folder / name, fs::copy_options::overwrite_existing);
    }
    static void Run_Dialog()
    {
        platform::MessageBoxLog.clear();
        Dlg_Put_TK_Setting dialog;
        dialog.DoModal();
    }
    // The captions of the message boxes the last dialog showed, in order.
    static std::vector<std::wstring> Box_Captions()
    {
        std::vector<std::wstring> captions;
        for (const platform::MessageBoxRecord& record : platform::MessageBoxLog)
            captions.push_back(record.caption);
        return captions;
    }
    // The frame block's name in the library drawing.
    std::wstring Frame_Block(const char* name) const
    {
        std::unique_ptr<ZcDbDatabase> db;
        ZcDbObjectId block_id;
        if (!Read_TK_Block(Windows_Path((Folder / name).string()), db, block_id))
            return L"";
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
        std::wstring block_name;
        block->getName(block_name);
        return block_name;
    }

    fs::path Folder;
};

// The dialog opened modeless, so that the test can move the mouse over it.
class Open_Put_TK : public Dlg_Put_TK_Setting {
public:
    bool Open() { return Create(IDD_DLG_PUT_TK_SETTING, nullptr) && ShowWindow(SW_SHOW) >= 0; }
};

TEST_F(Put_TK_Setting_Test, Typed_Scales_Map_To_The_Combo_Items)
{
    const struct {
        const wchar_t* text;
        int index_before, custom_before;
        bool changed;
        int index, custom;
    } cases[] = {
        {L"30", 1, 0, true, 8, 30},       {L"  10 %", 1, 0, true, 4, 0},   {L"150", 1, 0, true, 8, 100},
        {L"abc", 4, 0, true, 1, 0},       {L"  不缩放", 3, 0, true, 0, 0}, {L"  不缩放", 0, 0, false, 0, 0},
        {L"10", 4, 0, false, 4, 0},       {L"30", 8, 30, false, 8, 30},
        // The custom value already stored, but another item chosen: back to the custom item.
        {L"30", 4, 30, true, 8, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::To_Utf8(c.text) + " from " + std::to_string(c.index_before));
        int index = c.index_before, custom = c.custom_before;
        EXPECT_EQ(Parse_Scale_Text(c.text, index, custom), c.changed);
        EXPECT_EQ(index, c.index);
        EXPECT_EQ(custom, c.custom);
    }
}

TEST_F(Put_TK_Setting_Test, Deleting_A_Drawing_Asks_First_And_Reports_A_File_That_Stays)
{
    Copy_Frame("one.dxf");
    Copy_Frame("two.dxf");
    Script("@IDD_DLG_PUT_TK_SETTING cell IDC_PTK_LIST 0 2\nmsgbox NO\n"
           "@IDD_DLG_PUT_TK_SETTING rows IDC_PTK_LIST\n");
    Script("@IDD_DLG_PUT_TK_SETTING cell IDC_PTK_LIST 0 2\nmsgbox YES\n"
           "@IDD_DLG_PUT_TK_SETTING rows IDC_PTK_LIST\n@IDD_DLG_PUT_TK_SETTING click IDOK\n");
    Run_Dialog();
    const std::string printed = platform::To_Utf8(Printed());
    EXPECT_EQ(Box_Captions(), (std::vector<std::wstring>{L"删除图框", L"删除图框"}));
    // One file left, its row renumbered from 1.
    EXPECT_EQ(fs::exists(Folder / "one.dxf") + fs::exists(Folder / "two.dxf"), 1) << printed;
    EXPECT_NE(printed.find("rows IDC_PTK_LIST:  1 |"), std::string::npos) << printed;

    // A file that cannot be deleted is reported and keeps its row.
    platform::Machine::instance().deny_writes(platform::Text_From_Host_Path(Folder));
    Script("@IDD_DLG_PUT_TK_SETTING cell IDC_PTK_LIST 0 2\nmsgbox YES\nmsgbox OK\n"
           "@IDD_DLG_PUT_TK_SETTING click IDOK\n");
    Run_Dialog();
    EXPECT_EQ(Box_Captions(), (std::vector<std::wstring>{L"删除图框", L"文件删除报错"}));
    EXPECT_EQ(fs::exists(Folder / "one.dxf") + fs::exists(Folder / "two.dxf"), 1);
}

TEST_F(Put_TK_Setting_Test, Drawings_Added_Within_One_Second_Hold_Frame_Blocks_Of_Their_Own)
{
    ZcDbObjectId id;
    Make_Line(id, 0, 0, 100, 0, 256, ZcDbObjectId(), ZcDbObjectId());
    Make_Line(id, 0, 0, 0, 50, 256, ZcDbObjectId(), ZcDbObjectId());
    for (const char* name : {"first", "second"})
        Script(std::string("@IDD_DLG_PUT_TK_SETTING click IDC_PTK_ADD\nselect all\n") +
               "@IDD_DLG_STR text IDC_EDIT_TEXT \"" + name + "\"\n@IDD_DLG_STR click IDOK\n");
    // A name taken in another letter case is refused.
    Script("@IDD_DLG_PUT_TK_SETTING click IDC_PTK_ADD\nselect all\n@IDD_DLG_STR text IDC_EDIT_TEXT \"FIRST\"\n"
           "@IDD_DLG_STR click IDOK\nmsgbox OK\n@IDD_DLG_PUT_TK_SETTING click IDOK\n");
    Run_Dialog();
    const std::wstring first = Frame_Block("first.dxf"), second = Frame_Block("second.dxf");
    EXPECT_EQ(first.rfind(L"K_TK_BK", 0), 0u);
    EXPECT_EQ(second.rfind(L"K_TK_BK", 0), 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(Box_Captions(), std::vector<std::wstring>{L"图框重名报错"});
}

TEST_F(Put_TK_Setting_Test, Closing_In_Any_Way_Stores_The_Settings)
{
    for (const char* close : {"click IDOK", "key ESCAPE"}) {
        SCOPED_TRACE(close);
        g_Plot_Config.TK_Insert_Mode = 0;
        g_Plot_Config.TK_Scale_Step = 1;
        Script(std::string("@IDD_DLG_PUT_TK_SETTING click IDC_PTK_MODE_WRAP\n"
                           "@IDD_DLG_PUT_TK_SETTING choose IDC_PTK_SCALE_COMBO 3\n@IDD_DLG_PUT_TK_SETTING ") +
               close + "\n");
        Run_Dialog();
        EXPECT_EQ(g_Plot_Config.TK_Insert_Mode, 2);
        EXPECT_EQ(g_Plot_Config.TK_Scale_Step, 3);
    }
}

TEST_F(Put_TK_Setting_Test, A_Percent_Typed_Into_The_Scale_Step_Is_Taken)
{
    const struct {
        const char* typed;
        int step, custom;
    } cases[] = {
        {"30", 8, 30},    // a percent of its own
        {"15 %", 5, 0},  // the list's own item
        {"0", 1, 0},     // any scale
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        g_Plot_Config.TK_Scale_Step = 0;
        g_Plot_Config.TK_Scale_Custom = 0;
        Script(std::string("@IDD_DLG_PUT_TK_SETTING text IDC_PTK_SCALE_COMBO \"") + c.typed +
               "\"\n@IDD_DLG_PUT_TK_SETTING click IDOK\n");
        Run_Dialog();
        EXPECT_EQ(g_Plot_Config.TK_Scale_Step, c.step);
        EXPECT_EQ(g_Plot_Config.TK_Scale_Custom, c.custom);
    }
}

TEST_F(Put_TK_Setting_Test, The_Add_Button_Shows_Its_Picture_And_The_Folder_Looks_Like_A_Link)
{
    Open_Put_TK dialog;
    ASSERT_TRUE(dialog.Open());
    const COLORREF idle_link = RGB(0, 0, 200), hover_link = RGB(0, 0, 255);
    CImage idle;
    ASSERT_TRUE(Snapshot(&dialog, Folder / "idle.png", idle));
    // The add button's picture: a frame and a green plus.
    EXPECT_EQ(Controls_Without_Color(&dialog, idle, {IDC_PTK_ADD}, RGB(0, 140, 0)), std::vector<int>{});
    // The folder's text, left of the preview that its static reaches into.
    CRect label = Snapshot_Rect(&dialog, IDC_PTK_FOLDER);
    label.right = Snapshot_Rect(&dialog, IDC_PTK_PREVIEW).left;
    EXPECT_GT(Count_Color(idle, label, idle_link, 20), 0);
    EXPECT_EQ(Count_Color(idle, label, hover_link, 20), 0);

    // The mouse over the folder: bold, pure blue.
    const CRect client_label = Control_Client_Rect(&dialog, IDC_PTK_FOLDER);
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client_label.left + 4, client_label.CenterPoint().y));
    EXPECT_TRUE(g_Path_Label_Hover);
    CImage hovered;
    ASSERT_TRUE(Snapshot(&dialog, Folder / "hovered.png", hovered));
    EXPECT_GT(Count_Color(hovered, label, hover_link, 20), 0);
    EXPECT_EQ(Count_Color(hovered, label, idle_link, 20), 0);
    EXPECT_GT(Ink(hovered, label), Ink(idle, label) * 11 / 10);

    // And away again.
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client_label.left + 4, client_label.bottom + 20));
    EXPECT_FALSE(g_Path_Label_Hover);
    CImage left;
    ASSERT_TRUE(Snapshot(&dialog, Folder / "left.png", left));
    EXPECT_EQ(Ink(left, label), Ink(idle, label));
    dialog.DestroyWindow();
}

TEST_F(Put_TK_Setting_Test, A_Click_On_The_Folder_Chooses_Another_Library_Folder)
{
    const fs::path other = Folder / "图框库二";
    fs::create_directories(other);
    fs::copy_file(Fixture("tk_library/A3_table.dxf"), other / "甲.dxf");
    const std::string other_path = platform::To_Utf8(static_cast<const wchar_t*>(Windows_Path(other.string())));
    Script("@IDD_DLG_PUT_TK_SETTING click IDC_PTK_FOLDER\nfile \"" + other_path + "\"\n"
           "@IDD_DLG_PUT_TK_SETTING rows IDC_PTK_LIST\n@IDD_DLG_PUT_TK_SETTING click IDOK\n");
    Run_Dialog();
    EXPECT_EQ(g_Plot_Config.TK_Folder, Windows_Path(other.string()));
    EXPECT_NE(platform::To_Utf8(Printed()).find("rows IDC_PTK_LIST:  1 | 甲 |"), std::string::npos)
        << platform::To_Utf8(Printed());
}

}  // namespace
