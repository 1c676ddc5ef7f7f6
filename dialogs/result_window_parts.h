// What the result windows of the batch plot share: their picture buttons, the controls
// locked while a plot runs, the rows a list click acts on, and the removal of rows with
// their sheets.
#pragma once

#include <functional>
#include <initializer_list>

#include "db/dbid.h"
#include "sheets/sheet_records.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "ui/result_button.h"

class CGradientProgressCtrl;
struct Batch_Sheet;
struct Plot_Option;
class ListCtrl_DivezUrez;
class Plot_Sheet_Set;
class Plot_Drawing1;

// Shows the first pop-up of the menu resource at the cursor, its commands going to the window.
void Track_Menu_At_Cursor(CWnd* window, UINT menu_id);

// Disables every enabled child of the window but the kept ones and remembers them.
void Lock_Window_Controls(CWnd* window, std::initializer_list<int> kept, ZcArray<int>& locked);
// Enables the remembered controls again and forgets them.
void Unlock_Window_Controls(CWnd* window, ZcArray<int>& locked);

// The sheet of the plot list's row; null outside it.
Plot_Drawing1* Sheet_At(const Plot_Sheet_Set& sheet_set, int row);

// 0 .. count - 1.
ZcArray<int> All_Rows(int count);
// The rows a click on the cell acts on: the list's hover rows when the click is on the
// hovered cell, else the rows a hover there would take.
ZcArray<int> Click_Rows(ListCtrl_DivezUrez& list, int row, int column);

// Deletes the row, or with two or more rows given those rows from the last to the first,
// each with its sheet of the plot list and of the set; with erase_markers the marker is
// erased first (without the erase notification). Rows outside the list are ignored.
// Returns the lowest row deleted, -1 when none was.
int Remove_Sheet_Rows(ListCtrl_DivezUrez& list, Plot_Sheet_Set& sheet_set, int row, bool erase_markers,
                      const ZcArray<int>& rows);
// Sorts the plot list by the sort type; true when that changed its order.
bool Sort_Changes_Order(Plot_Sheet_Set& sheet_set, int sort_type);

// The list emptied, its marked rows and columns forgotten.
void Clear_Sheet_List(ListCtrl_DivezUrez& list);
// A row inserted at `row` with its number (row + 1, "%4d") in column 0.
void Insert_Numbered_Row(ListCtrl_DivezUrez& list, int row);
// Rows from `first` on: the sheet's marker and column 0 take the row's number.
void Renumber_Rows(ListCtrl_DivezUrez& list, Plot_Sheet_Set& sheet_set, int first);
// Every listed sheet's marker looks highlighted while its row is selected, normal otherwise.
void Highlight_Selected_Sheets(ListCtrl_DivezUrez& list, Plot_Sheet_Set& sheet_set);

// The host's preview of the row's sheet (preview_one, false when it refused the sheet), then
// of each row the user paged to in it while it is one of the `rows` of the window of that
// preview kind; afterwards no preview is current and the window is shown again.
void Preview_With_Paging(CWnd* window, int kind, int row, const std::function<int()>& rows,
                         const std::function<bool(int)>& preview_one);

// The host's preview of one sheet of a result window of that preview kind, with the
// window's output type, background colour, plot style (combo index, 0 the default) and
// signature switch; the window is hidden meanwhile (Preview_With_Paging shows it again) and
// the sheet's marker is drawn again afterwards.
void Preview_Result_Sheet(CWnd* window, const Plot_Option& options, int style_index, int print_sign, int kind,
                          int row, const Batch_Sheet& sheet, ZcDbObjectId marker_id);

// The rows are selected.
void Select_Rows(ListCtrl_DivezUrez& list, const ZcArray<int>& rows);
// No row is selected.
void Deselect_All_Rows(ListCtrl_DivezUrez& list);

// The entries of the paper picker before the papers in use: A4 .. A0, then each of them
// or its lengthened form.
constexpr int Standard_Paper_Count = 10;
// What the paper picker chose.
struct Paper_Pick {
    // The entry; below Standard_Paper_Count a standard type.
    int Choice = -1;
    // For an entry of the papers in use or a new size: that paper of the list.
    MyPaper* Paper = nullptr;
    // A new size added a paper to the list.
    bool Added = false;
};
// The paper picker over the standard types and the papers in use (sheet_papers: the
// sheets' paper names), preset to the clicked sheet's paper (none: null), titled for the
// whole list or some rows; an entry beyond them asks for a new size. False when the user
// cancelled.
bool Pick_Paper(CWnd* owner, Paper_Array& papers, const CStringArray& sheet_papers, const CString* clicked_paper,
                bool whole_list, Paper_Pick& pick);

// The number of sheets of each paper in use (sheet_papers: the sheets' paper names) into
// the statistics of the standard; the user is told when there is no paper to count.
void Count_Sheet_Papers(CWnd* owner, const Paper_Array& papers, const CStringArray& sheet_papers, int standard);
