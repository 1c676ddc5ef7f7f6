// KV_DivezUrez_22: inserting title-block frames, with the insertion settings one choice of
// its picker.
#include "core/command_handlers.h"
#include "dialogs/dlg_put_tk_setting.h"
#include "mfc/afxwin.h"
#include "titleblock/tk_insert.h"
#include "ui/module_resources.h"

void Insert_TK()
{
    Insert_TK_Frames([] {
        Module_Resource_Scope resources;
        Dlg_Put_TK_Setting settings(AfxGetMainWnd());
        settings.DoModal();
    });
}
