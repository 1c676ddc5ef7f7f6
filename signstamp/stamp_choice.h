// The stamps chosen for a title-block plot: per kind 1..4 a use flag and a stamp name in
// the plot options, chosen in Dlg_Stamp_Select before the plot starts.
#pragma once

#include "mfc/afxstr.h"

class Plot_Option;
class TK_Sheet_List;

// The kind's use flag and stamp name in the options.
int& Stamp_Use_Flag(Plot_Option& option, int kind);
CString& Stamp_Name_Of(Plot_Option& option, int kind);

// What the Print of the title-block window does before a plot with stamps: with an empty
// library it asks whether to plot without them (the stamps switch then goes off);
// otherwise it offers the enabled stamps of g_Stamp_Library and the sheets' stamp
// positions in Dlg_Stamp_Select. False when the plot is not to happen.
bool Choose_Stamps_Before_Plot(Plot_Option& option, const TK_Sheet_List& sheets);
