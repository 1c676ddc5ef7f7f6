#include "core/monitor_fit.h"

#include "win/win_display.h"

void Fit_Rect_To_Monitor(LONG& left, LONG& top, LONG& right, LONG& bottom)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info))
        return;
    const RECT& screen = info.rcMonitor;
    const LONG bottom_limit = screen.bottom - 40;
    if (right > screen.right) {
        left -= right - screen.right;
        right = screen.right;
    }
    if (bottom > bottom_limit) {
        top -= bottom - bottom_limit;
        bottom = bottom_limit;
    }
    if (left < screen.left) {
        right += screen.left - left;
        left = screen.left;
    }
    if (top < screen.top) {
        bottom += screen.top - top;
        top = screen.top;
    }
}
