#include "dialogs/result_windows.h"

#include "plot/batch_run.h"
#include "sheets/plot_set.h"

Dlg_BPlot1* g_Dlg_BPlot1 = nullptr;
Dlg_BPlot2* g_Dlg_BPlot2 = nullptr;
Dlg_BPlot3* g_Dlg_BPlot3 = nullptr;

namespace {

bool Window_Open(CWnd* window) { return window != nullptr && window->GetSafeHwnd() != nullptr; }

Marker_Sheet_Window* (*Earlier_Marker_Hook)() = nullptr;

Marker_Sheet_Window* Open_Marker_Window()
{
    if (Window_Open(g_Dlg_BPlot1))
        return g_Dlg_BPlot1;
    if (g_Sheet_Set != nullptr && Window_Open(g_Dlg_BPlot3))
        return g_Dlg_BPlot3;
    if (g_TK_Sheet_List != nullptr && Window_Open(g_Dlg_BPlot2))
        return g_Dlg_BPlot2;
    return Earlier_Marker_Hook != nullptr ? Earlier_Marker_Hook() : nullptr;
}

int Preview_List_Count(int kind)
{
    Result_Dialog* const windows[] = {g_Dlg_BPlot1, g_Dlg_BPlot2, g_Dlg_BPlot3};
    if (kind < 1 || kind > 3 || !Window_Open(windows[kind - 1]))
        return 0;
    return windows[kind - 1]->Row_Count();
}

Result_Window* Find_Result_Window(Result_Window_Kind kind)
{
    switch (kind) {
    case Result_Window_Kind::Files:
        return g_Dlg_BPlot1;
    case Result_Window_Kind::Title_Blocks:
        return g_Dlg_BPlot2;
    case Result_Window_Kind::Paper:
        return g_Dlg_BPlot3;
    }
    return nullptr;
}

}  // namespace

void Destroy_Result_Windows()
{
    Destroy_Window_Object(g_Dlg_BPlot1);
    Destroy_Window_Object(g_Dlg_BPlot2);
    Destroy_Window_Object(g_Dlg_BPlot3);
    Progress_Close();
}

void Hook_Result_Windows()
{
    if (g_Open_Marker_Sheet_Window != Open_Marker_Window) {
        Earlier_Marker_Hook = g_Open_Marker_Sheet_Window;
        g_Open_Marker_Sheet_Window = Open_Marker_Window;
    }
    g_Preview_List_Count = Preview_List_Count;
    g_Find_Result_Window = Find_Result_Window;
}
