// The edits of the batch plot to files window started from its list and its buttons.
#include "core/doc_lock.h"
#include "core/space_helpers.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/dlg_bplot1.h"
#include "dialogs/name_rule_dialog.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plotter_files.h"
#include "core/file_name_rules.h"
#include "ui/small_value_dialogs.h"

void Dlg_BPlot1::Click_Cell(int row, int column, const ZcArray<int>& rows)
{
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

bool Dlg_BPlot1::Column_Acts(int column) const { return !Dwg_Output() && (column == Col_Paper || column == Col_Scale); }

void Dlg_BPlot1::Edit_Column(int column, const ZcArray<int>& rows)
{
    if (column == Col_Paper)
        Choose_Paper(0, rows);
    else
        Choose_Scale(0, rows);
}

void Dlg_BPlot1::Highlight_Selected_Rows() { Highlight_Selected_Sheets(List, Sheet_Set); }

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

void Dlg_BPlot1::Get_Sheet_Papers(CStringArray& names) const
{
    for (int i = 0; i < Sheet_Set.Plot_List.GetSize(); ++i) names.Add(Sheet_Set.Plot_List[i]->Paper_Name);
}

void Dlg_BPlot1::Choose_Paper(int row, const ZcArray<int>& rows)
{
    const Plot_Drawing1* clicked = Row_Sheet(row);
    Paper_Pick pick;
    if (!Pick_Rows_Paper(clicked != nullptr ? &clicked->Paper_Name : nullptr, rows, pick))
        return;

    bool any_added = pick.Added;
    for (int i = 0; i < rows.length(); ++i) {
        Plot_Drawing1* sheet = Row_Sheet(rows[i]);
        if (sheet == nullptr)
            continue;
        const CString before = sheet->Paper_Name;
        MyPaper* paper = pick.Paper;
        if (pick.Choice < Standard_Paper_Count) {
            bool added = false;
            paper = Sheet_Set.Add_Paper_By_Type(pick.Choice, sheet, false, added);
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
    double scale = 0.0;
    if (!Ask_Rows_Scale(clicked->Plot_Scale, rows, scale))
        return;
    for (int i = 0; i < rows.length(); ++i) {
        Plot_Drawing1* sheet = Row_Sheet(rows[i]);
        if (sheet == nullptr)
            continue;
        MyPaper* paper = Sheet_Set.Add_Paper_Size(static_cast<int>(sheet->Width / scale),
                                                  static_cast<int>(sheet->Height / scale));
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

UINT Dlg_BPlot1::List_Menu() const { return Dwg_Output() ? 0 : IDR_BPLOT1_MENU; }

void Dlg_BPlot1::On_Paper_Statistics(UINT command_id)
{
    if (const int standard = Paper_Standard_Of(
            command_id, {ID_BP1_COUNT_A4, ID_BP1_COUNT_A3, ID_BP1_COUNT_A2, ID_BP1_COUNT_A1, ID_BP1_COUNT_A0}))
        Count_Papers(standard);
}

void Dlg_BPlot1::Count_Papers(int standard) { Count_Listed_Papers(standard); }
