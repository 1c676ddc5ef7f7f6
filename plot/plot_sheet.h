// Plotting one prepared sheet through the host's "-plot" command with fixed answers.
#pragma once

#include "mfc/afxstr.h"

// What the signature entities read while they draw: outside a plot 1 and 0; during a
// plot the print-signatures switch in force, and 1.
extern int g_Show_Signatures;
extern int g_Plot_Running;

// Plots the sheet prepared on the current layout to `path` (a file device of ours).
// True when the host command succeeded and the file exists afterwards. A PDF may then be
// turned to the orientation the settings ask for.
bool Plot_Sheet_To_File(bool in_layout, const CString& path, int show_signatures, bool portrait,
                        const CString& offset, const CString& media_name = CString(),
                        const CString& unused1 = CString(), const CString& unused2 = CString());
// Plots the prepared sheet to the paper device, or into `path` when the options print to
// files.
void Plot_Sheet_To_Paper(bool in_layout, const CString& path, int show_signatures, bool portrait);

// The four answer lists; each returns the host's command result.
int Answer_Plot_Model(const CString& path, const CString& offset);
int Answer_Plot_Layout(const CString& path, const CString& offset);
int Answer_Paper_Model(const CString& orientation, const CString& path);
int Answer_Paper_Layout(const CString& orientation, const CString& path);
