#include "plot/batch_window.h"

#include "app/result_windows.h"

namespace {

Result_Window* Reporting_Window(Batch_Kind kind)
{
    if (kind == Batch_Kind::Paper)
        return g_Dlg_BPlot3;
    if (g_Dlg_BPlot1 != nullptr)
        return g_Dlg_BPlot1;
    return g_Dlg_BPlot2;
}

}  // namespace

void Batch_Progress_Begin(int upper, Batch_Kind kind)
{
    if (Result_Window* window = Reporting_Window(kind))
        window->Plot_Progress_Begin(0, upper);
}

void Batch_Progress_Step(Batch_Kind kind)
{
    if (Result_Window* window = Reporting_Window(kind))
        window->Plot_Progress_Step();
}

void Batch_Progress_End(Batch_Kind kind)
{
    if (Result_Window* window = Reporting_Window(kind))
        window->Plot_Progress_End();
}

void Batch_Done_Close(Batch_Kind kind)
{
    if (Result_Window* window = Reporting_Window(kind))
        window->Plot_Done_Close();
}

bool Batch_Take_Stop_Request(Batch_Kind kind)
{
    Result_Window* window = Reporting_Window(kind);
    return window != nullptr && window->Take_Stop_Request();
}
