// The pop-up pickers: layout, placement, the script's pick, mouse and keys through the
// message queue, and the OK that has no valid choice.
#include <utility>
#include <vector>

#include "script/script_input.h"
#include "ui/dlg_options.h"
#include "ui/dlg_options_paper.h"
#include "ui/dlg_pos_select.h"
#include "ui_fixture.h"
#include "win/host_path_text.h"

using Picker = Ui_Test;

namespace {

void Fill(CStringArray& items, int count)
{
    for (int i = 0; i < count; ++i) {
        CString text;
        text.Format(L"项%d", i);
        items.Add(text);
    }
}

CPoint Centre(const CRect& r) { return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// A picker that records its laid-out cells and window and, once open, posts the given
// input to itself; the modal loop then dispatches it.
template <class Base>
class Probe : public Base {
public:
    struct Input {
        UINT message;
        WPARAM wParam;
        int entry;  // the entry whose centre the mouse is at; -1: outside the window, Caption: the caption cell
    };
    static constexpr int Caption = -2;
    std::vector<Input> Inputs;
    int Cursor_Entry = -1;  // the entry the cursor rests on once the picker is open
    std::vector<std::pair<UINT, WPARAM>> Non_Client_Presses;
    std::vector<Option_Entry> Laid_Out;
    std::vector<CRect> Laid_Out_Frames;
    CRect Window_Rect;

protected:
    BOOL OnInitDialog() override
    {
        Base::OnInitDialog();
        Laid_Out = this->Entries();
        Laid_Out_Frames = this->Frame_Cells();
        this->GetWindowRect(&Window_Rect);
        if (Cursor_Entry >= 0) {
            CPoint screen = Centre(Laid_Out[Cursor_Entry].Rect);
            this->ClientToScreen(&screen);
            SetCursorPos(screen.x, screen.y);
        }
        for (const Input& input : Inputs) {
            const CPoint at = input.entry >= 0          ? Centre(Laid_Out[input.entry].Rect)
                              : input.entry == Caption ? Centre(Laid_Out_Frames.at(0))
                                                       : CPoint(-50, -50);
            CPoint screen = at;
            this->ClientToScreen(&screen);
            if (input.message == WM_KEYDOWN) SetCursorPos(screen.x, screen.y);
            const LPARAM where = input.message == WM_KEYDOWN || input.message == WM_KEYUP ? 1 : MAKELPARAM(at.x, at.y);
            this->PostMessage(input.message, input.wParam, where);
        }
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NCLBUTTONDOWN) Non_Client_Presses.push_back({message, wParam});
        const LRESULT result = Base::WindowProc(message, wParam, lParam);
        if (message == WM_EXITSIZEMOVE) this->GetWindowRect(&Moved_Rect);
        return result;
    }

public:
    CRect Moved_Rect;  // where a caption drag left the window
};

}  // namespace

TEST_F(Picker, Seventeen_Items_In_Three_Columns_Of_Six_Leave_One_Frame_Cell)
{
    Script("esc\n");
    Probe<Dlg_Options> picker;
    Fill(picker.Items, 17);
    picker.Extra_Columns = 2;
    picker.Item_Width = 360;
    picker.DoModal();
    EXPECT_EQ(picker.Rows_Per_Column(), 6);
    ASSERT_EQ(picker.Laid_Out.size(), 17u);
    // Columns fill top to bottom: items 0, 6 and 12 head the columns, 16 is the fifth row of the third.
    EXPECT_EQ(picker.Laid_Out[6].Rect.top, picker.Laid_Out[0].Rect.top);
    EXPECT_GT(picker.Laid_Out[6].Rect.left, picker.Laid_Out[5].Rect.left);
    EXPECT_EQ(picker.Laid_Out[16].Rect.top, picker.Laid_Out[4].Rect.top);
    EXPECT_EQ(picker.Laid_Out[16].Rect.left, picker.Laid_Out[12].Rect.left);
    // The caption row and the empty last cell of the third column.
    ASSERT_EQ(picker.Laid_Out_Frames.size(), 2u);
    EXPECT_EQ(picker.Laid_Out_Frames[1].left, picker.Laid_Out[12].Rect.left);
    EXPECT_EQ(picker.Laid_Out_Frames[1].top, picker.Laid_Out[5].Rect.top);
}

TEST_F(Picker, One_Item_Gives_A_Caption_Row_And_One_Entry_Row)
{
    Script("esc\n");
    Probe<Dlg_Options> picker;
    picker.Items.Add(CString(L'长', 300));
    picker.DoModal();
    ASSERT_EQ(picker.Laid_Out.size(), 1u);
    EXPECT_EQ(picker.Laid_Out[0].Text.GetLength(), 254) << "longer texts are cut";
    EXPECT_EQ(picker.Rows_Per_Column(), 1);
    const int row = picker.Laid_Out[0].Rect.Height(), pitch = row + 1;
    EXPECT_EQ(picker.Window_Rect.Height(), 2 + 2 * pitch + 1);
    EXPECT_EQ(picker.Laid_Out[0].Rect.top, 1 + pitch);
}

TEST_F(Picker, A_Preselected_Entry_Opens_Under_The_Cursor)
{
    SetCursorPos(900, 500);
    Script("esc\n");
    Probe<Dlg_Options> picker;
    Fill(picker.Items, 12);
    picker.Extra_Columns = 1;
    picker.Item_Width = 240;
    picker.Choice = 8;  // second column, third row
    picker.DoModal();
    const CRect& entry = picker.Laid_Out[8].Rect;
    EXPECT_EQ(picker.Window_Rect.left, 900 - static_cast<int>(1.5 * picker.Window_Rect.Width() / 2));
    CPoint cursor_in_client(900 - picker.Window_Rect.left, 500 - picker.Window_Rect.top);
    EXPECT_TRUE(entry.PtInRect(cursor_in_client)) << cursor_in_client.x << "," << cursor_in_client.y;
}

TEST_F(Picker, Script_Picks_Confirm_And_Cancel)
{
    struct Case {
        const char* steps;
        int preselected;
        INT_PTR result;
        int choice;
    };
    const Case cases[] = {
        {"pick 3\n", -1, IDOK, 3},
        {"pick 0\n", 4, IDOK, 0},
        {"enter\n", 4, IDOK, 4},   // Enter confirms the preselection
        {"esc\n", 2, IDCANCEL, 2}, // a cancel keeps Choice
        // OK without a valid choice is a cancel.
        {"enter\n", -1, IDCANCEL, -1},
        {"enter\n", 7, IDCANCEL, 7},
    };
    for (const Case& c : cases) {
        Script(c.steps);
        Dlg_Options picker;
        Fill(picker.Items, 5);
        picker.Title = L"纸  张";
        picker.Choice = c.preselected;
        EXPECT_EQ(picker.DoModal(), c.result) << c.steps << " preselected " << c.preselected;
        EXPECT_EQ(picker.Choice, c.choice) << c.steps << " preselected " << c.preselected;
        EXPECT_EQ(picker.Items.GetSize(), 0) << "the items are emptied when the picker ends";
    }
}

TEST_F(Picker, Position_Picker_Returns_Codes_And_Cancels_An_Empty_Confirm)
{
    struct Case {
        const char* steps;
        int preselected;
        INT_PTR result;
        int choice;
    };
    const Case cases[] = {
        {"pick 4\n", -1, IDOK, 4},
        {"pick 0\n", 3, IDOK, 0},
        {"enter\n", 6, IDOK, 6},
        {"esc\n", 5, IDCANCEL, 5},
        // Nothing preselected, nothing chosen: no position code to return.
        {"enter\n", -1, IDCANCEL, -1},
    };
    for (const Case& c : cases) {
        Script(c.steps);
        Dlg_Pos_Select picker;
        picker.Title = L"位  置";
        picker.Choice = c.preselected;
        EXPECT_EQ(picker.DoModal(), c.result) << c.steps << " preselected " << c.preselected;
        EXPECT_EQ(picker.Choice, c.choice) << c.steps << " preselected " << c.preselected;
    }
}

TEST_F(Picker, Position_Cells_Follow_The_Code_Table)
{
    Script("esc\n");
    Probe<Dlg_Pos_Select> picker;
    picker.DoModal();
    ASSERT_EQ(picker.Laid_Out.size(), 9u);
    const CRect& none = picker.Laid_Out[0].Rect;
    const int a = none.Width();
    for (const Option_Entry& e : picker.Laid_Out) {
        const CPoint cell = Dlg_Pos_Select::Cell_Of_Code(e.Index);
        EXPECT_EQ(e.Rect.left - none.left, (cell.x - 1) * a) << e.Index;
        EXPECT_EQ(e.Rect.top - none.top, (cell.y - 1) * a) << e.Index;
    }
    EXPECT_EQ(Dlg_Pos_Select::Cell_Of_Code(4), CPoint(2, 0));  // upper right
    EXPECT_EQ(Dlg_Pos_Select::Cell_Of_Code(1), CPoint(0, 2));  // lower left
}

TEST_F(Picker, Mouse_And_Keys_Through_The_Message_Queue)
{
    struct Case {
        const char* what;
        std::vector<Probe<Dlg_Options>::Input> inputs;
        INT_PTR result;
        int choice;
    };
    const Case cases[] = {
        {"a click on an entry chooses it",
         {{WM_MOUSEMOVE, 0, 2}, {WM_LBUTTONDOWN, MK_LBUTTON, 2}, {WM_LBUTTONUP, 0, 2}},
         IDOK,
         2},
        {"a right click anywhere cancels",
         {{WM_MOUSEMOVE, 0, 1}, {WM_RBUTTONDOWN, MK_RBUTTON, -1}, {WM_RBUTTONUP, 0, -1}},
         IDCANCEL,
         0},
        {"a left press outside does nothing, then a click chooses",
         {{WM_MOUSEMOVE, 0, 1},
          {WM_LBUTTONDOWN, MK_LBUTTON, -1},
          {WM_MOUSEMOVE, 0, 3},
          {WM_LBUTTONDOWN, MK_LBUTTON, 3},
          {WM_LBUTTONUP, 0, 3}},
         IDOK,
         3},
        {"space over an entry chooses it on release", {{WM_KEYDOWN, VK_SPACE, 4}, {WM_KEYUP, VK_SPACE, 4}}, IDOK, 4},
    };
    for (const Case& c : cases) {
        Probe<Dlg_Options> picker;
        Fill(picker.Items, 6);
        picker.Choice = 0;
        picker.Inputs = c.inputs;
        EXPECT_EQ(picker.DoModal(), c.result) << c.what;
        EXPECT_EQ(picker.Choice, c.choice) << c.what;
    }
}

TEST_F(Picker, Pressing_The_Caption_Drags_By_The_Caption_And_The_Picker_Stays_Usable)
{
    Probe<Dlg_Options> picker;
    Fill(picker.Items, 6);
    picker.Choice = 0;
    picker.Inputs = {{WM_LBUTTONDOWN, MK_LBUTTON, Probe<Dlg_Options>::Caption},
                     {WM_MOUSEMOVE, 0, 1},
                     {WM_LBUTTONDOWN, MK_LBUTTON, 1},
                     {WM_LBUTTONUP, 0, 1}};
    Script("drag 25,-10\n");
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(picker.Choice, 1);
    ASSERT_EQ(picker.Non_Client_Presses.size(), 1u);
    EXPECT_EQ(picker.Non_Client_Presses[0].second, static_cast<WPARAM>(HTCAPTION));
    // The drag moved the picker by the script's offset.
    CRect expected = picker.Window_Rect;
    expected.OffsetRect(25, -10);
    EXPECT_EQ(picker.Moved_Rect, expected);
}

TEST_F(Picker, Key_Space_Step_Confirms_The_Entry_Under_The_Cursor)
{
    for (const char* step : {"key SPACE\n", "@605 key SPACE\n"}) {
        Script(step);
        Probe<Dlg_Options> picker;
        Fill(picker.Items, 6);
        picker.Choice = 0;
        picker.Cursor_Entry = 4;
        EXPECT_EQ(picker.DoModal(), IDOK) << step;
        EXPECT_EQ(picker.Choice, 4) << step;
    }
}

TEST_F(Picker, Hovered_Entry_Is_Drawn_Bold_With_A_Magenta_Frame)
{
    Probe<Dlg_Options> picker;
    Fill(picker.Items, 3);
    picker.Inputs = {{WM_MOUSEMOVE, 0, 1}};
    Script("snapshot \"" + Temp_File("hover.png").string() + "\"\nesc\n");
    picker.DoModal();
    CImage image;
    ASSERT_EQ(image.Load(platform::Text_From_Host_Path(Temp_File("hover.png")).c_str()), S_OK);
    const CRect& entry = picker.Laid_Out[1].Rect;
    EXPECT_EQ(image.GetPixel(entry.left + 2, (entry.top + entry.bottom) / 2), RGB(255, 0, 255));
    EXPECT_NE(image.GetPixel(picker.Laid_Out[0].Rect.left + 2, (picker.Laid_Out[0].Rect.top + picker.Laid_Out[0].Rect.bottom) / 2),
              RGB(255, 0, 255));
    // The margin around the cells shows the dark green background.
    EXPECT_EQ(image.GetPixel(0, 0), RGB(0, 155, 0));
}

TEST(Paper_Picker, Arrange_Columns_Moves_Five_Items_And_Restore_Maps_Back)
{
    Dlg_Options_Paper picker;
    Fill(picker.Items, 12);
    picker.Extra_Columns = 1;
    int rows = 0;
    picker.Arrange_Columns(rows);
    EXPECT_EQ(rows, 6);
    const wchar_t* expected[] = {L"项0", L"项1", L"项2", L"项3", L"项4", L"项10", L"项5", L"项6", L"项7", L"项8", L"项9", L"项11"};
    ASSERT_EQ(picker.Items.GetSize(), 12);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(picker.Items[i], CString(expected[i])) << i;

    // Choice follows its item there and back.
    const int before[] = {0, 4, 5, 9, 10, 11};
    const int arranged[] = {0, 4, 6, 10, 5, 11};
    for (int i = 0; i < 6; ++i) {
        Dlg_Options_Paper p;
        Fill(p.Items, 12);
        p.Extra_Columns = 1;
        p.Choice = before[i];
        int r = 0;
        p.Arrange_Columns(r);
        EXPECT_EQ(p.Choice, arranged[i]) << before[i];
        p.Restore_Choice_Index(r);
        EXPECT_EQ(p.Choice, before[i]) << before[i];
    }
}

TEST_F(Picker, Paper_Picker_Returns_The_Custom_Entry_As_The_Item_Count)
{
    Script("pick 12\n");
    Probe<Dlg_Options_Paper> picker;
    Fill(picker.Items, 12);
    picker.Extra_Columns = 1;
    picker.Choice = 12;
    int rows = 0;
    picker.Arrange_Columns(rows);
    EXPECT_EQ(picker.DoModal(), IDOK);
    // Never shown chosen when the picker opens, even when Choice names it.
    ASSERT_EQ(picker.Laid_Out.size(), 13u);
    EXPECT_EQ(picker.Laid_Out[12].Text, CString(L"自 定 义 纸 张"));
    EXPECT_FALSE(picker.Laid_Out[12].Chosen);
    picker.Restore_Choice_Index(rows);
    EXPECT_EQ(picker.Choice, 12);
}

TEST_F(Picker, Pick_Of_No_Entry_Ends_The_Run_Naming_The_Picker_And_Its_Entries)
{
    Script("pick 9\n");
    Dlg_Options picker;
    Fill(picker.Items, 5);
    picker.Choice = 1;
    try {
        picker.DoModal();
        FAIL() << "the picker took pick 9";
    } catch (const platform::UnansweredInput& e) {
        EXPECT_NE(std::string(e.what()).find("step 'pick 9' at line 1: the picker dialog 605 (IDD_DLG_OPTIONS) of class "
                                             "Dlg_Options has 5 entries: 0 \"项0\", 1 \"项1\", 2 \"项2\", 3 \"项3\", "
                                             "4 \"项4\": no entry 9"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(picker.Choice, 1);
}

TEST_F(Picker, Left_Unanswered_Ends_The_Run_At_Once)
{
    Dlg_Options picker;
    Fill(picker.Items, 3);
    try {
        picker.DoModal();
        FAIL() << "the picker ran without input";
    } catch (const platform::UnansweredInput& e) {
        EXPECT_NE(std::string(e.what()).find("605"), std::string::npos) << e.what();
    }
}

TEST_F(Picker, Position_Picker_Shows_The_Chosen_Block_Black_And_The_Hovered_None_Red)
{
    Probe<Dlg_Pos_Select> picker;
    picker.Choice = 4;
    picker.Inputs = {{WM_MOUSEMOVE, 0, 0}};
    Script("snapshot \"" + Temp_File("pos.png").string() + "\"\nesc\n");
    picker.DoModal();
    CImage image;
    ASSERT_EQ(image.Load(platform::Text_From_Host_Path(Temp_File("pos.png")).c_str()), S_OK);
    auto has = [&](const CRect& r, COLORREF color) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (image.GetPixel(x, y) == color) return true;
        return false;
    };
    ASSERT_EQ(picker.Laid_Out.size(), 9u);
    EXPECT_TRUE(has(picker.Laid_Out[4].Rect, RGB(0, 0, 0)));
    EXPECT_FALSE(has(picker.Laid_Out[2].Rect, RGB(0, 0, 0)));
    EXPECT_TRUE(has(picker.Laid_Out[2].Rect, RGB(100, 100, 100)));
    EXPECT_TRUE(has(picker.Laid_Out[0].Rect, RGB(255, 0, 0)));
}
