// The edits of the batch plot to files window started from its list and its buttons.
#include <vector>

#include "core/doc_lock.h"
#include "core/space_helpers.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/name_rule_dialog.h"
#include "dialogs/paper_statistics.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plotter_files.h"
#include "core/file_name_rules.h"
#include "ui/dlg_options_paper.h"
#include "ui/small_value_dialogs.h"
#include "win/win_msgbox.h"

namespace {

const wchar_t* const Paper_Type_Entries[] = {L"A4",       L"A3",       L"A2",       L"A1",       L"A0",
                                             L"A4或A4加长", L"A3或A3加长", L"A2或A2加长", L"A1或A1加长", L"A0或A0加长"};
constexpr int Paper_Type_Count = 10;

int Picker_Columns(int entries)
{
    if (entries <= 8) return 1;
    if (entries <= 16) return 2;
    if (entries <= 24) return 3;
    return 4;
}

}  // namespace

void Dlg_BPlot1::On_List_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
    const int row = item->iItem, column = item->iSubItem;
    if (row < 0 || row >= List.GetItemCount() || column < 0)
        return;
    const ZcArray<int> rows = Click_Rows(List, row, column);
    switch (column) {
    case Col_Eye:
        if (!Dwg_Output()) Preview_Sheet(row);
        break;
    case Col_Name: Rename_Sheet(row); break;
    case Col_Del: Delete_Sheets(row, true, rows); break;
    case Col_Paper:
        if (!Dwg_Output()) Choose_Paper(row, rows);
        break;
    case Col_Scale:
        if (!Dwg_Output()) Choose_Scale(row, rows);
        break;
    default: break;
    }
}

void Dlg_BPlot1::On_Column_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* view = reinterpret_cast<const NMLISTVIEW*>(header);
    const int count = List.GetItemCount();
    if (Dwg_Output() || count == 0)
        return;
    if (view->iSubItem != Col_Paper && view->iSubItem != Col_Scale)
        return;
    ReleaseCapture();
    if (view->iSubItem == Col_Paper)
        Choose_Paper(0, All_Rows(count));
    else
        Choose_Scale(0, All_Rows(count));
    for (int row = 0; row < List.GetItemCount(); ++row) List.SetItemState(row, 0, LVIS_SELECTED);
}

void Dlg_BPlot1::On_Selection_Changed(NMHDR* header, LRESULT* result)
{
    *result = 0;
    (void)header;
    Highlight_Selected_Sheets(List, Sheet_Set);
}

void Dlg_BPlot1::Rename_Sheet(int row)
{
    Plot_Drawing1* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return;
    Dlg_FileName dialog(this);
    dialog.Edit_Text = sheet->Output_Name;
    if (dialog.DoModal() != IDOK)
        return;
    CString name = dialog.Edit_Text;
    Valid_File_Name(name, true);
    sheet->Output_Name = name;
    List.SetItemText(row, Col_Name, name);
    Mark_Duplicate_Names();
    Fit_List_Column(&List, Col_Name, this);
}

void Dlg_BPlot1::Delete_Sheets(int row, bool erase_markers, const ZcArray<int>& rows)
{
    Read_Controls();
    const int lowest = Remove_Sheet_Rows(List, Sheet_Set, row, erase_markers, rows);
    if (lowest < 0)
        return;
    if (Sort_Changes_Order(Sheet_Set, Options.Sort_Type) || List.GetItemCount() < 2) {
        Fill_Sheet_List(false);
    } else {
        Renumber_Rows(List, Sheet_Set, lowest);
        Apply_Naming_Rule();
        Fit_List_Column(&List, Col_Name, this);
        List.Invalidate();
    }
    Update_Screen();
}

void Dlg_BPlot1::Choose_Paper(int row, const ZcArray<int>& rows)
{
    if (rows.length() > 1)
        for (int i = 0; i < rows.length(); ++i) List.SetItemState(rows[i], LVIS_SELECTED, LVIS_SELECTED);

    Dlg_Options_Paper picker(this);
    picker.Title = rows.length() > 1 && rows.length() == List.GetItemCount() ? L"统 一 修 改 纸 张" : L"选  择  纸  张";
    for (const wchar_t* entry : Paper_Type_Entries) picker.Items.Add(entry);
    for (int i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        const Plot_Drawing1* sheet = Sheet_Set.Plot_List[i];
        if (sheet->Paper_Name.Left(4).CompareNoCase(L"KV_A") == 0)
            continue;
        const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, sheet->Paper_Name);
        if (paper == nullptr)
            continue;
        const CString name = paper->Get_Display_Name(false, false);
        bool known = false;
        for (INT_PTR k = Paper_Type_Count; k < picker.Items.GetSize(); ++k)
            if (picker.Items[k].CompareNoCase(name) == 0) known = true;
        if (!known)
            picker.Items.Add(name);
    }
    if (const Plot_Drawing1* clicked = Row_Sheet(row)) {
        const wchar_t* prefixes[] = {L"KV_A4", L"KV_A3", L"KV_A2", L"KV_A1", L"KV_A0"};
        for (int k = 0; k < 5; ++k)
            if (clicked->Paper_Name.Left(5).CompareNoCase(prefixes[k]) == 0) picker.Choice = 5 + k;
        if (const MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, clicked->Paper_Name)) {
            const CString name = paper->Get_Display_Name(false, false);
            for (INT_PTR k = Paper_Type_Count; k < picker.Items.GetSize(); ++k)
                if (picker.Items[k].CompareNoCase(name) == 0) {
                    picker.Choice = static_cast<int>(k);
                    break;
                }
        }
    }
    const int entries = static_cast<int>(picker.Items.GetSize());
    const int columns = Picker_Columns(entries);
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

    bool any_added = false;
    MyPaper* chosen = nullptr;
    if (choice >= entries) {
        Dlg_New_Paper dialog(this);
        if (dialog.DoModal() != IDOK)
            return;
        chosen = Add_Paper_Unique(Sheet_Set.Paper_List, static_cast<int>(dialog.First_Side),
                                  static_cast<int>(dialog.Second_Side), any_added);
    } else if (choice >= Paper_Type_Count) {
        for (INT_PTR k = 0; k < Sheet_Set.Paper_List.GetSize() && chosen == nullptr; ++k)
            if (Sheet_Set.Paper_List[k]->Get_Display_Name(false, false).CompareNoCase(picker.Items[choice]) == 0)
                chosen = Sheet_Set.Paper_List[k];
    }

    for (int i = 0; i < rows.length(); ++i) {
        Plot_Drawing1* sheet = Row_Sheet(rows[i]);
        if (sheet == nullptr)
            continue;
        const CString before = sheet->Paper_Name;
        MyPaper* paper = chosen;
        if (choice < Paper_Type_Count) {
            bool added = false;
            paper = Sheet_Set.Add_Paper_By_Type(choice, sheet, false, added);
            any_added = any_added || added;
        }
        if (paper != nullptr && paper->Get_Name() != before)
            Apply_Paper_To_Row(paper, sheet, rows[i]);
    }
    if (any_added)
        Build_Plot_Device_Files(Sheet_Set.Paper_List);
    Fit_Columns({Col_Paper, Col_Scale, Col_Remark});
}

void Dlg_BPlot1::Choose_Scale(int row, const ZcArray<int>& rows)
{
    const Plot_Drawing1* clicked = Row_Sheet(row);
    if (clicked == nullptr)
        return;
    if (rows.length() > 1)
        for (int i = 0; i < rows.length(); ++i) List.SetItemState(rows[i], LVIS_SELECTED, LVIS_SELECTED);
    Dlg_Sc_Set dialog(this);
    dialog.Scale_Value = clicked->Plot_Scale;
    dialog.Scale_Mode = rows.length() > 1 && rows.length() == List.GetItemCount() ? 1 : 0;
    if (dialog.DoModal() != IDOK || dialog.Scale_Value <= 0.0)
        return;
    for (int i = 0; i < rows.length(); ++i) {
        Plot_Drawing1* sheet = Row_Sheet(rows[i]);
        if (sheet == nullptr)
            continue;
        MyPaper* paper = Sheet_Set.Add_Paper_Size(static_cast<int>(sheet->Width / dialog.Scale_Value),
                                                  static_cast<int>(sheet->Height / dialog.Scale_Value));
        if (paper != nullptr)
            Apply_Paper_To_Row(paper, sheet, rows[i]);
    }
    Fit_Columns({Col_Paper, Col_Scale, Col_Remark});
}

void Dlg_BPlot1::On_Name_Rule()
{
    Dlg_Name_Rule dialog(this);
    dialog.Prefix = Options.Prefix;
    dialog.Start_No = Options.Start_No;
    dialog.Suffix = Options.Suffix;
    dialog.Digits_Index = Options.Digits - 1;
    dialog.Sort_Type = Options.Sort_Type;
    if (dialog.DoModal() != IDOK)
        return;
    Options.Prefix = dialog.Prefix;
    Options.Start_No = dialog.Start_No;
    Options.Suffix = dialog.Suffix;
    Options.Digits = dialog.Digits_Index + 1;
    if (dialog.Sort_Type == Options.Sort_Type) {
        Apply_Naming_Rule();
        Fit_List_Column(&List, Col_Name, this);
        return;
    }
    Options.Sort_Type = dialog.Sort_Type;
    {
        Doc_Lock lock;
        Sheet_Set.Sort_Sheets(Options.Sort_Type);
    }
    Update_Screen();
    Apply_Naming_Rule();
    Fit_List_Column(&List, Col_Name, this);
    for (int row = 0; row < List.GetItemCount(); ++row) {
        Plot_Drawing1* sheet = Row_Sheet(row);
        if (sheet == nullptr)
            continue;
        Show_Row_Paper(row, sheet);
        List.SetItemText(row, Col_Size, Drawing_Size_Text(sheet->Width, sheet->Height));
    }
}

void Dlg_BPlot1::On_Scale_Filter()
{
    Dlg_Sc_SetW dialog(this);
    dialog.Scale_Value = Options.Scale;
    dialog.Auto_Scale = Options.Auto_Scale;
    dialog.Filter_Percent = Options.Filter_Percent;
    if (dialog.DoModal() != IDOK)
        return;
    const bool was_auto = Options.Auto_Scale != 0, now_auto = dialog.Auto_Scale != 0;
    if (was_auto && !now_auto) {
        Options.Auto_Scale = 0;
        Options.Scale = dialog.Scale_Value;
        Reassign_Papers();
    } else if (!was_auto && now_auto) {
        Options.Auto_Scale = 1;
        Reassign_Papers();
    } else if (!now_auto && dialog.Scale_Value != Options.Scale) {
        Options.Scale = dialog.Scale_Value;
        Reassign_Papers();
    }
    if (dialog.Filter_Percent != Options.Filter_Percent) {
        Options.Filter_Percent = dialog.Filter_Percent;
        {
            Doc_Lock lock;
            Sheet_Set.Filter_By_Area();
        }
        Fill_Sheet_List(true);
        Update_Screen();
    }
}

void Dlg_BPlot1::On_List_Right_Click(NMHDR* header, LRESULT* result)
{
    *result = 0;
    (void)header;
    if (Dwg_Output())
        return;
    Track_Menu_At_Cursor(this, IDR_BPLOT1_MENU);
}

void Dlg_BPlot1::On_Paper_Statistics(UINT command_id)
{
    switch (command_id) {
    case ID_BP1_COUNT_A4: Count_Papers(1); break;
    case ID_BP1_COUNT_A3: Count_Papers(2); break;
    case ID_BP1_COUNT_A2: Count_Papers(3); break;
    case ID_BP1_COUNT_A1: Count_Papers(4); break;
    case ID_BP1_COUNT_A0: Count_Papers(5); break;
    default: break;
    }
}

void Dlg_BPlot1::Count_Papers(int standard)
{
    Paper_Array papers;  // not owning
    CUIntArray counts;
    for (int i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) {
        MyPaper* paper = Find_Paper_By_Name(Sheet_Set.Paper_List, Sheet_Set.Plot_List[i]->Paper_Name);
        if (paper == nullptr)
            continue;
        INT_PTR k = 0;
        while (k < papers.GetSize() && papers[k] != paper) ++k;
        if (k == papers.GetSize()) {
            papers.Add(paper);
            counts.Add(1);
        } else {
            counts[k] = counts[k] + 1;
        }
    }
    if (papers.GetSize() == 0) {
        MessageBoxW(GetSafeHwnd(), L"无纸张可统计 !", L"纸张统计", MB_OK | MB_ICONINFORMATION);
        return;
    }
    Export_Paper_Statistics(papers, counts, standard);
}
