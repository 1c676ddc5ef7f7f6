#include "tools/dlg_font.h"

#include <algorithm>

#include "core/plot_config.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "ui/dlg_options.h"
#include "ui/small_value_dialogs_frame.h"

int g_Font_Sort_Toggles[4] = {0, 1, 0, 0};

namespace {

// The text column 2 shows and sorts by.
const CString& Standard_Shown(const Text_Style* row)
{
    return row->Typeface.IsEmpty() ? row->Standard_File : row->Typeface;
}

CString Sort_Key(const Text_Style* row, int column)
{
    CString key = column == 1 ? row->Style_Name : (column == 2 ? Standard_Shown(row) : row->Big_File);
    key.MakeLower();
    return key;
}

void Set_Picture_Button(Pic_Button& button, CWnd* dialog, int id, int hover_icon, int idle_icon)
{
    button.SubclassDlgItem(id, dialog);
    button.Set_Icon(hover_icon, idle_icon, 32);
    button.Set_Cursor(IDR_HAND_CURSOR);
}

}  // namespace

void Sort_Text_Styles(CArray<Text_Style*, Text_Style*>& rows, int column, bool ascending)
{
    const int n = int(rows.GetSize());
    for (int pass = 0; pass + 1 < n; ++pass)
        for (int i = 0; i + 1 < n - pass; ++i) {
            const int order = Sort_Key(rows[i], column).Compare(Sort_Key(rows[i + 1], column));
            if (ascending ? order > 0 : order < 0) {
                Text_Style* swap = rows[i];
                rows[i] = rows[i + 1];
                rows[i + 1] = swap;
            }
        }
}

int Font_Picker_Extra_Columns(int n)
{
    if (n <= 320)
        return std::min(n / 20, 7);
    if (n <= 550)
        return std::min(n / 40, 12);
    return n / 45;
}

BEGIN_MESSAGE_MAP(Dlg_Font, CZcUiDialog)
    ON_NOTIFY(NM_CLICK, IDC_FONT_LIST, Dlg_Font::On_List_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_FONT_LIST, Dlg_Font::On_Column_Click)
    ON_BN_CLICKED(IDC_FONT_SHOW_ALL, Dlg_Font::On_Show_All)
    ON_BN_CLICKED(IDC_FONT_REPLACE_STANDARD, Dlg_Font::On_Replace_Standard)
    ON_BN_CLICKED(IDC_FONT_REPLACE_BIG, Dlg_Font::On_Replace_Big)
    ON_BN_CLICKED(IDC_FONT_OK_NO_REGEN, Dlg_Font::On_Ok_Without_Regen)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

Dlg_Font::Dlg_Font(CWnd* parent) : CZcUiDialog(IDD_DLG_FONT, parent) {}

Dlg_Font::~Dlg_Font() { Clear_Rows(); }

void Dlg_Font::Clear_Rows()
{
    Missing_Rows.RemoveAll();
    for (int i = 0; i < All_Rows.GetSize(); ++i)
        delete All_Rows[i];
    All_Rows.RemoveAll();
}

void Dlg_Font::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_FONT_LIST, List);
    DDX_Check(exchange, IDC_FONT_SHOW_ALL, Show_All);
}

BOOL Dlg_Font::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    Set_Picture_Button(Ok_Button, this, IDOK, IDI_OK_HOVER, IDI_OK_IDLE);
    Set_Picture_Button(Ok_No_Regen_Button, this, IDC_FONT_OK_NO_REGEN, IDI_OK_HOVER, IDI_OK_IDLE);
    Set_Picture_Button(Cancel_Button, this, IDCANCEL, IDI_CANCEL_HOVER, IDI_CANCEL_IDLE);
    Set_Picture_Button(Replace_Standard_Button, this, IDC_FONT_REPLACE_STANDARD, IDI_BPLOT1_TOOL_HOVER,
                       IDI_BPLOT1_TOOL_IDLE);
    Set_Picture_Button(Replace_Big_Button, this, IDC_FONT_REPLACE_BIG, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    CRect client;
    List.GetClientRect(&client);
    const double w = client.Width() / 7.0;
    List.InsertColumn(0, L"序号", LVCFMT_CENTER, int(0.8 * w));
    List.InsertColumn(1, L" 字体样式名称 ", LVCFMT_CENTER, int(2 * w));
    List.InsertColumn(2, L" 标准字体文件 ", LVCFMT_CENTER, int(2 * w));
    List.InsertColumn(3, L" 大字体文件 ", LVCFMT_CENTER, int(2 * w));

    if (Missing_Rows.GetSize() == 0) {
        Show_All = 1;
        if (CWnd* check = GetDlgItem(IDC_FONT_SHOW_ALL))
            check->EnableWindow(FALSE);
    }
    UpdateData(FALSE);
    Fill_List();
    Update_Replace_Buttons();
    return TRUE;
}

HBRUSH Dlg_Font::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiDialog::OnCtlColor(dc, window, control_type);
    if (window != nullptr && window->GetDlgCtrlID() == IDC_FONT_MISSING_LABEL)
        dc->SetTextColor(RGB(255, 0, 0));
    return brush;
}

void Dlg_Font::Fill_List()
{
    List.DeleteAllItems();
    List.Mark_Rows.removeAll();
    List.Mark_Columns.removeAll();
    List.Hover_Columns.removeAll();
    List.Group_Columns.removeAll();
    for (int column : {2, 3}) {
        List.Hover_Columns.append(column);
        List.Group_Columns.append(column);
    }
    const CArray<Text_Style*, Text_Style*>& rows = Shown_Rows();
    for (int i = 0; i < rows.GetSize(); ++i) {
        const Text_Style* row = rows[i];
        CString number;
        number.Format(L"%2d", i + 1);
        List.InsertItem(i, number);
        List.SetItemText(i, 1, row->Style_Name);
        const CString& standard = Standard_Shown(row);
        List.SetItemText(i, 2, standard.IsEmpty() ? CString(L"---") : standard);
        List.SetItemText(i, 3, row->Big_File.IsEmpty() ? CString(L"---") : row->Big_File);
        if (row->Any_Missing)
            List.Add_Mark_Cell(i, 0);
        if (row->Standard_Missing)
            List.Add_Mark_Cell(i, 2);
        if (row->Big_Missing)
            List.Add_Mark_Cell(i, 3);
    }
}

void Dlg_Font::Update_Replace_Buttons()
{
    bool standard = false, big = false;
    const CArray<Text_Style*, Text_Style*>& rows = Shown_Rows();
    for (int i = 0; i < rows.GetSize(); ++i) {
        standard = standard || rows[i]->Standard_Missing;
        big = big || rows[i]->Big_Missing;
    }
    if (CWnd* button = GetDlgItem(IDC_FONT_REPLACE_STANDARD))
        button->EnableWindow(standard);
    if (CWnd* button = GetDlgItem(IDC_FONT_REPLACE_BIG))
        button->EnableWindow(big);
}

void Dlg_Font::On_Show_All()
{
    UpdateData(TRUE);
    Fill_List();
    Update_Replace_Buttons();
}

void Dlg_Font::On_Replace_Standard() { Pick_Font_File(0, ZcArray<int>()); }
void Dlg_Font::On_Replace_Big() { Pick_Font_File(1, ZcArray<int>()); }

void Dlg_Font::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const int row = item->iItem, column = item->iSubItem;
    if (row < 0 || row >= List.GetItemCount() || (column != 2 && column != 3))
        return;
    Pick_Font_File(column == 2 ? 0 : 1, Click_Rows(List, row, column));
}

void Dlg_Font::On_Column_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    if (column < 1 || column > 3)
        return;
    g_Font_Sort_Toggles[column] = !g_Font_Sort_Toggles[column];
    Sort_Text_Styles(Shown_Rows(), column, g_Font_Sort_Toggles[column] != 0);
    Fill_List();
}

void Dlg_Font::Pick_Font_File(int kind, const ZcArray<int>& rows)
{
    for (int i = 0; i < rows.length(); ++i)
        List.SetItemState(rows[i], LVIS_SELECTED, LVIS_SELECTED);
    const Font_List& fonts = kind == 0 ? Inventory.Standard_Shx : Inventory.Big_Shx;
    CStringArray items;
    for (int i = 0; i < fonts.GetSize(); ++i)
        items.Add(fonts[i]->File_Name);
    const int n = int(items.GetSize());

    Dlg_Options picker(this);
    picker.Title = kind == 0 ? L"选择标准字体文件" : L"选择大字体文件";
    picker.Extra_Columns = Font_Picker_Extra_Columns(n);
    picker.Item_Width = (picker.Extra_Columns + 1) * 120;
    picker.Items.Copy(items);
    CString& remembered = kind == 0 ? g_Plot_Config.Shx_Font : g_Plot_Config.Shx_Big_Font;
    CString preselect = remembered;
    CArray<Text_Style*, Text_Style*>& shown = Shown_Rows();
    if (rows.length() == 1 && rows[0] >= 0 && rows[0] < shown.GetSize()) {
        const CString& current = kind == 0 ? shown[rows[0]]->Standard_File : shown[rows[0]]->Big_File;
        for (int i = 0; !current.IsEmpty() && i < n; ++i)
            if (items[i].CompareNoCase(current) == 0)
                preselect = current;
    }
    picker.Choice = -1;
    for (int i = 0; i < n && picker.Choice < 0; ++i)
        if (items[i].CompareNoCase(preselect) == 0)
            picker.Choice = i;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= n)
        return;
    const CString name = items[picker.Choice];
    if (rows.length() > 0) {
        for (int i = 0; i < rows.length(); ++i)
            Set_Row_Font(kind, rows[i], name);
    } else {
        for (int i = 0; i < shown.GetSize(); ++i)
            if (kind == 0 ? shown[i]->Standard_Missing : shown[i]->Big_Missing)
                Set_Row_Font(kind, i, name);
    }
    remembered = name;
    Update_Replace_Buttons();
}

void Dlg_Font::Set_Row_Font(int kind, int row, const CString& name)
{
    CArray<Text_Style*, Text_Style*>& shown = Shown_Rows();
    if (row < 0 || row >= shown.GetSize())
        return;
    Text_Style* style = shown[row];
    CString lower = name;
    lower.MakeLower();
    const int column = kind == 1 ? 3 : 2;
    if (kind == 1) {
        style->Big_File = lower;
        style->Big_Missing = 0;
    } else {
        style->Standard_File = lower;
        style->Typeface.Empty();
        style->Standard_Missing = 0;
    }
    List.SetItemText(row, column, lower);
    List.Remove_Mark_Cell(row, column);
}

void Dlg_Font::OnOK()
{
    Regen = 1;
    CZcUiDialog::OnOK();
}

void Dlg_Font::On_Ok_Without_Regen() { CZcUiDialog::OnOK(); }

void Dlg_Font::OnCancel() { CZcUiDialog::OnCancel(); }
