#include "dialogs/dlg_bplot2.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/doc_lock.h"
#include "core/extents_checks.h"
#include "core/plot_config.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/print_order_unequal_margins.h"
#include "dialogs/result_window_parts.h"
#include "plot/output_folders.h"
#include "res/resource.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "core/file_name_rules.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheet_order.h"
#include "ui/module_resources.h"
#include "ui/progress_window.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

const wchar_t* const Bplot2_Headers[] = {L"序 号", L"预 览", L"  文 件 名  ", L"删 除", L"纸 张",
                                         L"打印比例", L"图 号", L"版 次", L"日 期", L"备 注"};
constexpr int Bplot2_Column_Count = 10;

void Fill_Array(ZcArray<int>& array, std::initializer_list<int> values)
{
    array.setLogicalLength(0);
    for (int value : values) array.append(value);
}

// The title test of the remarks: a valid title range and "C" in the rule outside "CC".
bool Uses_Title_In_Name(const Plot_Drawing2& sheet)
{
    if (sheet.TK == nullptr || !Check_Extents(sheet.TK->Range_C))
        return false;
    CString rule = sheet.TK->Name_Rule;
    rule.Replace(L"CC", L"");
    return rule.Find(L'C') >= 0;
}

bool Share_Any_Line(const CStringArray& a, const CStringArray& b)
{
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        for (INT_PTR j = 0; j < b.GetSize(); ++j)
            if (a[i] == b[j])
                return true;
    return false;
}

}  // namespace

CString Shown_File_Name(const CString& file_name) { return Join_Line_Breaks(file_name); }

bool Name_Rule_Uses(const Plot_Drawing2& sheet, wchar_t letter)
{
    return sheet.TK != nullptr && sheet.TK->Name_Rule.Find(letter) >= 0;
}

double TK_Scale_From_Paper(const MyPaper& paper, const Plot_Drawing2& sheet)
{
    const double a = sheet.Portrait ? paper.Short_Side : paper.Long_Side;
    const double b = sheet.Portrait ? paper.Long_Side : paper.Short_Side;
    if (a <= 0.0 || b <= 0.0)
        return sheet.Plot_Scale;
    return std::max(sheet.Width / a, sheet.Height / b);
}

void Get_Title_Lines(const Plot_Drawing2& sheet, CStringArray& lines)
{
    lines.RemoveAll();
    CString title = sheet.Text[2];
    title.Trim(L' ');
    if (title.IsEmpty())
        return;
    int start = 0;
    const int marker_length = static_cast<int>(wcslen(Line_Break_Marker));
    for (;;) {
        const int at = title.Find(Line_Break_Marker, start);
        CString line = at < 0 ? title.Mid(start) : title.Mid(start, at - start);
        line.Trim(L' ');
        lines.Add(line);
        if (at < 0)
            break;
        start = at + marker_length;
    }
}

BEGIN_MESSAGE_MAP(Dlg_BPlot2, CZcUiDialog)
    ON_MESSAGE(WM_ZC_KEEP_FOCUS, Dlg_BPlot2::On_Keep_Focus)
    ON_NOTIFY(NM_CLICK, IDC_BP2_LIST, Dlg_BPlot2::On_List_Click)
    ON_NOTIFY(NM_RCLICK, IDC_BP2_LIST, Dlg_BPlot2::On_List_Right_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_BP2_LIST, Dlg_BPlot2::On_Column_Click)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BP2_LIST, Dlg_BPlot2::On_Selection_Changed)
    ON_BN_CLICKED(IDC_BP2_INTERRUPT, Dlg_BPlot2::On_Interrupt)
    ON_BN_CLICKED(IDC_BP2_NUMBER_ORDER, Dlg_BPlot2::On_Number_Order)
    ON_BN_CLICKED(IDC_BP2_CATALOGUE, Dlg_BPlot2::On_Catalogue)
    ON_BN_CLICKED(IDC_BP2_MERGE_PDF, Dlg_BPlot2::On_Merge_Clicked)
    ON_BN_CLICKED(IDC_BP2_DWG_BLOCK, Dlg_BPlot2::On_As_Block_Clicked)
    ON_CBN_SELCHANGE(IDC_BP2_FORMAT_COMBO, Dlg_BPlot2::On_Format_Changed)
    ON_CBN_SELCHANGE(IDC_BP2_STYLE_COMBO, Dlg_BPlot2::On_Style_Changed)
    ON_CBN_SELCHANGE(IDC_BP2_FOLDER_MODE_COMBO, Dlg_BPlot2::Update_Folder_Label)
    ON_CBN_SELCHANGE(IDC_BP2_MARGIN_COMBO, Dlg_BPlot2::On_Margin_Changed)
    ON_CBN_KILLFOCUS(IDC_BP2_MARGIN_COMBO, Dlg_BPlot2::On_Margin_Edited)
    ON_BN_CLICKED(IDC_BP2_EDIT_STYLE, Dlg_BPlot2::On_Edit_Style)
    ON_COMMAND_RANGE(ID_BP2_COUNT_A4, ID_BP2_COUNT_A0, Dlg_BPlot2::On_Statistics)
    ON_COMMAND(ID_BP2_FILE_LIST, Dlg_BPlot2::On_Export_File_List)
    ON_COMMAND(ID_BP2_CATALOGUE, Dlg_BPlot2::On_Export_Catalogue)
END_MESSAGE_MAP()

Dlg_BPlot2::Dlg_BPlot2(CWnd* parent)
    : Result_Dialog(IDD_DLG_BPLOT2, parent, {IDC_BP2_NUMBER_ORDER, IDC_BP2_CATALOGUE, IDOK, IDCANCEL})
{
}

Dlg_BPlot2::~Dlg_BPlot2()
{
    // The pointers into this window end with it.
    if (g_TK_Sheet_List == &Sheet_List)
        g_TK_Sheet_List = nullptr;
    if (g_Cur_Plot_Option == &Options)
        g_Cur_Plot_Option = nullptr;
    if (g_Dlg_BPlot2 == this)
        g_Dlg_BPlot2 = nullptr;
}

void Dlg_BPlot2::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_BP2_LIST, List);
    DDX_Control(exchange, IDC_BP2_STYLE_COMBO, Style_Combo);
    DDX_Control(exchange, IDC_BP2_FOLDER_MODE_COMBO, Folder_Mode_Combo);
    DDX_Control(exchange, IDC_BP2_FORMAT_COMBO, Format_Combo);
    DDX_Control(exchange, IDC_BP2_MARGIN_COMBO, Margin_Combo);
    DDX_Control(exchange, IDC_BP2_PROGRESS, Progress);
    DDX_Control(exchange, IDOK, Print_Button);
    DDX_Control(exchange, IDCANCEL, Cancel_Button);
    DDX_Control(exchange, IDC_BP2_NUMBER_ORDER, Number_Order_Button);
    DDX_Control(exchange, IDC_BP2_CATALOGUE, Catalogue_Button);
    DDX_Control(exchange, IDC_BP2_INTERRUPT, Interrupt_Button);
    DDX_Control(exchange, IDC_BP2_EDIT_STYLE, Edit_Style_Button);
    DDX_CBIndex(exchange, IDC_BP2_STYLE_COMBO, Style_Index);
    DDX_CBIndex(exchange, IDC_BP2_FORMAT_COMBO, Format_Index);
    DDX_CBIndex(exchange, IDC_BP2_FOLDER_MODE_COMBO, Folder_Mode_Index);
    DDX_Check(exchange, IDC_BP2_MERGE_PDF, Merge_Pdf);
    DDX_Check(exchange, IDC_BP2_DWG_BLOCK, Save_As_Block);
    DDX_Check(exchange, IDC_BP2_SIGN_CHECK, Print_Sign);
    DDX_Check(exchange, IDC_BP2_STAMP_CHECK, Print_Stamp);
    DDX_Text(exchange, IDC_BP2_PATH, Path_Text);
}

BOOL Dlg_BPlot2::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Module_Icon(this);

    Setup_Result_Button(Print_Button, IDI_OK_HOVER, IDI_OK_IDLE);
    Setup_Result_Button(Cancel_Button, IDI_CANCEL_HOVER, IDI_CANCEL_IDLE);
    for (Pic_Button* button : {&Number_Order_Button, &Catalogue_Button, &Interrupt_Button})
        Setup_Result_Button(*button, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    Edit_Style_Button.Set_Icon(IDI_EDIT_HOVER, IDI_EDIT_IDLE, 32);
    Edit_Style_Button.Set_Cursor(IDR_HAND_CURSOR);
    Edit_Style_Button.Set_No_Capture(true);
    Progress.Set_Font_From_Item(this, IDOK);

    List.TK_Sheets = &Sheet_List;
    Hook_Result_Windows();
    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < Bplot2_Column_Count; ++column)
        List.InsertColumn(column, Bplot2_Headers[column], column == Col2_Name ? LVCFMT_LEFT : LVCFMT_CENTER, 1);

    Fill_Format_List(&Format_Combo, true);
    Folder_Mode_Combo.Fill();
    Merge_Pdf = g_Plot_Config.Merge_Pdf;
    Save_As_Block = g_Plot_Config.Dwg_As_Block;
    Print_Sign = Options.Print_Sign;
    Print_Stamp = Options.Stamps_On;
    Format_Index = Options.Output_Type;
    UpdateData(FALSE);
    Fill_Margin_Combo();
    return TRUE;
}

LRESULT Dlg_BPlot2::On_Keep_Focus(WPARAM, LPARAM) { return 1; }

LRESULT Dlg_BPlot2::WindowProc(UINT message, WPARAM wparam, LPARAM lparam)
{
    Module_Resource_Scope resources;
    return CZcUiDialog::WindowProc(message, wparam, lparam);
}

void Dlg_BPlot2::Read_Controls()
{
    if (GetSafeHwnd() != nullptr)
        UpdateData(TRUE);
}

void Dlg_BPlot2::Store_Controls()
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    Options.Folder_Mode = Folder_Mode_Index;
    Options.Print_Sign = Print_Sign;
    Options.Stamps_On = Print_Stamp;
}

const ZcDbObjectId* Dlg_BPlot2::Row_Marker(int row) const
{
    const Plot_Drawing2* sheet = Row_Sheet(row);
    return sheet != nullptr ? &sheet->Marker_Id : nullptr;
}

Plot_Drawing2* Dlg_BPlot2::Row_Sheet(int row) const
{
    if (row < 0 || row >= Sheet_List.Sheets.GetSize())
        return nullptr;
    return Sheet_List.Sheets[row];
}

void Dlg_BPlot2::Fit_Columns(std::initializer_list<int> columns)
{
    for (int column : columns) Fit_List_Column(&List, column, this);
}

// ---- the list ----

void Dlg_BPlot2::Set_Column_Classes()
{
    if (Dwg_Output()) {
        Fill_Array(List.Hover_Columns, {Col2_Name, Col2_Del, Col2_Number, Col2_Revision, Col2_Date});
        Fill_Array(List.Group_Columns, {Col2_Del, Col2_Number, Col2_Revision, Col2_Date});
        Fill_Array(List.Grey_Columns, {Col2_Eye, Col2_Paper, Col2_Scale, Col2_Remark});
    } else {
        Fill_Array(List.Hover_Columns, {1, 2, 3, 4, 5, 6, 7, 8});
        Fill_Array(List.Group_Columns, {3, 4, 5, 6, 7, 8});
        Fill_Array(List.Grey_Columns, {});
    }
}

void Dlg_BPlot2::Fill_Sheet_List()
{
    List.DeleteAllItems();
    List.Mark_Rows.setLogicalLength(0);
    List.Mark_Columns.setLogicalLength(0);
    Set_Column_Classes();
    Sort_TK_Sheets(Sheet_List, Options.TK_Order != 0, Options.Sort_Type);
    {
        Doc_Lock lock;
        for (int i = 0; i < Sheet_List.Sheets.GetSize(); ++i) {
            Plot_Drawing2* sheet = Sheet_List.Sheets[i];
            sheet->Set_Marker(i + 1, -1);
            CString number;
            number.Format(L"%4d", i + 1);
            List.InsertItem(i, number);
            List.SetItemText(i, Col2_Eye, L"EYE");
            List.SetItemText(i, Col2_Del, L"DEL");
            List.SetItemText(i, Col2_Number, sheet->Text[0]);
            List.SetItemText(i, Col2_Revision, sheet->Text[1]);
            List.SetItemText(i, Col2_Date, sheet->Text[3]);
        }
    }
    GetDlgItem(IDOK)->EnableWindow(List.GetItemCount() > 0);
    Refresh_Papers(true);
    Rename_All_Sheets();
    Mark_Duplicate_Numbers();
    Mark_Title_Remarks();
    Fit_List_Columns(&List, this);
}

void Dlg_BPlot2::Show_Row(int row)
{
    Plot_Drawing2* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return;
    List.SetItemText(row, Col2_Name, L"  " + Shown_File_Name(sheet->File_Name));
    MyPaper paper(297, 210);
    if (sheet->Match_Paper(&paper))
        List.SetItemText(row, Col2_Paper, paper.Get_Display_Name(false, sheet->Portrait));
    List.SetItemText(row, Col2_Scale, Format_Scale_Text(sheet->Plot_Scale));
    List.SetItemText(row, Col2_Number, sheet->Text[0]);
    List.SetItemText(row, Col2_Revision, sheet->Text[1]);
    List.SetItemText(row, Col2_Date, sheet->Text[3]);
}

void Dlg_BPlot2::Rename_Sheet(int row)
{
    Plot_Drawing2* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return;
    sheet->Build_File_Name();
    if (g_TK_Library.No_In_Front != 0) {
        const CString number = Format_No(g_TK_Library.No_Start + row, g_TK_Library.No_Digits);
        sheet->File_Name.Format(L"%s%s%s%s", g_TK_Library.No_Prefix.GetString(), number.GetString(),
                                g_TK_Library.No_Suffix.GetString(), sheet->Name.GetString());
    } else {
        sheet->File_Name.Format(L"%s%s", g_TK_Library.No_Prefix.GetString(), sheet->Name.GetString());
    }
    Valid_File_Name(sheet->File_Name, true);
    List.SetItemText(row, Col2_Name, L"  " + Shown_File_Name(sheet->File_Name));
}

void Dlg_BPlot2::Rename_All_Sheets()
{
    for (int row = 0; row < List.GetItemCount(); ++row) Rename_Sheet(row);
    Mark_Duplicate_Names();
}

void Dlg_BPlot2::Mark_Duplicate_Names()
{
    const int rows = std::min<int>(List.GetItemCount(), static_cast<int>(Sheet_List.Sheets.GetSize()));
    for (int row = 0; row < List.GetItemCount(); ++row) List.Remove_Mark_Cell(row, Col2_Name);
    for (int a = 0; a < rows; ++a)
        for (int b = a + 1; b < rows; ++b)
            if (Sheet_List.Sheets[a]->File_Name.CompareNoCase(Sheet_List.Sheets[b]->File_Name) == 0) {
                List.Add_Mark_Cell(a, Col2_Name);
                List.Add_Mark_Cell(b, Col2_Name);
            }
}

void Dlg_BPlot2::Mark_Duplicate_Numbers()
{
    const int rows = std::min<int>(List.GetItemCount(), static_cast<int>(Sheet_List.Sheets.GetSize()));
    for (int row = 0; row < List.GetItemCount(); ++row) List.Remove_Mark_Cell(row, Col2_Number);
    // The rows in the order of their numbers: equal numbers are neighbours.
    std::vector<int> order(static_cast<size_t>(std::max(rows, 0)));
    std::iota(order.begin(), order.end(), 0);
    const auto number = [this](int row) -> const CString& { return Sheet_List.Sheets[row]->Text[0]; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return number(a).CompareNoCase(number(b)) < 0; });
    for (size_t i = 1; i < order.size(); ++i)
        if (number(order[i - 1]).CompareNoCase(number(order[i])) == 0) {
            List.Add_Mark_Cell(order[i - 1], Col2_Number);
            List.Add_Mark_Cell(order[i], Col2_Number);
        }
}

void Dlg_BPlot2::Mark_Title_Remarks()
{
    const int rows = std::min<int>(List.GetItemCount(), static_cast<int>(Sheet_List.Sheets.GetSize()));
    for (int row = 0; row < List.GetItemCount(); ++row) {
        List.Remove_Mark_Cell(row, Col2_Remark);
        List.SetItemText(row, Col2_Remark, L"");
    }
    std::vector<CStringArray> titles(rows);
    std::vector<bool> tested(rows, false);
    for (int row = 0; row < rows; ++row) {
        tested[row] = Uses_Title_In_Name(*Sheet_List.Sheets[row]);
        if (!tested[row])
            continue;
        Get_Title_Lines(*Sheet_List.Sheets[row], titles[row]);
        if (titles[row].IsEmpty()) {
            List.SetItemText(row, Col2_Remark, L"图名空白");
            List.Add_Mark_Cell(row, Col2_Remark);
        }
    }
    for (int a = 0; a < rows; ++a)
        for (int b = a + 1; b < rows; ++b) {
            if (!tested[a] || !tested[b] || titles[a].IsEmpty() || titles[b].IsEmpty() ||
                !Share_Any_Line(titles[a], titles[b]))
                continue;
            for (int row : {a, b}) {
                List.SetItemText(row, Col2_Remark, L"图名重复");
                List.Add_Mark_Cell(row, Col2_Remark);
            }
        }
}

void Dlg_BPlot2::Refresh_Papers(bool rebuild)
{
    Sheet_List.Assign_Papers(rebuild);
    for (int row = 0; row < List.GetItemCount(); ++row) {
        Plot_Drawing2* sheet = Row_Sheet(row);
        if (sheet == nullptr)
            continue;
        MyPaper paper(297, 210);
        if (!sheet->Match_Paper(&paper))
            continue;
        List.SetItemText(row, Col2_Paper, paper.Get_Display_Name(false, sheet->Portrait));
        sheet->Plot_Scale = TK_Scale_From_Paper(paper, *sheet);
        List.SetItemText(row, Col2_Scale, Format_Scale_Text(sheet->Plot_Scale));
    }
    Fit_Columns({Col2_Paper, Col2_Scale});
}

// ---- options ----

void Dlg_BPlot2::Init_Folder_Mode()
{
    Folder_Mode_Index = Options.Folder_Mode;
    Folder_Mode_Combo.SetCurSel(Folder_Mode_Index);
    Update_Folder_Label();
}

void Dlg_BPlot2::Init_Output_Format()
{
    Format_Index = Options.Output_Type;
    Format_Combo.SetCurSel(Format_Index);
    Apply_Output_Format(false);
}

void Dlg_BPlot2::Fill_Margin_Combo()
{
    Fill_Margin_List(&Margin_Combo, Margin_Index, Options.Margin, Options.Unequal_Margin);
}

void Dlg_BPlot2::Update_Folder_Label()
{
    Read_Controls();
    Path_Text = Get_Output_Folder(Folder_Mode_Index, Format_Index, Options.Folder, CString());
    SetDlgItemText(IDC_BP2_PATH, Path_Text);
}

void Dlg_BPlot2::Apply_Output_Format(bool reassign)
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    // The device files carry the margins; the sheets keep the papers the list shows.
    if (reassign)
        Sheet_List.Assign_Papers(false);

    if (Folder_Mode_Combo.Name_Sub_Folder(Format_Index) == 1)
        Update_Folder_Label();

    const int type = Options.Output_Type;
    GetDlgItem(IDC_BP2_SWATCH)->ShowWindow(type == Output_Jpg || type == Output_Png ? SW_SHOW : SW_HIDE);
    const bool dwg = type == Output_Dwg;
    for (int id : {IDC_BP2_MARGIN_LABEL, IDC_BP2_MARGIN_COMBO, IDC_BP2_STYLE_LABEL, IDC_BP2_STYLE_COMBO,
                   IDC_BP2_SIGN_CHECK, IDC_BP2_EDIT_STYLE})
        GetDlgItem(id)->EnableWindow(!dwg);
    GetDlgItem(IDC_BP2_STAMP_CHECK)->EnableWindow(!dwg && type != Output_Plt && Stamp_Positions != 0);
    GetDlgItem(IDC_BP2_DWG_BLOCK)->ShowWindow(dwg ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_BP2_MERGE_PDF)->ShowWindow(type == Output_Pdf ? SW_SHOW : SW_HIDE);
}

void Dlg_BPlot2::On_Format_Changed()
{
    Read_Controls();
    if (Format_Index < 0 || Format_Index == Options.Output_Type)
        return;
    const bool was_dwg = Dwg_Output();
    Apply_Output_Format(true);
    if (was_dwg != Dwg_Output())
        Set_Column_Classes();
    List.Invalidate();
}

void Dlg_BPlot2::On_Style_Changed()
{
    const int previous = Style_Index;
    Read_Controls();
    Apply_Style_Selection(&Style_Combo, Style_Index, previous);
}

void Dlg_BPlot2::On_Edit_Style() { Edit_Selected_Style(this, &Style_Combo, Style_Index); }

void Dlg_BPlot2::On_Margin_Changed()
{
    g_Margin_Combo_Idle = false;
    const int selection = Margin_Combo.GetCurSel();
    if (selection > 0 && selection != Margin_Index) {
        Margin_Index = selection;
        int margin = Options.Margin, unequal = Options.Unequal_Margin;
        Parse_Margin_Combo(&Margin_Combo, margin, unequal, true);
        Options.Margin = margin;
        Options.Unequal_Margin = unequal;
        Refresh_Papers(true);
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
        // The device files carry the margins; the sheets keep the papers the list shows.
        Sheet_List.Assign_Papers(false);
    }
    g_Margin_Combo_Idle = true;
}

void Dlg_BPlot2::On_Margin_Edited()
{
    if (!g_Margin_Combo_Idle)
        return;
    int margin = Options.Margin, unequal = Options.Unequal_Margin;
    const bool changed = Reparse_Margin_Combo(&Margin_Combo, Margin_Index, margin, unequal);
    Options.Margin = margin;
    Options.Unequal_Margin = unequal;
    if (changed)
        Refresh_Papers(true);
}

void Dlg_BPlot2::On_Merge_Clicked()
{
    Read_Controls();
    g_Plot_Config.Merge_Pdf = Merge_Pdf;
}

void Dlg_BPlot2::On_As_Block_Clicked()
{
    Read_Controls();
    g_Plot_Config.Dwg_As_Block = Save_As_Block;
}

// ---- closing after the plot ----

void Dlg_BPlot2::Plot_Done_Close()
{
    if (Plot_Launched == 0)
        return;
    Plot_Launched = 0;
    Plot_Device_Files::End_Plot();
    CZcUiDialog::OnOK();
}
