// Common controls of the framework: list control (report view) with its header,
// progress bar, slider, tab, spin button, tooltip, date picker and image list.
#pragma once

#include <vector>

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"

class CImageList : public CObject {
    DECLARE_DYNAMIC(CImageList)
public:
    CImageList() = default;
    ~CImageList() override;
    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST h);
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL DeleteImageList();
    // The index of the added image, -1 when the handle is null.
    int Add(HICON hIcon);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int GetImageCount() const;
    HICON ExtractIcon(int nImage);
    BOOL GetIconSize(int* cx, int* cy) const;
    // The image entries: icons or bitmaps (not owned).
    struct Entry {
        HICON icon;
        HBITMAP bitmap;
    };
    const std::vector<Entry>* Entries() const;
};
#define ILC_MASK 0x0001
#define ILC_COLOR 0x0000
#define ILC_COLOR4 0x0004
#define ILC_COLOR8 0x0008
#define ILC_COLOR16 0x0010
#define ILC_COLOR24 0x0018
#define ILC_COLOR32 0x0020

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const;
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
};

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);
    int InsertItem(int nItem, LPCTSTR lpszItem);
    int InsertItem(int nItem, LPCTSTR lpszItem, int nImage);
    int InsertItem(const LVITEM* pItem);
    BOOL SetItem(const LVITEM* pItem);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    CString GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const { return GetNextItem(-1, LVNI_FOCUSED); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LPLVHITTESTINFO pInfo);
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref);
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);
    CHeaderCtrl* GetHeaderCtrl() const;
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem) { return RedrawItems(nItem, nItem); }
    // Needs LVS_EDITLABELS; the edit over the label or null when the parent refused.
    CEdit* EditLabel(int nItem);
    CEdit* GetEditControl() const;
    // An owner-drawn report list (LVS_OWNERDRAWFIXED) paints each row here.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int GetPos() const;
    int SetPos(int nPos);
    int OffsetPos(int nPos);
    int SetStep(int nStep);
    int StepIt();
    COLORREF SetBarColor(COLORREF clrBar);
    COLORREF SetBkColor(COLORREF clrNew);
};

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    void GetRange(int& nMin, int& nMax) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    int GetPos() const;
    void SetPos(int nPos);
    int SetPageSize(int nSize);
    int SetLineSize(int nSize);
    void SetTicFreq(int nFreq);
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    LONG InsertItem(int nItem, LPCTSTR lpszItem);
    LONG InsertItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    int GetCurSel() const;
    int SetCurSel(int nItem);
    BOOL GetItem(int nItem, TCITEM* pTabCtrlItem) const;
    BOOL SetItem(int nItem, TCITEM* pTabCtrlItem);
    BOOL GetItemRect(int nItem, LPRECT lpRect) const;
    void AdjustRect(BOOL bLarger, LPRECT lpRect);
};

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetRange(short nLower, short nUpper);
    void SetRange32(int nLower, int nUpper);
    void GetRange32(int& nLower, int& nUpper) const;
    int SetPos(int nPos);
    int GetPos() const;
    int SetPos32(int nPos) { return SetPos(nPos); }
    int GetPos32() const { return GetPos(); }
    CWnd* SetBuddy(CWnd* pWndBuddy);
    CWnd* GetBuddy() const;
};

// Tooltips have no visible effect here; tools are recorded.
class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = nullptr, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void RelayEvent(LPMSG lpMsg);
    void Activate(BOOL bActivate);
    int SetMaxTipWidth(int iWidth);
    void SetDelayTime(UINT nDelay);
    void SetTipTextColor(COLORREF clr);
    void SetTipBkColor(COLORREF clr);
    COLORREF GetTipTextColor() const;
    COLORREF GetTipBkColor() const;
    int GetToolCount() const { return static_cast<int>(m_tools.size()); }
    BOOL IsActive() const { return m_active; }

private:
    struct Tool {
        HWND window;
        UINT_PTR id;
        CString text;
    };
    std::vector<Tool> m_tools;
    BOOL m_active = TRUE;
};

class CTime;
class COleDateTime;

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    DWORD GetTime(LPSYSTEMTIME pTimeDest) const;
    BOOL SetTime(LPSYSTEMTIME pTimeNew = nullptr);
    // GDT_NONE leaves a CTime as it was and makes a COleDateTime null; a null
    // CTime pointer or a null COleDateTime clears the picker, an invalid one fails.
    DWORD GetTime(CTime& timeDest) const;
    BOOL SetTime(const CTime* pTimeNew);
    BOOL GetTime(COleDateTime& timeDest) const;
    BOOL SetTime(const COleDateTime& timeNew);
    // Null ends leave that side open; dates set later are moved into the range.
    BOOL SetRange(const SYSTEMTIME* pMinRange, const SYSTEMTIME* pMaxRange);
    DWORD GetRange(SYSTEMTIME* pMinRange, SYSTEMTIME* pMaxRange) const;
};

// The common-controls initialisation of a module: nothing to do here.
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000
inline BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) { return TRUE; }
inline void InitCommonControls() {}
