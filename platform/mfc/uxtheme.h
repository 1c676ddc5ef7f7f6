// Visual themes of windows. The stand-in draws every control in the classic look, as a
// window without a theme: its colours come from the parent's WM_CTLCOLOR... answers.
#pragma once

#include "win/win_types.h"

// Sets the theme a window is drawn with; empty names ("", "") take its theme away, which
// leaves the classic look the stand-in draws anyway. E_INVALIDARG for a window that does
// not exist.
HRESULT SetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList);
