#include "core/window_watcher.h"

#include "core/follow_up.h"
#include "core/string_helpers.h"
#include "sheets/plot_set.h"
#include "win/win_messages.h"

namespace {

void Page_Preview(WPARAM key)
{
    if (g_Preview_Kind < 1 || g_Preview_Kind > 3 || g_Preview_Index < 0)
        return;
    switch (key) {
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
        if (g_Preview_Index <= 0)
            return;
        --g_Preview_Index;
        break;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
        if (g_Preview_Index >= g_Preview_List_Count(g_Preview_Kind) - 1)
            return;
        ++g_Preview_Index;
        break;
    default:
        return;
    }
    Queue_Command_Text(Cancel_Char());
}

}  // namespace

void Watch_Key_Message(const MSG* message)
{
    if (message != nullptr && message->message == WM_KEYDOWN)
        Page_Preview(message->wParam);
}
