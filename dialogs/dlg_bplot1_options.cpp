// The output options of the batch plot to files window: plot style, margin, format,
// folder mode and path, and the merge, block and signature switches.
#include "core/file_dialogs.h"
#include "core/plot_config.h"
#include "core/program_folders.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/color_swatch.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/print_order_unequal_margins.h"
#include "plot/output_folders.h"
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

void Dlg_BPlot1::Init_Folder_Mode()
{
    Folder_Mode_Index = Options.Folder_Mode;
    Folder_Mode_Combo.SetCurSel(Folder_Mode_Index);
    Update_Output_Path();
}

void Dlg_BPlot1::Init_Output_Format()
{
    Format_Index = Options.Output_Type;
    Format_Combo.SetCurSel(Format_Index);
    Apply_Output_Format(false);
}

void Dlg_BPlot1::Fill_Margin_Combo()
{
    Fill_Margin_List(&Margin_Combo, Margin_Index, Options.Margin, Options.Unequal_Margin);
}

void Dlg_BPlot1::Rewrite_Device_Files()
{
    Sheet_Set.Assign_Papers(Options.Scale, false, false);
}

void Dlg_BPlot1::Update_Output_Path()
{
    Read_Controls();
    Path_Text = Get_Output_Folder(Folder_Mode_Index, Format_Index, Options.Folder, CString());
    SetDlgItemText(IDC_BP1_PATH, Path_Text);
}

void Dlg_BPlot1::Apply_Output_Format(bool rebuild)
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    if (rebuild)
        Rewrite_Device_Files();

    if (Folder_Mode_Combo.Name_Sub_Folder(Options.Output_Type) == 1)
        Update_Output_Path();

    const int type = Options.Output_Type;
    GetDlgItem(IDC_BP1_SWATCH)->ShowWindow(type == Output_Jpg || type == Output_Png ? SW_SHOW : SW_HIDE);
    const bool dwg = type == Output_Dwg;
    for (int id : {IDC_BP1_MARGIN_LABEL, IDC_BP1_MARGIN_COMBO, IDC_BP1_STYLE_LABEL, IDC_BP1_STYLE_COMBO,
                   IDC_BP1_EDIT_STYLE})
        GetDlgItem(id)->EnableWindow(!dwg);
    GetDlgItem(IDC_BP1_SIGN_CHECK)->ShowWindow(dwg ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_BP1_DWG_BLOCK)->ShowWindow(dwg ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_BP1_MERGE_PDF)->ShowWindow(type == Output_Pdf ? SW_SHOW : SW_HIDE);

    GetDlgItem(IDC_BP1_MERGE_PDF)->MoveWindow(&Merge_Box_Rect);
    const bool sign_up = type == Output_Dwf || type == Output_Plt || type == Output_Svg;
    GetDlgItem(IDC_BP1_SIGN_CHECK)->MoveWindow(sign_up ? &Merge_Box_Rect : &Sign_Box_Rect);
}

void Dlg_BPlot1::On_Format_Changed()
{
    Read_Controls();
    if (Format_Index < 0 || Format_Index == Options.Output_Type)
        return;
    const bool was_dwg = Dwg_Output();
    Apply_Output_Format(true);
    if (was_dwg != Dwg_Output())
        Set_Column_Classes();
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
    List.Invalidate();
}

void Dlg_BPlot1::On_Style_Changed()
{
    const int previous = Style_Index;
    Read_Controls();
    Apply_Style_Selection(&Style_Combo, Style_Index, previous);
}

void Dlg_BPlot1::On_Margin_Changed()
{
    g_Margin_Combo_Idle = false;
    const int selection = Margin_Combo.GetCurSel();
    if (selection > 0 && selection != Margin_Index) {
        Margin_Index = selection;
        int margin = Options.Margin, unequal = Options.Unequal_Margin;
        Parse_Margin_Combo(&Margin_Combo, margin, unequal, true);
        Options.Margin = margin;
        Options.Unequal_Margin = unequal;
        Reassign_Papers();
    } else if (selection == 0) {
        Margin_Index = 0;
        Dlg_Unequal_Edge dialog(this);
        dialog.Mode = Options.Unequal_Mode;
        int* fields[8] = {&Options.Land_Top, &Options.Land_Bottom, &Options.Land_Left, &Options.Land_Right,
                          &Options.Port_Top, &Options.Port_Bottom, &Options.Port_Left, &Options.Port_Right};
        for (int k = 0; k < 8; ++k) dialog.Margins[k] = *fields[k];
        const bool ok = dialog.DoModal() == IDOK;
        Options.Unequal_Margin = 1;
        if (ok) {
            Options.Unequal_Mode = dialog.Mode;
            for (int k = 0; k < 8; ++k) *fields[k] = dialog.Margins[k];
        }
        // The device files carry the margins; the sheets keep their papers.
        Rewrite_Device_Files();
    }
    g_Margin_Combo_Idle = true;
}

void Dlg_BPlot1::On_Margin_Edited()
{
    if (!g_Margin_Combo_Idle)
        return;
    int margin = Options.Margin, unequal = Options.Unequal_Margin;
    const bool changed = Reparse_Margin_Combo(&Margin_Combo, Margin_Index, margin, unequal);
    Options.Margin = margin;
    Options.Unequal_Margin = unequal;
    if (changed)
        Reassign_Papers();
}

void Dlg_BPlot1::On_Merge_Pdf()
{
    Read_Controls();
    g_Plot_Config.Merge_Pdf = Merge_Pdf;
}

void Dlg_BPlot1::On_Save_As_Block()
{
    Read_Controls();
    g_Plot_Config.Dwg_As_Block = Save_As_Block;
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
    for (Pic_Button* button : {&Print_Button, &Cancel_Button, &Name_Rule_Button, &Scale_Filter_Button, &Interrupt_Button})
        button->Check_Hover();
    Edit_Style_Button.Check_Hover();
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

void Dlg_BPlot1::On_Edit_Style() { Edit_Selected_Style(this, &Style_Combo, Style_Index); }
