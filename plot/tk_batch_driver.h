// The batch plot of the sheets recognised by their title blocks: every sheet of
// g_TK_Sheet_List to a file with the chosen stamps placed on it, failed sheets once more by
// a follow-up command, the PDF files merged with the sheets' titles at the end.
#pragma once

#include "mfc/afxstr.h"

// Plots the first `count` sheets of g_TK_Sheet_List into the run's output folder, which
// `folder` receives, each named by its file name with the library's separator for line
// breaks. Failed sheets are left to "Plot_BaseFun2_Standby", queued here; otherwise the
// window is closed, the starting space made current again and the PDF files merged. The
// stamps placed during the run are removed at its end. False when the user stopped the run.
bool Plot_BaseFun2(CString& folder, int count);
// Body of the command "Plot_Temp2": the run over the whole list, the output folder opened
// when wanted, then the title-block window queued to open again.
void Run_Plot_Temp2();
// Body of the command "Plot_BaseFun2_Standby": the failed sheets of the last run once more
// with their stamps, then the end of that run.
void Run_Plot_BaseFun2_Standby();
