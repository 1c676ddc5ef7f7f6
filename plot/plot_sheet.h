// Plotting one prepared sheet through the host's "-plot" command with fixed answers.
#pragma once

#include <functional>

#include "mfc/afxstr.h"
#include "signstamp/sign_plot_state.h"

// Runs a "-plot" answer list, given the file name to answer, so that the file is written
// beside `path` under a fresh name and replaces what is at `path` only once it is whole.
// An empty path runs the list as it is. False, with the thread's last error saying why,
// when the host command failed or wrote no file; whatever was at `path` is then unchanged.
bool Plot_Into_File(const CString& path, const std::function<int(const CString&)>& run_answers);

// Plots the sheet prepared on the current layout to `path` (a file device of ours) through
// Plot_Into_File: true when the host command succeeded and the new file replaced the old.
// A PDF may then be turned to the orientation the settings ask for. On failure the
// thread's last error says why.
bool Plot_Sheet_To_File(bool in_layout, const CString& path, int show_signatures, bool portrait,
                        const CString& offset, const CString& media_name = CString(),
                        const CString& unused1 = CString(), const CString& unused2 = CString());
// Plots the prepared sheet to the paper device, or into `path` through Plot_Into_File when
// the options print to files. False, with the thread's last error saying why, when the
// host command failed or the file was not written.
bool Plot_Sheet_To_Paper(bool in_layout, const CString& path, int show_signatures, bool portrait);

// The four answer lists; each returns the host's command result.
int Answer_Plot_Model(const CString& path, const CString& offset);
int Answer_Plot_Layout(const CString& path, const CString& offset);
int Answer_Paper_Model(const CString& orientation, const CString& path);
int Answer_Paper_Layout(const CString& orientation, const CString& path);
