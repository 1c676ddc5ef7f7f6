#include "dialogs/single_plot_setting.h"

#include <cwchar>

#include "core/doc_lock.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "dialogs/color_swatch.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/print_order_picture.h"
#include "dialogs/print_order_unequal_margins.h"
#include "mfc/afxdc.h"
#include "mfc/afxdlgs.h"
#include "plot/batch_plot_driver.h"
#include "res/resource.h"
#include "sheets/plot_styles.h"
#include "ui/module_resources.h"
#include "ui/small_value_dialogs_frame.h"

bool g_Single_Swatch_Hover = false;

namespace {

constexpr int Dwg_Type = 6;

bool Is_Image_Type(int type) { return type == 2 || type == 3; }

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_SinglePlot_Setting, CDialog)
    ON_CBN_SELCHANGE(IDC_FORMAT_COMBO, On_Format_Change)
    ON_CBN_SELCHANGE(IDC_STYLE_COMBO, On_Style_Change)
    ON_BN_CLICKED(IDC_STYLE_EDIT_BUTTON, On_Style_Edit)
    ON_CBN_SELCHANGE(IDC_MARGIN_COMBO, On_Margin_Change)
    ON_CBN_KILLFOCUS(IDC_MARGIN_COMBO, On_Margin_Leave)
    ON_BN_CLICKED(IDC_AUTO_SCALE_CHECK, On_Auto_Scale)
    ON_STN_CLICKED(IDC_SWATCH, Pick_Background_Color)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
END_MESSAGE_MAP()

Dlg_SinglePlot_Setting::Dlg_SinglePlot_Setting(CWnd* parent) : CDialog(IDD_DLG_SINGLEPLOT_SETTING, parent) {}

Dlg_SinglePlot_Setting::~Dlg_SinglePlot_Setting()
{
    if (Holds_Cur_Option) g_Cur_Plot_Option = Saved_Cur_Option;
}

void Dlg_SinglePlot_Setting::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_CBIndex(exchange, IDC_STYLE_COMBO, Style_Index);
    DDX_CBIndex(exchange, IDC_FORMAT_COMBO, Format_Index);
    DDX_CBIndex(exchange, IDC_MARGIN_COMBO, Margin_Index);
    DDX_Text(exchange, IDC_SCALE_EDIT, Scale);
    DDX_Check(exchange, IDC_AUTO_SCALE_CHECK, Auto_Scale);
    DDX_Check(exchange, IDC_ASK_NAME_CHECK, Ask_Name);
    DDX_Check(exchange, IDC_DWG_BLOCK_CHECK, Dwg_Block);
    DDX_Check(exchange, IDC_SIGN_CHECK, Print_Sign);
}

BOOL Dlg_SinglePlot_Setting::OnInitDialog()
{
    CDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);

    Close_Button.SubclassDlgItem(IDOK, this);
    Close_Button.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    Close_Button.Set_Cursor(IDR_HAND_CURSOR);
    Edit_Button.SubclassDlgItem(IDC_STYLE_EDIT_BUTTON, this);
    Edit_Button.Set_Icon(IDI_EDIT_HOVER, IDI_EDIT_IDLE, 16);
    Edit_Button.Set_Cursor(IDR_HAND_CURSOR);

    auto* format = static_cast<CComboBox*>(GetDlgItem(IDC_FORMAT_COMBO));
    Fill_Format_List(format, true);

    {
        Doc_Lock lock;
        Option.Read_Dwg_Setting();
    }
    Saved_Cur_Option = g_Cur_Plot_Option;
    Holds_Cur_Option = true;
    g_Cur_Plot_Option = &Option;

    int default_index = 0;
    Fill_Style_List(static_cast<CComboBox*>(GetDlgItem(IDC_STYLE_COMBO)), default_index);
    Style_Index = Previous_Style_Index = default_index + 1;

    Format_Index = Option.Output_Type;
    Scale = Option.Scale;
    Auto_Scale = Option.Auto_Scale;
    Print_Sign = Option.Print_Sign;
    Ask_Name = g_Plot_Config.Ask_File_Name;
    Dwg_Block = g_Plot_Config.Dwg_As_Block;
    Fill_Margin_List(static_cast<CComboBox*>(GetDlgItem(IDC_MARGIN_COMBO)), Margin_Index, Option.Margin,
                     Option.Unequal_Margin);
    UpdateData(FALSE);
    Apply_Format_Rules();
    return TRUE;
}

void Dlg_SinglePlot_Setting::Apply_Format_Rules()
{
    auto* format = static_cast<CComboBox*>(GetDlgItem(IDC_FORMAT_COMBO));
    Format_Index = format->GetCurSel();
    const bool dwg = Format_Index == Dwg_Type;
    for (int id : {IDC_LABEL_2, IDC_MARGIN_COMBO, IDC_STYLE_COMBO, IDC_SCALE_EDIT, IDC_SIGN_CHECK, IDC_LABEL_1,
                   IDC_LABEL_881, IDC_LABEL_3, IDC_STYLE_EDIT_BUTTON})
        GetDlgItem(id)->EnableWindow(!dwg);
    GetDlgItem(IDC_SIGN_CHECK)->ShowWindow(dwg ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_DWG_BLOCK_CHECK)->ShowWindow(dwg ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_ASK_NAME_CHECK)->EnableWindow(dwg || (Format_Index != 4 && Format_Index != 5));
    if (dwg) {
        CString text;
        GetDlgItemText(IDC_SCALE_EDIT, text);
        if (std::wcstod(text.GetString(), nullptr) <= 0.0) {
            Scale = 1.0;
            SetDlgItemText(IDC_SCALE_EDIT, L"1");
        }
    }
    GetDlgItem(IDC_SWATCH)->ShowWindow(Swatch_Shown() ? SW_SHOW : SW_HIDE);
    Invalidate();
}

bool Dlg_SinglePlot_Setting::Swatch_Shown() const { return Is_Image_Type(Format_Index); }

CRect Dlg_SinglePlot_Setting::Swatch_Rect() { return Control_Client_Rect(this, IDC_SWATCH); }

void Dlg_SinglePlot_Setting::On_Format_Change() { Apply_Format_Rules(); }

void Dlg_SinglePlot_Setting::On_Style_Change()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_STYLE_COMBO));
    int index = combo->GetCurSel();
    if (index == 0) {
        int chosen = 0;
        Choose_Default_Style(chosen, Previous_Style_Index - 1);
        index = chosen + 1;
        combo->SetCurSel(index);
    }
    Style_Index = Previous_Style_Index = index;
}

void Dlg_SinglePlot_Setting::On_Style_Edit()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_STYLE_COMBO));
    const int index = combo->GetCurSel();
    CString name;
    if (index >= 0) combo->GetLBText(index, name);
    int position = index - 1;
    Edit_Plot_Style(this, name, combo, position);
    combo->SetCurSel(position + 1);
    Style_Index = Previous_Style_Index = position + 1;
}

void Dlg_SinglePlot_Setting::On_Margin_Change()
{
    g_Margin_Combo_Idle = false;
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_MARGIN_COMBO));
    const int selected = combo->GetCurSel();
    if (selected == 0) {
        Edit_Unequal_Margins(this, Option);
    } else if (selected != Margin_Index) {
        Parse_Margin_Combo(combo, Option.Margin, Option.Unequal_Margin, true);
    }
    Margin_Index = selected;
    g_Margin_Combo_Idle = true;
}

void Dlg_SinglePlot_Setting::On_Margin_Leave()
{
    if (!g_Margin_Combo_Idle) return;
    Reparse_Margin_Combo(static_cast<CComboBox*>(GetDlgItem(IDC_MARGIN_COMBO)), Margin_Index, Option.Margin,
                         Option.Unequal_Margin);
}

void Dlg_SinglePlot_Setting::On_Auto_Scale()
{
    Auto_Scale = IsDlgButtonChecked(IDC_AUTO_SCALE_CHECK) ? 1 : 0;
    GetDlgItem(IDC_SCALE_EDIT)->EnableWindow(Auto_Scale == 0);
}

void Dlg_SinglePlot_Setting::OnMouseMove(UINT flags, CPoint point)
{
    const bool hover = Swatch_Shown() && Swatch_Rect().PtInRect(point);
    if (hover != g_Single_Swatch_Hover) {
        g_Single_Swatch_Hover = hover;
        InvalidateRect(Swatch_Rect());
    }
    CDialog::OnMouseMove(flags, point);
}

void Dlg_SinglePlot_Setting::OnLButtonDown(UINT flags, CPoint point)
{
    if (Swatch_Shown() && Swatch_Rect().PtInRect(point)) Pick_Background_Color();
    CDialog::OnLButtonDown(flags, point);
}

void Dlg_SinglePlot_Setting::Pick_Background_Color()
{
    if (!Swatch_Shown()) return;
    CColorDialog dialog(RGB(0, 0, 0), 0, this);
    if (dialog.DoModal() != IDOK) return;
    const COLORREF color = dialog.GetColor();
    Option.Back_Red = GetRValue(color);
    Option.Back_Green = GetGValue(color);
    Option.Back_Blue = GetBValue(color);
    InvalidateRect(Swatch_Rect());
}

void Dlg_SinglePlot_Setting::OnPaint()
{
    CPaintDC dc(this);
    if (Swatch_Shown())
        Paint_Color_Swatch(dc, Swatch_Rect(), Option.Back_Red, Option.Back_Green, Option.Back_Blue,
                           g_Single_Swatch_Hover, this);
}

void Dlg_SinglePlot_Setting::OnOK() { Close_And_Store(); }

void Dlg_SinglePlot_Setting::OnCancel() { Close_And_Store(); }

void Dlg_SinglePlot_Setting::Close_And_Store()
{
    if (!UpdateData(TRUE)) return;
    if (Scale <= 0.0 && Auto_Scale == 0) {
        Refuse_Field(this, L"打印比例应大于 0 !", IDC_SCALE_EDIT, 20);
        return;
    }
    auto* styles = static_cast<CComboBox*>(GetDlgItem(IDC_STYLE_COMBO));
    if (Style_Index > 0 && Style_Index < styles->GetCount()) {
        CString name;
        styles->GetLBText(Style_Index, name);
        Trim_Left_Blanks(name);
        g_Plot_Config.Last_Style = name;
        Option.Style_Name = name;
    }
    g_Plot_Style_Index = Style_Index - 1;
    g_Plot_Config.Ask_File_Name = Ask_Name;
    g_Plot_Config.Dwg_As_Block = Dwg_Block;
    Option.Print_Sign = Print_Sign;
    Option.Output_Type = Format_Index;
    if (!Auto_Scale) Option.Scale = Scale;
    Option.Auto_Scale = Auto_Scale;
    Doc_Lock lock;
    Option.Write_Dwg_Setting();
    EndDialog(IDOK);
    g_Cur_Plot_Option = Saved_Cur_Option;
    Holds_Cur_Option = false;
}
