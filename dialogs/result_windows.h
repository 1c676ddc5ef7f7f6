// The modeless result windows of the batch commands and the progress window, each
// reached through its global pointer (null when the window is not open). The progress
// window: ui/progress_window.h.
#pragma once

#include "dialogs/dlg_bplot1.h"
#include "dialogs/dlg_bplot2.h"
#include "dialogs/dlg_bplot3.h"
#include "ui/progress_window.h"

extern Dlg_BPlot1* g_Dlg_BPlot1;
extern Dlg_BPlot2* g_Dlg_BPlot2;
extern Dlg_BPlot3* g_Dlg_BPlot3;

// Destroys the window, deletes the object and clears the pointer, when it is set.
template <class Window>
void Destroy_Window_Object(Window*& window)
{
    if (window == nullptr)
        return;
    window->DestroyWindow();
    delete window;
    window = nullptr;
}

// The three result windows, then the progress window.
void Destroy_Result_Windows();

// Lets the drawing's erase notification remove the row of an erased marker from the open
// result window (g_Dlg_BPlot1, else g_Dlg_BPlot3 while g_Sheet_Set is set, else g_Dlg_BPlot2
// while g_TK_Sheet_List is set; else the hook set before), and the preview's paging count the
// rows of the open window of its kind (1, 2, 3: g_Dlg_BPlot1, 2, 3), and the plot drivers
// reach the windows by their kind (g_Find_Result_Window). Each window calls it when it is
// created.
void Hook_Result_Windows();
