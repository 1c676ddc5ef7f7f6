// The numbering-and-order and catalogue buttons of the title-block window.
#include "core/doc_lock.h"
#include "core/space_helpers.h"
#include "dialogs/dlg_bplot2.h"
#include "dialogs/dlg_no_set.h"
#include "sheets/point_jigs.h"
#include "titleblock/tk_catalogue.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheet_order.h"

void Dlg_BPlot2::On_Number_Order()
{
    TK_Library& library = g_TK_Library;
    Dlg_No_Set dialog(this);
    dialog.Insert_No = library.No_In_Front;
    dialog.Prefix = library.No_Prefix;
    dialog.Start_No = library.No_Start;
    dialog.Suffix = library.No_Suffix;
    dialog.Digits_Index = library.No_Digits - 1;
    dialog.Order_Kind = Options.TK_Order;
    dialog.Sort_Type = Options.Sort_Type;
    if (dialog.DoModal() != IDOK)
        return;
    Doc_Lock lock;
    const bool reordered = dialog.Order_Kind != Options.TK_Order || dialog.Sort_Type != Options.Sort_Type;
    Options.TK_Order = dialog.Order_Kind;
    Options.Sort_Type = dialog.Sort_Type;
    if (reordered) {
        Sort_TK_Sheets(Sheet_List, Options.TK_Order != 0, Options.Sort_Type);
        for (int row = 0; row < List.GetItemCount() && row < Sheet_List.Sheets.GetSize(); ++row) {
            Sheet_List.Sheets[row]->Set_Marker(row + 1, 0);
            List.SetItemState(row, 0, LVIS_SELECTED);
            Show_Row(row);
        }
        Mark_Duplicate_Numbers();
        Mark_Duplicate_Names();
        Mark_Title_Remarks();
        Update_Screen();
    }
    const bool renumbered = dialog.Insert_No != library.No_In_Front || dialog.Prefix != library.No_Prefix ||
                            dialog.Start_No != library.No_Start || dialog.Suffix != library.No_Suffix ||
                            dialog.Digits_Index + 1 != library.No_Digits;
    if (!renumbered && !(dialog.Insert_No != 0 && reordered))
        return;
    library.No_In_Front = dialog.Insert_No;
    library.No_Prefix = dialog.Prefix;
    library.No_Start = dialog.Start_No;
    library.No_Suffix = dialog.Suffix;
    library.No_Digits = dialog.Digits_Index + 1;
    Rename_All_Sheets();
    Fit_List_Column(&List, Col2_Name, this);
}

void Dlg_BPlot2::On_Catalogue()
{
    if (g_TK_Library.Cat_Col_Widths.GetSize() == 0) {
        MessageBoxW(GetSafeHwnd(), L"目录内容设置为空 !\n\n请先在 <图框信息录入> 中填写 <目录生成配置> !", L"Korvel打印",
                    MB_OK | MB_ICONQUESTION);
        return;
    }
    Doc_Lock lock;
    ShowWindow(SW_HIDE);
    ZcArray<double> widths;
    for (INT_PTR i = 0; i < g_TK_Library.Cat_Col_Widths.GetSize(); ++i) widths.append(g_TK_Library.Cat_Col_Widths[i]);
    ZcGePoint3d top_left;
    const bool picked =
        Pick_Insert_Point(top_left, Count_Catalogue_Rows(Sheet_List), g_TK_Library.Cat_Row_Height, widths);
    ShowWindow(SW_SHOW);
    if (picked)
        Draw_Catalogue(Sheet_List, top_left);
}
