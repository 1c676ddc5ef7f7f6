// The single-plot settings: what they show of the drawing's options and the program
// settings, the format rules, the margin and style combos, the background colour, and
// what every way of closing stores.
#include <string>

#include "core/doc_lock.h"
#include "mfc/atlimage.h"
#include "core/plot_config.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/single_plot_setting.h"
#include "plot/batch_plot_driver.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"

namespace {

class Single_Plot_Setting : public Plot_Dialog_Test {
public:
    void SetUp() override
    {
        Plot_Dialog_Test::SetUp();
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = 1;
        ASSERT_EQ(platform::Set_Var_By_Host(L"PSTYLEMODE", &rb), RTNORM);
        Add_Style_Tables({L"acad.ctb", L"monochrome.ctb"});
    }
    // Stores options as the drawing's record.
    static void Store(const Plot_Option& options)
    {
        Doc_Lock lock;
        options.Write_Dwg_Setting();
    }
    static Plot_Option Stored()
    {
        Plot_Option options;
        Doc_Lock lock;
        options.Read_Dwg_Setting();
        return options;
    }
};

// The dialog opened modeless, to look at its controls.
class Open_Setting : public Dlg_SinglePlot_Setting {
public:
    bool Open() { return Create(IDD_DLG_SINGLEPLOT_SETTING, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    void Choose_Format(int index)
    {
        auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_FORMAT_COMBO));
        combo->SetCurSel(index);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FORMAT_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->m_hWnd));
    }
    bool Enabled(int id) { return GetDlgItem(id)->IsWindowEnabled(); }
    bool Visible(int id) { return GetDlgItem(id)->IsWindowVisible(); }
    CString Text(int id)
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
};

TEST_F(Single_Plot_Setting, Shows_The_Drawing_Options_And_Applies_The_Format_Rules)
{
    Plot_Option options;
    options.Output_Type = 3;
    options.Margin = 12;
    options.Scale = 0;
    options.Style_Name = L"monochrome.ctb";
    Store(options);
    Plot_Option outer;
    g_Cur_Plot_Option = &outer;
    {
        Open_Setting dialog;
        ASSERT_TRUE(dialog.Open());
        EXPECT_EQ(g_Cur_Plot_Option, &dialog.Option);
        EXPECT_EQ(dialog.Text(IDC_FORMAT_COMBO), CString(L"  PNG"));
        EXPECT_EQ(dialog.Text(IDC_MARGIN_COMBO), CString(L" + 12 mm"));
        EXPECT_EQ(dialog.Text(IDC_STYLE_COMBO), CString(L" monochrome.ctb"));
        EXPECT_TRUE(dialog.Visible(IDC_SWATCH));
        EXPECT_TRUE(dialog.Visible(IDC_SIGN_CHECK));
        EXPECT_FALSE(dialog.Visible(IDC_DWG_BLOCK_CHECK));
        EXPECT_FALSE(dialog.Visible(IDC_AUTO_SCALE_CHECK));

        dialog.Choose_Format(6);  // DWG: a scale of 0 shows as 1
        for (int id : {IDC_MARGIN_COMBO, IDC_STYLE_COMBO, IDC_SCALE_EDIT, IDC_SIGN_CHECK, IDC_STYLE_EDIT_BUTTON})
            EXPECT_FALSE(dialog.Enabled(id)) << id;
        EXPECT_FALSE(dialog.Visible(IDC_SIGN_CHECK));
        EXPECT_TRUE(dialog.Visible(IDC_DWG_BLOCK_CHECK));
        EXPECT_TRUE(dialog.Enabled(IDC_ASK_NAME_CHECK));
        EXPECT_FALSE(dialog.Visible(IDC_SWATCH));
        EXPECT_EQ(dialog.Text(IDC_SCALE_EDIT), CString(L"1"));

        dialog.Choose_Format(4);  // PLT always asks its name
        EXPECT_FALSE(dialog.Enabled(IDC_ASK_NAME_CHECK));
        EXPECT_TRUE(dialog.Enabled(IDC_SCALE_EDIT));
        EXPECT_TRUE(dialog.Visible(IDC_SIGN_CHECK));
        dialog.Choose_Format(0);
        EXPECT_TRUE(dialog.Enabled(IDC_ASK_NAME_CHECK));
        EXPECT_FALSE(dialog.Visible(IDC_SWATCH));
        dialog.DestroyWindow();
    }
    EXPECT_EQ(g_Cur_Plot_Option, &outer);
}

TEST_F(Single_Plot_Setting, Close_Stores_The_Options_And_The_Program_Settings)
{
    Plot_Option options;
    options.Output_Type = 0;
    options.Scale = 100;
    Store(options);
    g_Plot_Config.Ask_File_Name = 0;
    g_Plot_Config.Dwg_As_Block = 1;
    Dlg_SinglePlot_Setting dialog;
    // Style list: " --默认设置--", " acad.ctb", " monochrome.ctb".
    Script("choose 862 2\ntext 878 \"0\"\nclick 1\nmsgbox OK\ntext 878 \"25\"\nchoose 861 2\ncheck 913 1\n"
           "check 915 1\nchoose 863 10\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"打印比例应大于 0 !");
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");

    const Plot_Option stored = Stored();
    EXPECT_EQ(stored.Output_Type, 2);
    EXPECT_EQ(stored.Scale, 25.0);
    EXPECT_EQ(stored.Print_Sign, 1);
    EXPECT_EQ(stored.Margin, 5);
    EXPECT_EQ(stored.Unequal_Margin, 0);
    EXPECT_EQ(stored.Style_Name, CString(L"monochrome.ctb"));
    EXPECT_EQ(g_Plot_Config.Last_Style, CString(L"monochrome.ctb"));
    EXPECT_EQ(g_Plot_Style_Index, 1);
    EXPECT_EQ(g_Plot_Config.Ask_File_Name, 1);
    EXPECT_EQ(g_Plot_Config.Dwg_As_Block, 1);
    EXPECT_EQ(g_Cur_Plot_Option, nullptr);
}

TEST_F(Single_Plot_Setting, Escape_Stores_Like_The_Close_Button)
{
    Store(Plot_Option());
    Dlg_SinglePlot_Setting dialog;
    Script("choose 862 6\ncheck 916 0\nkey ESCAPE\n");
    dialog.DoModal();
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(Stored().Output_Type, 6);
    EXPECT_EQ(g_Plot_Config.Dwg_As_Block, 0);
}

TEST_F(Single_Plot_Setting, The_Unequal_Entry_Sets_The_Flag_Whatever_The_Answer)
{
    Plot_Option options;
    options.Margin = 4;
    Store(options);
    {
        Dlg_SinglePlot_Setting dialog;
        Script("choose 863 0\ntext 202 \"1 2 3 4\"\nclick 874\nclick 1\nclick 1\n");
        EXPECT_EQ(dialog.DoModal(), IDOK);
        EXPECT_TRUE(Script_Used());
        EXPECT_TRUE(g_Margin_Combo_Idle);
    }
    Plot_Option stored = Stored();
    EXPECT_EQ(stored.Unequal_Margin, 1);
    EXPECT_EQ(stored.Unequal_Mode, 1);
    EXPECT_EQ(stored.Land_Top, 1);
    EXPECT_EQ(stored.Land_Right, 4);
    EXPECT_EQ(stored.Port_Top, 10);
    EXPECT_EQ(stored.Margin, 4);

    stored.Unequal_Margin = 0;
    Store(stored);
    Dlg_SinglePlot_Setting cancelled;
    Script("choose 863 0\ntext 202 \"9 9 9 9\"\nclick 2\nclick 1\n");
    EXPECT_EQ(cancelled.DoModal(), IDOK);
    const Plot_Option after = Stored();
    EXPECT_EQ(after.Unequal_Margin, 1);
    EXPECT_EQ(after.Land_Top, 1);
}

TEST_F(Single_Plot_Setting, The_Default_Entry_Cancelled_Returns_To_The_Previous_Style)
{
    Plot_Option options;
    options.Style_Name = L"monochrome.ctb";
    Store(options);
    Dlg_SinglePlot_Setting dialog;
    Script("choose 861 0\nclick 2\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(Stored().Style_Name, CString(L"monochrome.ctb"));
}

TEST_F(Single_Plot_Setting, The_Swatch_Picks_The_Background_Colour_Of_Images)
{
    Plot_Option options;
    options.Output_Type = 3;
    Store(options);
    Dlg_SinglePlot_Setting dialog;
    const std::string shot = Temp_Shot("swatch.png");
    Script("click 399\ncolor 10,20,30\nsnapshot \"" + shot + "\"\nclick 1\n");
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(Script_Used());
    // The swatch shows the new colour.
    CImage image;
    ASSERT_EQ(image.Load(platform::From_Utf8(shot).c_str()), S_OK);
    int swatch_pixels = 0;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x) swatch_pixels += image.GetPixel(x, y) == RGB(10, 20, 30);
    EXPECT_GT(swatch_pixels, 200);
    const Plot_Option stored = Stored();
    EXPECT_EQ(stored.Back_Red, 10);
    EXPECT_EQ(stored.Back_Green, 20);
    EXPECT_EQ(stored.Back_Blue, 30);
}

}  // namespace
