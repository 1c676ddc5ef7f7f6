// The old batch plot dialog driven by script steps: frame modes and their name lists, name
// clicks, the order picture, the OK checks in their order, and the page setup's labels.
#include <string>

#include "dialogs/dlg_bplot.h"
#include "dialogs/print_order_picture.h"
#include "plot/dbplotsetval.h"
#include "plot/machine_printers.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"

namespace {

class Dlg_BPlot_Test : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        platform::Machine_Printer printer;
        printer.name = L"Office Laser";
        printer.spool_folder = L"C:\\Spool\\Laser";
        platform::PlotPaper a4;
        a4.canonical_name = L"A4";
        a4.display_name = L"A4 210x297";
        a4.width_mm = 210;
        a4.height_mm = 297;
        printer.media.push_back(a4);
        ASSERT_TRUE(platform::Add_Machine_Printer(printer));
    }
    // Makes the fixture drawing with block frames and layer rectangles current.
    static void Open_Fixture()
    {
        ASSERT_EQ(zcDocManager->appContextOpenDocument(
                      platform::From_Utf8(KORVEL_SOURCE_DIR "/tests/fixtures/dxf/old_plot.dxf").c_str()),
                  Zcad::eOk);
    }
    // Device (and its first paper) of the active layout.
    static void Set_Device(const wchar_t* device)
    {
        ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
        ZcDbLayout* layout = nullptr;
        ASSERT_EQ(layouts->getLayoutNamed(layouts->findActiveLayout(true), layout, ZcDb::kForWrite), Zcad::eOk);
        ZcDbPlotSettingsValidator* validator = zcdbHostApplicationServices()->plotSettingsValidator();
        validator->refreshLists(layout);
        const Zcad::ErrorStatus es = validator->setPlotCfgName(layout, device);
        layout->close();
        ASSERT_EQ(es, Zcad::eOk);
    }
    static std::vector<std::wstring> Boxes()
    {
        std::vector<std::wstring> texts;
        for (const auto& box : platform::MessageBoxLog)
            texts.push_back(box.text);
        return texts;
    }
};

// The dialog opened modeless, to look at its controls.
class Open_BPlot : public Dlg_BPlot {
public:
    bool Open() { return Create(IDD_DLG_BPLOT, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    bool Enabled(int id) { return GetDlgItem(id)->IsWindowEnabled(); }
    bool Visible(int id) { return GetDlgItem(id)->IsWindowVisible(); }
    CString Text(int id)
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        auto* list = static_cast<CListBox*>(GetDlgItem(IDC_BPO_NAME_LIST));
        for (int i = 0; i < list->GetCount(); ++i) {
            CString text;
            list->GetText(i, text);
            names.push_back(text.GetString());
        }
        return names;
    }
};

TEST_F(Dlg_BPlot_Test, Without_Block_References_The_Block_Mode_Is_Off_And_The_Layers_Show)
{
    {
        Old_Plot_Setting setting;
        ASSERT_TRUE(setting.Write_Xrecord(Old_Mode_Blocks));
    }
    Open_BPlot dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_FALSE(dialog.Enabled(IDC_BPO_MODE_BLOCKS));
    EXPECT_FALSE(dialog.Enabled(IDC_BPO_PICK_BLOCKS));
    EXPECT_EQ(dialog.Frame_Mode, Old_Mode_Layers);
    EXPECT_TRUE(dialog.Visible(IDC_BPO_PICK_LAYERS));
    EXPECT_FALSE(dialog.Visible(IDC_BPO_MARGIN));
    EXPECT_EQ(dialog.Names().front(), L"    0");
    dialog.DestroyWindow();
}

TEST_F(Dlg_BPlot_Test, A_Name_Clicked_Twice_Is_Chosen_Then_Unchosen_In_Its_Place)
{
    Open_Fixture();
    Set_Device(L"Office Laser");
    Open_BPlot dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Names(), (std::vector<std::wstring>{L"    KV_FRAME", L"    KV_OTHER"}));
    auto* list = static_cast<CListBox*>(dialog.GetDlgItem(IDC_BPO_NAME_LIST));
    const auto click = [&](int index) {
        list->SetCurSel(index);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BPO_NAME_LIST, LBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(list->m_hWnd));
    };
    click(1);
    EXPECT_EQ(dialog.Names(), (std::vector<std::wstring>{L"    KV_FRAME", L"  √KV_OTHER"}));
    EXPECT_EQ(dialog.Setting.Chosen_Blocks.GetSize(), 1);
    click(1);
    EXPECT_EQ(dialog.Names(), (std::vector<std::wstring>{L"    KV_FRAME", L"    KV_OTHER"}));
    EXPECT_EQ(dialog.Setting.Chosen_Blocks.GetSize(), 0);
    EXPECT_EQ(dialog.Text(IDC_BPO_PRINTER), CString(L"打印机:  Office Laser"));
    EXPECT_EQ(dialog.Text(IDC_BPO_PAPER), CString(L"纸张:  A4 210x297"));
    dialog.DestroyWindow();
}

TEST_F(Dlg_BPlot_Test, Ok_Checks_Names_Paper_Device_And_Copies_In_That_Order)
{
    Open_Fixture();
    Set_Device(L"None");
    Dlg_BPlot dialog;
    // Block mode without a chosen name; then a chosen name but the device "None"; then a printer
    // set through the page setup but no copies, then too many; then PLT output, which takes any
    // copies.
    Script("click IDOK\nmsgbox OK\nchoose IDC_BPO_NAME_LIST 0\nclick IDOK\nmsgbox OK\n"
           "click IDC_BPO_PAGE_SETUP\nchoose IDC_ZC_PAGE_SETUP_DEVICE 1\n@IDD_ZC_PAGE_SETUP click IDOK\n"
           "text IDC_BPO_COPIES \"0\"\nclick IDOK\nmsgbox OK\ntext IDC_BPO_COPIES \"100\"\nclick IDOK\nmsgbox OK\n"
           "check IDC_BPO_TO_PLT 1\nclick IDOK\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{L"未选择图块 !", L"未选择打印机，请点击<打印设置>按钮设置 !",
                                                   L"打印份数不能小于 1 !", L"打印份数不能大于 99 !"}));
    EXPECT_EQ(dialog.Setting.Copies, 1);
    EXPECT_EQ(dialog.Setting.To_Plt, 1);
    EXPECT_EQ(dialog.Frame_Mode, Old_Mode_Blocks);
    EXPECT_EQ(dialog.Setting.Chosen_Blocks.GetSize(), 1);
}

TEST_F(Dlg_BPlot_Test, The_Order_Picture_Steps_On_Its_Halves_And_Follows_The_Bottom_Strip)
{
    Open_Fixture();
    Set_Device(L"Office Laser");
    struct Case {
        const char* what;
        int start;
        UINT message;
        double x, y;  // share of the picture's width and height
        int order;
    } cases[] = {
        {"left half at 1", 1, WM_LBUTTONDOWN, 0.25, 0.5, 9},
        {"right half at 9", 9, WM_LBUTTONDOWN, 0.75, 0.5, 1},
        {"right half at 4", 4, WM_LBUTTONDOWN, 0.75, 0.5, 5},
        {"release in the band", 4, WM_LBUTTONUP, 0.25, 0.5, 4},
        {"move along the bottom strip", 4, WM_MOUSEMOVE, 0.70, 0.99, 7},
        {"move in the band", 4, WM_MOUSEMOVE, 0.70, 0.5, 4},
    };
    for (const Case& c : cases) {
        g_Plot_Config.Option.Sort_Type = c.start;
        Open_BPlot dialog;
        ASSERT_TRUE(dialog.Open());
        const CRect picture = Control_Client_Rect(&dialog, IDC_BPO_ORDER);
        const int x = picture.left + static_cast<int>(picture.Width() * c.x);
        const int y = picture.top + static_cast<int>(picture.Height() * c.y);
        dialog.SendMessage(c.message, c.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y));
        dialog.Setting.Chosen_Blocks.Add(L"KV_FRAME");
        dialog.SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_EQ(dialog.Setting.Print_Order, c.order) << c.what;
        dialog.DestroyWindow();
    }
}

TEST_F(Dlg_BPlot_Test, Picking_Blocks_Replaces_The_Chosen_Names_And_Picking_Nothing_Keeps_Them)
{
    Open_Fixture();
    Set_Device(L"Office Laser");
    Dlg_BPlot dialog;
    // KV_OTHER is chosen by a click, then a pick at KV_FRAME's lower left replaces it; a
    // pick of nothing keeps KV_FRAME and says so.
    Script("choose IDC_BPO_NAME_LIST 1\nclick IDC_BPO_PICK_BLOCKS\nselect window -1,-1 421,298\n"
           "click IDC_BPO_PICK_BLOCKS\nesc\nmsgbox OK\nclick IDOK\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(dialog.Setting.Chosen_Blocks.GetSize(), 1);
    EXPECT_EQ(dialog.Setting.Chosen_Blocks[0], CString(L"KV_FRAME"));
    EXPECT_EQ(Boxes(), (std::vector<std::wstring>{L"未选择到图块 !"}));
}

}  // namespace
