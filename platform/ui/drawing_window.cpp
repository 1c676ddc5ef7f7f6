// The host's drawing window: characters that reach it go to the command line's edit field.
// A key pressed at a waiting prompt is typed there after the message watchers saw it,
// together with what they posted to the window meanwhile; the keyboard state follows the
// keys that reach it.
#include "ed/command_line_field.h"
#include "ed/host_window.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"

namespace {

void Drawing_Window_Proc(UINT message, WPARAM wParam, LPARAM /*lParam*/)
{
    if (message == WM_CHAR)
        platform::Type_Character(static_cast<wchar_t>(wParam));
}

void Deliver_To_Drawing_Window(const MSG& key_message)
{
    const bool down = key_message.message == WM_KEYDOWN;
    platform::Set_Key_Down(static_cast<int>(key_message.wParam), down);
    if (!down)
        return;
    TranslateMessage(&key_message);  // its character goes before what the watchers posted
    platform::Run_Host_Messages();
}

const bool g_drawing_window_registered = [] {
    platform::Register_Outside_Window(adsw_zcadDocWnd(), Drawing_Window_Proc);
    platform::Set_Key_Delivery(Deliver_To_Drawing_Window);
    return true;
}();

}  // namespace
