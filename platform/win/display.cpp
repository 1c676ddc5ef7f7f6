// Displays and cursor of the machine.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "win/machine.h"
#include "win/win_display.h"
#include "win/win_error.h"

using platform::Machine;
using platform::MonitorSpec;

namespace {

std::atomic<platform::Window_Rect_Source> g_window_rect_source{nullptr};

// Display i has the handle i + 1.
HMONITOR Handle_Of(size_t index) { return reinterpret_cast<HMONITOR>(static_cast<uintptr_t>(index + 1)); }

bool Index_Of(HMONITOR monitor, const std::vector<MonitorSpec>& monitors, size_t& index) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(monitor);
    if (value == 0 || value > monitors.size()) return false;
    index = value - 1;
    return true;
}

size_t Primary_Index(const std::vector<MonitorSpec>& monitors) {
    for (size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].primary) return i;
    return 0;
}

bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Squared distance from a point to a rectangle (0 inside).
int64_t Distance2(const RECT& r, POINT p) {
    const int64_t dx = p.x < r.left ? r.left - p.x : (p.x >= r.right ? p.x - (r.right - 1) : 0);
    const int64_t dy = p.y < r.top ? r.top - p.y : (p.y >= r.bottom ? p.y - (r.bottom - 1) : 0);
    return dx * dx + dy * dy;
}

// Squared distance between two rectangles (0 when they meet).
int64_t Distance2(const RECT& a, const RECT& b) {
    const int64_t dx = std::max<int64_t>({0, int64_t{a.left} - b.right, int64_t{b.left} - a.right});
    const int64_t dy = std::max<int64_t>({0, int64_t{a.top} - b.bottom, int64_t{b.top} - a.bottom});
    return dx * dx + dy * dy;
}

bool Intersect(const RECT& a, const RECT& b, RECT& out) {
    out = RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return out.left < out.right && out.top < out.bottom;
}

HMONITOR Fallback(const std::vector<MonitorSpec>& monitors, DWORD flags, size_t nearest) {
    if (flags & MONITOR_DEFAULTTONEAREST) return Handle_Of(nearest);
    if (flags & MONITOR_DEFAULTTOPRIMARY) return Handle_Of(Primary_Index(monitors));
    return nullptr;
}

RECT Virtual_Screen(const std::vector<MonitorSpec>& monitors) {
    RECT all = monitors.front().monitor;
    for (const auto& m : monitors) {
        all.left = std::min(all.left, m.monitor.left);
        all.top = std::min(all.top, m.monitor.top);
        all.right = std::max(all.right, m.monitor.right);
        all.bottom = std::max(all.bottom, m.monitor.bottom);
    }
    return all;
}

}  // namespace

HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags) {
    const auto monitors = Machine::instance().monitors();
    size_t nearest = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (Contains(monitors[i].monitor, pt)) return Handle_Of(i);
        if (Distance2(monitors[i].monitor, pt) < Distance2(monitors[nearest].monitor, pt)) nearest = i;
    }
    return Fallback(monitors, dwFlags, nearest);
}

HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags) {
    const auto monitors = Machine::instance().monitors();
    if (!lprc) return Fallback(monitors, dwFlags, Primary_Index(monitors));
    // An empty rectangle still lies somewhere: take its corner.
    if (lprc->right <= lprc->left || lprc->bottom <= lprc->top) return MonitorFromPoint(POINT{lprc->left, lprc->top}, dwFlags);
    size_t best = 0, nearest = 0;
    int64_t best_area = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        RECT common;
        if (Intersect(monitors[i].monitor, *lprc, common)) {
            const int64_t area = int64_t{common.right - common.left} * (common.bottom - common.top);
            if (area > best_area) best = i, best_area = area;
        }
        if (Distance2(monitors[i].monitor, *lprc) < Distance2(monitors[nearest].monitor, *lprc)) nearest = i;
    }
    if (best_area > 0) return Handle_Of(best);
    return Fallback(monitors, dwFlags, nearest);
}

HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags) {
    RECT rect{};
    const auto source = g_window_rect_source.load();
    if (hwnd && source && source(hwnd, &rect)) return MonitorFromRect(&rect, dwFlags);
    const auto monitors = Machine::instance().monitors();
    return Fallback(monitors, dwFlags, Primary_Index(monitors));
}

BOOL GetMonitorInfoW(HMONITOR hMonitor, LPMONITORINFO lpmi) {
    const auto monitors = Machine::instance().monitors();
    size_t index = 0;
    if (!lpmi || !Index_Of(hMonitor, monitors, index) ||
        (lpmi->cbSize != sizeof(MONITORINFO) && lpmi->cbSize != sizeof(MONITORINFOEXW))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const MonitorSpec& m = monitors[index];
    lpmi->rcMonitor = m.monitor;
    lpmi->rcWork = m.work;
    lpmi->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
    if (lpmi->cbSize == sizeof(MONITORINFOEXW)) {
        const std::wstring device = L"\\\\.\\DISPLAY" + std::to_wstring(index + 1);
        std::wmemcpy(static_cast<MONITORINFOEXW*>(lpmi)->szDevice, device.c_str(), device.size() + 1);
    }
    return TRUE;
}

BOOL EnumDisplayMonitors(HDC, LPCRECT lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData) {
    if (!lpfnEnum) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto monitors = Machine::instance().monitors();
    for (size_t i = 0; i < monitors.size(); ++i) {
        RECT part = monitors[i].monitor;
        if (lprcClip && !Intersect(monitors[i].monitor, *lprcClip, part)) continue;
        if (!lpfnEnum(Handle_Of(i), nullptr, &part, dwData)) return TRUE;
    }
    return TRUE;
}

int GetSystemMetrics(int nIndex) {
    const auto monitors = Machine::instance().monitors();
    const MonitorSpec& primary = monitors[Primary_Index(monitors)];
    const RECT all = Virtual_Screen(monitors);
    switch (nIndex) {
        case SM_CXSCREEN: return primary.monitor.right - primary.monitor.left;
        case SM_CYSCREEN: return primary.monitor.bottom - primary.monitor.top;
        case SM_CXFULLSCREEN: return primary.work.right - primary.work.left;
        case SM_CYFULLSCREEN: return primary.work.bottom - primary.work.top - 23;
        case SM_CXMAXIMIZED: return primary.work.right - primary.work.left + 16;
        case SM_CYMAXIMIZED: return primary.work.bottom - primary.work.top + 16;
        case SM_XVIRTUALSCREEN: return all.left;
        case SM_YVIRTUALSCREEN: return all.top;
        case SM_CXVIRTUALSCREEN: return all.right - all.left;
        case SM_CYVIRTUALSCREEN: return all.bottom - all.top;
        case SM_CMONITORS: return static_cast<int>(monitors.size());
        case SM_SAMEDISPLAYFORMAT: return 1;
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL: return 17;
        case SM_CYCAPTION: return 23;
        case SM_CXBORDER:
        case SM_CYBORDER: return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME: return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR: return 32;
        case SM_CYMENU: return 20;
        case SM_CXMIN: return 136;
        case SM_CYMIN: return 39;
        case SM_CXSIZE: return 36;
        case SM_CYSIZE: return 22;
        case SM_CXFRAME:
        case SM_CYFRAME: return 4;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
        case SM_CXDRAG:
        case SM_CYDRAG:
        case SM_CXPADDEDBORDER: return 4;
        case SM_CXEDGE:
        case SM_CYEDGE: return 2;
        case SM_CXSMICON:
        case SM_CYSMICON: return 16;
        case SM_CYSMCAPTION: return 23;
        default: return 0;
    }
}

BOOL GetCursorPos(LPPOINT lpPoint) {
    if (!lpPoint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpPoint = Machine::instance().cursor_position();
    return TRUE;
}

BOOL SetCursorPos(int X, int Y) {
    Machine& machine = Machine::instance();
    POINT p{X, Y};
    size_t index = 0;
    const auto monitors = machine.monitors();
    Index_Of(MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST), monitors, index);
    const RECT& r = monitors[index].monitor;
    p.x = std::clamp(p.x, r.left, r.right - 1);
    p.y = std::clamp(p.y, r.top, r.bottom - 1);
    machine.set_cursor_position(p);
    return TRUE;
}

namespace platform {

void Set_Window_Rect_Source(Window_Rect_Source source) { g_window_rect_source.store(source); }

}  // namespace platform
