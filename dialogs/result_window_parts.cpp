#include "dialogs/result_window_parts.h"

#include <vector>

#include "core/doc_lock.h"
#include "core/marker_sheet_window.h"
#include "core/erase_helpers.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "dialogs/paper_statistics.h"
#include "ed/sysvars.h"
#include "plot/batch_plot_driver.h"
#include "plot/plot_sheet.h"
#include "sheets/marker_entities.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "sheets/sheet_records.h"
#include "ui/dlg_options_paper.h"
#include "ui/gradient_progress.h"
#include "ui/progress_window.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/small_value_dialogs.h"
#include "win/win_msgbox.h"

void Lock_Window_Controls(CWnd* window, std::initializer_list<int> kept, ZcArray<int>& locked)
{
    for (CWnd* control = window->GetWindow(GW_CHILD); control != nullptr; control = control->GetWindow(GW_HWNDNEXT)) {
        const int id = control->GetDlgCtrlID();
        bool keep = !control->IsWindowEnabled();
        for (int kept_id : kept) keep = keep || id == kept_id;
        if (keep)
            continue;
        control->EnableWindow(FALSE);
        locked.append(id);
    }
}

void Unlock_Window_Controls(CWnd* window, ZcArray<int>& locked)
{
    for (int i = 0; i < locked.length(); ++i)
        if (CWnd* control = window->GetDlgItem(locked[i]))
            control->EnableWindow(TRUE);
    locked.setLogicalLength(0);
}

Plot_Drawing1* Sheet_At(const Plot_Sheet_Set& sheet_set, int row)
{
    if (row < 0 || row >= sheet_set.Plot_List.GetSize())
        return nullptr;
    return sheet_set.Plot_List[row];
}

ZcArray<int> All_Rows(int count)
{
    ZcArray<int> rows;
    for (int row = 0; row < count; ++row) rows.append(row);
    return rows;
}

ZcArray<int> Click_Rows(ListCtrl_DivezUrez& list, int row, int column)
{
    if (list.Hover_Row == row && list.Hover_Column == column && list.Hover_Rows.length() > 0)
        return list.Hover_Rows;
    return list.Compute_Hover_Rows(column, row);
}

int Remove_Sheet_Rows(ListCtrl_DivezUrez& list, Plot_Sheet_Set& sheet_set, int row, bool erase_markers,
                      const ZcArray<int>& rows)
{
    std::vector<int> doomed;
    if (rows.length() >= 2)
        for (int i = rows.length() - 1; i >= 0; --i) doomed.push_back(rows[i]);
    else
        doomed.push_back(row);

    int lowest = -1;
    for (int target : doomed) {
        if (target < 0 || target >= sheet_set.Plot_List.GetSize() || target >= list.GetItemCount())
            continue;
        Plot_Drawing1* sheet = sheet_set.Plot_List[target];
        list.DeleteItem(target);
        list.On_Row_Deleted(target);
        sheet_set.Plot_List.RemoveAt(target);
        if (erase_markers && !sheet->Marker_Id.isNull()) {
            Doc_Lock lock;
            const uint8_t watch = g_Watch_Marker_Erase;
            g_Watch_Marker_Erase = 0;
            Erase_Entity(sheet->Marker_Id);
            g_Watch_Marker_Erase = watch;
            sheet->Marker_Id = ZcDbObjectId::kNull;
        }
        sheet_set.Delete_Sheet(sheet);
        if (lowest < 0 || target < lowest)
            lowest = target;
    }
    return lowest;
}

bool Sort_Changes_Order(Plot_Sheet_Set& sheet_set, int sort_type)
{
    std::vector<Plot_Drawing1*> before;
    for (int i = 0; i < sheet_set.Plot_List.GetSize(); ++i) before.push_back(sheet_set.Plot_List[i]);
    sheet_set.Sort_Sheets(sort_type);
    for (int i = 0; i < sheet_set.Plot_List.GetSize(); ++i)
        if (sheet_set.Plot_List[i] != before[static_cast<size_t>(i)])
            return true;
    return false;
}

void Clear_Sheet_List(ListCtrl_DivezUrez& list)
{
    list.DeleteAllItems();
    list.Mark_Rows.setLogicalLength(0);
    list.Mark_Columns.setLogicalLength(0);
}

void Insert_Numbered_Row(ListCtrl_DivezUrez& list, int row)
{
    CString number;
    number.Format(L"%4d", row + 1);
    list.InsertItem(row, number);
}

void Renumber_Rows(ListCtrl_DivezUrez& list, Plot_Sheet_Set& sheet_set, int first)
{
    Doc_Lock lock;
    for (int row = first; row < list.GetItemCount(); ++row) {
        if (row < sheet_set.Plot_List.GetSize())
            sheet_set.Plot_List[row]->Set_Marker(row + 1, -1);
        CString number;
        number.Format(L"%4d", row + 1);
        list.SetItemText(row, 0, number);
    }
}

void Highlight_Selected_Sheets(ListCtrl_DivezUrez& list, Plot_Sheet_Set& sheet_set)
{
    {
        Doc_Lock lock;
        for (int row = 0; row < list.GetItemCount() && row < sheet_set.Plot_List.GetSize(); ++row)
            sheet_set.Plot_List[row]->Set_Marker(-1, (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) ? 1 : 0);
    }
    Update_Screen();
}

void Preview_With_Paging(CWnd* window, int kind, int row, const std::function<int()>& rows,
                         const std::function<bool(int)>& preview_one)
{
    while (row >= 0 && row < rows() && preview_one(row)) {
        if (g_Preview_Kind != kind || g_Preview_Index < 0 || g_Preview_Index == row || g_Preview_Index >= rows())
            break;
        row = g_Preview_Index;
    }
    g_Preview_Kind = 0;
    g_Preview_Index = -1;
    window->ShowWindow(SW_SHOW);
}

namespace {

constexpr const wchar_t* Preview_Background_Setting = L"Plot preview background";

// DWF, JPG and PNG previews show the options' background colour.
bool Preview_Sets_Background(int output_type) { return output_type == 1 || output_type == 2 || output_type == 3; }

}  // namespace

void Preview_Result_Sheet(CWnd* window, const Plot_Option& options, int style_index, int print_sign, int kind,
                          int row, const Batch_Sheet& sheet, ZcDbObjectId marker_id)
{
    {
        Doc_Lock lock;
        Activate_Layout_Of_Block(sheet.space_id);
        Plot_Set plot_set;
        plot_set.Set_Device(Get_Pc5_File_Name(options.Output_Type));
        plot_set.Set_Media(sheet.paper_name, sheet.portrait);
        plot_set.Select_Style_Sheet(style_index - 1);
        plot_set.Set_Window(sheet.min_corner, sheet.max_corner, sheet.plot_scale, false);
        plot_set.Reset_Rotation();

        window->ShowWindow(SW_HIDE);
        g_Show_Signatures = print_sign;
        g_Plot_Running = 1;
        const bool background = Preview_Sets_Background(options.Output_Type);
        wchar_t saved[64] = L"";
        if (background) {
            zcedGetEnv(Preview_Background_Setting, saved, 64);
            CString colour;
            colour.Format(L"%d", options.Back_Red + options.Back_Green * 256 + options.Back_Blue * 65536);
            zcedSetEnv(Preview_Background_Setting, colour.GetString());
        }
        plot_set.Preview(kind, row);
        if (background)
            zcedSetEnv(Preview_Background_Setting, saved);
    }
    g_Show_Signatures = 1;
    g_Plot_Running = 0;
    Redraw_Sheet_Marker(marker_id);
}

void Track_Menu_At_Cursor(CWnd* window, UINT menu_id)
{
    CMenu menu;
    if (!menu.LoadMenu(menu_id))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, window);
}

void Select_Rows(ListCtrl_DivezUrez& list, const ZcArray<int>& rows)
{
    for (int i = 0; i < rows.length(); ++i) list.SetItemState(rows[i], LVIS_SELECTED, LVIS_SELECTED);
}

void Deselect_All_Rows(ListCtrl_DivezUrez& list)
{
    for (int row = 0; row < list.GetItemCount(); ++row) list.SetItemState(row, 0, LVIS_SELECTED);
}

namespace {

const wchar_t* const Standard_Paper_Entries[Standard_Paper_Count] = {
    L"A4", L"A3", L"A2", L"A1", L"A0", L"A4或A4加长", L"A3或A3加长", L"A2或A2加长", L"A1或A1加长", L"A0或A0加长"};

int Picker_Columns(int entries)
{
    if (entries <= 8) return 1;
    if (entries <= 16) return 2;
    if (entries <= 24) return 3;
    return 4;
}

}  // namespace

bool Pick_Paper(CWnd* owner, Paper_Array& papers, const CStringArray& sheet_papers, const CString* clicked_paper,
                bool whole_list, Paper_Pick& pick)
{
    Dlg_Options_Paper picker(owner);
    picker.Title = whole_list ? L"统 一 修 改 纸 张" : L"选  择  纸  张";
    for (const wchar_t* entry : Standard_Paper_Entries) picker.Items.Add(entry);
    for (INT_PTR i = 0; i < sheet_papers.GetSize(); ++i) {
        if (sheet_papers[i].Left(4).CompareNoCase(L"KV_A") == 0)
            continue;
        const MyPaper* paper = Find_Paper_By_Name(papers, sheet_papers[i]);
        if (paper == nullptr)
            continue;
        const CString name = paper->Get_Display_Name(false, false);
        bool known = false;
        for (INT_PTR k = Standard_Paper_Count; k < picker.Items.GetSize(); ++k)
            known = known || picker.Items[k].CompareNoCase(name) == 0;
        if (!known)
            picker.Items.Add(name);
    }
    if (clicked_paper != nullptr) {
        const wchar_t* prefixes[] = {L"KV_A4", L"KV_A3", L"KV_A2", L"KV_A1", L"KV_A0"};
        for (int k = 0; k < 5; ++k)
            if (clicked_paper->Left(5).CompareNoCase(prefixes[k]) == 0) picker.Choice = 5 + k;
        if (const MyPaper* paper = Find_Paper_By_Name(papers, *clicked_paper)) {
            const CString name = paper->Get_Display_Name(false, false);
            for (INT_PTR k = Standard_Paper_Count; k < picker.Items.GetSize(); ++k)
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
        return false;
    picker.Restore_Choice_Index(per_column);
    pick.Choice = picker.Choice;
    if (pick.Choice < 0)
        return false;

    if (pick.Choice >= entries) {
        Dlg_New_Paper dialog(owner);
        if (dialog.DoModal() != IDOK)
            return false;
        pick.Paper = Add_Paper_Unique(papers, static_cast<int>(dialog.First_Side), static_cast<int>(dialog.Second_Side),
                                      pick.Added);
    } else if (pick.Choice >= Standard_Paper_Count) {
        for (INT_PTR k = 0; k < papers.GetSize() && pick.Paper == nullptr; ++k)
            if (papers[k]->Get_Display_Name(false, false).CompareNoCase(picker.Items[pick.Choice]) == 0)
                pick.Paper = papers[k];
    }
    return true;
}

void Count_Sheet_Papers(CWnd* owner, const Paper_Array& papers, const CStringArray& sheet_papers, int standard)
{
    Paper_Array counted;  // not owning
    CUIntArray counts;
    for (INT_PTR i = 0; i < sheet_papers.GetSize(); ++i) {
        MyPaper* paper = Find_Paper_By_Name(papers, sheet_papers[i]);
        if (paper == nullptr)
            continue;
        INT_PTR k = 0;
        while (k < counted.GetSize() && counted[k] != paper) ++k;
        if (k == counted.GetSize()) {
            counted.Add(paper);
            counts.Add(1);
        } else {
            counts[k] = counts[k] + 1;
        }
    }
    if (counted.GetSize() == 0) {
        MessageBoxW(owner->GetSafeHwnd(), L"无纸张可统计 !", L"纸张统计", MB_OK | MB_ICONINFORMATION);
        return;
    }
    Export_Paper_Statistics(counted, counts, standard);
}
