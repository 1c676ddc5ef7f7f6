// Sheets written out as drawing files of their own: the entities of each sheet's window, one
// block centred at the origin (or loose), with the layout's viewports and the model space
// behind them for a layout sheet.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxstr.h"

class Plot_Sheet_Set;
class TK_Sheet_List;

// The same for the recognised sheets of the list, each named by its file name with the
// line-break markers as the library's separator, its window the frame's corners (the open
// title-block window g_Dlg_BPlot2 shows the progress).
bool Export_Sheets_To_Dwg2(TK_Sheet_List& sheet_list, CString& out_folder, int* written = nullptr);
// Exports every sheet of the set's plot list into the output folder of the options in force
// (out_folder receives it). The drawings that cannot be written, or cannot replace the
// earlier file, are told in one message at the end, their earlier files kept as they were. written (when given) counts the files written. The open result window
// (g_Dlg_BPlot1) shows the progress; its stop button, once asked, ends the export after
// the sheet in hand. True when any file was written.
bool Export_Sheets_To_Dwg1(Plot_Sheet_Set& sheet_set, CString& out_folder, int* written = nullptr);
// The entities of the current space that the window takes, written to file. True when the
// file was written; else the thread's last error says why, and the failure is shown unless
// the caller reports it.
bool Export_Window_To_Dwg(const ZcGePoint2d& corner1, const ZcGePoint2d& corner2, const CString& file,
                          bool open, bool name_layout, bool report_failure = true);
// The ids' entities written into a new drawing file, the window's centre at the origin; with
// open the host opens the file, with name_layout the layout takes the file's title. The ids
// are emptied. True when the file was written; else as Export_Window_To_Dwg.
bool Export_Ids_To_Dwg(const ZcGePoint2d& corner1, const ZcGePoint2d& corner2, ZcDbObjectIdArray& ids,
                       const CString& file, bool open, bool name_layout, bool report_failure = true);
// Opens the file as a document of the host.
void Open_Exported_Dwg(const CString& file);
