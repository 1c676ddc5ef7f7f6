// The title-block library dialog: a definition made from a picked sample with ranges picked
// by points, the replacement of a block's definition only once the new one is confirmed,
// the controls of each page, the catalogue checks, and an import that cannot spoil the library.
#include <fstream>

#include "core/extents_checks.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "snapshot_colors.h"
#include "dialogs/dlg_tk_define.h"
#include "dialogs/dlg_tk_set.h"
#include "drawing_builders.h"
#include "expect_box.h"
#include "res/resource.h"
#include "tk_library_fixture.h"
#include "unwritable_folder.h"

namespace {

class TK_Define : public TK_Library_Test {
protected:
    void SetUp() override
    {
        TK_Library_Test::SetUp();
        g_Ucs.Reset();
        for (int& flag : Dlg_TK_Define1::Sort_Flags) flag = 0;
    }
    static ZcDbObjectId Add(ZcDbEntity* entity, ZcDbObjectId block_id = ZcDbObjectId::kNull)
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id.isNull() ? Db()->modelSpaceId() : block_id,
                                                      ZcDb::kForWrite);
        ZcDbObjectId id;
        EXPECT_EQ(block->appendZcDbEntity(id, entity), Zcad::eOk);
        entity->close();
        return id;
    }
    // A reference at (x, y) of a new block holding a w x h frame from the origin.
    static void Insert_Frame(const wchar_t* name, double x, double y, double w, double h)
    {
        const ZcDbObjectId block = Add_Block(name);
        ASSERT_FALSE(block.isNull());
        auto* frame = new ZcDbPolyline;
        const ZcGePoint2d corners[] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
        for (unsigned i = 0; i < 4; ++i) frame->addVertexAt(i, corners[i]);
        frame->setClosed(true);
        Add(frame, block);
        Add(new ZcDbBlockReference(ZcGePoint3d(x, y, 0), block));
    }
    static TK_Customization* Definition(const wchar_t* block, const wchar_t* rule)
    {
        auto* record = new TK_Customization;
        record->Block_Name = block;
        record->Name_Rule = rule;
        record->Range_A = ZcDbExtents(ZcGePoint3d(1, 1, 0), ZcGePoint3d(5, 3, 0));
        g_TK_Library.Records.Add(record);
        return record;
    }
    static int Count(const wchar_t* block)
    {
        int n = 0;
        for (INT_PTR i = 0; i < g_TK_Library.Records.GetSize(); ++i)
            n += g_TK_Library.Records[i]->Block_Name.CompareNoCase(block) == 0 ? 1 : 0;
        return n;
    }
};

// The library dialog opened modeless, with its pages reachable.
class Open_Define : public Dlg_TK_Define {
public:
    bool Open() { return Create(IDD_DLG_TK_DEFINE, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    static CString Text(CWnd& page, int id)
    {
        CString text;
        page.GetDlgItemText(id, text);
        return text;
    }
};

TEST_F(TK_Define, A_Definition_From_A_Picked_Sample_With_Ranges_Picked_By_Points)
{
    Insert_Frame(L"TK_A3", 1000, 500, 420, 297);  // centre (1210, 648.5)
    // New record: the sample, then in the definition dialog range A by two points, a
    // degenerate range B refused, OK refused without a naming rule, the rule, OK; then OK.
    Script("click 897\nselect all\n"
           "click 882\npoint 1540,545\npoint 1625,565\n"
           "click 883\npoint 1540,545\npoint 1540,600\nmsgbox OK\n"
           "click 1\nmsgbox OK\n"
           "click 891\ntext 216 \"A\"\nclick 1\n"
           "choose 892 4\nclick 1\n"
           "click 1\n");
    Dlg_TK_Define dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(g_TK_Library.Records.GetSize(), 1);
    const TK_Customization& tk = *g_TK_Library.Records[0];
    EXPECT_EQ(tk.Block_Name, CString(L"TK_A3"));
    EXPECT_EQ(tk.Name_Rule, CString(L"A"));
    EXPECT_EQ(tk.Priority, 4);
    Expect_Box(tk.Range_A, 330, -103.5, 415, -83.5);
    EXPECT_FALSE(Check_Extents(tk.Range_B));
    ASSERT_GE(platform::MessageBoxLog.size(), 2u);
    // OK saved the library to its file; a fresh read finds the definition.
    Reset_Library(g_TK_Library);
    ASSERT_TRUE(g_TK_Library.Load(0));
    ASSERT_EQ(g_TK_Library.Records.GetSize(), 1);
    Expect_Box(g_TK_Library.Records[0]->Range_A, 330, -103.5, 415, -83.5);
}

TEST_F(TK_Define, A_Block_Already_Defined_Is_Replaced_Only_When_The_New_Definition_Is_Confirmed)
{
    Insert_Frame(L"TK_A3", 0, 0, 420, 297);
    struct Case {
        const char* name;
        std::string script;  // after the sample pick
        CString rule;        // the block's definition afterwards
    } cases[] = {
        {"No keeps the old one", "msgbox NO\n", L"OLD"},
        {"Yes, then cancelled, keeps the old one", "msgbox YES\nclick 2\n", L"OLD"},
        {"Yes, then OK, replaces it", "msgbox YES\nclick 891\ntext 216 \"T\"\nclick 1\nclick 1\n", L"T"},
    };
    for (const Case& c : cases) {
        Reset_Library(g_TK_Library);
        Definition(L"tk_a3", L"OLD");  // the same block but for the letter case
        Definition(L"OTHER", L"A");
        Open_Define dialog;
        ASSERT_TRUE(dialog.Open()) << c.name;
        Script("select all\n" + c.script);
        dialog.Page1.New_Record();
        EXPECT_TRUE(Script_Used()) << c.name;
        EXPECT_EQ(Count(L"TK_A3"), 1) << c.name;
        EXPECT_EQ(g_TK_Library.Records.GetSize(), 2) << c.name;
        EXPECT_NE(g_TK_Library.Find(L"TK_A3"), nullptr);
        EXPECT_EQ(g_TK_Library.Find(L"TK_A3")->Name_Rule, c.rule) << c.name;
        EXPECT_EQ(dialog.Page1.List.GetItemCount(), 2) << c.name;
        dialog.DestroyWindow();
    }
}

TEST_F(TK_Define, The_List_Shows_Each_Definition_Deletes_At_Once_And_Sorts_Both_Ways)
{
    TK_Customization* b = Definition(L"B_FRAME", L"A_B");  // B's range unset
    b->Paper.Long_Side = 6000;  // out of range
    TK_Customization* a = Definition(L"A_FRAME", L"A");
    a->Is_Dynamic = 1;
    a->Priority = 2;
    Definition(L"C_FRAME", L"A");
    Open_Define dialog;
    ASSERT_TRUE(dialog.Open());
    ListCtrl_DivezUrez& list = dialog.Page1.List;
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"   1"));
    EXPECT_EQ(list.GetItemText(1, 1), CString(L"A_FRAME"));
    EXPECT_EQ(list.GetItemText(1, 3), CString(L"3"));
    EXPECT_EQ(list.GetItemText(1, 4), CString(L"DEL"));
    EXPECT_EQ(list.GetItemText(1, 6), CString(L"√"));
    EXPECT_EQ(list.GetItemText(1, 7), CString(L""));
    EXPECT_EQ(list.GetItemText(1, 16), CString(L"动态图框"));
    EXPECT_FALSE(list.GetItemText(0, 16).IsEmpty());  // the naming check's message
    const std::pair<int, int> marked[] = {{0, 2}, {0, 5}, {0, 16}};
    EXPECT_EQ(list.Mark_Rows.length(), static_cast<int>(std::size(marked)));

    dialog.Page1.Sort_By_Column(1);
    EXPECT_EQ(list.GetItemText(0, 1), CString(L"A_FRAME"));
    EXPECT_EQ(list.GetItemText(2, 1), CString(L"C_FRAME"));
    dialog.Page1.Sort_By_Column(1);
    EXPECT_EQ(list.GetItemText(0, 1), CString(L"C_FRAME"));
    dialog.Page1.Sort_By_Column(1);
    EXPECT_EQ(list.GetItemText(0, 1), CString(L"A_FRAME"));

    dialog.Page1.Delete_Row(0);
    EXPECT_EQ(g_TK_Library.Records.GetSize(), 2);
    EXPECT_EQ(list.GetItemText(0, 1), CString(L"B_FRAME"));
    EXPECT_EQ(list.GetItemText(1, 0), CString(L"   2"));
    dialog.DestroyWindow();
}

TEST_F(TK_Define, Cancel_Reads_The_Library_Back_From_Its_File)
{
    Definition(L"KEEP", L"A");
    g_TK_Library.Save(false, false);
    Definition(L"DROPPED", L"A");
    Dlg_TK_Define dialog;
    Script("choose 902 2\ntext 912 \"x\"\nclick 2\n");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_EQ(g_TK_Library.Records.GetSize(), 1);
    EXPECT_EQ(g_TK_Library.Records[0]->Block_Name, CString(L"KEEP"));
}

TEST_F(TK_Define, Ok_Tells_When_The_Library_File_Cannot_Be_Written)
{
    const auto cases = Unwritable_Folder_Cases(g_Config_Folder.GetString(), 20);
    Definition(L"KEEP", L"A");
    g_TK_Library.Save(false, false);
    const std::string before = File_Bytes(Library_Path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        c.make_unwritable();
        Dlg_TK_Define dialog;
        Script("cell 1164 0 4\nclick 1\nmsgbox OK\n");
        EXPECT_EQ(dialog.DoModal(), IDOK);
        c.undo();
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_NE(platform::MessageBoxLog[0].text.find(L"文件 < " + std::wstring(Library_Path().GetString()) +
                                                       L" > 写入操作有误!"),
                  std::wstring::npos);
        EXPECT_EQ(File_Bytes(Library_Path()), before);
        ASSERT_TRUE(g_TK_Library.Load(0));
        EXPECT_EQ(g_TK_Library.Records.GetSize(), 1);
    }
}

TEST_F(TK_Define, Catalogue_Page_Summary_Checks_And_Columns)
{
    Open_Define dialog;
    ASSERT_TRUE(dialog.Open());
    Dlg_TK_Define2& page = dialog.Page2;
    struct Summary_Case {
        double height;
        const wchar_t* summary;
    } summaries[] = {
        {300, L"字型：Standard     字高：300     图层：0"},
        {12.25, L"字型：Standard     字高：12.2     图层：0"},
        {3.5, L"字型：Standard     字高：3.50     图层：0"},
    };
    for (const Summary_Case& c : summaries) {
        g_TK_Library.Text_Settings.Text_Height = c.height;
        page.Refresh_Text_Summary();
        EXPECT_EQ(Open_Define::Text(page, IDC_TKD2_SUMMARY), CString(c.summary));
    }
    g_TK_Library.Text_Settings.Text_Height = 300;
    g_TK_Library.Cat_Col_Kinds.RemoveAll();
    g_TK_Library.Cat_Col_Widths.RemoveAll();
    page.Refresh_Preview();
    EXPECT_FALSE(page.GetDlgItem(IDC_TKD2_DELETE)->IsWindowEnabled());
    EXPECT_TRUE(page.Check_Catalogue_Settings());  // no column: nothing to check

    g_TK_Library.Cat_Col_Kinds.Add(0);
    g_TK_Library.Cat_Col_Widths.Add(1000);
    struct Check_Case {
        double row_height;
        const char* answer;  // "" when no question is asked
        bool accepted;
    } checks[] = {{1000, "", true}, {250, "msgbox YES\n", true}, {250, "msgbox NO\n", false},
                  {1600, "msgbox NO\n", false}, {0, "msgbox OK\n", false}};
    for (const Check_Case& c : checks) {
        g_TK_Library.Cat_Row_Height = c.row_height;
        platform::MessageBoxLog.clear();
        Script(c.answer);
        EXPECT_EQ(page.Check_Catalogue_Settings(), c.accepted) << c.row_height;
        EXPECT_TRUE(Script_Used()) << c.row_height;
        EXPECT_EQ(platform::MessageBoxLog.size(), *c.answer ? 1u : 0u) << c.row_height;
    }
    dialog.DestroyWindow();
}

TEST_F(TK_Define, Catalogue_Columns_Are_Added_By_Picked_Cells_And_Deleted_By_Choice)
{
    g_TK_Library.Cat_Col_Kinds.RemoveAll();
    g_TK_Library.Cat_Col_Widths.RemoveAll();
    Script("choose 902 1\n"
           "click 897\npick 3\npoint 0,0\npoint 2500,-800\n"
           "click 897\npick 0\npoint 0,0\npoint 900,700\n"
           "click 224\npick 1\n"
           "click 1\n");
    Dlg_TK_Define dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(g_TK_Library.Cat_Col_Kinds.GetSize(), 1);
    EXPECT_EQ(g_TK_Library.Cat_Col_Kinds[0], 3);
    EXPECT_DOUBLE_EQ(g_TK_Library.Cat_Col_Widths[0], 2500);
    EXPECT_DOUBLE_EQ(g_TK_Library.Cat_Row_Height, 700);  // the last picked cell's height
}

TEST_F(TK_Define, Other_Page_Examples_Follow_Separator_And_Style)
{
    Open_Define dialog;
    ASSERT_TRUE(dialog.Open());
    Dlg_TK_Define3& page = dialog.Page3;
    EXPECT_EQ(Open_Define::Text(page, IDC_TKD3_STANDARD_1), CString(L"A3+1/2"));
    EXPECT_EQ(Open_Define::Text(page, IDC_TKD3_STANDARD_1 + 3), CString(L"A0+1/4"));
    page.SetDlgItemText(IDC_TKD3_SEPARATOR, L"a/\"b");
    EXPECT_EQ(Open_Define::Text(page, IDC_TKD3_SEPARATOR), CString(L"a∕b"));
    EXPECT_EQ(Open_Define::Text(page, IDC_TKD3_EXAMPLE),
              CString(L"示 例： 结施01_一层梁布置图a∕b二层梁布置图a∕b三层梁布置图"));
    const struct {
        int style;
        const wchar_t* names[4];
    } styles[] = {{1, {L"A3+0.5", L"A2+0.75", L"A1+1.25", L"A0+0.25"}},
                  {2, {L"1.5A3", L"1.75A2", L"2.25A1", L"1.25A0"}}};
    for (const auto& s : styles) {
        for (int i = 0; i < 8; ++i) page.CheckDlgButton(IDC_TKD3_STYLE_0 + i, i == s.style ? BST_CHECKED : BST_UNCHECKED);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TKD3_STYLE_0 + s.style, BN_CLICKED), 0);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Open_Define::Text(page, IDC_TKD3_EXAMPLE_1 + i), CString(s.names[i])) << s.style;
        EXPECT_EQ(Open_Define::Text(page, IDC_TKD3_EXPLANATION), CString(L"(加长比例折算为数字)"));
    }
    dialog.DestroyWindow();
}

TEST_F(TK_Define, A_Damaged_Or_Foreign_File_Is_Not_Imported_And_The_Library_Stays)
{
    const std::string whole = TK_File_Text(20250101).Int(1).Definition(L"IMPORTED", 3).Settings().Text;
    const struct {
        const char* name;
        std::string content;
    } files[] = {
        {"cut short", whole.substr(0, whole.size() / 2)},
        {"another format", "<?xml version=\"1.0\"?>\n<library/>\n"},
    };
    for (const auto& f : files) {
        Reset_Library(g_TK_Library);
        Definition(L"PRESENT", L"A");
        g_TK_Library.Line_Separator = L"~";
        const CString path = g_Config_Folder + L"\\other.tk";
        Write_File(path, f.content);
        platform::MessageBoxLog.clear();
        Script("file \"" + platform::To_Utf8(path.GetString()) + "\"\nmsgbox OK\n");
        EXPECT_FALSE(g_TK_Library.Load(1)) << f.name;
        ASSERT_EQ(g_TK_Library.Records.GetSize(), 1) << f.name;
        EXPECT_EQ(g_TK_Library.Records[0]->Block_Name, CString(L"PRESENT")) << f.name;
        EXPECT_EQ(g_TK_Library.Line_Separator, CString(L"~")) << f.name;
        EXPECT_EQ(platform::MessageBoxLog.size(), 1u) << f.name;
        platform::ScriptInput::instance().clear();
    }
}

TEST_F(TK_Define, List_Cells_And_Headers_Edit_Priority_Naming_And_Order_By_Clicks)
{
    Definition(L"B_FRAME", L"A");
    Definition(L"A_FRAME", L"A");
    // Priority 7 for row 1, a naming rule that needs an unset range for row 1 (marked), then
    // the block-name header twice (ascending, descending), then the DEL cell of row 0.
    Script("cell 1164 1 3\npick 6\n"
           "cell 1164 1 5\ntext 216 \"A_B\"\nclick 1\n"
           "header 1164 1\nheader 1164 1\n"
           "cell 1164 0 4\n"
           "click 1\n");
    Dlg_TK_Define dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(g_TK_Library.Records.GetSize(), 1);
    const TK_Customization& left = *g_TK_Library.Records[0];
    EXPECT_EQ(left.Block_Name, CString(L"A_FRAME"));  // B_FRAME came first descending and was deleted
    EXPECT_EQ(left.Name_Rule, CString(L"A_B"));
    EXPECT_EQ(left.Priority, 6);
    EXPECT_EQ(Dlg_TK_Define1::Sort_Flags[1], 0);
}

TEST_F(TK_Define, The_Frame_And_Catalogue_Buttons_Show_Their_Pictures)
{
    g_TK_Library.Cat_Col_Kinds.Add(0);  // a column to delete: the delete button is enabled
    g_TK_Library.Cat_Col_Widths.Add(20);
    Open_Define dialog;
    ASSERT_TRUE(dialog.Open());
    CImage image;
    ASSERT_TRUE(Snapshot(&dialog, Temp_Shot("tk_define.png"), image));
    // New definition: the green plus; import and export: their blue arrows.
    EXPECT_EQ(Controls_Without_Color(&dialog, image, {IDC_TKD_NEW}, RGB(0, 140, 0)), std::vector<int>{});
    EXPECT_EQ(Controls_Without_Color(&dialog, image, {IDC_TKD_IMPORT, IDC_TKD_EXPORT}, RGB(40, 80, 160)),
              std::vector<int>{});

    dialog.Tab.SetActiveTab(1);
    ASSERT_TRUE(Snapshot(&dialog, Temp_Shot("tk_define_catalogue.png"), image));
    // Text settings: the blue letter; add column: the green plus; delete column: the orange cross.
    for (const auto& [id, color] : {std::pair{IDC_TKD2_PICK_TEXT, RGB(40, 80, 160)}, std::pair{IDC_TKD2_ADD, RGB(0, 140, 0)},
                                    std::pair{IDC_TKD2_DELETE, RGB(200, 120, 0)}})
        EXPECT_EQ(Controls_Without_Color(&dialog, image, {id}, color, &dialog.Page2), std::vector<int>{});
    dialog.DestroyWindow();
}

}  // namespace
