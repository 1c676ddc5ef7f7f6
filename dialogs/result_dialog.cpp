#include "dialogs/result_dialog.h"

#include "dialogs/plot_option_combos.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "ui/progress_window.h"

Result_Dialog::Result_Dialog(UINT template_id, CWnd* parent, std::initializer_list<int> tool_ids)
    : CZcUiDialog(template_id, parent)
{
    for (int id : tool_ids) Tool_Ids.append(id);
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
