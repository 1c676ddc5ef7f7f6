#include "dialogs/dlg_bplot2.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/doc_lock.h"
#include "core/extents_checks.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "core/file_name_rules.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheet_order.h"

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
    : File_Result_Dialog(IDD_DLG_BPLOT2, parent,
                         {IDC_BP2_LIST, IDC_BP2_STYLE_COMBO, IDC_BP2_PROGRESS, IDC_BP2_INTERRUPT, IDC_BP2_EDIT_STYLE},
                         {IDC_BP2_FORMAT_COMBO, IDC_BP2_FOLDER_MODE_COMBO, IDC_BP2_MARGIN_COMBO, IDC_BP2_MARGIN_LABEL,
                          IDC_BP2_STYLE_LABEL, IDC_BP2_PATH, IDC_BP2_SWATCH, IDC_BP2_MERGE_PDF, IDC_BP2_DWG_BLOCK,
                          IDC_BP2_SIGN_CHECK},
                         {IDC_BP2_NUMBER_ORDER, IDC_BP2_CATALOGUE, IDOK, IDCANCEL})
{
    Folder_Mode_Index = 1;
    Save_As_Block = 1;
    Print_Sign = 1;
}

Dlg_BPlot2::~Dlg_BPlot2()
{
    // The pointers into this window end with it.
    Forget_Pointer(g_TK_Sheet_List, &Sheet_List);
    Forget_Pointer(g_Dlg_BPlot2, this);
}

void Dlg_BPlot2::DoDataExchange(CDataExchange* exchange)
{
    File_Result_Dialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_BP2_NUMBER_ORDER, Number_Order_Button);
    DDX_Control(exchange, IDC_BP2_CATALOGUE, Catalogue_Button);
    DDX_Check(exchange, IDC_BP2_STAMP_CHECK, Print_Stamp);
}

BOOL Dlg_BPlot2::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Up_Buttons({&Number_Order_Button, &Catalogue_Button});
    List.TK_Sheets = &Sheet_List;
    Set_Up_List(Bplot2_Headers, Bplot2_Column_Count, Col2_Name);

    Load_Output_Options();
    Print_Stamp = Options.Stamps_On;
    UpdateData(FALSE);
    Fill_Margin_Combo();
    return TRUE;
}

void Dlg_BPlot2::Store_Controls()
{
    Read_Controls();
    Options.Output_Type = Format_Index;
    Options.Folder_Mode = Folder_Mode_Index;
    Options.Print_Sign = Print_Sign;
    Options.Stamps_On = Print_Stamp;
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
    Clear_Sheet_List(List);
    Set_Column_Classes();
    Sort_TK_Sheets(Sheet_List, Options.TK_Order != 0, Options.Sort_Type);
    {
        Doc_Lock lock;
        for (int i = 0; i < Sheet_List.Sheets.GetSize(); ++i) {
            Plot_Drawing2* sheet = Sheet_List.Sheets[i];
            sheet->Set_Marker(i + 1, -1);
            Insert_Numbered_Row(List, i);
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

void Dlg_BPlot2::Show_Type_Controls(int type)
{
    const bool dwg = type == Output_Dwg;
    GetDlgItem(IDC_BP2_SIGN_CHECK)->EnableWindow(!dwg);
    GetDlgItem(IDC_BP2_STAMP_CHECK)->EnableWindow(!dwg && type != Output_Plt && Stamp_Positions != 0);
}

// ---- closing ----

void Dlg_BPlot2::Release_Devices() { Plot_Device_Files::End_Plot(); }
