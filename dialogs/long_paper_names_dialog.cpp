#include "dialogs/long_paper_names_dialog.h"

#include "core/file_name_rules.h"
#include "core/string_helpers.h"
#include "res/resource.h"
#include "titleblock/tk_library.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

const wchar_t* const Row_Indent = L"   ";

// A heading row and the row it is inserted at, in the order of insertion (from the
// bottom, so that the rows above keep their places).
struct Paper_Heading {
    int row;
    const wchar_t* text;
};
const Paper_Heading Paper_Headings[] = {{39, L"   A0加长"}, {27, L"   A1加长"}, {7, L"   A2加长"}, {0, L"   A3加长"}};

// "A3+1∕2" shows as "   + 1∕2": the base size left out, a blank after the sign.
CString Size_Text(const CString& name)
{
    CString rest = name.Mid(2);
    if (!rest.IsEmpty()) rest.Insert(1, L' ');
    return Row_Indent + rest;
}

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_TK_Name_Define, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_LONG_NAMES_LIST, On_List_Click)
    ON_EN_KILLFOCUS(IDC_LONG_NAME_EDIT, On_Edit_Kill_Focus)
    ON_BN_CLICKED(IDC_LONG_NAMES_RESET, Reset_Names)
END_MESSAGE_MAP()

Dlg_TK_Name_Define::Dlg_TK_Name_Define(CWnd* parent) : CDialog(IDD_DLG_TK_NAME_DEFINE, parent) {}
Dlg_TK_Name_Define::~Dlg_TK_Name_Define() = default;

BOOL Dlg_TK_Name_Define::PreTranslateMessage(MSG* message)
{
    if (Tool_Tip.GetSafeHwnd() != nullptr) Tool_Tip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

BOOL Dlg_TK_Name_Define::OnInitDialog()
{
    CDialog::OnInitDialog();
    Setup_Ok_Cancel(this, Ok_Button, Cancel_Button);
    Reset_Button.SubclassDlgItem(IDC_LONG_NAMES_RESET, this);
    Reset_Button.Set_Cursor(IDR_HAND_CURSOR);
    Reset_Button.Set_Hover_Text_Color(RGB(255, 0, 0), 0);
    Edit.SubclassDlgItem(IDC_LONG_NAME_EDIT, this);
    List.SubclassDlgItem(IDC_LONG_NAMES_LIST, this);

    Tool_Tip.Create(this);
    Tool_Tip.AddTool(&List, L"点击列表对应项输入或修改命名");
    Tool_Tip.SetDelayTime(1000);
    Tool_Tip.SetTipTextColor(RGB(0, 64, 64));
    Tool_Tip.Activate(TRUE);

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect client;
    List.GetClientRect(&client);
    const int width = static_cast<int>(client.Width() / 2.3);
    List.InsertColumn(0, L"  加长纸张", LVCFMT_LEFT, width);
    List.InsertColumn(1, L"  纸张命名", LVCFMT_LEFT, width);
    List.Hover_Mode = 1;
    List.Hover_Columns.append(1);

    Fill_Rows();
    Names.Copy(g_TK_Library.Long_Paper_Names);
    Fill_Names();
    return TRUE;
}

void Dlg_TK_Name_Define::Fill_Rows()
{
    CStringArray defaults;
    Reset_Long_Paper_Names(defaults);
    for (int i = 0; i < defaults.GetSize(); ++i) {
        List.InsertItem(i, Size_Text(defaults[i]));
        Row_Map.append(i);
    }
    for (const Paper_Heading& heading : Paper_Headings) {
        List.InsertItem(heading.row, heading.text);
        Row_Map.insertAt(heading.row, -1);
    }
    for (int row = 0; row < Row_Map.length(); ++row)
        if (Row_Map[row] < 0) {
            List.No_Hover_Rows.append(row);
            List.Dark_Rows.append(row);
        }
}

void Dlg_TK_Name_Define::Fill_Names()
{
    for (int row = 0; row < Row_Map.length(); ++row) {
        const int index = Row_Map[row];
        if (index >= 0 && index < Names.GetSize()) List.SetItemText(row, 1, Row_Indent + Names[index]);
    }
}

void Dlg_TK_Name_Define::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    Begin_Edit(item->iItem, item->iSubItem, CPoint(item->ptAction));
}

void Dlg_TK_Name_Define::Begin_Edit(int row, int column, CPoint point)
{
    if (Edit_Row >= 0 || row < 0 || row >= Row_Map.length() || column != 1) return;
    const int index = Row_Map[row];
    CRect cell;
    if (index < 0 || index >= Names.GetSize() || !List.GetSubItemRect(row, 1, LVIR_BOUNDS, cell)) return;
    if (point.y < cell.top || point.y > cell.bottom) return;
    Edit_Row = row;
    Edit_Text = Names[index];
    Edit.SetWindowText(Edit_Text);
    List.ClientToScreen(&cell);
    ScreenToClient(&cell);
    // Above the list (the top of the siblings' order).
    Edit.SetWindowPos(nullptr, cell.left, cell.top, cell.Width(), cell.Height(), SWP_SHOWWINDOW);
    List.Edit_Row = row;
    Edit.SetFocus();
    Edit.SetSel(0, 10);
}

void Dlg_TK_Name_Define::On_Edit_Kill_Focus()
{
    if (Edit.IsWindowVisible()) End_Edit();
}

void Dlg_TK_Name_Define::End_Edit()
{
    if (Edit_Row < 0) return;
    Edit.GetWindowText(Edit_Text);
    Remove_Blanks(Edit_Text);
    Valid_File_Name(Edit_Text, true);
    const int row = Edit_Row;
    Edit_Row = -1;
    List.Edit_Row = -1;
    Names[Row_Map[row]] = Edit_Text;
    List.SetItemText(row, 1, Row_Indent + Edit_Text);
    Edit.ShowWindow(SW_HIDE);
}

void Dlg_TK_Name_Define::Reset_Names()
{
    if (MessageBox(L"确实要重置吗 ?", L"加长图框命名", MB_YESNO) != IDYES) return;
    Reset_Long_Paper_Names(Names);
    Fill_Names();
}

void Dlg_TK_Name_Define::OnOK()
{
    // Enter in the edit ends the dialog before the edit loses the focus.
    if (Edit.IsWindowVisible()) End_Edit();
    g_TK_Library.Long_Paper_Names.Copy(Names);
    EndDialog(IDOK);
}
