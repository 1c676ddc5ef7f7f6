// What every batch plot run does around its sheets: the options in force, FILEDIA off
// while it runs, the space to return to and the stop question.
#pragma once

#include "db/dbid.h"
#include "sheets/space_choice.h"  // Current_Space_Id

class Plot_Option;
class Plot_Sheet_Set;

// The sheet set of the open result window (Dlg_BPlot1 or Dlg_BPlot3); null when none.
extern Plot_Sheet_Set* g_Sheet_Set;

// g_Cur_Plot_Option, else the drawing's options.
Plot_Option& Option_In_Force();
// The number of sheets in the plot list of g_Sheet_Set; 0 without one.
int Plot_List_Size();

// FILEDIA is 0 while a driver runs and 1 again on every way out.
class File_Dialogs_Off {
public:
    File_Dialogs_Off();
    ~File_Dialogs_Off();
    File_Dialogs_Off(const File_Dialogs_Off&) = delete;
    File_Dialogs_Off& operator=(const File_Dialogs_Off&) = delete;
};

// "是否中断打印 ？": true when the user answers Yes.
bool User_Stops();
