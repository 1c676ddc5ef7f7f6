// The host's dialog bases: a plain dialog, a tab main dialog with its tab control, and
// tab child dialogs (pages). Dialogs that let the user pick in the drawing hide
// themselves around each pick with BeginEditorCommand / CompleteEditorCommand.
#pragma once

#include <vector>

#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"

class CZcUiDialog : public CDialog {
    DECLARE_DYNAMIC(CZcUiDialog)
public:
    explicit CZcUiDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr);

    // Hides the dialog (with the dialogs that own it) so the user works in the drawing
    // through the editor's prompts; dialog steps do not reach it meanwhile.
    void BeginEditorCommand();
    // Shows the hidden dialogs again (when restoreDialogs).
    void CompleteEditorCommand(bool restoreDialogs = true);
    // The pick was cancelled: the dialogs are shown again.
    void CancelEditorCommand();
    // True between BeginEditorCommand and its completion.
    bool EditorCommandActive() const { return !m_hidden.empty(); }

    INT_PTR DoModal() override;

private:
    HINSTANCE m_hResource = nullptr;
    std::vector<HWND> m_hidden;
};

class CZcUiTabChildDialog;

// The tab control of a tab main dialog: each tab shows one page (a child dialog).
class CZcUiTab : public CTabCtrl {
    DECLARE_DYNAMIC(CZcUiTab)
public:
    // Creates the page's window from its template inside the tab and adds the tab.
    BOOL AddTab(int nIndex, LPCTSTR lpszName, UINT nIDTemplate, CZcUiTabChildDialog* pDialog);
    BOOL SetActiveTab(int nIndex);
    int GetActiveTab() const { return GetCurSel(); }
    CZcUiTabChildDialog* GetDialogPtr(int nIndex) const;
    int GetTabCount() const { return static_cast<int>(m_pages.size()); }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void Show_Page(int nIndex);
    std::vector<CZcUiTabChildDialog*> m_pages;
};

class CZcUiTabMainDialog : public CZcUiDialog {
    DECLARE_DYNAMIC(CZcUiTabMainDialog)
public:
    explicit CZcUiTabMainDialog(UINT idd, CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr);
    void SetZcadTabPointer(CZcUiTab* pTab) { m_pTab = pTab; }
    CZcUiTab* GetTab() const { return m_pTab; }

protected:
    // OK and Cancel go to every page first.
    void OnOK() override;
    void OnCancel() override;

private:
    CZcUiTab* m_pTab = nullptr;
};

class CZcUiTabChildDialog : public CZcUiDialog {
    DECLARE_DYNAMIC(CZcUiTabChildDialog)
public:
    explicit CZcUiTabChildDialog(CWnd* pParent = nullptr, HINSTANCE hDialogResource = nullptr);
    // The page became the visible one (TRUE) or was left (FALSE).
    virtual void OnTabActivation(BOOL bActivate) { (void)bActivate; }
    // The page may refuse to be left (FALSE).
    virtual BOOL OnTabChanging() { return TRUE; }
    virtual void OnMainDialogOK() {}
    virtual void OnMainDialogCancel() {}
    CZcUiTabMainDialog* GetMainDialog() const;
    void SetDirty(BOOL bDirty = TRUE) { m_bDirty = bDirty; }
    BOOL IsDirty() const { return m_bDirty; }

protected:
    // Enter and Esc on a page belong to the main dialog.
    void OnOK() override {}
    void OnCancel() override {}

private:
    BOOL m_bDirty = FALSE;
    friend class CZcUiTab;
};
