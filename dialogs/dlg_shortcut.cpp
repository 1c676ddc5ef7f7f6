#include "dialogs/dlg_shortcut.h"

#include "core/command_names.h"
#include "core/menu.h"
#include "core/plot_config.h"
#include "core/shortcut_table.h"
#include "core/string_helpers.h"
#include "res/resource.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

const wchar_t* const Shortcut_Caption = L"快捷命令设置";

struct Shortcut_Row {
    int number;  // 0: a separator row
    const wchar_t* label;
};

// The commands in the order of the menu; 9, 10, 11 and 12 take no alias.
const Shortcut_Row Shortcut_Rows[] = {
    {1, L"  单张打印到文件"},  {2, L"  批打到文件(通用型)"}, {4, L"  批打到文件(图框型)"},
    {5, L"  批打到纸张(新版)"}, {16, L"  批打到纸张(旧版)"},   {0, L""},
    {14, L"  打印设置"},       {3, L"  图框信息库管理"},     {6, L"  签名库管理"},
    {13, L"  印章库管理"},     {0, L""},                     {7, L"  签名插入"},
    {8, L"  签名授权"},        {17, L"  生成外框"},          {22, L"  插入图框"},
    {15, L"  刷字符内容"},     {19, L"  刷图块属性"},        {20, L"  字体文件检查"},
    {21, L"  字体文件导出"},   {18, L"  真彩色-->索引色"},
};

}  // namespace

BEGIN_MESSAGE_MAP(Dlg_ShortCut, CDialog)
    ON_NOTIFY(NM_CLICK, IDC_SC_LIST, Dlg_ShortCut::On_List_Click)
    ON_EN_KILLFOCUS(IDC_SC_EDIT, On_Edit_Kill_Focus)
    ON_BN_CLICKED(IDC_SC_CLEAR, On_Clear)
END_MESSAGE_MAP()

Dlg_ShortCut::Dlg_ShortCut(CWnd* parent) : CDialog(IDD_DLG_SHORTCUT, parent) {}
Dlg_ShortCut::~Dlg_ShortCut() = default;

void Dlg_ShortCut::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_SC_LIST, List);
    DDX_Control(exchange, IDC_SC_EDIT, Edit);
    DDX_Text(exchange, IDC_SC_EDIT, Edit_Text);
}

BOOL Dlg_ShortCut::OnInitDialog()
{
    CDialog::OnInitDialog();
    Start_Value_Dialog(this, Ok_Button, Cancel_Button);
    Clear_Button.SubclassDlgItem(IDC_SC_CLEAR, this);
    Clear_Button.Set_Icon(IDI_CLEAR_HOVER, IDI_CLEAR_IDLE, 32);
    Clear_Button.Set_Cursor(IDR_HAND_CURSOR);
    Clear_Button.Set_Hover_Text_Color(RGB(255, 0, 0), 0);

    Tooltip.Create(this);
    Tooltip.SetDelayTime(1000);
    Tooltip.SetTipTextColor(RGB(0, 64, 64));
    Tooltip.Activate(TRUE);
    Tooltip.AddTool(&List, L"点击列表对应项输入或修改快捷命令");

    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    CRect client;
    List.GetClientRect(&client);
    List.InsertColumn(0, L"    功  能", LVCFMT_CENTER, client.Width() * 2 / 3);
    List.InsertColumn(1, L"对应快捷命令", LVCFMT_CENTER, client.Width() / 3);
    List.Hover_Mode = 1;
    List.Hover_Columns.append(1);

    Row_Count = 0;
    Numbers.removeAll();
    Aliases.removeAll();
    for (const Shortcut_Row& row : Shortcut_Rows) {
        if (row.number == 0) {  // a separator: grey, out of the mouse's reach
            List.No_Hover_Rows.append(Row_Count);
            List.Dark_Rows.append(Row_Count);
        }
        List.InsertItem(Row_Count++, row.label);
        Numbers.append(row.number);
        Aliases.append(row.number > 0 ? Get_Shortcut_Name(row.number) : CString());
    }
    Show_Aliases();
    return TRUE;
}

BOOL Dlg_ShortCut::PreTranslateMessage(MSG* message)
{
    if (Tooltip.GetSafeHwnd() != nullptr) Tooltip.RelayEvent(message);
    return CDialog::PreTranslateMessage(message);
}

void Dlg_ShortCut::Show_Aliases()
{
    for (int row = 0; row < Row_Count; ++row) List.SetItemText(row, 1, Aliases[row]);
    UpdateData(FALSE);
}

CRect Dlg_ShortCut::Get_Cell_Rect(int row, int column)
{
    CRect cell;
    List.GetSubItemRect(row, column, LVIR_BOUNDS, cell);
    List.ClientToScreen(&cell);
    ScreenToClient(&cell);
    return cell;
}

void Dlg_ShortCut::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const int row = item->iItem;
    if (Edit.IsWindowVisible() || row < 0 || row >= Row_Count || Numbers[row] <= 0 || item->iSubItem != 1) return;
    Edit_Row = row;
    Edit_Text = Aliases[row];
    Edit.SetWindowText(Edit_Text);

    const CRect cell = Get_Cell_Rect(row, 1);
    CPoint cursor;
    GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (cursor.y < cell.top || cursor.y > cell.bottom) return;
    Edit.MoveWindow(&cell);
    Edit.ShowWindow(SW_SHOW);
    List.Edit_Row = row;
    Edit.SetFocus();
    Edit.SetSel(0, 10, FALSE);
}

void Dlg_ShortCut::On_Edit_Kill_Focus()
{
    if (!Edit.IsWindowVisible()) return;
    Edit.GetWindowText(Edit_Text);
    if (Edit_Row >= 0 && Edit_Row < Row_Count && Numbers[Edit_Row] > 0) {
        Remove_Blanks(Edit_Text);
        Aliases[Edit_Row] = Edit_Text;
        List.SetItemText(Edit_Row, 1, Edit_Text);
    }
    Edit.ShowWindow(SW_HIDE);
    List.Edit_Row = -1;
}

void Dlg_ShortCut::On_Clear()
{
    if (MessageBox(L"确实要删除全部快捷命令吗 ?", Shortcut_Caption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    for (int row = 0; row < Row_Count; ++row) Aliases[row].Empty();
    Show_Aliases();
}

void Dlg_ShortCut::OnOK()
{
    // Enter in the edit box ends the dialog without moving the focus: commit the edit first.
    On_Edit_Kill_Focus();
    CString message;
    const int refused = Find_Refused_Alias(Aliases, message);
    if (refused >= 0) {
        MessageBox(message, Shortcut_Caption, MB_OK | MB_ICONEXCLAMATION);
        List.SetItemState(refused, LVIS_SELECTED, LVIS_SELECTED);
        List.EnsureVisible(refused, FALSE);
        return;
    }

    Shortcut_Table& table = g_Plot_Config.Shortcuts;
    table.Clear();
    for (int row = 0; row < Row_Count; ++row)
        if (Numbers[row] > 0 && !Aliases[row].IsEmpty()) table.Add(Numbers[row], Aliases[row]);
    Refresh_Menu(true);
    g_Plot_Config.Save(true);
    g_Register_Commands();
    EndDialog(IDOK);
}
