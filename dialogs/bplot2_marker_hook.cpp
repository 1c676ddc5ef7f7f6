// The erase notification's view of the title-block window: an erased marker removes its
// sheet's row.
#include "core/doc_reactors.h"
#include "app/result_windows.h"
#include "dialogs/dlg_bplot2.h"

namespace {

class BPlot2_Marker_Window : public Marker_Sheet_Window {
public:
    int Find_Marker_Row(const ZcDbObjectId& marker) override
    {
        const TK_Sheet_Array& sheets = g_Dlg_BPlot2->Sheet_List.Sheets;
        for (int row = 0; row < sheets.GetSize(); ++row)
            if (sheets[row]->Marker_Id == marker)
                return row;
        return -1;
    }
    void Delete_Sheets(int row) override { g_Dlg_BPlot2->Delete_Sheets(row, false, ZcArray<int>()); }
};

Marker_Sheet_Window* (*BPlot2_Other_Windows)() = nullptr;

Marker_Sheet_Window* Open_BPlot2_Marker_Window()
{
    static BPlot2_Marker_Window window;
    if (g_Dlg_BPlot2 != nullptr && g_Dlg_BPlot2->GetSafeHwnd() != nullptr && g_TK_Sheet_List != nullptr)
        return &window;
    return BPlot2_Other_Windows != nullptr ? BPlot2_Other_Windows() : nullptr;
}

}  // namespace

void Hook_BPlot2_Marker_Erase()
{
    if (g_Open_Marker_Sheet_Window == Open_BPlot2_Marker_Window)
        return;
    BPlot2_Other_Windows = g_Open_Marker_Sheet_Window;
    g_Open_Marker_Sheet_Window = Open_BPlot2_Marker_Window;
}
