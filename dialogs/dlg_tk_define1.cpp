#include <utility>

#include "core/extents_checks.h"
#include "core/ucs_transform.h"
#include "dialogs/dlg_tk_define.h"
#include "dialogs/dlg_tk_set.h"
#include "dialogs/tk_name_dialog.h"
#include "ed/host_window.h"
#include "res/resource.h"
#include "titleblock/tk_library.h"
#include "ui/dlg_options.h"

namespace {

constexpr int Col_Paper = 2, Col_Priority = 3, Col_Delete = 4, Col_Rule = 5, Col_Remark = 16;
const wchar_t* const Headings[17] = {
    L"序 号",   L"图框对应的图块", L"对应纸张",   L"排序优先级别", L"删 除",      L"文件命名规则",
    L"图号(A)", L"版次(B)",        L"图名(C)",    L"日期(D)",      L"信息1(E)",   L"信息2(F)",
    L"注册章位置", L"出图章位置",  L"项目章位置", L"竣工章位置",   L"备 注"};

bool Paper_Out_Of_Range(const MyPaper& paper)
{
    auto out = [](int side) { return side < 50 || side > 5080; };
    return out(paper.Long_Side) || out(paper.Short_Side);
}

CString Row_Number(int row)
{
    CString text;
    text.Format(L"%4d", row + 1);
    return text;
}

// Range of list columns 6..15.
const ZcDbExtents& Column_Range(const TK_Customization& record, int column)
{
    static const int types[10] = {TK_Range_A,       TK_Range_B,       TK_Range_C,       TK_Range_D,
                                  TK_Range_E,       TK_Range_F,       TK_Range_Stamp_1, TK_Range_Stamp_2,
                                  TK_Range_Stamp_3, TK_Range_Stamp_4};
    return record.Range_Of_Type(types[column - 6]);
}

// The remark of column 16 and whether the naming check failed.
std::pair<CString, bool> Remark(const TK_Customization& record)
{
    CString message;
    if (Check_Name_Rule(record, message, 1))
        return {record.Is_Dynamic != 0 ? L"动态图框" : L"", false};
    return {record.Is_Dynamic != 0 ? L"动态图框 " + message : message, true};
}

}  // namespace

int Dlg_TK_Define1::Sort_Flags[17] = {};

BEGIN_MESSAGE_MAP(Dlg_TK_Define1, CZcUiTabChildDialog)
    ON_NOTIFY(NM_CLICK, IDC_TKD_LIST, On_List_Click)
    ON_NOTIFY(NM_DBLCLK, IDC_TKD_LIST, On_List_Double_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_TKD_LIST, On_Column_Click)
END_MESSAGE_MAP()

Dlg_TK_Define1::Dlg_TK_Define1() = default;
Dlg_TK_Define1::~Dlg_TK_Define1() = default;

void Dlg_TK_Define1::DoDataExchange(CDataExchange* exchange)
{
    CZcUiTabChildDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_TKD_LIST, List);
}

BOOL Dlg_TK_Define1::OnInitDialog()
{
    CZcUiTabChildDialog::OnInitDialog();
    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    for (int column = 0; column < 17; ++column) List.InsertColumn(column, Headings[column], LVCFMT_CENTER, 60);
    Fill_List();
    return TRUE;
}

void Dlg_TK_Define1::Write_Remark(int row, const TK_Customization& record)
{
    const auto [remark, failed] = Remark(record);
    List.SetItemText(row, Col_Remark, remark);
    for (int column : {Col_Rule, Col_Remark}) {
        List.Remove_Mark_Cell(row, column);
        if (failed) List.Add_Mark_Cell(row, column);
    }
}

void Dlg_TK_Define1::Fill_List()
{
    List.DeleteAllItems();
    List.Mark_Rows.removeAll();
    List.Mark_Columns.removeAll();
    List.Hover_Columns.removeAll();
    for (int column : {Col_Paper, Col_Priority, Col_Delete, Col_Rule}) List.Hover_Columns.append(column);
    const TK_Customization_Array& records = g_TK_Library.Records;
    for (int row = 0; row < records.GetSize(); ++row) {
        const TK_Customization& record = *records[row];
        List.InsertItem(row, Row_Number(row));
        List.SetItemText(row, 1, record.Block_Name);
        List.SetItemText(row, Col_Paper, record.Paper.Get_Display_Name(false, false));
        if (Paper_Out_Of_Range(record.Paper)) List.Add_Mark_Cell(row, Col_Paper);
        CString priority;
        priority.Format(L"%d", record.Priority + 1);
        List.SetItemText(row, Col_Priority, priority);
        List.SetItemText(row, Col_Delete, L"DEL");
        List.SetItemText(row, Col_Rule, record.Name_Rule);
        for (int column = 6; column <= 15; ++column)
            List.SetItemText(row, column, Check_Extents(Column_Range(record, column)) ? L"√" : L"");
        Write_Remark(row, record);
    }
    Fit_List_Columns(&List, this);
}

void Dlg_TK_Define1::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const int row = item->iItem;
    if (row < 0 || row >= g_TK_Library.Records.GetSize())
        return;
    switch (item->iSubItem) {
    case Col_Paper: Edit_Row_Paper(row); break;
    case Col_Priority: Edit_Priority(row); break;
    case Col_Delete: Delete_Row(row); break;
    case Col_Rule: Edit_Row_Name_Rule(row); break;
    default: break;
    }
}

void Dlg_TK_Define1::On_List_Double_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (item->iItem < 0 && List.GetFirstSelectedItemPosition() == nullptr)
        New_Record();
}

void Dlg_TK_Define1::On_Column_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* view = reinterpret_cast<const NMLISTVIEW*>(header);
    if (view->iSubItem >= 1 && view->iSubItem <= 16 && view->iSubItem != Col_Delete)
        Sort_By_Column(view->iSubItem);
}

void Dlg_TK_Define1::New_Record()
{
    auto* record = new TK_Customization;
    CWnd* frame = GetParent();
    frame->SendMessage(WM_TK_HIDE_FOR_PICK);
    g_Ucs.Set_World();
    if (!Pick_TK_Sample(*record) || record->Block_Name.IsEmpty()) {
        frame->SendMessage(WM_TK_SHOW_AFTER_PICK);
        delete record;
        return;
    }
    // The old definition of the block goes only when the new one is confirmed.
    if (const TK_Customization* old = g_TK_Library.Find(record->Block_Name)) {
        CString question;
        question.Format(L"对图块名为 %s 的图框信息已有录入 !\n\n若要重新录入，需先将该图框的原有录入数据删除 !\n\n"
                        L"是否将该图框的原有录入数据删除 ？",
                        old->Block_Name.GetString());
        if (MessageBoxW(adsw_zcadMainWnd(), question, L"Korvel", MB_YESNO | MB_ICONQUESTION) != IDYES) {
            frame->SendMessage(WM_TK_SHOW_AFTER_PICK);
            delete record;
            return;
        }
    }
    const bool accepted = Run_TK_Set_Dialog(*record);
    frame->SendMessage(WM_TK_SHOW_AFTER_PICK);
    if (!accepted) {
        delete record;
        return;
    }
    TK_Customization_Array& records = g_TK_Library.Records;
    for (INT_PTR i = records.GetSize() - 1; i >= 0; --i)
        if (records[i]->Block_Name.CompareNoCase(record->Block_Name) == 0) {
            delete records[i];
            records.RemoveAt(i);
        }
    records.Add(record);
    Fill_List();
}

void Dlg_TK_Define1::Delete_Row(int row)
{
    TK_Customization_Array& records = g_TK_Library.Records;
    if (row < 0 || row >= records.GetSize())
        return;
    List.DeleteItem(row);
    List.On_Row_Deleted(row);
    delete records[row];
    records.RemoveAt(row);
    for (int i = row; i < List.GetItemCount(); ++i) List.SetItemText(i, 0, Row_Number(i));
    List.Invalidate();
}

void Dlg_TK_Define1::Edit_Priority(int row)
{
    TK_Customization& record = *g_TK_Library.Records[row];
    Dlg_Options picker(this);
    picker.Title = L"排序优先级别";
    picker.Item_Width = 120;
    for (const wchar_t* item : {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9"}) picker.Items.Add(item);
    picker.Choice = record.Priority;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice > 8)
        return;
    record.Priority = picker.Choice;
    CString text;
    text.Format(L"%d", record.Priority + 1);
    List.SetItemText(row, Col_Priority, text);
}

void Dlg_TK_Define1::Edit_Row_Name_Rule(int row)
{
    TK_Customization& record = *g_TK_Library.Records[row];
    Dlg_TK_Name dialog(this);
    dialog.Pattern = record.Name_Rule;
    dialog.Digits_Index = record.Seq_Digits - 1;
    if (dialog.DoModal() != IDOK)
        return;
    record.Name_Rule = dialog.Pattern;
    record.Seq_Digits = dialog.Digits_Index + 1;
    List.SetItemText(row, Col_Rule, record.Name_Rule);
    Write_Remark(row, record);
    Fit_List_Column(&List, Col_Rule, this);
    Fit_List_Column(&List, Col_Remark, this);
}

void Dlg_TK_Define1::Edit_Row_Paper(int row)
{
    TK_Customization& record = *g_TK_Library.Records[row];
    const TK_Paper_Choice choice = Choose_TK_Paper(this, record);
    if (choice != TK_Paper_Choice::Standard && choice != TK_Paper_Choice::Custom)
        return;
    List.SetItemText(row, Col_Paper, record.Paper.Get_Display_Name(false, false));
    List.Remove_Mark_Cell(row, Col_Paper);
    if (Paper_Out_Of_Range(record.Paper)) List.Add_Mark_Cell(row, Col_Paper);
    Fit_List_Column(&List, Col_Paper, this);
}

CString Dlg_TK_Define1::Row_Sort_Key(const TK_Customization& record, int column)
{
    switch (column) {
    case 1: return record.Block_Name;
    case Col_Paper: return record.Paper.Get_Display_Name(false, false);
    case Col_Priority: {
        CString text;
        text.Format(L"%d", record.Priority + 1);
        return text;
    }
    case Col_Rule: return record.Name_Rule;
    case Col_Remark: {
        CString message;
        if (Check_Name_Rule(record, message, 1)) return record.Is_Dynamic != 0 ? L"动态图框" : L"";
        return record.Is_Dynamic != 0 ? CString(L"动态图框") : message;
    }
    default:
        if (column >= 6 && column <= 15) return Check_Extents(Column_Range(record, column)) ? L"√" : L"";
        return CString();
    }
}

void Dlg_TK_Define1::Sort_By_Column(int column)
{
    Sort_Flags[column] = Sort_Flags[column] != 0 ? 0 : 1;
    const bool ascending = Sort_Flags[column] == 1;
    TK_Customization_Array& records = g_TK_Library.Records;
    const INT_PTR n = records.GetSize();
    for (INT_PTR pass = 0; pass + 1 < n; ++pass)
        for (INT_PTR i = 0; i + 1 < n; ++i) {
            const int order = Row_Sort_Key(*records[i], column).Compare(Row_Sort_Key(*records[i + 1], column));
            if (ascending ? order > 0 : order < 0) {
                TK_Customization* left = records[i];
                records[i] = records[i + 1];
                records[i + 1] = left;
            }
        }
    Fill_List();
}
