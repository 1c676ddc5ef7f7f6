#include "dialogs/result_dialog.h"

#include "core/doc_lock.h"
#include "core/follow_up.h"
#include "core/string_helpers.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/result_window_parts.h"
#include "dialogs/result_windows.h"
#include "res/resource.h"
#include "ui/module_resources.h"
#include "ui/progress_window.h"
#include "ui/result_button.h"
#include "ui/small_value_dialogs_frame.h"

Result_Dialog::Result_Dialog(UINT template_id, CWnd* parent, const Control_Ids& ids, std::initializer_list<int> tool_ids)
    : CZcUiDialog(template_id, parent), Ids(ids)
{
    for (int id : tool_ids) Tool_Ids.append(id);
}

Result_Dialog::~Result_Dialog() { Forget_Pointer(g_Cur_Plot_Option, &Options); }

void Result_Dialog::DoDataExchange(CDataExchange* exchange)
{
    CZcUiDialog::DoDataExchange(exchange);
    DDX_Control(exchange, Ids.List, List);
    DDX_Control(exchange, Ids.Style_Combo, Style_Combo);
    DDX_Control(exchange, Ids.Progress, Progress);
    DDX_Control(exchange, IDOK, Print_Button);
    DDX_Control(exchange, IDCANCEL, Cancel_Button);
    DDX_Control(exchange, Ids.Interrupt, Interrupt_Button);
    DDX_Control(exchange, Ids.Edit_Style, Edit_Style_Button);
    DDX_CBIndex(exchange, Ids.Style_Combo, Style_Index);
}

LRESULT Result_Dialog::WindowProc(UINT message, WPARAM wparam, LPARAM lparam)
{
    Module_Resource_Scope resources;
    return CZcUiDialog::WindowProc(message, wparam, lparam);
}

void Result_Dialog::Set_Up_Buttons(std::initializer_list<Pic_Button*> tool_buttons)
{
    Set_Module_Icon(this);
    Tool_Buttons.assign(tool_buttons.begin(), tool_buttons.end());
    Setup_Result_Button(Print_Button, IDI_OK_HOVER, IDI_OK_IDLE);
    Setup_Result_Button(Cancel_Button, IDI_CANCEL_HOVER, IDI_CANCEL_IDLE);
    for (Pic_Button* button : Tool_Buttons) Setup_Result_Button(*button, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    Setup_Result_Button(Interrupt_Button, IDI_BPLOT1_TOOL_HOVER, IDI_BPLOT1_TOOL_IDLE);
    Edit_Style_Button.Set_Icon(IDI_EDIT_HOVER, IDI_EDIT_IDLE, 32);
    Edit_Style_Button.Set_Cursor(IDR_HAND_CURSOR);
    Edit_Style_Button.Set_No_Capture(true);
    Progress.Set_Font_From_Item(this, IDOK);
}

void Result_Dialog::Set_Up_List(const wchar_t* const* headers, int count, int left_column)
{
    Hook_Result_Windows();
    List.SetExtendedStyle(List.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < count; ++column)
        List.InsertColumn(column, headers[column], column == left_column ? LVCFMT_LEFT : LVCFMT_CENTER, 1);
}

void Result_Dialog::Check_Button_Hover()
{
    Print_Button.Check_Hover();
    Cancel_Button.Check_Hover();
    for (Pic_Button* button : Tool_Buttons) button->Check_Hover();
    Interrupt_Button.Check_Hover();
    Edit_Style_Button.Check_Hover();
}

void Result_Dialog::Read_Controls()
{
    if (GetSafeHwnd() != nullptr)
        UpdateData(TRUE);
}

void Result_Dialog::On_Style_Changed()
{
    const int previous = Style_Index;
    Read_Controls();
    Apply_Style_Selection(&Style_Combo, Style_Index, previous);
}

void Result_Dialog::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const int row = item->iItem, column = item->iSubItem;
    if (row < 0 || row >= List.GetItemCount() || column < 0)
        return;
    Click_Cell(row, column, Click_Rows(List, row, column));
}

void Result_Dialog::On_Column_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    const int count = List.GetItemCount();
    if (count == 0 || !Column_Acts(column))
        return;
    ReleaseCapture();
    Edit_Column(column, All_Rows(count));
    Deselect_All_Rows(List);
}

void Result_Dialog::On_Selection_Changed(NMHDR* header, LRESULT* result)
{
    *result = 0;
    Highlight_Selected_Rows();
}

void Result_Dialog::On_List_Right_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (const UINT menu = List_Menu())
        Track_Menu_At_Cursor(this, menu);
}

bool Result_Dialog::Chosen_Style_Name(CString& name)
{
    if (Style_Index < 1 || Style_Index >= Style_Combo.GetCount())
        return false;
    Style_Combo.GetLBText(Style_Index, name);
    Trim_Left_Blanks(name);
    return true;
}

void Result_Dialog::OnCancel()
{
    if (Plot_Running)
        return;
    Store_Controls();
    {
        Doc_Lock lock;
        Options.Write_Dwg_Setting();
        Erase_Markers();
        Release_Devices();
    }
    CZcUiDialog::OnCancel();
}

void Result_Dialog::Launch_Plot(const wchar_t* follow_up)
{
    Queue_Follow_Up(follow_up);
    Doc_Lock lock;
    Save_Frame_Records();
    Options.Write_Dwg_Setting();
    Erase_Markers();
    Plot_Launched = 1;
}

void Result_Dialog::Plot_Done_Close()
{
    if (Plot_Launched == 0)
        return;
    Plot_Launched = 0;
    Release_Devices();
    CZcUiDialog::OnOK();
}

void Result_Dialog::Plot_Progress_Begin(int lower, int upper)
{
    if (!Plot_Running)
        Lock_Window_Controls(this, {IDC_BP1_INTERRUPT, IDC_BP1_PROGRESS}, Locked_Ids);
    Plot_Running = true;
    for (int i = 0; i < Tool_Ids.length(); ++i) GetDlgItem(Tool_Ids[i])->ShowWindow(SW_HIDE);
    Progress.SetRange(lower, upper);
    Progress.SetStep(1);
    Progress.SetPos(0);
    Progress.ShowWindow(SW_SHOW);
    GetDlgItem(IDC_BP1_INTERRUPT)->ShowWindow(SW_SHOW);
}

void Result_Dialog::Plot_Progress_Step()
{
    Do_Events();
    Progress.StepIt();
}

void Result_Dialog::Plot_Progress_End()
{
    if (Plot_Running)
        Unlock_Window_Controls(this, Locked_Ids);
    Plot_Running = false;
    Progress.ShowWindow(SW_HIDE);
    GetDlgItem(IDC_BP1_INTERRUPT)->ShowWindow(SW_HIDE);
    for (int i = 0; i < Tool_Ids.length(); ++i) GetDlgItem(Tool_Ids[i])->ShowWindow(SW_SHOW);
}

void Result_Dialog::Fill_Style_Combo()
{
    int default_index = -1;
    Fill_Style_List(&Style_Combo, default_index);
    Style_Index = default_index + 1;
    Style_Combo.SetCurSel(Style_Index);
}
