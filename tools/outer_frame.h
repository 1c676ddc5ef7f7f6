// The outer frame: a rectangle drawn around selected graphics, with the margin and the
// 1:√2 proportion of the program settings. The command is Make_Outer_Frame
// (core/command_handlers.h); S pressed while it waits for its selection opens the settings.
#pragma once

// True only while the frame command waits for its selection.
extern bool g_Outer_Frame_Pick;

// One selection and one frame around it; false when the selection was cancelled or empty.
bool Make_Outer_Frame_Once();
// The settings dialog, modal over the host's main window.
void Show_Rec_Setting();

// Margin modes of the settings.
enum Outer_Frame_Margin { Outer_No_Margin = 0, Outer_Fixed_Margin = 1, Outer_Percent_Margin = 2 };

// The frame of the extents box (x1, y1)-(x2, y2): widened on every side by the margin of
// the mode (a fixed distance, or a percentage of the shorter side), then, with sqrt2, grown
// about its centre to the smallest box of side ratio 1:√2 in the same orientation.
void Widen_Outer_Frame(double& x1, double& y1, double& x2, double& y2, int margin_mode, double margin,
                       double percent, bool sqrt2);
