#include "plot/batch_window.h"

#include "core/result_windows.h"

void Batch_Progress_Begin(int upper)
{
    if (Result_Window* window = Open_Result_Window())
        window->Plot_Progress_Begin(0, upper);
}

void Batch_Progress_Step()
{
    if (Result_Window* window = Open_Result_Window())
        window->Plot_Progress_Step();
}

void Batch_Progress_End()
{
    if (Result_Window* window = Open_Result_Window())
        window->Plot_Progress_End();
}

void Batch_Done_Close()
{
    if (Result_Window* window = Open_Result_Window())
        window->Plot_Done_Close();
}

bool Batch_Take_Stop_Request()
{
    Result_Window* window = Open_Result_Window();
    return window != nullptr && window->Take_Stop_Request();
}
