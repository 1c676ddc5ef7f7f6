// Displays, system metrics and the mouse cursor of the emulated machine
// (configured through platform::Machine).
#pragma once

#include "win/win_types.h"

#define MONITOR_DEFAULTTONULL 0x00000000
#define MONITOR_DEFAULTTOPRIMARY 0x00000001
#define MONITOR_DEFAULTTONEAREST 0x00000002
#define MONITORINFOF_PRIMARY 0x00000001
#define CCHDEVICENAME 32

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
typedef MONITORINFO* LPMONITORINFO;

struct MONITORINFOEXW : MONITORINFO {
    WCHAR szDevice[CCHDEVICENAME];  // "\\\\.\\DISPLAY1" ...
};
typedef MONITORINFOEXW* LPMONITORINFOEXW;

typedef BOOL (*MONITORENUMPROC)(HMONITOR, HDC, LPRECT, LPARAM);

// A point on a display's edge belongs to it when left <= x < right and top <= y < bottom.
HMONITOR MonitorFromPoint(POINT pt, DWORD dwFlags);
// The display that shares the largest area with the rectangle (an empty one goes
// by its top-left corner).
HMONITOR MonitorFromRect(LPCRECT lprc, DWORD dwFlags);
// Through the window's rectangle (platform::Set_Window_Rect_Source); for a window
// it does not know, the primary display (null with MONITOR_DEFAULTTONULL).
HMONITOR MonitorFromWindow(HWND hwnd, DWORD dwFlags);
// cbSize must be sizeof(MONITORINFO) or sizeof(MONITORINFOEXW).
BOOL GetMonitorInfoW(HMONITOR hMonitor, LPMONITORINFO lpmi);
// Calls lpfnEnum for every display that meets lprcClip (all when null) with the
// part inside the clip; stops when it returns FALSE. The device context is ignored.
BOOL EnumDisplayMonitors(HDC hdc, LPCRECT lprcClip, MONITORENUMPROC lpfnEnum, LPARAM dwData);
inline BOOL GetMonitorInfo(HMONITOR m, LPMONITORINFO i) { return GetMonitorInfoW(m, i); }

// System metrics (Windows 10 values at 96 dpi; screens from the machine's displays).
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYDLGFRAME 8
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CYVTHUMB 9
#define SM_CXHTHUMB 10
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CYVSCROLL 20
#define SM_CXHSCROLL 21
#define SM_CXMIN 28
#define SM_CYMIN 29
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CXSIZEFRAME SM_CXFRAME
#define SM_CYFRAME 33
#define SM_CYSIZEFRAME SM_CYFRAME
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CYSMCAPTION 51
#define SM_CXMAXIMIZED 61
#define SM_CYMAXIMIZED 62
#define SM_CXDRAG 68
#define SM_CYDRAG 69
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79
#define SM_CMONITORS 80
#define SM_SAMEDISPLAYFORMAT 81
#define SM_CXPADDEDBORDER 92

// 0 for an index it does not know, as on Windows.
int GetSystemMetrics(int nIndex);

BOOL GetCursorPos(LPPOINT lpPoint);
// The cursor stays on the displays: a point outside them is moved onto the nearest.
BOOL SetCursorPos(int X, int Y);

namespace platform {

// Where windows are (the window layer registers it): fills the window's screen
// rectangle and returns true, or returns false for an unknown window.
using Window_Rect_Source = bool (*)(HWND window, RECT* rect);
void Set_Window_Rect_Source(Window_Rect_Source source);

}  // namespace platform
