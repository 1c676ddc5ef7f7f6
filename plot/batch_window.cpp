#include "plot/batch_window.h"

#include "app/result_windows.h"

// Only one result window of the file batches exists at a time.
void Batch_Progress_Begin(int upper)
{
    if (g_Dlg_BPlot1 != nullptr)
        g_Dlg_BPlot1->Plot_Progress_Begin(0, upper);
    if (g_Dlg_BPlot2 != nullptr)
        g_Dlg_BPlot2->Plot_Progress_Begin(0, upper);
}

void Batch_Progress_Step()
{
    if (g_Dlg_BPlot1 != nullptr)
        g_Dlg_BPlot1->Plot_Progress_Step();
    if (g_Dlg_BPlot2 != nullptr)
        g_Dlg_BPlot2->Plot_Progress_Step();
}

void Batch_Progress_End()
{
    if (g_Dlg_BPlot1 != nullptr)
        g_Dlg_BPlot1->Plot_Progress_End();
    if (g_Dlg_BPlot2 != nullptr)
        g_Dlg_BPlot2->Plot_Progress_End();
}

void Batch_Done_Close()
{
    if (g_Dlg_BPlot1 != nullptr)
        g_Dlg_BPlot1->Plot_Done_Close();
    if (g_Dlg_BPlot2 != nullptr)
        g_Dlg_BPlot2->Plot_Done_Close();
}

bool Batch_Take_Stop_Request()
{
    BYTE* flag = g_Dlg_BPlot1 != nullptr ? &g_Dlg_BPlot1->Stop_Flag
                 : g_Dlg_BPlot2 != nullptr ? &g_Dlg_BPlot2->Stop_Flag
                                           : nullptr;
    if (flag == nullptr || *flag == 0)
        return false;
    *flag = 0;
    return true;
}
