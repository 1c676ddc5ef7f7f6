// The preview of one sheet of the title-block window, with paging to the others.
#include "dialogs/dlg_bplot2.h"
#include "dialogs/result_window_parts.h"
#include "plot/batch_plot_driver.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"

namespace {

constexpr int Preview_Kind_BPlot2 = 2;

}  // namespace

void Dlg_BPlot2::Preview_Sheet(int row)
{
    Preview_With_Paging(this, Preview_Kind_BPlot2, row, [this] { return List.GetItemCount(); }, [this](int shown) {
        Read_Controls();
        Plot_Drawing2* sheet = Row_Sheet(shown);
        if (sheet == nullptr)
            return false;
        const MyPaper* paper = Find_Paper_By_Name(Sheet_List.Papers, sheet->Paper_Name);
        if (paper != nullptr && (paper->Long_Side > 5080 || paper->Short_Side > 5080)) {
            MessageBoxW(GetSafeHwnd(), L"纸张尺寸过大，已超过 5080 mm (即200英寸)。\n\n请检查是否打印比例有误。\n\n打印预览退出 !",
                        L"Korvel打印预览", MB_OK | MB_ICONQUESTION);
            return false;
        }
        Preview_Result_Sheet(this, Options, Style_Index, Print_Sign, Preview_Kind_BPlot2, shown,
                             {sheet->Space_Id, sheet->Min_Corner, sheet->Max_Corner, sheet->Width, sheet->Height,
                              sheet->Plot_Scale, sheet->Portrait, sheet->Paper_Name, sheet->File_Name},
                             sheet->Marker_Id);
        return true;
    });
}
