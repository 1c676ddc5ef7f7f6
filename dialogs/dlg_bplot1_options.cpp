// The batch plot to files window's own output options: the device files, the signature
// check's place, the paper remarks by format, the path link and the background swatch.
#include "core/file_dialogs.h"
#include "core/program_folders.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/color_swatch.h"
#include "dialogs/dlg_bplot1.h"
#include "res/resource.h"
#include "mfc/afxdlgs.h"
#include "sheets/paper_table.h"
#include "sheets/plot_styles.h"
#include "ui/link_label.h"

namespace {

constexpr int Folder_Mode_Other = 2;

CRect Control_Rect(CWnd* dialog, int id)
{
    CRect rect;
    dialog->GetDlgItem(id)->GetWindowRect(&rect);
    dialog->ScreenToClient(&rect);
    return rect;
}

}  // namespace

bool g_Path_Hover = false;
bool g_Swatch_Hover = false;

void Dlg_BPlot1::Rewrite_Device_Files()
{
    Sheet_Set.Assign_Papers(Options.Scale, false, false);
}

void Dlg_BPlot1::Show_Type_Controls(int type)
{
    GetDlgItem(IDC_BP1_SIGN_CHECK)->ShowWindow(type == Output_Dwg ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_BP1_MERGE_PDF)->MoveWindow(&Merge_Box_Rect);
    const bool sign_up = type == Output_Dwf || type == Output_Plt || type == Output_Svg;
    GetDlgItem(IDC_BP1_SIGN_CHECK)->MoveWindow(sign_up ? &Merge_Box_Rect : &Sign_Box_Rect);
}

void Dlg_BPlot1::On_Format_Rows()
{
    for (int row = 0; row < List.GetItemCount(); ++row) {
        const Plot_Drawing1* sheet = Row_Sheet(row);
        const MyPaper* paper = sheet != nullptr ? Find_Paper_By_Name(Sheet_Set.Paper_List, sheet->Paper_Name) : nullptr;
        if (paper != nullptr) {
            List.SetItemText(row, Col_Remark, Paper_Size_Remark(row, *paper));
        } else {
            List.SetItemText(row, Col_Remark, L"");
            List.Remove_Mark_Cell(row, Col_Remark);
            List.Remove_Mark_Cell(row, Col_Paper);
        }
    }
    Fit_List_Column(&List, Col_Remark, this);
}

void Dlg_BPlot1::On_Path_Click()
{
    Read_Controls();
    if (Folder_Mode_Index != Folder_Mode_Other)
        return;
    CString folder = Options.Folder;
    if (!Browse_Folder(GetSafeHwnd(), L"请选择放置打印文件的目录：", folder))
        return;
    Trim_Backslash(folder);
    Options.Folder = folder;
    Path_Text = folder;
    SetDlgItemText(IDC_BP1_PATH, Path_Text);
}

bool Dlg_BPlot1::Swatch_Shown() const { return Options.Output_Type == Output_Jpg || Options.Output_Type == Output_Png; }

void Dlg_BPlot1::OnLButtonDown(UINT flags, CPoint point)
{
    CZcUiDialog::OnLButtonDown(flags, point);
    if (Control_Rect(this, IDC_BP1_PATH).PtInRect(point)) {
        On_Path_Click();
        return;
    }
    if (Control_Rect(this, IDC_BP1_SWATCH).PtInRect(point))
        On_Swatch_Click();
}

void Dlg_BPlot1::On_Swatch_Click()
{
    if (!Swatch_Shown())
        return;
    CColorDialog dialog(RGB(Options.Back_Red, Options.Back_Green, Options.Back_Blue), CC_FULLOPEN, this);
    if (dialog.DoModal() != IDOK)
        return;
    const COLORREF color = dialog.GetColor();
    Options.Back_Red = GetRValue(color);
    Options.Back_Green = GetGValue(color);
    Options.Back_Blue = GetBValue(color);
    InvalidateRect(Control_Rect(this, IDC_BP1_SWATCH));
    Apply_Output_Format(true);
}

void Dlg_BPlot1::OnMouseMove(UINT flags, CPoint point)
{
    CZcUiDialog::OnMouseMove(flags, point);
    Check_Button_Hover();
    const bool path_hover = Folder_Mode_Combo.GetCurSel() == Folder_Mode_Other &&
                            Control_Rect(this, IDC_BP1_PATH).PtInRect(point);
    if (path_hover != g_Path_Hover) {
        g_Path_Hover = path_hover;
        GetDlgItem(IDC_BP1_PATH)->Invalidate();
    }
    const bool swatch_hover = Swatch_Shown() && Control_Rect(this, IDC_BP1_SWATCH).PtInRect(point);
    if (swatch_hover != g_Swatch_Hover) {
        g_Swatch_Hover = swatch_hover;
        InvalidateRect(Control_Rect(this, IDC_BP1_SWATCH));
    }
}

HBRUSH Dlg_BPlot1::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiDialog::OnCtlColor(dc, window, control_type);
    if (window == nullptr || window->GetDlgCtrlID() != IDC_BP1_PATH || Folder_Mode_Combo.GetCurSel() != Folder_Mode_Other)
        return brush;
    Set_Link_Label_Look(dc, this, Path_Font, g_Path_Hover, RGB(0, 0, 200), RGB(0, 0, 255));
    return brush;
}

void Dlg_BPlot1::OnPaint()
{
    CPaintDC dc(this);
    if (Swatch_Shown())
        Paint_Color_Swatch(dc, Control_Rect(this, IDC_BP1_SWATCH), Options.Back_Red, Options.Back_Green,
                           Options.Back_Blue, g_Swatch_Hover, this);
}
