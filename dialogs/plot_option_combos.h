// The combo boxes every plot dialog shares: output formats, margins (with the entry that
// opens the unequal margins) and plot styles with the default-style choice.
#pragma once

#include "mfc/afxwin.h"

class Plot_Set;

// 0 while a margin combo's selection handler runs (also while the unequal-margins dialog
// it opened is shown); the handlers that run when the focus leaves a margin combo act
// only while it is 1.
extern bool g_Margin_Combo_Idle;

// "  PDF" .. "  SVG" and, when asked, "  DWG": the index is the output type.
void Fill_Format_List(CComboBox* combo, bool with_dwg);

// The margin list: " 不等边留白", " 不留白", then +1, -1 .. +10, -10 mm, and the margin itself
// when it lies outside -10..10; selects the margin's item, or item 0 with the unequal flag.
void Fill_Margin_List(CComboBox* combo, int& selection, int margin, int unequal);
// Reads the selected item (from_selection) or the combo's edit text: the unequal entry sets
// the flag and keeps the margin; otherwise the digits and minus signs before the first
// full stop give the margin. A value outside -100..100 is ignored (false); else true when
// the margin changed.
bool Parse_Margin_Combo(CComboBox* combo, int& margin, int& unequal, bool from_selection);
// Parses the edit text, then refills the list for the result.
bool Reparse_Margin_Combo(CComboBox* combo, int& selection, int& margin, int& unequal);

// " --默认设置--", then the current drawing's plot-style tables with one leading blank;
// `default_index` is the style-list index of the default style (the caller selects it + 1).
// An empty list is reported.
void Fill_Style_List(CComboBox* combo, int& default_index);
// Index into the helper's style list of the first candidate found (case ignored): the
// current options' style, then three names in the order of the default-style mode; 0 when
// none is found.
int Find_Default_Style_Index(const Plot_Set& plot_set);
// Runs the default-style dialog; on OK the style-list index of the new default, else (and
// when nothing matches) the fallback.
void Choose_Default_Style(int& index, int fallback);
// A style combo whose selection became `selection` (from `previous`): the default entry 0
// runs the default-style choice with the previous style as fallback and selects its result.
void Apply_Style_Selection(CComboBox* combo, int& selection, int previous);
// The host's plot-style editor on the selected table; the combo, refilled when the editor
// added a table, keeps the selection.
void Edit_Selected_Style(CWnd* owner, CComboBox* combo, int& selection);
