#include "core/menu.h"

#include "com/zcadmenu.h"
#include "core/command_handlers.h"
#include "core/follow_up.h"
#include "core/plot_config.h"
#include "ed/editor.h"

// The command's work runs when the host reports that it ended (After_Korvel_Command).
void Korvel_Command() {}

void After_Korvel_Command()
{
    g_Plot_Config.Set_Menubar = 1;
    Refresh_Menu(false);
    if (IZcadPopupMenu* popup = Find_Menu_Bar_Popup()) {
        popup->Release();
        zcutPrintf(L"\n******* 若K-批打印菜单仍未显示，可输入korvel_load命令调出菜单 *******");
        return;
    }
    Queue_Command_Text(L"Korvel_Load\n");
}
