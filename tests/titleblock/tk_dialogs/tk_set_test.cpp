// The definition dialog: the paper derived from an adjusted plot range until the user fixes
// one, ranges copied from a library definition keep their place at the frame's lower-right
// corner, and OK needs the ranges the naming rule uses ("AA" stands for the letter A).
#include "core/extents_checks.h"
#include "core/plot_config.h"
#include "snapshot_colors.h"
#include "dialogs/dlg_tk_set.h"
#include "expect_box.h"
#include "res/resource.h"
#include "tk_library_fixture.h"

namespace {

class TK_Set : public TK_Library_Test {
protected:
    void SetUp() override
    {
        TK_Library_Test::SetUp();
        g_Plot_Config.Option.Scale = 100;
        Record.Block_Name = L"TK";
        Record.Frame_Ext = ZcDbExtents(ZcGePoint3d(-210, -148.5, 0), ZcGePoint3d(210, 148.5, 0));
    }
    int Run(const std::string& steps)
    {
        Script(steps);
        Dlg_TK_Set dialog;
        dialog.Record = &Record;
        const int result = static_cast<int>(dialog.DoModal());
        EXPECT_TRUE(Script_Used());
        return result;
    }
    TK_Customization Record;
};

// The dialog opened modeless, for its picture.
class Open_Set : public Dlg_TK_Set {
public:
    bool Open() { return Create(IDD_DLG_TK_SET, nullptr) && ShowWindow(SW_SHOW) >= 0; }
};

TEST_F(TK_Set, An_Adjusted_Plot_Range_Gives_The_Paper_In_Millimetres)
{
    const struct {
        const char* corner;
        int long_side, short_side;
    } cases[] = {{"42000,29700", 420, 297}, {"4.2,2.97", 420, 297}, {"84100,59400", 841, 594},
                 {"29700,210000", 2100, 297}};
    for (const auto& c : cases) {
        Record.Paper.Long_Side = 297;
        Record.Paper.Short_Side = 210;
        EXPECT_EQ(Run(std::string("click 899\npoint 0,0\npoint ") + c.corner + "\nclick 2\n"), IDCANCEL);
        EXPECT_EQ(Record.Paper.Long_Side, c.long_side) << c.corner;
        EXPECT_EQ(Record.Paper.Short_Side, c.short_side) << c.corner;
    }
}

TEST_F(TK_Set, A_Cancelled_Custom_Paper_Still_Stops_The_Derivation)
{
    // Custom entry (after the ten items), its size dialog cancelled, then a plot range.
    EXPECT_EQ(Run("click 880\npick 10\nclick 2\nclick 899\npoint 0,0\npoint 84100,59400\nclick 2\n"), IDCANCEL);
    EXPECT_EQ(Record.Paper.Long_Side, 297);
    EXPECT_EQ(Record.Paper.Short_Side, 210);
    Expect_Box(Record.Plot_Range, 0, 0, 84100, 59400);
}

TEST_F(TK_Set, Copied_Ranges_Keep_Their_Place_At_The_Lower_Right_Corner)
{
    auto* source = new TK_Customization;
    source->Block_Name = L"NARROW";
    source->Name_Rule = L"A_C";
    source->Priority = 5;
    source->Frame_Ext = ZcDbExtents(ZcGePoint3d(-160, -148.5, 0), ZcGePoint3d(160, 148.5, 0));  // 100 narrower
    source->Range_A = ZcDbExtents(ZcGePoint3d(100, -140, 0), ZcGePoint3d(150, -120, 0));
    source->Range_C = ZcDbExtents(ZcGePoint3d(40, -140, 0), ZcGePoint3d(100, -100, 0));
    source->Plot_Range = ZcDbExtents(ZcGePoint3d(1, 1, 0), ZcGePoint3d(2, 2, 0));
    g_TK_Library.Records.Add(source);
    EXPECT_EQ(Run("click 959\npick 0\nclick 1\n"), IDOK);
    EXPECT_EQ(Record.Name_Rule, CString(L"A_C"));
    EXPECT_EQ(Record.Priority, 5);
    Expect_Box(Record.Range_A, 150, -140, 200, -120);
    Expect_Box(Record.Range_C, 90, -140, 150, -100);
    Expect_Box(Record.Stamp_Range_1, 50, 0, 50, 0);  // an unset range moves too, and stays without size
    EXPECT_FALSE(Check_Extents(Record.Plot_Range));
}

TEST_F(TK_Set, OK_Needs_A_Naming_Rule_And_The_Ranges_It_Uses)
{
    // No rule: refused. "AA_B": refused until B is picked; A is not needed.
    EXPECT_EQ(Run("click 1\nmsgbox OK\n"
                  "click 891\ntext 216 \"AA_B\"\nclick 1\n"
                  "click 1\nmsgbox OK\n"
                  "click 883\npoint 10,10\npoint 60,30\n"
                  "click 1\n"),
              IDOK);
    EXPECT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(Record.Name_Rule, CString(L"AA_B"));
    EXPECT_FALSE(Check_Extents(Record.Range_A));
    Expect_Box(Record.Range_B, 10, 10, 60, 30);
}

TEST_F(TK_Set, Every_Button_Shows_Its_Picture_And_The_Hand_Cursor)
{
    g_TK_Library.Records.Add(new TK_Customization);  // the copy button is enabled
    Open_Set dialog;
    dialog.Record = &Record;
    ASSERT_TRUE(dialog.Open());
    CImage image;
    ASSERT_TRUE(Snapshot(&dialog, Temp_Shot("tk_set.png"), image));
    // Range, paper, naming and copy pictures draw in blue, the stamp ranges' seal in dark red.
    EXPECT_EQ(Controls_Without_Color(&dialog, image,
                                     {IDC_TKS_RANGE_A, IDC_TKS_RANGE_B, IDC_TKS_RANGE_C, IDC_TKS_RANGE_D, IDC_TKS_RANGE_E,
                                      IDC_TKS_RANGE_F, IDC_TKS_PLOT_RANGE, IDC_TKS_PAPER, IDC_TKS_NAME_RULE, IDC_TKS_COPY},
                                     RGB(40, 80, 160)),
              std::vector<int>{});
    EXPECT_EQ(Controls_Without_Color(&dialog, image, {IDC_TKS_STAMP_1, IDC_TKS_STAMP_2, IDC_TKS_STAMP_3, IDC_TKS_STAMP_4},
                                     RGB(150, 40, 40)),
              std::vector<int>{});
    // Over a range button the cursor is the hand.
    for (int id : {IDC_TKS_RANGE_A, IDC_TKS_STAMP_4, IDC_TKS_PLOT_RANGE}) {
        CWnd* button = dialog.GetDlgItem(id);
        button->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button->GetSafeHwnd()),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_NE(::GetCursor(), LoadCursor(nullptr, IDC_ARROW)) << id;
    }
    dialog.DestroyWindow();
}

}  // namespace
