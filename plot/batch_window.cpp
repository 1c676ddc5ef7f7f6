#include "plot/batch_window.h"

#include "core/result_window.h"

namespace {

Result_Window* Reporting_Window(Batch_Kind kind)
{
    if (g_Find_Result_Window == nullptr)
        return nullptr;
    if (kind == Batch_Kind::Paper)
        return g_Find_Result_Window(Result_Window_Kind::Paper);
    if (Result_Window* files = g_Find_Result_Window(Result_Window_Kind::Files))
        return files;
    return g_Find_Result_Window(Result_Window_Kind::Title_Blocks);
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
