// What the signature entities read while they draw: outside a plot 1 and 0; during a
// plot the print-signatures switch in force, and 1. The plot sets them around each sheet.
#pragma once

extern int g_Show_Signatures;
extern int g_Plot_Running;
