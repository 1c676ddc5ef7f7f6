// The sheet list control: row painting (shades, marks, grey, dark rows, the hover cell),
// hover tracking with group columns, the highlight of the hovered sheets' markers in the
// drawing, marked cells, dropped files and column fitting.
#include <vector>

#include "core/space_helpers.h"
#include "db/dbents.h"
#include "ed/docman.h"
#include "mfc/message_queue.h"
#include "sheets/marker_entities.h"
#include "sheets/sheet_records.h"
#include "titleblock/tk_sheets.h"
#include "ui/sheet_list_ctrl.h"
#include "ui_fixture.h"
#include "win/win_shell.h"

namespace {

constexpr UINT kListId = 1164;

// The parent: a pop-up that reads dropped files while it handles the drop message (or
// ignores the message when told to).
class List_Parent : public CWnd {
public:
    bool Handles_Drop = true;
    std::vector<std::wstring> Dropped;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SHEET_LIST_DROP_FILES && Handles_Drop) {
            HDROP drop = reinterpret_cast<HDROP>(lParam);
            const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                wchar_t name[MAX_PATH] = {};
                DragQueryFile(drop, i, name, MAX_PATH);
                Dropped.emplace_back(name);
            }
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class Sheet_List : public Ui_Test {
public:
    void SetUp() override
    {
        Ui_Test::SetUp();
        ASSERT_TRUE(Parent.CreateEx(0, nullptr, L"list host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 600, 400), nullptr, 0));
        // A plain list as a dialog template would make it, then subclassed as the dialogs do.
        CListCtrl plain;
        ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | LVS_SHOWSELALWAYS, CRect(10, 10, 470, 260), &Parent, kListId));
        plain.Detach();
        ASSERT_TRUE(List.SubclassDlgItem(kListId, &Parent));
        List.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        List.InsertColumn(0, L"序 号", LVCFMT_CENTER, 60);
        List.InsertColumn(1, L"图 名", LVCFMT_LEFT, 150);
        List.InsertColumn(2, L"预览", LVCFMT_CENTER, 60);
        List.InsertColumn(3, L"删 除", LVCFMT_CENTER, 60);
        for (int row = 0; row < 4; ++row) {
            List.InsertItem(row, CString(std::to_wstring(row + 1).c_str()));
            List.SetItemText(row, 1, L"WWWWWW");
            List.SetItemText(row, 2, L"EYE");
            List.SetItemText(row, 3, L"DEL");
        }
    }
    void TearDown() override
    {
        Parent.DestroyWindow();
        Ui_Test::TearDown();
    }

    CPoint Centre(int row, int column)
    {
        CRect cell;
        List.GetSubItemRect(row, column, LVIR_LABEL, cell);
        return cell.CenterPoint();
    }
    void Move_To(int row, int column)
    {
        const CPoint p = Centre(row, column);
        List.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
    CRect Cell(int row, int column)
    {
        CRect cell;
        List.GetSubItemRect(row, column, LVIR_LABEL, cell);
        return cell;
    }
    void Select(int row) { List.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED); }

    List_Parent Parent;
    ListCtrl_DivezUrez List;
};

TEST_F(Sheet_List, Subclassing_Makes_An_Owner_Drawn_Report_List)
{
    EXPECT_EQ(List.GetStyle() & (LVS_REPORT | LVS_OWNERDRAWFIXED), static_cast<DWORD>(LVS_REPORT | LVS_OWNERDRAWFIXED));
}

TEST_F(Sheet_List, Rows_Paint_Shades_Marks_Grey_Dark_And_The_Hover_Cell)
{
    List.Add_Mark_Cell(1, 1);
    List.Add_Mark_Cell(2, 1);
    List.Grey_Rows.append(2);  // grey wins over the mark
    List.Dark_Rows.append(3);
    Select(3);                 // a dark row stays dark when selected
    List.Hover_Columns.append(1);
    List.Invalidate();

    // Backgrounds at the right end of the text column.
    auto back = [&](int row) {
        const CRect c = Cell(row, 1);
        return Snapshot_Pixel(&List, c.right - 3, c.top + 2, "shades.png");
    };
    EXPECT_EQ(back(0), RGB(230, 230, 230));
    EXPECT_EQ(back(1), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(back(3), RGB(160, 160, 160));
    EXPECT_TRUE(Snapshot_Has_Color(&List, Cell(1, 1), RGB(255, 0, 0), "mark.png"));
    EXPECT_FALSE(Snapshot_Has_Color(&List, Cell(2, 1), RGB(255, 0, 0), "grey.png"));
    EXPECT_TRUE(Snapshot_Has_Color(&List, Cell(2, 1), RGB(192, 192, 192), "grey.png"));
    EXPECT_FALSE(Snapshot_Has_Color(&List, Cell(0, 1), RGB(0, 0, 255), "idle.png"));

    // The hover turns the marked cell blue.
    Move_To(1, 1);
    EXPECT_TRUE(Snapshot_Has_Color(&List, Cell(1, 1), RGB(0, 0, 255), "hover.png"));
    EXPECT_FALSE(Snapshot_Has_Color(&List, Cell(1, 1), RGB(255, 0, 0), "hover.png"));
    // The delete mark of the hovered row is a red X; another row's stays a plain tick.
    List.Hover_Columns.append(3);
    Move_To(0, 3);
    EXPECT_TRUE(Snapshot_Has_Color(&List, Cell(0, 3), RGB(255, 0, 0), "del.png"));
    EXPECT_FALSE(Snapshot_Has_Color(&List, Cell(1, 3), RGB(255, 0, 0), "del.png"));
}

TEST_F(Sheet_List, Hover_Follows_Hover_Columns_Group_Columns_And_No_Hover_Rows)
{
    List.Hover_Columns.append(1);
    List.Hover_Columns.append(2);
    List.Group_Columns.append(1);
    List.No_Hover_Rows.append(3);
    Select(0);
    Select(2);
    struct Case {
        const char* name;
        int row, column;
        std::vector<int> rows;
    };
    const Case cases[] = {
        {"group column on a selected row", 2, 1, {0, 2}},
        {"group column on an unselected row", 1, 1, {1}},
        {"plain column on a selected row", 2, 2, {2}},
        {"no-hover row", 3, 1, {}},
        {"column outside the hover columns", 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Move_To(c.row, c.column);
        const bool set = !c.rows.empty();
        EXPECT_EQ(List.Hover_Row, set ? c.row : -1);
        EXPECT_EQ(List.Hover_Column, set ? c.column : -1);
        EXPECT_EQ(std::vector<int>(List.Hover_Rows.begin(), List.Hover_Rows.end()), c.rows);
        EXPECT_NE(List.Tracking_Leave, 0);
    }
    Move_To(2, 1);
    List.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(List.Hover_Row, -1);
    EXPECT_EQ(List.Hover_Column, -1);
    EXPECT_TRUE(List.Hover_Rows.isEmpty());
    EXPECT_EQ(List.Tracking_Leave, 0);
}

TEST_F(Sheet_List, Hovered_Sheets_Are_Highlighted_In_The_Drawing_In_Mode_0_Only)
{
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    Temp_PlotRec::rxInit();
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    Plot_Sheet_Set set;
    for (int i = 0; i < 2; ++i) {
        ZcDbObjectId frame;
        Append_Entity(frame, new ZcDbLine(ZcGePoint3d(i * 1000.0, 0, 0), ZcGePoint3d(i * 1000.0 + 800, 600, 0)), 256, true,
                      ZcDbObjectId::kNull, db->currentSpaceId());
        auto* sheet = new Plot_Drawing1;
        sheet->Source_Ids[0] = frame;
        ASSERT_TRUE(sheet->Init_From_Extents(db->clayer(), ZcDbExtents(ZcGePoint3d(i * 1000.0, 0, 0),
                                                                       ZcGePoint3d(i * 1000.0 + 800, 600, 0)),
                                             1.0));
        ASSERT_FALSE(sheet->Marker_Id.isNull());
        set.All_Sheets.Add(sheet);
        set.Plot_List.Add(sheet);
    }
    auto state = [&](int row) {
        ZcDbObjectPointer<Temp_PlotRec> marker(set.Plot_List[row]->Marker_Id, ZcDb::kForRead);
        return marker.openStatus() == Zcad::eOk ? marker->Get_State() : -1;
    };
    List.Sheet_Set = &set;
    List.Hover_Columns.append(1);
    List.Group_Columns.append(1);

    Move_To(0, 1);
    EXPECT_EQ(state(0), Marker_Highlighted);
    EXPECT_EQ(state(1), Marker_Normal);
    Move_To(1, 1);
    EXPECT_EQ(state(0), Marker_Normal);
    EXPECT_EQ(state(1), Marker_Highlighted);
    // Rows beyond the plot list are ignored.
    Move_To(3, 1);
    EXPECT_EQ(state(1), Marker_Normal);
    // A selected row's sheet stays highlighted when the mouse leaves it; with both rows
    // selected a group column highlights both.
    Select(0);
    Select(1);
    Move_To(1, 1);
    EXPECT_EQ(state(0), Marker_Highlighted);
    EXPECT_EQ(state(1), Marker_Highlighted);
    List.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(state(0), Marker_Highlighted);
    EXPECT_EQ(state(1), Marker_Highlighted);
    // Unselected again, a hover and a leave bring the normal look back.
    List.SetItemState(-1, 0, LVIS_SELECTED);
    for (int row : {0, 1}) {
        Move_To(row, 1);
        List.SendMessage(WM_MOUSELEAVE);
        EXPECT_EQ(state(row), Marker_Normal);
    }

    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        List.Hover_Mode = mode;
        Move_To(1, 1);
        EXPECT_EQ(state(1), Marker_Normal);
        List.SendMessage(WM_MOUSELEAVE);
    }
    List.Sheet_Set = nullptr;
}

TEST_F(Sheet_List, Hovered_Recognised_Sheets_Are_Highlighted_Unless_A_Sheet_Set_Is_Shown)
{
    ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    Temp_PlotRec::rxInit();
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    TK_Sheet_List list;
    for (int i = 0; i < 2; ++i) {
        auto* marker = new Temp_PlotRec;
        marker->Set_Corners(ZcGePoint2d(i * 1000.0, 0), ZcGePoint2d(i * 1000.0 + 800, 600));
        auto* sheet = new Plot_Drawing2;
        Append_Entity(sheet->Marker_Id, marker, 256, true, ZcDbObjectId::kNull, db->currentSpaceId());
        ASSERT_FALSE(sheet->Marker_Id.isNull());
        list.Sheets.Add(sheet);
    }
    auto state = [&](int row) {
        ZcDbObjectPointer<Temp_PlotRec> marker(list.Sheets[row]->Marker_Id, ZcDb::kForRead);
        return marker.openStatus() == Zcad::eOk ? marker->Get_State() : -1;
    };
    List.TK_Sheets = &list;
    List.Hover_Columns.append(1);

    Move_To(0, 1);
    EXPECT_EQ(state(0), Marker_Highlighted);
    Move_To(1, 1);
    EXPECT_EQ(state(0), Marker_Normal);
    EXPECT_EQ(state(1), Marker_Highlighted);
    Move_To(3, 1);  // beyond the list
    EXPECT_EQ(state(1), Marker_Normal);
    Select(0);
    Move_To(0, 1);
    List.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(state(0), Marker_Highlighted);  // a selected row keeps it
    List.SetItemState(-1, 0, LVIS_SELECTED);

    // With a sheet set shown, its rows are the ones highlighted: the recognised list is not
    // looked at, not even for rows beyond the set.
    Plot_Sheet_Set empty_set;
    List.Sheet_Set = &empty_set;
    Move_To(1, 1);
    EXPECT_EQ(state(1), Marker_Normal);
    List.SendMessage(WM_MOUSELEAVE);
    List.Sheet_Set = nullptr;
    List.TK_Sheets = nullptr;
}

TEST_F(Sheet_List, Marks_Are_Unique_And_Follow_Deleted_Rows)
{
    List.Add_Mark_Cell(1, 2);
    List.Add_Mark_Cell(1, 2);
    List.Add_Mark_Cell(3, 1);
    List.Add_Mark_Cell(2, 0);
    EXPECT_EQ(List.Mark_Rows.length(), 3);
    List.Remove_Mark_Cell(9, 9);
    EXPECT_EQ(List.Mark_Rows.length(), 3);
    List.On_Row_Deleted(2);
    ASSERT_EQ(List.Mark_Rows.length(), 2);
    EXPECT_EQ(List.Mark_Rows[0], 1);
    EXPECT_EQ(List.Mark_Columns[0], 2);
    EXPECT_EQ(List.Mark_Rows[1], 2);  // row 3 moved up
    EXPECT_EQ(List.Mark_Columns[1], 1);
    List.Remove_Mark_Cell(1, 2);
    ASSERT_EQ(List.Mark_Rows.length(), 1);
    EXPECT_EQ(List.Mark_Rows[0], 2);
}

TEST_F(Sheet_List, Dropped_Files_Reach_The_Parent_And_The_Drop_Is_Always_Released)
{
    for (bool handles : {true, false}) {
        SCOPED_TRACE(handles);
        Parent.Handles_Drop = handles;
        Parent.Dropped.clear();
        HDROP drop = platform::Make_Drop({L"C:\\a\\one.dwg", L"C:\\a\\two.dwg"});
        List.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(drop));
        const std::vector<std::wstring> expected =
            handles ? std::vector<std::wstring>{L"C:\\a\\one.dwg", L"C:\\a\\two.dwg"} : std::vector<std::wstring>{};
        EXPECT_EQ(Parent.Dropped, expected);
        EXPECT_EQ(platform::Open_Drop_Count(), 0u);
    }
}

TEST_F(Sheet_List, Fitted_Columns_Take_Content_Or_Header_Plus_8_And_The_Last_Stays_Narrow)
{
    List.SetItemText(0, 1, L"一个很长的图名一个很长的图名");
    Fit_List_Columns(&List, &Parent);
    CRect client;
    List.GetClientRect(&client);
    int used = 0;
    for (int column = 0; column < 3; ++column) used += List.GetColumnWidth(column);
    // The long name sets column 1; the short header and ticks set the others.
    EXPECT_GT(List.GetColumnWidth(1), List.GetColumnWidth(0));
    EXPECT_LT(List.GetColumnWidth(3), client.Width() - used);
    // The list is back at its full size.
    CRect rect;
    List.GetWindowRect(&rect);
    EXPECT_EQ(rect.Width(), 460);
    const int before = List.GetColumnWidth(1);
    List.SetColumnWidth(1, 20);
    Fit_List_Column(&List, 1, &Parent);
    EXPECT_EQ(List.GetColumnWidth(1), before);
}

TEST_F(Sheet_List, Eye_Icons_Are_Hot_Only_In_The_Hovered_Row_Of_A_Group_Hover)
{
    List.Hover_Columns.append(2);
    List.Group_Columns.append(2);
    Select(0);
    Select(2);
    Move_To(2, 2);
    ASSERT_EQ(List.Hover_Rows.length(), 2);
    // The hot eye's pupil is a filled disc in the hover blue; the other selected row's eye
    // is blue too but keeps its open pupil.
    const CPoint hot = Cell(2, 2).CenterPoint(), cold = Cell(0, 2).CenterPoint();
    EXPECT_EQ(Snapshot_Pixel(&List, hot.x, hot.y, "eye.png"), RGB(0, 0, 255));
    EXPECT_EQ(Snapshot_Pixel(&List, cold.x, cold.y, "eye.png"), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(Snapshot_Has_Color(&List, Cell(0, 2), RGB(0, 0, 255), "eye.png"));
}

TEST_F(Sheet_List, Mode_1_Frames_The_Hovered_Cell_Except_In_The_Row_Being_Edited)
{
    List.Hover_Mode = 1;
    List.Hover_Columns.append(1);
    List.Edit_Row = 2;
    Move_To(1, 1);
    EXPECT_TRUE(Snapshot_Has_Color(&List, Cell(1, 1), RGB(0, 0, 255), "mode1.png"));
    // Under the edit box the cell keeps its plain look.
    Move_To(2, 1);
    EXPECT_EQ(List.Hover_Row, 2);
    EXPECT_FALSE(Snapshot_Has_Color(&List, Cell(2, 1), RGB(0, 0, 255), "mode1_edited.png"));
}

}  // namespace
