// The edits of the title-block window started from its list: file names, deletions,
// papers, scales, and drawing numbers, revisions and dates written back into the drawing.
#include <algorithm>
#include <vector>

#include "core/doc_lock.h"
#include "core/space_helpers.h"
#include "core/string_helpers.h"
#include "dialogs/dlg_bplot2.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "sheets/marker_entities.h"
#include "sheets/paper_scale.h"
#include "sheets/paper_table.h"
#include "sheets/plotter_files.h"
#include "core/file_name_rules.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheet_order.h"
#include "ui/dlg_options_paper.h"
#include "ui/small_value_dialogs.h"

namespace {

ZcArray<int> Ascending(const ZcArray<int>& rows)
{
    std::vector<int> sorted(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    ZcArray<int> result;
    for (int row : sorted) result.append(row);
    return result;
}

}  // namespace

void Dlg_BPlot2::Click_Cell(int row, int column, const ZcArray<int>& rows)
{
    switch (column) {
    case Col2_Eye:
        if (!Dwg_Output()) Preview_Sheet(row);
        break;
    case Col2_Name: Edit_File_Name(row); break;
    case Col2_Del: Delete_Sheets(row, true, rows); break;
    case Col2_Paper:
        if (!Dwg_Output()) Edit_Paper(row, rows);
        break;
    case Col2_Scale:
        if (!Dwg_Output()) Edit_Scale(row, rows);
        break;
    case Col2_Number:
        if (rows.length() > 1)
            Renumber_Drawing_Nos(rows);
        else
            Edit_Drawing_No(row);
        break;
    case Col2_Revision: Edit_Revision(row, rows); break;
    case Col2_Date: Edit_Date(row, rows); break;
    default: break;
    }
}

bool Dlg_BPlot2::Column_Acts(int column) const
{
    return column == Col2_Date || column == Col2_Number || column == Col2_Revision ||
           (!Dwg_Output() && (column == Col2_Paper || column == Col2_Scale));
}

void Dlg_BPlot2::Edit_Column(int column, const ZcArray<int>& rows)
{
    switch (column) {
    case Col2_Paper: Edit_Paper(0, rows); break;
    case Col2_Scale: Edit_Scale(0, rows); break;
    case Col2_Number: Renumber_Drawing_Nos(rows); break;
    case Col2_Revision: Edit_Revision(0, rows); break;
    default: Edit_Date(0, rows); break;
    }
}

void Dlg_BPlot2::Highlight_Selected_Rows()
{
    Doc_Lock lock;
    for (int row = 0; row < List.GetItemCount(); ++row)
        if (Plot_Drawing2* sheet = Row_Sheet(row))
            sheet->Set_Marker(-1, (List.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0 ? 1 : 0);
    Update_Screen();
}

void Dlg_BPlot2::Get_Sheet_Papers(CStringArray& names) const
{
    for (INT_PTR i = 0; i < Sheet_List.Sheets.GetSize(); ++i) names.Add(Sheet_List.Sheets[i]->Paper_Name);
}

void Dlg_BPlot2::Edit_File_Name(int row)
{
    Plot_Drawing2* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return;
    Dlg_FileName dialog(this);
    const CString shown = Shown_File_Name(sheet->File_Name);
    dialog.Edit_Text = shown;
    if (dialog.DoModal() != IDOK || dialog.Edit_Text == shown)
        return;
    CString name = dialog.Edit_Text;
    if (!g_TK_Library.Line_Separator.IsEmpty())
        name.Replace(g_TK_Library.Line_Separator, Line_Break_Marker);
    Valid_File_Name(name, true);
    sheet->File_Name = name;
    List.SetItemText(row, Col2_Name, L"  " + Shown_File_Name(name));
    Mark_Duplicate_Names();
    Fit_Columns({Col2_Name});
}

void Dlg_BPlot2::Delete_Sheets(int row, bool erase_markers, const ZcArray<int>& rows)
{
    Read_Controls();
    std::vector<int> doomed;
    if (rows.length() >= 2)
        for (int i = rows.length() - 1; i >= 0; --i) doomed.push_back(rows[i]);
    else
        doomed.push_back(row);
    int lowest = -1;
    for (int target : doomed) {
        if (target < 0 || target >= Sheet_List.Sheets.GetSize() || target >= List.GetItemCount())
            continue;
        Plot_Drawing2* sheet = Sheet_List.Sheets[target];
        List.DeleteItem(target);
        List.On_Row_Deleted(target);
        Sheet_List.Sheets.RemoveAt(target);
        if (erase_markers) {
            Doc_Lock lock;
            Erase_Sheet_Marker(sheet->Marker_Id);
        } else {
            sheet->Marker_Id.setNull();  // the user erased it
        }
        delete sheet;
        lowest = lowest < 0 ? target : std::min(lowest, target);
    }
    if (lowest < 0)
        return;
    {
        Doc_Lock lock;
        for (int i = lowest; i < Sheet_List.Sheets.GetSize(); ++i) {
            Sheet_List.Sheets[i]->Set_Marker(i + 1, -1);
            CString number;
            number.Format(L"%4d", i + 1);
            List.SetItemText(i, Col2_No, number);
        }
    }
    Update_Screen();
    if (g_TK_Library.No_In_Front != 0)
        Rename_All_Sheets();
    else
        Mark_Duplicate_Names();
    Fit_Columns({Col2_Name});
    Mark_Duplicate_Numbers();
    Fit_Columns({Col2_Number});
    Mark_Title_Remarks();
    Fit_Columns({Col2_Remark});
    List.Invalidate();
    if (Sheet_List.Sheets.GetSize() == 0) {
        GetDlgItem(IDOK)->EnableWindow(FALSE);
        GetDlgItem(IDC_BP2_CATALOGUE)->EnableWindow(FALSE);
    }
}

bool Dlg_BPlot2::Apply_Paper_To_Row(MyPaper* paper, Plot_Drawing2* sheet, int row)
{
    const CString before = sheet->Paper_Name;
    sheet->Paper_Name = paper->Get_Name();
    if (sheet->Paper_Name == before)
        return false;
    List.SetItemText(row, Col2_Paper, paper->Get_Display_Name(false, sheet->Portrait));
    sheet->Plot_Scale = TK_Scale_From_Paper(*paper, *sheet);
    List.SetItemText(row, Col2_Scale, Format_Scale_Text(sheet->Plot_Scale));
    if (!Name_Rule_Uses(*sheet, L'T'))
        return false;
    Rename_Sheet(row);
    return true;
}

void Dlg_BPlot2::Edit_Paper(int row, const ZcArray<int>& rows)
{
    const Plot_Drawing2* clicked = Row_Sheet(row);
    Paper_Pick pick;
    if (!Pick_Rows_Paper(clicked != nullptr ? &clicked->Paper_Name : nullptr, rows, pick))
        return;

    bool any_added = pick.Added;
    bool renamed = false;
    for (int i = 0; i < rows.length(); ++i) {
        Plot_Drawing2* sheet = Row_Sheet(rows[i]);
        if (sheet == nullptr)
            continue;
        MyPaper* paper = pick.Paper;
        if (pick.Choice < Standard_Paper_Count) {
            bool added = false;
            paper = Sheet_List.Add_Paper_By_Type(pick.Choice, sheet, false, added);
            any_added = any_added || added;
        }
        if (paper != nullptr)
            renamed = Apply_Paper_To_Row(paper, sheet, rows[i]) || renamed;
    }
    if (any_added)
        Build_Plot_Device_Files(Sheet_List.Papers);
    Fit_Columns({Col2_Paper, Col2_Scale});
    if (renamed) {
        Mark_Duplicate_Names();
        Fit_Columns({Col2_Name});
    }
}

void Dlg_BPlot2::Edit_Scale(int row, const ZcArray<int>& rows)
{
    const Plot_Drawing2* clicked = Row_Sheet(row);
    if (clicked == nullptr)
        return;
    double scale = 0.0;
    if (!Ask_Rows_Scale(clicked->Plot_Scale, rows, scale))
        return;
    bool renamed = false;
    for (int i = 0; i < rows.length(); ++i) {
        Plot_Drawing2* sheet = Row_Sheet(rows[i]);
        if (sheet == nullptr || sheet->Plot_Scale == scale)
            continue;
        const int first = static_cast<int>(sheet->Width / scale), second = static_cast<int>(sheet->Height / scale);
        MyPaper* paper = Sheet_List.Add_Paper_Size(std::max(first, second), std::min(first, second));
        if (paper == nullptr)
            continue;
        // The paper may be the row's already: its scale is still the fit of that paper.
        sheet->Paper_Name.Empty();
        renamed = Apply_Paper_To_Row(paper, sheet, rows[i]) || renamed;
    }
    Fit_Columns({Col2_Paper, Col2_Scale});
    if (renamed) {
        Mark_Duplicate_Names();
        Fit_Columns({Col2_Name});
    }
}

void Dlg_BPlot2::Edit_Drawing_No(int row)
{
    Plot_Drawing2* sheet = Row_Sheet(row);
    if (sheet == nullptr || sheet->Text[0].IsEmpty())
        return;
    Dlg_Str dialog(this);
    dialog.Str_Mode = 1;
    dialog.Edit_Text = sheet->Text[0];
    if (dialog.DoModal() != IDOK || dialog.Edit_Text == sheet->Text[0])
        return;
    const CString text = dialog.Edit_Text;
    Doc_Lock lock;
    if (!sheet->Write_Text(1, text))
        return;
    sheet->Text[0] = text;
    List.SetItemText(row, Col2_Number, text);
    Mark_Duplicate_Numbers();
    Fit_Columns({Col2_Number});
    if (Name_Rule_Uses(*sheet, L'A')) {
        Rename_Sheet(row);
        Mark_Duplicate_Names();
        Fit_Columns({Col2_Name});
    }
    if (Options.TK_Order == 0) {
        ZcArray<Plot_Drawing2*> edited;
        edited.append(sheet);
        Resort_Rows(edited);
    }
}

void Dlg_BPlot2::Renumber_Drawing_Nos(const ZcArray<int>& rows)
{
    const ZcArray<int> sorted = Ascending(rows);
    Select_Rows(List, sorted);
    Renumbering numbering;
    if (const Plot_Drawing2* first = sorted.isEmpty() ? nullptr : Row_Sheet(sorted[0])) {
        CString prefix;
        const int number = Split_Trailing_Number(first->Text[0], prefix);
        if (number > 0) {
            numbering.Prefix = prefix;
            numbering.Start = number;
        }
    }
    if (!Ask_Renumbering(this, numbering))
        return;
    Write_Drawing_Nos(sorted, numbering.Prefix, numbering.Start, numbering.Suffix, numbering.Digits);
}

void Dlg_BPlot2::Write_Drawing_Nos(const ZcArray<int>& rows, const CString& prefix, int start, const CString& suffix,
                                   int digits)
{
    const ZcArray<int> sorted = Ascending(rows);
    ZcArray<Plot_Drawing2*> edited;
    bool renamed = false;
    {
        Doc_Lock lock;
        for (int k = 0; k < sorted.length(); ++k) {
            Plot_Drawing2* sheet = Row_Sheet(sorted[k]);
            if (sheet == nullptr)
                continue;
            edited.append(sheet);
            CString text;
            text.Format(L"%s%s%s", prefix.GetString(), Format_No(start + k, digits).GetString(), suffix.GetString());
            if (!sheet->Write_Text(1, text))
                continue;
            sheet->Text[0] = text;
            List.SetItemText(sorted[k], Col2_Number, text);
            if (Name_Rule_Uses(*sheet, L'A')) {
                Rename_Sheet(sorted[k]);
                renamed = true;
            }
        }
    }
    Mark_Duplicate_Numbers();
    Fit_Columns({Col2_Number});
    if (renamed) {
        Mark_Duplicate_Names();
        Fit_Columns({Col2_Name});
    }
    if (Options.TK_Order == 0)
        Resort_Rows(edited);
}

void Dlg_BPlot2::Edit_Revision(int row, const ZcArray<int>& rows) { Edit_Text_Field(2, row, rows); }

void Dlg_BPlot2::Edit_Date(int row, const ZcArray<int>& rows) { Edit_Text_Field(4, row, rows); }

void Dlg_BPlot2::Edit_Text_Field(int field, int row, const ZcArray<int>& rows)
{
    const Plot_Drawing2* clicked = Row_Sheet(row);
    if (clicked == nullptr || clicked->Text[field - 1].IsEmpty())
        return;
    const bool revision = field == 2;
    const int column = revision ? Col2_Revision : Col2_Date;
    const wchar_t letter = revision ? L'B' : L'D';
    if (rows.length() > 1)
        Select_Rows(List, rows);
    Dlg_Str dialog(this);
    dialog.Str_Mode = revision ? 2 : 3;
    dialog.All_Rows = Whole_List(rows) ? 1 : 0;
    dialog.Edit_Text = clicked->Text[field - 1];
    if (dialog.DoModal() != IDOK)
        return;
    const CString text = dialog.Edit_Text;
    bool written = false, renamed = false;
    {
        Doc_Lock lock;
        for (int i = 0; i < rows.length(); ++i) {
            Plot_Drawing2* sheet = Row_Sheet(rows[i]);
            if (sheet == nullptr || sheet->Text[field - 1].IsEmpty() || sheet->Text[field - 1] == text)
                continue;
            if (!sheet->Write_Text(field, text))
                continue;
            sheet->Text[field - 1] = text;
            List.SetItemText(rows[i], column, text);
            written = true;
            if (Name_Rule_Uses(*sheet, letter)) {
                Rename_Sheet(rows[i]);
                renamed = true;
            }
        }
    }
    if (written)
        Fit_Columns({column});
    if (renamed) {
        Mark_Duplicate_Names();
        Fit_Columns({Col2_Name});
    }
}

void Dlg_BPlot2::Resort_Rows(const ZcArray<Plot_Drawing2*>& edited)
{
    Sort_TK_Sheets(Sheet_List, false, Options.Sort_Type);
    {
        Doc_Lock lock;
        for (int row = 0; row < List.GetItemCount() && row < Sheet_List.Sheets.GetSize(); ++row) {
            Plot_Drawing2* sheet = Sheet_List.Sheets[row];
            const bool was_edited = edited.contains(sheet);
            sheet->Set_Marker(row + 1, was_edited ? 1 : 0);
            List.SetItemState(row, was_edited ? LVIS_SELECTED : 0, LVIS_SELECTED);
            Show_Row(row);
        }
    }
    Mark_Duplicate_Numbers();
    Mark_Duplicate_Names();
    Mark_Title_Remarks();
    Update_Screen();
}
