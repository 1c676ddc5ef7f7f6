#include "app/result_windows.h"

Dlg_BPlot1* g_Dlg_BPlot1 = nullptr;
Dlg_BPlot2* g_Dlg_BPlot2 = nullptr;
Dlg_BPlot3* g_Dlg_BPlot3 = nullptr;
Plot_Sheet_Set* g_Sheet_Set = nullptr;

void Destroy_Result_Windows()
{
    Destroy_Window_Object(g_Dlg_BPlot1);
    Destroy_Window_Object(g_Dlg_BPlot2);
    Destroy_Window_Object(g_Dlg_BPlot3);
    Progress_Close();
}
