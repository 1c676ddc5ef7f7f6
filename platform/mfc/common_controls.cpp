// The common-control classes: wrappers over their windows' messages.
#include <algorithm>
#include <map>
#include <memory>

#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"
#include "mfc/afxtime.h"
#include "mfc/control_state.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)
IMPLEMENT_DYNAMIC(CHeaderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CListCtrl, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)
IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)
IMPLEMENT_DYNAMIC(CSpinButtonCtrl, CWnd)
IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)
IMPLEMENT_DYNAMIC(CDateTimeCtrl, CWnd)

namespace {

struct Image_List {
    int cx = 16, cy = 16;
    std::vector<CImageList::Entry> entries;
};

std::map<HIMAGELIST, std::unique_ptr<Image_List>>& Lists() {
    static std::map<HIMAGELIST, std::unique_ptr<Image_List>> lists;
    return lists;
}

Image_List* List_Of(HIMAGELIST h) {
    auto it = Lists().find(h);
    return it == Lists().end() ? nullptr : it->second.get();
}

WPARAM W(int v) { return static_cast<WPARAM>(static_cast<INT_PTR>(v)); }

}  // namespace

// ---- CImageList --------------------------------------------------------------------

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST h) {
    static std::map<HIMAGELIST, CImageList*> temporaries;
    if (!List_Of(h)) return nullptr;
    auto& t = temporaries[h];
    if (!t) {
        t = new CImageList();
        t->m_hImageList = h;
    }
    return t;
}

BOOL CImageList::Create(int cx, int cy, UINT, int, int) {
    if (m_hImageList) return FALSE;
    auto list = std::make_unique<Image_List>();
    list->cx = cx, list->cy = cy;
    m_hImageList = reinterpret_cast<HIMAGELIST>(list.get());
    Lists()[m_hImageList] = std::move(list);
    return TRUE;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) return FALSE;
    Lists().erase(m_hImageList);
    m_hImageList = nullptr;
    return TRUE;
}

int CImageList::Add(HICON hIcon) {
    Image_List* l = List_Of(m_hImageList);
    if (!l || !hIcon) return -1;
    l->entries.push_back(Entry{hIcon, nullptr});
    return static_cast<int>(l->entries.size()) - 1;
}

int CImageList::Add(CBitmap* pbmImage, CBitmap*) {
    Image_List* l = List_Of(m_hImageList);
    if (!l || !pbmImage) return -1;
    l->entries.push_back(Entry{nullptr, static_cast<HBITMAP>(pbmImage->GetSafeHandle())});
    return static_cast<int>(l->entries.size()) - 1;
}

int CImageList::Add(CBitmap* pbmImage, COLORREF) { return Add(pbmImage, static_cast<CBitmap*>(nullptr)); }

int CImageList::GetImageCount() const {
    Image_List* l = List_Of(m_hImageList);
    return l ? static_cast<int>(l->entries.size()) : 0;
}

HICON CImageList::ExtractIcon(int nImage) {
    Image_List* l = List_Of(m_hImageList);
    if (!l || nImage < 0 || nImage >= static_cast<int>(l->entries.size())) return nullptr;
    return l->entries[nImage].icon ? CopyIcon(l->entries[nImage].icon) : nullptr;
}

BOOL CImageList::GetIconSize(int* cx, int* cy) const {
    Image_List* l = List_Of(m_hImageList);
    if (!l) return FALSE;
    if (cx) *cx = l->cx;
    if (cy) *cy = l->cy;
    return TRUE;
}

const std::vector<CImageList::Entry>* CImageList::Entries() const {
    Image_List* l = List_Of(m_hImageList);
    return l ? &l->entries : nullptr;
}

// ---- CHeaderCtrl -------------------------------------------------------------------

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const {
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, W(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}

// ---- CListCtrl ---------------------------------------------------------------------

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"SysListView32", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR heading, int nFormat, int nWidth, int nSubItem) {
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_FMT;
    c.pszText = const_cast<LPWSTR>(heading ? heading : L"");
    c.fmt = nFormat;
    if (nWidth >= 0) c.mask |= LVCF_WIDTH, c.cx = nWidth;
    if (nSubItem >= 0) c.mask |= LVCF_SUBITEM, c.iSubItem = nSubItem;
    return InsertColumn(nCol, &c);
}
int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, W(nCol), reinterpret_cast<LPARAM>(pColumn)));
}
BOOL CListCtrl::DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, W(nCol))); }
BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNW, W(nCol), reinterpret_cast<LPARAM>(pColumn)));
}
int CListCtrl::GetColumnWidth(int nCol) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, W(nCol))); }
BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, W(nCol), MAKELPARAM(cx, 0)));
}
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    LVITEM it{};
    it.mask = LVIF_TEXT;
    it.iItem = nItem;
    it.pszText = const_cast<LPWSTR>(lpszItem ? lpszItem : L"");
    return InsertItem(&it);
}
int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
    LVITEM it{};
    it.mask = LVIF_TEXT | LVIF_IMAGE;
    it.iItem = nItem;
    it.iImage = nImage;
    it.pszText = const_cast<LPWSTR>(lpszItem ? lpszItem : L"");
    return InsertItem(&it);
}
int CListCtrl::InsertItem(const LVITEM* pItem) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}
BOOL CListCtrl::SetItem(const LVITEM* pItem) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}
BOOL CListCtrl::GetItem(LVITEM* pItem) const {
    return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}
BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
    LVITEM it{};
    it.iSubItem = nSubItem;
    it.pszText = const_cast<LPWSTR>(lpszText ? lpszText : L"");
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, W(nItem), reinterpret_cast<LPARAM>(&it)));
}
CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
    std::wstring buffer(4096, L'\0');
    GetItemText(nItem, nSubItem, buffer.data(), static_cast<int>(buffer.size()));
    return CString(buffer.c_str());
}
int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
    LVITEM it{};
    it.iSubItem = nSubItem;
    it.pszText = lpszText;
    it.cchTextMax = nLen;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXTW, W(nItem), reinterpret_cast<LPARAM>(&it)));
}
BOOL CListCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, W(nItem))); }
BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
    LVITEM it{};
    it.state = nState;
    it.stateMask = nMask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, W(nItem), reinterpret_cast<LPARAM>(&it)));
}
UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, W(nItem), nMask));
}
BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
    LVITEM it{};
    it.mask = LVIF_PARAM;
    it.iItem = nItem;
    it.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&it);
}
DWORD_PTR CListCtrl::GetItemData(int nItem) const {
    LVITEM it{};
    it.mask = LVIF_PARAM;
    it.iItem = nItem;
    return GetItem(&it) ? static_cast<DWORD_PTR>(it.lParam) : 0;
}
BOOL CListCtrl::GetCheck(int nItem) const {
    return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1;
}
BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}
int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, W(nItem), nFlags));
}
UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(first) + 1);
}
int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
    const int current = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
    const int next = GetNextItem(current, LVNI_SELECTED);
    pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(next) + 1);
    return current;
}
BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, W(nItem), bPartialOK));
}
int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
int CListCtrl::HitTest(LVHITTESTINFO* pInfo) const {
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
}
int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
    LVHITTESTINFO info{};
    info.pt = pt;
    const int item = HitTest(&info);
    if (pFlags) *pFlags = info.flags;
    return item;
}
int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) {
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
}
BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, W(nItem), reinterpret_cast<LPARAM>(lpRect)));
}
BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) {
    ref.top = iSubItem;
    ref.left = nArea;
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, W(iItem), reinterpret_cast<LPARAM>(static_cast<RECT*>(&ref))));
}
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}
DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(
        LVM_SETIMAGELIST, W(nImageListType), reinterpret_cast<LPARAM>(pImageList ? pImageList->m_hImageList : nullptr))));
}
BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(dwData), reinterpret_cast<LPARAM>(pfnCompare)));
}
CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
    return static_cast<CHeaderCtrl*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
}
CEdit* CListCtrl::EditLabel(int nItem) {
    return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, W(nItem)))));
}
CEdit* CListCtrl::GetEditControl() const {
    return static_cast<CEdit*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL))));
}
void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}
BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (platform::Reflect_Draw_Item(this, message, lParam, pResult)) return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
BOOL CListCtrl::RedrawItems(int nFirst, int nLast) {
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, W(nFirst), nLast));
}

// ---- CProgressCtrl -----------------------------------------------------------------

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"msctls_progress32", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CProgressCtrl::SetRange(short nLower, short nUpper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper)); }
void CProgressCtrl::SetRange32(int nLower, int nUpper) { SendMessage(PBM_SETRANGE32, W(nLower), nUpper); }
void CProgressCtrl::GetRange(int& nLower, int& nUpper) const {
    PBRANGE r{};
    SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
    nLower = r.iLow, nUpper = r.iHigh;
}
int CProgressCtrl::GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
int CProgressCtrl::SetPos(int nPos) { return static_cast<int>(SendMessage(PBM_SETPOS, W(nPos))); }
int CProgressCtrl::OffsetPos(int nPos) { return static_cast<int>(SendMessage(PBM_DELTAPOS, W(nPos))); }
int CProgressCtrl::SetStep(int nStep) { return static_cast<int>(SendMessage(PBM_SETSTEP, W(nStep))); }
int CProgressCtrl::StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
COLORREF CProgressCtrl::SetBarColor(COLORREF c) { return static_cast<COLORREF>(SendMessage(PBM_SETBARCOLOR, 0, c)); }
COLORREF CProgressCtrl::SetBkColor(COLORREF c) { return static_cast<COLORREF>(SendMessage(PBM_SETBKCOLOR, 0, c)); }

// ---- CSliderCtrl -------------------------------------------------------------------

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"msctls_trackbar32", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CSliderCtrl::SetRange(int nMin, int nMax, BOOL bRedraw) {
    SendMessage(TBM_SETRANGEMIN, FALSE, nMin);
    SendMessage(TBM_SETRANGEMAX, bRedraw, nMax);
}
void CSliderCtrl::GetRange(int& nMin, int& nMax) const { nMin = GetRangeMin(), nMax = GetRangeMax(); }
int CSliderCtrl::GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
int CSliderCtrl::GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
int CSliderCtrl::GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
void CSliderCtrl::SetPos(int nPos) { SendMessage(TBM_SETPOS, TRUE, nPos); }
int CSliderCtrl::SetPageSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, nSize)); }
int CSliderCtrl::SetLineSize(int nSize) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, nSize)); }
void CSliderCtrl::SetTicFreq(int nFreq) { SendMessage(TBM_SETTICFREQ, W(nFreq)); }

// ---- CTabCtrl ----------------------------------------------------------------------

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"SysTabControl32", nullptr, dwStyle, rect, pParentWnd, nID);
}
LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    TCITEM it{};
    it.mask = TCIF_TEXT;
    it.pszText = const_cast<LPWSTR>(lpszItem ? lpszItem : L"");
    return InsertItem(nItem, &it);
}
LONG CTabCtrl::InsertItem(int nItem, TCITEM* p) {
    return static_cast<LONG>(SendMessage(TCM_INSERTITEMW, W(nItem), reinterpret_cast<LPARAM>(p)));
}
BOOL CTabCtrl::DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, W(nItem))); }
BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) { return static_cast<int>(SendMessage(TCM_SETCURSEL, W(nItem))); }
BOOL CTabCtrl::GetItem(int nItem, TCITEM* p) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEMW, W(nItem), reinterpret_cast<LPARAM>(p)));
}
BOOL CTabCtrl::SetItem(int nItem, TCITEM* p) {
    return static_cast<BOOL>(SendMessage(TCM_SETITEMW, W(nItem), reinterpret_cast<LPARAM>(p)));
}
BOOL CTabCtrl::GetItemRect(int nItem, LPRECT lpRect) const {
    return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, W(nItem), reinterpret_cast<LPARAM>(lpRect)));
}
void CTabCtrl::AdjustRect(BOOL bLarger, LPRECT lpRect) { SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(lpRect)); }

// ---- CSpinButtonCtrl ---------------------------------------------------------------

BOOL CSpinButtonCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"msctls_updown32", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CSpinButtonCtrl::SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, W(nLower), nUpper); }
void CSpinButtonCtrl::GetRange32(int& nLower, int& nUpper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&nLower), reinterpret_cast<LPARAM>(&nUpper));
}
int CSpinButtonCtrl::SetPos(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
int CSpinButtonCtrl::GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
CWnd* CSpinButtonCtrl::SetBuddy(CWnd* pWndBuddy) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy ? pWndBuddy->m_hWnd : nullptr))));
}
CWnd* CSpinButtonCtrl::GetBuddy() const { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }

// ---- CToolTipCtrl ------------------------------------------------------------------

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    return CreateEx(0, L"tooltips_class32", nullptr, WS_POPUP | dwStyle, CRect(0, 0, 0, 0), pParentWnd, 0);
}
BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT, UINT_PTR nIDTool) {
    if (!pWnd) return FALSE;
    m_tools.push_back(Tool{pWnd->m_hWnd, nIDTool, CString(lpszText ? lpszText : L"")});
    return TRUE;
}
BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    CString text;
    text.LoadString(nIDText);
    return AddTool(pWnd, text, lpRectTool, nIDTool);
}
void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    for (auto& t : m_tools)
        if (pWnd && t.window == pWnd->m_hWnd && t.id == nIDTool) t.text = lpszText ? lpszText : L"";
}
void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    std::erase_if(m_tools, [&](const Tool& t) { return pWnd && t.window == pWnd->m_hWnd && t.id == nIDTool; });
}
void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
    platform::Window* tip = platform::Find_Window(m_hWnd);
    if (!tip || !lpMsg) return;
    switch (lpMsg->message) {
    case WM_MOUSEMOVE: {
        auto tool = std::find_if(m_tools.begin(), m_tools.end(), [&](const Tool& t) { return t.window == lpMsg->hwnd; });
        if (m_active && tool != m_tools.end() && !tool->text.IsEmpty()) platform::Tooltip_Show(tip, tool->window, tool->text.GetString());
        else platform::Tooltip_Hide(tip);
        break;
    }
    case WM_MOUSELEAVE:
        if (platform::Tooltip_Tool(tip) == lpMsg->hwnd) platform::Tooltip_Hide(tip);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: platform::Tooltip_Hide(tip); break;
    default: break;
    }
}
void CToolTipCtrl::Activate(BOOL bActivate) {
    m_active = bActivate;
    if (!bActivate)
        if (platform::Window* tip = platform::Find_Window(m_hWnd)) platform::Tooltip_Hide(tip);
}
int CToolTipCtrl::SetMaxTipWidth(int iWidth) {
    platform::Window* tip = platform::Find_Window(m_hWnd);
    return tip ? platform::Tooltip_Set_Max_Width(tip, iWidth) : -1;
}
void CToolTipCtrl::SetDelayTime(UINT) {}  // tips show at once: no time passes between script steps
void CToolTipCtrl::SetTipTextColor(COLORREF clr) {
    if (platform::Window* tip = platform::Find_Window(m_hWnd)) platform::Tooltip_Set_Colours(tip, clr, GetTipBkColor());
}
void CToolTipCtrl::SetTipBkColor(COLORREF clr) {
    if (platform::Window* tip = platform::Find_Window(m_hWnd)) platform::Tooltip_Set_Colours(tip, GetTipTextColor(), clr);
}
COLORREF CToolTipCtrl::GetTipTextColor() const {
    platform::Window* tip = platform::Find_Window(m_hWnd);
    return tip ? platform::Tooltip_Text_Colour(tip) : GetSysColor(COLOR_INFOTEXT);
}
COLORREF CToolTipCtrl::GetTipBkColor() const {
    platform::Window* tip = platform::Find_Window(m_hWnd);
    return tip ? platform::Tooltip_Back_Colour(tip) : GetSysColor(COLOR_INFOBK);
}

// ---- CDateTimeCtrl -----------------------------------------------------------------

BOOL CDateTimeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"SysDateTimePick32", nullptr, dwStyle, rect, pParentWnd, nID);
}
DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME pTimeDest) const {
    return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(pTimeDest)));
}
BOOL CDateTimeCtrl::SetTime(LPSYSTEMTIME pTimeNew) {
    return static_cast<BOOL>(SendMessage(DTM_SETSYSTEMTIME, pTimeNew ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(pTimeNew)));
}
DWORD CDateTimeCtrl::GetTime(CTime& timeDest) const {
    SYSTEMTIME t{};
    const DWORD result = GetTime(&t);
    if (result == GDT_VALID) timeDest = CTime(t);
    return result;
}
BOOL CDateTimeCtrl::SetTime(const CTime* pTimeNew) {
    SYSTEMTIME t{};
    if (pTimeNew && !pTimeNew->GetAsSystemTime(t)) return FALSE;
    return SetTime(pTimeNew ? &t : nullptr);
}
BOOL CDateTimeCtrl::GetTime(COleDateTime& timeDest) const {
    SYSTEMTIME t{};
    const DWORD result = GetTime(&t);
    if (result == GDT_VALID) timeDest = COleDateTime(t);
    else timeDest.SetStatus(result == GDT_NONE ? COleDateTime::null : COleDateTime::invalid);
    return result == GDT_VALID;
}
BOOL CDateTimeCtrl::SetTime(const COleDateTime& timeNew) {
    if (timeNew.GetStatus() == COleDateTime::null) return SetTime(static_cast<LPSYSTEMTIME>(nullptr));
    SYSTEMTIME t{};
    return timeNew.GetAsSystemTime(t) && SetTime(&t);
}

BOOL CDateTimeCtrl::SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange) {
    SYSTEMTIME range[2]{};
    DWORD flags = 0;
    if (pMinRange) range[0] = *pMinRange, flags |= GDTR_MIN;
    if (pMaxRange) range[1] = *pMaxRange, flags |= GDTR_MAX;
    return static_cast<BOOL>(SendMessage(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range)));
}

DWORD CDateTimeCtrl::GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const {
    SYSTEMTIME range[2]{};
    const DWORD flags = static_cast<DWORD>(SendMessage(DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
    if (pMinRange) *pMinRange = range[0];
    if (pMaxRange) *pMaxRange = range[1];
    return flags;
}
