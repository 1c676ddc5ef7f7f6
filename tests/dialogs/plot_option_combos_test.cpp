// The shared combo boxes of the plot dialogs: the margin list and its parser, the format
// list, and the plot-style list with the default-style lookup and choice.
#include <string>
#include <vector>

#include "core/plot_config.h"
#include "dialogs/plot_option_combos.h"
#include "ed/sysvars.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "script/utf8.h"
#include "sheets/plot_set.h"

namespace {

// A drop-down combo with an edit field on a plain modeless window.
class Combo_Host {
public:
    Combo_Host()
    {
        Window.Create(IDD_DLG_OPTIONS, nullptr);
        Combo.Create(CBS_DROPDOWN | WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 120, 200), &Window, 1000);
    }
    ~Combo_Host() { Window.DestroyWindow(); }

    std::vector<std::wstring> Items()
    {
        std::vector<std::wstring> items;
        for (int i = 0; i < Combo.GetCount(); ++i) {
            CString text;
            Combo.GetLBText(i, text);
            items.emplace_back(text.GetString());
        }
        return items;
    }

    CDialog Window;
    CComboBox Combo;
};

using Combos = Plot_Dialog_Test;

void Set_Style_Mode(int mode)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(mode);
    ASSERT_EQ(platform::Set_Var_By_Host(L"PSTYLEMODE", &rb), RTNORM);
}

}  // namespace

TEST_F(Combos, Margin_List_Holds_The_Unequal_Entry_No_Margin_And_Ten_Millimetres_Each_Way)
{
    Combo_Host host;
    int selection = -5;
    Fill_Margin_List(&host.Combo, selection, 0, 0);
    const std::vector<std::wstring> items = host.Items();
    ASSERT_EQ(items.size(), 22u);
    EXPECT_EQ(items[0], L" 不等边留白");
    EXPECT_EQ(items[1], L" 不留白");
    EXPECT_EQ(items[2], L" + 01 mm");
    EXPECT_EQ(items[3], L" - 01 mm");
    EXPECT_EQ(items[18], L" + 09 mm");
    EXPECT_EQ(items[20], L" + 10 mm");
    EXPECT_EQ(items[21], L" - 10 mm");
    EXPECT_EQ(selection, 1);
    EXPECT_EQ(host.Combo.GetCurSel(), 1);

    struct Case {
        int margin, unequal;
        size_t count;
        int selection;
        const wchar_t* extra;
    };
    for (const Case& c : {Case{5, 0, 22, 10, nullptr}, Case{-10, 0, 22, 21, nullptr}, Case{12, 0, 23, 22, L" + 12 mm"},
                          Case{-37, 0, 23, 22, L" - 37 mm"}, Case{4, 1, 22, 0, nullptr},
                          Case{37, 1, 23, 0, L" + 37 mm"}}) {
        SCOPED_TRACE(c.margin);
        Fill_Margin_List(&host.Combo, selection, c.margin, c.unequal);
        const std::vector<std::wstring> refilled = host.Items();
        ASSERT_EQ(refilled.size(), c.count);
        EXPECT_EQ(selection, c.selection);
        EXPECT_EQ(host.Combo.GetCurSel(), c.selection);
        if (c.extra != nullptr) {
            EXPECT_EQ(refilled[22], c.extra);
        }
    }
}

TEST_F(Combos, Margin_Parser_Reads_Items_And_Typed_Texts)
{
    Combo_Host host;
    int selection = 0;
    Fill_Margin_List(&host.Combo, selection, 0, 0);
    struct Item_Case {
        int index;
        int margin;
        bool changed;
    };
    for (const Item_Case& c : {Item_Case{10, 5, true}, Item_Case{21, -10, true}, Item_Case{1, 0, true},
                               Item_Case{1, 0, false}}) {
        host.Combo.SetCurSel(c.index);
        int margin = c.changed ? 99 : 0, unequal = 1;
        EXPECT_EQ(Parse_Margin_Combo(&host.Combo, margin, unequal, true), c.changed) << c.index;
        EXPECT_EQ(margin, c.margin) << c.index;
        EXPECT_EQ(unequal, 0) << c.index;
    }
    host.Combo.SetCurSel(0);
    int margin = 4, unequal = 0;
    EXPECT_TRUE(Parse_Margin_Combo(&host.Combo, margin, unequal, true));
    EXPECT_EQ(unequal, 1);
    EXPECT_EQ(margin, 4);

    struct Text_Case {
        const wchar_t* typed;
        bool result;
        int margin;
    };
    for (const Text_Case& c : {Text_Case{L"7.9mm", true, 7}, Text_Case{L"\xFF0D" L"3\x3002" L"7", true, -3},
                               Text_Case{L"150", false, 2}, Text_Case{L"-100", true, -100},
                               Text_Case{L"-101", false, 2}, Text_Case{L"abc", true, 0}, Text_Case{L" + 2 mm", false, 2},
                               Text_Case{L" 不等边留白", true, 2}}) {
        host.Combo.SetWindowText(c.typed);
        int value = 2, flag = 0;
        EXPECT_EQ(Parse_Margin_Combo(&host.Combo, value, flag, false), c.result) << platform::To_Utf8(c.typed);
        EXPECT_EQ(value, c.margin) << platform::To_Utf8(c.typed);
    }
}

TEST_F(Combos, Reparse_Normalises_A_Typed_Margin_In_The_List)
{
    Combo_Host host;
    int selection = 0, margin = 0, unequal = 1;
    Fill_Margin_List(&host.Combo, selection, margin, unequal);
    host.Combo.SetWindowText(L"12 mm");
    EXPECT_TRUE(Reparse_Margin_Combo(&host.Combo, selection, margin, unequal));
    EXPECT_EQ(margin, 12);
    EXPECT_EQ(unequal, 0);
    EXPECT_EQ(selection, 22);
    EXPECT_EQ(host.Items().at(22), L" + 12 mm");
    // A refused value leaves the margin and shows its item again.
    host.Combo.SetWindowText(L"500");
    EXPECT_FALSE(Reparse_Margin_Combo(&host.Combo, selection, margin, unequal));
    EXPECT_EQ(margin, 12);
    EXPECT_EQ(selection, 22);
}

TEST_F(Combos, Format_List_Ends_With_Dwg_Only_When_Asked)
{
    Combo_Host host;
    Fill_Format_List(&host.Combo, true);
    EXPECT_EQ(host.Items(), (std::vector<std::wstring>{L"  PDF", L"  DWF", L"  JPG", L"  PNG", L"  PLT", L"  SVG",
                                                       L"  DWG"}));
    Fill_Format_List(&host.Combo, false);
    EXPECT_EQ(host.Items().size(), 6u);
}

TEST_F(Combos, Style_List_Puts_The_Default_Entry_First_And_Finds_The_Default_By_Mode)
{
    Set_Style_Mode(1);
    Add_Style_Tables({L"acad.ctb", L"黑白.ctb", L"monochrome.ctb"});
    Combo_Host host;
    int default_index = -1;
    g_Plot_Config.Last_Style = L"MONOCHROME.ctb";
    g_Plot_Config.Default_Style_Name = L"acad.ctb";
    g_Plot_Config.Default_Style_Mode = 1;
    Fill_Style_List(&host.Combo, default_index);
    const std::vector<std::wstring> items = host.Items();
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items[0], L" --默认设置--");
    EXPECT_EQ(items[1], L" 黑白.ctb");
    EXPECT_EQ(items[default_index + 1], L" monochrome.ctb");

    // The directly chosen style first in mode 2; the current options' style before all.
    g_Plot_Config.Default_Style_Mode = 2;
    Fill_Style_List(&host.Combo, default_index);
    EXPECT_EQ(host.Items()[default_index + 1], L" acad.ctb");
    Plot_Option options;
    options.Style_Name = L"黑白.CTB";
    g_Cur_Plot_Option = &options;
    Fill_Style_List(&host.Combo, default_index);
    EXPECT_EQ(default_index, 0);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Combos, An_Empty_Style_Folder_Is_Reported)
{
    Set_Style_Mode(1);
    Combo_Host host;
    int default_index = -1;
    Script("msgbox OK\n");
    Fill_Style_List(&host.Combo, default_index);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(default_index, 0);
    EXPECT_EQ(host.Items(), std::vector<std::wstring>{L" --默认设置--"});
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"CAD打印样式文件夹下无打印样式文件 !");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"错误提醒");
}

TEST_F(Combos, Choosing_The_Default_Style_Stores_It_Or_Keeps_The_Fallback)
{
    Set_Style_Mode(1);
    Add_Style_Tables({L"acad.ctb", L"黑白.ctb", L"monochrome.ctb"});
    int index = -1;
    Script("click 2\n");
    Choose_Default_Style(index, 3);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(g_Plot_Config.Default_Style_Mode, 0);

    // Mode 2 with the third table of the dialog's list (黑白, acad, monochrome).
    Script("click 875\nchoose 861 2\nclick 1\n");
    Choose_Default_Style(index, 3);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(g_Plot_Config.Default_Style_Mode, 2);
    EXPECT_EQ(g_Plot_Config.Default_Style_Name, CString(L"monochrome.ctb"));
    EXPECT_EQ(index, 2);
}
