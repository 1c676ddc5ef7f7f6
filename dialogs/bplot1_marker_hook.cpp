// The erase notification's view of the batch plot to files window: an erased marker
// removes its sheet's row.
#include "core/doc_reactors.h"
#include "app/result_windows.h"
#include "dialogs/dlg_bplot1.h"

namespace {

class BPlot1_Marker_Window : public Marker_Sheet_Window {
public:
    int Find_Marker_Row(const ZcDbObjectId& marker) override
    {
        for (int row = 0; row < g_Dlg_BPlot1->Sheet_Set.Plot_List.GetSize(); ++row)
            if (g_Dlg_BPlot1->Sheet_Set.Plot_List[row]->Marker_Id == marker)
                return row;
        return -1;
    }
    void Delete_Sheets(int row) override { g_Dlg_BPlot1->Delete_Sheets(row, false, ZcArray<int>()); }
};

Marker_Sheet_Window* (*Other_Windows)() = nullptr;

Marker_Sheet_Window* Open_Marker_Window()
{
    static BPlot1_Marker_Window window;
    if (g_Dlg_BPlot1 != nullptr && g_Dlg_BPlot1->GetSafeHwnd() != nullptr)
        return &window;
    return Other_Windows != nullptr ? Other_Windows() : nullptr;
}

}  // namespace

void Hook_BPlot1_Marker_Erase()
{
    if (g_Open_Marker_Sheet_Window == Open_Marker_Window)
        return;
    Other_Windows = g_Open_Marker_Sheet_Window;
    g_Open_Marker_Sheet_Window = Open_Marker_Window;
}
