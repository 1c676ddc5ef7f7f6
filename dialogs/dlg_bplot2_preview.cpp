// The preview of one sheet of the title-block window, with paging to the others.
#include "dialogs/dlg_bplot2.h"
#include "dialogs/result_window_parts.h"
#include "plot/batch_plot_driver.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"

namespace {

constexpr int Preview_Kind_BPlot2 = 2;

}  // namespace

void Dlg_BPlot2::Preview_Sheet(int row) { Preview_Listed_Sheet(Preview_Kind_BPlot2, row, MB_OK | MB_ICONQUESTION); }

bool Dlg_BPlot2::Row_Batch_Sheet(int row, Batch_Sheet& batch_sheet, ZcDbObjectId& marker) const
{
    const Plot_Drawing2* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return false;
    batch_sheet = {sheet->Space_Id, sheet->Min_Corner, sheet->Max_Corner, sheet->Width,     sheet->Height,
                   sheet->Plot_Scale, sheet->Portrait, sheet->Paper_Name, sheet->File_Name};
    marker = sheet->Marker_Id;
    return true;
}
