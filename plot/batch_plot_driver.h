// The generic batch plot: every sheet of the plot list of g_Sheet_Set to a file, one
// "-plot" per sheet, failed sheets once more by a follow-up command, and the PDF files
// merged at the end when the run asks for it.
#pragma once

#include "db/dbid.h"
#include "ge/gepnt2d.h"
#include "sheets/sheet_records.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "rx/zcarray.h"

// The plot-style table chosen in the result window: its list index less 1, -1 for the
// default entry. Set by the result windows' Print.
extern int g_Plot_Style_Index;

// What a run leaves for its follow-up command (shared with the title-block batch):
// the output folder, the space current when the run began, the failed positions
// (from 0) in plot order.
extern CString g_Retry_Folder;
extern ZcDbObjectId g_Retry_Space_Id;
extern ZcArray<int> g_Failed_Sheets;
// The number of sheets of that run.
extern int g_Retry_Sheet_Count;

class Output_Failures;

// What the plot of one sheet of a file batch needs of it.
struct Batch_Sheet {
    ZcDbObjectId space_id;  // null: the current space
    ZcGePoint2d min_corner;
    ZcGePoint2d max_corner;
    double width;
    double height;
    double plot_scale;
    bool portrait;
    CString paper_name;
    CString output_name;
};

// Makes the sheet's space current, prepares its plot settings and plots it into the folder
// as the sheet at `position` (from 0) of the run; true when the plot counts as done. On
// failure the thread's last error says why, and a file of an earlier run stays as it was.
bool Plot_Batch_Sheet(const Batch_Sheet& sheet, const Paper_Array& papers, const CString& folder, int position);

// The end of a run: the window's progress ended and the window closed, the starting space
// current again, and when merging the PDF files merged with the titles of list kind `kind`.
void Finish_Batch_Run(int kind, const CString& folder, ZcDbObjectId start_space, bool merging);

// Opens the output folder in the shell when the settings want it and the run did not merge.
void Open_Output_Folder(const CString& folder, bool merging);
// Keeps what the follow-up command of a run with failed sheets needs: the run's folder,
// starting space, failed positions and number of sheets.
void Leave_For_Retry(const CString& folder, ZcDbObjectId start_space, const ZcArray<int>& failed, int count);
// The end of a retry: the run finished as Finish_Batch_Run does for list kind `kind`, the
// sheets that failed again told in one message, and the output folder opened when the
// settings want it and any sheet of the run was written.
void Finish_Batch_Retry(int kind, bool merging, const Output_Failures& failures);

// Plots the first `count` sheets of the plot list of g_Sheet_Set into the run's output
// folder, which `folder` receives. Failed sheets are left to "Plot_BaseFun1_Standby",
// queued here; otherwise the window is closed, the starting space made current again
// and the numbered PDF files merged. False when the user stopped the run.
bool Plot_BaseFun1(CString& folder, int count);

// Body of the command "Plot_Temp1": the run over the whole plot list, the output
// folder opened when wanted and no sheet is left to the retry, then the result window
// queued to open again.
void Run_Plot_Temp1();
// Body of the command "Plot_BaseFun1_Standby": the failed sheets of the last run once
// more, then the end of that run (window closed, space restored, PDF files merged, the
// sheets that failed again told, the folder opened).
void Run_Plot_BaseFun1_Standby();

// The output names of the plot list of g_Sheet_Set, in plot order: the titles of the
// generic list's merged PDF pages.
void Generic_List_Titles(CStringArray& titles);
