// The plain look of the standard windows and controls.
#include "mfc/afxdc.h"
#include "mfc/control_state.h"

namespace platform {

LRESULT Paint_Standard(Window* w, UINT message, WPARAM wParam) {
    if (message == WM_ERASEBKGND) return 1;
    PAINTSTRUCT ps;
    if (BeginPaint(w->handle(), &ps)) EndPaint(w->handle(), &ps);
    return 0;
}

}  // namespace platform
