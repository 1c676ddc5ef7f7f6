#include <algorithm>
#include <cmath>

#include "dialogs/dlg_tk_define.h"
#include "dialogs/dlg_tk_set.h"
#include "ed/editor.h"
#include "mfc/afxdc.h"
#include "ed/host_window.h"
#include "res/resource.h"
#include "titleblock/tk_catalogue.h"
#include "titleblock/tk_library.h"
#include "ui/dlg_options.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

// The index of a colour index in 1..255, of the layer colour for 256, of colour 7 otherwise.
COLORREF Caption_Color(const TK_Text_Settings& settings)
{
    const int index = settings.Text_Color >= 1 && settings.Text_Color <= 255 ? settings.Text_Color
                      : settings.Text_Color == 256                          ? settings.Layer_Color
                                                                            : 7;
    return zcedGetRGB(index);
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_TK_Define2, CZcUiTabChildDialog)
    ON_BN_CLICKED(IDC_TKD2_PICK_TEXT, Pick_Text_Settings)
    ON_BN_CLICKED(IDC_TKD2_ADD, Add_Column)
    ON_BN_CLICKED(IDC_TKD2_DELETE, Delete_Column)
    ON_BN_CLICKED(IDC_TKD2_BORDER, On_Border)
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_TK_Define2::Dlg_TK_Define2() = default;
Dlg_TK_Define2::~Dlg_TK_Define2() = default;

void Dlg_TK_Define2::DoDataExchange(CDataExchange* exchange)
{
    CZcUiTabChildDialog::DoDataExchange(exchange);
    DDX_Check(exchange, IDC_TKD2_BORDER, Border);
    DDX_Text(exchange, IDC_TKD2_COLOR_TEXT, Color_Text);
    DDX_Text(exchange, IDC_TKD2_SUMMARY, Summary);
}

BOOL Dlg_TK_Define2::OnInitDialog()
{
    CZcUiTabChildDialog::OnInitDialog();
    Setup_Picture_Button(this, Pick_Text_Button, IDC_TKD2_PICK_TEXT, IDI_PICK_TEXT_HOVER, IDI_PICK_TEXT_IDLE, 16);
    Setup_Picture_Button(this, Add_Column_Button, IDC_TKD2_ADD, IDI_ADD_COLUMN_HOVER, IDI_ADD_COLUMN_IDLE, 16);
    Setup_Picture_Button(this, Delete_Column_Button, IDC_TKD2_DELETE, IDI_DELETE_COLUMN_HOVER,
                         IDI_DELETE_COLUMN_IDLE, 16);
    Border = g_TK_Library.Cat_Border;
    UpdateData(FALSE);
    Refresh_Text_Summary();
    Refresh_Preview();
    return TRUE;
}

void Dlg_TK_Define2::Add_Column()
{
    TK_Library& library = g_TK_Library;
    CArray<int, int> candidates;
    for (int kind = 0; kind < Catalogue_Kind_Count; ++kind) {
        bool present = false;
        for (int j = 0; j < library.Cat_Col_Kinds.GetSize(); ++j) present = present || library.Cat_Col_Kinds[j] == kind;
        if (!present) candidates.Add(kind);
    }
    if (candidates.GetSize() == 0) {
        MessageBoxW(adsw_zcadMainWnd(), L"所有信息均已加入目录列表 !", L"Korvel", MB_OK | MB_ICONINFORMATION);
        return;
    }
    Dlg_Options picker(this);
    picker.Title = L"选择要添加的列";
    picker.Item_Width = 150;
    for (int i = 0; i < candidates.GetSize(); ++i) picker.Items.Add(Catalogue_Kind_Name(candidates[i]));
    picker.Choice = 0;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= candidates.GetSize())
        return;
    CWnd* frame = GetParent();
    frame->SendMessage(WM_TK_HIDE_FOR_PICK);
    ZcDbExtents box;
    const bool picked = Pick_Range(box, ZcGePoint3d(0, 0, 0));
    frame->SendMessage(WM_TK_SHOW_AFTER_PICK);
    if (!picked)
        return;
    library.Cat_Col_Kinds.Add(candidates[picker.Choice]);
    library.Cat_Col_Widths.Add(box.maxPoint().x - box.minPoint().x);
    library.Cat_Row_Height = box.maxPoint().y - box.minPoint().y;
    Refresh_Preview();
}

void Dlg_TK_Define2::Delete_Column()
{
    TK_Library& library = g_TK_Library;
    if (library.Cat_Col_Kinds.GetSize() == 0) {
        MessageBoxW(adsw_zcadMainWnd(), L"列表为空，无列可删除 !", L"Korvel", MB_OK | MB_ICONINFORMATION);
        return;
    }
    Dlg_Options picker(this);
    picker.Title = L"选择要删除的列";
    picker.Item_Width = 150;
    for (int j = 0; j < library.Cat_Col_Kinds.GetSize(); ++j) picker.Items.Add(Catalogue_Kind_Name(library.Cat_Col_Kinds[j]));
    picker.Choice = 0;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= library.Cat_Col_Kinds.GetSize())
        return;
    library.Cat_Col_Kinds.RemoveAt(picker.Choice);
    if (picker.Choice < library.Cat_Col_Widths.GetSize()) library.Cat_Col_Widths.RemoveAt(picker.Choice);
    Refresh_Preview();
}

void Dlg_TK_Define2::Pick_Text_Settings()
{
    CWnd* frame = GetParent();
    frame->SendMessage(WM_TK_HIDE_FOR_PICK);
    const bool picked = Pick_Catalogue_Text(g_TK_Library.Text_Settings);
    frame->SendMessage(WM_TK_SHOW_AFTER_PICK);
    if (!picked)
        return;
    Refresh_Text_Summary();
    Refresh_Preview();
}

void Dlg_TK_Define2::On_Border()
{
    Border = IsDlgButtonChecked(IDC_TKD2_BORDER) ? 1 : 0;
    Refresh_Preview();
}

bool Dlg_TK_Define2::Check_Catalogue_Settings()
{
    const TK_Library& library = g_TK_Library;
    if (library.Cat_Col_Kinds.GetSize() == 0)
        return true;
    const double row = library.Cat_Row_Height;
    const double text = library.Text_Settings.Text_Height;
    if (row <= 0) {
        MessageBoxW(adsw_zcadMainWnd(), L"点取的目录行高小于等于 0 ，有误 !", L"Korvel", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    if (text <= 0) {
        MessageBoxW(adsw_zcadMainWnd(), L"选择的字符高度小于等于 0 ，有误 !", L"Korvel", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    const double ratio = row / text;
    CString question;
    if (ratio < 1)
        question.Format(L"目录行高 %.1f 小于字符高度 %.1f\n\n是否确认 ？", row, text);
    else if (ratio > 5)
        question.Format(L"目录行高 %.1f ，字符高度 %.1f\n\n两者相差过大，是否确认 ？", row, text);
    else
        return true;
    return MessageBoxW(adsw_zcadMainWnd(), question, L"Korvel", MB_YESNO) == IDYES;
}

void Dlg_TK_Define2::Refresh_Text_Summary()
{
    const TK_Text_Settings& settings = g_TK_Library.Text_Settings;
    const bool named = settings.Text_Color == 256 || settings.Text_Color == 0;
    Color_Text = settings.Text_Color == 0 ? L"ByBlock" : L"ByLayer";
    if (CWnd* readout = GetDlgItem(IDC_TKD2_COLOR_TEXT)) readout->ShowWindow(named ? SW_SHOW : SW_HIDE);
    if (CWnd* swatch = GetDlgItem(IDC_TKD2_SWATCH)) swatch->ShowWindow(named ? SW_HIDE : SW_SHOW);
    const double h = settings.Text_Height;
    if (h > 100)
        Summary.Format(L"字型：%s     字高：%d     图层：%s", settings.Style_Name.GetString(), static_cast<int>(h),
                       settings.Layer_Name.GetString());
    else if (h > 10)
        Summary.Format(L"字型：%s     字高：%.1f     图层：%s", settings.Style_Name.GetString(), h,
                       settings.Layer_Name.GetString());
    else
        Summary.Format(L"字型：%s     字高：%.2f     图层：%s", settings.Style_Name.GetString(), h,
                       settings.Layer_Name.GetString());
    SetDlgItemText(IDC_TKD2_COLOR_TEXT, Color_Text);
    SetDlgItemText(IDC_TKD2_SUMMARY, Summary);
    if (CWnd* swatch = GetDlgItem(IDC_TKD2_SWATCH)) swatch->Invalidate();
}

void Dlg_TK_Define2::Refresh_Preview()
{
    if (CWnd* button = GetDlgItem(IDC_TKD2_DELETE)) button->EnableWindow(g_TK_Library.Cat_Col_Kinds.GetSize() > 0);
    Invalidate();
}

void Dlg_TK_Define2::OnPaint()
{
    CPaintDC dc(this);
    const TK_Library& library = g_TK_Library;
    const TK_Text_Settings& settings = library.Text_Settings;
    auto client_rect = [this](int id) {
        CRect rect;
        if (CWnd* control = GetDlgItem(id)) {
            control->GetWindowRect(&rect);
            ScreenToClient(&rect);
        }
        return rect;
    };
    if (settings.Text_Color >= 1 && settings.Text_Color <= 255)
        dc.FillSolidRect(client_rect(IDC_TKD2_SWATCH), zcedGetRGB(settings.Text_Color));
    CRect area = client_rect(IDC_TKD2_PREVIEW);
    dc.FillSolidRect(area, RGB(0, 0, 0));
    area.DeflateRect(10, 10);
    const double w = area.Width(), h = area.Height();
    double total = 0;
    for (int j = 0; j < library.Cat_Col_Widths.GetSize(); ++j) total += library.Cat_Col_Widths[j];
    const double k = std::min(h / std::max(library.Cat_Row_Height, 1e-5), w / std::max(total, 1e-5));
    double x = area.left + w / 2 - k * total / 2;
    const double rh = k * library.Cat_Row_Height;
    const double y0 = area.top + h / 2 - rh / 2;
    CPen pen(PS_SOLID, 1, Border != 0 ? RGB(255, 255, 255) : RGB(91, 91, 91));
    CPen* old_pen = dc.SelectObject(&pen);
    double f = rh * 0.25;
    if (f < 8) f = rh / 3;
    if (f < 6) f = rh * 0.5;
    CFont font;
    font.CreatePointFont(static_cast<int>(f * 10), L"宋体", &dc);
    CFont* old_font = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(Caption_Color(settings));
    for (int j = 0; j < library.Cat_Col_Widths.GetSize() && j < library.Cat_Col_Kinds.GetSize(); ++j) {
        const double cw = k * library.Cat_Col_Widths[j];
        CRect cell(static_cast<int>(x), static_cast<int>(y0), static_cast<int>(x + cw), static_cast<int>(y0 + rh));
        dc.MoveTo(cell.left, cell.top);
        dc.LineTo(cell.right, cell.top);
        dc.LineTo(cell.right, cell.bottom);
        dc.LineTo(cell.left, cell.bottom);
        dc.LineTo(cell.left, cell.top);
        dc.DrawText(Catalogue_Kind_Name(library.Cat_Col_Kinds[j]), -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        x += cw;
    }
    dc.SelectObject(old_font);
    dc.SelectObject(old_pen);
}

HBRUSH Dlg_TK_Define2::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiTabChildDialog::OnCtlColor(dc, window, control_type);
    if (window == nullptr) return brush;
    const int id = window->GetDlgCtrlID();
    if (id == IDC_TKD2_GROUP_1 || id == IDC_TKD2_GROUP_2) dc->SetTextColor(RGB(255, 0, 0));
    if (id == IDC_TKD2_NOTE) dc->SetTextColor(RGB(0, 0, 200));
    return brush;
}
