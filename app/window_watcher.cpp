#include "app/window_watcher.h"

#include "core/cursor_overlays.h"
#include "core/follow_up.h"
#include "core/plot_config.h"
#include "core/string_helpers.h"
#include "ed/host_window.h"
#include "mfc/winuser.h"
#include "dialogs/single_plot.h"
#include "sheets/plot_set.h"
#include "signstamp/sign_insert.h"
#include "titleblock/my_pline.h"
#include "tools/outer_frame.h"
#include "win/win_messages.h"

namespace {

constexpr WPARAM S_Key = 0x53;

// True when the key is S or S is held down. Either way one backspace takes back the
// character the key typed at the waiting pick.
bool Is_S_Key(WPARAM key)
{
    Post_Backspace();
    return key == S_Key || (GetKeyState(static_cast<int>(S_Key)) & 0x8000) != 0;
}

// True when the key was the outer-frame pick's own.
bool Outer_Frame_Key(WPARAM key)
{
    if (!g_Outer_Frame_Pick || !Is_S_Key(key))
        return false;
    Show_Rec_Setting();
    Post_Backspace();
    return true;
}

// True when the key was the single pick's own.
bool Single_Pick_Key(WPARAM key)
{
    if (!g_Single_Pick_Mode)
        return false;
    if (Is_S_Key(key)) {
        Show_SinglePlot_Setting();
        Post_Backspace();
        return true;
    }
    if (key != VK_TAB)
        return false;
    g_Plot_Config.Single_Pick_Mode = g_Plot_Config.Single_Pick_Mode == 1 ? 0 : 1;
    Queue_Command_Text(Cancel_Char());
    Queue_Command_Text(g_Plot_Config.Single_Pick_Mode == 0 ? L"SinglePlot_SelectP\n" : L"SinglePlot_SelectW\n");
    return true;
}

// Tab turns the signature being placed: 0, 1, 2, 0...
bool Sign_Jig_Key(WPARAM key)
{
    if (g_Sign_Jig_Active == 0 || key != VK_TAB)
        return false;
    g_Sign_Jig_Rot = (g_Sign_Jig_Rot + 1) % 3;
    return true;
}

// Otherwise Tab turns the title-block frame while its placement drag runs: 0, 1, 2, 0...
bool Frame_Jig_Key(WPARAM key)
{
    if (key != VK_TAB || !g_Frame_Jig_Active)
        return false;
    g_Frame_Jig_Dir = (g_Frame_Jig_Dir + 1) % 3;
    return true;
}

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

void Post_Backspace() { PostMessageW(adsw_zcadDocWnd(), WM_CHAR, VK_BACK, 0); }

void Watch_Key_Message(const MSG* message)
{
    if (message == nullptr || message->message != WM_KEYDOWN)
        return;
    if (Outer_Frame_Key(message->wParam) || Single_Pick_Key(message->wParam) || Sign_Jig_Key(message->wParam) ||
        Frame_Jig_Key(message->wParam))
        return;
    Page_Preview(message->wParam);
}
