// The batch plot to paper: the sheets of the plot list of g_Sheet_Set printed on the chosen
// printer as many times as each sheet's copies ask, collated or not, or written once each
// by the printer's driver into PLT files.
#pragma once

#include <vector>

#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// The jobs of the first `count` sheets, in the order they are sent. Printing to files each
// sheet once; else each sheet its copies (none below 1), one after the other, or with
// collate in complete sets. Sheets without a paper are not sent.
std::vector<Plot_Drawing1*> Paper_Batch_Jobs(const Sheet_Array& plot_list, int count, bool to_file, bool collate);
// The PLT file of job `job` (from 0): "<folder>\<title>.plt" for a run of one job, else
// "<folder>\<title>_<job + 1>.plt".
CString Paper_Batch_Plt_Path(const CString& folder, const CString& title, int job_count, int job);

// Prints the jobs of the first `count` sheets on the options' printer; false when the user
// stopped the run, or when no printer is chosen (nothing is sent then). A PLT file of an
// earlier run is replaced only by a whole new one. The jobs that did not go out are told in
// one message at the end; `sent` receives the number that did.
bool Plot_Paper_Batch(int count, int* sent = nullptr);
// Body of the command "Plot_Temp3": the run over the whole plot list, the PLT folder
// opened when wanted and any file was written, then the paper window queued to open again.
void Run_Plot_Temp3();
