#include "tools/dlg_prop_revise.h"

#include <utility>

#include "core/attribute_helpers.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "res/resource.h"
#include "ui/small_value_dialogs.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

enum Prop_Column { Prop_Number, Prop_Checked, Prop_Tag, Prop_Value, Prop_Column_Count };

// True when the pair is out of the order the toggle asks for.
bool Out_Of_Order(const CString& first, const CString& second, int ascending)
{
    const int compared = first.Compare(second);
    return ascending == 1 ? compared > 0 : compared < 0;
}

void Bubble_Sort_Rows(std::vector<Attribute_Row>& rows, CString Attribute_Row::*key, int ascending)
{
    for (size_t end = rows.size(); end > 1; --end)
        for (size_t i = 0; i + 1 < end; ++i)
            if (Out_Of_Order(rows[i].*key, rows[i + 1].*key, ascending))
                std::swap(rows[i], rows[i + 1]);
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_Prop_Revise, CZcUiDialog)
    ON_BN_CLICKED(IDC_PROP_REFRESH, On_Refresh)
    ON_NOTIFY(NM_CLICK, IDC_PROP_LIST, On_Click)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_PROP_LIST, On_Column_Header_Click)
END_MESSAGE_MAP()

Dlg_Prop_Revise::Dlg_Prop_Revise(CWnd* parent) : CZcUiDialog(IDD_DLG_PROP_REVISE, parent) {}
Dlg_Prop_Revise::~Dlg_Prop_Revise() = default;

void Dlg_Prop_Revise::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_PROP_LIST, List);
}

BOOL Dlg_Prop_Revise::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    Exit_Button.SubclassDlgItem(IDOK, this);
    Exit_Button.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    Exit_Button.Set_Cursor(IDR_HAND_CURSOR);
    Refresh_Button.SubclassDlgItem(IDC_PROP_REFRESH, this);
    Refresh_Button.Set_Icon(IDI_REFRESH_HOVER, IDI_REFRESH_IDLE, 32);
    Refresh_Button.Set_Cursor(IDR_HAND_CURSOR);

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    const wchar_t* const headings[Prop_Column_Count] = {L"序 号", L" 刷 新 ", L" 属 性 名 ", L" 属 性 值 "};
    for (int column = 0; column < Prop_Column_Count; ++column)
        List.InsertColumn(column, headings[column], LVCFMT_CENTER, 1);
    Sort_By_Tag();
    Fill_List();
    Update_Refresh_Button();
    return TRUE;
}

void Dlg_Prop_Revise::Sort_By_Tag()
{
    Bubble_Sort_Rows(Rows, &Attribute_Row::Tag, Tag_Order);
    Tag_Order = Tag_Order == 1 ? 0 : 1;
}

void Dlg_Prop_Revise::Sort_By_Value()
{
    Bubble_Sort_Rows(Rows, &Attribute_Row::Value, Value_Order);
    Value_Order = Value_Order == 1 ? 0 : 1;
}

void Dlg_Prop_Revise::Show_Row(int row)
{
    const Attribute_Row& item = Rows[static_cast<size_t>(row)];
    CString number;
    number.Format(L"%2d", row + 1);
    List.SetItemText(row, Prop_Number, number);
    List.SetItemText(row, Prop_Checked, item.Checked ? L"√" : L"X");
    List.SetItemText(row, Prop_Tag, item.Tag);
    List.SetItemText(row, Prop_Value, item.Value);
}

void Dlg_Prop_Revise::Fill_List()
{
    List.DeleteAllItems();
    List.Hover_Columns.removeAll();
    List.Hover_Columns.append(Prop_Checked);
    List.Hover_Columns.append(Prop_Value);
    List.Grey_Rows.removeAll();
    for (size_t i = 0; i < Rows.size(); ++i) {
        const int row = static_cast<int>(i);
        List.InsertItem(row, L"");
        Show_Row(row);
        if (!Rows[i].Checked)
            List.Grey_Rows.append(row);
    }
    Fit_List_Columns(&List, this);
}

void Dlg_Prop_Revise::Update_Refresh_Button()
{
    bool any = false;
    for (const Attribute_Row& row : Rows)
        any = any || row.Checked;
    GetDlgItem(IDC_PROP_REFRESH)->EnableWindow(any);
}

void Dlg_Prop_Revise::Toggle_Row(int row)
{
    Attribute_Row& item = Rows[static_cast<size_t>(row)];
    item.Checked = !item.Checked;
    List.Grey_Rows.removeAll();
    for (size_t i = 0; i < Rows.size(); ++i)
        if (!Rows[i].Checked)
            List.Grey_Rows.append(static_cast<int>(i));
    Show_Row(row);
    List.Invalidate();
    Update_Refresh_Button();
}

void Dlg_Prop_Revise::Edit_Value(int row)
{
    Attribute_Row& item = Rows[static_cast<size_t>(row)];
    Dlg_Str edit(this);
    edit.Str_Mode = 8;
    edit.Edit_Text = item.Value;
    if (edit.DoModal() != IDOK)
        return;
    item.Value = edit.Edit_Text;
    Trim_Blanks(item.Value);
    List.SetItemText(row, Prop_Value, item.Value);
    Fit_List_Column(&List, Prop_Value, this);
}

void Dlg_Prop_Revise::On_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    On_List_Click(click->iItem, click->iSubItem);
}

void Dlg_Prop_Revise::On_List_Click(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(Rows.size()))
        return;
    if (column == Prop_Checked)
        Toggle_Row(row);
    else if (column == Prop_Value)
        Edit_Value(row);
}

void Dlg_Prop_Revise::On_Column_Header_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    On_Column_Click(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
}

void Dlg_Prop_Revise::On_Column_Click(int column)
{
    switch (column) {
    case Prop_Checked:
        for (Attribute_Row& row : Rows)
            row.Checked = Check_All_Toggle != 0;
        Check_All_Toggle = Check_All_Toggle == 0 ? 1 : 0;
        Update_Refresh_Button();
        break;
    case Prop_Tag:
        Sort_By_Tag();
        break;
    case Prop_Value:
        Sort_By_Value();
        break;
    default:
        return;
    }
    Fill_List();
}

void Dlg_Prop_Revise::On_Refresh()
{
    BeginEditorCommand();
    ZcDbObjectIdArray ids;
    if (Select_By_Type(L"\n选择属性图块：", L"insert", ids, false, false)) {
        for (const Attribute_Row& row : Rows) {
            if (!row.Checked)
                continue;
            ZcDbObjectIdArray targets = ids;
            Set_Inserts_Attribute(targets, row.Tag, row.Value);
        }
        Update_Screen();
    }
    CompleteEditorCommand();
}

void Dlg_Prop_Revise::OnOK()
{
    Rows.clear();
    CZcUiDialog::OnOK();
}

void Dlg_Prop_Revise::OnCancel()
{
    Rows.clear();
    CZcUiDialog::OnCancel();
}
