// The renumbering dialog of the title-block window.
#include "dialogs/dlg_bplot2.h"

// Dlg_TuHao comes with the title-block library's dialogs; until it is there the renumbering
// is not offered.
bool Ask_Renumbering(CWnd* owner, Renumbering& numbering)
{
    (void)owner;
    (void)numbering;
    return false;
}
