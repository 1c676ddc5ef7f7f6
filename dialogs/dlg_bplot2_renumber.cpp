// The renumbering dialog of the title-block window.
#include "dialogs/dlg_bplot2.h"
#include "dialogs/dlg_tuhao.h"

bool Ask_Renumbering(CWnd* owner, Renumbering& numbering)
{
    Dlg_TuHao dialog(owner);
    dialog.Prefix = numbering.Prefix;
    dialog.Start_No = numbering.Start;
    dialog.Suffix = numbering.Suffix;
    dialog.Digits_Index = numbering.Digits - 1;
    if (dialog.DoModal() != IDOK)
        return false;
    numbering.Prefix = dialog.Prefix;
    numbering.Start = dialog.Start_No;
    numbering.Suffix = dialog.Suffix;
    numbering.Digits = dialog.Digits_Index + 1;
    return true;
}
