// Windows of the framework, first part: CCmdTarget, a minimal CWnd, the host
// application object and the message box of the framework.
//
// The host's main window is the handle the host program sets with
// platform::Set_Host_Main_Window; AfxGetMainWnd wraps it (its m_hWnd is null until
// the host sets one). AfxGetApp is the host application ("ZWCAD").
#pragma once

#include "mfc/afx.h"
#include "win/windows.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
};

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // A message box owned by this window; a null caption gives the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    HWND m_hWnd = nullptr;
};

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread() = default;
    CWnd* m_pMainWnd = nullptr;
    virtual CWnd* GetMainWnd();
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);

    LPCTSTR m_pszAppName = nullptr;
    HINSTANCE m_hInstance = nullptr;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

private:
    CString m_strAppName;
};

// The host application object.
CWinApp* AfxGetApp();
LPCTSTR AfxGetAppName();
// The host's main window (never null; its handle may be null before the host sets it).
CWnd* AfxGetMainWnd();

// A message box owned by the host's main window, captioned with the application's name.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string nIDPrompt of the resource modules (empty when there is none).
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

namespace platform {

// The host program's main window (the editor layer sets it).
void Set_Host_Main_Window(HWND hWnd);
HWND Host_Main_Window();

}  // namespace platform
