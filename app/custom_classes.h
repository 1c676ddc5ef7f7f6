// The plug-in's six custom entity classes as a whole.
#pragma once

// Registers Sign_Base, KV_Sign_Class, Temp_Sign, Temp_PlotRec, Temp_PlotRec2, My_PLine
// with the host, in this order.
void Register_Custom_Classes();
// Removes the six classes from the host, in the same order.
void Remove_Custom_Classes();
