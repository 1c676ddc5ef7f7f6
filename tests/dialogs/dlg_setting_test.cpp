// The plot settings dialog: what it shows of the program settings, the resolution sliders,
// the page-turning choice, the block choices, and what OK and Cancel write.

#include "core/checked_file_writer.h"
#include "dialogs/dlg_setting.h"
#include "mfc/afxcmn.h"
#include "mfc/message_queue.h"
#include "plot_option_combos_fixture.h"
#include "res/resource.h"
#include "unwritable_folder.h"

namespace {

class Open_Setting : public Dlg_Setting {
public:
    bool Open() { return Create(IDD_DLG_SETTING, nullptr) && ShowWindow(SW_SHOW) >= 0; }
    CString Shown(int id)
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }
    int Position(int id) { return static_cast<CSliderCtrl*>(GetDlgItem(id))->GetPos(); }
    bool Checked(int id) { return IsDlgButtonChecked(id) == BST_CHECKED; }
    bool Visible(int id) { return GetDlgItem(id)->IsWindowVisible() != FALSE; }
    bool Enabled(int id) { return GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    int Turn_Bitmaps() const { return Turn_90_Picture.Get_Bitmap() * 1000 + Turn_270_Picture.Get_Bitmap(); }
};

class Setting_Dialog : public Plot_Dialog_Test {
public:
    void Drive(const std::string& steps)
    {
        Script(steps);
        while (!Script_Used() && platform::Serve_Script_At_Pump()) platform::Run_Host_Messages();
        platform::Run_Host_Messages();
    }
};

TEST_F(Setting_Dialog, The_Image_Resolution_Shows_As_Its_Ten_Dpi_Step_And_Ok_Stores_The_Step)
{
    const struct {
        int stored, position;
        const wchar_t* label;
        int after_ok;
    } cases[] = {{100, 0, L"分辨率100dpi", 100}, {40, 0, L"分辨率100dpi", 100}, {255, 15, L"分辨率250dpi", 250},
                 {600, 50, L"分辨率600dpi", 600}, {900, 50, L"分辨率600dpi", 600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        g_Plot_Config.Raster_Dpi = c.stored;
        Open_Setting dialog;
        ASSERT_TRUE(dialog.Open());
        EXPECT_EQ(dialog.Position(IDC_SET_IMAGE_SLIDER), c.position);
        EXPECT_EQ(dialog.Shown(IDC_SET_IMAGE_LABEL), CString(c.label));
        Drive("click 1\n");
        EXPECT_EQ(g_Plot_Config.Raster_Dpi, c.after_ok);
        dialog.DestroyWindow();
    }
    Open_Setting dialog;
    ASSERT_TRUE(dialog.Open());
    Drive("choose 945 23\n");
    EXPECT_EQ(dialog.Shown(IDC_SET_IMAGE_LABEL), CString(L"分辨率330dpi"));
    dialog.DestroyWindow();
}

TEST_F(Setting_Dialog, The_Vector_Resolution_Never_Falls_Below_The_Raster_Resolution)
{
    g_Plot_Config.Vector_Res = 40;
    g_Plot_Config.Raster_Res = 30;
    Open_Setting dialog;
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Shown(IDC_SET_VECTOR_LABEL), CString(L"矢量950dpi"));
    EXPECT_EQ(dialog.Shown(IDC_SET_RASTER_LABEL), CString(L"光栅600dpi"));

    Drive("choose 931 20\n");  // the raster slider follows it down
    EXPECT_EQ(dialog.Position(IDC_SET_RASTER_SLIDER), 20);
    EXPECT_EQ(dialog.Shown(IDC_SET_VECTOR_LABEL), CString(L"矢量400dpi"));
    EXPECT_EQ(dialog.Shown(IDC_SET_RASTER_LABEL), CString(L"光栅400dpi"));

    Drive("choose 944 80\n");  // the vector slider follows it up
    EXPECT_EQ(dialog.Position(IDC_SET_VECTOR_SLIDER), 80);
    EXPECT_EQ(dialog.Shown(IDC_SET_VECTOR_LABEL), CString(L"矢量3400dpi"));

    Drive("choose 931 94\nclick 1\n");  // moving up leaves the raster slider where it is
    EXPECT_EQ(g_Plot_Config.Vector_Res, 94);
    EXPECT_EQ(g_Plot_Config.Raster_Res, 80);
    dialog.DestroyWindow();
}

TEST_F(Setting_Dialog, A_Slider_Move_Keeps_The_Changes_Made_Before_It)
{
    Open_Setting dialog;
    ASSERT_TRUE(dialog.Open());
    Drive("click 961\ncheck 927 0\ncheck 936 0\nchoose 931 60\nclick 1\n");
    EXPECT_EQ(g_Plot_Config.Plot_Lineweights, 0);
    EXPECT_EQ(g_Plot_Config.Frames_Loose_Lines, 0);
    EXPECT_EQ(g_Plot_Config.Vector_Res, 60);
    EXPECT_EQ(g_Plot_Config.Pdf_Orientation, 1);
    dialog.DestroyWindow();
}

TEST_F(Setting_Dialog, The_Turning_Choice_Shows_Only_With_A_Turned_Orientation)
{
    g_Plot_Config.Pdf_Orientation = 0;
    g_Plot_Config.Pdf_Rotate_270 = 1;
    Open_Setting dialog;
    ASSERT_TRUE(dialog.Open());
    for (int id : {IDC_SET_TURN_90, IDC_SET_TURN_270, IDC_SET_TURN_90_PICTURE, IDC_SET_TURN_270_PICTURE})
        EXPECT_FALSE(dialog.Visible(id)) << id;

    Drive("click 961\n");
    for (int id : {IDC_SET_TURN_90, IDC_SET_TURN_270, IDC_SET_TURN_90_PICTURE, IDC_SET_TURN_270_PICTURE})
        EXPECT_TRUE(dialog.Visible(id)) << id;
    EXPECT_EQ(dialog.Turn_Bitmaps(), IDB_TURN_LAND_90 * 1000 + IDB_TURN_LAND_270);
    EXPECT_TRUE(dialog.Checked(IDC_SET_TURN_270));
    Drive("click 962\nclick 216\n");
    EXPECT_EQ(dialog.Turn_Bitmaps(), IDB_TURN_PORT_90 * 1000 + IDB_TURN_PORT_270);
    EXPECT_TRUE(dialog.Checked(IDC_SET_TURN_90));
    Drive("click 217\n");
    EXPECT_TRUE(dialog.Checked(IDC_SET_TURN_270));
    EXPECT_FALSE(dialog.Checked(IDC_SET_TURN_90));

    // Back to the original orientation: hidden again, and the hidden choice is stored as it stands.
    Drive("click 216\nclick 960\nclick 1\n");
    EXPECT_FALSE(dialog.Visible(IDC_SET_TURN_90));
    EXPECT_EQ(g_Plot_Config.Pdf_Orientation, 0);
    EXPECT_EQ(g_Plot_Config.Pdf_Rotate_270, 0);
    dialog.DestroyWindow();

    Dlg_Setting untouched;
    Script("click 1\n");
    EXPECT_EQ(untouched.DoModal(), IDOK);
    EXPECT_EQ(g_Plot_Config.Pdf_Rotate_270, 0);
    g_Plot_Config.Pdf_Rotate_270 = 1;
    Script("click 1\n");
    EXPECT_EQ(untouched.DoModal(), IDOK);
    EXPECT_EQ(g_Plot_Config.Pdf_Rotate_270, 1) << "written back unchanged";
}

TEST_F(Setting_Dialog, The_Two_Block_Choices_Exclude_Each_Other_And_May_Both_Be_Off)
{
    g_Plot_Config.Frames_All_Blocks = 1;
    g_Plot_Config.Frames_Rect_Blocks = 0;
    Open_Setting dialog;
    ASSERT_TRUE(dialog.Open());
    Drive("check 938 1\n");
    EXPECT_FALSE(dialog.Checked(IDC_SET_FRAMES_ALL_BLOCKS));
    Drive("check 937 1\n");
    EXPECT_FALSE(dialog.Checked(IDC_SET_FRAMES_RECT_BLOCKS));
    Drive("check 937 0\nclick 1\n");
    EXPECT_EQ(g_Plot_Config.Frames_All_Blocks, 0);
    EXPECT_EQ(g_Plot_Config.Frames_Rect_Blocks, 0);
    dialog.DestroyWindow();
}

// Each check box against its setting: the dialog shows the stored value, OK writes the
// changed one, Cancel writes nothing.
TEST_F(Setting_Dialog, Ok_Writes_Every_Switch_And_Cancel_None)
{
    const struct {
        int id;
        int Plot_Config::*field;
    } switches[] = {
        {IDC_SET_LINEWEIGHTS, &Plot_Config::Plot_Lineweights},
        {IDC_SET_PLOT_STAMP, &Plot_Config::Plot_Stamp},
        {IDC_SET_TEXT_AS_GEOMETRY, &Plot_Config::Text_As_Geometry},
        {IDC_SET_OUTER_LINE, &Plot_Config::Plot_Outer_Line},
        {IDC_SET_TRANSPARENCY, &Plot_Config::Plot_Transparency},
        {IDC_SET_LAYER_INFO, &Plot_Config::Layer_Info},
        {IDC_SET_OPEN_FOLDER, &Plot_Config::Open_Folder},
        {IDC_SET_OPEN_MERGED_PDF, &Plot_Config::Open_Merged_Pdf},
        {IDC_SET_FRAMES_LINES, &Plot_Config::Frames_Loose_Lines},
        {IDC_SET_FRAMES_RECT_BLOCKS, &Plot_Config::Frames_Rect_Blocks},
        {IDC_SET_SKIP_EMPTY, &Plot_Config::Skip_Empty_Frames},
    };
    g_Plot_Config.Frames_All_Blocks = 0;  // so that the rectangle-block choice clears nothing
    const Plot_Config before = g_Plot_Config;
    std::string flips;
    {
        Open_Setting dialog;
        ASSERT_TRUE(dialog.Open());
        for (const auto& s : switches) {
            EXPECT_EQ(dialog.Checked(s.id), g_Plot_Config.*s.field != 0) << s.id;
            flips += "check " + std::to_string(s.id) + (g_Plot_Config.*s.field != 0 ? " 0\n" : " 1\n");
        }
        EXPECT_TRUE(dialog.Checked(IDC_SET_FRAMES_PLINES));
        for (int id : {IDC_SET_FRAMES_PLINES, IDC_SET_LINE_OVERLAY, IDC_SET_LINE_MERGE}) EXPECT_FALSE(dialog.Enabled(id));
        EXPECT_TRUE(dialog.Checked(IDC_SET_LINE_OVERLAY));
        dialog.DestroyWindow();
    }

    Dlg_Setting cancelled;
    Script(flips + "choose 931 70\nchoose 945 3\nclick 2\n");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_TRUE(Script_Used());
    for (const auto& s : switches) EXPECT_EQ(g_Plot_Config.*s.field, before.*s.field) << s.id;
    EXPECT_EQ(g_Plot_Config.Vector_Res, before.Vector_Res);
    EXPECT_EQ(g_Plot_Config.Raster_Dpi, before.Raster_Dpi);

    Dlg_Setting accepted;
    Script(flips + "click 1\n");
    EXPECT_EQ(accepted.DoModal(), IDOK);
    for (const auto& s : switches) EXPECT_EQ(g_Plot_Config.*s.field, before.*s.field == 0 ? 1 : 0) << s.id;
    EXPECT_EQ(g_Plot_Config.Line_Overlay, before.Line_Overlay) << "its buttons are disabled";
    EXPECT_EQ(g_Plot_Config.Vector_Res, before.Vector_Res);
    EXPECT_EQ(g_Plot_Config.Raster_Res, before.Raster_Res);
    EXPECT_EQ(g_Plot_Config.Raster_Dpi, before.Raster_Dpi);
}

TEST_F(Setting_Dialog, Ok_Writes_The_Settings_File_And_Tells_A_Failed_Write)
{
    const CString path = Plot_Config::File_Path();
    {
        Dlg_Setting dialog;
        Script("check 929 1\nclick 1\n");
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    const std::string written = File_Bytes(path);
    ASSERT_FALSE(written.empty());
    ASSERT_TRUE(g_Plot_Config.Save(false));
    EXPECT_EQ(File_Bytes(path), written) << "the file holds the settings of the OK";

    const auto cases = Unwritable_Folder_Cases(
        g_Config_Folder.GetString(), 30,
        [&] { return std::wstring(Checked_File_Writer::Temp_Path_Of(path).GetString()); }, 30);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        c.make_unwritable();
        Dlg_Setting dialog;
        Script("check 929 0\nclick 1\nmsgbox OK\n");
        EXPECT_EQ(dialog.DoModal(), IDOK);
        c.undo();
        EXPECT_EQ(g_Plot_Config.Plot_Stamp, 0);
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_NE(platform::MessageBoxLog[0].text.find(L"文件 < " + std::wstring(path.GetString()) + L" > 写入操作有误!"),
                  std::wstring::npos);
        EXPECT_EQ(File_Bytes(path), written);
    }
}

}  // namespace
