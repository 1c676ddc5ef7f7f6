// The single-sheet plot: one window of the drawing, picked by two corners or taken from the
// extents of picked entities, plotted at once into one file (or written out as a drawing
// file), with one retry by a follow-up command when the plot fails.
#pragma once

#include "ge/gepnt2d.h"
#include "mfc/afxstr.h"

// True only while one of the two pick prompts waits; the window-message watcher then takes
// Tab and S.
extern bool g_Single_Pick_Mode;

// What a failed plot leaves for "SinglePlot_Plot_Standby"; the next failure overwrites it.
extern CString g_Single_Retry_Path;
extern int g_Single_Retry_Signatures;
extern bool g_Single_Retry_Portrait;

// Plots the window of the two corners (UCS) onto the paper its size needs at the default
// scale, at the scale that fits it there. A paper beyond 5080 mm (not for DWF) is refused;
// below 50 mm the user is asked. g_Sheet_Set designates the plot's own set meanwhile.
void Plot_Single_Window(const ZcGePoint2d& first, const ZcGePoint2d& second);

// The output file of the options in force: asked with the save dialog when the settings
// want it or for PLT and SVG (false when the user cancels), else a new time-stamped name in
// the emptied temporary folder. A file at the chosen path stays until the plot replaces it.
bool Get_Single_Output_Name(CString& path);

// The options in force ask for drawing-file output instead of a plot.
bool Single_Output_Is_Drawing();
// Opens the plotted file with the shell's default action, unless the output is PLT or SVG.
void Open_Single_Output(const CString& path);

// The single-plot settings, modal, with the pick keys off meanwhile.
void Show_SinglePlot_Setting();

// The pick commands and the retry.
void Run_SinglePlot_SelectP();
void Run_SinglePlot_SelectW();
void Run_SinglePlot_Plot_Standby();
