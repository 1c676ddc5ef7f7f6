#include "dialogs/multi_drawing/dlg_multi_files.h"

#include <vector>

#include "core/doc_lock.h"
#include "core/file_dialogs.h"
#include "core/file_operations.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "dialogs/color_swatch.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/print_order_dialog.h"
#include "dialogs/print_order_picture.h"
#include "dialogs/print_order_unequal_margins.h"
#include "mfc/afxdc.h"
#include "mfc/afxdlgs.h"
#include "plot/multi_drawing/multi_dwg_list.h"
#include "res/resource.h"
#include "sheets/plot_set.h"
#include "ui/dlg_options.h"
#include "ui/dlg_options_paper.h"
#include "ui/progress_window.h"
#include "ui/small_value_dialogs.h"
#include "ui/small_value_dialogs_frame.h"
#include "win/win_msgbox.h"
#include "win/win_shell.h"

int g_Multi_Sort_Toggles[10] = {};

namespace {

const wchar_t* const Multi_Column_Titles[] = {L" 序号 ",     L" 文  件 ",   L" 删  除 ",   L" 打印范围 ",
                                              L" 打印样式 ", L" 输出纸张 ", L" 过滤系数 ", L" 打印签名 ",
                                              L" 单个dwg内打印顺序 ", L" 图纸数量 "};
const wchar_t* const Multi_Paper_Entries[] = {L"A4",       L"A3",       L"A2",       L"A1",       L"A0",
                                              L"A4或A4加长", L"A3或A3加长", L"A2或A2加长", L"A1或A1加长", L"A0或A0加长"};
constexpr int Multi_Paper_Types = 10;
// Sides of A4..A0 (long, short).
const int Standard_Sides[5][2] = {{297, 210}, {420, 297}, {594, 420}, {841, 594}, {1189, 841}};
constexpr int Pdf_Type = 0;

bool Is_Swatch_Type(int type) { return type == 1 || type == 2 || type == 3; }

Single_Dwg* Record_At(int row)
{
    const Single_Dwg_Array& list = g_Multi_Dwg_List.Current;
    return row >= 0 && row < list.GetSize() ? list[row] : nullptr;
}

// The record's row; -1 when it is no longer listed.
int Row_Of(const Single_Dwg* record)
{
    const Single_Dwg_Array& list = g_Multi_Dwg_List.Current;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i] == record)
            return static_cast<int>(i);
    return -1;
}

int Chosen_Count_Key(const Single_Dwg* record)
{
    return record->Counted ? static_cast<int>(record->Chosen_Sheets.GetSize()) : -1;
}

int Columns_For(int entries, int per_column)
{
    if (entries <= per_column) return 1;
    if (entries <= 2 * per_column) return 2;
    if (entries <= 3 * per_column) return 3;
    return 4;
}

}  // namespace

CString Multi_Range_Text(int range)
{
    switch (range) {
    case Range_Model: return L"模 型";
    case Range_Layouts: return L"布 局";
    default: return L"模型 + 布局";
    }
}

CString Multi_Paper_Text(int long_side, int short_side)
{
    if (long_side != 0) {
        MyPaper paper(std::max(long_side, short_side), std::min(long_side, short_side));
        paper.Snap_To_Standard();
        return paper.Get_Display_Name(false, false);
    }
    for (int k = 0; k < 5; ++k)
        if (Standard_Sides[k][1] == short_side)
            return Multi_Paper_Entries[5 + k];
    return CString();
}

CString Multi_Filter_Text(double percent)
{
    if (percent < 0.001)
        return L"0";
    CString text;
    text.Format(L"%.1f%%", percent);
    return text;
}

BEGIN_MESSAGE_MAP(Dlg_MultiFiles, CZcUiDialog)
    ON_BN_CLICKED(IDC_MF_ADD_FILES, On_Add_Files)
    ON_BN_CLICKED(IDC_MF_ADD_FOLDER, On_Add_Folder)
    ON_BN_CLICKED(IDC_MF_COUNT, On_Count)
    ON_CBN_SELCHANGE(IDC_MF_FORMAT, On_Format_Changed)
    ON_CBN_SELCHANGE(IDC_MF_FOLDER_MODE, On_Folder_Mode_Changed)
    ON_BN_CLICKED(IDC_MF_MERGE_MANY, On_Merge_Changed)
    ON_BN_CLICKED(IDC_MF_MERGE_ONE, On_Merge_Changed)
    ON_BN_CLICKED(IDC_MF_MERGE_NONE, On_Merge_Changed)
    ON_CBN_SELCHANGE(IDC_MF_MARGIN, On_Margin_Changed)
    ON_CBN_KILLFOCUS(IDC_MF_MARGIN, On_Margin_Leave)
    ON_NOTIFY(NM_CLICK, IDC_MF_LIST, Dlg_MultiFiles::On_List_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_MF_LIST, Dlg_MultiFiles::On_Column_Click)
    ON_MESSAGE(WM_SHEET_LIST_DROP_FILES, Dlg_MultiFiles::On_List_Drop)
    ON_WM_DROPFILES()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_MultiFiles::Dlg_MultiFiles(CWnd* parent) : CZcUiDialog(IDD_DLG_MULTIFILES, parent) {}

void Dlg_MultiFiles::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_MF_LIST, List);
    DDX_Control(exchange, IDC_MF_PROGRESS, Progress);
    DDX_Control(exchange, IDC_MF_MERGE_PICTURE, Merge_Picture);
    DDX_CBIndex(exchange, IDC_MF_FORMAT, Format_Index);
    DDX_CBIndex(exchange, IDC_MF_FOLDER_MODE, Folder_Mode_Index);
    DDX_Radio(exchange, IDC_MF_MERGE_MANY, Merge_Mode);
    DDX_Text(exchange, IDC_MF_PATH, Folder_Text);
}

BOOL Dlg_MultiFiles::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    const struct {
        Pic_Button& button;
        int id, hover, idle;
    } buttons[] = {{Ok_Button, IDOK, IDI_OK_HOVER, IDI_OK_IDLE},
                   {Cancel_Button, IDCANCEL, IDI_CANCEL_HOVER, IDI_CANCEL_IDLE},
                   {Files_Button, IDC_MF_ADD_FILES, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE},
                   {Folder_Button, IDC_MF_ADD_FOLDER, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE},
                   {Count_Button, IDC_MF_COUNT, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE}};
    for (const auto& b : buttons) {
        b.button.SubclassDlgItem(b.id, this);
        b.button.Set_Icon(b.hover, b.idle, 32);
        b.button.Set_Cursor(IDR_HAND_CURSOR);
    }
    UpdateData(FALSE);
    Progress.Set_Font_From_Item(this, IDOK);
    Progress.Counter_Mode = 2;
    List.Hover_Mode = 2;
    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    Plot_Option& option = *g_Cur_Plot_Option;
    auto* margin = static_cast<CComboBox*>(GetDlgItem(IDC_MF_MARGIN));
    Fill_Margin_List(margin, Margin_Index, option.Margin, option.Unequal_Margin);
    Fill_Format_List(static_cast<CComboBox*>(GetDlgItem(IDC_MF_FORMAT)), false);
    auto* folder_mode = static_cast<CComboBox*>(GetDlgItem(IDC_MF_FOLDER_MODE));
    for (const wchar_t* item : {L" 源文件路径", L" 源文件路径\\PDF", L" 其他路径"})
        folder_mode->AddString(item);
    Format_Index = option.Output_Type > 5 ? 0 : option.Output_Type;
    Merge_Mode = g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Merge];
    Folder_Mode_Index = option.Folder_Mode;
    Folder_Text = option.Folder;
    UpdateData(FALSE);
    Update_Controls(true);
    return TRUE;
}

void Dlg_MultiFiles::Update_Controls(bool refill)
{
    GetDlgItem(IDC_MF_SWATCH)->ShowWindow(Format_Index == 2 || Format_Index == 3 ? SW_SHOW : SW_HIDE);
    const bool pdf = Format_Index == Pdf_Type;
    for (int id : {IDC_MF_MERGE_MANY, IDC_MF_MERGE_ONE, IDC_MF_MERGE_NONE, IDC_MF_MERGE_PICTURE})
        GetDlgItem(id)->ShowWindow(pdf ? SW_SHOW : SW_HIDE);
    if (pdf) {
        const int pictures[3] = {IDB_MERGE_MANY, IDB_MERGE_ONE, IDB_MERGE_NONE};
        Merge_Picture.Set_Bitmap(pictures[std::clamp(Merge_Mode, 0, 2)]);
    }
    GetDlgItem(IDC_MF_PATH)->ShowWindow(Folder_Mode_Index == 2 ? SW_SHOW : SW_HIDE);
    const wchar_t* sub_folders[6] = {L" 源文件路径\\PDF", L" 源文件路径\\DWF", L" 源文件路径\\JPG",
                                     L" 源文件路径\\PNG", L" 源文件路径\\PLT", L" 源文件路径\\SVG"};
    auto* folder_mode = static_cast<CComboBox*>(GetDlgItem(IDC_MF_FOLDER_MODE));
    folder_mode->DeleteString(1);
    folder_mode->InsertString(1, sub_folders[std::clamp(Format_Index, 0, 5)]);
    UpdateData(FALSE);
    Invalidate();
    if (refill)
        Fill_List();
}

void Dlg_MultiFiles::Show_Count_Cell(int row)
{
    const Single_Dwg* record = Record_At(row);
    CString text = L"---";
    if (record->Counted)
        text.Format(L"%d", static_cast<int>(record->Chosen_Sheets.GetSize()));
    List.SetItemText(row, Col_Count, text);
    if (record->Counted && record->Chosen_Sheets.GetSize() > 0)
        List.Remove_Mark_Cell(row, Col_Count);
    else
        List.Add_Mark_Cell(row, Col_Count);
}

void Dlg_MultiFiles::Show_Row(int row)
{
    const Single_Dwg* record = Record_At(row);
    CString number;
    number.Format(L"%2d", row + 1);
    List.SetItemText(row, Col_No, number);
    List.SetItemText(row, Col_File, record->File_Name);
    List.SetItemText(row, Col_Del, L"DEL");
    List.SetItemText(row, Col_Range, Multi_Range_Text(record->Plot_Range));
    {
        Doc_Lock lock;
        Plot_Set plot_set;
        List.SetItemText(row, Col_Style, plot_set.Get_Style_Sheet(record->Style_Index));
    }
    List.SetItemText(row, Col_Paper, Multi_Paper_Text(record->Paper_Long, record->Paper_Short));
    List.SetItemText(row, Col_Filter, Multi_Filter_Text(record->Filter_Percent));
    List.SetItemText(row, Col_Sign, record->Print_Sign ? L"Y" : L"N");
    CString order;
    order.Format(L"S %d", record->Order);
    List.SetItemText(row, Col_Order, order);
    Show_Count_Cell(row);
}

void Dlg_MultiFiles::Fill_List()
{
    List.DeleteAllItems();
    while (List.DeleteColumn(0)) {
    }
    List.Mark_Rows.removeAll();
    List.Mark_Columns.removeAll();
    for (int column = 0; column < Column_Count; ++column)
        List.InsertColumn(column, Multi_Column_Titles[column], LVCFMT_CENTER, 60);
    List.Hover_Columns.removeAll();
    List.Group_Columns.removeAll();
    for (int column = Col_Del; column <= Col_Order; ++column) {
        List.Hover_Columns.append(column);
        List.Group_Columns.append(column);
    }
    for (int row = 0; row < g_Multi_Dwg_List.Current.GetSize(); ++row) {
        List.InsertItem(row, L"");
        Show_Row(row);
    }
    Fit_List_Columns(&List, this);
}

void Dlg_MultiFiles::Add_Paths(const CStringArray& paths)
{
    CStringArray files;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        if (Path_Kind(paths[i]) == 1)
            files.Add(paths[i]);
        else
            List_Folder_Files(paths[i], files, true);
    }
    Add_Dwg_Files(files);
    Fill_List();
}

void Dlg_MultiFiles::On_Add_Files()
{
    CStringArray paths;
    if (Select_Files(L"打开文件 (*.dwg)|*.dwg", L"dwg", paths))
        Add_Paths(paths);
}

void Dlg_MultiFiles::On_Add_Folder()
{
    CString folder;
    if (!Browse_Folder(m_hWnd, L"选取要打开的文件夹", folder) || Path_Kind(folder) != 2)
        return;
    CStringArray paths;
    paths.Add(folder);
    Add_Paths(paths);
}

void Dlg_MultiFiles::Take_Dropped(HDROP drop)
{
    CStringArray paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[261] = {};
        if (DragQueryFileW(drop, i, path, 261) > 0)
            paths.Add(path);
    }
    Add_Paths(paths);
}

LRESULT Dlg_MultiFiles::On_List_Drop(WPARAM, LPARAM lparam)
{
    Take_Dropped(reinterpret_cast<HDROP>(lparam));
    return 0;
}

void Dlg_MultiFiles::OnDropFiles(HDROP drop)
{
    Take_Dropped(drop);
    DragFinish(drop);
}

void Dlg_MultiFiles::Count_Rows()
{
    const int rows = List.GetItemCount();
    if (rows == 0)
        return;
    for (int id : {IDC_MF_FOLDER_LABEL, IDC_MF_FOLDER_MODE, IDC_MF_PATH})
        GetDlgItem(id)->ShowWindow(SW_HIDE);
    Progress.ShowWindow(SW_SHOW);
    Progress.SetRange(0, rows);
    Progress.SetStep(1);
    Progress.SetPos(0);
    // The records as they were listed: the pumped messages may sort or delete rows meanwhile.
    const std::vector<Single_Dwg*> records(g_Multi_Dwg_List.Current.GetData(),
                                           g_Multi_Dwg_List.Current.GetData() + g_Multi_Dwg_List.Current.GetSize());
    std::vector<Single_Dwg*> failed;
    for (Single_Dwg* record : records) {
        Progress.StepIt();
        Do_Events();
        const int row = Row_Of(record);
        if (row < 0 || record->Counted)
            continue;
        if (record->Count_Sheets()) {
            record->Select_Sheets();
            Show_Count_Cell(row);
        } else {
            failed.push_back(record);
        }
    }
    Progress.ShowWindow(SW_HIDE);
    GetDlgItem(IDC_MF_FOLDER_LABEL)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_MF_FOLDER_MODE)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_MF_PATH)->ShowWindow(Folder_Mode_Index == 2 ? SW_SHOW : SW_HIDE);
    if (failed.empty())
        return;
    for (auto it = failed.rbegin(); it != failed.rend(); ++it) {
        const int row = Row_Of(*it);
        if (row < 0)
            continue;
        delete *it;
        g_Multi_Dwg_List.Current.RemoveAt(row);
    }
    Fill_List();
}

void Dlg_MultiFiles::On_Count() { Count_Rows(); }

void Dlg_MultiFiles::Delete_Rows(const ZcArray<int>& rows)
{
    UpdateData(TRUE);
    for (int i = rows.length() - 1; i >= 0; --i) {
        const int row = rows[i];
        if (Record_At(row) == nullptr)
            continue;
        List.DeleteItem(row);
        List.On_Row_Deleted(row);
        delete g_Multi_Dwg_List.Current[row];
        g_Multi_Dwg_List.Current.RemoveAt(row);
    }
    const int first = rows.isEmpty() ? 0 : rows[0];
    for (int row = first; row < List.GetItemCount(); ++row) {
        CString number;
        number.Format(L"%2d", row + 1);
        List.SetItemText(row, Col_No, number);
    }
}

void Dlg_MultiFiles::Act_On_Column(int column, int row, const ZcArray<int>& rows)
{
    Single_Dwg* clicked = Record_At(row);
    if (clicked == nullptr)
        return;
    const bool all = rows.length() > 1 && rows.length() == List.GetItemCount();
    Plot_Option& option = *g_Cur_Plot_Option;
    switch (column) {
    case Col_Del:
        Delete_Rows(rows);
        return;
    case Col_Range: {
        Dlg_Options picker(this);
        picker.Title = all ? L"统一修改打印范围" : L"选择打印范围";
        for (const wchar_t* item : {L"模  型", L"布  局", L"模型 + 布局"})
            picker.Items.Add(item);
        picker.Item_Width = 150;
        picker.Choice = clicked->Plot_Range;
        if (picker.DoModal() != IDOK || picker.Choice < 0)
            return;
        g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Range] = picker.Choice;
        for (int i = 0; i < rows.length(); ++i) {
            Single_Dwg* record = Record_At(rows[i]);
            record->Plot_Range = picker.Choice;
            if (record->Counted)
                record->Select_Sheets();
            Show_Row(rows[i]);
        }
        break;
    }
    case Col_Style: {
        Dlg_Options picker(this);
        {
            Doc_Lock lock;
            Plot_Set plot_set;
            picker.Items.Copy(plot_set.Style_List);
        }
        picker.Title = all ? L"统一修改打印样式" : L"选择打印样式";
        const int columns = Columns_For(static_cast<int>(picker.Items.GetSize()), 10);
        picker.Extra_Columns = columns - 1;
        picker.Item_Width = 160 * columns;
        picker.Choice = clicked->Style_Index;
        if (picker.DoModal() != IDOK || picker.Choice < 0)
            return;
        g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Style] = picker.Choice;
        for (int i = 0; i < rows.length(); ++i) {
            Record_At(rows[i])->Style_Index = picker.Choice;
            Show_Row(rows[i]);
        }
        break;
    }
    case Col_Paper: {
        Dlg_Options_Paper picker(this);
        picker.Title = all ? L"统 一 修 改 纸 张" : L"选  择  纸  张";
        for (const wchar_t* entry : Multi_Paper_Entries)
            picker.Items.Add(entry);
        for (INT_PTR i = 0; i < g_Multi_Dwg_List.Current.GetSize(); ++i) {
            const Single_Dwg* record = g_Multi_Dwg_List.Current[i];
            if (record->Paper_Long == 0)
                continue;
            const CString name = Multi_Paper_Text(record->Paper_Long, record->Paper_Short);
            bool known = false;
            for (INT_PTR k = 0; k < picker.Items.GetSize(); ++k)
                known = known || picker.Items[k].CompareNoCase(name) == 0;
            if (!known)
                picker.Items.Add(name);
        }
        for (int k = 0; k < 5; ++k) {
            if (clicked->Paper_Long == Standard_Sides[k][0] && clicked->Paper_Short == Standard_Sides[k][1])
                picker.Choice = k;
            if (clicked->Paper_Long == 0 && clicked->Paper_Short == Standard_Sides[k][1])
                picker.Choice = 5 + k;
        }
        if (picker.Choice < 0) {
            const CString name = Multi_Paper_Text(clicked->Paper_Long, clicked->Paper_Short);
            for (INT_PTR k = Multi_Paper_Types; k < picker.Items.GetSize(); ++k)
                if (picker.Items[k].CompareNoCase(name) == 0)
                    picker.Choice = static_cast<int>(k);
        }
        const int entries = static_cast<int>(picker.Items.GetSize());
        const int columns = Columns_For(entries, 8);
        picker.Extra_Columns = columns - 1;
        picker.Item_Width = 120 * columns;
        int per_column = 0;
        picker.Arrange_Columns(per_column);
        if (picker.DoModal() != IDOK)
            return;
        picker.Restore_Choice_Index(per_column);
        const int choice = picker.Choice;
        if (choice < 0)
            return;
        int long_side = 0, short_side = 0;
        if (choice < 5) {
            long_side = Standard_Sides[choice][0];
            short_side = Standard_Sides[choice][1];
        } else if (choice < Multi_Paper_Types) {
            short_side = Standard_Sides[choice - 5][1];
        } else if (choice < entries) {
            for (INT_PTR i = 0; i < g_Multi_Dwg_List.Current.GetSize(); ++i) {
                const Single_Dwg* record = g_Multi_Dwg_List.Current[i];
                if (record->Paper_Long != 0 &&
                    Multi_Paper_Text(record->Paper_Long, record->Paper_Short).CompareNoCase(picker.Items[choice]) == 0) {
                    long_side = record->Paper_Long;
                    short_side = record->Paper_Short;
                    break;
                }
            }
        } else {
            Dlg_New_Paper dialog(this);
            if (dialog.DoModal() != IDOK)
                return;
            long_side = static_cast<int>(dialog.First_Side);
            short_side = static_cast<int>(dialog.Second_Side);
        }
        for (int i = 0; i < rows.length(); ++i) {
            Record_At(rows[i])->Paper_Long = long_side;
            Record_At(rows[i])->Paper_Short = short_side;
            Show_Row(rows[i]);
        }
        break;
    }
    case Col_Filter: {
        Dlg_Filter dialog(this);
        dialog.Filter_Percent = clicked->Filter_Percent;
        if (dialog.DoModal() != IDOK)
            return;
        option.Filter_Percent = dialog.Filter_Percent;
        for (int i = 0; i < rows.length(); ++i) {
            Single_Dwg* record = Record_At(rows[i]);
            record->Filter_Percent = dialog.Filter_Percent;
            if (record->Counted)
                record->Select_Sheets();
            Show_Row(rows[i]);
        }
        break;
    }
    case Col_Sign: {
        const int sign = clicked->Print_Sign ? 0 : 1;
        for (int i = 0; i < rows.length(); ++i) {
            Record_At(rows[i])->Print_Sign = sign;
            Show_Row(rows[i]);
        }
        option.Print_Sign = sign;
        break;
    }
    case Col_Order: {
        Dlg_SortType dialog(this);
        dialog.Sort_Type = clicked->Order;
        if (dialog.DoModal() != IDOK)
            return;
        option.Sort_Type = dialog.Sort_Type;
        for (int i = 0; i < rows.length(); ++i) {
            Record_At(rows[i])->Order = dialog.Sort_Type;
            Show_Row(rows[i]);
        }
        break;
    }
    default:
        return;
    }
    Fit_List_Column(&List, column, this);
}

void Dlg_MultiFiles::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const int row = item->iItem, column = item->iSubItem;
    if (row < 0 || row >= List.GetItemCount() || column < Col_Del || column > Col_Order)
        return;
    const ZcArray<int> rows = List.Compute_Hover_Rows(column, row);
    if (rows.length() > 1)
        for (int i = 0; i < rows.length(); ++i)
            List.SetItemState(rows[i], LVIS_SELECTED, LVIS_SELECTED);
    Act_On_Column(column, row, rows);
}

void Dlg_MultiFiles::Sort_Rows(int column)
{
    g_Multi_Sort_Toggles[column] = !g_Multi_Sort_Toggles[column];
    const bool ascending = g_Multi_Sort_Toggles[column] != 0;
    Single_Dwg_Array& list = g_Multi_Dwg_List.Current;
    const INT_PTR count = list.GetSize();
    for (INT_PTR i = 0; i < count; ++i)
        for (INT_PTR j = i + 1; j < count; ++j) {
            const int order = column == Col_File ? list[j]->File_Name.Compare(list[i]->File_Name)
                                                 : Chosen_Count_Key(list[j]) - Chosen_Count_Key(list[i]);
            if (ascending ? order < 0 : order > 0) {
                Single_Dwg* held = list[i];
                list[i] = list[j];
                list[j] = held;
            }
        }
    Fill_List();
}

void Dlg_MultiFiles::On_Column_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    if (column == Col_File || column == Col_Count) {
        Sort_Rows(column);
        return;
    }
    const int count = List.GetItemCount();
    if (column < Col_Del || column > Col_Order || count == 0)
        return;
    ZcArray<int> rows;
    for (int row = 0; row < count; ++row)
        rows.append(row);
    Act_On_Column(column, 0, rows);
    for (int row = 0; row < List.GetItemCount(); ++row)
        List.SetItemState(row, 0, LVIS_SELECTED);
}

void Dlg_MultiFiles::On_Format_Changed()
{
    const int previous = Format_Index;
    UpdateData(TRUE);
    if (Format_Index != previous)
        g_Cur_Plot_Option->Output_Type = Format_Index;
    Update_Controls(false);
}

void Dlg_MultiFiles::On_Folder_Mode_Changed()
{
    UpdateData(TRUE);
    g_Cur_Plot_Option->Folder_Mode = Folder_Mode_Index;
    Update_Controls(false);
}

void Dlg_MultiFiles::On_Merge_Changed()
{
    const int previous = Merge_Mode;
    UpdateData(TRUE);
    if (Merge_Mode != previous)
        g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Merge] = Merge_Mode;
    Update_Controls(false);
}

void Dlg_MultiFiles::On_Margin_Changed()
{
    g_Margin_Combo_Idle = false;
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_MF_MARGIN));
    const int selected = combo->GetCurSel();
    Plot_Option& option = *g_Cur_Plot_Option;
    if (selected == 0)
        Edit_Unequal_Margins(this, option);
    else if (selected != Margin_Index)
        Parse_Margin_Combo(combo, option.Margin, option.Unequal_Margin, true);
    Margin_Index = selected;
    g_Margin_Combo_Idle = true;
}

void Dlg_MultiFiles::On_Margin_Leave()
{
    if (!g_Margin_Combo_Idle)
        return;
    Plot_Option& option = *g_Cur_Plot_Option;
    Reparse_Margin_Combo(static_cast<CComboBox*>(GetDlgItem(IDC_MF_MARGIN)), Margin_Index, option.Margin,
                         option.Unequal_Margin);
}

bool Dlg_MultiFiles::Swatch_Painted() const { return Is_Swatch_Type(Format_Index); }

void Dlg_MultiFiles::OnMouseMove(UINT flags, CPoint point)
{
    const bool path_hover =
        Folder_Mode_Index == 2 && Control_Client_Rect(this, IDC_MF_PATH).PtInRect(point) != FALSE;
    const bool swatch_hover = Swatch_Painted() && Control_Client_Rect(this, IDC_MF_SWATCH).PtInRect(point) != FALSE;
    if (path_hover != g_Path_Hover || swatch_hover != g_Swatch_Hover) {
        g_Path_Hover = path_hover;
        g_Swatch_Hover = swatch_hover;
        Invalidate();
    }
    CZcUiDialog::OnMouseMove(flags, point);
}

void Dlg_MultiFiles::OnLButtonDown(UINT flags, CPoint point)
{
    Plot_Option& option = *g_Cur_Plot_Option;
    if (Folder_Mode_Index == 2 && Control_Client_Rect(this, IDC_MF_PATH).PtInRect(point)) {
        g_Last_Browse_Folder = option.Folder;
        CString folder;
        if (Browse_Folder(nullptr, L"请选择放置打印文件的目录：", folder)) {
            Trim_Backslash(folder);
            option.Folder = folder;
            Folder_Text = folder;
            UpdateData(FALSE);
        }
    } else if (Swatch_Painted() && Control_Client_Rect(this, IDC_MF_SWATCH).PtInRect(point)) {
        CColorDialog dialog(RGB(0, 0, 0), 0, this);
        if (dialog.DoModal() == IDOK) {
            const COLORREF colour = dialog.GetColor();
            option.Back_Red = GetRValue(colour);
            option.Back_Green = GetGValue(colour);
            option.Back_Blue = GetBValue(colour);
            Invalidate();
        }
    }
    CZcUiDialog::OnLButtonDown(flags, point);
}

void Dlg_MultiFiles::OnPaint()
{
    CPaintDC dc(this);
    if (!Swatch_Painted())
        return;
    const Plot_Option& option = *g_Cur_Plot_Option;
    Paint_Color_Swatch(dc, Control_Client_Rect(this, IDC_MF_SWATCH), option.Back_Red, option.Back_Green,
                       option.Back_Blue, g_Swatch_Hover, this);
}

HBRUSH Dlg_MultiFiles::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiDialog::OnCtlColor(dc, window, control_type);
    if (window != nullptr && window->GetDlgCtrlID() == IDC_MF_PATH && Folder_Mode_Index == 2)
        dc->SetTextColor(g_Path_Hover ? RGB(0, 0, 255) : RGB(0, 0, 200));
    return brush;
}

void Dlg_MultiFiles::OnOK()
{
    UpdateData(TRUE);
    for (INT_PTR i = 0; i < g_Multi_Dwg_List.Current.GetSize(); ++i)
        if (!g_Multi_Dwg_List.Current[i]->Counted) {
            MessageBoxW(m_hWnd, L"请先进行 < 图纸数量计算 > !", L"Korvel多文件打印", MB_OK | MB_ICONINFORMATION);
            return;
        }
    Plot_Option& option = *g_Cur_Plot_Option;
    option.Output_Type = Format_Index;
    g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Merge] = Merge_Mode;
    option.Folder_Mode = Folder_Mode_Index;
    option.Folder = Folder_Text;
    CZcUiDialog::OnOK();
}
