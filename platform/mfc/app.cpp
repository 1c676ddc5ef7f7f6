#include "mfc/afxwin.h"
#include "mfc/resource_modules.h"

namespace {

HWND g_host_main_window = nullptr;

// The host application's name: the caption of the framework's message boxes.
constexpr const wchar_t* kHostAppName = L"ZWCAD";

}  // namespace

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)
IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    return MessageBoxW(m_hWnd, lpszText ? lpszText : L"", lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd ? m_pMainWnd : AfxGetMainWnd();
}

CWinApp::CWinApp(LPCTSTR lpszAppName) : m_strAppName(lpszAppName ? lpszAppName : kHostAppName) {
    m_pszAppName = m_strAppName;
}

CWinApp* AfxGetApp() {
    static CWinApp* app = [] {
        auto* host = new CWinApp(kHostAppName);
        host->m_hInstance = GetModuleHandleW(nullptr);
        return host;
    }();
    return app;
}

LPCTSTR AfxGetAppName() {
    return AfxGetApp()->m_pszAppName;
}

CWnd* AfxGetMainWnd() {
    static CWnd* main_window = new CWnd();
    main_window->m_hWnd = g_host_main_window;
    return main_window;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT /*nIDHelp*/) {
    return MessageBoxW(platform::Host_Main_Window(), lpszText ? lpszText : L"", AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}

namespace platform {

void Set_Host_Main_Window(HWND hWnd) {
    g_host_main_window = hWnd;
}

HWND Host_Main_Window() {
    return g_host_main_window;
}

}  // namespace platform
