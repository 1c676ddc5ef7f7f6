// Paper and scale of the found sheets, from the plot options in force: the natural scale of
// a sheet and the vote over the sheets that proposes the default scale, the paper of a
// paper type, and the plot offset of a PDF sheet inside its paper. The members of the sheet
// records that belong here (area filter, Match_Paper, Assign_Papers, the paper list
// operations, MyPaper::Fit_Frame) are defined in paper_scale.cpp.
#pragma once

#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// "1:100" for scales of 1 and above, "2:1" below 1, nothing at 1e-5 or less.
CString Format_Scale_Text(double scale);

// The power of ten times the default scale under which the sheet's mean side, in units of
// 500, lies within (0.2, 5). With ask, a result other than the default may become the
// default (after a question, or silently the first time) and is stored in the drawing.
double Get_Sheet_Natural_Scale(const Plot_Drawing1* sheet, bool ask);
// The natural scale most sheets of the plot list share, the default counted first; with
// ask, as Get_Sheet_Natural_Scale.
double Vote_Default_Scale(const Plot_Sheet_Set& set, bool ask);

// The paper of type 0..4 (A4..A0), or for 5..9 of short side A4..A0 lengthened to the
// frame's proportions; other types A4. Ordered and snapped.
void Get_Paper_Size_By_Type(int paper_type, double width, double height, int& long_side, int& short_side);

// The list's paper of that size (Add_Paper_Unique); when one was added and rebuild is set,
// the plotter files are rewritten for the list.
MyPaper* Add_Paper_And_Devices(Paper_Array& papers, int long_side, int short_side, bool rebuild, bool& added);
// Unless the output type in force makes drawing files: rewrites the plotter files for the
// papers and sets the active layout's device to the output type's configuration file, so
// that the host knows the papers.
void Install_Plot_Devices(const Paper_Array& papers);

// "%d,%d", the offsets of the frame inside the paper with the margins in force, for PDF
// output on the 2007 host; empty otherwise (the plot is then centred).
CString Get_Plot_Offset_Text(const MyPaper* paper, double width, double height);
