// The standard control classes: thin wrappers over their windows' messages.
#include "mfc/afxwin.h"
#include "mfc/control_state.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

LPARAM Str(LPCTSTR s) { return reinterpret_cast<LPARAM>(s ? s : L""); }

// Owner-draw messages reflected to a control reach its virtual handlers.
BOOL Owner_Draw_Notify(CWnd* self, UINT message, LPARAM lParam, LRESULT* pResult,
                       void (*draw)(CWnd*, LPDRAWITEMSTRUCT), void (*measure)(CWnd*, LPMEASUREITEMSTRUCT),
                       int (*compare)(CWnd*, LPCOMPAREITEMSTRUCT)) {
    switch (message) {
    case WM_DRAWITEM:
        draw(self, reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult) *pResult = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        if (!measure) return FALSE;
        measure(self, reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        if (pResult) *pResult = TRUE;
        return TRUE;
    case WM_COMPAREITEM:
        if (!compare) return FALSE;
        if (pResult) *pResult = compare(self, reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

// ---- CStatic ---------------------------------------------------------------------

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"Static", lpszText, dwStyle, rect, pParentWnd, nID);
}
HICON CStatic::SetIcon(HICON hIcon) {
    return reinterpret_cast<HICON>(SendMessage(STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CStatic::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETIMAGE, IMAGE_ICON, 0)); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CStatic::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)); }
void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (platform::Reflect_Draw_Item(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CButton ---------------------------------------------------------------------

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"Button", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
UINT CButton::GetButtonStyle() const { return GetStyle() & 0xFFFF; }
void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
HICON CButton::SetIcon(HICON hIcon) {
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}
HICON CButton::GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) {
    return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}
HBITMAP CButton::GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP)); }
void CButton::Click() { SendMessage(BM_CLICK); }
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (platform::Reflect_Draw_Item(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CEdit -----------------------------------------------------------------------

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"Edit", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) { SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar); }
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll) { SetSel((short)LOWORD(dwSelection), (short)HIWORD(dwSelection), bNoScroll); }
DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }
void CEdit::GetSel(int& nStartChar, int& nEndChar) const {
    DWORD a = 0, b = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    nStartChar = static_cast<int>(a), nEndChar = static_cast<int>(b);
}
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { SendMessage(EM_REPLACESEL, bCanUndo, Str(lpszNewText)); }
void CEdit::SetLimitText(UINT nMax) { SendMessage(EM_LIMITTEXT, nMax); }
UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
BOOL CEdit::GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, bModified); }

// ---- CComboBox -------------------------------------------------------------------

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"ComboBox", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
int CComboBox::AddString(LPCTSTR s) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, Str(s))); }
int CComboBox::InsertString(int nIndex, LPCTSTR s) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), Str(s)));
}
int CComboBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const {
    const int n = GetLBTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    GetLBText(nIndex, buffer.data());
    rString = buffer.c_str();
}
int CComboBox::GetLBTextLen(int nIndex) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex))); }
int CComboBox::FindString(int nStartAfter, LPCTSTR s) const {
    return static_cast<int>(SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), Str(s)));
}
int CComboBox::FindStringExact(int nIndexStart, LPCTSTR s) const {
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), Str(s)));
}
int CComboBox::SelectString(int nStartAfter, LPCTSTR s) {
    return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), Str(s)));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}
DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
void CComboBox::ShowDropDown(BOOL bShowIt) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
BOOL CComboBox::LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars))); }
int CComboBox::SetItemHeight(int nIndex, UINT cy) { return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), cy)); }
int CComboBox::GetItemHeight(int nIndex) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex))); }
int CComboBox::SetDroppedWidth(UINT nWidth) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, nWidth)); }
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::SetEditSel(int a, int b) { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(a, b))); }
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (Owner_Draw_Notify(
            this, message, lParam, pResult, [](CWnd* w, LPDRAWITEMSTRUCT d) { static_cast<CComboBox*>(w)->DrawItem(d); },
            [](CWnd* w, LPMEASUREITEMSTRUCT m) { static_cast<CComboBox*>(w)->MeasureItem(m); },
            [](CWnd* w, LPCOMPAREITEMSTRUCT c) { return static_cast<CComboBox*>(w)->CompareItem(c); }))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---- CListBox --------------------------------------------------------------------

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"ListBox", nullptr, dwStyle, rect, pParentWnd, nID);
}
int CListBox::GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
int CListBox::GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
int CListBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
int CListBox::GetSel(int nIndex) const { return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(nIndex))); }
int CListBox::SetSel(int nIndex, BOOL bSelect) { return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex)); }
int CListBox::GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const {
    return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
}
int CListBox::AddString(LPCTSTR s) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, Str(s))); }
int CListBox::InsertString(int nIndex, LPCTSTR s) {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), Str(s)));
}
int CListBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
void CListBox::ResetContent() { SendMessage(LB_RESETCONTENT); }
int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
    return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}
void CListBox::GetText(int nIndex, CString& rString) const {
    const int n = GetTextLen(nIndex);
    if (n < 0) {
        rString.Empty();
        return;
    }
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    GetText(nIndex, buffer.data());
    rString = buffer.c_str();
}
int CListBox::GetTextLen(int nIndex) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex))); }
int CListBox::FindString(int nStartAfter, LPCTSTR s) const {
    return static_cast<int>(SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), Str(s)));
}
int CListBox::FindStringExact(int nIndexStart, LPCTSTR s) const {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), Str(s)));
}
int CListBox::SelectString(int nStartAfter, LPCTSTR s) {
    return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), Str(s)));
}
int CListBox::SetItemData(int nIndex, DWORD_PTR d) {
    return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(d)));
}
DWORD_PTR CListBox::GetItemData(int nIndex) const {
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}
int CListBox::SetItemHeight(int nIndex, UINT cy) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), cy)); }
int CListBox::GetItemHeight(int nIndex) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex))); }
int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const {
    return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}
int CListBox::GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
int CListBox::SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }
int CListBox::GetCaretIndex() const { return static_cast<int>(SendMessage(LB_GETCARETINDEX)); }
int CListBox::SetCaretIndex(int nIndex, BOOL bScroll) {
    return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(nIndex), bScroll));
}
UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const {
    const LRESULT r = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(r) != 0;
    return LOWORD(r);
}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (Owner_Draw_Notify(
            this, message, lParam, pResult, [](CWnd* w, LPDRAWITEMSTRUCT d) { static_cast<CListBox*>(w)->DrawItem(d); },
            [](CWnd* w, LPMEASUREITEMSTRUCT m) { static_cast<CListBox*>(w)->MeasureItem(m); },
            [](CWnd* w, LPCOMPAREITEMSTRUCT c) { return static_cast<CListBox*>(w)->CompareItem(c); }))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

LPCTSTR AfxRegisterWndClass(UINT, HCURSOR, HBRUSH, HICON) { return L"AfxWnd"; }
