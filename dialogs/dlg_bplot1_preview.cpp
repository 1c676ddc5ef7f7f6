// The preview of one sheet of the batch plot to files window, with paging to the others.
#include "dialogs/dlg_bplot1.h"
#include "dialogs/result_window_parts.h"
#include "plot/batch_plot_driver.h"
#include "sheets/paper_table.h"
#include "sheets/plot_set.h"

namespace {

constexpr int Preview_Kind_BPlot1 = 1;

}  // namespace

void Dlg_BPlot1::Preview_Sheet(int row) { Preview_Listed_Sheet(Preview_Kind_BPlot1, row, MB_OK); }

bool Dlg_BPlot1::Row_Batch_Sheet(int row, Batch_Sheet& batch_sheet, ZcDbObjectId& marker) const
{
    const Plot_Drawing1* sheet = Row_Sheet(row);
    if (sheet == nullptr)
        return false;
    batch_sheet = {sheet->Space_Id, sheet->Min_Corner, sheet->Max_Corner, sheet->Width,      sheet->Height,
                   sheet->Plot_Scale, sheet->Portrait, sheet->Paper_Name, sheet->Output_Name};
    marker = sheet->Marker_Id;
    return true;
}
