// The plug-in's three colour-dependent plot-style tables ("黑白.ctb", "彩色.ctb",
// "蓝白.ctb"): copied from the templates ZCAD1.ccc..ZCAD3.ccc of the plug-in folder into the
// host's plot-style folder when missing, and edited with the host's plot-style editor.
#pragma once

#include "mfc/afxstr.h"

class CComboBox;
class CWnd;

// Makes sure the three tables exist in some folder of the host's plot-style folder list;
// a missing one is copied into the last folder and its settings mark set to 6. True when
// all three are there afterwards; a table whose copy failed keeps its mark, so the next
// command tries again. An empty folder list installs nothing.
bool Install_Ctb_Files();
// Copies the template of table 1..3 to the destination without overwriting a file there;
// true when the destination holds a file afterwards.
bool Copy_Ctb_Template(const CString& destination, int table);
// Runs the host's plot-style editor on the named table (leading blanks ignored) and waits
// for it. When the host then lists more tables than the combo box (after its default
// entry), the combo is refilled and the position becomes the edited table's index in the
// list (0 when it is gone); otherwise combo and position stay.
void Edit_Plot_Style(CWnd* owner, const CString& style_name, CComboBox* combo, int& position);
