#include "dialogs/dlg_setting.h"

#include <algorithm>

#include "core/plot_config.h"
#include "mfc/afxdc.h"
#include "mfc/uxtheme.h"
#include "res/resource.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

const int Setting_Groups[] = {IDC_SET_GROUP_PRINT, IDC_SET_GROUP_VECTOR, IDC_SET_GROUP_ORIENTATION,
                              IDC_SET_GROUP_IMAGE, IDC_SET_GROUP_PDF,    IDC_SET_GROUP_OUTPUT,
                              IDC_SET_GROUP_FRAMES};
const int Resolution_Labels[] = {IDC_SET_VECTOR_LABEL, IDC_SET_RASTER_LABEL, IDC_SET_IMAGE_LABEL};
const int Rotation_Controls[] = {IDC_SET_TURN_90, IDC_SET_TURN_270, IDC_SET_TURN_90_PICTURE,
                                 IDC_SET_TURN_270_PICTURE};

constexpr int Max_Resolution_Position = 94;
constexpr int Max_Image_Position = 50;

template <size_t N>
bool Is_One_Of(int id, const int (&ids)[N])
{
    return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

// The image slider's position of a resolution in dpi: 10 dpi a step from 100.
int Image_Dpi_Position(int dpi) { return dpi <= 100 ? 0 : std::min((dpi - 100) / 10, Max_Image_Position); }
int Image_Position_Dpi(int position) { return position * 10 + 100; }

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_Setting, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_SET_LINE_OVERLAY, On_Line_Choice)
    ON_BN_CLICKED(IDC_SET_LINE_MERGE, On_Line_Choice)
    ON_BN_CLICKED(IDC_SET_FRAMES_ALL_BLOCKS, On_All_Blocks)
    ON_BN_CLICKED(IDC_SET_FRAMES_RECT_BLOCKS, On_Rect_Blocks)
    ON_BN_CLICKED(IDC_SET_ORIENTATION_KEEP, On_Orientation)
    ON_BN_CLICKED(IDC_SET_ORIENTATION_LAND, On_Orientation)
    ON_BN_CLICKED(IDC_SET_ORIENTATION_PORT, On_Orientation)
    ON_STN_CLICKED(IDC_SET_TURN_90_PICTURE, On_Turn_90_Picture)
    ON_STN_CLICKED(IDC_SET_TURN_270_PICTURE, On_Turn_270_Picture)
END_MESSAGE_MAP()

Dlg_Setting::Dlg_Setting(CWnd* parent) : CDialog(IDD_DLG_SETTING, parent) {}
Dlg_Setting::~Dlg_Setting() = default;

void Dlg_Setting::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Check(exchange, IDC_SET_LINEWEIGHTS, Plot_Lineweights);
    DDX_Check(exchange, IDC_SET_PLOT_STAMP, Plot_Stamp);
    DDX_Check(exchange, IDC_SET_TEXT_AS_GEOMETRY, Text_As_Geometry);
    DDX_Check(exchange, IDC_SET_OUTER_LINE, Plot_Outer_Line);
    DDX_Check(exchange, IDC_SET_TRANSPARENCY, Plot_Transparency);
    DDX_Slider(exchange, IDC_SET_VECTOR_SLIDER, Vector_Position);
    DDX_Slider(exchange, IDC_SET_RASTER_SLIDER, Raster_Position);
    DDX_Slider(exchange, IDC_SET_IMAGE_SLIDER, Image_Position);
    DDX_Text(exchange, IDC_SET_VECTOR_LABEL, Vector_Label);
    DDX_Text(exchange, IDC_SET_RASTER_LABEL, Raster_Label);
    DDX_Text(exchange, IDC_SET_IMAGE_LABEL, Image_Label);
    DDX_Radio(exchange, IDC_SET_LINE_OVERLAY, Line_Choice);
    DDX_Check(exchange, IDC_SET_LAYER_INFO, Layer_Info);
    DDX_Radio(exchange, IDC_SET_ORIENTATION_KEEP, Pdf_Orientation);
    DDX_Radio(exchange, IDC_SET_TURN_90, Pdf_Rotate_270);
    DDX_Check(exchange, IDC_SET_OPEN_FOLDER, Open_Folder);
    DDX_Check(exchange, IDC_SET_OPEN_MERGED_PDF, Open_Merged_Pdf);
    DDX_Check(exchange, IDC_SET_FRAMES_PLINES, Frames_Plines);
    DDX_Check(exchange, IDC_SET_FRAMES_LINES, Frames_Loose_Lines);
    DDX_Check(exchange, IDC_SET_FRAMES_ALL_BLOCKS, Frames_All_Blocks);
    DDX_Check(exchange, IDC_SET_FRAMES_RECT_BLOCKS, Frames_Rect_Blocks);
    DDX_Check(exchange, IDC_SET_SKIP_EMPTY, Skip_Empty_Frames);
}

BOOL Dlg_Setting::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    Line_Picture.SubclassDlgItem(IDC_SET_LINE_PICTURE, this);
    Turn_90_Picture.SubclassDlgItem(IDC_SET_TURN_90_PICTURE, this);
    Turn_270_Picture.SubclassDlgItem(IDC_SET_TURN_270_PICTURE, this);

    Tooltip.Create(this);
    Tooltip.SetDelayTime(2000);
    Tooltip.SetTipTextColor(0x404000);
    Tooltip.Activate(TRUE);
    Tooltip.SetMaxTipWidth(500);
    Tooltip.AddTool(GetDlgItem(IDC_SET_TEXT_AS_GEOMETRY),
                    L"ACAD2016/2017由于打印驱动有bug\nPDF输出时会忽略字符宽度比例\n所以ACAD2016/2017下输出PDF时软件会强制文字转图形");
    Tooltip.AddTool(GetDlgItem(IDC_SET_IMAGE_SLIDER), L"由于输出的图片分辨率较低\n为使图片内容清晰\n可将输出纸张尺寸放大");
    // Without a theme the group boxes' captions take the colour OnCtlColor gives them.
    for (int id : Setting_Groups)
        if (CWnd* group = GetDlgItem(id)) SetWindowTheme(group->GetSafeHwnd(), L"", L"");

    const Plot_Config& config = g_Plot_Config;
    Open_Folder = config.Open_Folder;
    Open_Merged_Pdf = config.Open_Merged_Pdf;
    Plot_Lineweights = config.Plot_Lineweights;
    Plot_Transparency = config.Plot_Transparency;
    Plot_Stamp = config.Plot_Stamp;
    Plot_Outer_Line = config.Plot_Outer_Line;
    Text_As_Geometry = config.Text_As_Geometry;
    Line_Choice = config.Line_Overlay == 1 ? 0 : 1;
    Show_Line_Picture();

    for (int id : {IDC_SET_VECTOR_SLIDER, IDC_SET_RASTER_SLIDER})
        if (auto* slider = static_cast<CSliderCtrl*>(GetDlgItem(id))) slider->SetRange(0, Max_Resolution_Position);
    Vector_Position = std::clamp(config.Vector_Res, 0, Max_Resolution_Position);
    Raster_Position = std::clamp(config.Raster_Res, 0, Max_Resolution_Position);
    for (int id : {IDC_SET_LINE_OVERLAY, IDC_SET_LINE_MERGE})
        if (CWnd* radio = GetDlgItem(id)) radio->EnableWindow(FALSE);
    Line_Picture.ShowWindow(SW_HIDE);

    Pdf_Orientation = config.Pdf_Orientation;
    Pdf_Rotate_270 = config.Pdf_Rotate_270 != 0 ? 1 : 0;
    Layer_Info = config.Layer_Info;
    if (auto* slider = static_cast<CSliderCtrl*>(GetDlgItem(IDC_SET_IMAGE_SLIDER))) slider->SetRange(0, Max_Image_Position);
    Image_Position = Image_Dpi_Position(config.Raster_Dpi);
    Label_Resolutions();

    Frames_Plines = 1;
    if (CWnd* plines = GetDlgItem(IDC_SET_FRAMES_PLINES)) plines->EnableWindow(FALSE);
    Frames_Loose_Lines = config.Frames_Loose_Lines;
    Frames_All_Blocks = config.Frames_All_Blocks;
    Frames_Rect_Blocks = config.Frames_Rect_Blocks;
    Skip_Empty_Frames = config.Skip_Empty_Frames;

    UpdateData(FALSE);
    Update_Rotation_Controls();
    return TRUE;
}

BOOL Dlg_Setting::PreTranslateMessage(MSG* message)
{
    if (Tooltip.GetSafeHwnd() != nullptr) Tooltip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

void Dlg_Setting::Label_Resolutions()
{
    Vector_Label.Format(L"矢量%ddpi", Slider_To_Dpi(Vector_Position));
    Raster_Label.Format(L"光栅%ddpi", Slider_To_Dpi(Raster_Position));
    Image_Label.Format(L"分辨率%ddpi", Image_Position_Dpi(Image_Position));
}

void Dlg_Setting::Show_Line_Picture() { Line_Picture.Set_Bitmap(Line_Choice == 0 ? IDB_LINE_OVERLAY : IDB_LINE_MERGE); }

void Dlg_Setting::Update_Rotation_Controls()
{
    const bool turned = Pdf_Orientation != 0;
    for (int id : Rotation_Controls)
        if (CWnd* control = GetDlgItem(id)) control->ShowWindow(turned ? SW_SHOW : SW_HIDE);
    if (!turned) return;
    Turn_90_Picture.Set_Bitmap(Pdf_Orientation == 1 ? IDB_TURN_LAND_90 : IDB_TURN_PORT_90);
    Turn_270_Picture.Set_Bitmap(Pdf_Orientation == 1 ? IDB_TURN_LAND_270 : IDB_TURN_PORT_270);
}

HBRUSH Dlg_Setting::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CDialog::OnCtlColor(dc, window, control_type);
    const int id = window != nullptr ? window->GetDlgCtrlID() : 0;
    if (Is_One_Of(id, Resolution_Labels)) dc->SetTextColor(0x960000);
    if (Is_One_Of(id, Setting_Groups)) dc->SetTextColor(RGB(255, 0, 0));
    return brush;
}

void Dlg_Setting::OnHScroll(UINT code, UINT position, CScrollBar* scroll_bar)
{
    const int id = scroll_bar != nullptr ? scroll_bar->GetDlgCtrlID() : 0;
    if (id == IDC_SET_VECTOR_SLIDER || id == IDC_SET_RASTER_SLIDER || id == IDC_SET_IMAGE_SLIDER) {
        // Read every control, not just the slider, so that the push below keeps what the
        // user changed elsewhere since the last one.
        UpdateData(TRUE);
        // The vector resolution never falls below the raster resolution.
        if (id == IDC_SET_VECTOR_SLIDER && Vector_Position < Raster_Position) Raster_Position = Vector_Position;
        if (id == IDC_SET_RASTER_SLIDER && Vector_Position < Raster_Position) Vector_Position = Raster_Position;
        Label_Resolutions();
        UpdateData(FALSE);
    }
    CDialog::OnHScroll(code, position, scroll_bar);
}

void Dlg_Setting::On_Line_Choice()
{
    UpdateData(TRUE);
    Show_Line_Picture();
}

void Dlg_Setting::On_Orientation()
{
    UpdateData(TRUE);
    Update_Rotation_Controls();
}

void Dlg_Setting::On_All_Blocks()
{
    UpdateData(TRUE);
    if (Frames_All_Blocks) Frames_Rect_Blocks = 0;
    UpdateData(FALSE);
}

void Dlg_Setting::On_Rect_Blocks()
{
    UpdateData(TRUE);
    if (Frames_Rect_Blocks) Frames_All_Blocks = 0;
    UpdateData(FALSE);
}

void Dlg_Setting::On_Turn_90_Picture()
{
    UpdateData(TRUE);
    Pdf_Rotate_270 = 0;
    UpdateData(FALSE);
}

void Dlg_Setting::On_Turn_270_Picture()
{
    UpdateData(TRUE);
    Pdf_Rotate_270 = 1;
    UpdateData(FALSE);
}

void Dlg_Setting::OnOK()
{
    if (!UpdateData(TRUE)) return;
    Plot_Config& config = g_Plot_Config;
    config.Plot_Lineweights = Plot_Lineweights;
    config.Plot_Stamp = Plot_Stamp;
    config.Text_As_Geometry = Text_As_Geometry;
    config.Plot_Outer_Line = Plot_Outer_Line;
    config.Plot_Transparency = Plot_Transparency;
    config.Vector_Res = Vector_Position;
    config.Raster_Res = Raster_Position;
    config.Raster_Dpi = Image_Position_Dpi(Image_Position);
    config.Line_Overlay = Line_Choice == 0 ? 1 : 0;
    config.Layer_Info = Layer_Info;
    config.Pdf_Orientation = Pdf_Orientation;
    config.Pdf_Rotate_270 = Pdf_Rotate_270;
    config.Open_Folder = Open_Folder;
    config.Open_Merged_Pdf = Open_Merged_Pdf;
    config.Frames_Loose_Lines = Frames_Loose_Lines;
    config.Frames_All_Blocks = Frames_All_Blocks;
    config.Frames_Rect_Blocks = Frames_Rect_Blocks;
    config.Skip_Empty_Frames = Skip_Empty_Frames;
    // The settings reach their file now, so that a failed write is told while the user is
    // there; the unload writes them again.
    config.Save(true);
    EndDialog(IDOK);
}
