#include "dialogs/dlg_put_tk_setting.h"

#include "core/file_dialogs.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "dialogs/print_order_picture.h"
#include "res/resource.h"
#include "ui/dlg_pos_select.h"
#include "ui/link_label.h"
#include "ui/module_resources.h"
#include "ui/small_value_dialogs_frame.h"

namespace {

const wchar_t* const Scale_Items[8] = {L"  不缩放", L" 任意缩放", L"   1 %", L"   5 %",
                                       L"  10 %",   L"  15 %",    L"  20 %", L"  25 %"};
const int Standard_Percents[6] = {1, 5, 10, 15, 20, 25};

// The combo index of a standard percent (2..7), or 8 for any other.
int Index_Of_Percent(int percent)
{
    for (int i = 0; i < 6; ++i)
        if (Standard_Percents[i] == percent)
            return i + 2;
    return 8;
}

}  // namespace

bool g_Scale_Combo_Live = true;
bool g_Path_Label_Hover = false;

CString Get_Position_Name(int code)
{
    static const wchar_t* const Names[9] = {L"不生成", L"左 下", L"左 上", L"右 下", L"右 上",
                                            L"上 中", L"下 中", L"左 中", L"右 中"};
    return code >= 1 && code <= 8 ? Names[code] : Names[0];
}

bool Parse_Scale_Text(CString text, int& step_index, int& custom_percent)
{
    const bool no_scaling = text.Find(L"不缩放") >= 0;
    text.Remove(L'%');
    text.Remove(L' ');
    int value = Str_To_Int(text);
    if (value < 0)
        value = 0;
    const int percent = std::min(value, 100);
    const int index = value == 0 ? 1 : Index_Of_Percent(value);
    if (no_scaling) {
        if (step_index == 0)
            return false;
        step_index = 0;
        return true;
    }
    if ((index < 8 && index == step_index) || (index == 8 && percent == custom_percent && step_index == 8))
        return false;
    step_index = index;
    if (index == 8)
        custom_percent = percent;
    return true;
}

void Fill_Scale_Combo(CComboBox* combo, int& step_index, int custom_percent)
{
    combo->ResetContent();
    for (const wchar_t* item : Scale_Items)
        combo->AddString(item);
    int custom_index = 1;
    if (custom_percent > 0) {
        custom_index = Index_Of_Percent(custom_percent);
        if (custom_index == 8) {
            CString item;
            item.Format(L"  %d %%", custom_percent);
            combo->AddString(item);
        }
    }
    if (step_index < 0)
        step_index = 1;
    else if (step_index == 8)
        step_index = custom_index;
}

BEGIN_MESSAGE_MAP(Dlg_Put_TK_Setting, CZcUiDialog)
    ON_BN_CLICKED(IDC_PTK_MODE_CENTRE, On_Mode_Click)
    ON_BN_CLICKED(IDC_PTK_MODE_CORNER, On_Mode_Click)
    ON_BN_CLICKED(IDC_PTK_MODE_WRAP, On_Mode_Click)
    ON_BN_CLICKED(IDC_PTK_ADD, Add_TK)
    ON_BN_CLICKED(IDC_PTK_TEXT_POS, Pick_Text_Position)
    ON_CBN_SELCHANGE(IDC_PTK_SCALE_COMBO, On_Scale_Change)
    ON_CBN_KILLFOCUS(IDC_PTK_SCALE_COMBO, On_Scale_Leave)
    ON_NOTIFY(NM_CLICK, IDC_PTK_LIST, On_List_Click)
    ON_NOTIFY(NM_DBLCLK, IDC_PTK_LIST, On_List_Double_Click)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PTK_LIST, On_List_Item_Changed)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_CTLCOLOR()
    ON_WM_PAINT()
END_MESSAGE_MAP()

Dlg_Put_TK_Setting::Dlg_Put_TK_Setting(CWnd* parent) : CZcUiDialog(IDD_DLG_PUT_TK_SETTING, parent) {}

Dlg_Put_TK_Setting::~Dlg_Put_TK_Setting() { Clear_Single_TK_List(Drawings); }

void Dlg_Put_TK_Setting::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_PTK_FOLDER, Folder);
    DDX_Radio(exchange, IDC_PTK_MODE_CENTRE, Insert_Mode);
    DDX_CBIndex(exchange, IDC_PTK_SCALE_COMBO, Step_Index);
}

BOOL Dlg_Put_TK_Setting::OnInitDialog()
{
    CZcUiDialog::OnInitDialog();
    Set_Module_Icon(this);
    Place_At_Cursor(this);
    Setup_Picture_Button(this, Close_Button, IDOK, IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    Setup_Picture_Button(this, Add_Button, IDC_PTK_ADD, IDI_ADD_FRAME_HOVER, IDI_ADD_FRAME_IDLE, 16);
    Setup_Picture_Button(this, Position_Button, IDC_PTK_TEXT_POS, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE, 32);
    List.SubclassDlgItem(IDC_PTK_LIST, this);
    Tip.Create(this);
    Tip.SetDelayTime(1000);
    Tip.SetTipTextColor(0x404000);
    Tip.AddTool(&List, L"双击空白处录入新图框");
    Tip.Activate(TRUE);
    List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    List.Hover_Mode = 2;
    CRect client;
    List.GetClientRect(&client);
    const int x = static_cast<int>(client.Width() / 12.5);
    List.InsertColumn(0, L"序 号", LVCFMT_CENTER, 2 * x);
    List.InsertColumn(1, L" 图    框 ", LVCFMT_CENTER, 6 * x);
    List.InsertColumn(2, L"删 除", LVCFMT_CENTER, 2 * x);
    List.InsertColumn(3, L"重定义", LVCFMT_CENTER, 2 * x);

    Folder = g_Plot_Config.TK_Folder;
    Insert_Mode = g_Plot_Config.TK_Insert_Mode;
    Step_Index = g_Plot_Config.TK_Scale_Step;
    Custom_Percent = g_Plot_Config.TK_Scale_Custom;
    Text_Pos = g_Plot_Config.TK_Text_Pos;
    Fill_Scale_Combo(static_cast<CComboBox*>(GetDlgItem(IDC_PTK_SCALE_COMBO)), Step_Index, Custom_Percent);
    UpdateData(FALSE);
    Fill_TK_List();
    SetDlgItemText(IDC_PTK_TEXT_POS, Get_Position_Name(Text_Pos));
    return TRUE;
}

void Dlg_Put_TK_Setting::Fill_TK_List()
{
    UpdateData(TRUE);
    List_TK_Drawings(Folder, Drawings);
    List.DeleteAllItems();
    List.Hover_Columns.removeAll();
    for (int column : {1, 2, 3})
        List.Hover_Columns.append(column);
    for (INT_PTR i = 0; i < Drawings.GetSize(); ++i)
        Add_Row(static_cast<int>(i));
    List.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void Dlg_Put_TK_Setting::Add_Row(int index)
{
    CString number;
    number.Format(L"%2d", index + 1);
    List.InsertItem(index, number);
    List.SetItemText(index, 1, Single_TK_Title(*Drawings[index]));
    List.SetItemText(index, 2, L"DEL");
    List.SetItemText(index, 3, L"REDEFINE");
}

void Dlg_Put_TK_Setting::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    g_Plot_Config.TK_Folder = Folder;
    g_Plot_Config.TK_Insert_Mode = Insert_Mode;
    g_Plot_Config.TK_Scale_Step = Step_Index;
    g_Plot_Config.TK_Scale_Custom = Custom_Percent;
    g_Plot_Config.TK_Text_Pos = Text_Pos;
    g_Plot_Config.Save(true);
    Clear_Single_TK_List(Drawings);
    EndDialog(IDOK);
}

void Dlg_Put_TK_Setting::OnCancel() { OnOK(); }

BOOL Dlg_Put_TK_Setting::PreTranslateMessage(MSG* message)
{
    Tip.RelayEvent(message);
    return CZcUiDialog::PreTranslateMessage(message);
}

void Dlg_Put_TK_Setting::On_Mode_Click() { UpdateData(TRUE); }

void Dlg_Put_TK_Setting::On_Scale_Change()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_PTK_SCALE_COMBO));
    g_Scale_Combo_Live = false;
    const int before = Step_Index;
    UpdateData(TRUE);
    if (Step_Index != before && Step_Index >= 0) {
        CString text;
        combo->GetLBText(Step_Index, text);
        Step_Index = before;
        Parse_Scale_Text(text, Step_Index, Custom_Percent);
        UpdateData(FALSE);
    }
    g_Scale_Combo_Live = true;
}

void Dlg_Put_TK_Setting::On_Scale_Leave()
{
    if (!g_Scale_Combo_Live)
        return;
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_PTK_SCALE_COMBO));
    CString text;
    combo->GetWindowText(text);
    UpdateData(TRUE);
    Parse_Scale_Text(text, Step_Index, Custom_Percent);
    Fill_Scale_Combo(combo, Step_Index, Custom_Percent);
    UpdateData(FALSE);
}

void Dlg_Put_TK_Setting::Pick_Text_Position()
{
    Module_Resource_Scope resources;
    Dlg_Pos_Select picker(this);
    picker.Title = L"选择文字位置";
    picker.Choice = Text_Pos;
    if (picker.DoModal() != IDOK)
        return;
    Text_Pos = picker.Choice;
    SetDlgItemText(IDC_PTK_TEXT_POS, Get_Position_Name(Text_Pos));
}

void Dlg_Put_TK_Setting::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    switch (item->iSubItem) {
    case 1: Rename_TK(item->iItem); break;
    case 2: Delete_TK(item->iItem); break;
    case 3: Redefine_TK(item->iItem); break;
    default: break;
    }
}

void Dlg_Put_TK_Setting::On_List_Double_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (item->iItem < 0 && List.Get_First_Selected() < 0)
        Add_TK();
}

void Dlg_Put_TK_Setting::On_List_Item_Changed(NMHDR* /*header*/, LRESULT* result)
{
    *result = 0;
    InvalidateRect(Control_Client_Rect(this, IDC_PTK_PREVIEW), FALSE);
}

void Dlg_Put_TK_Setting::OnMouseMove(UINT flags, CPoint point)
{
    CZcUiDialog::OnMouseMove(flags, point);
    const bool hover = Control_Client_Rect(this, IDC_PTK_FOLDER).PtInRect(point) != FALSE;
    if (hover == g_Path_Label_Hover)
        return;
    g_Path_Label_Hover = hover;
    GetDlgItem(IDC_PTK_FOLDER)->Invalidate();
}

void Dlg_Put_TK_Setting::OnLButtonDown(UINT flags, CPoint point)
{
    CZcUiDialog::OnLButtonDown(flags, point);
    if (Control_Client_Rect(this, IDC_PTK_FOLDER).PtInRect(point))
        Browse_TK_Folder();
}

HBRUSH Dlg_Put_TK_Setting::OnCtlColor(CDC* dc, CWnd* window, UINT control_type)
{
    HBRUSH brush = CZcUiDialog::OnCtlColor(dc, window, control_type);
    if (window != nullptr && window->GetDlgCtrlID() == IDC_PTK_FOLDER)
        Set_Link_Label_Look(dc, this, Folder_Font, g_Path_Label_Hover, RGB(0, 0, 200), RGB(0, 0, 255));
    return brush;
}

void Dlg_Put_TK_Setting::Browse_TK_Folder()
{
    g_Last_Browse_Folder = Folder;
    CString chosen;
    if (!Browse_Folder(GetSafeHwnd(), L"请选择图框文件所在文件夹...", chosen))
        return;
    Folder = chosen;
    UpdateData(FALSE);
    Fill_TK_List();
    Invalidate();
}

void Dlg_Put_TK_Setting::Report(const CString& text, const wchar_t* caption)
{
    MessageBox(text, caption, MB_OK | MB_ICONINFORMATION);
}

bool Dlg_Put_TK_Setting::Name_Taken(const CString& file_name, int except_row) const
{
    for (INT_PTR i = 0; i < Drawings.GetSize(); ++i)
        if (i != except_row && Drawings[i]->File_Name.CompareNoCase(file_name) == 0)
            return true;
    return false;
}
