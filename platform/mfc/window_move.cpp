// Moving a top-level window by its caption: the move loop a press on the caption starts
// takes a `drag DX,DY` step as the mouse's way to the release; without one the button is
// released where it was pressed and the window stays.
#include "mfc/control_state.h"
#include "script/script_input.h"

namespace platform {

void Move_By_Caption(Window* w) {
    const HWND handle = w->handle();
    Send(w, WM_ENTERSIZEMOVE, 0, 0);
    ScriptInput& script = ScriptInput::instance();
    const Step* next = script.quitting() ? nullptr : script.peek();
    if (next && next->kind == StepKind::Drag && Find_Window(handle)) {
        const Step drag = script.take();
        RECT r = w->rect;
        OffsetRect(&r, drag.values[0], drag.values[1]);
        Send(w, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
        if (Find_Window(handle))
            SetWindowPos(handle, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        POINT cursor{};
        GetCursorPos(&cursor);
        SetCursorPos(cursor.x + drag.values[0], cursor.y + drag.values[1]);
    }
    Set_Key_Down(VK_LBUTTON, false);
    if (Find_Window(handle)) Send(w, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace platform
