#include "dialogs/dlg_bplot3.h"

#include "core/doc_lock.h"
#include "core/plot_config.h"
#include "dialogs/result_windows.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/result_window_parts.h"
#include "dialogs/stored_frame_rows.h"
#include "plot/batch_run.h"
#include "res/resource.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "win/win_msgbox.h"

namespace {

const wchar_t* const Paper_Column_Headers[] = {L"序 号", L" 预 览 ", L" 打印份数 ", L" 删 除 ",
                                         L" 纸 张 ", L" 图面尺寸 ", L" 备 注 "};
constexpr int Column_Count = 7;

void Set_Columns(ZcArray<int>& array, std::initializer_list<int> values)
{
    array.setLogicalLength(0);
    for (int value : values) array.append(value);
}

// The plug-in's own devices plot only to files ("K_PLT.pc5" passes for a printer by its name).
void Drop_File_Devices(CStringArray& printers)
{
    for (INT_PTR i = printers.GetSize() - 1; i >= 0; --i)
        for (int output_type = 0; output_type <= 5; ++output_type)
            if (printers[i].CompareNoCase(Get_Pc5_File_Name(output_type)) == 0) {
                printers.RemoveAt(i);
                break;
            }
}

int Find_No_Case(const CStringArray& list, const CString& name)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i].CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_BPlot3, CZcUiDialog)
    ON_MESSAGE(WM_ZC_KEEP_FOCUS, Dlg_BPlot3::On_Keep_Focus)
    ON_BN_CLICKED(IDC_BP3_EDIT_STYLE, Dlg_BPlot3::On_Edit_Style)
    ON_BN_CLICKED(IDC_BP3_FILTER, Dlg_BPlot3::On_Filter)
    ON_BN_CLICKED(IDC_BP3_SORT, Dlg_BPlot3::On_Sort)
    ON_BN_CLICKED(IDC_BP3_INTERRUPT, Dlg_BPlot3::On_Interrupt)
    ON_BN_CLICKED(IDC_BP3_TO_PAPER, Dlg_BPlot3::On_Output_Mode)
    ON_BN_CLICKED(IDC_BP3_TO_PLT, Dlg_BPlot3::On_Output_Mode)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BP3_LIST, Dlg_BPlot3::On_Selection_Changed)
    ON_NOTIFY(NM_CLICK, IDC_BP3_LIST, Dlg_BPlot3::On_List_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_BP3_LIST, Dlg_BPlot3::On_Column_Click)
    ON_NOTIFY(NM_RCLICK, IDC_BP3_LIST, Dlg_BPlot3::On_List_Right_Click)
    ON_CBN_SELCHANGE(IDC_BP3_DEVICE_COMBO, Dlg_BPlot3::On_Device_Changed)
    ON_CBN_SELCHANGE(IDC_BP3_STYLE_COMBO, Dlg_BPlot3::On_Style_Changed)
    ON_CBN_DROPDOWN(IDC_BP3_STYLE_COMBO, Dlg_BPlot3::On_Style_Dropdown)
    ON_COMMAND(ID_BP3_COUNT_PAPERS, Dlg_BPlot3::On_Count_Papers)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

Dlg_BPlot3::Dlg_BPlot3(CWnd* parent)
    : Result_Dialog(IDD_DLG_BPLOT3, parent,
                    {IDC_BP3_LIST, IDC_BP3_STYLE_COMBO, IDC_BP3_PROGRESS, IDC_BP3_INTERRUPT, IDC_BP3_EDIT_STYLE},
                    {IDC_BP3_FILTER, IDC_BP3_SORT, IDOK, IDCANCEL})
{
    Frame_Infor.Sheet_Set = &Sheet_Set;
}

Dlg_BPlot3::~Dlg_BPlot3()
{
    // The pointers into this window end with it.
    Forget_Pointer(g_Sheet_Set, &Sheet_Set);
    Forget_Pointer(g_Dlg_BPlot3, this);
}

void Dlg_BPlot3::DoDataExchange(CDataExchange* exchange)
{
    Result_Dialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_BP3_DEVICE_COMBO, Device_Combo);
    DDX_Control(exchange, IDC_BP3_SORT, Sort_Button);
    DDX_Control(exchange, IDC_BP3_FILTER, Filter_Button);
    DDX_CBIndex(exchange, IDC_BP3_DEVICE_COMBO, Device_Index);
    DDX_Radio(exchange, IDC_BP3_TO_PAPER, Output_Mode);
    DDX_Check(exchange, IDC_BP3_AUTO_ROTATE, Auto_Rotate);
    DDX_Check(exchange, IDC_BP3_COLLATE, Collate);
    DDX_Check(exchange, IDC_BP3_SIGN_CHECK, Print_Sign);
}

BOOL Dlg_BPlot3::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Up_Buttons({&Sort_Button, &Filter_Button});
    List.Sheet_Set = &Sheet_Set;
    Set_Up_List(Paper_Column_Headers, Column_Count);

    Device_Name = Options.Device_Name;
    Print_Sign = Options.Print_Sign;
    Output_Mode = Options.Plt_Output;
    Auto_Rotate = Options.Auto_Rotate;
    Collate = Options.Collate;
    UpdateData(FALSE);
    return TRUE;
}

void Dlg_BPlot3::Store_Controls()
{
    Read_Controls();
    Options.Device_Name = Device_Name;
    Options.Print_Sign = Print_Sign;
    Options.Plt_Output = Output_Mode;
    Options.Auto_Rotate = Auto_Rotate;
    Options.Collate = Collate;
}

Plot_Drawing1* Dlg_BPlot3::Row_Sheet(int row) const { return Sheet_At(Sheet_Set, row); }

void Dlg_BPlot3::Fill_On_Open()
{
    Fill_Printer_Combo(true);
    Fill_Style_Combo();
    Fill_Sheet_List(true);
    Set_Active_Columns();
    Apply_Saved_Papers();
}

// ---- printer and media ----

CString Dlg_BPlot3::Get_Display_Media(const CString& canonical_name) const
{
    const int index = Find_No_Case(Canonical_Media, canonical_name);
    return index >= 0 && index < Display_Media.GetSize() ? Display_Media[index] : CString();
}

CString Dlg_BPlot3::Get_Canonical_Media(const CString& display_name) const
{
    const int index = Find_No_Case(Display_Media, display_name);
    return index >= 0 && index < Canonical_Media.GetSize() ? Canonical_Media[index] : CString();
}

void Dlg_BPlot3::Fill_Printer_Combo(bool refill)
{
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        CStringArray printers;
        plot_set.Get_Printer_List(printers);
        Drop_File_Devices(printers);
        if (refill) {
            Device_Combo.ResetContent();
            for (INT_PTR i = 0; i < printers.GetSize(); ++i) Device_Combo.AddString(printers[i]);
            Device_Index = Find_No_Case(printers, Device_Name);
            if (Device_Index < 0) {
                Device_Index = Find_No_Case(printers, plot_set.Device_Name);
                if (Device_Index >= 0)
                    Device_Name = plot_set.Device_Name;
            }
            if (Device_Index < 0 && printers.GetSize() > 0)
                Device_Index = 0;
            Device_Combo.SetCurSel(Device_Index);
        }
        Display_Media.RemoveAll();
        Canonical_Media.RemoveAll();
        if (Device_Index >= 0 && Device_Index < printers.GetSize()) {
            Device_Name = printers[Device_Index];
            plot_set.Set_Device(Device_Name);
            Display_Media.Copy(plot_set.Media_Display_Names);
            Canonical_Media.Copy(plot_set.Media_Canonical_Names);
        } else {
            // No printer: no device and no media to send anything to.
            Device_Index = -1;
            Device_Name.Empty();
        }
    }
    Refresh_Copies_And_Papers(true);
    Enable_Print();
    if (refill && !Has_Device())
        Report_No_Printer();
}

void Dlg_BPlot3::Report_No_Printer()
{
    MessageBoxW(GetSafeHwnd(), L"本机没有可用的打印机，无法打印到纸张 !\n\n请先安装打印机。", L"Korvel打印",
                MB_OK | MB_ICONINFORMATION);
}

void Dlg_BPlot3::On_Device_Changed()
{
    const CString before = Device_Name;
    Read_Controls();
    CString text;
    if (Device_Index >= 0)
        Device_Combo.GetLBText(Device_Index, text);
    if (text.CompareNoCase(before) != 0)
        Fill_Printer_Combo(false);
}

void Dlg_BPlot3::Refresh_Copies_And_Papers(bool reset)
{
    if (reset) {
        CString paper;
        if (Canonical_Media.GetSize() > 0) {
            paper = Canonical_Media[0];
            const int remembered = Find_No_Case(Canonical_Media, g_Plot_Config.Get_Value(Device_Name));
            if (remembered >= 0)
                paper = Canonical_Media[remembered];
        }
        for (INT_PTR i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) Sheet_Set.Plot_List[i]->Paper_Name = paper;
    }
    for (int row = 0; row < List.GetItemCount(); ++row) Show_Row_Copies_And_Paper(row);
    Fit_List_Column(&List, Col3_Copies, this);
    Fit_List_Column(&List, Col3_Paper, this);
}

void Dlg_BPlot3::Show_Row_Copies_And_Paper(int row)
{
    const Plot_Drawing1* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return;
    CString copies;
    copies.Format(L"%d", sheet->Copies);
    List.SetItemText(row, Col3_Copies, copies);
    List.SetItemText(row, Col3_Paper, Get_Display_Media(sheet->Paper_Name));
}

// ---- the list ----

void Dlg_BPlot3::Fill_Sheet_List(bool sort)
{
    Clear_Sheet_List(List);
    if (sort)
        Sheet_Set.Sort_Sheets(Options.Sort_Type);
    {
        Doc_Lock lock;
        for (int i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
            Plot_Drawing1* sheet = Sheet_Set.Plot_List[i];
            sheet->Set_Marker(i + 1, -1);
            Insert_Numbered_Row(List, i);
            List.SetItemText(i, Col3_Eye, L"EYE");
            List.SetItemText(i, Col3_Copies, L"");
            List.SetItemText(i, Col3_Del, L"DEL");
            List.SetItemText(i, Col3_Paper, L"");
            List.SetItemText(i, Col3_Size, Drawing_Size_Text(sheet->Width, sheet->Height));
            List.SetItemText(i, Col3_Remark, L"");
        }
    }
    Enable_Print();
    Refresh_Copies_And_Papers(false);
    Fit_List_Columns(&List, this);
}

void Dlg_BPlot3::Enable_Print()
{
    // Nothing to print without rows, and nowhere to print without a printer.
    if (CWnd* print = GetDlgItem(IDOK))
        print->EnableWindow(List.GetItemCount() > 0 && Has_Device());
}

void Dlg_BPlot3::Set_Active_Columns()
{
    if (Output_Mode == 0) {
        Set_Columns(List.Hover_Columns, {Col3_Eye, Col3_Copies, Col3_Del, Col3_Paper});
        Set_Columns(List.Group_Columns, {Col3_Copies, Col3_Del, Col3_Paper});
        Set_Columns(List.Grey_Columns, {});
    } else {
        Set_Columns(List.Hover_Columns, {Col3_Eye, Col3_Del, Col3_Paper});
        Set_Columns(List.Group_Columns, {Col3_Del, Col3_Paper});
        Set_Columns(List.Grey_Columns, {Col3_Copies});
    }
    Fit_List_Column(&List, Col3_Copies, this);
    GetDlgItem(IDC_BP3_COLLATE)->EnableWindow(Output_Mode == 0);
    List.Invalidate();
}

void Dlg_BPlot3::On_Output_Mode()
{
    Read_Controls();
    Set_Active_Columns();
}

void Dlg_BPlot3::Apply_Saved_Papers()
{
    if (!Read_Paper_Infor(Frame_Infor))
        return;
    Stored_Frame_Rows stored(Frame_Infor);
    for (int row = 0; row < List.GetItemCount(); ++row) {
        Plot_Drawing1* sheet = Row_Sheet(row);
        const int index = sheet != nullptr ? stored.Take(*sheet) : -1;
        if (index < 0)
            continue;
        if (index < Frame_Infor.Copies.length())
            sheet->Copies = Frame_Infor.Copies[index];
        // A paper the printer does not have leaves the row's paper.
        const int media =
            index < Frame_Infor.Names.GetSize() ? Find_No_Case(Canonical_Media, Frame_Infor.Names[index]) : -1;
        if (media >= 0)
            sheet->Paper_Name = Canonical_Media[media];
        Show_Row_Copies_And_Paper(row);
    }
    Fit_List_Column(&List, Col3_Copies, this);
    Fit_List_Column(&List, Col3_Paper, this);
}

// ---- closing ----

void Dlg_BPlot3::Erase_Markers() { Erase_Sheet_Markers(Sheet_Set); }

void Dlg_BPlot3::Release_Devices()
{
    Display_Media.RemoveAll();
    Canonical_Media.RemoveAll();
}

void Dlg_BPlot3::OnMouseMove(UINT flags, CPoint point)
{
    CZcUiDialog::OnMouseMove(flags, point);
    Check_Button_Hover();
}
