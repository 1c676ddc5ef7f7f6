#include "signstamp/sign_plot_state.h"

int g_Show_Signatures = 1;
int g_Plot_Running = 0;
