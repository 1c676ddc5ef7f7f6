#include "ui/zcui_dialogs.h"

#include "mfc/afxdll.h"
#include "mfc/window_table.h"

IMPLEMENT_DYNAMIC(CZcUiDialog, CDialog)
IMPLEMENT_DYNAMIC(CZcUiTab, CTabCtrl)
IMPLEMENT_DYNAMIC(CZcUiTabMainDialog, CZcUiDialog)
IMPLEMENT_DYNAMIC(CZcUiTabChildDialog, CZcUiDialog)

// ---- CZcUiDialog -------------------------------------------------------------------

CZcUiDialog::CZcUiDialog(UINT idd, CWnd* pParent, HINSTANCE hDialogResource)
    : CDialog(idd, pParent), m_hResource(hDialogResource) {}

INT_PTR CZcUiDialog::DoModal() {
    if (!m_hResource) return CDialog::DoModal();
    // The dialog's template comes from the module it names.
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResource);
    struct Restore {
        HINSTANCE handle;
        ~Restore() { AfxSetResourceHandle(handle); }
    } restore{previous};
    return CDialog::DoModal();
}

void CZcUiDialog::BeginEditorCommand() {
    if (!m_hidden.empty()) return;
    // This dialog, its top-level window and the dialogs that own them.
    platform::Window* w = platform::Find_Window(m_hWnd);
    while (w && (w->style & WS_CHILD) && w->parent) w = w->parent;
    for (; w; w = w->parent) {
        if (!w->visible) continue;
        m_hidden.push_back(w->handle());
        ::ShowWindow(w->handle(), SW_HIDE);
    }
}

void CZcUiDialog::CompleteEditorCommand(bool restoreDialogs) {
    std::vector<HWND> hidden;
    hidden.swap(m_hidden);
    if (!restoreDialogs) return;
    for (auto it = hidden.rbegin(); it != hidden.rend(); ++it)
        if (::IsWindow(*it)) ::ShowWindow(*it, SW_SHOW);
}

void CZcUiDialog::CancelEditorCommand() { CompleteEditorCommand(true); }

// ---- CZcUiTab ----------------------------------------------------------------------

BOOL CZcUiTab::AddTab(int nIndex, LPCTSTR lpszName, UINT nIDTemplate, CZcUiTabChildDialog* pDialog) {
    if (!pDialog || !m_hWnd) return FALSE;
    CWnd* main = GetParent();
    if (!pDialog->m_hWnd && !pDialog->Create_Child(nIDTemplate, main)) return FALSE;
    if (InsertItem(nIndex, lpszName) < 0) return FALSE;
    const int at = std::clamp(nIndex, 0, static_cast<int>(m_pages.size()));
    m_pages.insert(m_pages.begin() + at, pDialog);
    // The page covers the tab's display area.
    CRect area;
    GetWindowRect(&area);
    main->ScreenToClient(&area);
    AdjustRect(FALSE, &area);
    pDialog->MoveWindow(&area);
    Show_Page(GetCurSel());
    return TRUE;
}

BOOL CZcUiTab::SetActiveTab(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(m_pages.size())) return FALSE;
    const int old = GetCurSel();
    if (old == nIndex) return TRUE;
    if (old >= 0 && old < static_cast<int>(m_pages.size()) && !m_pages[old]->OnTabChanging()) return FALSE;
    SetCurSel(nIndex);
    Show_Page(nIndex);
    return TRUE;
}

CZcUiTabChildDialog* CZcUiTab::GetDialogPtr(int nIndex) const {
    return nIndex >= 0 && nIndex < static_cast<int>(m_pages.size()) ? m_pages[nIndex] : nullptr;
}

void CZcUiTab::Show_Page(int nIndex) {
    for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
        CZcUiTabChildDialog* page = m_pages[i];
        const bool show = i == nIndex;
        if (!page->m_hWnd || ((page->GetStyle() & WS_VISIBLE) != 0) == show) continue;
        page->ShowWindow(show ? SW_SHOW : SW_HIDE);
        page->OnTabActivation(show);
    }
}

BOOL CZcUiTab::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TCN_SELCHANGING) {
            const int old = GetCurSel();
            if (old >= 0 && old < static_cast<int>(m_pages.size()) && !m_pages[old]->OnTabChanging()) {
                if (pResult) *pResult = TRUE;
                return TRUE;
            }
        }
        if (header->code == TCN_SELCHANGE) Show_Page(GetCurSel());
    }
    // The main dialog sees the tab's notifications as well.
    return CTabCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CZcUiTabMainDialog / CZcUiTabChildDialog --------------------------------------

CZcUiTabMainDialog::CZcUiTabMainDialog(UINT idd, CWnd* pParent, HINSTANCE hDialogResource)
    : CZcUiDialog(idd, pParent, hDialogResource) {}

void CZcUiTabMainDialog::OnOK() {
    if (m_pTab)
        for (int i = 0; i < m_pTab->GetTabCount(); ++i) m_pTab->GetDialogPtr(i)->OnMainDialogOK();
    CZcUiDialog::OnOK();
}

void CZcUiTabMainDialog::OnCancel() {
    if (m_pTab)
        for (int i = 0; i < m_pTab->GetTabCount(); ++i) m_pTab->GetDialogPtr(i)->OnMainDialogCancel();
    CZcUiDialog::OnCancel();
}

CZcUiTabChildDialog::CZcUiTabChildDialog(CWnd* pParent, HINSTANCE hDialogResource)
    : CZcUiDialog(0, pParent, hDialogResource) {}

CZcUiTabMainDialog* CZcUiTabChildDialog::GetMainDialog() const {
    return dynamic_cast<CZcUiTabMainDialog*>(GetParent());
}
