// The edits of the batch plot to paper window started from its list and its buttons.
#include <algorithm>

#include "core/doc_lock.h"
#include "core/plot_config.h"
#include "core/space_helpers.h"
#include "dialogs/bplot1_cell_texts.h"
#include "dialogs/dlg_bplot3.h"
#include "dialogs/plot_option_combos.h"
#include "dialogs/print_order_dialog.h"
#include "dialogs/result_window_parts.h"
#include "res/resource.h"
#include "ui/dlg_options.h"
#include "ui/small_value_dialogs.h"

void Dlg_BPlot3::Click_Cell(int row, int column, const ZcArray<int>& rows)
{
    switch (column) {
    case Col3_Eye: Preview_Sheet(row); break;
    case Col3_Copies:
        if (Output_Mode == 0) Set_Copies(row, rows);
        break;
    case Col3_Del: Delete_Sheets(row, true, rows); break;
    case Col3_Paper: Set_Paper(row, rows); break;
    default: break;
    }
}

bool Dlg_BPlot3::Column_Acts(int column) const { return column == Col3_Copies || column == Col3_Paper; }

void Dlg_BPlot3::Edit_Column(int column, const ZcArray<int>& rows)
{
    if (column == Col3_Copies)
        Set_Copies(0, rows);
    else
        Set_Paper(0, rows);
}

void Dlg_BPlot3::Highlight_Selected_Rows() { Highlight_Selected_Sheets(List, Sheet_Set); }

void Dlg_BPlot3::Set_Copies(int row, const ZcArray<int>& rows)
{
    const Plot_Drawing1* clicked = Row_Sheet(row);
    if (Output_Mode != 0 || clicked == nullptr)
        return;
    if (rows.length() > 1)
        Select_Rows(List, rows);

    Dlg_Options picker(this);
    picker.Title = Whole_List(rows) ? L"统一设置打印份数" : L"打 印 份 数";
    for (int copies = 1; copies <= Max_Sheet_Copies; ++copies) {
        CString entry;
        entry.Format(L"%d", copies);
        picker.Items.Add(entry);
    }
    picker.Extra_Columns = 1;
    picker.Item_Width = 160;
    picker.Choice = clicked->Copies - 1;
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= Max_Sheet_Copies)
        return;
    for (int i = 0; i < rows.length(); ++i) {
        if (Plot_Drawing1* sheet = Row_Sheet(rows[i])) {
            sheet->Copies = picker.Choice + 1;
            Show_Row_Copies_And_Paper(rows[i]);
        }
    }
}

int Dlg_BPlot3::Get_Text_Width(const CString& text)
{
    CClientDC dc(this);
    CFont* previous = dc.SelectObject(GetFont());
    const int width = dc.GetTextExtent(text).cx;
    dc.SelectObject(previous);
    return width;
}

void Dlg_BPlot3::Set_Paper(int row, const ZcArray<int>& rows)
{
    const Plot_Drawing1* clicked = Row_Sheet(row);
    if (clicked == nullptr)
        return;
    if (rows.length() > 1)
        Select_Rows(List, rows);

    Dlg_Options picker(this);
    picker.Title = Whole_List(rows) ? L"统一设置纸张" : L"设 置 纸 张";
    // The picker empties its items when it ends.
    CStringArray entries;
    entries.Copy(Display_Media);
    int widest = 0;
    for (INT_PTR i = 0; i < entries.GetSize(); ++i) {
        picker.Items.Add(entries[i]);
        widest = std::max(widest, Get_Text_Width(entries[i]));
    }
    const int count = static_cast<int>(entries.GetSize());
    picker.Extra_Columns = count < 12 ? 0 : (count < 24 ? 1 : 2);
    const int column_width = std::clamp(widest + 10, 120, 300);
    picker.Item_Width = column_width * (picker.Extra_Columns + 1);
    picker.Choice = -1;
    const CString shown = Get_Display_Media(clicked->Paper_Name);
    for (int i = 0; i < count; ++i)
        if (entries[i].CompareNoCase(shown) == 0) {
            picker.Choice = i;
            break;
        }
    if (picker.DoModal() != IDOK || picker.Choice < 0 || picker.Choice >= count)
        return;

    const CString paper = Get_Canonical_Media(entries[picker.Choice]);
    for (int i = 0; i < rows.length(); ++i) {
        if (Plot_Drawing1* sheet = Row_Sheet(rows[i])) {
            sheet->Paper_Name = paper;
            Show_Row_Copies_And_Paper(rows[i]);
        }
    }
    Fit_List_Column(&List, Col3_Paper, this);
    g_Plot_Config.Set_Value(Device_Name, paper);
}

void Dlg_BPlot3::Delete_Sheets(int row, bool erase_marker, const ZcArray<int>& rows)
{
    Read_Controls();
    const int lowest = Remove_Sheet_Rows(List, Sheet_Set, row, erase_marker, rows);
    if (lowest < 0)
        return;
    if (Sort_Changes_Order(Sheet_Set, Options.Sort_Type)) {
        Fill_Sheet_List(false);
    } else {
        Renumber_Rows(List, Sheet_Set, lowest);
        List.Invalidate();
        Enable_Print();
    }
    Update_Screen();
}

void Dlg_BPlot3::On_Filter()
{
    Dlg_Filter dialog(this);
    dialog.Filter_Percent = Options.Filter_Percent;
    if (dialog.DoModal() != IDOK || dialog.Filter_Percent == Options.Filter_Percent)
        return;
    Options.Filter_Percent = dialog.Filter_Percent;
    {
        Doc_Lock lock;
        Sheet_Set.Filter_By_Area();
    }
    Fill_Sheet_List(true);
    Update_Screen();
}

void Dlg_BPlot3::On_Sort()
{
    Dlg_SortType dialog(this);
    dialog.Nine_Patterns = 1;
    dialog.Sort_Type = Options.Sort_Type;
    if (dialog.DoModal() != IDOK || dialog.Sort_Type == Options.Sort_Type)
        return;
    Options.Sort_Type = dialog.Sort_Type;
    {
        Doc_Lock lock;
        Sheet_Set.Sort_Sheets(Options.Sort_Type);
    }
    Update_Screen();
    for (int row = 0; row < List.GetItemCount(); ++row) {
        const Plot_Drawing1* sheet = Row_Sheet(row);
        if (sheet == nullptr)
            continue;
        Show_Row_Copies_And_Paper(row);
        List.SetItemText(row, Col3_Size, Drawing_Size_Text(sheet->Width, sheet->Height));
    }
}

void Dlg_BPlot3::On_Style_Dropdown() {}

void Dlg_BPlot3::On_Edit_Style()
{
    Read_Controls();
    Edit_Selected_Style(this, &Style_Combo, Style_Index);
}

UINT Dlg_BPlot3::List_Menu() const { return IDR_BPLOT3_MENU; }

void Dlg_BPlot3::On_Count_Papers() { Export_Paper_Statistics(); }
